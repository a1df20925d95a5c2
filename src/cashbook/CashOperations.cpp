#include "CashOperations.h"

#include "BookingDay.h"

#include "ChangeLog.h"
#include "DisplayLines.h"
#include "data/AppGlobals.h"
#include "data/Backup.h"
#include "data/MovementWords.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/db/Transaction.h"
#include "platform/desktop/Messages.h"
#include "platform/regional/Clock.h"
#include "platform/regional/AmountText.h"
#include "platform/regional/GreekFormats.h"

namespace cashbook {
namespace {

const QString Attention = QStringLiteral("Προσοχή");
const QString WrongCode = QStringLiteral("Λάθος κωδικός");

// A store failure in the middle of an operation: the transaction has rolled
// back, so the user is told that nothing was kept rather than seeing success.
void reportFailure(const QString &detail)
{
    msg::critical(Attention, QStringLiteral("Η εργασία δεν ολοκληρώθηκε και δεν άλλαξε τίποτα στη βάση δεδομένων.")
                                 + QLatin1Char('\n') + detail);
}

std::optional<QDate> dateOf(const QString &text)
{
    return regional::parseDate(text, Clock::today());
}

// The line keeps the amounts as the left boxes show them ("0" for an untouched box).
QString shownAmount(const QString &boxText, Money amount)
{
    const QString t = boxText.trimmed();
    return t.isEmpty() || t == QStringLiteral("0") ? QStringLiteral("0") : regional::formatMoney(amount);
}

void reportStale()
{
    msg::critical(Attention, QStringLiteral("Τα στοιχεία άλλαξαν στο μεταξύ από άλλο σταθμό εργασίας και δεν έγινε "
                                            "καμία αλλαγή.")
                                 + QLatin1Char('\n') + QStringLiteral("Δείτε ξανά την ημέρα και επαναλάβετε."));
}

} // namespace

std::optional<Money> readAmountBox(const QString &text)
{
    const regional::AmountCheck check = regional::checkAmountText(text);
    if (!check.accepted())
        msg::information(QStringLiteral("Λάθος ποσό"), QStringLiteral("Το ποσό «") + text.trimmed()
                                                         + QStringLiteral("» δεν έγινε δεκτό.") + QLatin1Char('\n')
                                                         + check.refusal);
    return check.amount;
}

CashOperations::CashOperations(CashBook &book) : m_book(book) {}

std::optional<qint64> CashOperations::InsertFromButton(const MovementEntry &entry, bool movementSelected)
{
    const std::optional<QDate> day = dateOf(entry.dateText);
    if (day && m_book.IsDayClosed(*day) && !globals().RightChangeRecords) {
        msg::information(Attention, QStringLiteral("Ο χρήστης δεν έχει το δικαίωμα της εισαγωγής"));
        return std::nullopt;
    }
    if (movementSelected) {
        const msg::Answer answer = msg::ask({Attention,
                                             QStringLiteral("Έχετε επιλέξει στοιχεία για μεταβολή ή διαγραφή.")
                                                 + QLatin1Char('\n') + QStringLiteral("θέλετε να γίνει η εισαγωγή;"),
                                             msg::Icon::Critical, msg::Buttons::OkCancel, msg::Answer::Ok});
        if (answer != msg::Answer::Ok)
            return std::nullopt;
    }
    return InsertMovement(entry);
}

bool CashOperations::checkCodeAndDescription(const MovementEntry &entry, std::optional<ActiveCode> &code)
{
    if (entry.code == 0) {
        msg::information(WrongCode, QStringLiteral("Δεν έχετε δώσει κωδικό κίνησης"));
        return false;
    }
    code = m_book.findActiveCode(entry.code);
    if (!code) {
        msg::information(WrongCode, QStringLiteral("Ο κωδικός έχει αλλάξει ενημερώστε ξανά!"));
        return false;
    }
    if (entry.description.trimmed().isEmpty()) {
        msg::information(QStringLiteral("Λάθος στην περιγραφή"), QStringLiteral("Δεν υπάρχει περιγραφή της κίνησης"));
        return false;
    }
    return true;
}

// The list and the buttons keep users without the right away from a closed
// day, but a day closed while one of its movements is loaded must not be
// changed either.
bool CashOperations::mayChangeDay(const QDate &day)
{
    if (globals().RightChangeRecords || !m_book.IsDayClosed(day))
        return true;
    msg::critical(Attention, QStringLiteral("Το ταμείο έχει κλείσει και δεν έχετε δικαίωμα να το μεταβάλετε"));
    return false;
}

std::optional<Movement> CashOperations::movementFrom(const MovementEntry &entry, const ActiveCode &code,
                                                     const QDate &day)
{
    // Each box is reported on its own, in the order of the form.
    const std::optional<Money> memo = readAmountBox(entry.memoText);
    if (!memo)
        return std::nullopt;
    const std::optional<Money> income = readAmountBox(entry.incomeText);
    if (!income)
        return std::nullopt;
    const std::optional<Money> expense = readAmountBox(entry.expenseText);
    if (!expense)
        return std::nullopt;
    Movement m;
    m.kvdikos = code.kvdikos;
    m.hmeromhnia = day;
    m.perigrafh = entry.description.trimmed();
    m.esoda = *income;
    m.ejoda = *expense;
    m.aa_omada = code.aa_omadas;
    m.grammh = lines::storedLine(code.kvdikos, entry.description, shownAmount(entry.incomeText, *income),
                                 shownAmount(entry.expenseText, *expense), entry.cheque);
    m.epitagh = entry.cheque;
    m.L_tajeos = *memo;
    return m;
}

std::optional<qint64> CashOperations::InsertMovement(const MovementEntry &entry)
{
    const std::optional<QDate> day = dateOf(entry.dateText);
    if (!day) {
        msg::information(QStringLiteral("Λάθος στην ημερομηνία"), QStringLiteral("Η ημερομηνία δεν είναι σωστή"));
        return std::nullopt;
    }
    if (!checkBookingDay(*day, Clock::today()))
        return std::nullopt;
    std::optional<ActiveCode> code;
    if (!checkCodeAndDescription(entry, code))
        return std::nullopt;
    try {
        std::optional<Movement> m = movementFrom(entry, *code, *day);
        if (!m || !mayChangeDay(*day))
            return std::nullopt;

        db::Database &main = m_book.store().main();
        db::Transaction t(main);
        main.execute(QStringLiteral("INSERT INTO kinhseis (kvdikos, hmeromhnia, perigrafh, esoda, ejoda, aa_omada, "
                                    "grammh, epitagh, L_tajeos) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
                     m->kvdikos, m->hmeromhnia, m->perigrafh, m->esoda, m->ejoda, m->aa_omada, m->grammh,
                     m->epitagh, m->L_tajeos);
        m->aa = main.lastInsertId();
        movementwords::recordWords(main, m->aa, m->perigrafh);
        m_book.SaveDayRow(m_book.readDay(*day), m->net());
        // Inserts are logged only where closed days are touched: into a closed
        // day, or moving the balance of closed days after it.
        const bool dayClosed = m_book.IsDayClosed(*day);
        const changelog::LaterClosedDays moved = closedDaysMoved(*day, m->net());
        if (dayClosed || moved.count > 0)
            changelog::record(main, changelog::Kind::Insert, nullptr, &*m, dayClosed, moved);
        t.commit();
        return m->aa;
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    } catch (const MoneyOverflow &) {
        reportOverflow();
    }
    return std::nullopt;
}

// Closing protects a day's movements, not its carried balance: a booking on
// an earlier open day moves the balance of later closed days like any other,
// and the change log says which. Read inside the write transaction.
changelog::LaterClosedDays CashOperations::closedDaysMoved(const QDate &day, Money netChange)
{
    if (netChange.isZero())
        return {};
    const CashBook::ClosedDays closed = m_book.closedDaysAfter(day);
    return {closed.count, closed.first};
}

// Inside the write transaction: the movement still holds the day and the
// amounts the user saw, which the adjustment of later days is computed from.
bool CashOperations::movementUnchanged(const Movement &seen)
{
    const std::optional<Movement> now = m_book.movement(seen.aa);
    if (now && now->hmeromhnia == seen.hmeromhnia && now->esoda == seen.esoda && now->ejoda == seen.ejoda)
        return true;
    reportStale();
    return false;
}

void CashOperations::reportOverflow()
{
    reportFailure(QStringLiteral("Τα ποσά που προκύπτουν ξεπερνούν το όριο που μπορεί να κρατηθεί."));
}

std::optional<Movement> CashOperations::changeableMovement(qint64 aa)
{
    std::optional<Movement> old = m_book.movement(aa);
    if (!old) {
        reportFailure(QStringLiteral("Η κίνηση δεν βρέθηκε."));
        return std::nullopt;
    }
    if (!mayChangeDay(old->hmeromhnia))
        return std::nullopt;
    return old;
}

bool CashOperations::ChangeMovement(qint64 aa, const MovementEntry &entry)
{
    m_declined = false;
    std::optional<ActiveCode> code;
    if (!checkCodeAndDescription(entry, code))
        return false;
    try {
        const std::optional<Movement> old = changeableMovement(aa);
        if (!old)
            return false;
        const std::optional<Movement> m = movementFrom(entry, *code, old->hmeromhnia);
        if (!m)
            return false;
        const Money netChange = m->net() - old->net();
        if (!msg::confirmOkCancel(QStringLiteral("Μεταβολή στοιχείων"),
                                  QStringLiteral("Να γίνει η μεταβολή των στοιχείων;"))) {
            m_declined = true;
            return false;
        }

        db::Database &main = m_book.store().main();
        db::Transaction t(main);
        if (!movementUnchanged(*old))
            return false;
        main.execute(
            QStringLiteral("UPDATE kinhseis SET kvdikos = ?2, perigrafh = ?3, esoda = ?4, ejoda = ?5, aa_omada = ?6, "
                           "grammh = ?7, epitagh = ?8, L_tajeos = ?9 WHERE aa = ?1"),
            aa, m->kvdikos, m->perigrafh, m->esoda, m->ejoda, m->aa_omada, m->grammh, m->epitagh, m->L_tajeos);
        movementwords::recordWords(main, aa, m->perigrafh);
        m_book.SaveDayRow(m_book.readDay(old->hmeromhnia), netChange);
        changelog::record(main, changelog::Kind::Change, &*old, &*m, m_book.IsDayClosed(old->hmeromhnia),
                          closedDaysMoved(old->hmeromhnia, netChange));
        t.commit();
        return true;
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    } catch (const MoneyOverflow &) {
        reportOverflow();
    }
    return false;
}

bool CashOperations::DeleteMovement(qint64 aa)
{
    m_declined = false;
    try {
        const std::optional<Movement> old = changeableMovement(aa);
        if (!old)
            return false;
        const Money netChange = -old->net();
        if (!msg::confirmOkCancel(QStringLiteral("Διαγραφή κίνησης"), QStringLiteral("Να γίνει η διαγραφή της κίνησης"))) {
            m_declined = true;
            return false;
        }

        db::Database &main = m_book.store().main();
        db::Transaction t(main);
        if (!movementUnchanged(*old))
            return false;
        main.execute(QStringLiteral("DELETE FROM kinhseis WHERE aa = ?1"), aa);
        movementwords::forgetWords(main, aa);
        // A day that loses its last movement keeps a row with zero totals and
        // the carried-over balance.
        m_book.SaveDayRow(m_book.readDay(old->hmeromhnia), netChange);
        changelog::record(main, changelog::Kind::Delete, &*old, nullptr, m_book.IsDayClosed(old->hmeromhnia),
                          closedDaysMoved(old->hmeromhnia, netChange));
        t.commit();
        return true;
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
    } catch (const MoneyOverflow &) {
        reportOverflow();
    }
    return false;
}

bool CashOperations::CloseCash(const QString &dateText)
{
    if (!globals().RightCloseCash) {
        msg::critical(Attention, QStringLiteral("Ο χρήστης δεν έχει το δικαίωμα να κλίνει το ταμείο"));
        return false;
    }
    if (!msg::confirmOkCancel(QStringLiteral("Κλείσιμο ταμείου"), QStringLiteral("Να κλείσω το ταμείο;")))
        return false;
    const std::optional<QDate> day = dateOf(dateText);
    if (!day) {
        msg::information(QStringLiteral("Λάθος στην ημερομηνία"), QStringLiteral("Η ημερομηνία δεν είναι σωστή"));
        return false;
    }
    try {
        m_book.closeDay(*day);
    } catch (const db::DbError &e) {
        storefailure::reportNotDone(e);
        return false;
    }
    // The close stands whatever happens to the copy; the user only learns
    // that this day has no backup.
    const backup::Result saved = backup::backupDay(m_book.store(), *day);
    if (!saved.ok)
        msg::critical(QStringLiteral("Αντίγραφο ασφαλείας"),
                      QStringLiteral("Το ταμείο έκλεισε, αλλά το αντίγραφο ασφαλείας των αρχείων δεν έγινε (") +
                          saved.folder + QStringLiteral("):\n") + saved.error);
    else if (!saved.refused.isEmpty())
        msg::exclamation(QStringLiteral("Αντίγραφο ασφαλείας"),
                         QStringLiteral("Το αντίγραφο ασφαλείας έγινε (") + saved.folder
                             + QStringLiteral("), αλλά παλαιότερα αντίγραφα δεν διαγράφηκαν:\n")
                             + saved.refused.join(QLatin1Char('\n')));
    return true;
}

} // namespace cashbook
