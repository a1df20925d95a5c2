#include "PgTestServer.h"

#include <QDir>
#include <QProcess>
#include <QVersionNumber>
#include <libpq-fe.h>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr const char *SuperUser = "kelvora";
constexpr int SocketPort = 5432; // names the socket file only; nothing listens on TCP

QString newestServerBinaries()
{
    QString best;
    QVersionNumber bestVersion;
    const QDir root(QStringLiteral("/usr/lib/postgresql"));
    for (const QString &v : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString bin = root.filePath(v + QStringLiteral("/bin"));
        const QVersionNumber version = QVersionNumber::fromString(v);
        if (QFile::exists(bin + QStringLiteral("/initdb")) && version > bestVersion) {
            best = bin;
            bestVersion = version;
        }
    }
    return best;
}

void fail(const QString &what)
{
    throw std::runtime_error("test database server: " + what.toStdString());
}

} // namespace

PgTestServer &PgTestServer::instance()
{
    static PgTestServer server;
    return server;
}

bool PgTestServer::serverEngineRequested()
{
    return qEnvironmentVariable("KELVORA_TEST_ENGINE") == QLatin1String("postgresql");
}

PgTestServer::PgTestServer() : m_dir(QStringLiteral("/tmp/kelvora-pg-XXXXXX"))
{
    start();
}

PgTestServer::~PgTestServer()
{
    stop();
}

QString PgTestServer::runAsServerUser(const QString &program, const QStringList &args) const
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    const QString exe = m_binDir + QLatin1Char('/') + program;
    if (m_runAs.isEmpty())
        p.start(exe, args);
    else
        p.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), m_runAs, QStringLiteral("--"), exe} + args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        fail(program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll()));
    return QString::fromLocal8Bit(p.readAll());
}

void PgTestServer::start()
{
    if (!m_dir.isValid())
        fail(QStringLiteral("no temporary folder"));
    m_binDir = newestServerBinaries();
    if (m_binDir.isEmpty())
        fail(QStringLiteral("no server programs under /usr/lib/postgresql (install postgresql)"));
    if (geteuid() == 0) {
        // The server will not run as root; the distribution's package makes this user.
        m_runAs = QStringLiteral("postgres");
        QProcess chown;
        chown.start(QStringLiteral("chown"), {QStringLiteral("-R"), m_runAs, m_dir.path()});
        if (!chown.waitForFinished() || chown.exitCode() != 0)
            fail(QStringLiteral("cannot hand the folder to user ") + m_runAs);
    }
    const QString data = m_dir.filePath(QStringLiteral("data"));
    runAsServerUser(QStringLiteral("initdb"),
                    {QStringLiteral("-D"), data, QStringLiteral("-U"), QString::fromLatin1(SuperUser),
                     QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                     QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")});
    launch();
}

void PgTestServer::launch()
{
    const QString data = m_dir.filePath(QStringLiteral("data"));
    const QString options = QStringLiteral("-k %1 -p %2 -c listen_addresses='' -c fsync=off")
                                .arg(m_dir.path())
                                .arg(SocketPort);
    runAsServerUser(QStringLiteral("pg_ctl"),
                    {QStringLiteral("-D"), data, QStringLiteral("-o"), options, QStringLiteral("-l"),
                     m_dir.filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("start")});
    m_running = true;
}

void PgTestServer::stopNow()
{
    stop();
}

void PgTestServer::startAgain()
{
    if (!m_running)
        launch();
}

void PgTestServer::stop()
{
    if (!m_running)
        return;
    m_running = false;
    try {
        runAsServerUser(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
                                                   QStringLiteral("-m"), QStringLiteral("immediate"),
                                                   QStringLiteral("-w"), QStringLiteral("stop")});
    } catch (const std::exception &) {
        // The folder goes with the process; a server left behind has no socket to reach.
    }
}

QString PgTestServer::connection(const QString &database) const
{
    return QStringLiteral("host=%1 port=%2 user=%3 dbname=%4")
        .arg(m_dir.path())
        .arg(SocketPort)
        .arg(QString::fromLatin1(SuperUser), database);
}

QString PgTestServer::createDatabase()
{
    const QString name = QStringLiteral("book%1_%2").arg(getpid()).arg(++m_databases);
    PGconn *c = PQconnectdb(connection(QStringLiteral("postgres")).toUtf8().constData());
    const bool ok = PQstatus(c) == CONNECTION_OK;
    QString error = QString::fromUtf8(PQerrorMessage(c));
    if (ok) {
        PGresult *r = PQexec(c, (QStringLiteral("CREATE DATABASE ") + name).toUtf8().constData());
        if (PQresultStatus(r) != PGRES_COMMAND_OK)
            error = QString::fromUtf8(PQresultErrorMessage(r));
        else
            error.clear();
        PQclear(r);
    }
    PQfinish(c);
    if (!error.isEmpty())
        fail(QStringLiteral("cannot create database ") + name + QStringLiteral(": ") + error);
    return connection(name);
}
