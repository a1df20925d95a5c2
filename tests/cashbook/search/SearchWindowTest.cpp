#include "cashbook/CashBook.h"
#include "cashbook/CashOperations.h"
#include "cashbook/search/widgets/SearchWindow.h"
#include "cashbook/widgets/CashSheetPage.h"
#include "cashbook/widgets/CashSheetWidget.h"
#include "data/AppGlobals.h"
#include "data/MovementWords.h"
#include "platform/db/Database.h"
#include "platform/db/Statement.h"
#include "platform/db/Transaction.h"
#include "platform/pages/document.h"
#include "platform/pages/engine.h"
#include "platform/regional/GreekFormats.h"
#include "reports/widgets/Ektypvsh.h"
#include "platform/desktop/widgets/WindowPlacement.h"
#include "platform/regional/Clock.h"
#include "support/MovementEntries.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"
#include "cashbook/QStringPrinter.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// What the window saves as CSV at `path`, read back.
QString savedCsv(search::SearchWindow *window, const QString &path)
{
    EXPECT_TRUE(window->saveTo(search::SaveKind::Csv, path));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
}

// The cash page in a stand-in for the main window, with movements booked
// through the cash book's operations, and its search window driven by keys.
class SearchWindowTest : public ::testing::Test
{
protected:
    SearchWindowTest()
    {
        Clock::setToday(QDate(2026, 3, 16));
        globals().RightChangeRecords = true;
        globals().RightCloseCash = true;
        folder.addCode(10, QStringLiteral("ΕΙΣΠΡΑΞΕΙΣ"), true);
        folder.addCode(20, QStringLiteral("ΑΓΟΡΕΣ"), false);
        state.store = &folder.store();
        context.state = &state;
        context.setStatusPanel = [](int, const QString &) {};
        context.setButtonVisible = [this](int element, bool visible) { buttons[element] = visible; };
        host.resize(788, 541);
    }
    ~SearchWindowTest() override
    {
        page.reset();
        Clock::setToday(QDate());
        globals().RightChangeRecords = true;
    }

    qint64 book(const QDate &d, int code, const QString &description, const QString &amount)
    {
        const auto aa = ops.InsertMovement(movementEntry(d, code, code == 10 ? amount : QStringLiteral("0"),
                                                         code == 10 ? QStringLiteral("0") : amount, description));
        EXPECT_TRUE(aa.has_value());
        return aa.value_or(0);
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

    // Many movements at once, in one transaction with their words, as the
    // cash book would have booked them one by one.
    struct Bulk
    {
        qint64 aa;
        QDate day;
        int code;
        QString description;
        Money income, expense;
    };
    std::vector<Bulk> bookMany(int n)
    {
        std::vector<Bulk> out;
        db::Database &main = folder.main();
        db::Transaction t(main);
        for (int i = 0; i < n; ++i) {
            const QDate d = QDate(2025, 1, 1).addDays(i % 400);
            const int code = i % 3 == 0 ? 20 : 10;
            const Money amount = Money::fromCents(100 + 37 * i);
            const QString description = QStringLiteral("ΤΙΜΟΛΟΓΙΟ %1 πελάτη").arg(i);
            main.execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, grammh) "
                                        "VALUES (?1, ?2, ?3, ?4, ?5, '')"),
                         qint64(code), d, description, code == 10 ? amount.units() : 0, code == 20 ? amount.units() : 0);
            const qint64 aa = main.scalar(QStringLiteral("SELECT max(aa) FROM kinhseis")).toLongLong();
            movementwords::recordWords(main, aa, description);
            out.push_back({aa, d, code, description, code == 10 ? amount : Money(), code == 20 ? amount : Money()});
        }
        t.commit();
        std::sort(out.begin(), out.end(),
                  [](const Bulk &a, const Bulk &b) { return a.day != b.day ? a.day < b.day : a.aa < b.aa; });
        return out;
    }

    cashbook::CashSheetWidget *sheet() { return qobject_cast<cashbook::CashSheetWidget *>(page->widget()); }
    template <typename T> T *in(QWidget *w, const char *name)
    {
        T *c = w->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QLineEdit *box(int element)
    {
        return host.findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(element));
    }

    TestDataFolder folder;
    ScriptedMessages messages;
    cashbook::CashBook cashBook{folder.store()};
    cashbook::CashOperations ops{cashBook};
    MainWindowState state;
    PageContext context;
    std::map<int, bool> buttons;
    QWidget host;
    std::unique_ptr<CashSheetPage> page;
};

TEST_F(SearchWindowTest, KeyboardOnlyFindsOpensAndCloses)
{
    book(QDate(2026, 3, 2), 10, QStringLiteral("ΕΙΣΠΡΑΞΗ ΠΕΛΑΤΗ"), QStringLiteral("40"));
    const QString wanted = QStringLiteral("Ενοίκιο Μαρτίου");
    book(QDate(2026, 3, 5), 20, QStringLiteral("ΧΑΡΤΙΑ"), QStringLiteral("3"));
    book(QDate(2026, 3, 5), 20, wanted, QStringLiteral("450"));
    open();

    QTest::keyClick(&host, Qt::Key_F, Qt::ControlModifier);
    search::SearchWindow *window = host.findChild<search::SearchWindow *>();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }));
    // Fits the smallest screen, frame and all.
    EXPECT_LE(window->frameGeometry().width(), ui::SmallestScreen.width());
    EXPECT_LE(window->frameGeometry().height(), ui::SmallestScreen.height());

    // The order Tab goes through, from the words box on (the save buttons
    // wait for results and are passed over until then).
    QStringList order;
    for (QWidget *w = QApplication::focusWidget(); order.size() < 11; w = QApplication::focusWidget()) {
        ASSERT_NE(w, nullptr);
        order << w->objectName();
        QTest::keyClick(w, Qt::Key_Tab);
    }
    EXPECT_EQ(order.join(QLatin1Char(' ')),
              QStringLiteral("words amountFrom amountTo dateFrom dateTo codes chequesOnly search results close words"));

    QLineEdit *words = in<QLineEdit>(window, "words");
    words->setFocus();
    for (const QChar c : QStringLiteral("ΕΝΟΙΚΙΟ")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(words, &press);
    }
    EXPECT_EQ(words->text(), QStringLiteral("ΕΝΟΙΚΙΟ"));
    QTest::keyClick(words, Qt::Key_Return);
    ASSERT_EQ(window->results().rows.size(), 1);
    EXPECT_EQ(in<QLabel>(window, "totals")->text(),
              QStringLiteral("Κινήσεις: 1    Σύνολο εσόδων: 0,00    Σύνολο εξόδων: 450,00"));
    QTableView *results = in<QTableView>(window, "results");
    EXPECT_EQ(QApplication::focusWidget(), results);

    // Enter on the found movement: the window steps aside, and the cash sheet
    // shows its day with the movement loaded.
    QTest::keyClick(results, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(box(0)->text(), QStringLiteral("05-03-2026"));
    EXPECT_TRUE(state.MovementSelected);
    EXPECT_EQ(box(1)->text(), wanted);
    EXPECT_EQ(box(3)->text(), QStringLiteral("450,00"));
    EXPECT_TRUE(buttons[2]);
    EXPECT_EQ(host.findChild<QListWidget *>(QStringLiteral("List1"))->currentRow(), 2);
    EXPECT_EQ(messages.count(), 0);

    // Opening the search again (Ctrl+F, the button) shows its results; Esc closes it.
    EXPECT_EQ(sheet()->OpenSearch(), window);
    ASSERT_TRUE(QTest::qWaitFor([window] { return window->isActiveWindow(); }));
    EXPECT_EQ(window->results().rows.size(), 1);
    QTest::keyClick(results, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SearchWindowTest, AFoundMovementOnAClosedDayIsLoadedOnlyWithTheRight)
{
    const QDate closed(2026, 3, 4);
    book(closed, 10, QStringLiteral("ΠΡΩΤΗ"), QStringLiteral("1"));
    const qint64 aa = book(closed, 10, QStringLiteral("ΚΛΕΙΣΤΗ ΗΜΕΡΑ"), QStringLiteral("25"));
    folder.closeDay(closed);
    open();
    QListWidget *list = host.findChild<QListWidget *>(QStringLiteral("List1"));

    globals().RightChangeRecords = false;
    messages.clear();
    sheet()->ShowFoundMovement(closed, aa);
    // What leaving the date box on that day says, and the day only shown.
    ASSERT_EQ(messages.count(), 1) << messages.texts().join(QLatin1Char('/')).toStdString();
    EXPECT_EQ(messages.last().text, QStringLiteral("Το ταμείο έχει κλείσει και δεν έχετε δικαίωμα να το μεταβάλετε"));
    EXPECT_FALSE(state.MovementSelected);
    EXPECT_TRUE(box(1)->text().isEmpty());
    EXPECT_FALSE(box(1)->isEnabled());
    EXPECT_FALSE(buttons[0]);
    EXPECT_FALSE(buttons[2]);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(box(0)->text(), QStringLiteral("04-03-2026"));

    globals().RightChangeRecords = true;
    messages.clear();
    sheet()->ShowFoundMovement(QDate(2026, 3, 4), aa);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_TRUE(state.MovementSelected);
    EXPECT_EQ(box(1)->text(), QStringLiteral("ΚΛΕΙΣΤΗ ΗΜΕΡΑ"));
    EXPECT_TRUE(buttons[2]);
}

TEST_F(SearchWindowTest, ResultsSaveAsTheReportsTablesSaveThem)
{
    book(QDate(2026, 3, 2), 10, QStringLiteral("ΤΟΚΟΙ Α' ΤΡΙΜΗΝΟΥ"), QStringLiteral("1.234,56"));
    book(QDate(2026, 3, 3), 20, QStringLiteral("ΤΟΚΟΙ ΔΑΝΕΙΟΥ"), QStringLiteral("0,44"));
    book(QDate(2026, 3, 3), 20, QStringLiteral("ΑΛΛΟ"), QStringLiteral("9"));
    open();
    search::SearchWindow *window = sheet()->OpenSearch();
    in<QLineEdit>(window, "words")->setText(QStringLiteral("τοκοι"));
    ASSERT_TRUE(window->runSearch());

    QTemporaryDir dir;
    const QString text = savedCsv(window, dir.filePath(QStringLiteral("αναζήτηση.csv")));
    EXPECT_TRUE(text.contains(QStringLiteral("02-03-2026;10;ΤΟΚΟΙ Α' ΤΡΙΜΗΝΟΥ;1.234,56;0;"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("03-03-2026;20;ΤΟΚΟΙ ΔΑΝΕΙΟΥ;0;0,44;"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(";;Κινήσεις: 2;1.234,56;0,44;"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("ΑΛΛΟ")));

    EXPECT_TRUE(in<QPushButton>(window, "print")->isEnabled());

    const QString xlsx = dir.filePath(QStringLiteral("αναζήτηση.xlsx"));
    ASSERT_TRUE(window->saveTo(search::SaveKind::Xlsx, xlsx));
    QFile x(xlsx);
    ASSERT_TRUE(x.open(QIODevice::ReadOnly));
    EXPECT_EQ(x.read(2), QByteArray("PK"));
}

} // namespace

namespace {

// More movements than the window lists: the count and totals are of all of
// them, the list shows the latest and says so, and printing and saving take
// every one of them, by day.
TEST_F(SearchWindowTest, ManyFoundListTheLatestWhilePrintAndSaveTakeThemAll)
{
    const std::vector<Bulk> rows = bookMany(search::ListedRows + 3);
    Money income, expense;
    for (const Bulk &b : rows) {
        income += b.income;
        expense += b.expense;
    }
    open();
    search::SearchWindow *window = sheet()->OpenSearch();
    QLineEdit *words = in<QLineEdit>(window, "words");
    EXPECT_FALSE(words->placeholderText().isEmpty());
    EXPECT_TRUE(words->toolTip().contains(QStringLiteral("αρχή μιας λέξης"))) << words->toolTip().toStdString();
    words->setText(QStringLiteral("τιμολογ πελατ"));
    QTest::keyClick(words, Qt::Key_Return);

    ASSERT_EQ(window->results().rows.size(), search::ListedRows);
    EXPECT_EQ(window->results().rows.front().aa, rows[3].aa);
    EXPECT_EQ(window->results().rows.back().aa, rows.back().aa);
    EXPECT_EQ(in<QLabel>(window, "totals")->text(),
              QStringLiteral("Κινήσεις: 1.003    Σύνολο εσόδων: %1    Σύνολο εξόδων: %2")
                  .arg(regional::formatMoney(income), regional::formatMoney(expense)));
    QLabel *note = in<QLabel>(window, "listedNote");
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().startsWith(QStringLiteral("Εμφανίζονται οι 1.000 πιο πρόσφατες από τις 1.003 κινήσεις")))
        << note->text().toStdString();

    // The print: title with what was looked for, "Σελίδα n" on every page,
    // every movement by day and the line of count and totals.
    QPushButton *print = in<QPushButton>(window, "print");
    ASSERT_TRUE(print->isEnabled());
    QTest::mouseClick(print, Qt::LeftButton);
    Ektypvsh *report = window->findChild<Ektypvsh *>();
    if (!report)
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *e = qobject_cast<Ektypvsh *>(w))
                report = e;
    ASSERT_NE(report, nullptr);
    const pages::Document &doc = report->engine().document();
    ASSERT_GE(doc.pageCount(), 2);
    for (const pages::Page &page : doc.pages) {
        EXPECT_EQ(page.texts(pages::ItemRole::PageFooter).join(QString()), QStringLiteral("Σελίδα %1").arg(page.number));
        EXPECT_EQ(page.texts(pages::ItemRole::PageHeader).join(QLatin1Char(' ')),
                  QStringLiteral("Αναζήτηση κινήσεων: λέξεις «τιμολογ πελατ»   ") + globals().HeaderCaption);
    }
    const std::vector<QStringList> printed = doc.tableRows(1);
    ASSERT_EQ(printed.size(), rows.size() + 1);
    auto amount = [](Money m) { return m.isZero() ? QStringLiteral("0") : regional::formatMoney(m); };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QStringList want = {regional::formatDate(rows[i].day), QString::number(rows[i].code), rows[i].description,
                                  amount(rows[i].income), amount(rows[i].expense)};
        QStringList got = printed[i].mid(0, 5);
        for (QString &c : got)
            c = c.trimmed();
        ASSERT_EQ(got, want) << "row " << i;
    }
    QStringList totals = printed.back().mid(2, 3);
    for (QString &c : totals)
        c = c.trimmed();
    EXPECT_EQ(totals, (QStringList{QStringLiteral("Κινήσεις: 1003"), amount(income), amount(expense)}));
    EXPECT_EQ(messages.count(), 0);

    // Saved: every movement, not only the listed ones.
    QTemporaryDir dir;
    const QString text = savedCsv(window, dir.filePath(QStringLiteral("όλες.csv")));
    for (const std::size_t i : {std::size_t(0), std::size_t(2), rows.size() - 1})
        EXPECT_TRUE(text.contains(regional::formatDate(rows[i].day) + QLatin1Char(';') + QString::number(rows[i].code)
                                  + QLatin1Char(';') + rows[i].description + QLatin1Char(';')))
            << rows[i].description.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(";;Κινήσεις: 1003;%1;%2;").arg(amount(income), amount(expense))));
}

} // namespace
