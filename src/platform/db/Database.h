#pragma once

#include "DbError.h"
#include "Statement.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

struct sqlite3;

namespace db {

namespace server {
class ServerConnection;
}

// One open, password-protected database file. The key derivation is costly, so
// each file is opened once and the connection shared within the process.
//
// Several workstations may share the data folder over a network share: the
// rollback journal is used (WAL does not work there), every write transaction
// is BEGIN IMMEDIATE and a busy timeout makes a second workstation wait.
//
// The same class also reaches a book kept on a database server: then each
// "file" is a schema of one server database, and the statements the program
// writes for the file engine are carried into the server's dialect here (see
// ServerDialect), so nothing outside this layer knows which engine runs them.
class Database
{
public:
    static constexpr int DefaultBusyTimeoutMs = 10000;

    // Opens an existing file; throws DbError (MissingFile, Unreadable,
    // NotEncrypted, WrongKey, Busy, Damaged) naming the file.
    static std::unique_ptr<Database> open(const QString &path, const QString &key);
    // Creates a new, empty encrypted file; throws when the file already exists.
    static std::unique_ptr<Database> create(const QString &path, const QString &key);

    // A file of a book on a database server: `connection` is a libpq connection
    // text (URI, key=value or service=...; never with a password) and `schema`
    // the part of that database standing for the file. Throws DbError:
    // Unreachable, LoginRefused, MissingFile (no such schema: no book there).
    static std::unique_ptr<Database> openOnServer(const QString &connection, const QString &schema);
    // Makes the schema (throws when it is there already) and opens it.
    static std::unique_ptr<Database> createOnServer(const QString &connection, const QString &schema);

    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &path() const { return m_path; }
    // The file engine's connection; null for a book on a server.
    sqlite3 *handle() const { return m_db; }
    bool isOnServer() const { return m_server != nullptr; }
    server::ServerConnection *serverConnection() const { return m_server.get(); }
    // On a server: the schema of this file, and the schemas attached under their aliases.
    const QString &serverSchema() const { return m_schema; }
    const QHash<QString, QString> &serverAliases() const { return m_aliases; }

    // The error for an SQLite result code met on this connection: it names the
    // file, and a write refused on a file kept for reading only says so.
    DbError errorFor(int sqliteCode, const QString &message) const;

    Statement prepare(const QString &sql) { return Statement(*this, sql); }

    // Runs one statement with bound values; returns the rows changed.
    template <typename... Args> int execute(const QString &sql, const Args &...args)
    {
        Statement st(*this, sql);
        st.bindAll(args...);
        return st.run();
    }

    // First field of the first row, or an invalid QVariant when there is none.
    template <typename... Args> QVariant scalar(const QString &sql, const Args &...args)
    {
        Statement st(*this, sql);
        st.bindAll(args...);
        return st.next() ? st.value(0) : QVariant();
    }

    // Runs text that may hold several statements and no user values (schema work).
    void executeScript(const QString &sql);

    qint64 lastInsertId() const;
    bool tableExists(const QString &table);
    // The tables of this file (or schema), the engine's own left out.
    QStringList tableNames();
    // After rows were copied in with their own numbers: the next number each
    // counter of `table` hands out follows the highest one there.
    void continueCounters(const QString &table);
    QStringList columnNames(const QString &table);
    // Throws MissingTable when the table is not there.
    void requireTable(const QString &table);
    // The rows of `table` are rewritten in place often (the balance of every
    // later day moves with each booking): on the server its pages keep room so
    // a row's new version stays in its page and the indexes are not touched.
    // The file engine has no such choice. Outside a transaction; the table's
    // owner sets it once, later sessions only see that it is set.
    void leaveRoomForUpdates(const QString &table);

    void begin();
    // Throws DbError, and rolls back, when a statement failed inside the
    // transaction (even one whose failure the caller caught): on the server
    // such a transaction can no longer commit, and on either engine the
    // caller would otherwise keep half of what it meant as one.
    void commit();
    void rollback();
    bool inTransaction() const;
    // A statement failed: inside a transaction, commit() will refuse.
    void noteFailure(const DbError &e);

    // Copies the whole database into another open one with the online backup
    // API: the pages go across still encrypted, so both must use the same key.
    // Throws DbError; the destination is then not a usable copy.
    void copyInto(Database &destination);

    // How much of the file stays decrypted in memory, in KiB; a server book
    // keeps its own cache, and there this is 0 and setting it does nothing.
    int cacheKilobytes();
    void setCacheKilobytes(int kib);

    // Milliseconds a statement waits for another workstation's lock.
    void setBusyTimeout(int ms);
    // The wait set on every file opened from now on (before its first read);
    // the program keeps the default, tests shorten it.
    static void setDefaultBusyTimeout(int ms);

    // "ok", or the first problem SQLite's page-level integrity check finds.
    // Throws DbError (Damaged) when the damage stops the check itself.
    QString quickCheck();
    // A damaged file is kept for reading only: every write fails with ReadOnly.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Opens a second file of the same key on this connection under `alias`
    // (a fixed name of the program, never typed), so that one transaction
    // commits both files together or neither. On a server `path` names the
    // schema of the second file, which the statements then reach as `alias`.
    void attach(const QString &path, const QString &key, const QString &alias);
    void detach(const QString &alias);

    // The PBKDF2 iteration count used for new and opened files. The program keeps
    // the engine's default; only tests lower it to save time.
    static void setKdfIterations(int iterations);

private:
    Database(sqlite3 *db, QString path);
    Database(std::unique_ptr<server::ServerConnection> server, QString schema);
    static std::unique_ptr<Database> connectServer(const QString &connection, const QString &schema, bool create);
    static std::unique_ptr<Database> openWith(const QString &path, const QString &key, bool create);
    static std::unique_ptr<Database> openFile(const QString &path, const QString &key, bool create);
    void runOnFile(const char *sql);

    sqlite3 *m_db;
    QString m_path;
    bool m_readOnly = false;
    std::unique_ptr<server::ServerConnection> m_server;
    QString m_schema;
    QHash<QString, QString> m_aliases;
    std::optional<QString> m_failedInTransaction; // the first failure since begin()
};

} // namespace db
