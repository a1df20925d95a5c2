#pragma once

#include "platform/regional/Money.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

namespace db { class Database; }

namespace reports {

// The rows behind the movement reports, read with every date and every
// selected code or group number bound. A missing memo amount reads as 0.
// An empty selection means every code (or group).

struct MovementRow
{
    qint64 kvdikos = 0;
    QDate hmeromhnia;
    QString perigrafh;
    Money esoda, ejoda, memo;
    QString lista;    // the code's list line (by-code report)
    qint64 aa_omada = 0;
    QString omada;    // the group's name (by-group report)
};

// The name of each group that has codes, one row per group number
// (aa_omadas, omada), to join movements to: codes of one group may carry
// different copies of its name (a rename that failed halfway), and joining
// each of them would read a movement once per copy. Used by the by-group
// report and the group card alike.
QString groupNamesTable();

// The reports tab lists every code and every group: its lists are empty
// exactly when the store has none.
bool anyCodes(db::Database &db);
bool anyGroups(db::Database &db);

// Whether a number is in a report's selection (an empty selection takes all).
inline bool inSelection(const QList<qint64> &selection, qint64 number)
{
    return selection.isEmpty() || selection.contains(number);
}

// Every text the code column of movements by code may show for `codes`:
// each code's list line as printed, and the number of a code that has none.
QStringList codeListLines(db::Database &db, const QList<qint64> &codes);

// Called with each row in turn; a report stops the reading by throwing.
using MovementSink = std::function<void(const MovementRow &)>;

// Movements of the range by code, each code's rows from the newest day to the
// oldest.
void readMovementsByCode(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &codes,
                         const MovementSink &sink);

// One row per code that has movements in the range: the code's description
// and the sums of its income, expense and memo amounts, by code.
struct CodeSumRow
{
    qint64 kvdikos = 0;
    QString perigrafh;
    Money esoda, ejoda, memo;
};
QList<CodeSumRow> readCodeSums(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &codes);

// The groups of the by-group report: each group number that codes carry
// (those a movement is joined to), with its name, selected ones only, in the
// report's order: by name, then number.
struct NamedGroup
{
    qint64 number = 0;
    QString name;
};
QList<NamedGroup> reportGroups(db::Database &db, const QList<qint64> &groups);

// Movements of the range whose group has codes, by group name, then code,
// then from the newest day to the oldest. Each movement is read once, also
// when it repeats another one exactly.
void readMovementsByGroup(db::Database &db, const QDate &start, const QDate &end, const QList<qint64> &groups,
                          const MovementSink &sink);

} // namespace reports
