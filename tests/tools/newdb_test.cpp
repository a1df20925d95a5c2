// kelvora-newdb run as an installer runs it: the administrator code given or
// asked twice, and set again later on an existing data folder.
#include "data/AdministratorCode.h"
#include "data/AppGlobals.h"
#include "data/AuditLog.h"
#include "data/DataFolder.h"
#include "platform/db/Database.h"
#include "shell/login/LoginSearch.h"

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
