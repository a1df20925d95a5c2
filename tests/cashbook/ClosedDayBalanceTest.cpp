#include "CashBookFixture.h"

using namespace cashbook;

namespace {

// An open day D with a movement, and two closed days after it (E, F) whose
// balances a booking on D would move.
class ClosedDaysAfter : public CashBookFixture
{
protected:
    const QDate D = day(10), E = day(12), F = day(20);
    qint64 onD = 0;

    void SetUp() override
    {
        onD = insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
        insert(E, 10, QStringLiteral("7,00"), QStringLiteral("0"));
        insert(F, 20, QStringLiteral("0"), QStringLiteral("2,00"));
        folder.closeDay(E);
        folder.closeDay(F);
        messages.clear();
    }

    // The balances every row must hold, from the movements themselves.
    void expectChainFromMovements()
    {
        Money running;
        db::Statement st = folder.main().prepare(QStringLiteral("SELECT hmeromhnia FROM tameio ORDER BY hmeromhnia"));
        while (st.next()) {
            const QDate d = st.date(0);
            running += Money::fromUnits(folder.main()
                                            .scalar(QStringLiteral("SELECT coalesce(sum(esoda) - sum(ejoda), 0) "
                                                                   "FROM kinhseis WHERE hmeromhnia = ?1"),
                                                    d)
                                            .toLongLong());
            EXPECT_EQ(balance(d), running) << d.toString(Qt::ISODate).toStdString();
        }
    }

    enum class Op { Insert, Change, Delete };
    bool run(Op op)
    {
        switch (op) {
        case Op::Insert: return ops.InsertMovement(entry(D, 10, QStringLiteral("5,00"), QStringLiteral("0"))).has_value();
        case Op::Change: return ops.ChangeMovement(onD, entry(D, 10, QStringLiteral("80,00"), QStringLiteral("0")));
        case Op::Delete: return ops.DeleteMovement(onD);
        }
        return false;
    }
};

} // namespace

// Without the right, nothing that would move a closed day's balance is done;
// the message names the first such day.
TEST_F(ClosedDaysAfter, WithoutTheRightInsertChangeAndDeleteAreRefused)
{
    globals().RightChangeRecords = false;
    const Money e = balance(E), f = balance(F);
    for (Op op : {Op::Insert, Op::Change, Op::Delete}) {
        messages.clear();
        EXPECT_FALSE(run(op));
        ASSERT_EQ(messages.count(), 1) << int(op);
        EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
        EXPECT_TRUE(messages.last().text.contains(QStringLiteral("12-03-2026"))) << messages.last().text.toStdString();
        EXPECT_EQ(balance(E), e);
        EXPECT_EQ(balance(F), f);
    }
    EXPECT_EQ(book.movement(onD)->esoda, euros(10000));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 3);
}

// With the right the user is asked first, told how many closed days follow;
// "No" (the default) changes nothing, "Yes" keeps the chain right.
TEST_F(ClosedDaysAfter, WithTheRightTheUserIsAskedNamingHowManyClosedDaysFollow)
{
    messages.answerNext(msg::Answer::No);
    EXPECT_FALSE(run(Op::Insert));
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().buttons, msg::Buttons::YesNo);
    EXPECT_EQ(messages.last().defaultButton, msg::Answer::No);
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("2 κλεισμένων ημερών")));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 3);

    messages.answerNext(msg::Answer::Yes);
    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(run(Op::Change));
    messages.answerNext(msg::Answer::Yes);
    EXPECT_TRUE(run(Op::Insert));
    EXPECT_EQ(balance(F), euros(8000 + 500 + 700 - 200));
    expectChainFromMovements();
}

// Only a change of the day's net moves later days: a new description alone
// needs neither the right nor a question about closed days.
TEST_F(ClosedDaysAfter, AChangeThatMovesNoBalanceIsAllowed)
{
    globals().RightChangeRecords = false;
    messages.answerNext(msg::Answer::Ok);
    EXPECT_TRUE(ops.ChangeMovement(onD, entry(D, 10, QStringLiteral("100,00"), QStringLiteral("0"),
                                              QStringLiteral("ΝΕΑ ΠΕΡΙΓΡΑΦΗ"))));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")});
    EXPECT_EQ(book.movement(onD)->perigrafh, QStringLiteral("ΝΕΑ ΠΕΡΙΓΡΑΦΗ"));
}

// What a change or delete writes depends on the movement as it stands; if
// another workstation changed it while this user was asked, nothing is
// written and the chain stays right.
TEST_F(CashBookFixture, ChangeOrDeleteOfAMovementChangedMeanwhileWritesNothing)
{
    const qint64 aa = insert(day(1), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    insert(day(5), 10, QStringLiteral("1,00"), QStringLiteral("0"));
    // The other workstation's change: 100 -> 150 with its adjustment of later
    // days (its own question takes the first answer).
    const auto otherWorkstationChanges = [&] {
        cashbook::CashBook other(folder.store());
        cashbook::CashOperations otherOps(other);
        ASSERT_TRUE(otherOps.ChangeMovement(aa, entry(day(1), 10, QStringLiteral("150,00"), QStringLiteral("0"))));
    };
    messages.clear();
    messages.whileNextShown(otherWorkstationChanges);
    messages.answerNext(msg::Answer::Ok);
    messages.answerNext(msg::Answer::Ok);
    EXPECT_FALSE(ops.ChangeMovement(aa, entry(day(1), 10, QStringLiteral("80,00"), QStringLiteral("0"))));
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("άλλο σταθμό εργασίας")));
    EXPECT_EQ(book.movement(aa)->esoda, euros(15000));
    EXPECT_EQ(balance(day(5)), euros(15100));

    messages.whileNextShown([&] {
        folder.main().execute(QStringLiteral("UPDATE kinhseis SET esoda = ?1 WHERE aa = ?2"), euros(20000), aa);
    });
    messages.answerNext(msg::Answer::Ok);
    EXPECT_FALSE(ops.DeleteMovement(aa));
    EXPECT_TRUE(book.movement(aa).has_value());
}
