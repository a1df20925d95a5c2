#include "CashBook.h"

#include "data/Store.h"
#include "data/Balances.h"
#include "platform/db/Transaction.h"

namespace cashbook {
namespace {

const QString MovementFields = QStringLiteral(
    "aa, kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, grammh, epitagh, L_tajeos");

Movement readMovement(const db::Statement &st)
{
    Movement m;
    m.aa = st.integer(0);
    m.kvdikos = int(st.integer(1));
    m.hmeromhnia = st.date(2);
    m.perigrafh = st.text(3);
    m.esoda = st.money(4);
    m.ejoda = st.money(5);
    m.aa_omada = int(st.integer(6));
    m.grammh = st.text(7);
    m.epitagh = st.flag(8);
    m.L_tajeos = st.money(9);
    return m;
}

ActiveCode readCode(const db::Statement &st)
{
    return {int(st.integer(0)), st.text(1), int(st.integer(2)), st.text(3), st.flag(4)};
}

const QString ClosedDayQuery =
    QStringLiteral("SELECT count(*) FROM KlhsimoTameioy WHERE Hmeraklhsimatos = ?1");

const QString CodeQuery = QStringLiteral(
    "SELECT kvdikos, perigrafh, aa_omadas, lista, esodo FROM kvdikoi WHERE energos <> 0");

} // namespace

CashBook::CashBook(Store &store) : m_store(store) {}

DayView CashBook::readDay(const QDate &day)
{
    db::Database &main = m_store.main();
    DayView view;
    view.day = day;

    // The latest earlier row and the day's own row, in one reading.
    db::Statement rows = main.prepare(QStringLiteral(
        "SELECT * FROM (SELECT hmeromhnia, ypoloipo, arxiko, esoda_hmeras, ejoda_hmeras FROM tameio "
        "WHERE hmeromhnia < ?1 ORDER BY hmeromhnia DESC LIMIT 1) AS earlier "
        "UNION ALL SELECT hmeromhnia, ypoloipo, arxiko, esoda_hmeras, ejoda_hmeras FROM tameio WHERE hmeromhnia = ?1"));
    rows.bind(1, day);
    Money opening;
    while (rows.next()) {
        if (rows.date(0) < day) {
            view.previousDay = rows.date(0);
            view.carried = rows.money(1);
            continue;
        }
        opening = rows.money(2);
        view.stored = DayView::StoredRow{rows.money(3), rows.money(4), rows.money(1)};
    }
    // The opening balance enters on its own day and is shown as that day's.
    if (!opening.isZero()) {
        view.carried += opening;
        view.previousDay = day;
    }

    // The list builds its lines from the fields; the stored grammh is not needed here.
    db::Statement moves = main.prepare(QStringLiteral(
        "SELECT aa, kvdikos, perigrafh, esoda, ejoda, aa_omada, epitagh, L_tajeos FROM kinhseis "
        "WHERE hmeromhnia = ?1 ORDER BY aa"));
    moves.bind(1, day);
    while (moves.next()) {
        Movement m;
        m.aa = moves.integer(0);
        m.kvdikos = int(moves.integer(1));
        m.hmeromhnia = day;
        m.perigrafh = moves.text(2);
        m.esoda = moves.money(3);
        m.ejoda = moves.money(4);
        m.aa_omada = int(moves.integer(5));
        m.epitagh = moves.flag(6);
        m.L_tajeos = moves.money(7);
        view.income += m.esoda;
        view.expense += m.ejoda;
        view.movements << m;
    }
    return view;
}

DayView CashBook::readDayAndSaveRow(const QDate &day)
{
    DayView view = readDay(day);
    // Most days are shown again unchanged: only a row that differs costs a write.
    if (view.hasMovements() && !dayRowIsCurrent(view)) {
        db::Transaction t(m_store.main());
        // Read again under the write lock: what was read before it may have
        // been changed by another workstation since.
        view = readDay(day);
        if (view.hasMovements())
            SaveDayRow(view);
        t.commit();
    }
    return view;
}

bool CashBook::dayRowIsCurrent(const DayView &day)
{
    return day.stored && day.stored->income == day.income && day.stored->expense == day.expense
           && day.stored->balance == day.balance();
}

void CashBook::SaveDayRow(const DayView &day, Money laterChange)
{
    db::Database &main = m_store.main();
    if (!day.stored) {
        main.execute(QStringLiteral("INSERT INTO tameio (hmeromhnia, esoda_hmeras, ejoda_hmeras, ypoloipo) "
                                    "VALUES (?1, ?2, ?3, ?4)"),
                     day.day, day.income, day.expense, day.balance());
    } else if (!dayRowIsCurrent(day)) {
        main.execute(QStringLiteral("UPDATE tameio SET esoda_hmeras = ?2, ejoda_hmeras = ?3, ypoloipo = ?4 "
                                    "WHERE hmeromhnia = ?1"),
                     day.day, day.income, day.expense, day.balance());
    }
    balances::moveLaterBalances(main, day.day, laterChange);
}

bool CashBook::IsDayClosed(const QDate &day)
{
    if (!day.isValid())
        return false;
    return m_store.users().scalar(ClosedDayQuery, day).toLongLong() > 0;
}

bool CashBook::closeDay(const QDate &day)
{
    db::Database &users = m_store.users();
    db::Transaction t(users);
    if (users.scalar(ClosedDayQuery, day).toLongLong() > 0)
        return false;
    users.execute(QStringLiteral("INSERT INTO KlhsimoTameioy (Hmeraklhsimatos) VALUES (?1)"), day);
    t.commit();
    return true;
}

CashBook::ClosedDays CashBook::closedDaysAfter(const QDate &day)
{
    db::Statement st = m_store.users().prepare(QStringLiteral(
        "SELECT count(*), min(Hmeraklhsimatos) FROM KlhsimoTameioy WHERE Hmeraklhsimatos > ?1"));
    st.bind(1, day);
    ClosedDays out;
    if (st.next() && st.integer(0) > 0)
        out = {int(st.integer(0)), st.date(1)};
    return out;
}

QList<ActiveCode> CashBook::activeCodes()
{
    QList<ActiveCode> out;
    db::Statement st = m_store.main().prepare(CodeQuery + QStringLiteral(" ORDER BY kvdikos"));
    while (st.next())
        out << readCode(st);
    return out;
}

std::optional<ActiveCode> CashBook::findActiveCode(int code)
{
    db::Statement st = m_store.main().prepare(CodeQuery + QStringLiteral(" AND kvdikos = ?1 LIMIT 1"));
    st.bind(1, code);
    if (!st.next())
        return std::nullopt;
    return readCode(st);
}

std::optional<Movement> CashBook::movement(qint64 aa)
{
    db::Statement st = m_store.main().prepare(QStringLiteral("SELECT ") + MovementFields
                                              + QStringLiteral(" FROM kinhseis WHERE aa = ?1"));
    st.bind(1, aa);
    if (!st.next())
        return std::nullopt;
    return readMovement(st);
}

} // namespace cashbook
