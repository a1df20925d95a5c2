#include "Database.h"

#include "ServerConnection.h"
#include "ServerQuery.h"
#include "StoreFunctions.h"

#include <QFile>
#include <QFileInfo>
#include <sqlcipher/sqlite3.h>

namespace db {
namespace {

int &kdfIterations()
{
    static int value = 0; // 0: the engine's default
    return value;
}

int &busyTimeoutMs()
{
    static int value = Database::DefaultBusyTimeoutMs;
    return value;
}

bool hasPlainSqliteHeader(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

void runPragma(sqlite3 *db, const char *sql)
{
    char *err = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &err);
    const QString msg = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    if (rc == SQLITE_NOTADB)
        throw DbError(DbError::Kind::WrongKey, QStringLiteral("file is encrypted or is not a database"), rc);
    if (rc != SQLITE_OK)
        throw DbError::fromSqlite(rc, msg);
}

} // namespace

void Database::setKdfIterations(int iterations)
{
    kdfIterations() = iterations;
    // Files attached to a connection take the engine's process-wide default,
    // so it follows the same setting (the engine's own value is kept for 0).
    static int engineDefault = 0;
    sqlite3 *mem = nullptr;
    if (sqlite3_open(":memory:", &mem) == SQLITE_OK) {
        sqlite3_stmt *st = nullptr;
        if (engineDefault == 0 && sqlite3_prepare_v2(mem, "PRAGMA cipher_default_kdf_iter", -1, &st, nullptr) == SQLITE_OK
            && sqlite3_step(st) == SQLITE_ROW)
            engineDefault = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        const int value = iterations > 0 ? iterations : engineDefault;
        if (value > 0)
            sqlite3_exec(mem, QByteArray("PRAGMA cipher_default_kdf_iter = " + QByteArray::number(value)).constData(),
                         nullptr, nullptr, nullptr);
    }
    sqlite3_close(mem);
}

void Database::setDefaultBusyTimeout(int ms)
{
    busyTimeoutMs() = ms;
}

std::unique_ptr<Database> Database::open(const QString &path, const QString &key)
{
    return openWith(path, key, false);
}

std::unique_ptr<Database> Database::create(const QString &path, const QString &key)
{
    return openWith(path, key, true);
}

std::unique_ptr<Database> Database::openWith(const QString &path, const QString &key, bool create)
{
    try {
        return openFile(path, key, create);
    } catch (DbError &e) {
        throw e.setFile(path);
    }
}

std::unique_ptr<Database> Database::openFile(const QString &path, const QString &key, bool create)
{
    const QFileInfo info(path);
    const bool exists = info.exists();
    if (create && exists)
        throw DbError(DbError::Kind::Sql, QStringLiteral("database already exists: ") + path);
    if (!create && !exists)
        throw DbError(DbError::Kind::MissingFile, QStringLiteral("database not found: ") + path);
    if (exists && (!info.isFile() || !info.isReadable()))
        throw DbError(DbError::Kind::Unreadable, QStringLiteral("cannot read ") + path);
    if (exists && hasPlainSqliteHeader(path))
        throw DbError(DbError::Kind::NotEncrypted, QStringLiteral("not an encrypted cash-book file: ") + path);

    sqlite3 *raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    std::unique_ptr<Database> db(new Database(raw, path));
    if (rc != SQLITE_OK)
        throw DbError::fromSqlite(rc, QStringLiteral("cannot open ") + path + QStringLiteral(": ")
                                          + QString::fromUtf8(sqlite3_errmsg(raw)));
    // Extended result codes tell a file removed while open (its folder gone)
    // from one the file system will not let us write.
    sqlite3_extended_result_codes(raw, 1);
    // Before the first read: while another workstation commits, the file is
    // locked for a moment and this one must wait, not fail.
    db->setBusyTimeout(busyTimeoutMs());

    const QByteArray k = key.toUtf8();
    sqlite3_key(raw, k.constData(), int(k.size()));

    // Without a codec the pragma answers nothing: such a build would write plain files.
    sqlite3_stmt *st = nullptr;
    bool cipherOk = false;
    if (sqlite3_prepare_v2(raw, "PRAGMA cipher_version", -1, &st, nullptr) == SQLITE_OK)
        cipherOk = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0) != nullptr;
    sqlite3_finalize(st);
    if (!cipherOk)
        throw DbError(DbError::Kind::Sql, QStringLiteral("the store library has no encryption"));

    if (kdfIterations() > 0)
        runPragma(raw, QByteArray("PRAGMA kdf_iter = " + QByteArray::number(kdfIterations())).constData());

    // The first read decides whether the key fits.
    runPragma(raw, "SELECT count(*) FROM sqlite_master");
    runPragma(raw, "PRAGMA journal_mode = DELETE");
    runPragma(raw, "PRAGMA synchronous = FULL");
    // Every page read is decrypted and checked; with the engine's small
    // default cache a search or report over the whole book decrypts it all
    // again each time. Up to 64 MiB stay decrypted (only pages read take
    // memory; a commit by another workstation empties the cache).
    runPragma(raw, "PRAGMA cache_size = -65536");
    registerStoreFunctions(raw);
    return db;
}

Database::Database(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) {}

Database::Database(std::unique_ptr<server::ServerConnection> server, QString schema)
    : m_db(nullptr), m_path(server->description() + QStringLiteral(" / ") + schema), m_server(std::move(server)),
      m_schema(std::move(schema))
{
}

std::unique_ptr<Database> Database::openOnServer(const QString &connection, const QString &schema)
{
    return connectServer(connection, schema, false);
}

std::unique_ptr<Database> Database::createOnServer(const QString &connection, const QString &schema)
{
    return connectServer(connection, schema, true);
}

std::unique_ptr<Database> Database::connectServer(const QString &connection, const QString &schema, bool create)
{
    std::unique_ptr<Database> db(new Database(server::ServerConnection::connect(connection), schema));
    const bool exists = db->scalar(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = ?1"), schema).isValid();
    if (create && exists)
        throw DbError(DbError::Kind::Sql, QStringLiteral("database already exists: ") + db->path()).setFile(db->path());
    if (!create && !exists)
        throw DbError(DbError::Kind::MissingFile, QStringLiteral("database not found: ") + db->path())
            .setFile(db->path());
    // The schema name is one of the program's own, never typed; quoted all the same.
    const QString quoted = QLatin1Char('"') + QString(schema).remove(QLatin1Char('"')) + QLatin1Char('"');
    if (create) {
        db->m_server->run(QStringLiteral("BEGIN; CREATE SCHEMA %1; CREATE TABLE %1.kelvora_counters "
                                         "(name text PRIMARY KEY, value bigint); COMMIT")
                              .arg(quoted));
    }
    db->m_server->run(QStringLiteral("SET search_path TO %1").arg(quoted));
    // "main." names the connection's own file, as on the file engine.
    db->m_aliases.insert(QStringLiteral("main"), schema);
    db->setBusyTimeout(busyTimeoutMs());
    return db;
}

DbError Database::errorFor(int sqliteCode, const QString &message) const
{
    DbError e = DbError::fromSqlite(sqliteCode, message);
    if (m_readOnly && e.kind() == DbError::Kind::NoWriteAccess)
        e = DbError(DbError::Kind::ReadOnly, message, sqliteCode);
    e.setFile(m_path);
    return e;
}

void Database::runOnFile(const char *sql)
{
    try {
        runPragma(m_db, sql);
    } catch (const DbError &e) {
        if (e.kind() == DbError::Kind::WrongKey)
            throw DbError(e).setFile(m_path);
        throw errorFor(e.sqliteCode(), e.message());
    }
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

void Database::executeScript(const QString &sql)
{
    try {
        if (m_server) {
            m_server->run(server::translateScript(sql, m_aliases));
            return;
        }
        runOnFile(sql.toUtf8().constData());
    } catch (const DbError &e) {
        noteFailure(e);
        throw;
    }
}

qint64 Database::lastInsertId() const
{
    if (m_server) {
        // Every table on the server draws its key (or hidden row number) from a counter.
        if (!m_server->hasInserted())
            return 0;
        server::ServerQuery q(*m_server, QStringLiteral("SELECT lastval()"), m_aliases);
        return q.next() ? q.integer(0) : 0;
    }
    return sqlite3_last_insert_rowid(m_db);
}

bool Database::tableExists(const QString &table)
{
    // The catalogue itself: the information schema's view costs more to plan
    // and run than the statements that ask it (the words of every insert).
    if (m_server)
        return scalar(QStringLiteral("SELECT count(*) FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n "
                                     "ON n.oid = c.relnamespace WHERE n.nspname = ?1 AND c.relname = lower(?2) "
                                     "AND c.relkind IN ('r', 'p', 'v', 'f')"),
                      m_schema, table)
                   .toLongLong()
               > 0;
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name = ?1 COLLATE NOCASE"),
                  table).toLongLong() > 0;
}

QStringList Database::tableNames()
{
    QStringList names;
    Statement st = m_server
        ? Statement(*this, QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = ?1 "
                                          "AND table_name <> 'kelvora_counters' ORDER BY table_name"))
        : Statement(*this, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                          "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name"));
    if (m_server)
        st.bind(1, m_schema);
    while (st.next())
        names << st.text(0);
    return names;
}

void Database::continueCounters(const QString &table)
{
    if (!m_server) // AUTOINCREMENT already follows the highest number written
        return;
    // "alias.table" names a table of an attached schema.
    const QString schema = table.contains(QLatin1Char('.')) ? m_aliases.value(table.section(QLatin1Char('.'), 0, 0)) : m_schema;
    const QString name = table.section(QLatin1Char('.'), -1);
    Statement columns(*this, QStringLiteral("SELECT column_name, pg_get_serial_sequence(format('%I.%I', ?1::text, lower(?2)), "
                                            "column_name) FROM information_schema.columns WHERE table_schema = ?1 "
                                            "AND table_name = lower(?2)"));
    columns.bindAll(schema, name);
    QList<QPair<QString, QString>> counters;
    while (columns.next())
        if (!columns.isNull(1))
            counters.append({columns.text(0), columns.text(1)});
    for (const auto &[column, sequence] : counters)
        // Names from the server's own catalogue, checked above; not typed by anyone.
        scalar(QStringLiteral("SELECT setval(?1, coalesce((SELECT max(%1) FROM %2), 0) + 1, false)").arg(column, table),
               sequence);
}

QStringList Database::columnNames(const QString &table)
{
    // PRAGMA arguments cannot be bound; the name is checked against the schema first.
    requireTable(table);
    QStringList names;
    if (m_server) {
        Statement st(*this, QStringLiteral(
            "SELECT coalesce(col_description(format('%I.%I', table_schema, table_name)::regclass, ordinal_position), "
            "column_name) FROM information_schema.columns WHERE table_schema = ?1 "
            "AND table_name = lower(?2) AND column_name <> ?3 ORDER BY ordinal_position"));
        st.bindAll(m_schema, table, QString::fromLatin1(server::RowIdColumn));
        while (st.next())
            names << st.text(0);
        return names;
    }
    Statement st(*this, QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
    while (st.next())
        names << st.text(1);
    return names;
}

void Database::requireTable(const QString &table)
{
    if (table.contains(QLatin1Char('"')) || !tableExists(table))
        throw DbError(DbError::Kind::MissingTable, QStringLiteral("no such table: ") + table);
}

void Database::leaveRoomForUpdates(const QString &table)
{
    if (!m_server)
        return;
    requireTable(table); // also refuses a quote: the name goes into the text below
    const bool set = scalar(QStringLiteral("SELECT count(*) FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n "
                                           "ON n.oid = c.relnamespace WHERE n.nspname = ?1 AND c.relname = lower(?2) "
                                           "AND array_to_string(c.reloptions, ',') LIKE '%fillfactor=%'"),
                            m_schema, table)
                         .toLongLong()
                     > 0;
    // Half of each page: a day's balance and all later ones move together.
    if (!set)
        m_server->run(QStringLiteral("ALTER TABLE %1 SET (fillfactor = 50)").arg(table));
}

// On the server every write transaction first takes one lock of the book, as
// BEGIN IMMEDIATE takes the file's write lock: writers follow one another and
// none of the program's read-then-write steps can interleave. Both go to the
// server together.
constexpr const char *ServerBegin = "BEGIN; SELECT pg_advisory_xact_lock(4918237)";

void Database::begin()
{
    m_failedInTransaction.reset();
    if (m_server) {
        try {
            m_server->run(QLatin1String(ServerBegin));
        } catch (const DbError &) {
            // A wait that ran out leaves no transaction behind: the next try starts afresh.
            try {
                if (m_server->inTransaction())
                    m_server->run(QStringLiteral("ROLLBACK"));
            } catch (const DbError &) {
                // The session itself is gone; the first failure says so.
            }
            throw;
        }
        return;
    }
    runOnFile("BEGIN IMMEDIATE");
}

void Database::noteFailure(const DbError &e)
{
    if (!m_failedInTransaction && inTransaction())
        m_failedInTransaction = e.message();
}

// The server refuses to go on after a failed statement, while the file engine
// undoes only that statement; either way a transaction in which something
// failed is not committed as if it had all gone well: the caller meant all of it.
void Database::commit()
{
    const bool serverRefuses = m_server && m_server->transactionFailed();
    if (m_failedInTransaction || serverRefuses) {
        const QString first = m_failedInTransaction.value_or(QString());
        try {
            rollback();
        } catch (const DbError &) {
            // The refusal below is what the caller must hear.
        }
        throw DbError(DbError::Kind::Sql,
                      QStringLiteral("not committed: a statement of the transaction had failed, so nothing of it "
                                     "was kept")
                          + (first.isEmpty() ? QString() : QStringLiteral(" (") + first + QLatin1Char(')')))
            .setFile(m_path);
    }
    if (m_server) {
        m_server->commit();
        return;
    }
    runOnFile("COMMIT");
}

void Database::rollback()
{
    m_failedInTransaction.reset();
    if (!inTransaction())
        return;
    if (m_server)
        m_server->run(QStringLiteral("ROLLBACK"));
    else
        runOnFile("ROLLBACK");
}

bool Database::inTransaction() const
{
    if (m_server)
        return m_server->inTransaction();
    return sqlite3_get_autocommit(m_db) == 0;
}

int Database::cacheKilobytes()
{
    if (m_server)
        return 0;
    // A negative size is in KiB; a positive one in pages.
    const qint64 size = scalar(QStringLiteral("PRAGMA cache_size")).toLongLong();
    return int(size < 0 ? -size : size * scalar(QStringLiteral("PRAGMA page_size")).toLongLong() / 1024);
}

void Database::setCacheKilobytes(int kib)
{
    if (!m_server)
        runPragma(m_db, QByteArray("PRAGMA cache_size = -" + QByteArray::number(kib)).constData());
}

void Database::setBusyTimeout(int ms)
{
    if (m_server) {
        m_server->run(QStringLiteral("SET lock_timeout = %1").arg(ms));
        return;
    }
    sqlite3_busy_timeout(m_db, ms);
}

void Database::copyInto(Database &destination)
{
    if (m_server || destination.m_server)
        throw DbError(DbError::Kind::Sql, QStringLiteral("a book on a server is copied by the server's own tools"));
    sqlite3_backup *backup = sqlite3_backup_init(destination.m_db, "main", m_db, "main");
    if (!backup)
        throw DbError(DbError::Kind::Sql, QString::fromUtf8(sqlite3_errmsg(destination.m_db)),
                      sqlite3_errcode(destination.m_db));
    const int step = sqlite3_backup_step(backup, -1); // all pages at once: the copy is one snapshot
    const int finish = sqlite3_backup_finish(backup);
    if ((step & 0xff) == SQLITE_BUSY || (step & 0xff) == SQLITE_LOCKED)
        throw DbError(DbError::Kind::Busy, QString::fromUtf8(sqlite3_errstr(step)), step);
    if (step != SQLITE_DONE)
        throw DbError(DbError::Kind::Sql, QString::fromUtf8(sqlite3_errstr(step)), step);
    if (finish != SQLITE_OK)
        throw DbError(DbError::Kind::Sql, QString::fromUtf8(sqlite3_errmsg(destination.m_db)), finish);
}

QString Database::quickCheck()
{
    if (m_server) // the server checks its own pages; there is no file to look at here
        return QStringLiteral("ok");
    Statement st(*this, QStringLiteral("PRAGMA quick_check(1)"));
    return st.next() ? st.text(0) : QStringLiteral("no answer");
}

void Database::setReadOnly(bool readOnly)
{
    if (m_server) {
        m_server->run(readOnly ? QStringLiteral("SET default_transaction_read_only = on")
                               : QStringLiteral("SET default_transaction_read_only = off"));
        m_readOnly = readOnly;
        return;
    }
    runPragma(m_db, readOnly ? "PRAGMA query_only = 1" : "PRAGMA query_only = 0");
    m_readOnly = readOnly;
}

void Database::attach(const QString &path, const QString &key, const QString &alias)
{
    if (m_server) {
        if (!scalar(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = ?1"), path).isValid())
            throw DbError(DbError::Kind::MissingFile, QStringLiteral("database not found: ") + path).setFile(path);
        m_aliases.insert(alias, path);
        m_server->forgetTranslations();
        return;
    }
    if (!QFileInfo::exists(path))
        throw DbError(DbError::Kind::MissingFile, QStringLiteral("database not found: ") + path).setFile(path);
    execute(QStringLiteral("ATTACH DATABASE ?1 AS %1 KEY ?2").arg(alias), path, key);
    runPragma(m_db, QStringLiteral("PRAGMA %1.journal_mode = DELETE").arg(alias).toUtf8().constData());
    runPragma(m_db, QStringLiteral("PRAGMA %1.synchronous = FULL").arg(alias).toUtf8().constData());
}

void Database::detach(const QString &alias)
{
    if (m_server) {
        m_aliases.remove(alias);
        m_server->forgetTranslations();
        return;
    }
    execute(QStringLiteral("DETACH DATABASE %1").arg(alias));
}

} // namespace db
