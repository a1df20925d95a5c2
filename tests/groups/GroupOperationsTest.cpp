#include "groups/GroupOperations.h"
#include "groups/GroupQueries.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

namespace {

class GroupOperationsTest : public ::testing::Test
{
protected:
    db::Database &db() { return folder.main(); }

    // Groups 1..8, so that group 7 has neighbours on both sides.
    void addEightGroups()
    {
        for (int i = 1; i <= 8; ++i)
            ASSERT_EQ(folder.addGroup(QStringLiteral("ΟΜΑΔΑ %1").arg(i)), i);
    }

    void addMovement(int code, int group)
    {
        db().execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, "
                                    "grammh, epitagh, L_tajeos) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
                     code, QDate(2026, 3, 2), QStringLiteral("κίνηση"), Money::fromWhole(10), Money(), group,
                     QStringLiteral("line"), false, Money());
    }

    QString omadaOf(int code)
    {
        return db().scalar(QStringLiteral("SELECT omada FROM kvdikoi WHERE kvdikos = ?1"), code).toString();
    }
    qint64 groupOf(int code)
    {
        return db().scalar(QStringLiteral("SELECT aa_omadas FROM kvdikoi WHERE kvdikos = ?1"), code).toLongLong();
    }
    QList<qint64> movementGroups()
    {
        QList<qint64> out;
        auto st = db().prepare(QStringLiteral("SELECT aa_omada FROM kinhseis ORDER BY aa"));
        while (st.next())
            out << st.integer(0);
        return out;
    }
    int groupCount() { return db().scalar(QStringLiteral("SELECT COUNT(*) FROM omades")).toInt(); }

    TestDataFolder folder;
    ScriptedMessages messages;
};

TEST_F(GroupOperationsTest, InsertStoresTrimmedNameAndRefusesTheSameNameInAnyCase)
{
    EXPECT_TRUE(groups::insertGroup(db(), QStringLiteral("  ΕΝΟΙΚΙΑ  ")));
    EXPECT_EQ(messages.count(), 0);
    const auto rows = groups::listGroups(db());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].perigrafh, QStringLiteral("ΕΝΟΙΚΙΑ"));

    for (const QString &again : {QStringLiteral("ΕΝΟΙΚΙΑ"), QStringLiteral(" ενοίκια ")}) {
        messages.clear();
        EXPECT_FALSE(groups::insertGroup(db(), again));
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().title, QStringLiteral("Προσοχή"));
        EXPECT_EQ(messages.last().text, QStringLiteral("Η περιγραφή υπάρχει ήδη καταχωρημένη"));
        EXPECT_EQ(messages.last().icon, msg::Icon::Information);
    }
    EXPECT_EQ(groupCount(), 1);
}

TEST_F(GroupOperationsTest, BlankNamesAreRefusedWithoutAskingAnything)
{
    const int g = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    folder.addCode(1, QStringLiteral("Ενοίκιο"), false, g);

    EXPECT_FALSE(groups::insertGroup(db(), QStringLiteral("   ")));
    EXPECT_FALSE(groups::renameGroup(db(), g, QStringLiteral("   ")));
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("Δεν έχετε δώσει την ονομασία της ομάδας"),
                                             QStringLiteral("Δεν έχετε δώσει την περιγραφή της ομάδας")}));
    EXPECT_EQ(groupCount(), 1);
    EXPECT_EQ(groups::groupById(db(), g)->perigrafh, QStringLiteral("ΕΝΟΙΚΙΑ"));
    EXPECT_EQ(omadaOf(1), QStringLiteral("ΕΝΟΙΚΙΑ"));
}

TEST_F(GroupOperationsTest, RenamingGroupSevenUpdatesExactlyItsCodes)
{
    addEightGroups();
    folder.addCode(10, QStringLiteral("Α"), false, 7);
    folder.addCode(11, QStringLiteral("Β"), false, 7);
    folder.addCode(12, QStringLiteral("Γ"), false, 6);
    folder.addCode(13, QStringLiteral("Δ"), false, 8);
    folder.addCode(14, QStringLiteral("Ε"), false, 0);

    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(groups::renameGroup(db(), 7, QStringLiteral("  ΝΕΑ ΟΝΟΜΑΣΙΑ ")));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Μεταβολή στοιχείων"));
    EXPECT_EQ(messages.last().text, QStringLiteral("Να γίνει η μεταβολή των στοιχείων;"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Question);
    EXPECT_EQ(messages.last().buttons, msg::Buttons::OkCancel);

    EXPECT_EQ(groups::groupById(db(), 7)->perigrafh, QStringLiteral("ΝΕΑ ΟΝΟΜΑΣΙΑ"));
    EXPECT_EQ(omadaOf(10), QStringLiteral("ΝΕΑ ΟΝΟΜΑΣΙΑ"));
    EXPECT_EQ(omadaOf(11), QStringLiteral("ΝΕΑ ΟΝΟΜΑΣΙΑ"));
    EXPECT_EQ(omadaOf(12), QStringLiteral("ΟΜΑΔΑ 6"));
    EXPECT_EQ(omadaOf(13), QStringLiteral("ΟΜΑΔΑ 8"));
    EXPECT_EQ(omadaOf(14), QStringLiteral(" "));
    EXPECT_EQ(groups::groupById(db(), 6)->perigrafh, QStringLiteral("ΟΜΑΔΑ 6"));
}

TEST_F(GroupOperationsTest, CancelledRenameOrDeleteChangesNothing)
{
    addEightGroups();
    folder.addCode(10, QStringLiteral("Α"), false, 7);

    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(groups::renameGroup(db(), 7, QStringLiteral("ΑΛΛΟ")));
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(groups::deleteGroup(db(), 7));

    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(groups::groupById(db(), 7)->perigrafh, QStringLiteral("ΟΜΑΔΑ 7"));
    EXPECT_EQ(omadaOf(10), QStringLiteral("ΟΜΑΔΑ 7"));
    EXPECT_EQ(groupOf(10), 7);
}

TEST_F(GroupOperationsTest, RenameToAnExistingNameIsAcceptedAndThenThatNameCannotBeInserted)
{
    const int a = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    const int b = folder.addGroup(QStringLiteral("ΜΙΣΘΟΙ"));

    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(groups::renameGroup(db(), b, QStringLiteral("ΕΝΟΙΚΙΑ")));
    EXPECT_EQ(groups::groupById(db(), a)->perigrafh, QStringLiteral("ΕΝΟΙΚΙΑ"));
    EXPECT_EQ(groups::groupById(db(), b)->perigrafh, QStringLiteral("ΕΝΟΙΚΙΑ"));

    messages.clear();
    EXPECT_FALSE(groups::insertGroup(db(), QStringLiteral("ΕΝΟΙΚΙΑ")));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Η περιγραφή υπάρχει ήδη καταχωρημένη")});
    EXPECT_EQ(groupCount(), 2);
}

TEST_F(GroupOperationsTest, DeletingGroupSevenReleasesItsCodesOnly)
{
    addEightGroups();
    folder.addCode(10, QStringLiteral("Α"), false, 7);
    folder.addCode(11, QStringLiteral("Β"), false, 7);
    folder.addCode(12, QStringLiteral("Γ"), false, 6);
    folder.addCode(13, QStringLiteral("Δ"), false, 8);
    addMovement(10, 7);
    addMovement(12, 6);
    addMovement(11, 7);
    const auto movementsBefore = movementGroups();

    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(groups::deleteGroup(db(), 7));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, QStringLiteral("Διαγραφή ομάδας"));
    EXPECT_EQ(messages.last().text, QStringLiteral("Να γίνει η διαγραφή της ομάδας;"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_EQ(messages.last().buttons, msg::Buttons::OkCancel);

    EXPECT_FALSE(groups::groupById(db(), 7).has_value());
    EXPECT_EQ(groupCount(), 7);
    for (int code : {10, 11}) {
        EXPECT_EQ(groupOf(code), 0);
        EXPECT_EQ(omadaOf(code), QStringLiteral(" "));
    }
    EXPECT_EQ(groupOf(12), 6);
    EXPECT_EQ(omadaOf(12), QStringLiteral("ΟΜΑΔΑ 6"));
    EXPECT_EQ(groupOf(13), 8);
    EXPECT_EQ(omadaOf(13), QStringLiteral("ΟΜΑΔΑ 8"));
    EXPECT_EQ(movementGroups(), movementsBefore);
}

// A statement of the codes failing after the group row was written must take
// the group row back with it.
TEST_F(GroupOperationsTest, AFailingCodesUpdateUndoesTheGroupChange)
{
    addEightGroups();
    folder.addCode(10, QStringLiteral("Α"), false, 7);
    db().executeScript(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kvdikoi "
                                      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));

    messages.answerNext(msg::Answer::Ok);
    EXPECT_THROW(groups::renameGroup(db(), 7, QStringLiteral("ΑΛΛΟ")), db::DbError);
    EXPECT_EQ(groups::groupById(db(), 7)->perigrafh, QStringLiteral("ΟΜΑΔΑ 7"));

    messages.answerNext(msg::Answer::Ok);
    EXPECT_THROW(groups::deleteGroup(db(), 7), db::DbError);
    EXPECT_TRUE(groups::groupById(db(), 7).has_value());
    EXPECT_EQ(groupOf(10), 7);
    EXPECT_EQ(omadaOf(10), QStringLiteral("ΟΜΑΔΑ 7"));
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(GroupOperationsTest, NamesWithApostrophesAreStoredFoundAndCopied)
{
    EXPECT_TRUE(groups::insertGroup(db(), QStringLiteral("Ο'ΝΙΛ")));
    const auto found = groups::findGroupByName(db(), QStringLiteral("ο'νιλ"));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->perigrafh, QStringLiteral("Ο'ΝΙΛ"));
    EXPECT_FALSE(groups::insertGroup(db(), QStringLiteral("Ο'ΝΙΛ")));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Η περιγραφή υπάρχει ήδη καταχωρημένη")});

    folder.addCode(1, QStringLiteral("Α"), false, int(found->aa));
    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(groups::renameGroup(db(), found->aa, QStringLiteral("Ο'ΝΙΛ & ΣΙΑ")));
    EXPECT_EQ(omadaOf(1), QStringLiteral("Ο'ΝΙΛ & ΣΙΑ"));
    EXPECT_EQ(groupCount(), 1);
}

} // namespace

// A group deleted meanwhile by another workstation: renaming or deleting it
// changes no row and must say so instead of reporting success.
TEST_F(GroupOperationsTest, RenameOrDeleteOfAGroupGoneMeanwhileSaysSo)
{
    addEightGroups();
    folder.addCode(10, QStringLiteral("Α"), false, 0);
    db().execute(QStringLiteral("DELETE FROM omades WHERE aa = 7"));
    const QString omadaBefore = omadaOf(10);

    messages.answerNext(msg::Answer::Ok);
    EXPECT_FALSE(groups::renameGroup(db(), 7, QStringLiteral("ΑΛΛΟ")));
    messages.answerNext(msg::Answer::Ok);
    EXPECT_FALSE(groups::deleteGroup(db(), 7));
    ASSERT_EQ(messages.count(), 4); // each: the confirmation, then the notice
    for (int i : {1, 3}) {
        EXPECT_EQ(messages.shown()[i].icon, msg::Icon::Information);
        EXPECT_TRUE(messages.shown()[i].text.startsWith(QStringLiteral("Η ομάδα δεν υπάρχει πια")));
    }
    EXPECT_EQ(omadaOf(10), omadaBefore);
    EXPECT_EQ(groupCount(), 7);
}
