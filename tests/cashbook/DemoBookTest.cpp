#include "cashbook/demo/DemoBook.h"
#include "data/UserPasswords.h"
#include "cashbook/widgets/CashSheetPage.h"

#include "QStringPrinter.h"
#include "data/AppGlobals.h"
#include "data/Schema.h"
#include "data/SchemaUpgrade.h"
#include "data/Store.h"
#include "platform/regional/Clock.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDate Today(2026, 12, 8);

QStringList movementsOf(const QString &folder)
{
    Store store(folder, globals().DbPassword);
    QStringList out;
    db::Statement st = store.main().prepare(QStringLiteral(
        "SELECT hmeromhnia, kvdikos, perigrafh, esoda, ejoda, epitagh, L_tajeos FROM kinhseis ORDER BY aa"));
    while (st.next())
        out << QStringList{st.text(0), st.text(1), st.text(2), st.text(3), st.text(4), st.text(5), st.text(6)}.join(
            QLatin1Char('|'));
    return out;
}

class DemoBookTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        summary = demobook::build(dir->path(), Today);
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
    static QTemporaryDir *dir;
    static demobook::Summary summary;
};

QTemporaryDir *DemoBookTest::dir = nullptr;
demobook::Summary DemoBookTest::summary;

} // namespace

TEST_F(DemoBookTest, ABookOfThreeMonthsWithAConsistentChain)
{
    Store store(dir->path(), globals().DbPassword);
    EXPECT_EQ(schemaupgrade::currentVersion(store.main()), schema::CurrentVersion);
    EXPECT_EQ(summary.openingDay, QDate(2026, 9, 1));
    EXPECT_GT(summary.movements, 150);
    EXPECT_GT(summary.closedDays, 20);
    EXPECT_LT(summary.closedDays, summary.days);

    db::Statement rows = store.main().prepare(QStringLiteral(
        "SELECT hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo FROM tameio ORDER BY hmeromhnia"));
    ASSERT_TRUE(rows.next());
    EXPECT_EQ(rows.date(0), summary.openingDay);
    EXPECT_EQ(rows.money(3), Money::fromWhole(1500)); // the opening balance
    Money previous = rows.money(3);
    int n = 1;
    while (rows.next()) {
        EXPECT_EQ(rows.money(3), previous + rows.money(1) - rows.money(2)) << rows.text(0).toStdString();
        EXPECT_LT(rows.date(0), Today);
        previous = rows.money(3);
        ++n;
    }
    EXPECT_EQ(n, summary.days + 1);
    EXPECT_GT(store.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis WHERE epitagh <> 0")).toInt(), 5);
    EXPECT_GT(store.main().scalar(QStringLiteral("SELECT count(*) FROM kinhseis WHERE L_tajeos <> 0")).toInt(), 3);
    EXPECT_GE(store.main().scalar(QStringLiteral("SELECT count(DISTINCT aa_omadas) FROM kvdikoi")).toInt(), 3);
    EXPECT_EQ(store.users().scalar(QStringLiteral("SELECT count(*) FROM codes WHERE uname = 'demo' "
                                                  "AND dikaivma_eggrafes <> 0 AND dikaivma_klhsimo <> 0 "
                                                  "AND dikaivma_kvdikoi <> 0"))
                  .toInt(),
              1);
    EXPECT_TRUE(userpassword::matches(
        QStringLiteral("demo"),
        store.users().scalar(QStringLiteral("SELECT upass FROM codes WHERE uname = 'demo'")).toString()));
}

TEST_F(DemoBookTest, SameDaySameBookAndNoSecondBookOnTop)
{
    QTemporaryDir other;
    demobook::build(other.path(), Today);
    EXPECT_EQ(movementsOf(other.path()), movementsOf(dir->path()));
    EXPECT_THROW(demobook::build(other.path(), Today), std::runtime_error);
}

// The page at the main window's size with a demo day: the fixed-pitch list
// shows whole lines. KELVORA_SHOT_DIR keeps a picture of it.
TEST_F(DemoBookTest, ADemoDayFitsThePage)
{
    Clock::setToday(Today);
    ScriptedMessages messages;
    globals().RightChangeRecords = true;
    Store store(dir->path(), globals().DbPassword);
    MainWindowState state;
    state.store = &store;
    PageContext context{&state, [](int, const QString &) {}, [](int, bool) {}};
    QWidget host;
    host.resize(788, 541);
    auto page = cashbook::makeCashSheetPage(context, &host);
    page->widget()->setGeometry(0, 0, 788, 541);
    host.show();
    auto *date = host.findChild<QLineEdit *>(QStringLiteral("Text1(0)"));
    const QDate busiest = QDate::fromString(
        store.main()
            .scalar(QStringLiteral("SELECT hmeromhnia FROM kinhseis GROUP BY hmeromhnia ORDER BY count(*) DESC, "
                                   "hmeromhnia LIMIT 1"))
            .toString(),
        Qt::ISODate);
    date->setText(busiest.toString(QStringLiteral("dd-MM-yyyy")));
    page->ShowInitialDay();
    EXPECT_EQ(messages.count(), 0);

    auto *list = host.findChild<QListWidget *>(QStringLiteral("List1"));
    ASSERT_GT(list->count(), 3);
    EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());
    std::printf("list font: %s\n", qPrintable(QFontInfo(list->font()).family()));
    const QFontMetrics fm(list->font());
    int widest = 0;
    for (int i = 0; i < list->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(list->item(i)->text()));
    EXPECT_LE(widest, list->viewport()->width());
    const QLabel *header = host.findChild<QLabel *>(QStringLiteral("Label1(5)"));
    EXPECT_LE(QFontMetrics(header->font()).horizontalAdvance(header->text()), header->width());

    const QString shots = qEnvironmentVariable("KELVORA_SHOT_DIR");
    if (!shots.isEmpty())
        host.grab().save(QDir(shots).filePath(QStringLiteral("cash-sheet.png")));
    Clock::setToday(QDate());
}
