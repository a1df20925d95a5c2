#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace db {
class Database;
}

// The search of movements across the whole book: by words of the
// description, an amount or a range of amounts, a range of days, codes and
// cheques, every value bound. The criterion with the fewest rows is read
// through its index (the typed words through the words table,
// data/MovementWords.h) and the found descriptions are checked again; a
// search that finds many movements counts and sums them in one pass in day
// order and reads whole only the rows it lists.
namespace search {

// What to look for; an empty or unset part does not narrow the search.
struct Criteria
{
    QString words;                  // as typed: every word must be found (see descriptionMatches)
    std::optional<Money> amountFrom; // the movement's amount (income, or expense when there is
    std::optional<Money> amountTo;   // no income) between both, both included
    QDate from;                     // days from ... to, both included; invalid: open
    QDate to;
    QList<int> codes;               // any of these codes; empty: every code
    bool chequesOnly = false;

    bool narrowsNothing() const;
};

// One found movement.
struct Found
{
    qint64 aa = 0;
    QDate day;
    int code = 0;
    QString description;
    Money income;
    Money expense;
    bool cheque = false;
};

// The rows a search lists at most: a window of ten thousands of lines helps
// nobody, and reading them whole would cost more than the search itself.
constexpr int ListedRows = 1000;

struct Results
{
    QList<Found> rows;  // the latest found (at most the number asked), by day, then in booking order
    qint64 count = 0;   // every found movement
    Money income;       // sums of every found movement, listed or not
    Money expense;

    bool allListed() const { return rows.size() == count; }
};

// Throws db::DbError. A file without the words table (below version 6) is
// searched by reading the descriptions of the other criteria's rows.
Results findMovements(db::Database &main, const Criteria &criteria, int listed = ListedRows);

// Every found movement, by day and then in booking order, however many
// (saving and printing the results). Throws db::DbError.
void forEachFound(db::Database &main, const Criteria &criteria, const std::function<void(const Found &)> &take);

// Below this many rows a criterion is read through its index and its rows are
// read whole and checked one by one; beyond it the search is one pass over
// the book in day order. Tests lower it (0 restores the default) to walk a
// small book the way a large one is walked.
constexpr qint64 DefaultFewRows = 8000;
void setFewRows(qint64 rows);

// The typed words, each folded as the words table keeps them; blanks separate them.
QStringList foldedTerms(const QString &typed);

// Whether every term occurs in the folded description where a word starts
// ("ενοικ" finds "Ενοίκιο Μαΐου", "μαιου" too; "οικ" does not; apostrophes
// before a word are not part of it, as in the words table). A term that
// starts with a sign other than a letter or digit may stand anywhere.
bool descriptionMatches(const QString &foldedDescription, const QStringList &terms);

// The search window's boxes as typed.
struct TypedCriteria
{
    QString words;
    QString amountFrom;
    QString amountTo;
    QString dateFrom;
    QString dateTo;
    QList<int> codes;
    bool chequesOnly = false;
};

struct ReadCriteria
{
    std::optional<Criteria> criteria; // set when every box could be read
    QString refusal;                  // otherwise why not, as the user reads it
};

// Amounts through the amount rule (regional::checkAmountText), days through
// the date rule (regional::parseDate); a blank box narrows nothing. One amount
// alone is looked for exactly ("έως" alone: up to it); a range given the
// wrong way round, or nothing to look for at all, is refused.
ReadCriteria readCriteria(const TypedCriteria &typed, const QDate &today);

} // namespace search
