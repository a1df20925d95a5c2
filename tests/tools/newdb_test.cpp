// kelvora-newdb run as an installer runs it: the administrator code given or
// asked twice, and set again later on an existing data folder.
#include "data/AdministratorCode.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/Backup.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/Store.h"
#include "platform/db/Database.h"
#include "shell/login/LoginSearch.h"
#include "support/PgTestServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun
{
    int exitCode;
    QString errors;
};

ToolRun newdb(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(QStringLiteral(KELVORA_NEWDB), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

class NewDb : public ::testing::Test
{
protected:
    // The tool keys its files at the engine's full cost.
    void SetUp() override { db::Database::setKdfIterations(0); }
    void TearDown() override
    {
        if (!qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF"))
            db::Database::setKdfIterations(64);
    }
    std::unique_ptr<db::Database> users()
    {
        return db::Database::open(datafolder::usersDatabase(folder()), globals().DbPassword);
    }
    QString folder() const { return dir.filePath(QStringLiteral("data")); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(NewDb, CodeGivenOnTheCommandLine)
{
    const ToolRun r = newdb({folder(), QStringLiteral("--admin-code"), QStringLiteral("Σπίτι-42"), QStringLiteral("--user"),
                         QStringLiteral("anna"), QStringLiteral("--password"), QStringLiteral("Μέλι")});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    auto u = users();
    EXPECT_TRUE(admincode::accepts(*u, QStringLiteral("Σπίτι-42")));
    EXPECT_FALSE(admincode::accepts(*u, admincode::fixedCode()));
    EXPECT_TRUE(login::findUser(*u, QStringLiteral("ANNA"), QStringLiteral("ΜΈΛΙ")));
    EXPECT_EQ(u->scalar(QStringLiteral("SELECT count(*) FROM codes WHERE upass LIKE '%έλι%'")).toInt(), 0);
    EXPECT_EQ(auditlog::recent(*u, 10).size(), 1);
    EXPECT_EQ(auditlog::recent(*u, 10).first().what, auditlog::action::AdministratorCodeSet);
}

TEST_F(NewDb, CodeAskedTwice)
{
    const ToolRun mismatch = newdb({folder()}, "abc-123\nabc-124\n");
    EXPECT_EQ(mismatch.exitCode, 2);
    EXPECT_FALSE(QFile::exists(datafolder::usersDatabase(folder()))); // nothing made
    const ToolRun tooShort = newdb({folder(), QStringLiteral("--admin-code"), QStringLiteral("12345")});
    EXPECT_EQ(tooShort.exitCode, 2);
    EXPECT_FALSE(QFile::exists(datafolder::usersDatabase(folder())));

    const ToolRun r = newdb({folder()}, "abc-123\nabc-123\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    EXPECT_TRUE(admincode::accepts(*users(), QStringLiteral("abc-123")));
}

TEST_F(NewDb, ForgottenCodeIsResetOnTheDataFolder)
{
    ASSERT_EQ(newdb({folder(), QStringLiteral("--admin-code"), QStringLiteral("forgotten")}).exitCode, 0);
    EXPECT_EQ(newdb({folder(), QStringLiteral("--admin-code"), QStringLiteral("again-1")}).exitCode, 1); // exists
    const ToolRun r = newdb({folder(), QStringLiteral("--reset-admin-code")}, "new-code-7\nnew-code-7\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    auto u = users();
    EXPECT_FALSE(admincode::accepts(*u, QStringLiteral("forgotten")));
    EXPECT_TRUE(admincode::accepts(*u, QStringLiteral("new-code-7")));
    EXPECT_EQ(newdb({dir.filePath(QStringLiteral("none")), QStringLiteral("--reset-admin-code"),
                     QStringLiteral("--admin-code"), QStringLiteral("whatever")})
                  .exitCode,
              1);
}

// Before, a user named without a password was made with every right and an
// empty password. The password is now asked twice (here: two lines of the
// input) and an empty one is refused; nothing is made until all is known.
TEST_F(NewDb, UserWithoutPasswordIsAskedTwiceAndNeverEmpty)
{
    const QStringList args = {folder(), QStringLiteral("--admin-code"), QStringLiteral("kodikos-1"),
                              QStringLiteral("--user"), QStringLiteral("anna")};
    for (const QByteArray &input : {QByteArray(), QByteArray("\n\n"), QByteArray("   \n   \n"),
                                    QByteArray("Μέλι\nΜέλο\n"), QByteArray("Μέλι\n")}) {
        const ToolRun r = newdb(args, input);
        EXPECT_EQ(r.exitCode, 2) << input.toStdString();
        EXPECT_FALSE(QFile::exists(datafolder::mainDatabase(folder()))) << input.toStdString();
        EXPECT_FALSE(QFile::exists(datafolder::usersDatabase(folder()))) << input.toStdString();
    }
    const ToolRun r = newdb(args, "Μέλι\nΜέλι\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    auto u = users();
    EXPECT_TRUE(login::findUser(*u, QStringLiteral("anna"), QStringLiteral("ΜΈΛΙ")));
    EXPECT_FALSE(login::findUser(*u, QStringLiteral("anna"), QString()));
}

TEST_F(NewDb, OptionsThatWouldBeIgnoredAreRefused)
{
    const QStringList refused[] = {
        {folder(), QStringLiteral("--admin-code"), QStringLiteral("kodikos-1"), QStringLiteral("--password"),
         QStringLiteral("pw")},
        {folder(), QStringLiteral("--admin-code"), QStringLiteral("kodikos-1"), QStringLiteral("--password-stdin")},
        {folder(), QStringLiteral("--admin-code"), QStringLiteral("kodikos-1"), QStringLiteral("--user"),
         QStringLiteral("  "), QStringLiteral("--password"), QStringLiteral("pw")},
        {folder(), QStringLiteral("--admin-code"), QStringLiteral("kodikos-1"), QStringLiteral("--admin-code-stdin")},
        {folder(), QStringLiteral("--reset-admin-code"), QStringLiteral("--user"), QStringLiteral("anna")},
        {QStringLiteral("--restore"), folder(), folder(), QStringLiteral("--user"), QStringLiteral("anna")},
    };
    for (const QStringList &args : refused) {
        const ToolRun r = newdb(args, "kodikos-1\nkodikos-1\npw\npw\n");
        EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.errors.isEmpty());
        EXPECT_FALSE(QFile::exists(datafolder::usersDatabase(folder()))) << args.join(u' ').toStdString();
    }
}

// Nothing secret on the command line, where other local users can read it.
TEST_F(NewDb, CodeAndPasswordReadFromStandardInput)
{
    const ToolRun r = newdb({folder(), QStringLiteral("--admin-code-stdin"), QStringLiteral("--user"),
                             QStringLiteral("anna"), QStringLiteral("--password-stdin")},
                            "Σπίτι-42\nΜέλι\n");
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    auto u = users();
    EXPECT_TRUE(admincode::accepts(*u, QStringLiteral("Σπίτι-42")));
    EXPECT_TRUE(login::findUser(*u, QStringLiteral("anna"), QStringLiteral("μέλι")));
}

TEST_F(NewDb, RestoreRefusedWhileHeldAndOtherwiseTellsToRestartEveryWorkstation)
{
    ASSERT_EQ(newdb({folder(), QStringLiteral("--admin-code"), QStringLiteral("kodikos-1")}).exitCode, 0);
    QString backupFolder;
    {
        Store store(folder(), globals().DbPassword);
        const backup::Result made = backup::backupDay(store, QDate(2026, 3, 7));
        ASSERT_TRUE(made.ok) << qPrintable(made.error);
        backupFolder = made.folder;
    }
    const InUseMarker marker(datafolder::marker(folder()));
    ASSERT_EQ(marker.tryTake(QStringLiteral("anna"), QStringLiteral("pc-2")), InUseMarker::TakeResult::Taken);
    const QStringList args = {QStringLiteral("--restore"), folder(), backupFolder};
    ToolRun r = newdb(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.errors.contains(QStringLiteral("nothing restored"))) << r.errors.toStdString();
    EXPECT_TRUE(r.errors.contains(QStringLiteral("pc-2"))) << r.errors.toStdString();
    EXPECT_TRUE(QDir(folder()).entryList({QStringLiteral("*.before-restore-*")}).isEmpty());

    ASSERT_TRUE(marker.release(QString(), QString()));
    QProcess p;
    p.start(QStringLiteral(KELVORA_NEWDB), args);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QString said = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(said.contains(QStringLiteral("Restart Kelvora on every workstation"))) << said.toStdString();
    EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("*.before-restore-*")}).size(), 2);
}

TEST_F(NewDb, MakesABookOnAServerWithItsCodeAndFirstUserAndNeverOverwritesIt)
{
    const QString connection = PgTestServer::instance().createDatabase();
    const QStringList args{connection, QStringLiteral("--admin-code"), QStringLiteral("Σπίτι-42"),
                           QStringLiteral("--user"), QStringLiteral("anna"), QStringLiteral("--password"),
                           QStringLiteral("Μέλι")};
    const ToolRun r = newdb(args);
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    Store store(connection, globals().DbPassword);
    EXPECT_NO_THROW(store.checkTables());
    EXPECT_TRUE(admincode::accepts(store.users(), QStringLiteral("Σπίτι-42")));
    EXPECT_TRUE(login::findUser(store.users(), QStringLiteral("ANNA"), QStringLiteral("ΜΈΛΙ")));

    // A second run finds the book there and changes nothing.
    const ToolRun again = newdb({connection, QStringLiteral("--admin-code"), QStringLiteral("Άλλος-1")});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(admincode::accepts(store.users(), QStringLiteral("Σπίτι-42")));

    const ToolRun withPassword = newdb({connection + QStringLiteral(" password=x"), QStringLiteral("--admin-code"),
                                        QStringLiteral("Άλλος-1")});
    EXPECT_EQ(withPassword.exitCode, 2);
}

TEST_F(NewDb, CopiesAFoldersBookOntoAServerAndRefusesWhereABookIs)
{
    ASSERT_EQ(newdb({folder(), QStringLiteral("--admin-code"), QStringLiteral("Σπίτι-42"), QStringLiteral("--user"),
                     QStringLiteral("anna"), QStringLiteral("--password"), QStringLiteral("Μέλι")})
                  .exitCode,
              0);
    const QString connection = PgTestServer::instance().createDatabase();
    const ToolRun r = newdb({QStringLiteral("--copy-from"), folder(), connection});
    ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
    Store copy(connection, globals().DbPassword);
    EXPECT_TRUE(admincode::accepts(copy.users(), QStringLiteral("Σπίτι-42")));
    EXPECT_TRUE(login::findUser(copy.users(), QStringLiteral("anna"), QStringLiteral("Μέλι")));

    const ToolRun again = newdb({QStringLiteral("--copy-from"), folder(), connection});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.errors.contains(QStringLiteral("nothing copied"))) << again.errors.toStdString();
    EXPECT_TRUE(admincode::accepts(copy.users(), QStringLiteral("Σπίτι-42")));
}
