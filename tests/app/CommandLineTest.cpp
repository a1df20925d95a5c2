#include "app/CommandLine.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using commandline::Action;

TEST(CommandLine, KnownOptionsAndTheRestRefused)
{
    EXPECT_EQ(commandline::parse({}).action, Action::Run);
    EXPECT_EQ(commandline::parse({QStringLiteral("--check-startup")}).action, Action::CheckStartup);
    EXPECT_EQ(commandline::parse({QStringLiteral("-h")}).action, Action::Help);
    EXPECT_EQ(commandline::parse({QStringLiteral("--bogus"), QStringLiteral("--version")}).action, Action::Version);
    const commandline::Request r = commandline::parse({QStringLiteral("--check-startup"), QStringLiteral("/tmp/x")});
    EXPECT_EQ(r.action, Action::Refuse);
    EXPECT_EQ(r.refused, QStringLiteral("/tmp/x"));
}

// From outside, as an administrator tries an installed program: help and
// version print and end, an unknown option is refused; none of them opens a
// window (no display is given) or writes a file anywhere.
TEST(CommandLine, HelpVersionAndUnknownOptionsWriteNothing)
{
    QTemporaryDir home, runtime;
    const QString besideProgram = QFileInfo(QStringLiteral(KELVORA_PROGRAM)).dir().filePath(QStringLiteral("DIADROMH.DAT"));
    const bool besideBefore = QFileInfo::exists(besideProgram);
    struct Case
    {
        QStringList args;
        int exitCode;
        const char *says;
    };
    for (const Case &c : {Case{{QStringLiteral("--help")}, 0, "Usage: kelvora"},
                          Case{{QStringLiteral("--version")}, 0, "kelvora " KELVORA_VERSION},
                          Case{{QStringLiteral("--bogus")}, 2, "unknown option '--bogus'"},
                          Case{{QStringLiteral("/srv/data")}, 2, "unknown option '/srv/data'"}}) {
        SCOPED_TRACE(qPrintable(c.args.join(u' ')));
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        // Help and version need no display at all; an unknown option is
        // refused once the toolkit has taken its own options.
        if (c.exitCode != 0)
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KELVORA_PROGRAM), c.args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), c.exitCode);
        const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.says))) << out.toStdString();
        EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        EXPECT_TRUE(QDir(runtime.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        EXPECT_EQ(QFileInfo::exists(besideProgram), besideBefore);
    }
}
