#pragma once

#include "cashbook/CashOperations.h"
#include "data/Store.h"

#include <QDate>
#include <QRandomGenerator>
#include <QString>
#include <functional>
#include <optional>

// The operations a worker process (kelvora-bookworker) does to a book, each
// through the logic the windows call, with the line it says before it starts
// (see BookModel.h for the lines and what the book must hold after them).
namespace reliability {

// Writes one line to standard output unbuffered, so a kill loses nothing said.
void say(const QString &line);

// Microseconds of the machine's monotonic clock, the same in every process,
// so the lines of several workers can be laid side by side in time.
qint64 monotonicMicros();

struct Step
{
    QString begin;                                  // empty: nothing to do
    std::function<std::optional<qint64>()> perform; // value: done (with a new number or 0)
    int element = -1;                               // the Command1 button that starts it
};

class WorkerSteps
{
public:
    WorkerSteps(Store &store, quint32 seed);

    Step insert(qint64 id);
    Step change(qint64 id);
    Step remove(qint64 id);
    Step close(qint64 id);
    Step recode(qint64 id);
    Step newCode(qint64 id);
    Step regroup(qint64 id);

    int pick(int lo, int hi) { return int(m_random.bounded(lo, hi + 1)); }
    // Days of the early weeks of the book too, so that a change moves the
    // balance of hundreds of later days.
    void reachEarlyDays() { m_earlyDays = true; }

private:
    db::Database &main() { return m_store.main(); }
    QDate someDay();
    std::optional<qint64> someMovement();
    cashbook::MovementEntry entry(const QDate &day, qint64 id, qint64 &income, qint64 &expense);

    Store &m_store;
    QRandomGenerator m_random;
    QDate m_firstDay, m_lastDay;
    bool m_earlyDays = false;
    cashbook::CashBook m_book{m_store};
    cashbook::CashOperations m_ops{m_book};
};

} // namespace reliability
