#include "Balances.h"

#include "platform/db/Database.h"

#include <limits>

namespace balances {

void moveLaterBalances(db::Database &main, const QDate &day, Money change)
{
    if (change.isZero())
        return;
    const bool up = change.units() > 0;
    const qint64 bound = up ? std::numeric_limits<qint64>::max() - change.units()
                            : std::numeric_limits<qint64>::min() - change.units();
    db::Statement beyond = main.prepare(
        up ? QStringLiteral("SELECT EXISTS (SELECT 1 FROM tameio WHERE hmeromhnia > ?1 AND ypoloipo > ?2)")
           : QStringLiteral("SELECT EXISTS (SELECT 1 FROM tameio WHERE hmeromhnia > ?1 AND ypoloipo < ?2)"));
    beyond.bind(1, day).bind(2, bound);
    if (beyond.next() && beyond.integer(0) != 0)
        throw MoneyOverflow();
    main.execute(QStringLiteral("UPDATE tameio SET ypoloipo = ypoloipo + ?1 WHERE hmeromhnia > ?2"), change, day);
}

void setOpeningBalance(db::Database &main, const QDate &day, Money amount)
{
    db::Statement previous = main.prepare(QStringLiteral(
        "SELECT ypoloipo FROM tameio WHERE hmeromhnia < ?1 ORDER BY hmeromhnia DESC LIMIT 1"));
    previous.bind(1, day);
    const Money carried = previous.next() ? previous.money(0) : Money();

    db::Statement totals = main.prepare(QStringLiteral(
        "SELECT IFNULL(SUM(esoda), 0), IFNULL(SUM(ejoda), 0) FROM kinhseis WHERE hmeromhnia = ?1"));
    totals.bind(1, day);
    totals.next();
    const Money income = totals.money(0), expense = totals.money(1);

    // Later days move by what the day's own balance moves, so that whatever
    // they held above it stays.
    db::Statement own = main.prepare(QStringLiteral("SELECT ypoloipo FROM tameio WHERE hmeromhnia = ?1"));
    own.bind(1, day);
    const bool hasRow = own.next();
    const Money endBefore = hasRow ? own.money(0) : carried + income - expense;
    const Money opening = amount - (carried + income - expense);
    if (hasRow)
        main.execute(QStringLiteral("UPDATE tameio SET esoda_hmeras = ?2, ejoda_hmeras = ?3, arxiko = ?4, ypoloipo = ?5 "
                                    "WHERE hmeromhnia = ?1"),
                     day, income, expense, opening, amount);
    else if (!amount.isZero() || !opening.isZero())
        main.execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, esoda_hmeras, ejoda_hmeras, arxiko, ypoloipo) "
                                    "VALUES (?1, ?2, ?3, ?4, ?5)"),
                     day, income, expense, opening, amount);
    moveLaterBalances(main, day, amount - endBefore);
}

} // namespace balances
