#include "cashbook/QStringPrinter.h"
#include "groups/GroupColumns.h"
#include "platform/desktop/Settings.h"
#include "platform/pages/engine.h"
#include "platform/regional/GreekFormats.h"
#include "reports/GroupCard.h"
#include "reports/ReportCatalog.h"
#include "reports/ReportRunner.h"
#include "support/TestDataFolder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using reports::ReportInput;

namespace {

class GroupCardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settingsDir.isValid());
        settings::useFile(settingsDir.filePath(QStringLiteral("kelvora.ini")));
        rent = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
        sales = folder.addGroup(QStringLiteral("ΠΩΛΗΣΕΙΣ"));
        wages = folder.addGroup(QStringLiteral("ΜΙΣΘΟΙ"));
        folder.addCode(10, QStringLiteral("Ενοίκιο γραφείου"), false, rent);
        folder.addCode(11, QStringLiteral("Ενοίκιο αποθήκης"), false, rent);
        folder.addCode(20, QStringLiteral("Πωλήσεις"), true, sales);
        folder.addCode(30, QStringLiteral("Μισθοί"), false, wages);
        input.from = QDate(2026, 3, 1);
        input.to = QDate(2026, 3, 31);
        input.headerCaption = QStringLiteral("Κεντρικό");
    }

    // Books a movement the way the cash sheet stores it; returns its amount.
    Money book(int code, const QDate &day, const QString &text, qint64 incomeCents, qint64 expenseCents)
    {
        const qint64 group = folder.main().scalar(QStringLiteral("select aa_omadas from kvdikoi where kvdikos=?"), code).toLongLong();
        folder.main().execute(QStringLiteral("insert into kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, "
                                             "aa_omada, grammh, epitagh, L_tajeos) values (?,?,?,?,?,?,'',0,0)"),
                              code, day, text, Money::fromCents(incomeCents), Money::fromCents(expenseCents), group);
        return Money::fromCents(incomeCents + expenseCents);
    }

    // What the selection window stores for column i with these groups.
    void choose(int column, const QList<groups::GroupEntry> &chosen)
    {
        QList<bool> marks(chosen.size(), true);
        ASSERT_TRUE(groups::saveColumn(column, groups::storedColumn(chosen, marks)));
    }

    void build()
    {
        input.answers = reports::askQuestions(6, answers, folder.store(), input);
        reports::groupCard(engine, folder.store(), input);
    }

    std::vector<QStringList> rows() const { return engine.document().tableRows(1); }
    QStringList totalsRow() const
    {
        const auto t = engine.document().tableRows(2);
        return t.empty() ? QStringList() : t.front();
    }

    QTemporaryDir settingsDir;
    TestDataFolder folder;
    pages::Engine engine;
    reports::PresetAnswers answers;
    ReportInput input;
    int rent = 0, sales = 0, wages = 0;
};

TEST_F(GroupCardTest, ColumnsOfDifferentLengthsAndTheirTotals)
{
    Money left, middle;
    // Two movements that look alike are still two movements.
    left += book(10, QDate(2026, 3, 2), QStringLiteral("Ενοίκιο Μαρτίου"), 0, 50000);
    left += book(10, QDate(2026, 3, 2), QStringLiteral("Ενοίκιο Μαρτίου"), 0, 50000);
    left += book(11, QDate(2026, 3, 5), QStringLiteral("Αποθήκη"), 0, 12345);
    left += book(11, QDate(2026, 3, 6), QStringLiteral("Διόρθωση"), 0, 0);
    middle += book(30, QDate(2026, 3, 9), QStringLiteral("Μισθός Μαρτίου"), 0, 120000);
    book(10, QDate(2026, 4, 1), QStringLiteral("Εκτός περιόδου"), 0, 99999);
    book(20, QDate(2026, 3, 3), QStringLiteral("Πωλήσεις ημέρας"), 77700, 0); // a group nobody chose

    choose(0, {{QStringLiteral("ΕΝΟΙΚΙΑ"), rent}});
    choose(1, {{QStringLiteral("ΜΙΣΘΟΙ"), wages}});
    choose(2, {});
    build();

    EXPECT_EQ(answers.asked, 1) << "the group selection comes first";
    const pages::Document &doc = engine.document();
    EXPECT_EQ(doc.tableHeading(1),
              (QStringList{QStringLiteral("ΕΝΟΙΚΙΑ"), QStringLiteral("Ποσό"), QStringLiteral("ΜΙΣΘΟΙ"),
                           QStringLiteral("  Ποσό"), QString(), QStringLiteral("   Ποσό")}));
    const auto r = rows();
    ASSERT_EQ(r.size(), 4u);
    // Codes in order, newest day first within a code.
    EXPECT_EQ(r[0], (QStringList{QStringLiteral("Ενοίκιο Μαρτίου"), QStringLiteral("500,00"),
                                 QStringLiteral("Μισθός Μαρτίου"), QStringLiteral("1.200,00"), QString(), QString()}));
    EXPECT_EQ(r[1][0], QStringLiteral("Ενοίκιο Μαρτίου"));
    EXPECT_EQ(r[2], (QStringList{QStringLiteral("Διόρθωση"), QStringLiteral("0"), QString(), QString(), QString(), QString()}));
    EXPECT_EQ(r[3][0], QStringLiteral("Αποθήκη"));
    EXPECT_EQ(totalsRow(), (QStringList{QString(), regional::formatMoney(left), QString(),
                                        regional::formatMoney(middle), QString(), QStringLiteral("0")}));
    EXPECT_EQ(totalsRow()[1], QStringLiteral("1.123,45"));
    EXPECT_EQ(doc.page(1)->findTextContaining(QStringLiteral("Δεν υπάρχουν αναφορές")), nullptr);

    const pages::PageItem *title = doc.page(1)->findText(
        QStringLiteral("Καρτέλα ομάδων από 01-03-2026  έως  31-03-2026   Κεντρικό"));
    ASSERT_NE(title, nullptr);
    // The totals row is bold, the movements are not.
    for (const pages::PageItem &item : doc.page(1)->items) {
        if (item.role == pages::ItemRole::TableCell && item.text == totalsRow()[1]) {
            EXPECT_TRUE(item.font.bold);
        }
        if (item.role == pages::ItemRole::TableCell && item.text == QStringLiteral("Αποθήκη")) {
            EXPECT_FALSE(item.font.bold);
        }
    }
}

// A rename that failed halfway leaves codes of one group with different
// copies of its name: every movement is still counted once.
TEST_F(GroupCardTest, CodesCarryingDifferentCopiesOfTheGroupNameCountEachMovementOnce)
{
    folder.main().execute(QStringLiteral("update kvdikoi set omada = 'ΕΝΟΙΚΙΑ ΝΕΑ' where kvdikos = 11"));
    Money left;
    left += book(10, QDate(2026, 3, 2), QStringLiteral("Ενοίκιο Μαρτίου"), 0, 402470);
    left += book(11, QDate(2026, 3, 5), QStringLiteral("Αποθήκη"), 0, 402470);
    choose(0, {{QStringLiteral("ΕΝΟΙΚΙΑ"), rent}});
    choose(1, {});
    choose(2, {});
    build();
    EXPECT_EQ(rows().size(), 2u);
    EXPECT_EQ(totalsRow()[1], regional::formatMoney(left));
    EXPECT_EQ(totalsRow()[1], QStringLiteral("8.049,40"));
}

TEST_F(GroupCardTest, LandscapePageWithThePreviewMouseModes)
{
    choose(0, {{QStringLiteral("ΕΝΟΙΚΙΑ"), rent}});
    book(10, QDate(2026, 3, 2), QStringLiteral("Ενοίκιο"), 0, 100);
    build();
    EXPECT_EQ(engine.Orientation(), pages::orientation::Landscape);
    EXPECT_EQ(engine.MarginLeft(), 450);
    EXPECT_EQ(engine.MarginTop(), 850);
    EXPECT_TRUE(engine.MouseZoom() && engine.MousePage() && engine.MouseScroll());
    const QSize size = engine.document().page(1)->size;
    EXPECT_GT(size.width(), size.height());
}

TEST_F(GroupCardTest, NothingChosenSaysSo)
{
    book(10, QDate(2026, 3, 2), QStringLiteral("Ενοίκιο"), 0, 100);
    build();
    const pages::Document &doc = engine.document();
    EXPECT_EQ(doc.tableHeading(1),
              (QStringList{QStringLiteral("Χωρίς επιλογή"), QStringLiteral("Ποσό"), QStringLiteral("Χωρίς επιλογή"),
                           QStringLiteral("  Ποσό"), QStringLiteral("Χωρίς επιλογή"), QStringLiteral("   Ποσό")}));
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(totalsRow(), (QStringList{QString(), QStringLiteral("0"), QString(), QStringLiteral("0"), QString(),
                                        QStringLiteral("0")}));
    EXPECT_NE(doc.page(1)->findText(QStringLiteral(" Δεν υπάρχουν αναφορές")), nullptr);
}

TEST_F(GroupCardTest, TamperedConditionLeavesItsColumnEmptyAndTheBookAlone)
{
    const Money rentAmount = book(10, QDate(2026, 3, 2), QStringLiteral("Ενοίκιο"), 0, 30000);
    book(30, QDate(2026, 3, 2), QStringLiteral("Μισθός"), 0, 80000);
    choose(0, {{QStringLiteral("ΕΝΟΙΚΙΑ"), rent}});
    const qint64 movementsBefore = folder.main().scalar(QStringLiteral("select count(*) from kinhseis")).toLongLong();
    const char *tampered[] = {
        "1=1) or (1=1",
        "( aa_omada=3); delete from kinhseis; --)",
        "( aa_omada in (select aa from omades))",
    };
    for (const char *condition : tampered) {
        ASSERT_TRUE(settings::write(QStringLiteral("Omades"), QStringLiteral("Omada(1)"), QString::fromUtf8(condition)));
        ASSERT_TRUE(settings::write(QStringLiteral("P_Omadvn"), QStringLiteral("P_omadvn1"), QStringLiteral("ΜΙΣΘΟΙ")));
        build();
        const auto r = rows();
        ASSERT_EQ(r.size(), 1u) << condition;
        EXPECT_EQ(r[0], (QStringList{QStringLiteral("Ενοίκιο"), QStringLiteral("300,00"), QString(), QString(),
                                     QString(), QString()}))
            << condition;
        EXPECT_EQ(totalsRow()[1], regional::formatMoney(rentAmount));
        EXPECT_EQ(totalsRow()[3], QStringLiteral("0"));
    }
    EXPECT_EQ(folder.main().scalar(QStringLiteral("select count(*) from kinhseis")).toLongLong(), movementsBefore);
}

TEST_F(GroupCardTest, EveryPageCarriesItsNumberThroughTheRunner)
{
    choose(2, {{QStringLiteral("ΠΩΛΗΣΕΙΣ"), sales}});
    Money total;
    for (int i = 0; i < 120; ++i)
        total += book(20, QDate(2026, 3, 1 + i % 28), QStringLiteral("Πώληση %1").arg(i), 1000 + i, 0);
    ASSERT_TRUE(reports::runReport(6, engine, folder.store(), input).complete());
    const pages::Document &doc = engine.document();
    ASSERT_GT(doc.pageCount(), 1);
    for (int p = 1; p <= doc.pageCount(); ++p)
        EXPECT_NE(doc.page(p)->findText(QStringLiteral("Σελίδα %1").arg(p)), nullptr) << "page " << p;
    EXPECT_EQ(rows().size(), 120u);
    EXPECT_EQ(totalsRow()[5], regional::formatMoney(total));
}

} // namespace
