#pragma once

#include <QHash>
#include <QString>

namespace db::server {

// What a bound value must become before the server sees it: the program's
// statements convert some typed texts with the regional rules (cdate/csng);
// on the server the layer converts them itself, with the same rules.
enum class Conversion { None, Date, Amount };

struct ServerStatement
{
    QString text;               // the statement in the server's dialect, $1..$n
    int parameterCount = 0;
    QHash<int, Conversion> conversions; // by parameter position (1-based)
};

// Rewrites one statement written for the file engine into the server's
// dialect: placeholders, the conversion functions, the Greek-folding
// comparison, INSERT OR IGNORE, the counters of the schema walk (PRAGMA
// user_version / application_id), the few functions whose names differ, and
// the column types of CREATE/ALTER TABLE. `aliases` maps a name given to an
// attached file to the schema that stands for it. Throws DbError (Sql) for a
// form the server engine does not carry, so it is never run with another meaning.
ServerStatement translate(const QString &sql, const QHash<QString, QString> &aliases = {});

// The same for text holding several statements and no bound values.
QString translateScript(const QString &script, const QHash<QString, QString> &aliases = {});

// The Greek-folding key on the server (made for each session in its own
// temporary schema, so the book needs no extra rights): case folded, accents
// and other combining marks removed, final sigma as sigma.
extern const char *const FoldFunctionDefinition;
// The file engine's typeof() (storage class of a value), for the server's types.
extern const char *const TypeOfFunctionDefinition;

// Name of the hidden counter column given to tables that have no integer key,
// standing in for the file engine's rowid; schema walks leave it out.
inline constexpr const char *RowIdColumn = "rowid";

} // namespace db::server
