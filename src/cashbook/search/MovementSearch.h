#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace db {
class Database;
}

// The search of movements across the whole book: by words of the
// description, an amount or a range of amounts, a range of days, codes and
// cheques. One read of kinhseis with every value bound; the typed words are
// looked up through the words table (data/MovementWords.h) and then checked
// against each found description.
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

struct Results
{
    QList<Found> rows;  // by day, then in booking order
    Money income;       // sums of the rows
    Money expense;
};

// Throws db::DbError. A file without the words table (below version 6) is
// searched by reading the descriptions of the other criteria's rows.
Results findMovements(db::Database &main, const Criteria &criteria);

// The typed words, each folded as the words table keeps them; blanks separate them.
QStringList foldedTerms(const QString &typed);

// Whether every term occurs in the folded description where a word starts
// ("ενοικ" finds "Ενοίκιο Μαΐου", "μαιου" too; "οικ" does not). A term that
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
