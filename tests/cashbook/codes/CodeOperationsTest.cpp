#include "cashbook/codes/CodeOperations.h"
#include "cashbook/codes/CodeQueries.h"
#include "cashbook/codes/PrintLists.h"
#include "support/ScriptedMessages.h"
#include "support/TestDataFolder.h"

#include <gtest/gtest.h>

namespace {

using codes::CodeInput;

const QString Missing = QStringLiteral("Ο κωδικός και η περιγραφή είναι απαραίτητα στοιχεία");
const QString NumberTaken = QStringLiteral("Ο κωδικός υπάρχει ήδη καταχωρημένος");
const QString DescriptionTaken = QStringLiteral("Η περιγραφή του κωδικού υπάρχει ήδη καταχωρημένη");
const QString GroupMissing = QStringLiteral("Δεν βρέθηκε η ομάδα στη λίστα με τις ομάδες, επιλέξτε  ξανά!");
const QString InUse = QStringLiteral("Ο κωδικός χρεισιμοποιήτε στις κινήσεις του ταμείου και δεν μπορεί να διαγραφεί !");
const QString ConfirmChange = QStringLiteral("Να γίνει η μεταβολή των στοιχείων;");
const QString ConfirmDelete = QStringLiteral("Να γίνει η διαγραφή του κωδικού;");

CodeInput input(const QString &code, const QString &description, const QString &group = {}, qint64 selected = 0,
                bool income = false, bool active = true)
{
    return CodeInput{code, description, group, selected, income, active};
}

class CodeOperationsTest : public ::testing::Test
{
protected:
    db::Database &db() { return folder.main(); }

    void addMovement(int code, int group)
    {
        db().execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, "
                                    "grammh, epitagh, L_tajeos) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
                     code, QDate(2026, 3, 2), QStringLiteral("κίνηση"), Money(), Money::fromCents(1250), group,
                     QStringLiteral("line"), false, Money());
    }
    QList<qint64> movementGroupsOf(int code)
    {
        QList<qint64> out;
        auto st = db().prepare(QStringLiteral("SELECT aa_omada FROM kinhseis WHERE kvdikos = ?1 ORDER BY aa"));
        st.bind(1, code);
        while (st.next())
            out << st.integer(0);
        return out;
    }
    std::optional<codes::CodeRow> byNumber(qint64 kvdikos)
    {
        for (const auto &c : codes::allCodes(db()))
            if (c.kvdikos == kvdikos)
                return c;
        return std::nullopt;
    }
    int codeCount() { return db().scalar(QStringLiteral("SELECT COUNT(*) FROM kvdikoi")).toInt(); }

    TestDataFolder folder;
    ScriptedMessages messages;
};

TEST_F(CodeOperationsTest, InsertedCodeGetsItsListLineAndNoGroup)
{
    const auto saved = codes::insertCode(db(), input(QStringLiteral(" 7 "), QStringLiteral(" Ενοίκιο "), {}, 0, true, false));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(messages.count(), 0);
    const auto c = byNumber(7);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->lista, QStringLiteral("    7 Ενοίκιο"));
    EXPECT_EQ(c->perigrafh, QStringLiteral("Ενοίκιο"));
    EXPECT_EQ(c->aa_omadas, 0);
    EXPECT_EQ(c->omada, QStringLiteral(" "));
    EXPECT_TRUE(c->esodo);
    EXPECT_FALSE(c->energos);
    EXPECT_EQ(saved->id, c->id);
}

// A second code 7, or a second "Ενοίκιο" in any case or accents, is refused
// whether the first one is active or not.
TEST_F(CodeOperationsTest, DuplicatesAreRefusedActiveOrNot)
{
    struct Case { const char16_t *code; const char16_t *description; QString message; };
    const Case cases[] = {
        {u"7", u"Άλλο", NumberTaken},
        {u"007", u"Άλλο", NumberTaken},
        {u"8", u"ΕΝΟΊΚΙΟ", DescriptionTaken},
        {u"8", u"ενοικιο", DescriptionTaken},
        {u"8", u"  Ενοίκιο", DescriptionTaken},
        {u"7", u"ΕΝΟΙΚΙΟ", NumberTaken}, // the number is checked first
    };
    for (bool firstActive : {true, false}) {
        TestDataFolder fresh;
        fresh.addCode(7, QStringLiteral("Ενοίκιο"), false, 0, firstActive);
        for (const Case &c : cases) {
            SCOPED_TRACE(QString::fromUtf16(c.code).toStdString() + " " + QString::fromUtf16(c.description).toStdString());
            messages.clear();
            EXPECT_FALSE(codes::insertCode(fresh.main(), input(QString::fromUtf16(c.code),
                                                               QString::fromUtf16(c.description))));
            ASSERT_EQ(messages.count(), 1);
            EXPECT_EQ(messages.last().text, c.message);
            EXPECT_EQ(messages.last().title, QStringLiteral("Προσοχή"));
            EXPECT_EQ(messages.last().icon, msg::Icon::Information);
        }
        EXPECT_EQ(fresh.main().scalar(QStringLiteral("SELECT COUNT(*) FROM kvdikoi")).toInt(), 1);
    }
}

TEST_F(CodeOperationsTest, MissingCodeOrDescriptionComesBeforeEveryOtherCheck)
{
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false);
    for (const auto &in : {input(QStringLiteral("  "), QStringLiteral("Ενοίκιο")),
                           input(QStringLiteral("7"), QStringLiteral("   ")),
                           input(QStringLiteral("x7"), QStringLiteral("Νέο"))}) {
        messages.clear();
        EXPECT_FALSE(codes::insertCode(db(), in));
        EXPECT_EQ(messages.texts(), QStringList{Missing});
    }
    EXPECT_EQ(codeCount(), 1);
}

TEST_F(CodeOperationsTest, TypedGroupIsLookedUpByNameAndAnUnknownOneIsRefused)
{
    const int rent = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));

    EXPECT_FALSE(codes::insertCode(db(), input(QStringLiteral("7"), QStringLiteral("Ενοίκιο"), QStringLiteral("ΑΓΝΩΣΤΗ"))));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, GroupMissing);
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_EQ(codeCount(), 0);

    messages.clear();
    const auto saved = codes::insertCode(db(), input(QStringLiteral("7"), QStringLiteral("Ενοίκιο"), QStringLiteral(" ενοικια ")));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->groupAa, rent);
    EXPECT_EQ(byNumber(7)->aa_omadas, rent);
    EXPECT_EQ(byNumber(7)->omada, QStringLiteral("ΕΝΟΙΚΙΑ"));
}

// Two groups may share a name after a rename: the one picked from the list wins.
TEST_F(CodeOperationsTest, PickedGroupIsKeptWhenTwoGroupsShareItsName)
{
    folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    const int second = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    const auto saved = codes::insertCode(db(), input(QStringLiteral("7"), QStringLiteral("Ενοίκιο"),
                                                     QStringLiteral("ΕΝΟΙΚΙΑ"), second));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(byNumber(7)->aa_omadas, second);
}

TEST_F(CodeOperationsTest, CodeInUseCannotBeDeletedButOnceInactiveLeavesTheActiveCodes)
{
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false);
    folder.addCode(8, QStringLiteral("Μισθοί"), false);
    addMovement(7, 0);
    const qint64 id = byNumber(7)->id;

    EXPECT_FALSE(codes::deleteCode(db(), id));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, InUse);
    EXPECT_EQ(messages.last().title, QStringLiteral("Προσοχή"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Information);
    EXPECT_EQ(codeCount(), 2);

    messages.clear();
    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(codes::changeCode(db(), id, input(QStringLiteral("7"), QStringLiteral("Ενοίκιο"), {}, 0, false, false)));
    EXPECT_EQ(messages.texts(), QStringList{ConfirmChange});

    QList<qint64> active;
    for (const auto &c : codes::allCodes(db()))
        if (c.energos)
            active << c.kvdikos;
    EXPECT_EQ(active, QList<qint64>{8});
    EXPECT_EQ(codes::allCodes(db()).size(), 2);
}

TEST_F(CodeOperationsTest, UnusedCodeIsDeletedOnlyAfterConfirmation)
{
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false);
    const qint64 id = byNumber(7)->id;

    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(codes::deleteCode(db(), id));
    EXPECT_EQ(codeCount(), 1);

    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(codes::deleteCode(db(), id));
    EXPECT_EQ(codeCount(), 0);
    EXPECT_EQ(messages.texts(), (QStringList{ConfirmDelete, ConfirmDelete}));
    EXPECT_EQ(messages.last().title, QStringLiteral("Διαγραφή κωδικού"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Question);
    EXPECT_EQ(messages.last().buttons, msg::Buttons::OkCancel);
}

// Another workstation books a movement under the code while the confirmation
// is open: the code keeps its row.
TEST_F(CodeOperationsTest, MovementBookedWhileConfirmingKeepsTheCode)
{
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false);
    QStringList shown;
    auto previous = msg::install([&](const msg::Box &box) {
        shown << box.text;
        if (box.text == ConfirmDelete)
            addMovement(7, 0);
        return msg::Answer::Ok;
    });
    EXPECT_FALSE(codes::deleteCode(db(), byNumber(7)->id));
    msg::install(std::move(previous));
    EXPECT_EQ(shown, (QStringList{ConfirmDelete, InUse}));
    EXPECT_EQ(codeCount(), 1);
}

TEST_F(CodeOperationsTest, MovingACodeToAnotherGroupRewritesAllItsMovements)
{
    const int a = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    const int b = folder.addGroup(QStringLiteral("ΛΟΙΠΑ"));
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false, a);
    folder.addCode(8, QStringLiteral("Κοινόχρηστα"), false, a);
    addMovement(7, a);
    addMovement(8, a);
    addMovement(7, a);
    addMovement(7, 0); // booked before the code had a group

    messages.answerNext(msg::Answer::Ok);
    const auto saved = codes::changeCode(db(), byNumber(7)->id,
                                         input(QStringLiteral("7"), QStringLiteral("Ενοίκιο γραφείου"), QStringLiteral("ΛΟΙΠΑ"), b));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(movementGroupsOf(7), (QList<qint64>{b, b, b}));
    EXPECT_EQ(movementGroupsOf(8), QList<qint64>{a});
    const auto c = byNumber(7);
    EXPECT_EQ(c->aa_omadas, b);
    EXPECT_EQ(c->omada, QStringLiteral("ΛΟΙΠΑ"));
    EXPECT_EQ(c->lista, QStringLiteral("    7 Ενοίκιο γραφείου"));

    // Emptying the group box takes the code and its movements out of any group.
    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(codes::changeCode(db(), c->id, input(QStringLiteral("7"), QStringLiteral("Ενοίκιο γραφείου"), {}, b)));
    EXPECT_EQ(byNumber(7)->aa_omadas, 0);
    EXPECT_EQ(movementGroupsOf(7), (QList<qint64>{0, 0, 0}));
}

TEST_F(CodeOperationsTest, CancelledOrRefusedChangeWritesNothing)
{
    const int a = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false, a);
    folder.addCode(8, QStringLiteral("Μισθοί"), false);
    folder.addCode(9, QStringLiteral("Ρεύμα"), false);
    addMovement(7, a);
    addMovement(9, 0);
    const qint64 id7 = byNumber(7)->id;
    const qint64 id9 = byNumber(9)->id;

    struct Case { qint64 id; CodeInput in; QString message; };
    const Case cases[] = {
        {id7, input(QStringLiteral("7"), QStringLiteral("Άλλο")), ConfirmChange}, // answered Cancel
        {id7, input(QStringLiteral("8"), QStringLiteral("Ενοίκιο")), NumberTaken},
        {id7, input(QStringLiteral("7"), QStringLiteral("ΜΙΣΘΟΙ")), DescriptionTaken},
        {id7, input(QStringLiteral("7"), QStringLiteral("Ενοίκιο"), QStringLiteral("ΑΓΝΩΣΤΗ")), GroupMissing},
        {id7, input(QString(), QStringLiteral("Ενοίκιο")), Missing},
        // movements are booked under 9: a new number would leave them without a code
        {id9, input(QStringLiteral("19"), QStringLiteral("Ρεύμα")),
         QStringLiteral("Ο κωδικός χρησιμοποιείται στις κινήσεις του ταμείου και δεν μπορεί να αλλάξει αριθμό !")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        messages.clear();
        messages.answerNext(msg::Answer::Cancel);
        EXPECT_FALSE(codes::changeCode(db(), c.id, c.in));
        EXPECT_EQ(messages.texts(), QStringList{c.message});
    }
    EXPECT_EQ(byNumber(7)->perigrafh, QStringLiteral("Ενοίκιο"));
    EXPECT_EQ(byNumber(7)->aa_omadas, a);
    EXPECT_TRUE(byNumber(9).has_value());
    EXPECT_EQ(movementGroupsOf(7), QList<qint64>{a});
}

TEST_F(CodeOperationsTest, UnusedCodeMayTakeANewNumberAndKeepItsOwnDescription)
{
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false);
    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(codes::changeCode(db(), byNumber(7)->id, input(QStringLiteral("12"), QStringLiteral("ενοίκιο"))));
    EXPECT_FALSE(byNumber(7).has_value());
    EXPECT_EQ(byNumber(12)->lista, QStringLiteral("   12 ενοίκιο"));
}

TEST_F(CodeOperationsTest, AFailingMovementUpdateUndoesTheCodeChange)
{
    const int a = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    const int b = folder.addGroup(QStringLiteral("ΛΟΙΠΑ"));
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false, a);
    addMovement(7, a);
    db().executeScript(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON kinhseis "
                                      "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));

    messages.answerNext(msg::Answer::Ok);
    EXPECT_THROW(codes::changeCode(db(), byNumber(7)->id, input(QStringLiteral("7"), QStringLiteral("Νέο"),
                                                                 QStringLiteral("ΛΟΙΠΑ"), b)),
                 db::DbError);
    EXPECT_EQ(byNumber(7)->perigrafh, QStringLiteral("Ενοίκιο"));
    EXPECT_EQ(byNumber(7)->aa_omadas, a);
    EXPECT_EQ(movementGroupsOf(7), QList<qint64>{a});
    EXPECT_FALSE(db().inTransaction());
}

TEST_F(CodeOperationsTest, ApostrophesAreStoredAndFoundLikeAnyText)
{
    folder.addGroup(QStringLiteral("Ο'ΝΙΛ"));
    ASSERT_TRUE(codes::insertCode(db(), input(QStringLiteral("5"), QStringLiteral("Ο'Νιλ προμήθειες"), QStringLiteral("ο'νιλ"))));
    EXPECT_EQ(byNumber(5)->omada, QStringLiteral("Ο'ΝΙΛ"));
    EXPECT_EQ(byNumber(5)->lista, QStringLiteral("    5 Ο'Νιλ προμήθειες"));

    EXPECT_FALSE(codes::insertCode(db(), input(QStringLiteral("6"), QStringLiteral("Ο'ΝΙΛ ΠΡΟΜΗΘΕΙΕΣ"))));
    EXPECT_EQ(messages.texts(), QStringList{DescriptionTaken});
    EXPECT_EQ(codeCount(), 1);
}

TEST_F(CodeOperationsTest, ListQueriesAndPrintListsCarryTheNumbers)
{
    const int a = folder.addGroup(QStringLiteral("ΕΝΟΙΚΙΑ"));
    const int b = folder.addGroup(QStringLiteral("ΛΟΙΠΑ"));
    folder.addCode(20, QStringLiteral("Ρεύμα"), false, b);
    folder.addCode(7, QStringLiteral("Ενοίκιο"), false, a, false);
    folder.addCode(3, QStringLiteral("Εισπράξεις"), true, a);
    folder.addCode(4, QStringLiteral("Διάφορα"), false);

    QList<qint64> inA;
    for (const auto &c : codes::codesOfGroup(db(), a))
        inA << c.kvdikos;
    EXPECT_EQ(inA, (QList<qint64>{3, 7}));
    ASSERT_EQ(codes::codesOfGroup(db(), 0).size(), 1);
    EXPECT_EQ(codes::codesOfGroup(db(), 0)[0].kvdikos, 4);

    const auto lists = codes::FillPrintLists(db());
    QStringList texts;
    QList<qint64> data;
    for (const auto &item : lists.codes) {
        texts << item.text;
        data << item.data;
    }
    EXPECT_EQ(texts, (QStringList{QStringLiteral("    3 Εισπράξεις"), QStringLiteral("    4 Διάφορα"),
                                  QStringLiteral("    7 Ενοίκιο"), QStringLiteral("   20 Ρεύμα")}));
    EXPECT_EQ(data, (QList<qint64>{3, 4, 7, 20}));
    ASSERT_EQ(lists.groups.size(), 2);
    EXPECT_EQ(lists.groups[0].text, QStringLiteral("ΕΝΟΙΚΙΑ"));
    EXPECT_EQ(lists.groups[0].data, a);
    EXPECT_EQ(lists.groups[1].data, b);
}

} // namespace
