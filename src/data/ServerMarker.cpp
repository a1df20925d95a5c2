#include "ServerMarker.h"

#include "platform/db/Database.h"

#include <QThread>

namespace {

// One number for the right to change this book; the server keeps advisory
// locks per database, so books in other databases never meet it.
constexpr qint64 RightToChange = 4918238;

// The holder as the server sees it: a granted advisory lock of that number.
const QString HeldQuery = QStringLiteral(
    "SELECT pid FROM pg_locks WHERE locktype = 'advisory' AND granted AND classid = 0 AND objid = ?1 "
    "AND objsubid = 1 AND database = (SELECT oid FROM pg_database WHERE datname = current_database())");

} // namespace

ServerMarker::ServerMarker(db::Database &book) : m_book(book) {}

void ServerMarker::createTable(db::Database &book)
{
    book.executeScript(QStringLiteral("CREATE TABLE katoxos (flag TEXT, xrhsths TEXT, ypologisths TEXT, syndesh INTEGER);"
                                      "INSERT INTO katoxos (flag, xrhsths, ypologisths, syndesh) VALUES ('0', '', '', 0);"));
}

bool ServerMarker::keepsSession() const
{
    if (!m_keepsSession)
        m_keepsSession = m_book.columnNames(QStringLiteral("katoxos")).contains(QStringLiteral("syndesh"));
    return *m_keepsSession;
}

InUseMarker::Record ServerMarker::read() const
{
    InUseMarker::Record r;
    // The holder takes the lock first and writes its names next, so for a
    // moment the table still names the one before (who may be long gone).
    // The names are taken only when they are the holding session's own.
    const QString namesQuery = keepsSession()
                                   ? QStringLiteral("SELECT flag, xrhsths, ypologisths, syndesh FROM katoxos")
                                   : QStringLiteral("SELECT flag, xrhsths, ypologisths, 0 FROM katoxos");
    QVariant holder;
    for (int tries = 0; tries < 50; ++tries) {
        db::Statement names = m_book.prepare(namesQuery);
        qint64 named = 0;
        if (names.next()) {
            r.user = names.text(1);
            r.computer = names.text(2);
            named = names.integer(3);
        }
        holder = m_held ? QVariant() : m_book.scalar(HeldQuery, RightToChange);
        if (m_held || !holder.isValid() || !keepsSession() || holder.toLongLong() == named)
            break;
        QThread::msleep(10);
    }
    const bool held = m_held || holder.isValid();
    // A table that says "taken" with no session behind it was left by a
    // workstation that is gone: the right is free.
    r.state = held ? InUseMarker::Record::State::Taken : InUseMarker::Record::State::Free;
    r.flag = held ? QByteArray("1") : QByteArray("0");
    return r;
}

InUseMarker::TakeResult ServerMarker::tryTake(const QString &user, const QString &computer)
{
    if (m_held)
        return InUseMarker::TakeResult::Taken;
    if (m_book.scalar(QStringLiteral("SELECT pg_try_advisory_lock(?1)"), RightToChange).toLongLong() == 0)
        return InUseMarker::TakeResult::NotFree;
    m_held = true;
    try {
        if (keepsSession())
            m_book.execute(QStringLiteral("UPDATE katoxos SET flag = '1', xrhsths = ?1, ypologisths = ?2, "
                                          "syndesh = pg_backend_pid()"),
                           user, computer);
        else
            m_book.execute(QStringLiteral("UPDATE katoxos SET flag = '1', xrhsths = ?1, ypologisths = ?2"), user,
                           computer);
    } catch (const db::DbError &) {
        release(QString(), QString());
        return InUseMarker::TakeResult::Failed;
    }
    return InUseMarker::TakeResult::Taken;
}

bool ServerMarker::release(const QString &user, const QString &computer)
{
    if (!m_held)
        return true;
    try {
        m_book.execute(QStringLiteral("UPDATE katoxos SET flag = '0', xrhsths = ?1, ypologisths = ?2"), user, computer);
    } catch (const db::DbError &) {
        // The lock below is what others go by; the names are only for show.
    }
    m_book.scalar(QStringLiteral("SELECT pg_advisory_unlock(?1)"), RightToChange);
    m_held = false;
    return true;
}

bool ServerMarker::unlockForAdministrator()
{
    if (m_held)
        return release(QString(), QString());
    const QVariant pid = m_book.scalar(HeldQuery, RightToChange);
    if (!pid.isValid())
        return true;
    try {
        return m_book.scalar(QStringLiteral("SELECT pg_terminate_backend(?1)"), pid.toLongLong()).toLongLong() != 0;
    } catch (const db::DbError &) {
        return false; // the role has no right to end another session
    }
}
