#include "app/Program.h"
#include "data/Schema.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/PathFile.h"
#include "data/SchemaUpgrade.h"
#include "platform/pages/engine.h"
#include "platform/regional/Clock.h"
#include "reports/ReportRunner.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "shell/startup/OpeningBalanceDialog.h"
#include "support/ModalSteps.h"
#include "support/ScriptedMessages.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct StartCase
{
    const char *name;
    QString before; // run on kelvora.mdb before the first start
};

void PrintTo(const StartCase &c, std::ostream *os)
{
    *os << c.name;
}

QLineEdit *lineEdit(QWidget *window, int element)
{
    return window->findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(element));
}

} // namespace

// From a data folder of the new-installation tool through the log-in to the
// main window with its real pages; the schema walk asks once for the opening
// balance in the real dialog. The files are made by the tool at the real key
// cost, so this test opens them at that cost too.
class ProgramStart : public ::testing::TestWithParam<StartCase>
{
protected:
    void SetUp() override
    {
        db::Database::setKdfIterations(0);
        globals() = AppGlobals{};
        data = programDir.filePath(QStringLiteral("data"));
        ASSERT_EQ(QProcess::execute(QStringLiteral(KELVORA_NEWDB),
                                    {data, QStringLiteral("--user"), QStringLiteral("anna"), QStringLiteral("--password"),
                                     QStringLiteral("kleidi"), QStringLiteral("--admin-code"),
                                     QStringLiteral("diaxeirish-1")}),
                  0);
        ASSERT_TRUE(pathfile::writeFolder({programDir.path(), QString()}, data).ok);
    }
    void TearDown() override
    {
        if (!qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF"))
            db::Database::setKdfIterations(64);
    }

    // The program started, its log-in window up with the user's name and password typed.
    Login *startedLogin(Program &program)
    {
        if (!program.start() || !program.login() || !QTest::qWaitForWindowExposed(program.login()))
            return nullptr;
        lineEdit(program.login(), 0)->setText(QStringLiteral("anna"));
        lineEdit(program.login(), 1)->setText(QStringLiteral("kleidi"));
        return program.login();
    }

    std::unique_ptr<db::Database> openMain()
    {
        return db::Database::open(datafolder::mainDatabase(data), globals().DbPassword);
    }

    QTemporaryDir programDir;
    QString data;
    ScriptedMessages boxes;
};

TEST_P(ProgramStart, LogInOpensTheRealMainWindowAfterTheOpeningBalance)
{
    if (!GetParam().before.isEmpty())
        openMain()->executeScript(GetParam().before);

    Program program(programDir.path());
    Login *login = startedLogin(program);
    ASSERT_NE(login, nullptr);

    int asked = 0;
    boxes.answerNext(msg::Answer::Yes); // "Θα ενημερωθούν τα υπόλοιπα ταμείου ... Να συνεχίσω;"
    ModalSteps driver([&](QWidget *modal) {
        auto *dialog = qobject_cast<FR_ErvthshUpdate *>(modal);
        ASSERT_NE(dialog, nullptr) << "not the opening-balance dialog";
        ++asked;
        lineEdit(dialog, 0)->setText(QStringLiteral("01-12-2026"));
        lineEdit(dialog, 1)->setText(QStringLiteral("150,00"));
        dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    });
    login->findChild<QAbstractButton *>(QStringLiteral("Command1(0)"))->click();

    kentrikh *window = program.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(boxes.count(), 1) << boxes.texts().join(QStringLiteral(" | ")).toStdString();
    // The real pages: the cash sheet with its day list and code box, the codes page.
    EXPECT_NE(window->findChild<QListWidget *>(QStringLiteral("List1")), nullptr);
    EXPECT_NE(window->findChild<QComboBox *>(QStringLiteral("DBCombo1")), nullptr);
    ASSERT_NE(window->codesPage(), nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kelvora"));
    EXPECT_TRUE(window->state().OwnsMarker);

    {
        auto db = openMain();
        EXPECT_EQ(schemaupgrade::currentVersion(*db), schema::CurrentVersion);
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM taytothta")).toLongLong(), 1);
        EXPECT_EQ(db->columnNames(QStringLiteral("kinhseis")).count(QStringLiteral("L_tajeos")), 1);
    }
    window->close(); // the stop sequence gives the marker back
    QCoreApplication::processEvents(); // the queued quit, here where no loop runs
    EXPECT_TRUE(InUseMarker(datafolder::marker(data)).read().isFree());
}

// The users file of an older installation (passwords in clear, no version)
// is brought to its version as a step of the start, before the log-in window
// takes a try: the window itself only reads.
using UsersFileAtStart = ProgramStart;
TEST_F(UsersFileAtStart, IsUpgradedBeforeTheFirstTry)
{
    const auto users = [&] { return db::Database::open(datafolder::usersDatabase(data), globals().DbPassword); };
    users()->executeScript(QStringLiteral("UPDATE codes SET upass = 'kleidi'; PRAGMA user_version = 0;"));

    Program program(programDir.path());
    ASSERT_TRUE(program.start());
    ASSERT_NE(program.login(), nullptr);
    auto u = users();
    EXPECT_EQ(u->scalar(QStringLiteral("PRAGMA user_version")).toInt(), 1);
    EXPECT_TRUE(u->scalar(QStringLiteral("SELECT upass FROM codes WHERE uname = 'anna'"))
                    .toString()
                    .startsWith(QStringLiteral("pbkdf2-sha256$")));
}

INSTANTIATE_TEST_SUITE_P(
    FromEachVersion, ProgramStart,
    ::testing::Values(StartCase{"NewInstallation", QString()},
                      StartCase{"VersionOne", QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (1);")},
                      StartCase{"VersionOneWithMemoColumn",
                                QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (1);"
                                               "ALTER TABLE kinhseis ADD COLUMN L_tajeos INTEGER DEFAULT 0;")},
                      StartCase{"NullVersion", QStringLiteral("INSERT INTO taytothta (ariumos) VALUES (NULL);")}),
    [](const ::testing::TestParamInfo<StartCase> &info) { return std::string(info.param.name); });

// A new book's opening balance is kept and carried: from an empty data folder
// of the new-installation tool, through the log-in and the real opening-balance
// dialog (typed as a user types, through its key filters), to the cash sheet of
// the next day and its printed day sheet.
class OpeningBalanceStart : public ProgramStart
{};

TEST_P(OpeningBalanceStart, TheNextDaySheetAndItsPrintCarryTheOpeningBalance)
{
    Clock::setToday(QDate(2026, 12, 8));
    Program program(programDir.path());
    Login *login = startedLogin(program);
    ASSERT_NE(login, nullptr);

    boxes.answerNext(msg::Answer::Yes); // "Θα ενημερωθούν τα υπόλοιπα ταμείου ... Να συνεχίσω;"
    ModalSteps driver([&](QWidget *modal) {
        auto *dialog = qobject_cast<FR_ErvthshUpdate *>(modal);
        ASSERT_NE(dialog, nullptr) << "not the opening-balance dialog";
        QLineEdit *date = lineEdit(dialog, 0);
        QLineEdit *amount = lineEdit(dialog, 1);
        date->setFocus();
        QTest::keyClicks(date, QStringLiteral("07.12.2026"));
        amount->setFocus();
        QTest::keyClicks(amount, QStringLiteral("1500,00"));
        EXPECT_EQ(date->text(), QStringLiteral("07-12-2026"));
        dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    });
    login->findChild<QAbstractButton *>(QStringLiteral("Command1(0)"))->click();

    kentrikh *window = program.mainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(boxes.count(), 1) << boxes.texts().join(QStringLiteral(" | ")).toStdString();
    // Today's sheet (08-12-2026) carries the balance of 07-12-2026.
    auto *list = window->findChild<QListWidget *>(QStringLiteral("List1"));
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Υπόλοιπο για την 07-12-2026    1.500,00"));
    EXPECT_EQ(window->statusPanelText(6), QStringLiteral("1.500,00"));

    // The printed day sheet of the same day, read from the engine's pages.
    pages::Engine engine;
    reports::ReportInput input;
    input.from = input.to = QDate(2026, 12, 8);
    input.fromText = input.toText = QStringLiteral("08-12-2026");
    input.headerCaption = QStringLiteral("Κεντρικό");
    ASSERT_TRUE(reports::runReport(1, engine, *window->state().store, input).complete());
    QStringList body;
    for (const pages::Page &page : engine.document().pages)
        body << page.texts(pages::ItemRole::Body);
    EXPECT_TRUE(body.contains(QStringLiteral("Υπόλοιπο από την 07-12-2026    1.500,00")))
        << body.join(QLatin1Char('/')).toStdString();
    EXPECT_TRUE(body.join(QLatin1Char('/')).contains(QStringLiteral("Υπόλοιπο 1500")));

    window->close();
    QCoreApplication::processEvents();
    Clock::setToday(QDate());
}

INSTANTIATE_TEST_SUITE_P(NewBook, OpeningBalanceStart, ::testing::Values(StartCase{"NewInstallation", QString()}),
                         [](const ::testing::TestParamInfo<StartCase> &info) { return std::string(info.param.name); });
