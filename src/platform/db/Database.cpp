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
        throw DbError(DbError::Kind::Sql, msg, rc);
}

} // namespace

void Database::setKdfIterations(int iterations)
{
    kdfIterations() = iterations;
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
    const bool exists = QFileInfo::exists(path);
    if (create && exists)
        throw DbError(DbError::Kind::Sql, QStringLiteral("database already exists: ") + path);
    if (!create && !exists)
        throw DbError(DbError::Kind::MissingFile, QStringLiteral("database not found: ") + path);
    if (exists && hasPlainSqliteHeader(path))
        throw DbError(DbError::Kind::NotEncrypted, QStringLiteral("not an encrypted cash-book file: ") + path);

    sqlite3 *raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    std::unique_ptr<Database> db(new Database(raw, path));
    if (rc != SQLITE_OK)
        throw DbError(DbError::Kind::MissingFile,
                      QStringLiteral("cannot open ") + path + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(raw)), rc);

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
        runPragma(raw, QStringLiteral("PRAGMA kdf_iter = %1").arg(kdfIterations()).toLatin1().constData());

    // The first read decides whether the key fits.
    runPragma(raw, "SELECT count(*) FROM sqlite_master");
    runPragma(raw, "PRAGMA journal_mode = DELETE");
    runPragma(raw, "PRAGMA synchronous = FULL");
    db->setBusyTimeout(10000);
    registerStoreFunctions(raw);
    return db;
}

Database::Database(sqlite3 *db, QString path) : m_db(db), m_path(std::move(path)) {}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

void Database::executeScript(const QString &sql)
{
    runPragma(m_db, sql.toUtf8().constData());
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
    runPragma(m_db, "BEGIN IMMEDIATE");
}

void Database::commit()
{
    runPragma(m_db, "COMMIT");
}

void Database::rollback()
{
    if (inTransaction())
        runPragma(m_db, "ROLLBACK");
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
    if (step == SQLITE_BUSY || step == SQLITE_LOCKED)
        throw DbError(DbError::Kind::Busy, QString::fromUtf8(sqlite3_errstr(step)), step);
    if (step != SQLITE_DONE)
        throw DbError(DbError::Kind::Sql, QString::fromUtf8(sqlite3_errstr(step)), step);
    if (finish != SQLITE_OK)
        throw DbError(DbError::Kind::Sql, QString::fromUtf8(sqlite3_errmsg(destination.m_db)), finish);
}

} // namespace db
