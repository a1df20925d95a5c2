// The clerk's desk: the main window with its real pages driven with keys
// only, the help and About windows, Qt's own dialogs in Greek, the program's
// icon, accessible names, and the size of every window against the smallest
// screen the program is used on.
#include "app/Program.h"
#include "app/ProgramPages.h"
#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "groups/widgets/EpiloghOmadvn.h"
#include "groups/widgets/OmadaKvdikvn.h"
#include "platform/desktop/Settings.h"
#include "platform/desktop/widgets/MessageBoxPresenter.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/regional/Clock.h"
#include "reports/widgets/Ervthsh.h"
#include "reports/widgets/FormaTajinomhshs.h"
#include "shell/analysis/widgets/AnalyshFRM.h"
#include "shell/desk/AboutWindow.h"
#include "shell/desk/HelpWindow.h"
#include "shell/desk/ProgramLook.h"
#include "shell/login/ChangeLogDialog.h"
#include "shell/login/Login.h"
#include "shell/mainwindow/kentrikh.h"
#include "support/ModalSteps.h"
#include "support/MovementEntries.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace {

std::optional<schemaupgrade::OpeningBalance> noAnswer()
{
    return std::nullopt;
}

QString accessibleName(QWidget *w)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    return a ? a->text(QAccessible::Name) : QString();
}

} // namespace

class ClerksDesk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setToday(QDate(2026, 3, 16));
        settings::useFile(folder.path() + QStringLiteral("/kelvora.ini")); // kept places stay in the test
        globals() = AppGlobals{};
        globals().DataPath = folder.path();
        globals().NetUserName = QStringLiteral("anna");
        globals().MachineName = QStringLiteral("pc1");
        globals().RightChangeRecords = true;
        globals().RightCloseCash = true;
        globals().RightGroupsCodes = true;
        InUseMarker(datafolder::marker(folder.path())).release(QString(), QString());
        folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false);
        desk::setUpProgram(); // as the program does before its first window
    }
    void TearDown() override
    {
        window.reset();
        Clock::setToday(QDate());
    }

    void open()
    {
        window = std::make_unique<kentrikh>(folder.store(), programPages());
        ASSERT_TRUE(window->initialise(noAnswer));
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QCoreApplication::processEvents();
    }

    template <typename T> T *child(const QString &name) const { return window->findChild<T *>(name); }
    QLineEdit *box(int element) const { return child<QLineEdit>(QStringLiteral("Text1(%1)").arg(element)); }
    QWidget *focused() const
    {
        QWidget *f = QApplication::focusWidget();
        // The code box's line edit stands for the combo box.
        if (f && qobject_cast<QComboBox *>(f->parentWidget()))
            return f->parentWidget();
        return f;
    }

    // One key, as the keyboard sends it to the focused control; counted.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key(key), modifiers);
        ++keys;
        QCoreApplication::processEvents();
    }
    void type(const QString &text)
    {
        for (const QChar c : text) {
            QWidget *target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr);
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
            ++keys;
            QCoreApplication::processEvents();
        }
    }

    qint64 stored(const char *sql) { return folder.main().scalar(QString::fromUtf8(sql)).toLongLong(); }

    TestDataFolder folder;
    ScriptedMessages boxes;
    std::unique_ptr<kentrikh> window;
    int keys = 0;
};

// Before: the code, Enter, the description, Enter twice (memo, income), the
// amount, then Tab Tab to reach the insert button and Enter on it: 19 keys
// for an eight-letter description.
TEST_F(ClerksDesk, BookingAnIncomeUnderAKnownCodeTakesSeventeenKeys)
{
    open();
    ASSERT_EQ(focused(), child<QComboBox>(QStringLiteral("DBCombo1")));
    type(QStringLiteral("10"));
    press(Qt::Key_Return);
    EXPECT_EQ(focused(), box(1));
    type(QStringLiteral("ΕΙΣΠΡΑΞΗ"));
    press(Qt::Key_Return); // memo amount
    press(Qt::Key_Return); // income
    EXPECT_EQ(focused(), box(2));
    type(QStringLiteral("100"));
    press(Qt::Key_Return, Qt::ControlModifier); // books from the field the user is in

    EXPECT_EQ(boxes.count(), 0) << boxes.texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(stored("SELECT count(*) FROM kinhseis WHERE kvdikos = 10 AND perigrafh = 'ΕΙΣΠΡΑΞΗ'"), 1)
        << folder.main().scalar(QStringLiteral("SELECT group_concat(grammh, '|') FROM kinhseis")).toString().toStdString()
        << " focus " << (focused() ? focused()->objectName().toStdString() : "none") << " income "
        << box(2)->text().toStdString() << " desc " << box(1)->text().toStdString();
    EXPECT_EQ(stored("SELECT esoda FROM kinhseis"), Money::fromWhole(100).units());
    EXPECT_EQ(keys, 17);
    // Ready for the next one.
    EXPECT_EQ(focused(), child<QComboBox>(QStringLiteral("DBCombo1")));

    // F5 books too, from any field.
    type(QStringLiteral("20"));
    press(Qt::Key_Return);
    type(QStringLiteral("ΑΓΟΡΑ"));
    press(Qt::Key_Return);
    press(Qt::Key_Return); // the expense box: the income box is closed for this code
    EXPECT_EQ(focused(), box(3));
    type(QStringLiteral("30"));
    press(Qt::Key_F5);
    EXPECT_EQ(stored("SELECT ejoda FROM kinhseis WHERE kvdikos = 20"), Money::fromWhole(30).units())
        << boxes.texts().join(QLatin1Char('|')).toStdString() << " focus "
        << (focused() ? focused()->objectName().toStdString() : "none") << " expense " << box(3)->text().toStdString();
}

// Before: impossible with keys alone (only a double click loaded a movement).
TEST_F(ClerksDesk, CorrectingYesterdaysAmountTakesEighteenKeys)
{
    {
        cashbook::CashBook book(folder.store());
        cashbook::CashOperations ops(book);
        ASSERT_TRUE(ops.InsertMovement(movementEntry(QDate(2026, 3, 15), 10, QStringLiteral("100,00"),
                                                     QStringLiteral("0"), QStringLiteral("ΕΙΣΠΡΑΞΗ"))));
    }
    open();
    boxes.clear();
    press(Qt::Key_Tab, Qt::ShiftModifier); // back to the date box
    EXPECT_EQ(focused(), box(0));
    type(QStringLiteral("15-03-2026"));
    press(Qt::Key_Return);
    press(Qt::Key_F3); // the day's lines, on the last one
    EXPECT_EQ(focused(), child<QListWidget>(QStringLiteral("List1")));
    press(Qt::Key_Return); // loads the movement, the focus on its amount
    EXPECT_EQ(focused(), box(2));
    type(QStringLiteral("80"));
    press(Qt::Key_F6);
    ++keys; // Enter on the confirmation's OK
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")});
    EXPECT_EQ(stored("SELECT esoda FROM kinhseis"), Money::fromWhole(80).units());
    EXPECT_FALSE(window->state().MovementSelected);
    EXPECT_EQ(keys, 18);
}

// A cancelled change lets the movement go, as the button's operation says; a
// failed check keeps it for the user to correct.
TEST_F(ClerksDesk, CancelOnAChangeOrDeleteClearsTheSelection)
{
    {
        cashbook::CashBook book(folder.store());
        cashbook::CashOperations ops(book);
        ASSERT_TRUE(ops.InsertMovement(movementEntry(QDate(2026, 3, 16), 10, QStringLiteral("100,00"),
                                                     QStringLiteral("0"), QStringLiteral("ΕΙΣΠΡΑΞΗ"))));
    }
    open();
    for (int key : {Qt::Key_F6, Qt::Key_F7}) {
        press(Qt::Key_F3);
        press(Qt::Key_Return);
        ASSERT_TRUE(window->state().MovementSelected)
            << "row " << child<QListWidget>(QStringLiteral("List1"))->currentRow() << " of "
            << child<QListWidget>(QStringLiteral("List1"))->count() << " focus "
            << (focused() ? focused()->objectName().toStdString() : "none") << " key " << key;
        boxes.answerNext(msg::Answer::Cancel);
        press(key);
        EXPECT_FALSE(window->state().MovementSelected);
        EXPECT_FALSE(child<QAbstractButton>(QStringLiteral("Command1(2)"))->isVisible());
        EXPECT_TRUE(box(1)->text().isEmpty());
        EXPECT_EQ(child<QListWidget>(QStringLiteral("List1"))->currentRow(), -1);
    }
    press(Qt::Key_F3);
    press(Qt::Key_Return);
    box(1)->clear();
    boxes.clear();
    press(Qt::Key_F6);
    EXPECT_EQ(boxes.texts(), QStringList{QStringLiteral("Δεν υπάρχει περιγραφή της κίνησης")});
    EXPECT_TRUE(window->state().MovementSelected);
    EXPECT_EQ(stored("SELECT count(*) FROM kinhseis"), 1);
}

TEST_F(ClerksDesk, EveryButtonHasAKeyShownInItsTooltipAndTabsTakeTheFocusToTheirFirstField)
{
    open();
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>()) {
        if (!b->objectName().startsWith(QLatin1String("Command1(")))
            continue;
        EXPECT_TRUE(b->toolTip().contains(QRegularExpression(QStringLiteral("F\\d+\\)?$"))))
            << b->objectName().toStdString() << " " << b->toolTip().toStdString();
    }
    EXPECT_EQ(child<QAbstractButton>(QStringLiteral("Command1(0)"))->toolTip(),
              QStringLiteral("Εισαγωγή των στοιχείων της αγοράς (F5)"));

    press(Qt::Key_2, Qt::AltModifier);
    EXPECT_EQ(window->currentTab(), 2);
    EXPECT_EQ(focused(), box(4));
    press(Qt::Key_3, Qt::AltModifier);
    EXPECT_EQ(window->currentTab(), 3);
    EXPECT_EQ(focused(), child<QWidget>(QStringLiteral("List2(0)")));
    press(Qt::Key_1, Qt::AltModifier);
    EXPECT_EQ(window->currentTab(), 1);
    EXPECT_EQ(focused(), box(0));
    // The codes page's insert key does nothing on the cash page.
    boxes.clear();
    press(Qt::Key_F7);
    EXPECT_EQ(boxes.count(), 0);
}

// Ctrl+Enter books from the cheque box too, the last field before the list.
TEST_F(ClerksDesk, CtrlEnterBooksFromTheChequeBox)
{
    open();
    type(QStringLiteral("10"));
    press(Qt::Key_Return);
    type(QStringLiteral("ΕΙΣΠΡΑΞΗ"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    type(QStringLiteral("100"));
    press(Qt::Key_Return);
    ASSERT_EQ(focused(), child<QWidget>(QStringLiteral("Check1(0)")));
    press(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(stored("SELECT count(*) FROM kinhseis"), 1) << boxes.texts().join(QLatin1Char('|')).toStdString();
}

// Tab walks a page's fields as they stand on screen and then its buttons,
// never out of the page to the help button before them.
TEST_F(ClerksDesk, TabLeavesEveryPageFieldsThroughItsOwnButtons)
{
    open();
    const struct
    {
        Qt::Key tabKey;
        int firstButton;
    } pages[] = {{Qt::Key_1, 0}, {Qt::Key_2, 5}, {Qt::Key_3, 1}};
    for (const auto &page : pages) {
        press(page.tabKey, Qt::AltModifier);
        QWidget *pageWidget = focused()->parentWidget();
        while (pageWidget && !pageWidget->parentWidget()->objectName().startsWith(QLatin1String("Panel1(")))
            pageWidget = pageWidget->parentWidget();
        ASSERT_NE(pageWidget, nullptr);
        QStringList walked;
        for (int i = 0; i < 30 && !focused()->objectName().startsWith(QLatin1String("Command1(")); ++i) {
            ASSERT_TRUE(pageWidget->isAncestorOf(focused())) << walked.join(QLatin1Char(' ')).toStdString() << " then "
                                                             << focused()->objectName().toStdString();
            walked << focused()->objectName();
            press(Qt::Key_Tab);
        }
        EXPECT_EQ(focused()->objectName(), QStringLiteral("Command1(%1)").arg(page.firstButton))
            << walked.join(QLatin1Char(' ')).toStdString();
    }
}

// Returning from a message box the focus is where it was; activation from
// another window of the program puts it on the code box.
TEST_F(ClerksDesk, AMessageBoxGivesTheFocusBackToTheFieldThatHadIt)
{
    open();
    msg::installMessageBoxPresenter(); // real boxes; the fixture's presenter comes back at the end
    type(QStringLiteral("10"));
    press(Qt::Key_Return);
    ASSERT_EQ(focused(), box(1));
    bool shown = false;
    ModalSteps answer([&](QWidget *modal) {
        shown = qobject_cast<QMessageBox *>(modal) != nullptr;
        QTest::keyClick(modal, Qt::Key_Return);
    });
    press(Qt::Key_Return, Qt::ControlModifier); // "Δεν υπάρχει περιγραφή της κίνησης"
    EXPECT_TRUE(shown);
    // The window manager gives the activation back to the main window.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(50);
    EXPECT_EQ(focused(), box(1)) << (focused() ? focused()->objectName().toStdString() : "none");

    QWidget other;
    other.setWindowTitle(QStringLiteral("άλλο"));
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    other.hide();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(50);
    EXPECT_EQ(focused(), child<QComboBox>(QStringLiteral("DBCombo1")));
}

TEST_F(ClerksDesk, EveryPictureButtonAndFieldOfTheMainWindowHasItsName)
{
    open();
    const std::pair<const char *, const char *> expected[] = {
        {"Command1(0)", "Εισαγωγή"},     {"Command1(8)", "Κλείσιμο ταμείου"}, {"Command1(10)", "Επεξεργασία"},
        {"Command1(1)", "Εκτύπωση"},     {"DBCombo1", "Κωδικός"},             {"Text1(1)", "Περιγραφή"},
        {"Text1(9)", "Λ τάξεως"},        {"Text1(2)", "Εσοδα"},               {"Text1(3)", "Εξοδα"},
        {"Text1(0)", "Ημερομηνία"},      {"Text1(4)", "Κωδικός"},             {"Text1(5)", "Περιγραφή"},
        {"Text1(6)", "Ομάδα"},           {"DBList1(0)", "Διαθέσιμοι κωδικοί"}, {"List2(0)", "Διαθέσιμες εκτυπώσεις"},
        {"Text1(7)", "Από ημερομηνία"},
    };
    for (const auto &[name, text] : expected) {
        QWidget *w = child<QWidget>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(accessibleName(w), QString::fromUtf8(text)) << name;
    }
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool field = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w)
            || qobject_cast<QAbstractItemView *>(w) || qobject_cast<QAbstractButton *>(w);
        if (!field || qobject_cast<QComboBox *>(w->parentWidget()) || !w->isVisibleTo(window.get()))
            continue;
        if (w->parentWidget() && w->parentWidget()->inherits("QTabBar"))
            continue; // the tab strip's own scroll arrows
        EXPECT_FALSE(accessibleName(w).isEmpty()) << w->metaObject()->className() << " " << w->objectName().toStdString();
    }
}

TEST_F(ClerksDesk, F1OpensTheGuideAtTheSectionOfThePageInUse)
{
    open();
    press(Qt::Key_F1);
    auto *help = qobject_cast<HelpWindow *>(QApplication::activeModalWidget());
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("Οδηγός χρήσης")));
    EXPECT_TRUE(help->browser()->textCursor().block().text().contains(QStringLiteral("Η δουλειά της ημέρας")))
        << help->browser()->textCursor().block().text().toStdString();
    help->close();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    press(Qt::Key_2, Qt::AltModifier);
    press(Qt::Key_F1);
    help = qobject_cast<HelpWindow *>(QApplication::activeModalWidget());
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->browser()->textCursor().block().text().contains(QStringLiteral("Κωδικοί και ομάδες")));
    help->close();
}

TEST(ClerksDeskWindows, TheAboutWindowSaysVersionDataFolderAndLicences)
{
    AboutWindow about(QStringLiteral("/srv/kelvora/data"));
    EXPECT_TRUE(about.versionText().contains(QApplication::applicationVersion()));
    EXPECT_TRUE(about.dataFolderText().contains(QStringLiteral("/srv/kelvora/data")));
    for (const char *shipped : {"Qt 6", "LGPL", "SQLCipher", "BSD", "OpenSSL", "Apache"})
        EXPECT_TRUE(about.licencesText().contains(QString::fromLatin1(shipped))) << shipped;
}

// Qt's own windows in Greek, read as the user sees them.
TEST(ClerksDeskWindows, QtsOwnDialogsSpeakGreek)
{
    ASSERT_TRUE(desk::installGreekQtTexts());
    QFileDialog files(nullptr, QStringLiteral("Αποθήκευση"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&files));
    auto *lookIn = files.findChild<QLabel *>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), QStringLiteral("Αναζήτηση σε:"));
    auto *buttons = files.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    QStringList captions;
    for (QAbstractButton *b : buttons->buttons())
        captions << b->text().remove(QLatin1Char('&'));
    EXPECT_TRUE(captions.contains(QStringLiteral("Αποθήκευση"))) << captions.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(captions.contains(QStringLiteral("Άκυρο"))) << captions.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?").arg(QStringLiteral("α.pdf")),
              QStringLiteral("Το α.pdf υπάρχει ήδη.\nΝα αντικατασταθεί;"));
    files.hide();

    QPrinter printer;
    QPrintDialog print(&printer);
    print.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&print));
    EXPECT_EQ(print.windowTitle(), QStringLiteral("Εκτύπωση"));
    QStringList printCaptions;
    for (QAbstractButton *b : print.findChildren<QAbstractButton *>())
        printCaptions << b->text().remove(QLatin1Char('&'));
    EXPECT_TRUE(printCaptions.contains(QStringLiteral("Εκτύπωση"))) << printCaptions.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(printCaptions.contains(QStringLiteral("Άκυρο"))) << printCaptions.join(QLatin1Char('|')).toStdString();
    print.hide();

    QMessageBox standard(QMessageBox::Question, QStringLiteral("τ"), QStringLiteral("κ"),
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(standard.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Άκυρο"));
    EXPECT_EQ(standard.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ναι"));
}

TEST(ClerksDeskWindows, TheProgramsIconIsOnEveryWindow)
{
    QTemporaryDir dir;
    Program program(dir.path());
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    // Ours: the two sizes the program ships, not a theme's generic picture.
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{QSize(48, 48), QSize(256, 256)}));
    QDialog someWindow;
    EXPECT_EQ(someWindow.windowIcon().availableSizes(), icon.availableSizes());
}

// Every window, frame and a title bar of up to 40 pixels included, fits the
// smallest screen; the choice windows open centred once their size is known.
TEST_F(ClerksDesk, EveryWindowFitsTheSmallestScreen)
{
    constexpr int TitleBar = 40;
    const auto fits = [](QWidget *w, const char *what) {
        if (!w->isVisible())
            w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w)) << what;
        const QSize outer = w->frameGeometry().size();
        EXPECT_LE(outer.width(), ui::SmallestScreen.width()) << what;
        EXPECT_LE(outer.height() + TitleBar, ui::SmallestScreen.height()) << what;
        w->hide();
    };
    open();
    fits(window.get(), "kentrikh");
    {
        Login login(folder.store());
        fits(&login, "Login");
    }
    {
        OmadaKvdikvn groupsWindow(folder.main());
        fits(&groupsWindow, "OmadaKvdikvn");
    }
    {
        EpiloghOmadvn selection(QList<groups::GroupEntry>{});
        fits(&selection, "EpiloghOmadvn");
    }
    {
        AnalyshFRM analysisWindow(folder.main());
        analysisWindow.load(QStringLiteral("16-03-2026"));
        fits(&analysisWindow, "AnalyshFRM");
    }
    {
        ChangeLogDialog log(folder.store());
        fits(&log, "ChangeLogDialog");
    }
    {
        AboutWindow about(folder.path());
        fits(&about, "AboutWindow");
        HelpWindow help;
        fits(&help, "HelpWindow");
    }
    for (int which = 0; which < 2; ++which) {
        QRect shownAt;
        QRect area;
        ModalSteps look([&](QWidget *modal) {
            QTest::qWait(20);
            shownAt = modal->frameGeometry();
            area = modal->screen()->availableGeometry();
            modal->close();
        });
        if (which == 0)
            Ervthsh::ask(window.get());
        else
            FormaTajinomhshs::ask(window.get());
        EXPECT_TRUE(look.ran());
        EXPECT_LE(shownAt.height() + TitleBar, ui::SmallestScreen.height());
        EXPECT_EQ(shownAt.topLeft(), ui::centredTopLeft(area, shownAt.size())) << (which == 0 ? "Ervthsh" : "FormaTajinomhshs");
    }
}
