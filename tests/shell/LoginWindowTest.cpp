#include "WindowTestHelpers.h"
#include "data/AppGlobals.h"
#include "platform/desktop/WorkstationNames.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "shell/login/Login.h"
#include "shell/login/UserAdmin.h"
#include "data/AdministratorCode.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "data/AuditLog.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QTreeWidget>
#include <QSignalSpy>
#include <QScreen>
#include <gtest/gtest.h>

class LoginWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        globals() = AppGlobals{};
        // The users file of an older installation: the fixed code still opens it.
        data.makeUsersFileFromBefore();
        window.setThrottleClock([this] { return now; });
        data.addUser(QStringLiteral("μαρία"), QStringLiteral("1234"), true, false, true);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QLineEdit *text(int i) { return window.findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(i)); }
    QAbstractButton *command(int i)
    {
        return window.findChild<QAbstractButton *>(QStringLiteral("Command1(%1)").arg(i));
    }
    QListWidget *userList() { return child<QListWidget>(&window, "DBList1"); }

    // Types name and password as a user does: Enter moves from one box to the next.
    void typeLogin(const QString &name, const QString &password)
    {
        text(0)->setFocus();
        typeText(text(0), name);
        QTest::keyClick(text(0), Qt::Key_Return);
        ASSERT_EQ(QApplication::focusWidget(), text(1));
        typeText(text(1), password);
        clickButton(command(0));
    }

    void enterAdministratorMode()
    {
        typeLogin(QStringLiteral("ROOTDESK"), QStringLiteral("38627"));
        ASSERT_TRUE(window.isAdministratorMode());
    }

    QRect itemRect(const QString &name)
    {
        const QList<QListWidgetItem *> items = userList()->findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? QRect() : userList()->visualItemRect(items.first());
    }

    QStringList logged()
    {
        QStringList out;
        db::Statement st = data.users().prepare(QStringLiteral("SELECT energeia FROM katagrafh ORDER BY aa"));
        while (st.next())
            out << st.text(0);
        return out;
    }

    qint64 now = 1'000'000;
    TestDataFolder data;
    ScriptedMessages boxes;
    Login window{data.store()};
};

TEST_F(LoginWindow, StartsSmallWithTheUpperPartOnly)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Δώστε κωδικό πρόσβασης. "));
    EXPECT_EQ(window.height(), ui::twipsToPixels(2325));
    EXPECT_FALSE(child<QGroupBox>(&window, "SSFrame1")->isVisible());
    EXPECT_FALSE(command(3)->isEnabled());
    EXPECT_FALSE(command(4)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), text(0));
}

TEST_F(LoginWindow, PasswordShowsStars)
{
    text(1)->setFocus();
    typeText(text(1), QStringLiteral("abc1"));
    EXPECT_EQ(text(1)->displayText(), QStringLiteral("****"));
    EXPECT_EQ(text(1)->text(), QStringLiteral("abc1"));
}

TEST_F(LoginWindow, AdministratorNameInCapitalsEnlargesTheWindow)
{
    enterAdministratorMode();
    EXPECT_EQ(window.height(), ui::twipsToPixels(Login::AdministratorHeightTwips + Login::SecurityHeightTwips));
    EXPECT_TRUE(child<QGroupBox>(&window, "SSFrame1")->isVisible());
    EXPECT_TRUE(child<QGroupBox>(&window, "SSFrame3")->isVisible());
    EXPECT_FALSE(window.hasLoggedIn());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(userList()->count(), 2);
}

TEST_F(LoginWindow, AdministratorCodeWithATrailingBlankIsAWrongPair)
{
    QSignalSpy succeeded(&window, &Login::loginSucceeded);
    typeLogin(QStringLiteral("rootdesk"), QStringLiteral("38627 "));
    EXPECT_FALSE(window.isAdministratorMode());
    EXPECT_EQ(window.height(), ui::twipsToPixels(2325));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Εισαγωγή Ονόματος / κωδικού"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Εχετε δώσει λάθος Ονομα ή κωδικό "));
    EXPECT_EQ(succeeded.count(), 0);
}

TEST_F(LoginWindow, NormalAttemptLeavesAdministratorMode)
{
    enterAdministratorMode();
    text(0)->clear();
    text(1)->clear();
    typeLogin(QStringLiteral("nobody"), QStringLiteral("x"));
    EXPECT_FALSE(window.isAdministratorMode());
    EXPECT_EQ(window.height(), ui::twipsToPixels(2325));
}

TEST_F(LoginWindow, LowerCaseGreekNameLogsInTypedInCapitals)
{
    QSignalSpy succeeded(&window, &Login::loginSucceeded);
    QSignalSpy ended(&window, &Login::endRequested);
    typeLogin(QStringLiteral("ΜΑΡΙΑ"), QStringLiteral("1234"));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(succeeded.count(), 1);
    EXPECT_TRUE(window.hasLoggedIn());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ended.count(), 0); // closing after the log-in does not end the program
    EXPECT_EQ(globals().CurrentUserName, QStringLiteral("μαρία"));
    EXPECT_TRUE(globals().RightChangeRecords);
    EXPECT_FALSE(globals().RightCloseCash);
    EXPECT_TRUE(globals().RightGroupsCodes);
    EXPECT_EQ(globals().NetUserName, workstation::userName());
    EXPECT_EQ(globals().MachineName, workstation::machineName());
}

TEST_F(LoginWindow, InjectedNameFailsAndTheUserMayTryAgain)
{
    QSignalSpy succeeded(&window, &Login::loginSucceeded);
    const QString injection = QStringLiteral("' or '1'='1");
    for (int attempt = 0; attempt < 3; ++attempt) {
        text(0)->clear();
        text(1)->clear();
        typeLogin(injection, injection);
        EXPECT_EQ(QApplication::focusWidget(), text(0));
    }
    EXPECT_EQ(boxes.count(), 3);
    EXPECT_EQ(succeeded.count(), 0);
    text(0)->clear();
    text(1)->clear();
    typeLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    EXPECT_EQ(succeeded.count(), 1);
}

TEST_F(LoginWindow, ClosingBeforeLoggingInEndsTheProgram)
{
    QSignalSpy ended(&window, &Login::endRequested);
    window.close();
    EXPECT_EQ(ended.count(), 1);
}

TEST_F(LoginWindow, EndButtonEndsTheProgramOnce)
{
    QSignalSpy ended(&window, &Login::endRequested);
    clickButton(command(1));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(LoginWindow, ClickShowsADoubleClickPicksAUser)
{
    enterAdministratorMode();
    const QRect maria = itemRect(QStringLiteral("μαρία"));
    ASSERT_TRUE(maria.isValid());
    QTest::mouseClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    EXPECT_EQ(text(2)->text(), QStringLiteral("μαρία"));
    EXPECT_TRUE(text(3)->text().isEmpty()); // a password is never shown
    EXPECT_TRUE(child<QCheckBox>(&window, "SSCheck1(0)")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&window, "SSCheck1(1)")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(&window, "SSCheck1(2)")->isChecked());
    EXPECT_FALSE(command(3)->isEnabled());

    QTest::mouseDClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    EXPECT_TRUE(command(3)->isEnabled());
    EXPECT_TRUE(command(4)->isEnabled());
    EXPECT_TRUE(text(3)->text().isEmpty());
    // Typed into the other user's boxes before: still nothing of a password shows.
    QTest::mouseClick(userList()->viewport(), Qt::LeftButton, {}, itemRect(QStringLiteral("admin")).center());
    EXPECT_TRUE(text(3)->text().isEmpty());
}

TEST_F(LoginWindow, DeletingAUserClearsTheFourBoxes)
{
    enterAdministratorMode();
    const QRect maria = itemRect(QStringLiteral("μαρία"));
    QTest::mouseClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    QTest::mouseDClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    boxes.answerNext(msg::Answer::Ok);
    clickButton(command(4));

    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(text(i)->text().isEmpty()) << i;
    EXPECT_FALSE(command(3)->isEnabled());
    EXPECT_FALSE(command(4)->isEnabled());
    EXPECT_TRUE(userList()->findItems(QStringLiteral("μαρία"), Qt::MatchExactly).isEmpty());
    EXPECT_EQ(login::listUsers(data.users()).size(), 1);
}

TEST_F(LoginWindow, ChangingAUserRewritesTheDoubleClickedRow)
{
    enterAdministratorMode();
    const QRect maria = itemRect(QStringLiteral("μαρία"));
    QTest::mouseClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    QTest::mouseDClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    text(3)->setFocus();
    text(3)->selectAll();
    typeText(text(3), QStringLiteral("9999"));
    child<QCheckBox>(&window, "SSCheck1(1)")->setChecked(true);
    clickButton(command(3));
    const login::UserRow changed = login::listUsers(data.users()).at(1);
    EXPECT_EQ(changed.name, QStringLiteral("μαρία"));
    EXPECT_TRUE(changed.closeCash);
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("μαρία"), QStringLiteral("9999")));
    EXPECT_FALSE(login::findUser(data.users(), QStringLiteral("μαρία"), QStringLiteral("1234")));
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("admin"), QStringLiteral("admin")));
}

TEST_F(LoginWindow, ChangingOnlyTheRightsKeepsThePassword)
{
    enterAdministratorMode();
    const QRect maria = itemRect(QStringLiteral("μαρία"));
    QTest::mouseClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    QTest::mouseDClick(userList()->viewport(), Qt::LeftButton, {}, maria.center());
    child<QCheckBox>(&window, "SSCheck1(1)")->setChecked(true);
    clickButton(command(3));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(login::listUsers(data.users()).at(1).closeCash);
    EXPECT_TRUE(login::findUser(data.users(), QStringLiteral("μαρία"), QStringLiteral("1234")));
}

TEST_F(LoginWindow, AfterFiveFailuresTheWaitIsShownAndTriesRefused)
{
    QSignalSpy succeeded(&window, &Login::loginSucceeded);
    QLabel *wait = child<QLabel>(&window, "lblWait");
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(wait->isVisible());
        text(0)->clear();
        text(1)->clear();
        typeLogin(QStringLiteral("μαρία"), QStringLiteral("0000"));
    }
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->text(), QStringLiteral("Επόμενη προσπάθεια σε 1 δευτ."));

    boxes.clear();
    text(0)->clear();
    text(1)->clear();
    typeLogin(QStringLiteral("μαρία"), QStringLiteral("1234"));
    EXPECT_EQ(succeeded.count(), 0);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Πολλές λάθος προσπάθειες. Δοκιμάστε ξανά σε 1 δευτερόλεπτα."));

    now += 1000;
    text(0)->clear();
    text(1)->clear();
    typeLogin(QStringLiteral("μαρία"), QStringLiteral("1234"));
    EXPECT_EQ(succeeded.count(), 1);
}

TEST_F(LoginWindow, AdministratorCodeSetInTheWindowRetiresTheFixedOne)
{
    enterAdministratorMode();
    QLabel *warning = child<QLabel>(&window, "lblAdminCodeWarning");
    EXPECT_TRUE(warning->isVisible());

    text(4)->setText(QStringLiteral("kodikos-1"));
    text(5)->setText(QStringLiteral("kodikos-2"));
    clickButton(command(8));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("Οι δύο κωδικοί δεν είναι ίδιοι."));
    EXPECT_FALSE(admincode::isSet(data.users()));

    text(5)->setText(QStringLiteral("kodikos-1"));
    clickButton(command(8));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Ο κωδικός διαχειριστή ορίστηκε."));
    EXPECT_TRUE(admincode::isSet(data.users()));
    EXPECT_FALSE(warning->isVisible());
    EXPECT_TRUE(text(4)->text().isEmpty());
    EXPECT_TRUE(text(5)->text().isEmpty());

    text(0)->clear();
    text(1)->clear();
    typeLogin(QStringLiteral("rootdesk"), QStringLiteral("38627"));
    EXPECT_FALSE(window.isAdministratorMode());
    text(0)->clear();
    text(1)->clear();
    typeLogin(QStringLiteral("rootdesk"), QStringLiteral("kodikos-1"));
    EXPECT_TRUE(window.isAdministratorMode());
    EXPECT_FALSE(warning->isVisible());
}

TEST_F(LoginWindow, MaintenanceIsLoggedAndListed)
{
    data.closeDay(QDate(2026, 3, 1));
    data.closeDay(QDate(2026, 3, 3));
    clickButton(command(5)); // unlock, before anyone logged in
    enterAdministratorMode();
    boxes.answerNext(msg::Answer::Yes);
    clickButton(command(6));
    boxes.answerNext(msg::Answer::Yes);
    clickButton(command(7));
    EXPECT_EQ(logged(), (QStringList{auditlog::action::Unlock, auditlog::action::AdministratorEntry,
                                     auditlog::action::CloseOpenDays + QStringLiteral(" (1)"),
                                     auditlog::action::DeleteAll}));
    auto *list = child<QTreeWidget>(&window, "lstKatagrafh");
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(list->topLevelItem(0)->text(3), auditlog::action::DeleteAll);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("rootdesk"));
    EXPECT_EQ(list->topLevelItem(3)->text(3), auditlog::action::Unlock);
}

TEST_F(LoginWindow, AddingAUserListsIt)
{
    enterAdministratorMode();
    text(2)->setFocus();
    typeText(text(2), QStringLiteral("Νίκος"));
    QTest::keyClick(text(2), Qt::Key_Return);
    typeText(QApplication::focusWidget(), QStringLiteral("55"));
    EXPECT_EQ(text(3)->text(), QStringLiteral("55"));
    clickButton(command(2));
    EXPECT_EQ(userList()->findItems(QStringLiteral("Νίκος"), Qt::MatchExactly).size(), 1);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(LoginWindow, BulkClosingFromTheButton)
{
    data.closeDay(QDate(2026, 3, 1));
    data.closeDay(QDate(2026, 3, 2));
    data.closeDay(QDate(2026, 3, 5));
    enterAdministratorMode();
    boxes.answerNext(msg::Answer::Yes);
    clickButton(command(6));
    EXPECT_EQ(data.users()
                  .scalar(QStringLiteral("SELECT group_concat(Hmeraklhsimatos) FROM "
                                         "(SELECT Hmeraklhsimatos FROM KlhsimoTameioy ORDER BY 1)"))
                  .toString(),
              QStringLiteral("2026-03-01,2026-03-02,2026-03-03,2026-03-04,2026-03-05"));
    EXPECT_TRUE(window.cursor().shape() != Qt::WaitCursor);
}

// Grown to the administrator mode the window is centred again, so it does not
// run off a small screen below where the small window stood.
TEST_F(LoginWindow, TheAdministratorModeIsCentredAgainAndFitsTheSmallestScreen)
{
    const QRect area = window.screen()->availableGeometry();
    enterAdministratorMode();
    QTest::qWait(20);
    EXPECT_EQ(window.frameGeometry().topLeft(), ui::centredTopLeft(area, window.frameGeometry().size()));
    EXPECT_GE(window.frameGeometry().top(), area.top());
    // A title bar of up to 40 pixels included.
    EXPECT_LE(window.frameGeometry().height() + 40, ui::SmallestScreen.height());
    EXPECT_LE(window.frameGeometry().width(), ui::SmallestScreen.width());
}

// The typed password (or administrator code) is not kept once a try is
// decided, whatever the outcome; nor is a new user's password once stored.
TEST_F(LoginWindow, PasswordBoxesAreEmptiedOnceUsed)
{
    typeLogin(QStringLiteral("μαρία"), QStringLiteral("0000")); // wrong
    EXPECT_TRUE(text(1)->text().isEmpty());

    text(0)->clear();
    enterAdministratorMode();
    EXPECT_TRUE(text(1)->text().isEmpty());

    text(2)->setText(QStringLiteral("Νίκος"));
    text(3)->setText(QStringLiteral("Νέο-Κλειδί"));
    clickButton(command(2));
    ASSERT_EQ(userList()->findItems(QStringLiteral("Νίκος"), Qt::MatchExactly).size(), 1);
    EXPECT_TRUE(text(3)->text().isEmpty());

    QSignalSpy succeeded(&window, &Login::loginSucceeded);
    text(0)->clear();
    typeLogin(QStringLiteral("νίκος"), QStringLiteral("νέο-κλειδί"));
    ASSERT_EQ(succeeded.count(), 1);
    EXPECT_TRUE(text(1)->text().isEmpty());
    EXPECT_TRUE(globals().CurrentUserPassword.isEmpty());
}

TEST_F(LoginWindow, UserAdministrationIsLoggedAsTheAdministrator)
{
    enterAdministratorMode();
    text(2)->setText(QStringLiteral("Νίκος"));
    text(3)->setText(QStringLiteral("55"));
    clickButton(command(2));
    const auditlog::Entry newest = auditlog::recent(data.users(), 1).first();
    EXPECT_EQ(newest.user, QStringLiteral("rootdesk"));
    EXPECT_EQ(newest.workstation, workstation::machineName());
    EXPECT_TRUE(newest.what.startsWith(auditlog::action::UserAdded + QStringLiteral(" «Νίκος»")));
    // Listed at once in the window's log.
    EXPECT_EQ(child<QTreeWidget>(&window, "lstKatagrafh")->topLevelItem(0)->text(3), newest.what);
}
