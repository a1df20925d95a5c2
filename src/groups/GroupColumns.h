#pragma once

#include <QList>
#include <QString>

#include <optional>

// The three columns of the group card and how their choice of groups is kept
// in the settings store between uses. Each column i (0 left, 1 middle, 2 right)
// stores three texts, written only when the selection window closes:
//   "Listes"   / "List1(i)"  the marked list positions, each followed by ","
//   "Omades"   / "Omada(i)"  "( aa_omada=3  or aa_omada=7)", or "" when none
//   "P_Omadvn" / "P_omadvn"i the marked names joined by ", "
// Other tools read these texts, so their exact form is kept.
namespace groups {

constexpr int GroupColumnCount = 3;

// One group as the selection lists show it: its name and its number.
struct GroupEntry
{
    QString name;
    qint64 number = 0;
};

// The three stored texts of one column for the given marks (marked[k] tells
// whether list position k is marked).
struct StoredColumn
{
    QString positions;
    QString condition;
    QString names;
};
StoredColumn storedColumn(const QList<GroupEntry> &groups, const QList<bool> &marked);

// Writes the column's three texts; false when the store could not keep them.
[[nodiscard]] bool saveColumn(int column, const StoredColumn &stored);

// The positions to mark when the window opens, from the stored "List1(i)" text.
// Fields are counted as the old program counted them: a text that ends with ","
// has one field more than numbers, and only the fields before the last one are
// used, so a list without the final comma restores all but its last position.
// Fields that are not whole numbers are skipped.
QList<int> positionsToRestore(const QString &stored);
QList<int> storedPositions(int column);

// What the group card reads back for column i.
struct ColumnChoice
{
    QString heading;        // the group names, or "Χωρίς επιλογή"
    QList<qint64> groups;   // the group numbers of the condition; empty = no column
};
ColumnChoice readColumnChoice(int column);

// The group numbers of a stored condition. The settings file can be edited by
// anyone, so only the exact form the selection window writes is accepted:
// "(" + " aa_omada=N" joined by "  or" + ")". Anything else gives nothing.
std::optional<QList<qint64>> parseGroupCondition(const QString &condition);

} // namespace groups
