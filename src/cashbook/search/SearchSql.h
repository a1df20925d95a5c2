#pragma once

#include "MovementSearch.h"

#include <QDate>
#include <QString>
#include <variant>
#include <vector>

namespace db {
class Statement;
}

// The pieces the search's statements are made of. Every value is bound; the
// text is the same on both engines.
namespace search::sql {

using Value = std::variant<QString, qint64, QDate>;

// Numbered placeholders for the values of one statement.
class Bound
{
public:
    QString add(const Value &v);
    void bindTo(db::Statement &st) const;

private:
    std::vector<Value> m_values;
};

// A word of the typed terms as the words table is asked for it: a whole word
// (one followed by more of its term, which the description must then hold
// whole) or the beginning of one (the last word of a term).
struct WordLookup
{
    QString word;
    bool whole = false;
};

// The lookups of every term, in the order typed.
QList<WordLookup> wordLookups(const QStringList &terms);

// "w.lejh = ?" or the range of words that begin with the word.
QString lookupCondition(const WordLookup &w, Bound &bound);

// Which criterion the statement reads through its index; the others are
// written with "+" so the file engine's planner keeps off their indexes.
enum class Driver { None, Words, Amount, Days, Codes, Cheques };

// " AND ..." for the days, codes, cheques and amount of the criteria (not the
// words). `driver` is the criterion that may use its index.
QString conditions(const Criteria &c, Driver driver, Bound &bound);

// Beyond this many codes the list is one bound text searched with instr, as
// the reports do: SQLite takes at most 999 placeholders.
constexpr int MostCodePlaceholders = 200;

// The columns of a found movement, in the order readFound reads them.
QString foundColumns();
Found readFound(const db::Statement &st);

} // namespace search::sql
