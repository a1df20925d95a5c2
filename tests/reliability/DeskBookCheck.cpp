#include "DeskBookCheck.h"

#include <QRegularExpression>

namespace reliability::deskcheck {
namespace {

// Names the workers give: OP<n> a movement, ΚΩΔ<n> a code, ΟΜ<n> a group,
// <n> being the number of the operation that wrote it.
const QRegularExpression &workersName()
{
    static const QRegularExpression name(QStringLiteral("^(?:OP|ΚΩΔ|ΟΜ)(\\d+)$"));
    return name;
}

} // namespace

qint64 numberIn(const QString &text)
{
    const auto m = workersName().match(text);
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}

qint64 firstFreeNumber(const BookState &book)
{
    qint64 highest = 0;
    const auto see = [&highest](const QString &text) { highest = std::max(highest, numberIn(text)); };
    for (const auto &m : book.movements)
        see(m.description);
    for (const QString &name : book.codeDescriptions)
        see(name);
    for (const QString &name : book.groupNames)
        see(name);
    return (highest / 1000000000 + 1) * 1000000000;
}

namespace {

// Checks the book against every operation: what was reported done is there,
// what was refused or failed is not, and what a kill cut short is whole or absent.
class BookCheck
{
public:
    // Names with numbers below `firstNumber` were left by an earlier run.
    BookCheck(const BookState &before, const BookState &after, const QHash<qint64, Op> &ops, qint64 firstNumber,
              DeskFigures &fig)
        : m_before(before), m_after(after), m_ops(ops), m_firstNumber(firstNumber), m_fig(fig)
    {
        for (const Op &op : ops) {
            if (op.end == End::Failed)
                continue;
            const QString kind = op.log.begin.value(0);
            if (kind == QLatin1String("chg"))
                m_changes[arg(op, 1)] << op.log.id;
            else if (kind == QLatin1String("del"))
                m_deletes[arg(op, 1)] << op.log.id;
            else if (kind == QLatin1String("close"))
                ++m_closes[op.log.begin.value(1)];
        }
    }

    void run()
    {
        checkStoredMovements();
        checkNames(m_after.codeDescriptions, QStringLiteral("code"));
        checkNames(m_after.groupNames, QStringLiteral("group"));
        for (const Op &op : m_ops)
            checkOperation(op);
    }

private:
    static qint64 arg(const Op &op, int n) { return op.log.begin.value(n).toLongLong(); }

    void lost(const Op &op, const QString &why)
    {
        ++m_fig.lost;
        m_fig.faults << QStringLiteral("lost: operation %1 (%2) reported done, but %3")
                            .arg(op.log.id)
                            .arg(op.log.begin.join(QLatin1Char(' ')), why);
    }
    void phantom(const Op &op, const QString &why)
    {
        ++m_fig.phantom;
        m_fig.faults << QStringLiteral("phantom: operation %1 (%2) %3, but %4")
                            .arg(op.log.id)
                            .arg(op.log.begin.join(QLatin1Char(' ')),
                                 op.refused ? QStringLiteral("was refused") : QStringLiteral("failed"), why);
    }

    // Every movement written by an operation of the run carries that
    // operation's number: the operation must have gone through (or been cut
    // by a kill), and the row must hold exactly what it wrote.
    void checkStoredMovements()
    {
        for (auto it = m_after.movements.cbegin(); it != m_after.movements.cend(); ++it) {
            const qint64 number = numberIn(it->description);
            if (number < m_firstNumber)
                continue;
            const auto op = m_ops.constFind(number);
            if (op == m_ops.cend()) {
                m_fig.faults << QStringLiteral("movement %1 says %2, which no workstation did").arg(it.key()).arg(it->description);
                continue;
            }
            if (op->end == End::Failed) {
                phantom(*op, QStringLiteral("movement %1 holds it").arg(it.key()));
                continue;
            }
            const QStringList &a = op->log.begin;
            const bool isInsert = a.value(0) == QLatin1String("ins");
            const bool same = isInsert ? (it->day == a.value(1) && it->income == a.value(3).toLongLong()
                                          && it->expense == a.value(4).toLongLong()
                                          && (op->end != End::Done || op->log.newAa == it.key()))
                                       : (a.value(1).toLongLong() == it.key() && it->income == a.value(2).toLongLong()
                                          && it->expense == a.value(3).toLongLong());
            if (!same)
                m_fig.faults << QStringLiteral("movement %1 is not what operation %2 (%3) wrote: %4 %5/%6")
                                    .arg(it.key())
                                    .arg(op->log.id)
                                    .arg(a.join(QLatin1Char(' ')), it->day)
                                    .arg(it->income)
                                    .arg(it->expense);
        }
    }

    // Movement aa as the book holds it must come from one of the changes
    // that went through on it, or be gone by one of the deletions.
    bool movementFollowsItsChanges(qint64 aa, qint64 writtenBy) const
    {
        const auto found = m_after.movements.constFind(aa);
        if (found == m_after.movements.cend())
            return !m_deletes.value(aa).isEmpty();
        if (found->description == descriptionOf(writtenBy))
            return true;
        for (qint64 id : m_changes.value(aa))
            if (found->description == descriptionOf(id))
                return true;
        return false;
    }

    void checkOperation(const Op &op)
    {
        const QString kind = op.log.begin.value(0);
        if (op.end == End::Done) {
            if (kind == QLatin1String("ins") && !movementFollowsItsChanges(op.log.newAa, op.log.id))
                lost(op, QStringLiteral("movement %1 is not there").arg(op.log.newAa));
            else if (kind == QLatin1String("chg") && !movementFollowsItsChanges(arg(op, 1), op.log.id))
                lost(op, QStringLiteral("movement %1 does not hold it").arg(arg(op, 1)));
            else if (kind == QLatin1String("del") && m_after.movements.contains(arg(op, 1)))
                lost(op, QStringLiteral("movement %1 is still there").arg(arg(op, 1)));
            else if (kind == QLatin1String("close") && !m_after.closedDays.contains(op.log.begin.value(1)))
                lost(op, QStringLiteral("the day is not closed"));
            return;
        }
        if (op.end == End::InFlight)
            return; // whole or absent: checkStoredMovements saw that what it wrote is whole
        // Failed or refused: a deletion or closing that left its mark must
        // have another that went through.
        if (kind == QLatin1String("del")) {
            const qint64 aa = arg(op, 1);
            if (m_before.movements.contains(aa) && !m_after.movements.contains(aa) && m_deletes.value(aa).isEmpty())
                phantom(op, QStringLiteral("movement %1 is gone").arg(aa));
        } else if (kind == QLatin1String("close")) {
            const QString day = op.log.begin.value(1);
            if (m_after.closedDays.contains(day) && !m_before.closedDays.contains(day) && !m_closes.contains(day))
                phantom(op, QStringLiteral("the day is closed"));
        }
    }

public:
    bool presentInBook(const Op &op) const
    {
        const QString kind = op.log.begin.value(0);
        const QString mine = descriptionOf(op.log.id);
        if (kind == QLatin1String("ins"))
            return findInsert(m_after, op.log).has_value();
        if (kind == QLatin1String("chg"))
            return m_after.movements.value(arg(op, 1)).description == mine;
        // A movement gone or a day closed is this operation's work only when
        // nothing else could have done it.
        if (kind == QLatin1String("del"))
            return !m_after.movements.contains(arg(op, 1)) && m_before.movements.contains(arg(op, 1))
                   && m_deletes.value(arg(op, 1)).size() == 1;
        if (kind == QLatin1String("close")) {
            const QString day = op.log.begin.value(1);
            return m_after.closedDays.contains(day) && !m_before.closedDays.contains(day) && m_closes.value(day) == 1;
        }
        if (kind == QLatin1String("code"))
            return m_after.codeDescriptions.value(arg(op, 1)) == op.log.begin.value(2);
        if (kind == QLatin1String("newcode"))
            return std::find(m_after.codeDescriptions.cbegin(), m_after.codeDescriptions.cend(), op.log.begin.value(2))
                   != m_after.codeDescriptions.cend();
        return m_after.groupNames.value(arg(op, 1)) == op.log.begin.value(2);
    }

private:
    // A code or group carries the name of the last rename that went through
    // (a new code, the name it was made with); once one has, the name cannot
    // be another's (or the old one).
    void checkNames(const QMap<qint64, QString> &names, const QString &kind)
    {
        const auto ofKind = [&kind](const Op &op) {
            const QString k = op.log.begin.value(0);
            return k == kind || (kind == QLatin1String("code") && k == QLatin1String("newcode"));
        };
        // The row a rename changed, or the row a new code was made as (0 while unknown).
        const auto rowOf = [this](const Op &op) {
            return op.log.begin.value(0) == QLatin1String("newcode") ? op.log.newAa : arg(op, 1);
        };
        QHash<qint64, QSet<QString>> renamedTo, doneTo;
        QSet<QString> cutNewCodes; // names of new codes a kill cut: on whichever row
        QHash<QString, const Op *> failedName;
        for (const Op &op : m_ops) {
            if (!ofKind(op))
                continue;
            const QString name = op.log.begin.value(2);
            if (op.end == End::Failed)
                failedName.insert(name, &op);
            else if (rowOf(op) == 0)
                cutNewCodes << name;
            else
                renamedTo[rowOf(op)] << name;
            if (op.end == End::Done)
                doneTo[rowOf(op)] << name;
        }
        for (auto it = names.cbegin(); it != names.cend(); ++it) {
            if (const Op *op = failedName.value(it.value()))
                phantom(*op, QStringLiteral("%1 %2 is named so").arg(kind).arg(it.key()));
            else if (numberIn(it.value()) >= m_firstNumber && !renamedTo.value(it.key()).contains(it.value())
                     && !cutNewCodes.contains(it.value()))
                m_fig.faults << QStringLiteral("%1 %2 is named %3 by no rename of it").arg(kind).arg(it.key()).arg(it.value());
        }
        for (auto it = doneTo.cbegin(); it != doneTo.cend(); ++it)
            if (!renamedTo.value(it.key()).contains(names.value(it.key())))
                for (const Op &op : m_ops)
                    if (op.end == End::Done && ofKind(op) && rowOf(op) == it.key()) {
                        lost(op, QStringLiteral("%1 %2 is named %3").arg(kind).arg(it.key()).arg(names.value(it.key())));
                        break;
                    }
    }

    const BookState &m_before, &m_after;
    const QHash<qint64, Op> &m_ops;
    qint64 m_firstNumber;
    DeskFigures &m_fig;
    QHash<qint64, QList<qint64>> m_changes, m_deletes;
    QHash<QString, int> m_closes; // day -> closings that went through or were cut
};

} // namespace

void checkBook(const BookState &before, const BookState &after, const QHash<qint64, Op> &ops, qint64 firstNumber,
               const QList<qint64> &cutByKill, const QList<qint64> &cutByStop, DeskFigures &fig)
{
    BookCheck check(before, after, ops, firstNumber, fig);
    check.run();
    fig.killedInFlight = int(cutByKill.size());
    for (qint64 id : cutByKill)
        fig.inFlightWhole += check.presentInBook(ops.value(id)) ? 1 : 0;
    for (qint64 id : cutByStop) {
        const Op op = ops.value(id);
        if (!check.presentInBook(op))
            continue;
        ++fig.cutByStopWhole;
        fig.notes << QStringLiteral("cut by the server's stop and found in the book: %1 (%2), %3")
                         .arg(id)
                         .arg(op.log.begin.join(QLatin1Char(' ')),
                              op.log.end == LoggedOperation::End::Failed ? QStringLiteral("told: ") + op.log.failureText
                                                                         : QStringLiteral("never ended"));
    }
}

} // namespace reliability::deskcheck
