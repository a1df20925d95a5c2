#include "CashBookFixture.h"

#include "cashbook/DisplayLines.h"
#include "data/Balances.h"
#include "platform/db/Transaction.h"

#include <random>

using namespace cashbook;

namespace {

// Later days E and F already have rows before anything happens on D.
class LaterDays : public CashBookFixture
{
protected:
    const QDate C = day(5), D = day(10), E = day(12), F = day(20);

    void SetUp() override
    {
        insert(C, 10, QStringLiteral("50,00"), QStringLiteral("0"));
        insert(E, 10, QStringLiteral("7,00"), QStringLiteral("0"));
        insert(F, 20, QStringLiteral("0"), QStringLiteral("2,00"));
        ASSERT_EQ(balance(E), euros(5700));
        ASSERT_EQ(balance(F), euros(5500));
        messages.clear();
    }

    cashbook::MovementEntry changed(int code, const QString &income, const QString &expense)
    {
        return entry(D, code, income, expense, QStringLiteral("ΑΛΛΑΓΗ"));
    }
};

} // namespace

TEST_F(LaterDays, InsertOnAnEarlierDayRaisesEveryLaterDay)
{
    insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
    EXPECT_EQ(row(D), (DayRow{euros(10000), Money(), euros(15000)}));
    EXPECT_EQ(balance(E), euros(15700));
    EXPECT_EQ(balance(F), euros(15500));
    EXPECT_EQ(balance(C), euros(5000)); // earlier days untouched
}

TEST_F(LaterDays, ChangingTheAmountMovesLaterDaysByTheDifference)
{
    const qint64 aa = insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.ChangeMovement(aa, changed(10, QStringLiteral("80,00"), QStringLiteral("0"))));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η μεταβολή των στοιχείων;")});
    EXPECT_EQ(row(D), (DayRow{euros(8000), Money(), euros(13000)}));
    EXPECT_EQ(balance(E), euros(13700));
    EXPECT_EQ(balance(F), euros(13500));
}

TEST_F(LaterDays, ChangingAnIncomeIntoAnExpenseReversesAndSubtracts)
{
    const qint64 aa = insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
    messages.answerNext(msg::Answer::Ok);
    // The page moves the typed sum into the expense box when the code changes.
    ASSERT_TRUE(ops.ChangeMovement(aa, changed(20, QStringLiteral("0"), QStringLiteral("100,00"))));
    EXPECT_EQ(row(D), (DayRow{Money(), euros(10000), euros(-5000)}));
    EXPECT_EQ(balance(E), euros(-4300));
    EXPECT_EQ(balance(F), euros(-4500));
    const auto m = book.movement(aa);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->kvdikos, 20);
    EXPECT_EQ(m->hmeromhnia, D);
}

TEST_F(LaterDays, CancellingAChangeKeepsEverything)
{
    const qint64 aa = insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
    messages.answerNext(msg::Answer::Cancel);
    EXPECT_FALSE(ops.ChangeMovement(aa, changed(10, QStringLiteral("80,00"), QStringLiteral("0"))));
    EXPECT_EQ(book.movement(aa)->esoda, euros(10000));
    EXPECT_EQ(balance(F), euros(15500));
}

TEST_F(LaterDays, DeletingTheOnlyMovementLeavesAZeroRowAndLowersLaterDaysOnce)
{
    const qint64 aa = insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.DeleteMovement(aa));
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("Να γίνει η διαγραφή της κίνησης")});
    EXPECT_EQ(row(D), (DayRow{Money(), Money(), euros(5000)}));
    EXPECT_EQ(balance(E), euros(5700));
    EXPECT_EQ(balance(F), euros(5500));
    EXPECT_FALSE(book.movement(aa));
}

TEST_F(LaterDays, DeletingOneOfTwoAdjustsLaterDaysOnce)
{
    const qint64 first = insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
    insert(D, 20, QStringLiteral("0"), QStringLiteral("30,00"));
    EXPECT_EQ(balance(F), euros(12500));
    messages.answerNext(msg::Answer::Ok);
    ASSERT_TRUE(ops.DeleteMovement(first));
    EXPECT_EQ(row(D), (DayRow{Money(), euros(3000), euros(2000)}));
    EXPECT_EQ(balance(E), euros(2700));
    EXPECT_EQ(balance(F), euros(2500));
}

TEST_F(LaterDays, ThirtyCentsReachLaterDaysExactly)
{
    insert(D, 10, QStringLiteral("0,30"), QStringLiteral("0"));
    EXPECT_EQ(balance(E), euros(5730));
    EXPECT_EQ(balance(F), euros(5530));
}

TEST_F(LaterDays, ZeroAmountsAreStoredAndMoveNothing)
{
    insert(D, 10, QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_EQ(row(D), (DayRow{Money(), Money(), euros(5000)}));
    EXPECT_EQ(balance(F), euros(5500));
}

TEST_F(CashBookFixture, HundredAndThirtyAfterFiftyGiveOneHundredTwenty)
{
    insert(day(1), 10, QStringLiteral("50,00"), QStringLiteral("0"));
    insert(day(2), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    insert(day(2), 20, QStringLiteral("0"), QStringLiteral("30,00"));
    const DayView v = book.readDayAndSaveRow(day(2));
    EXPECT_EQ(v.balance(), euros(12000));
    EXPECT_EQ(row(day(2)), (DayRow{euros(10000), euros(3000), euros(12000)}));
    const QStringList l = lines::dayLines(v);
    ASSERT_EQ(l.size(), 3);
    EXPECT_EQ(l[0], QStringLiteral("Υπόλοιπο για την 01-03-2026    50,00"));
    EXPECT_TRUE(l[1].startsWith(QStringLiteral("   1    10 ΚΙΝΗΣΗ")));
    EXPECT_TRUE(l[2].startsWith(QStringLiteral("   2    20 ΚΙΝΗΣΗ")));
}

TEST_F(CashBookFixture, ShowingADayWritesItsRowOnlyWhenItHasMovements)
{
    insert(day(1), 10, QStringLiteral("50,00"), QStringLiteral("0"));
    const DayView empty = book.readDayAndSaveRow(day(9));
    EXPECT_FALSE(empty.hasMovements());
    EXPECT_EQ(empty.balance(), euros(5000));
    EXPECT_FALSE(row(day(9)));

    // A row lost or never written is created the next time the day is shown.
    folder.main().execute(QStringLiteral("DELETE FROM tameio"));
    book.readDayAndSaveRow(day(1));
    EXPECT_EQ(row(day(1)), (DayRow{euros(5000), Money(), euros(5000)}));
}

// The old single-precision balance lost cents above 167.772,16.
TEST_F(CashBookFixture, LargeBalancesKeepTheirCents)
{
    insert(day(1), 10, QStringLiteral("9.999.999,99"), QStringLiteral("0"));
    insert(day(3), 10, QStringLiteral("0,01"), QStringLiteral("0"));
    insert(day(2), 20, QStringLiteral("0"), QStringLiteral("0,03"));
    EXPECT_EQ(balance(day(3)), euros(999999997));
}

// After any sequence of operations on random days every row is the previous
// row's balance plus that day's income minus its expense, and its totals are
// the sums of the day's movements.
TEST_F(CashBookFixture, RandomOperationsKeepTheChain)
{
    std::mt19937 rng(20260301);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 300; ++i) {
        const QDate d = day(1, 1).addDays(pick(0, 40));
        const QList<qint64> ids = [&] {
            QList<qint64> out;
            db::Statement st = folder.main().prepare(QStringLiteral("SELECT aa FROM kinhseis ORDER BY aa"));
            while (st.next())
                out << st.integer(0);
            return out;
        }();
        const int kind = ids.isEmpty() ? 0 : pick(0, 9);
        const QString amount = regional::formatMoney(Money::fromCents(pick(1, 500000)));
        messages.answerNext(msg::Answer::Ok);
        if (kind < 6) {
            const bool income = pick(0, 1) == 1;
            insert(d, income ? 10 : 20, income ? amount : QStringLiteral("0"), income ? QStringLiteral("0") : amount);
        } else if (kind < 8) {
            const bool income = pick(0, 1) == 1;
            ASSERT_TRUE(ops.ChangeMovement(ids[pick(0, int(ids.size()) - 1)],
                                           entry(d, income ? 10 : 20, income ? amount : QStringLiteral("0"),
                                                 income ? QStringLiteral("0") : amount)));
        } else {
            ASSERT_TRUE(ops.DeleteMovement(ids[pick(0, int(ids.size()) - 1)]));
        }
        messages.clear();
        if (pick(0, 4) == 0)
            book.readDayAndSaveRow(day(1, 1).addDays(pick(0, 40)));
    }

    db::Statement rows = folder.main().prepare(QStringLiteral(
        "SELECT t.hmeromhnia, t.esoda_hmeras, t.ejoda_hmeras, t.ypoloipo,"
        " (SELECT coalesce(sum(esoda), 0) FROM kinhseis k WHERE k.hmeromhnia = t.hmeromhnia),"
        " (SELECT coalesce(sum(ejoda), 0) FROM kinhseis k WHERE k.hmeromhnia = t.hmeromhnia)"
        " FROM tameio t ORDER BY t.hmeromhnia"));
    Money previous;
    int n = 0;
    while (rows.next()) {
        ++n;
        const QString when = rows.text(0);
        EXPECT_EQ(rows.money(1), rows.money(4)) << when.toStdString();
        EXPECT_EQ(rows.money(2), rows.money(5)) << when.toStdString();
        EXPECT_EQ(rows.money(3), previous + rows.money(1) - rows.money(2)) << when.toStdString();
        previous = rows.money(3);
    }
    EXPECT_GT(n, 30);
    EXPECT_EQ(count(QStringLiteral("SELECT count(DISTINCT hmeromhnia) FROM kinhseis WHERE hmeromhnia NOT IN "
                                   "(SELECT hmeromhnia FROM tameio)")),
              0);
}

// A step failing midway leaves nothing of the operation behind.
struct FailingStep
{
    const char *name;
    int operation; // 0 insert, 1 change, 2 delete
};

class OperationRollback : public CashBookFixture, public ::testing::WithParamInterface<FailingStep>
{};

TEST_P(OperationRollback, NothingOfTheOperationStays)
{
    const qint64 aa = insert(day(10), 10, QStringLiteral("100,00"), QStringLiteral("0"));
    insert(day(20), 10, QStringLiteral("5,00"), QStringLiteral("0"));
    const qint64 movements = count(QStringLiteral("SELECT count(*) FROM kinhseis"));
    const auto before = row(day(10));
    // The adjustment of later days is the last step of every operation.
    folder.main().executeScript(QStringLiteral(
        "CREATE TRIGGER refuse_later BEFORE UPDATE OF ypoloipo ON tameio WHEN NEW.hmeromhnia > '2026-03-10' "
        "BEGIN SELECT RAISE(ABORT, 'later days refused'); END;"));
    messages.clear();
    messages.answerNext(msg::Answer::Ok);

    bool done = false;
    switch (GetParam().operation) {
    case 0: done = ops.InsertMovement(entry(day(10), 10, QStringLiteral("1,00"), QStringLiteral("0"))).has_value(); break;
    case 1: done = ops.ChangeMovement(aa, entry(day(10), 10, QStringLiteral("1,00"), QStringLiteral("0"))); break;
    case 2: done = ops.DeleteMovement(aa); break;
    }
    EXPECT_FALSE(done);
    EXPECT_FALSE(folder.main().inTransaction());
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), movements);
    EXPECT_EQ(book.movement(aa)->esoda, euros(10000));
    EXPECT_EQ(row(day(10)), before);
    EXPECT_EQ(balance(day(20)), euros(10500));
    ASSERT_FALSE(messages.shown().isEmpty());
    EXPECT_EQ(messages.last().icon, msg::Icon::Critical);
    // Told in Greek that nothing was kept; the engine's own words stay in the log.
    EXPECT_TRUE(messages.last().text.startsWith(
        QStringLiteral("Η εργασία δεν ολοκληρώθηκε και δεν άλλαξε τίποτα στη βάση δεδομένων.\n")));
    EXPECT_FALSE(messages.last().text.contains(QStringLiteral("refused")));
}

INSTANTIATE_TEST_SUITE_P(CashBook, OperationRollback,
                         ::testing::Values(FailingStep{"insert", 0}, FailingStep{"change", 1},
                                           FailingStep{"delete", 2}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(CashBookFixture, AMissingTableFailsTheInsertWithoutAMovement)
{
    folder.main().execute(QStringLiteral("DROP TABLE tameio"));
    EXPECT_FALSE(ops.InsertMovement(entry(day(1), 10, QStringLiteral("1,00"), QStringLiteral("0"))));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kinhseis")), 0);
    EXPECT_EQ(messages.count(), 1);
}

// The opening balance of a new book is kept on its day and carried: the next
// day shows it, and the chain (each day = the day before + opening on its day
// + income - expense) holds whether the first movement is booked on that day,
// later or earlier, and after each is deleted again.
TEST_F(CashBookFixture, TheOpeningBalanceIsCarriedWhereverTheFirstMovementIsBooked)
{
    const QDate D = day(7, 12), later = day(9, 12), earlier = day(1, 12);
    const Money opening = euros(150000);
    {
        db::Transaction t(folder.main());
        balances::setOpeningBalance(folder.main(), D, opening);
        t.commit();
    }
    const DayView next = book.readDay(day(8, 12));
    EXPECT_EQ(next.carried, opening);
    EXPECT_EQ(next.previousDay, D);
    EXPECT_EQ(lines::carriedBalanceLine(next), QStringLiteral("Υπόλοιπο για την 07-12-2026    1.500,00"));
    // Its own day names it too.
    EXPECT_EQ(lines::carriedBalanceLine(book.readDay(D)), QStringLiteral("Υπόλοιπο για την 07-12-2026    1.500,00"));

    // Each row from the movements the test booked and the opening it gave.
    const auto expectChain = [&](const char *when) {
        db::Statement st = folder.main().prepare(QStringLiteral("SELECT hmeromhnia, ypoloipo FROM tameio ORDER BY hmeromhnia"));
        while (st.next()) {
            const QDate d = st.date(0);
            const Money nets = Money::fromUnits(folder.main()
                                                    .scalar(QStringLiteral("SELECT coalesce(sum(esoda) - sum(ejoda), 0) "
                                                                           "FROM kinhseis WHERE hmeromhnia <= ?1"),
                                                            d)
                                                    .toLongLong());
            EXPECT_EQ(st.money(1), nets + (d >= D ? opening : Money())) << when << " " << d.toString(Qt::ISODate).toStdString();
        }
        EXPECT_EQ(book.readDay(day(10, 12)).carried, balance(row(later) ? later : D)) << when;
    };

    const qint64 onDay = insert(D, 10, QStringLiteral("100,00"), QStringLiteral("0"));
    EXPECT_EQ(balance(D), euros(160000));
    book.readDayAndSaveRow(D); // showing the day again keeps the opening
    EXPECT_EQ(balance(D), euros(160000));
    expectChain("on the day");
    const qint64 onLater = insert(later, 20, QStringLiteral("0"), QStringLiteral("30,00"));
    EXPECT_EQ(balance(later), euros(157000));
    expectChain("later");
    const qint64 onEarlier = insert(earlier, 10, QStringLiteral("5,00"), QStringLiteral("0"));
    EXPECT_EQ(balance(earlier), euros(500));
    EXPECT_EQ(balance(D), euros(160500));
    book.readDayAndSaveRow(D);
    expectChain("earlier");

    for (qint64 aa : {onDay, onEarlier, onLater}) {
        messages.answerNext(msg::Answer::Ok);
        ASSERT_TRUE(ops.DeleteMovement(aa));
        book.readDayAndSaveRow(D);
        expectChain("deleted");
    }
    EXPECT_EQ(balance(D), opening);
    EXPECT_EQ(book.readDay(day(8, 12)).balance(), opening);
}

// Given for a day of a book that already has rows, the balance becomes the
// day's end balance and later days keep their own movements on top of it.
TEST_F(CashBookFixture, AnOpeningBalanceOnABookWithRowsKeepsLaterMovements)
{
    insert(day(1), 10, QStringLiteral("10,00"), QStringLiteral("0"));
    insert(day(5), 10, QStringLiteral("20,00"), QStringLiteral("0"));
    insert(day(9), 20, QStringLiteral("0"), QStringLiteral("4,00"));
    {
        db::Transaction t(folder.main());
        balances::setOpeningBalance(folder.main(), day(5), euros(100000));
        t.commit();
    }
    EXPECT_EQ(balance(day(1)), euros(1000));
    EXPECT_EQ(balance(day(5)), euros(100000));
    EXPECT_EQ(balance(day(9)), euros(99600));
    book.readDayAndSaveRow(day(5));
    book.readDayAndSaveRow(day(9));
    EXPECT_EQ(balance(day(5)), euros(100000));
    EXPECT_EQ(balance(day(9)), euros(99600));
}
