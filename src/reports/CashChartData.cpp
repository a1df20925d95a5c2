#include "CashChartData.h"

#include "platform/db/Database.h"

#include <QHash>
#include <algorithm>

namespace reports {
namespace {

struct DaySums
{
    QDate day;
    Money income, expense;
};

struct CodeSums
{
    Money income, expense;
};

struct MovementSums
{
    QList<DaySums> days;             // oldest first
    QHash<qint64, CodeSums> codes;
};

// The movements of the period summed by day and code in one pass over the
// index that covers these columns (schema::createReadIndexes), so the rows of
// kinhseis themselves are never read; the days feed the balance chain and the
// months, the codes the group shares.
MovementSums readMovementSums(db::Database &main, const QDate &from, const QDate &to)
{
    db::Statement st = main.prepare(QStringLiteral(
        "SELECT hmeromhnia, kvdikos, SUM(esoda), SUM(ejoda) FROM kinhseis"
        " WHERE hmeromhnia BETWEEN ?1 AND ?2 GROUP BY hmeromhnia, kvdikos ORDER BY hmeromhnia, kvdikos"));
    st.bindAll(from, to);
    MovementSums sums;
    QString lastDay;
    while (st.next()) {
        const Money income = st.money(2), expense = st.money(3);
        // Rows come day by day: the day is read as a date once, when it changes.
        if (const QString day = st.text(0); day != lastDay) {
            sums.days << DaySums{st.date(0), {}, {}};
            lastDay = day;
        }
        sums.days.last().income += income;
        sums.days.last().expense += expense;
        CodeSums &code = sums.codes[st.integer(1)];
        code.income += income;
        code.expense += expense;
    }
    return sums;
}

struct StoredDay
{
    QDate day;
    Money opening, balance;
};

// The tameio rows the cash sheet carries balances from: the latest one before
// the period and every one inside it.
Money balanceBefore(db::Database &main, const QDate &from)
{
    db::Statement st = main.prepare(QStringLiteral(
        "SELECT ypoloipo FROM tameio WHERE hmeromhnia < ?1 ORDER BY hmeromhnia DESC LIMIT 1"));
    st.bind(1, from);
    return st.next() ? st.money(0) : Money();
}

QList<StoredDay> readStoredDays(db::Database &main, const QDate &from, const QDate &to)
{
    db::Statement st = main.prepare(QStringLiteral(
        "SELECT hmeromhnia, COALESCE(arxiko, 0), ypoloipo FROM tameio"
        " WHERE hmeromhnia BETWEEN ?1 AND ?2 ORDER BY hmeromhnia"));
    st.bindAll(from, to);
    QList<StoredDay> days;
    while (st.next())
        days << StoredDay{st.date(0), st.money(1), st.money(2)};
    return days;
}

// Walks the days that have movements or a tameio row, in order, as the cash
// sheet would show each: carried balance (the latest earlier row) plus the
// opening balance of the day plus its movements. A day without either shows
// the balance carried to it, so only the days where that changes are steps.
QList<DayBalance> balanceSteps(db::Database &main, const QDate &from, const QDate &to, const QList<DaySums> &sums)
{
    const QList<StoredDay> stored = readStoredDays(main, from, to);
    Money carried = balanceBefore(main, from);  // what a day without a row of its own starts from
    QList<DayBalance> steps{{from, carried}};
    auto addStep = [&steps](const QDate &day, Money balance) {
        if (steps.last().day == day)
            steps.last().balance = balance;
        else if (steps.last().balance != balance)
            steps << DayBalance{day, balance};
    };

    qsizetype s = 0, m = 0;
    while (s < stored.size() || m < sums.size()) {
        const QDate day = s < stored.size() && (m >= sums.size() || stored[s].day <= sums[m].day) ? stored[s].day
                                                                                                   : sums[m].day;
        Money shown = carried;
        if (s < stored.size() && stored[s].day == day)
            shown += stored[s].opening;
        if (m < sums.size() && sums[m].day == day) {
            shown += sums[m].income - sums[m].expense;
            ++m;
        }
        addStep(day, shown);
        if (s < stored.size() && stored[s].day == day) {
            carried = stored[s].balance;
            ++s;
        }
        // The next day starts from the stored row; it differs from what this
        // day showed only when the rows are out of step with the movements.
        if (carried != shown && day < to)
            addStep(day.addDays(1), carried);
    }
    if (steps.last().day != to)
        steps << DayBalance{to, steps.last().balance};
    return steps;
}

QList<MonthTotals> monthTotals(const QDate &from, const QDate &to, const QList<DaySums> &sums)
{
    QList<MonthTotals> months;
    for (QDate m(from.year(), from.month(), 1); m <= to; m = m.addMonths(1))
        months << MonthTotals{m, {}, {}};
    for (const DaySums &d : sums) {
        MonthTotals &month = months[(d.day.year() - from.year()) * 12 + d.day.month() - from.month()];
        month.income += d.income;
        month.expense += d.expense;
    }
    return months;
}

QList<GroupShare> sorted(QHash<qint64, GroupShare> shares)
{
    QList<GroupShare> list;
    for (const GroupShare &share : std::as_const(shares))
        if (!share.amount.isZero())
            list << share;
    std::sort(list.begin(), list.end(), [](const GroupShare &a, const GroupShare &b) {
        return a.amount != b.amount ? a.amount > b.amount : a.group < b.group;
    });
    return list;
}

// A movement counts in the group its code belongs to now. Two groups of one
// name are told apart by their number, as the movement reports do.
void groupShares(db::Database &main, const QHash<qint64, CodeSums> &codes, CashChartData &data)
{
    QHash<qint64, QString> names;
    QHash<QString, int> nameUses;
    db::Statement groups = main.prepare(QStringLiteral("SELECT aa, perigrafh FROM omades"));
    while (groups.next()) {
        const QString name = groups.text(1).trimmed();
        names.insert(groups.integer(0), name);
        ++nameUses[name];
    }
    QHash<qint64, qint64> groupOfCode;
    db::Statement codeGroups = main.prepare(QStringLiteral("SELECT kvdikos, aa_omadas FROM kvdikoi ORDER BY id"));
    while (codeGroups.next())
        groupOfCode.insert(codeGroups.integer(0), codeGroups.integer(1));  // a repeated code keeps its last row

    QHash<qint64, GroupShare> expense, income;
    for (auto c = codes.cbegin(); c != codes.cend(); ++c) {
        qint64 group = groupOfCode.value(c.key(), 0);
        if (!names.contains(group))
            group = 0;
        QString name = group == 0 ? noGroupName() : names.value(group);
        if (group != 0 && nameUses.value(name) > 1)
            name += QStringLiteral(" (%1)").arg(group);
        for (auto [shares, amount] : {std::pair{&expense, c->expense}, std::pair{&income, c->income}}) {
            GroupShare &share = (*shares)[group];
            share.group = group;
            share.name = name;
            share.amount += amount;
        }
    }
    data.expenseShares = sorted(expense);
    data.incomeShares = sorted(income);
}

} // namespace

QString noGroupName() { return QStringLiteral("Χωρίς ομάδα"); }

Money CashChartData::balanceOn(const QDate &day) const
{
    Money balance;
    for (const DayBalance &step : balances) {
        if (step.day > day)
            break;
        balance = step.balance;
    }
    return balance;
}

CashChartData readCashChartData(db::Database &main, const QDate &from, const QDate &to)
{
    CashChartData data;
    data.from = from;
    data.to = to;
    if (!from.isValid() || !to.isValid() || to < from)
        return data;
    const MovementSums sums = readMovementSums(main, from, to);
    data.anyMovements = !sums.days.isEmpty();
    for (const DaySums &d : sums.days) {
        data.income += d.income;
        data.expense += d.expense;
    }
    data.balances = balanceSteps(main, from, to, sums.days);
    data.months = monthTotals(from, to, sums.days);
    groupShares(main, sums.codes, data);
    return data;
}

} // namespace reports
