#include "CashBookFixture.h"

using namespace cashbook;

namespace {

struct InsertCheck
{
    const char *name;
    QString dateText;
    int code;
    QString description;
    QString title;
    QString text;
};

class InsertChecks : public CashBookFixture, public ::testing::WithParamInterface<InsertCheck>
{};

} // namespace

// Each failing check shows its own box (information icon) and stores nothing;
// an earlier check wins over a later one.
TEST_P(InsertChecks, RefusedWithItsMessage)
{
    const InsertCheck &c = GetParam();
    MovementEntry e = entry(day(1), c.code, QStringLiteral("5,00"), QStringLiteral("0"), c.description);
    e.dateText = c.dateText;
    EXPECT_FALSE(ops.InsertFromButton(e, false));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, c.title);
    EXPECT_EQ(messages.last().text, c.text);
    EXPECT_EQ(messages.last().icon, msg::Icon::Information);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM tameio")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    CashBook, InsertChecks,
    ::testing::Values(
        InsertCheck{"bad_date_first", QStringLiteral("32-01-2026"), 0, QString(), QStringLiteral("Λάθος στην ημερομηνία"),
                    QStringLiteral("Η ημερομηνία δεν είναι σωστή")},
        InsertCheck{"no_code", QStringLiteral("01-03-2026"), 0, QString(), QStringLiteral("Λάθος κωδικός"),
                    QStringLiteral("Δεν έχετε δώσει κωδικό κίνησης")},
        InsertCheck{"inactive_code", QStringLiteral("01-03-2026"), 30, QString(), QStringLiteral("Λάθος κωδικός"),
                    QStringLiteral("Ο κωδικός έχει αλλάξει ενημερώστε ξανά!")},
        InsertCheck{"unknown_code", QStringLiteral("01-03-2026"), 99, QStringLiteral("Χ"),
                    QStringLiteral("Λάθος κωδικός"), QStringLiteral("Ο κωδικός έχει αλλάξει ενημερώστε ξανά!")},
        InsertCheck{"blank_description", QStringLiteral("01-03-2026"), 10, QStringLiteral("   "),
                    QStringLiteral("Λάθος στην περιγραφή"), QStringLiteral("Δεν υπάρχει περιγραφή της κίνησης")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CashBookFixture, StoredMovementHoldsTheEntry)
{
    MovementEntry e = entry(day(1), 10, QStringLiteral("1.234,50"), QStringLiteral("0"), QStringLiteral("  ΕΝΟΙΚΙΟ "));
    e.memoText = QStringLiteral("12,5");
    e.cheque = true;
    const auto aa = ops.InsertMovement(e);
    ASSERT_TRUE(aa);
    const auto m = book.movement(*aa);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->perigrafh, QStringLiteral("ΕΝΟΙΚΙΟ"));
    EXPECT_EQ(m->esoda, euros(123450));
    EXPECT_EQ(m->L_tajeos, euros(1250));
    EXPECT_TRUE(m->epitagh);
    EXPECT_EQ(m->aa_omada, int(folder.main().scalar(QStringLiteral("SELECT aa FROM omades")).toLongLong()));
    EXPECT_EQ(m->grammh, QStringLiteral("   10 ΕΝΟΙΚΙΟ                          1.234,50              0 §"));
}

TEST_F(CashBookFixture, InsertIntoAClosedDayNeedsTheRight)
{
    folder.closeDay(day(1));
    globals().RightChangeRecords = false;
    EXPECT_FALSE(ops.InsertFromButton(entry(day(1), 10, QStringLiteral("5,00"), QStringLiteral("0")), false));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Ο χρήστης δεν έχει το δικαίωμα της εισαγωγής")});
    EXPECT_EQ(messages.last().title, QStringLiteral("Προσοχή"));

    globals().RightChangeRecords = true;
    messages.clear();
    EXPECT_TRUE(ops.InsertFromButton(entry(day(1), 10, QStringLiteral("5,00"), QStringLiteral("0")), false));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(CashBookFixture, ChangeAndDeleteOfAClosedDayNeedTheRight)
{
    const qint64 aa = insert(day(1), 10, QStringLiteral("5,00"), QStringLiteral("0"));
    folder.closeDay(day(1));
    globals().RightChangeRecords = false;
    EXPECT_FALSE(ops.DeleteMovement(aa));
    EXPECT_FALSE(ops.ChangeMovement(aa, entry(day(1), 10, QStringLiteral("9,00"), QStringLiteral("0"))));
    EXPECT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().text, QStringLiteral("Το ταμείο έχει κλείσει και δεν έχετε δικαίωμα να το μεταβάλετε"));
    EXPECT_EQ(book.movement(aa)->esoda, euros(500));
}

TEST_F(CashBookFixture, InsertWithALoadedMovementAsksFirst)
{
    const MovementEntry e = entry(day(1), 10, QStringLiteral("5,00"), QStringLiteral("0"));
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(ops.InsertFromButton(e, true));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, QStringLiteral("Έχετε επιλέξει στοιχεία για μεταβολή ή διαγραφή.\n"
                                                   "θέλετε να γίνει η εισαγωγή;"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_EQ(messages.last().buttons, msg::Buttons::OkCancel);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 0);

    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(ops.InsertFromButton(e, true));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 1);
}

TEST_F(CashBookFixture, ClosingTwiceAddsOneRow)
{
    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(ops.CloseCash(QStringLiteral("07-03-2026")));
    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(ops.CloseCash(QStringLiteral("07-03-2026")));
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("Να κλείσω το ταμείο;"), QStringLiteral("Να κλείσω το ταμείο;")}));
    EXPECT_EQ(messages.last().title, QStringLiteral("Κλείσιμο ταμείου"));
    EXPECT_EQ(folder.users().scalar(QStringLiteral("SELECT count(*) FROM KlhsimoTameioy")).toInt(), 1);
    EXPECT_TRUE(book.IsDayClosed(day(7)));
    EXPECT_FALSE(book.IsDayClosed(day(8)));
}

TEST_F(CashBookFixture, ClosingRefusedOrCancelledWritesNothing)
{
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(ops.CloseCash(QStringLiteral("07-03-2026")));
    globals().RightCloseCash = false;
    EXPECT_FALSE(ops.CloseCash(QStringLiteral("07-03-2026")));
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().text, QStringLiteral("Ο χρήστης δεν έχει το δικαίωμα να κλίνει το ταμείο"));
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    EXPECT_EQ(folder.users().scalar(QStringLiteral("SELECT count(*) FROM KlhsimoTameioy")).toInt(), 0);
}

TEST_F(CashBookFixture, ActiveCodesOnly)
{
    const QList<ActiveCode> codes = book.activeCodes();
    ASSERT_EQ(codes.size(), 2);
    EXPECT_EQ(codes[0].kvdikos, 10);
    EXPECT_TRUE(codes[0].esodo);
    EXPECT_FALSE(codes[1].esodo);
    EXPECT_EQ(codes[1].lista, QStringLiteral("   20 ΑΓΟΡΕΣ"));
    EXPECT_FALSE(book.findActiveCode(30));
}
