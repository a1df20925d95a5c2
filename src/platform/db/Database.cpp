#include "Database.h"

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
    registerStoreFunctions(raw);
    return db;
}

Database::Database(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) {}

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
    runOnFile(sql.toUtf8().constData());
}

qint64 Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

bool Database::tableExists(const QString &table)
{
    return scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name = ?1 COLLATE NOCASE"),
                  table).toLongLong() > 0;
}

QStringList Database::columnNames(const QString &table)
{
    // PRAGMA arguments cannot be bound; the name is checked against the schema first.
    requireTable(table);
    QStringList names;
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

void Database::begin()
{
    runOnFile("BEGIN IMMEDIATE");
}

void Database::commit()
{
    runOnFile("COMMIT");
}

void Database::rollback()
{
    if (inTransaction())
        runOnFile("ROLLBACK");
}

bool Database::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

void Database::setBusyTimeout(int ms)
{
    sqlite3_busy_timeout(m_db, ms);
}

void Database::copyInto(Database &destination)
{
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
    Statement st(*this, QStringLiteral("PRAGMA quick_check(1)"));
    return st.next() ? st.text(0) : QStringLiteral("no answer");
}

void Database::setReadOnly(bool readOnly)
{
    runPragma(m_db, readOnly ? "PRAGMA query_only = 1" : "PRAGMA query_only = 0");
    m_readOnly = readOnly;
}

void Database::attach(const QString &path, const QString &key, const QString &alias)
{
    if (!QFileInfo::exists(path))
        throw DbError(DbError::Kind::MissingFile, QStringLiteral("database not found: ") + path).setFile(path);
    execute(QStringLiteral("ATTACH DATABASE ?1 AS %1 KEY ?2").arg(alias), path, key);
    runPragma(m_db, QStringLiteral("PRAGMA %1.journal_mode = DELETE").arg(alias).toUtf8().constData());
    runPragma(m_db, QStringLiteral("PRAGMA %1.synchronous = FULL").arg(alias).toUtf8().constData());
}

void Database::detach(const QString &alias)
{
    execute(QStringLiteral("DETACH DATABASE %1").arg(alias));
}

} // namespace db
