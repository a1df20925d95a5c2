#pragma once

#include <QDate>
#include <QString>

// A small, realistic cash book to try the program with: codes in a few
// groups, three months of movements before today with cheques and memo
// amounts, the older days closed, a user "demo" (password "demo") with
// every right, and the administrator code AdministratorCode. Every movement, day row and closing is made through the cash
// book's own operations, so the balances are what users would have produced.
namespace demobook {

struct Summary
{
    QDate openingDay;
    int movements = 0;
    int days = 0;
    int closedDays = 0;
};

// The folder must hold new, empty databases (newinstall::createDatabases);
// they are created when the folder has none. Same today, same book.
// Throws std::runtime_error when the folder already holds a book.
Summary build(const QString &dataFolder, const QDate &today);

// The demo book's administrator code ("demo-admin"): a book made by this
// program never takes the fixed one.
extern const QString AdministratorCode;

} // namespace demobook
