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
        case Op::Insert: return ops.InsertFromButton(entry(D, 10, QStringLiteral("5,00"), QStringLiteral("0")), false).has_value();
        case Op::Change: return ops.ChangeMovement(onD, entry(D, 10, QStringLiteral("80,00"), QStringLiteral("0")));
        case Op::Delete: return ops.DeleteMovement(onD);
        }
        return false;
    }
};

} // namespace

// Closing protects a day's movements, not its carried balance: for every
// user, with or without the right, insert, change and delete on an open day
// before closed days go through without a refusal or an extra question, the
// closed days' balances move and the chain stays exact.
TEST_F(ClosedDaysAfter, BookingBeforeClosedDaysMovesTheirBalanceForEveryUser)
{
    for (bool right : {false, true}) {
        globals().RightChangeRecords = right;
        messages.clear();
        messages.answerNext(msg::Answer::Ok);
        messages.answerNext(msg::Answer::Ok);
        const Money f = balance(F);
        const Money netOnD = book.movement(onD)->net();
        EXPECT_TRUE(run(Op::Insert)) << right;
        EXPECT_TRUE(run(Op::Change)) << right;
        EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")}) << right;
        EXPECT_EQ(balance(F), f + euros(500) + euros(8000) - netOnD) << right;
        expectChainFromMovements();
    }
    messages.answerNext(msg::Answer::Ok);
    globals().RightChangeRecords = false;
    const Money e = balance(E);
    EXPECT_TRUE(run(Op::Delete));
    EXPECT_EQ(balance(E), e - euros(8000));
    expectChainFromMovements();
}

// A change that leaves the day's net alone asks only its own question.
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
