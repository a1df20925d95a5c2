#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace db { class Database; }

namespace codes {

// One row of table kvdikoi. `id` is the table's own row number; users know a
// code by `kvdikos`.
struct CodeRow
{
    qint64 id = 0;
    qint64 kvdikos = 0;
    QString perigrafh;
    QString omada;       // copy of the group's name, " " without a group
    qint64 aa_omadas = 0; // 0 = no group
    QString lista;
    bool esodo = false;   // income code
    bool energos = true;  // active
};

// The display line of a code in every list: the number right-justified in five
// columns, a blank, the description.
QString makeLista(const QString &code, const QString &description);

// All codes, active or not, by code number (the codes tab).
QList<CodeRow> allCodes(db::Database &db);
// The codes whose group is `aa` (0: the codes without a group), by code number.
QList<CodeRow> codesOfGroup(db::Database &db, qint64 aa);

std::optional<CodeRow> codeById(db::Database &db, qint64 id);

// The code is booked in at least one movement.
bool codeInUse(db::Database &db, qint64 kvdikos);

} // namespace codes
