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
        Damaged,       // the file is corrupt (a read met a bad page, or the integrity check failed)
        Unreadable,    // the file is there but cannot be opened or read (rights, I/O error)
        ReadOnly,      // a write on a file kept for reading only (a damaged one)
        NoWriteAccess, // a write the file system refuses (read-only file, folder or share)
        DiskFull,      // the disk or the share has no room left
        FileGone,      // the file was removed or moved away while open (its folder went)
        Conversion,    // cdate/csng could not read its text
        Unreachable,   // the database server does not answer (or the session to it broke)
        LoginRefused,  // the server answered but refused the log-in or the database
        Sql,           // any other statement failure
    };

    DbError(Kind kind, const QString &message, int sqliteCode = 0);
    // The kind an SQLite result code stands for, and the error for it.
    static Kind kindFor(int sqliteCode);
    static DbError fromSqlite(int sqliteCode, const QString &message);

    Kind kind() const { return m_kind; }
    int sqliteCode() const { return m_code; }
    QString message() const { return QString::fromUtf8(what()); }

    // The database file the failure belongs to, when known (set where a file is opened).
    const QString &file() const { return m_file; }
    DbError &setFile(const QString &path)
    {
        m_file = path;
        return *this;
    }

    // The server went away after it was asked to commit and before it
    // answered: the work may or may not have been kept, and only a look at
    // the book can tell.
    bool outcomeUnknown() const { return m_outcomeUnknown; }
    DbError &setOutcomeUnknown()
    {
        m_outcomeUnknown = true;
        return *this;
    }

private:
    Kind m_kind;
    int m_code;
    QString m_file;
    bool m_outcomeUnknown = false;
};

} // namespace db
