#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A private database server for the tests: its own cluster in a temporary
// folder, reached only through a unix socket in that folder (no TCP port), run
// as an unprivileged user because the server refuses to run as root. It is
// started once per test process and stopped when the process ends.
//
// A test that needs the server calls instance(); when the server cannot be
// started that throws, so the test fails instead of passing unseen.
class PgTestServer
{
public:
    static PgTestServer &instance();

    ~PgTestServer();
    PgTestServer(const PgTestServer &) = delete;
    PgTestServer &operator=(const PgTestServer &) = delete;

    // A connection text for the given database on this server (no password:
    // the socket is private and trusted).
    QString connection(const QString &database) const;
    // A new, empty database for one test; returns its connection text.
    QString createDatabase();

    // The server stops at once, as on a crash or a power cut of its machine
    // (no checkpoint; open sessions end, what was not committed is rolled
    // back when it starts again); and starts again on the same cluster.
    void stopNow();
    void startAgain();

    // True when the suites should run on the server engine this time
    // (KELVORA_TEST_ENGINE=postgresql, set by the second registration in ctest).
    static bool serverEngineRequested();

private:
    PgTestServer();
    void start();
    void launch();
    void stop();
    // Runs one of the server's programs as the server's user; throws on failure.
    QString runAsServerUser(const QString &program, const QStringList &args) const;

    QTemporaryDir m_dir;
    QString m_binDir;
    QString m_runAs; // empty when the tests do not run as root
    bool m_running = false;
    int m_databases = 0;
};
