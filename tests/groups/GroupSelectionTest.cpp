#include "cashbook/QStringPrinter.h"
#include "groups/GroupColumns.h"
#include "groups/widgets/EpiloghOmadvn.h"
#include "platform/desktop/Settings.h"
#include "support/ModalSteps.h"

#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using groups::GroupEntry;

namespace {

class GroupSelectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        iniPath = dir.filePath(QStringLiteral("kelvora.ini"));
        settings::useFile(iniPath);
    }

    // The reports tab's group list: names with their numbers, in table order.
    QList<GroupEntry> groupList() const
    {
        return {{QStringLiteral("ΕΝΟΙΚΙΑ"), 1}, {QStringLiteral("ΜΙΣΘΟΙ"), 3},
                {QStringLiteral("ΠΩΛΗΣΕΙΣ"), 5}, {QStringLiteral("ΦΟΡΟΙ"), 7}};
    }

    QListWidget *list(EpiloghOmadvn &w, int i)
    {
        auto *l = w.findChild<QListWidget *>(QStringLiteral("List1(%1)").arg(i));
        EXPECT_NE(l, nullptr);
        return l;
    }

    void mark(EpiloghOmadvn &w, int column, int position)
    {
        list(w, column)->item(position)->setCheckState(Qt::Checked);
    }

    // Opens the window as the report window does (modally) and closes it with
    // its close box once the steps have run.
    void runModal(const QList<GroupEntry> &groups, const std::function<void(EpiloghOmadvn &)> &steps)
    {
        EpiloghOmadvn w(groups);
        ModalSteps driver([&](QWidget *) {
            steps(w);
            w.close();
        });
        w.exec();
        EXPECT_TRUE(driver.ran());
    }

    QString stored(const QString &section, const QString &key)
    {
        return settings::read(section, key, QStringLiteral("<missing>"));
    }

    QTemporaryDir dir;
    QString iniPath;
};

} // namespace

TEST_F(GroupSelectionTest, FirstUseClosedAtOnceWritesNineEmptyValues)
{
    runModal(groupList(), [&](EpiloghOmadvn &w) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(w.marks(i), QList<bool>(4, false)) << "column " << i;
        }
    });
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(stored(QStringLiteral("Listes"), QStringLiteral("List1(%1)").arg(i)), QString());
        EXPECT_EQ(stored(QStringLiteral("Omades"), QStringLiteral("Omada(%1)").arg(i)), QString());
        EXPECT_EQ(stored(QStringLiteral("P_Omadvn"), QStringLiteral("P_omadvn%1").arg(i)), QString());
    }
}

TEST_F(GroupSelectionTest, MiddleColumnWithGroupsThreeAndSevenWritesFilterAndNames)
{
    runModal(groupList(), [&](EpiloghOmadvn &w) {
        mark(w, 1, 1); // group 3
        mark(w, 1, 3); // group 7
        // The same group may be chosen in another column too.
        mark(w, 2, 3);
    });
    EXPECT_EQ(stored(QStringLiteral("Listes"), QStringLiteral("List1(1)")), QStringLiteral("1,3,"));
    EXPECT_EQ(stored(QStringLiteral("Omades"), QStringLiteral("Omada(1)")),
              QStringLiteral("( aa_omada=3  or aa_omada=7)"));
    EXPECT_EQ(stored(QStringLiteral("P_omadvn"), QStringLiteral("P_omadvn1")), QStringLiteral("ΜΙΣΘΟΙ, ΦΟΡΟΙ"));
    EXPECT_EQ(stored(QStringLiteral("Omades"), QStringLiteral("Omada(2)")), QStringLiteral("( aa_omada=7)"));
    EXPECT_EQ(stored(QStringLiteral("P_omadvn"), QStringLiteral("P_omadvn2")), QStringLiteral("ΦΟΡΟΙ"));
    EXPECT_EQ(stored(QStringLiteral("Omades"), QStringLiteral("Omada(0)")), QString());

    // The key names are written as other tools expect to find them.
    QSettings raw(iniPath, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("omades/omada(1)")).toString(),
              QStringLiteral("( aa_omada=3  or aa_omada=7)"));
}

TEST_F(GroupSelectionTest, MarksComeBackByPositionNotByGroup)
{
    runModal(groupList(), [&](EpiloghOmadvn &w) { mark(w, 0, 2); }); // ΠΩΛΗΣΕΙΣ at position 2
    // A group added before the marked one: position 2 now holds another group.
    QList<GroupEntry> grown = groupList();
    grown.insert(0, {QStringLiteral("ΑΓΟΡΕΣ"), 9});
    runModal(grown, [&](EpiloghOmadvn &w) {
        EXPECT_EQ(w.marks(0), (QList<bool>{false, false, true, false, false}));
        // Until the window closes again, the stored filter still names the old group.
        EXPECT_EQ(stored(QStringLiteral("Omades"), QStringLiteral("Omada(0)")), QStringLiteral("( aa_omada=5)"));
    });
    // Closing again stores the group now at that position.
    EXPECT_EQ(stored(QStringLiteral("Omades"), QStringLiteral("Omada(0)")), QStringLiteral("( aa_omada=3)"));
}

TEST_F(GroupSelectionTest, StoredPositionsAreReadAsTheOldProgramCountedThem)
{
    struct Case { const char *stored; QList<int> restored; };
    const Case cases[] = {
        {"0,2,", {0, 2}},
        {"0,2", {0}},          // no final comma: all but the last position
        {"3", {}},
        {"", {}},
        {"   ", {}},
        {"1,x,3,", {1, 3}},    // a field that is not a number is skipped
        {"0,,2,", {0, 2}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(groups::positionsToRestore(QString::fromUtf8(c.stored)), c.restored) << c.stored;

    // Positions beyond the list are skipped when the window restores them.
    ASSERT_TRUE(settings::write(QStringLiteral("Listes"), QStringLiteral("List1(2)"), QStringLiteral("1,9,")));
    runModal(groupList(), [&](EpiloghOmadvn &w) {
        EXPECT_EQ(w.marks(2), (QList<bool>{false, true, false, false}));
    });
}

TEST_F(GroupSelectionTest, OnlyTheWrittenFormOfAConditionIsAccepted)
{
    EXPECT_EQ(groups::parseGroupCondition(QStringLiteral("( aa_omada=3  or aa_omada=7)")),
              (QList<qint64>{3, 7}));
    EXPECT_EQ(groups::parseGroupCondition(QStringLiteral("( aa_omada=12)")), (QList<qint64>{12}));
    const char *tampered[] = {
        "1=1) or (1=1",
        "( aa_omada=3  or 1=1)",
        "( aa_omada=3); delete from kinhseis; --)",
        "( aa_omada in (select aa from omades))",
        "( aa_omada=3 or aa_omada=7)", // one blank before "or" is not the written form
        "( aa_omada=-3)",
        "( aa_omada=99999999999999999999)",
        "",
    };
    for (const char *text : tampered)
        EXPECT_FALSE(groups::parseGroupCondition(QString::fromUtf8(text)).has_value()) << text;

    ASSERT_TRUE(settings::write(QStringLiteral("Omades"), QStringLiteral("Omada(1)"), QStringLiteral("1=1) or (1=1")));
    ASSERT_TRUE(settings::write(QStringLiteral("P_Omadvn"), QStringLiteral("P_omadvn1"), QStringLiteral("ΜΙΣΘΟΙ")));
    const groups::ColumnChoice tamperedColumn = groups::readColumnChoice(1);
    EXPECT_TRUE(tamperedColumn.groups.isEmpty());
    EXPECT_EQ(tamperedColumn.heading, QStringLiteral("ΜΙΣΘΟΙ"));
    // Nothing stored at all: the heading says so.
    EXPECT_EQ(groups::readColumnChoice(0).heading, QStringLiteral("Χωρίς επιλογή"));
}

TEST_F(GroupSelectionTest, WindowShowsTheThreeColumnsAsUsersKnowThem)
{
    EpiloghOmadvn w(groupList());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Επιλογή ομάδων"));
    const QStringList tips{QStringLiteral("Επιλέξετε τις ομάδες που α τυπωθούν στην αριστερή στήλη"),
                           QStringLiteral("Επιλέξετε τις ομάδες που α τυπωθούν στη μεσαία στήλη"),
                           QStringLiteral("Επιλέξετε τις ομάδες που α τυπωθούν στη δεξιά  στήλη")};
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    int previousX = -1;
    for (int i = 0; i < 3; ++i) {
        QListWidget *l = list(w, i);
        EXPECT_EQ(l->toolTip(), tips[i]);
        EXPECT_EQ(l->count(), 4);
        EXPECT_EQ(l->item(3)->data(Qt::UserRole).toLongLong(), 7);
        EXPECT_TRUE(QFontInfo(l->font()).fixedPitch());
        EXPECT_GT(l->x(), previousX) << "lists stand left to right";
        previousX = l->x();
    }
    w.close();
}
