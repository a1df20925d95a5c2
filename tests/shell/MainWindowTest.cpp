#include "FakePages.h"
#include "WindowTestHelpers.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "platform/db/DbError.h"
#include "platform/desktop/widgets/BusyGuard.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/regional/Clock.h"
#include "shell/mainwindow/kentrikh.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

const QString otherHolder = QStringLiteral("Η βάση χρησιμοποιήτε από τον (την) babis στον Η/Υ pc2");

std::optional<schemaupgrade::OpeningBalance> noAnswer()
{
    return std::nullopt;
}

} // namespace

// The main window frame over fake pages, on a fresh data folder whose marker
// is free (as after an unlock).
class MainWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        globals() = AppGlobals{};
        globals().DataPath = data.path();
        globals().NetUserName = QStringLiteral("anna");
        globals().MachineName = QStringLiteral("pc1");
        globals().RightChangeRecords = true;
        globals().RightCloseCash = true;
        globals().RightGroupsCodes = true;
        marker().release(QString(), QString());
        Clock::setToday(QDate(2026, 3, 17));
    }
    void TearDown() override { Clock::setToday(QDate()); }

    InUseMarker marker() const { return InUseMarker(datafolder::marker(data.path())); }
    void anotherWorkstationHoldsTheMarker()
    {
        ASSERT_EQ(marker().tryTake(QStringLiteral("babis"), QStringLiteral("pc2")), InUseMarker::TakeResult::Taken);
    }

    void open()
    {
        window = std::make_unique<kentrikh>(data.store(), fakeFactories(log));
        ASSERT_TRUE(window->initialise(noAnswer));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QAbstractButton *command(int i) const
    {
        return window->findChild<QAbstractButton *>(QStringLiteral("Command1(%1)").arg(i));
    }
    QWidget *panel(int i) const { return window->findChild<QWidget *>(QStringLiteral("Panel1(%1)").arg(i)); }
    QTabBar *tabs() const { return child<QTabBar>(window.get(), "Tab1"); }
    QList<int> visiblePanels() const
    {
        QList<int> out;
        for (int i = 1; i <= 3; ++i)
            if (panel(i)->isVisible())
                out << i;
        return out;
    }

    TestDataFolder data;
    ScriptedMessages boxes;
    PageLog log;
    std::unique_ptr<kentrikh> window;
};

TEST_F(MainWindow, FrameHasItsTabsButtonsAndPanels)
{
    open();
    EXPECT_EQ(window->frameGeometry().size(), QSize(788, 541)); // the outer size, frame included
    ASSERT_EQ(tabs()->count(), 4);
    const QString captions[] = {QStringLiteral("Ημερήσια κίνηση "), QStringLiteral("Κωδικοί κινήσεων "),
                                QStringLiteral("Εκτυπώσεις "), QStringLiteral("Εξοδος ")};
    const QString toolTips[] = {
        QStringLiteral("Εισαγωγή εσόδων και εξόδων"), QStringLiteral("Εισαγωγή και μεταβολή κωδικών - ομάδων"),
        QStringLiteral("Εκτύπωση ταμείου και καρτελών"), QStringLiteral("Εξοδος από το πρόγραμμα")};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs()->tabText(i), captions[i]);
        EXPECT_EQ(tabs()->tabToolTip(i), toolTips[i]);
        EXPECT_FALSE(tabs()->tabIcon(i).isNull());
    }
    EXPECT_EQ(visiblePanels(), QList<int>{1});

    // Each button sits on its page with its caption label under it.
    const int pageOf[] = {1, 3, 1, 1, 1, 2, 2, 2, 1, 2, 2};
    for (int page = 1; page <= 3; ++page) {
        clickTab(tabs(), page);
        for (int e = 0; e <= 10; ++e) {
            if (pageOf[e] != page)
                continue;
            QAbstractButton *b = command(e);
            ASSERT_NE(b, nullptr) << e;
            EXPECT_TRUE(panel(page)->isAncestorOf(b)) << e;
            EXPECT_TRUE(b->isVisible()) << e;
            auto *label = window->findChild<QLabel *>(QStringLiteral("Label2(%1)").arg(e));
            ASSERT_NE(label, nullptr) << e;
            const QRect button(b->mapTo(window.get(), QPoint()), b->size());
            const QRect caption(label->mapTo(window.get(), QPoint()), label->size());
            EXPECT_GE(caption.top(), button.bottom()) << e;
            EXPECT_LE(caption.left(), button.center().x()) << e;
            EXPECT_GE(caption.right(), button.center().x()) << e;
            EXPECT_GE(caption.width(), label->fontMetrics().horizontalAdvance(label->text())) << e;
        }
    }
    clickTab(tabs(), 1);
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("Label2(8)"))->text(), QStringLiteral("Κλείσιμο ταμείου"));
    EXPECT_EQ(command(0)->toolTip(), QStringLiteral("Εισαγωγή των στοιχείων της αγοράς (F5)"));

    EXPECT_EQ(child<QLabel>(window.get(), "Label3D1(1)")->text(), QStringLiteral("Κεντρικό"));
    EXPECT_EQ(child<QLabel>(window.get(), "Label3D1(0)")->text(), QStringLiteral("Έκδοση  " KELVORA_VERSION));
    EXPECT_EQ(window->statusPanelText(1), QStringLiteral("Σύνολο Εσόδων "));
    EXPECT_EQ(window->statusPanelText(2), QStringLiteral("0"));
    EXPECT_EQ(window->statusPanelText(3), QStringLiteral("Σύνολο Εξόδων  "));
    EXPECT_EQ(window->statusPanelText(5), QStringLiteral("Υπόλοιπο ταμείου "));
    EXPECT_EQ(window->statusPanelText(6), QStringLiteral("0,00"));
}

TEST_F(MainWindow, StartShowsTodayWithTheRightGrantedForThatCallOnly)
{
    globals().RightChangeRecords = false;
    open();
    EXPECT_EQ(log.count(QStringLiteral("ShowInitialDay")), 1);
    EXPECT_TRUE(log.rightChangeRecordsAtInitialDay);
    EXPECT_FALSE(globals().RightChangeRecords);
    EXPECT_EQ(log.count(QStringLiteral("RequeryCodes")), 1);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(MainWindow, RightsShowOrHideInsertAndCloseCash)
{
    struct Case
    {
        bool changeRecords, closeCash, dayClosed;
        bool insertVisible, closeVisible;
    };
    const Case cases[] = {
        {false, false, false, true, false}, {false, true, true, false, true}, {true, false, true, true, false}};
    for (const Case &c : cases) {
        globals().RightChangeRecords = c.changeRecords;
        globals().RightCloseCash = c.closeCash;
        log.dayClosed = c.dayClosed;
        open();
        EXPECT_EQ(command(0)->isVisible(), c.insertVisible);
        EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("Label2(0)"))->isVisible(), c.insertVisible);
        EXPECT_EQ(command(8)->isVisible(), c.closeVisible);
        EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("Label2(8)"))->isVisible(), c.closeVisible);
        window->close();
    }
}

TEST_F(MainWindow, InsertingACodeIsAllowedWhileAnotherHoldsTheMarkerChangingIsNot)
{
    anotherWorkstationHoldsTheMarker();
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kelvora  -  ") + otherHolder);
    clickTab(tabs(), 2);
    ASSERT_EQ(visiblePanels(), QList<int>{2});

    clickButton(command(5));
    EXPECT_EQ(log.count(QStringLiteral("InsertCode")), 1);
    EXPECT_EQ(boxes.count(), 0);

    for (int e : {6, 7, 10}) {
        boxes.clear();
        clickButton(command(e));
        ASSERT_EQ(boxes.count(), 1) << e;
        EXPECT_EQ(boxes.last().title, QStringLiteral("Αδύνατη η πρόσβαση"));
        EXPECT_EQ(boxes.last().text, otherHolder);
    }
    EXPECT_EQ(log.count(QStringLiteral("ChangeCode")), 0);
    EXPECT_EQ(log.count(QStringLiteral("DeleteCode")), 0);
    EXPECT_EQ(log.count(QStringLiteral("EditGroups")), 0);
    EXPECT_TRUE(marker().read().isTaken());
    EXPECT_EQ(marker().read().user, QStringLiteral("babis"));
}

TEST_F(MainWindow, CashOperationsRunWhileThisInstanceHoldsTheMarker)
{
    open();
    ASSERT_TRUE(window->state().OwnsMarker);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kelvora"));
    window->state().MovementSelected = true;
    clickButton(command(2));
    EXPECT_FALSE(window->state().MovementSelected);
    clickButton(command(3));
    clickButton(command(0));
    clickButton(command(8));
    EXPECT_EQ(log.calls.mid(log.calls.indexOf(QStringLiteral("ChangeMovement"))),
              (QStringList{QStringLiteral("ChangeMovement"), QStringLiteral("ClearSelection"),
                           QStringLiteral("DeleteMovement"), QStringLiteral("ClearSelection"),
                           QStringLiteral("InsertMovement"), QStringLiteral("CloseCash")}));
    EXPECT_EQ(boxes.count(), 0);
}

// A refused or cancelled change or delete leaves the loaded movement and the
// entry as they were, for the user to correct.
TEST_F(MainWindow, RefusedChangeOrDeleteKeepsTheEntry)
{
    open();
    log.changesDone = false;
    window->state().MovementSelected = true;
    clickButton(command(2));
    clickButton(command(3));
    EXPECT_TRUE(window->state().MovementSelected);
    EXPECT_EQ(log.count(QStringLiteral("ClearSelection")), 0);
}

TEST_F(MainWindow, ReportsTabReleasesAndCashTabTakesAFreeMarkerAgain)
{
    open();
    ASSERT_TRUE(window->state().OwnsMarker);
    clickTab(tabs(), 3);
    EXPECT_EQ(visiblePanels(), QList<int>{3});
    EXPECT_FALSE(window->state().OwnsMarker);
    EXPECT_TRUE(marker().read().isFree());
    EXPECT_EQ(child<QLineEdit>(window.get(), "Text1(7)")->text(), QStringLiteral("01-03-2026"));
    EXPECT_EQ(child<QLineEdit>(window.get(), "Text1(8)")->text(), QStringLiteral("17-03-2026"));

    clickTab(tabs(), 1);
    EXPECT_EQ(visiblePanels(), QList<int>{1});
    EXPECT_TRUE(window->state().OwnsMarker);
    EXPECT_TRUE(marker().read().isTaken());
    EXPECT_EQ(marker().read().user, QStringLiteral("anna"));
    EXPECT_EQ(marker().read().computer, QStringLiteral("pc1"));
    EXPECT_GE(log.count(QStringLiteral("RefreshCodes")), 1);
}

TEST_F(MainWindow, CashTabDoesNotTakeAMarkerHeldElsewhere)
{
    open();
    clickTab(tabs(), 3);
    anotherWorkstationHoldsTheMarker();
    clickTab(tabs(), 1);
    EXPECT_FALSE(window->state().OwnsMarker);
    EXPECT_EQ(marker().read().user, QStringLiteral("babis"));
    boxes.clear();
    clickButton(command(0));
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(log.count(QStringLiteral("InsertMovement")), 0);
    // The title is refreshed at the next tab click.
    clickTab(tabs(), 2);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kelvora  -  ") + otherHolder);
}

TEST_F(MainWindow, ClickWhileTheHourglassShowsIsIgnored)
{
    open();
    // A message box inside the operation lets a second click arrive.
    log.duringInsertMovement = [this] {
        EXPECT_TRUE(BusyGuard::isBusy(window.get()));
        QTest::mouseClick(command(0), Qt::LeftButton);
        QTest::mouseClick(command(8), Qt::LeftButton);
    };
    clickButton(command(0));
    EXPECT_EQ(log.count(QStringLiteral("InsertMovement")), 1);
    EXPECT_EQ(log.count(QStringLiteral("CloseCash")), 0);
    EXPECT_FALSE(BusyGuard::isBusy(window.get()));

    log.duringInsertMovement = nullptr;
    clickButton(command(0));
    EXPECT_EQ(log.count(QStringLiteral("InsertMovement")), 2);
}

TEST_F(MainWindow, ExitTabCancelReturnsToThePreviousPage)
{
    open();
    clickTab(tabs(), 3);
    boxes.answerNext(msg::Answer::Cancel);
    clickTab(tabs(), 4);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("Εξοδος από το πρόγραμμα"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("Να τερματιστεί το πρόγραμμα;"));
    EXPECT_EQ(boxes.last().buttons, msg::Buttons::OkCancel);
    EXPECT_EQ(window->currentTab(), 3);
    EXPECT_EQ(visiblePanels(), QList<int>{3});
    EXPECT_TRUE(window->isVisible());

    // The next tab click hides the page that is really shown.
    clickTab(tabs(), 2);
    EXPECT_EQ(visiblePanels(), QList<int>{2});
}

TEST_F(MainWindow, ExitQuestionLeavesTheTabStripInPlace)
{
    open();
    const int tabsTop = tabs()->mapTo(window.get(), QPoint(0, 0)).y();
    int tabsTopDuringQuestion = -1;
    const msg::Presenter previous = msg::install([&](const msg::Box &) {
        window->layout()->activate();
        tabsTopDuringQuestion = tabs()->mapTo(window.get(), QPoint(0, 0)).y();
        return msg::Answer::Cancel;
    });
    clickTab(tabs(), 4);
    msg::install(previous);
    EXPECT_EQ(tabsTopDuringQuestion, tabsTop);
}

TEST_F(MainWindow, ExitTabOkRunsTheStopSequence)
{
    open();
    QSignalSpy ended(window.get(), &kentrikh::programEnded);
    boxes.answerNext(msg::Answer::Ok);
    clickTab(tabs(), 4);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(marker().read().isFree());
}

TEST_F(MainWindow, ExitButtonsAskFirst)
{
    open();
    QSignalSpy ended(window.get(), &kentrikh::programEnded);
    boxes.answerNext(msg::Answer::Cancel);
    clickButton(command(4));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(marker().read().isTaken());

    clickTab(tabs(), 2);
    boxes.answerNext(msg::Answer::Ok);
    clickButton(command(9));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(marker().read().isFree());
}

TEST_F(MainWindow, CloseBoxStopsAtOnceWithoutAQuestion)
{
    open();
    QSignalSpy ended(window.get(), &kentrikh::programEnded);
    window->close();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_TRUE(marker().read().isFree());
    EXPECT_FALSE(window->state().OwnsMarker);
}

TEST_F(MainWindow, CodesPageIsGreyedOutWithoutTheRight)
{
    globals().RightGroupsCodes = false;
    open();
    clickTab(tabs(), 2);
    EXPECT_EQ(visiblePanels(), QList<int>{2});
    EXPECT_FALSE(panel(2)->isEnabled());
    EXPECT_FALSE(command(5)->isEnabled());
    EXPECT_EQ(log.count(QStringLiteral("CodesEnterPage")), 1);
}

TEST_F(MainWindow, MissingPagesLeaveEmptyPagesWhoseButtonsDoNothing)
{
    window = std::make_unique<kentrikh>(data.store(), PageFactories{});
    ASSERT_TRUE(window->initialise(noAnswer));
    window->show();
    for (int tab : {1, 2}) {
        clickTab(tabs(), tab);
        for (int e = 0; e <= 10; ++e)
            if (e != 4 && e != 9 && command(e)->isVisible())
                clickButton(command(e));
    }
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindow, ColouringKeepsInputBoxesWhite)
{
    open();
    clickTab(tabs(), 3);
    auto *box = child<QLineEdit>(window.get(), "Text1(7)");
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(panel(3)->palette().color(QPalette::Window), ui::colourFromVb(globals().ThemeColour, window.get()));
}

TEST_F(MainWindow, FailingOperationIsReportedAndTheWindowStaysUsable)
{
    open();
    log.duringInsertMovement = [] { throw db::DbError(db::DbError::Kind::Busy, QStringLiteral("locked")); };
    clickButton(command(0));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().icon, msg::Icon::Critical);
    EXPECT_FALSE(BusyGuard::isBusy(window.get()));
    log.duringInsertMovement = nullptr;
    clickButton(command(0));
    EXPECT_EQ(log.count(QStringLiteral("InsertMovement")), 2);
}

TEST_F(MainWindow, DestroyedWithoutClosingStillGivesTheMarkerBack)
{
    open();
    ASSERT_TRUE(marker().read().isTaken());
    window.reset();
    EXPECT_TRUE(marker().read().isFree());
}
