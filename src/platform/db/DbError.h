#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the store arrives as one catchable error that says what went
// wrong; callers decide which message the user sees.
class DbError : public std::runtime_error
{
public:
    enum class Kind {
        MissingFile,   // the database file is not there
        NotEncrypted,  // a plain SQLite file, never taken for ours
        WrongKey,      // encrypted with another key, or not a database at all
        MissingTable,  // a table the program needs does not exist
        Busy,          // another workstation kept the file locked too long
        Conversion,    // cdate/csng could not read its text
        Sql,           // any other statement failure
    };

    DbError(Kind kind, const QString &message, int sqliteCode = 0);

    Kind kind() const { return m_kind; }
    int sqliteCode() const { return m_code; }
    QString message() const { return QString::fromUtf8(what()); }

private:
    Kind m_kind;
    int m_code;
};

} // namespace db
