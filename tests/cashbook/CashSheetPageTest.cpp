#include "cashbook/widgets/CashSheetPage.h"

#include "data/AppGlobals.h"
#include "platform/regional/Clock.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"
#include "QStringPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

// The cash page inside a stand-in for the main window, which records what the
// page asks of the frame (status panels, button visibility).
class CashSheetPageTest : public ::testing::Test
{
protected:
    CashSheetPageTest()
    {
        Clock::setToday(QDate(2026, 3, 16));
        globals().RightChangeRecords = true;
        globals().RightCloseCash = true;
        folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false);
        state.store = &folder.store();
        context.state = &state;
        context.setStatusPanel = [this](int panel, const QString &text) { panels[panel] = text; };
        context.setButtonVisible = [this](int element, bool visible) { buttons[element] = visible; };
        host.resize(788, 541);
    }
    ~CashSheetPageTest() override
    {
        page.reset();
        Clock::setToday(QDate());
    }

    void open()
    {
        page = cashbook::makeCashSheetPage(context, &host);
        page->widget()->setGeometry(0, 0, 788, 541);
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        page->ShowInitialDay();
    }

    template <typename T> T *child(const char *name)
    {
        T *w = host.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit *box(int element) { return child<QLineEdit>(QStringLiteral("Text1(%1)").arg(element).toLatin1().constData()); }
    QListWidget *list() { return child<QListWidget>("List1"); }
    QComboBox *codeBox() { return child<QComboBox>("DBCombo1"); }
    QLabel *stateLabel() { return child<QLabel>("Label3D1(3)"); }

    QStringList listTexts()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }

    // Key presses carrying each character, Greek letters included.
    static void typeText(QWidget *w, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &release);
        }
    }

    // Types the date and leaves the box with Tab, as a user does.
    void showDate(const QString &text)
    {
        QLineEdit *date = box(0);
        date->setFocus();
        date->selectAll();
        QTest::keyClicks(date, text);
        QTest::keyClick(date, Qt::Key_Tab);
    }

    void typeCode(const QString &text)
    {
        codeBox()->setFocus();
        codeBox()->lineEdit()->clear();
        typeText(codeBox()->lineEdit(), text);
        // Keys reach the combo box, the focus widget, which hands them on to its line edit.
        QTest::keyClick(codeBox(), Qt::Key_Return);
    }

    void typeInto(int element, const QString &text)
    {
        box(element)->setFocus();
        box(element)->selectAll();
        typeText(box(element), text);
        QTest::keyClick(box(element), Qt::Key_Tab);
    }

    void book(int code, const QString &description, const QString &amount)
    {
        typeCode(QString::number(code));
        typeInto(1, description);
        typeInto(code == 10 ? 2 : 3, amount);
        page->InsertMovement();
    }

    void doubleClickLine(int row)
    {
        QListWidget *l = list();
        const QRect r = l->visualItemRect(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, r.center());
    }

    qint64 balance(const QDate &d)
    {
        return folder.main().scalar(QStringLiteral("SELECT ypoloipo FROM tameio WHERE hmeromhnia = ?1"), d).toLongLong();
    }

    TestDataFolder folder;
    ScriptedMessages messages;
    MainWindowState state;
    PageContext context;
    std::map<int, QString> panels;
    std::map<int, bool> buttons;
    QWidget host;
    std::unique_ptr<CashSheetPage> page;
};

} // namespace

TEST_F(CashSheetPageTest, DateBoxFilterFormatAndWeekday)
{
    open();
    EXPECT_EQ(box(0)->text(), QStringLiteral("16-03-2026"));
    QLineEdit *date = box(0);
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("5.12.2005x"));
    EXPECT_EQ(date->text(), QStringLiteral("5-12-2005"));
    QTest::keyClick(date, Qt::Key_Tab);
    EXPECT_EQ(date->text(), QStringLiteral("05-12-2005"));
    EXPECT_EQ(child<QLabel>("Label1(0)")->text(), QStringLiteral("Δευτέρα"));

    // Blanks and other punctuation become hyphens too; the week ends with "Σαββάτο", "Κυριακή".
    const std::pair<const char *, const char16_t *> days[] = {{"10 12/2005", u"Σαββάτο"}, {"11*12*2005", u"Κυριακή"},
                                                               {"9+12+2;005", u"Παρασκευή"}};
    for (const auto &[typed, weekday] : days) {
        showDate(QString::fromLatin1(typed));
        EXPECT_EQ(child<QLabel>("Label1(0)")->text(), QString::fromUtf16(weekday)) << typed;
    }
    EXPECT_EQ(box(0)->text(), QStringLiteral("09-12-2005"));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(CashSheetPageTest, InvalidDateIsReportedAndTheListStays)
{
    folder.addCode(30, QStringLiteral("Χ"), true);
    open();
    book(10, QStringLiteral("ΠΡΩΤΗ"), QStringLiteral("5"));
    const QStringList before = listTexts();
    ASSERT_EQ(before.size(), 2);
    messages.clear();
    showDate(QStringLiteral("31-02-2026"));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Λάθος ημερομηνία"));
    EXPECT_EQ(messages.last().text, QStringLiteral("Η εισαγωγή της ημερομηνίας είναι λάθος"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Exclamation);
    EXPECT_EQ(listTexts(), before);
}

TEST_F(CashSheetPageTest, FirstDayEverAndAnEmptyDay)
{
    open();
    EXPECT_EQ(listTexts(), QStringList{QStringLiteral("Υπόλοιπο από την προηγούμενη 0")});
    EXPECT_EQ(panels[2], QStringLiteral("0"));
    EXPECT_EQ(panels[6], QStringLiteral("0"));
    EXPECT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο ανοικτό"));
}

TEST_F(CashSheetPageTest, HundredAndThirtyAfterFifty)
{
    open();
    showDate(QStringLiteral("15-03-2026"));
    book(10, QStringLiteral("ΥΠΟΛΟΙΠΟ"), QStringLiteral("50"));
    showDate(QStringLiteral("16-03-2026"));
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ ΗΜΕΡΑΣ"), QStringLiteral("100"));
    book(20, QStringLiteral("ΧΑΡΤΙΚΑ"), QStringLiteral("30"));
    EXPECT_EQ(messages.count(), 0) << messages.texts().join(QLatin1Char('|')).toStdString();

    const QStringList expected{
        QStringLiteral("Υπόλοιπο για την 15-03-2026    50,00"),
        QStringLiteral("   1    10 ΕΙΣΠΡΑΞΗ ΗΜΕΡΑΣ                               100,00              0 "),
        QStringLiteral("   2    20 ΧΑΡΤΙΚΑ                                            0          30,00 ")};
    EXPECT_EQ(listTexts(), expected);
    EXPECT_EQ(panels[2], QStringLiteral("100,00"));
    EXPECT_EQ(panels[4], QStringLiteral("30,00"));
    EXPECT_EQ(panels[6], QStringLiteral("120,00"));
    EXPECT_EQ(state.DayBalance, Money::fromWhole(120));
    EXPECT_EQ(balance(QDate(2026, 3, 16)), Money::fromWhole(120).units());
    // After the insert the entry is empty again and the last line is selected.
    EXPECT_EQ(list()->currentRow(), 2);
    EXPECT_TRUE(codeBox()->currentText().isEmpty());
    EXPECT_EQ(box(2)->text(), QStringLiteral("0"));
    EXPECT_FALSE(box(2)->isEnabled());
}

TEST_F(CashSheetPageTest, CodeBoxTypedAndPicked)
{
    open();
    typeCode(QString());
    typeCode(QStringLiteral("99"));
    typeCode(QStringLiteral("ΑΒΓ"));
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("Δεν δώθηκε ο κωδικός της κίνησης"),
                                             QStringLiteral("Δεν βρέθηκε ο κωδικός της κίνησης"),
                                             QStringLiteral("Δεν βρέθηκε ο κωδικός της κίνησης")}));
    EXPECT_EQ(messages.last().title, QStringLiteral("Προσοχη"));
    EXPECT_FALSE(box(2)->isEnabled());
    EXPECT_FALSE(box(3)->isEnabled());

    typeCode(QStringLiteral("20"));
    EXPECT_EQ(codeBox()->currentText(), QStringLiteral("20 ΑΓΟΡΕΣ"));
    EXPECT_FALSE(box(2)->isEnabled());
    EXPECT_TRUE(box(3)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), box(1));

    // Picking a line of the list.
    codeBox()->setCurrentIndex(0);
    emit codeBox()->activated(0);
    EXPECT_EQ(codeBox()->currentText(), QStringLiteral("10 ΕΙΣΠΡΑΞΕΙΣ"));
    EXPECT_TRUE(box(2)->isEnabled());
    EXPECT_FALSE(box(3)->isEnabled());
}

// The code stored is the one the box shows, whether or not Enter was pressed
// after typing it; a typed number that is no active code is refused.
TEST_F(CashSheetPageTest, TheCodeBookedIsTheOneTheBoxShows)
{
    folder.addCode(11, QStringLiteral("ΕΝΟΙΚΙΑ"), true);
    folder.addCode(12, QStringLiteral("ΑΝΕΝΕΡΓΟΣ"), true, 0, false);
    open();
    const auto storedCodes = [&] {
        QList<qint64> out;
        db::Statement st = folder.main().prepare(QStringLiteral("SELECT kvdikos FROM kinhseis ORDER BY aa"));
        while (st.next())
            out << st.integer(0);
        return out;
    };
    const auto typeWithoutEnter = [&](const QString &text, bool leaveWithTab) {
        codeBox()->setFocus();
        codeBox()->lineEdit()->selectAll();
        typeText(codeBox()->lineEdit(), text);
        if (leaveWithTab)
            QTest::keyClick(codeBox(), Qt::Key_Tab);
    };

    // Code 10 picked, then "11" typed over it and Tab: the box and the store say 11.
    typeCode(QStringLiteral("10"));
    typeWithoutEnter(QStringLiteral("11"), true);
    EXPECT_EQ(codeBox()->currentText(), QStringLiteral("11 ΕΝΟΙΚΙΑ"));
    typeInto(1, QStringLiteral("ΜΕ TAB"));
    typeInto(2, QStringLiteral("5"));
    page->InsertMovement();
    EXPECT_EQ(messages.count(), 0) << messages.texts().join(QLatin1Char('|')).toStdString();

    // Typed and the insert pressed at once (the buttons take no focus).
    typeCode(QStringLiteral("10"));
    typeInto(1, QStringLiteral("ΧΩΡΙΣ ENTER"));
    typeInto(2, QStringLiteral("6"));
    typeWithoutEnter(QStringLiteral("11"), false);
    page->InsertMovement();
    EXPECT_EQ(storedCodes(), (QList<qint64>{11, 11}));

    // An inactive or unknown code typed without Enter books nothing.
    for (const QString &typed : {QStringLiteral("12"), QStringLiteral("99")}) {
        messages.clear();
        typeCode(QStringLiteral("10"));
        typeInto(1, QStringLiteral("ΑΓΝΩΣΤΟΣ"));
        typeInto(2, QStringLiteral("7"));
        typeWithoutEnter(typed, false);
        page->InsertMovement();
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Δεν βρέθηκε ο κωδικός της κίνησης")}) << typed.toStdString();
        EXPECT_EQ(storedCodes(), (QList<qint64>{11, 11}));
    }
}

TEST_F(CashSheetPageTest, AmountBoxesFilterAndFormat)
{
    open();
    typeCode(QStringLiteral("10"));
    QLineEdit *income = box(2);
    const auto typeAndLeave = [&](const QString &keys) {
        income->setFocus();
        income->selectAll();
        QTest::keyClicks(income, keys);
        QTest::keyClick(income, Qt::Key_Tab);
        return income->text();
    };
    // The form every line and total shows, and the keypad's dot as the decimal comma.
    EXPECT_EQ(typeAndLeave(QStringLiteral("12.5")), QStringLiteral("12,50"));
    EXPECT_EQ(typeAndLeave(QStringLiteral("1234a5")), QStringLiteral("1.234,50"));
    EXPECT_EQ(typeAndLeave(QStringLiteral("1.234,56")), QStringLiteral("1.234,56"));
    EXPECT_EQ(messages.count(), 0);
    // Text that is no clear amount is refused at once, with the reason, and
    // left as typed for the user to correct.
    struct Refused { const char *keys; const char16_t *reason; };
    for (const Refused &r : {Refused{"-50", u"αρνητικό"}, Refused{"1,23456", u"δύο δεκαδικά"},
                             Refused{"1,2,3", u"κόμματα"}, Refused{"1000000000", u"ανώτατο"}}) {
        messages.clear();
        EXPECT_EQ(typeAndLeave(QString::fromLatin1(r.keys)), QString::fromLatin1(r.keys));
        ASSERT_EQ(messages.count(), 1) << r.keys;
        EXPECT_EQ(messages.last().title, QStringLiteral("Λάθος ποσό"));
        EXPECT_TRUE(messages.last().text.contains(QString::fromUtf16(r.reason))) << r.keys;
    }
    box(9)->setFocus();
    box(9)->selectAll();
    QTest::keyClick(box(9), Qt::Key_Backspace);
    QTest::keyClick(box(9), Qt::Key_Tab);
    EXPECT_EQ(box(9)->text(), QStringLiteral("0"));
}

// "1.234,56" typed as the program shows it is booked as 1.234,56, not 1,23.
TEST_F(CashSheetPageTest, AnAmountTypedInItsDisplayFormIsBookedExactly)
{
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("1.234,56"));
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT esoda FROM kinhseis")).toLongLong(), 12345600);
    EXPECT_EQ(panels[2], QStringLiteral("1.234,56"));

    // A pasted minus is refused when booking, and nothing is stored.
    typeCode(QStringLiteral("10"));
    typeInto(1, QStringLiteral("ΕΠΙΣΤΡΟΦΗ"));
    box(2)->setText(QStringLiteral("-5"));
    messages.clear();
    page->InsertMovement();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("αρνητικό")));
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toInt(), 1);
    EXPECT_EQ(box(2)->text(), QStringLiteral("-5")); // the entry stays for correction
}

// When the closed days cannot be read the day must not look open: the user is
// told, and without the right no movement can be loaded.
TEST_F(CashSheetPageTest, UnreadableClosedDaysAreSaidAndTheDayCountsAsClosed)
{
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    folder.users().execute(QStringLiteral("ALTER TABLE KlhsimoTameioy RENAME TO gone"));
    globals().RightChangeRecords = false;
    messages.clear();
    showDate(QStringLiteral("16-03-2026"));
    ASSERT_GE(messages.count(), 1);
    EXPECT_TRUE(messages.shown().first().text.contains(QStringLiteral("κλεισμένες ημέρες")));
    EXPECT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο κλειστό"));
    EXPECT_FALSE(buttons[0]);
    EXPECT_TRUE(page->IsDayClosed());
    doubleClickLine(1);
    EXPECT_FALSE(state.MovementSelected);
    globals().RightChangeRecords = true;
}

TEST_F(CashSheetPageTest, DoubleClickLoadsAMovementButNotTheFirstLine)
{
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    buttons.clear();
    doubleClickLine(0);
    EXPECT_FALSE(state.MovementSelected);
    EXPECT_FALSE(buttons[2]);
    EXPECT_TRUE(box(0)->isEnabled());
    EXPECT_TRUE(box(1)->text().isEmpty());

    doubleClickLine(1);
    EXPECT_TRUE(state.MovementSelected);
    EXPECT_TRUE(buttons[2]);
    EXPECT_TRUE(buttons[3]);
    EXPECT_FALSE(box(0)->isEnabled()); // the date is locked while a movement is loaded
    EXPECT_EQ(box(1)->text(), QStringLiteral("ΕΙΣΠΡΑΞΗ"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("100,00"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("0"));
    EXPECT_TRUE(box(2)->isEnabled());

    // A single click lets the movement go again.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(0)).center());
    EXPECT_FALSE(state.MovementSelected);
    EXPECT_FALSE(buttons[2]);
    EXPECT_TRUE(box(0)->isEnabled());
}

TEST_F(CashSheetPageTest, ChangingTheCodeOfALoadedMovementMovesTheSum)
{
    open();
    showDate(QStringLiteral("10-03-2026"));
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    showDate(QStringLiteral("12-03-2026"));
    book(10, QStringLiteral("ΑΛΛΗ"), QStringLiteral("7"));
    showDate(QStringLiteral("10-03-2026"));
    doubleClickLine(1);
    typeCode(QStringLiteral("20"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("0"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("100,00"));
    EXPECT_TRUE(box(3)->isEnabled());

    messages.answerNext(msg::Answer::Ok);
    page->ChangeMovement();
    state.MovementSelected = false;
    page->ClearSelection();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")});
    EXPECT_EQ(panels[6], QStringLiteral("-100,00"));
    EXPECT_EQ(balance(QDate(2026, 3, 12)), Money::fromWhole(-93).units());
    EXPECT_FALSE(buttons[2]);
    EXPECT_TRUE(box(0)->isEnabled());
}

TEST_F(CashSheetPageTest, DeletingTheOnlyMovementThroughThePage)
{
    open();
    showDate(QStringLiteral("10-03-2026"));
    book(10, QStringLiteral("ΠΡΙΝ"), QStringLiteral("40"));
    showDate(QStringLiteral("11-03-2026"));
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    showDate(QStringLiteral("12-03-2026"));
    book(20, QStringLiteral("ΜΕΤΑ"), QStringLiteral("1"));
    showDate(QStringLiteral("11-03-2026"));
    doubleClickLine(1);
    messages.answerNext(msg::Answer::Ok);
    page->DeleteMovement();
    page->ClearSelection();
    EXPECT_EQ(listTexts(), QStringList{QStringLiteral("Υπόλοιπο για την 10-03-2026    40,00")});
    EXPECT_EQ(balance(QDate(2026, 3, 11)), Money::fromWhole(40).units());
    EXPECT_EQ(balance(QDate(2026, 3, 12)), Money::fromWhole(39).units());
    EXPECT_EQ(box(2)->text(), QStringLiteral("0"));
}

TEST_F(CashSheetPageTest, ClosedDayWithoutTheRightIsReadOnly)
{
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    folder.closeDay(QDate(2026, 3, 16));
    globals().RightChangeRecords = false;
    messages.clear();
    showDate(QStringLiteral("16-03-2026"));

    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Το ταμείο έχει κλείσει και δεν έχετε δικαίωμα να το μεταβάλετε")});
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_FALSE(buttons[0]);
    EXPECT_FALSE(buttons[8]);
    EXPECT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο κλειστό"));
    EXPECT_FALSE(codeBox()->isEnabled());
    EXPECT_FALSE(box(1)->isEnabled());
    EXPECT_FALSE(child<QCheckBox>("Check1(0)")->isEnabled());
    EXPECT_EQ(listTexts().size(), 2); // still readable
    EXPECT_TRUE(page->IsDayClosed());

    doubleClickLine(1);
    EXPECT_FALSE(state.MovementSelected);
    EXPECT_TRUE(box(1)->text().isEmpty());
    globals().RightChangeRecords = true;
}

TEST_F(CashSheetPageTest, ClosedDayWithTheRightStaysEditableWithTheRedLabel)
{
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    messages.answerNext(msg::Answer::Ok);
    page->CloseCash();
    messages.clear();
    showDate(QStringLiteral("16-03-2026"));

    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(buttons[0]);
    EXPECT_TRUE(buttons[8]);
    EXPECT_TRUE(codeBox()->isEnabled());
    EXPECT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο κλειστό"));
    EXPECT_EQ(stateLabel()->palette().color(QPalette::Window), QColor(255, 0, 0));
    doubleClickLine(1);
    EXPECT_TRUE(state.MovementSelected);
}

TEST_F(CashSheetPageTest, FailedCheckKeepsTheEntry)
{
    open();
    typeCode(QStringLiteral("10"));
    typeInto(2, QStringLiteral("12"));
    page->InsertMovement();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Δεν υπάρχει περιγραφή της κίνησης")});
    EXPECT_EQ(box(2)->text(), QStringLiteral("12,00"));
    EXPECT_EQ(page->IsDayClosed(), false);
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toInt(), 0);
}

// The main window's buttons do not take the focus: the box still being typed
// in counts as left when a button is pressed.
TEST_F(CashSheetPageTest, AButtonFinishesTheBoxBeingTyped)
{
    open();
    typeCode(QStringLiteral("10"));
    typeInto(1, QStringLiteral("ΕΙΣΠΡΑΞΗ"));
    box(2)->setFocus();
    box(2)->selectAll();
    typeText(box(2), QStringLiteral("100"));
    page->InsertMovement();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT grammh FROM kinhseis")).toString(),
              QStringLiteral("   10 ΕΙΣΠΡΑΞΗ                           100,00              0 "));

    // A new date typed but not left yet is shown before the insert books on it.
    box(0)->setFocus();
    box(0)->selectAll();
    typeText(box(0), QStringLiteral("17-03-2026"));
    typeCode(QStringLiteral("20"));
    typeInto(1, QStringLiteral("ΑΓΟΡΑ"));
    typeInto(3, QStringLiteral("5"));
    box(0)->setFocus();
    page->InsertMovement();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT hmeromhnia FROM kinhseis WHERE kvdikos = 20")).toString(),
              QStringLiteral("2026-03-17"));
    EXPECT_EQ(listTexts().size(), 2);
    EXPECT_EQ(panels[6], QStringLiteral("95,00"));
}

TEST_F(CashSheetPageTest, ClosingTheDayShowsItClosedAtOnce)
{
    globals().RightChangeRecords = false;
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    ASSERT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο ανοικτό"));
    messages.clear();
    messages.answerNext(msg::Answer::Ok);
    page->CloseCash();

    // No need to leave the date box first; no refusal is said for the day just closed.
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να κλείσω το ταμείο;")});
    EXPECT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο κλειστό"));
    EXPECT_FALSE(buttons[0]);
    EXPECT_FALSE(buttons[8]);
    EXPECT_FALSE(codeBox()->isEnabled());
    EXPECT_FALSE(box(1)->isEnabled());
    globals().RightChangeRecords = true;

    // Cancelled: nothing changes on the screen either.
    showDate(QStringLiteral("17-03-2026"));
    messages.answerNext(msg::Answer::Cancel);
    page->CloseCash();
    EXPECT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο ανοικτό"));
}

// Enter on a movement's line loads it, as a double click does, with the focus
// on its amount; asking whether the day may be worked on repaints nothing.
TEST_F(CashSheetPageTest, EnterOnALineLoadsItsMovement)
{
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    book(20, QStringLiteral("ΑΓΟΡΑ"), QStringLiteral("30"));
    ASSERT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο ανοικτό"));
    // Another workstation closes the day meanwhile; this one has the right.
    folder.closeDay(QDate(2026, 3, 16));

    list()->setFocus();
    list()->setCurrentRow(2);
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_TRUE(state.MovementSelected);
    EXPECT_TRUE(buttons[2]);
    EXPECT_EQ(box(1)->text(), QStringLiteral("ΑΓΟΡΑ"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("30,00"));
    EXPECT_TRUE(box(3)->hasFocus());
    EXPECT_EQ(stateLabel()->text(), QStringLiteral("Ταμείο ανοικτό"));
    EXPECT_EQ(messages.count(), 0);

    list()->setFocus();
    list()->setCurrentRow(0);
    QTest::keyClick(list(), Qt::Key_Return); // the carried-over line moves on like Tab
    EXPECT_FALSE(list()->hasFocus());
}

// Cancel finishes the loaded movement as a done change does; a failed check
// keeps it for the user to correct.
TEST_F(CashSheetPageTest, CancelledChangeOrDeleteIsFinishedWith)
{
    open();
    book(10, QStringLiteral("ΕΙΣΠΡΑΞΗ"), QStringLiteral("100"));
    doubleClickLine(1);
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_TRUE(page->ChangeMovement());
    doubleClickLine(1);
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_TRUE(page->DeleteMovement());

    doubleClickLine(1);
    messages.clear();
    box(1)->clear();
    EXPECT_FALSE(page->ChangeMovement());
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Δεν υπάρχει περιγραφή της κίνησης")});
    EXPECT_TRUE(state.MovementSelected);
    EXPECT_EQ(folder.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis")).toInt(), 1);
}
