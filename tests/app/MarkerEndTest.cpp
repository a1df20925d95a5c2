#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "support/TestDataFolder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// One workstation process over the test's data folder, with its own runtime
// folder (where the single-instance lock lives).
class Worker
{
public:
    Worker(const QString &data, const QString &runtime, const QStringList &extra = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(MARKER_WORKER),
                        QStringList{data, QStringLiteral("anna"), QStringLiteral("ΤΑΜΕΙΟ-1")} + extra);
    }
    ~Worker()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    // Reads lines until one starts with `prefix`; all lines read are kept.
    QString waitFor(const QString &prefix)
    {
        for (int i = 0; i < 600; ++i) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                m_lines << line;
                if (line.startsWith(prefix))
                    return line;
            }
            if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning)
                break;
        }
        return QString();
    }
    void signal(int s) { ::kill(pid_t(m_process.processId()), s); }
    bool ended() { return m_process.waitForFinished(20000); }
    const QStringList &lines() const { return m_lines; }
    int boxes() const { return int(m_lines.filter(QStringLiteral("box ")).size()); }
    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    QStringList m_lines;
};

} // namespace

class MarkerEnd : public ::testing::Test
{
protected:
    InUseMarker::Record marker() const { return InUseMarker(datafolder::marker(data.path())).read(); }

    TestDataFolder data;
    QTemporaryDir runtime;
};

// Every orderly end gives the marker back: a shutdown (SIGTERM), a closed
// terminal or session (SIGHUP), Ctrl+C, and the toolkit's exit() when the
// display goes away.
TEST_F(MarkerEnd, EveryOrderlyEndReleasesTheMarker)
{
    struct Case
    {
        const char *name;
        int signal; // 0: the process leaves through exit() by itself
    };
    for (const Case &c : {Case{"SIGTERM", SIGTERM}, Case{"SIGHUP", SIGHUP}, Case{"SIGINT", SIGINT},
                          Case{"display gone", 0}}) {
        SCOPED_TRACE(c.name);
        Worker w(data.path(), runtime.path(), c.signal ? QStringList() : QStringList{QStringLiteral("exit")});
        ASSERT_EQ(w.waitFor(QStringLiteral("owns")), QStringLiteral("owns 1")) << w.lines().join(u'|').toStdString();
        ASSERT_FALSE(w.waitFor(QStringLiteral("ready")).isEmpty());
        EXPECT_TRUE(marker().isTaken());
        if (c.signal)
            w.signal(c.signal);
        ASSERT_TRUE(w.ended());
        EXPECT_TRUE(marker().isFree()) << w.lines().join(u'|').toStdString();
        EXPECT_EQ(marker().user, QStringLiteral("anna"));
    }
}

// A killed process cannot give anything back: the marker stays taken in its
// names. The next start on the same computer by the same user, with no other
// copy running, takes it over and says so once.
TEST_F(MarkerEnd, AKilledCopyLeavesAStaleMarkerThatTheNextStartTakesOver)
{
    {
        Worker killed(data.path(), runtime.path());
        ASSERT_EQ(killed.waitFor(QStringLiteral("owns")), QStringLiteral("owns 1"));
        ASSERT_FALSE(killed.waitFor(QStringLiteral("ready")).isEmpty());
        killed.signal(SIGKILL);
        ASSERT_TRUE(killed.ended());
    }
    ASSERT_TRUE(marker().isTaken());
    EXPECT_EQ(marker().user, QStringLiteral("anna"));

    Worker next(data.path(), runtime.path());
    EXPECT_EQ(next.waitFor(QStringLiteral("owns")), QStringLiteral("owns 1")) << next.lines().join(u'|').toStdString();
    EXPECT_EQ(next.boxes(), 1);
    EXPECT_TRUE(next.lines().join(u'|').contains(QStringLiteral("anna στον Η/Υ ΤΑΜΕΙΟ-1")));

    // While it runs, a second copy here is refused by the single-instance lock.
    Worker second(data.path(), runtime.path());
    EXPECT_EQ(second.waitFor(QStringLiteral("second")), QStringLiteral("second copy"));

    next.signal(SIGTERM);
    ASSERT_TRUE(next.ended());
    EXPECT_TRUE(marker().isFree());
}
