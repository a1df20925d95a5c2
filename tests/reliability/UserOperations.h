#pragma once

#include <QString>
#include <functional>
#include <vector>

class Store;

// Every operation of the program that writes to the book, each driven through
// the same logic the windows call, on the sample book of makeSampleBook().
namespace reliability {

struct UserOperation
{
    const char *name;
    // True when the operation reported that it did its work. A store failure
    // either arrives as a thrown db::DbError (which the windows show) or as a
    // message box the operation shows itself.
    std::function<bool(Store &)> run;
};

// Fills a folder that holds two new, empty databases: two groups, codes 10
// (income), 20 (expense) and an unused 40, movements on 2, 4 and 6 March 2026,
// the 2nd and the 6th closed, a second user.
void makeSampleBook(Store &store);

const std::vector<UserOperation> &userOperations();

// Copies the two database files (and the marker, when there is one).
void copyBook(const QString &from, const QString &to);

} // namespace reliability
