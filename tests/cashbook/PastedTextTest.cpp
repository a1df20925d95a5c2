// A description pasted into the real box of the cash sheet: what is stored,
// and how the day list shows it, each amount whole and left to right in its
// own column whatever the text beside it.
#include "cashbook/widgets/CashSheetPage.h"

#include "data/AppGlobals.h"
#include "platform/regional/Clock.h"
#include "platform/regional/TextPad.h"
#include "support/LineAsSeen.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"
#include "QStringPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString Hebrew = QString::fromUtf8("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"); // שלום

// The line as the eye counts its columns: isolate marks take no room, a
// character with its accents is one column.
QString columnsOf(QString line)
{
    line.remove(QChar(0x2068));
    line.remove(QChar(0x2069));
    return line;
}

int columnOf(const QString &line, const QString &part)
{
    const QString cols = columnsOf(line);
    const qsizetype at = cols.indexOf(part);
    return at < 0 ? -1 : regional::characterCount(cols.left(at));
}

class PastedTextTest : public ::testing::Test
{
protected:
    PastedTextTest()
    {
        Clock::setToday(QDate(2026, 3, 16));
        globals().RightChangeRecords = true;
        globals().RightCloseCash = true;
        folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        state.store = &folder.store();
        context.state = &state;
        context.setStatusPanel = [](int, const QString &) {};
        context.setButtonVisible = [](int, bool) {};
        host.resize(788, 541);
        page = cashbook::makeCashSheetPage(context, &host);
        page->widget()->setGeometry(0, 0, 788, 541);
        host.show();
        host.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&host));
        page->ShowInitialDay();
    }
    ~PastedTextTest() override
    {
        page.reset();
        Clock::setToday(QDate());
    }

    QLineEdit *box(int element) { return host.findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(element)); }
    QListWidget *list() { return host.findChild<QListWidget *>(QStringLiteral("List1")); }

    // Code 10 chosen, the description pasted with Ctrl+V, the income typed, inserted.
    void bookPasted(const QString &pasted, const QString &income)
    {
        QComboBox *code = host.findChild<QComboBox *>(QStringLiteral("DBCombo1"));
        code->setFocus();
        QTest::keyClicks(code->lineEdit(), QStringLiteral("10"));
        QTest::keyClick(code, Qt::Key_Return);
        QApplication::clipboard()->setText(pasted);
        box(1)->setFocus();
        box(1)->clear();
        QTest::keyClick(box(1), Qt::Key_V, Qt::ControlModifier);
        box(2)->setFocus();
        box(2)->selectAll();
        QTest::keyClicks(box(2), income);
        QTest::keyClick(box(2), Qt::Key_Tab);
        page->InsertMovement();
    }

    QString storedDescription(int nth)
    {
        return folder.main()
            .scalar(QStringLiteral("SELECT perigrafh FROM kinhseis ORDER BY aa LIMIT 1 OFFSET ?1"), qint64(nth))
            .toString();
    }

    TestDataFolder folder;
    ScriptedMessages messages;
    MainWindowState state;
    PageContext context;
    QWidget host;
    std::unique_ptr<CashSheetPage> page;
};

} // namespace

TEST_F(PastedTextTest, APastedDescriptionIsStoredOnOneLineAndItsAmountStaysInItsColumn)
{
    bookPasted(QStringLiteral("ΑΠΛΟ"), QStringLiteral("1,00"));
    const QString pasted = QStringLiteral("ΚΑΦΕΣ\nΓΑΛΑ\t") + QChar(0x202E) + QStringLiteral("ΤΕΛΟΣ ") + Hebrew
        + QChar(0x200B);
    bookPasted(pasted, QStringLiteral("1234,56"));
    bookPasted(Hebrew, QStringLiteral("1,00"));
    ASSERT_EQ(messages.count(), 0) << messages.last().text.toStdString();

    // Stored: the break and the tab as blanks, the override and the zero-width space gone.
    EXPECT_EQ(storedDescription(1), QStringLiteral("ΚΑΦΕΣ ΓΑΛΑ ΤΕΛΟΣ ") + Hebrew);
    EXPECT_EQ(storedDescription(2), Hebrew);

    ASSERT_EQ(list()->count(), 4);
    const QString plain = list()->item(1)->text();
    const int incomeColumn = columnOf(plain, QStringLiteral("1,00"));
    ASSERT_GT(incomeColumn, 0);
    const QFont font = list()->font();
    for (const int row : {2, 3}) {
        SCOPED_TRACE(row);
        const QString line = list()->item(row)->text();
        const QString amount = row == 2 ? QStringLiteral("1.234,56") : QStringLiteral("1,00");
        EXPECT_FALSE(line.contains(QLatin1Char('\n')));
        // Whole, and ending where the plain line's amount ends.
        EXPECT_EQ(columnOf(line, amount) + amount.size(), incomeColumn + 4);
        // As drawn: left to right, and right of every character of the description.
        const qsizetype at = line.indexOf(amount);
        const LineAsSeen seen(line, font);
        EXPECT_TRUE(seen.readsLeftToRight(at, amount.size()));
        EXPECT_TRUE(seen.allLeftOf(0, at, at));
    }
}

// Typing goes through the same rule as pasting: a tab typed (or sent by an
// input method) into the box never lands in it.
TEST_F(PastedTextTest, TypedInvisibleCharactersNeverReachTheBox)
{
    box(1)->setFocus();
    box(1)->insert(QStringLiteral("αβ"));
    box(1)->insert(QStringLiteral("\tγ\u200bδ\u2066"));
    EXPECT_EQ(box(1)->text(), QStringLiteral("αβ γδ"));
    EXPECT_EQ(box(1)->cursorPosition(), 5);
}
