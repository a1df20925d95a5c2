#include "WorkerSteps.h"

#include "BookModel.h"

#include "cashbook/codes/CodeOperations.h"
#include "cashbook/codes/CodeQueries.h"
#include "groups/GroupOperations.h"
#include "platform/db/Database.h"
#include "platform/regional/GreekFormats.h"

#include <chrono>
#include <unistd.h>

namespace reliability {

void say(const QString &line)
{
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(1, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

qint64 monotonicMicros()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

WorkerSteps::WorkerSteps(Store &store, quint32 seed) : m_store(store), m_random(seed)
{
    const auto day = [this](const char *sql) {
        return QDate::fromString(main().scalar(QString::fromLatin1(sql)).toString(), Qt::ISODate);
    };
    m_firstDay = day("SELECT min(hmeromhnia) FROM tameio");
    m_lastDay = day("SELECT max(hmeromhnia) FROM tameio");
    if (!m_lastDay.isValid())
        m_firstDay = m_lastDay = QDate(2026, 3, 1);
}

QDate WorkerSteps::someDay()
{
    if (m_earlyDays && pick(1, 100) <= 30)
        return m_firstDay.addDays(pick(0, 30));
    return m_lastDay.addDays(pick(-20, 10));
}

std::optional<qint64> WorkerSteps::someMovement()
{
    const QVariant aa = main().scalar(QStringLiteral("SELECT aa FROM kinhseis ORDER BY random() LIMIT 1"));
    return aa.isValid() ? std::optional<qint64>(aa.toLongLong()) : std::nullopt;
}

cashbook::MovementEntry WorkerSteps::entry(const QDate &day, qint64 id, qint64 &income, qint64 &expense)
{
    db::Statement st = main().prepare(
        QStringLiteral("SELECT kvdikos, esodo FROM kvdikoi WHERE energos <> 0 ORDER BY random() LIMIT 1"));
    cashbook::MovementEntry e;
    if (!st.next())
        return e;
    const Money amount = Money::fromCents(pick(1, 2000000));
    income = st.flag(1) ? amount.units() : 0;
    expense = st.flag(1) ? 0 : amount.units();
    e.dateText = regional::formatDate(day);
    e.code = int(st.integer(0));
    e.description = descriptionOf(id);
    e.incomeText = st.flag(1) ? regional::formatMoney(amount) : QString();
    e.expenseText = st.flag(1) ? QString() : regional::formatMoney(amount);
    e.memoText = QStringLiteral("0");
    return e;
}

Step WorkerSteps::insert(qint64 id)
{
    const QDate day = someDay();
    qint64 income = 0, expense = 0;
    const cashbook::MovementEntry e = entry(day, id, income, expense);
    return {QStringLiteral("ins %1 %2 %3 %4").arg(day.toString(Qt::ISODate)).arg(e.code).arg(income).arg(expense),
            [this, e] { return m_ops.InsertFromButton(e, false); }, 0};
}

Step WorkerSteps::change(qint64 id)
{
    const auto aa = someMovement();
    if (!aa)
        return {};
    qint64 income = 0, expense = 0;
    const cashbook::MovementEntry e = entry(QDate(), id, income, expense);
    return {QStringLiteral("chg %1 %2 %3").arg(*aa).arg(income).arg(expense),
            [this, aa = *aa, e] { return m_ops.ChangeMovement(aa, e) ? std::optional<qint64>(0) : std::nullopt; }, 2};
}

Step WorkerSteps::remove(qint64)
{
    const auto aa = someMovement();
    if (!aa)
        return {};
    return {QStringLiteral("del %1").arg(*aa),
            [this, aa = *aa] { return m_ops.DeleteMovement(aa) ? std::optional<qint64>(0) : std::nullopt; }, 3};
}

Step WorkerSteps::close(qint64)
{
    const QDate day = someDay();
    return {QStringLiteral("close %1").arg(day.toString(Qt::ISODate)),
            [this, day] {
                return m_ops.CloseCash(regional::formatDate(day)) ? std::optional<qint64>(0) : std::nullopt;
            },
            8};
}

Step WorkerSteps::recode(qint64 id)
{
    const QVariant row = main().scalar(QStringLiteral("SELECT id FROM kvdikoi ORDER BY random() LIMIT 1"));
    const auto code = row.isValid() ? codes::codeById(main(), row.toLongLong()) : std::nullopt;
    if (!code)
        return {};
    const QString description = QStringLiteral("ΚΩΔ%1").arg(id);
    const codes::CodeInput input{QString::number(code->kvdikos), description, code->omada.trimmed(),
                                 code->aa_omadas, code->esodo, code->energos};
    return {QStringLiteral("code %1 %2").arg(code->id).arg(description),
            [this, id = code->id, input] {
                return codes::changeCode(main(), id, input) ? std::optional<qint64>(0) : std::nullopt;
            },
            6};
}

// A new code needs no right to change data (the window does not test for it).
Step WorkerSteps::newCode(qint64 id)
{
    const int number = pick(1000, 99999);
    const QString description = QStringLiteral("ΚΩΔ%1").arg(id);
    const codes::CodeInput input{QString::number(number), description, QString(), 0, pick(0, 1) == 1, true};
    return {QStringLiteral("newcode %1 %2").arg(number).arg(description),
            [this, input]() -> std::optional<qint64> {
                const auto saved = codes::insertCode(main(), input);
                return saved ? std::optional<qint64>(saved->id) : std::nullopt;
            },
            5};
}

Step WorkerSteps::regroup(qint64 id)
{
    const QVariant aa = main().scalar(QStringLiteral("SELECT aa FROM omades ORDER BY random() LIMIT 1"));
    if (!aa.isValid())
        return {};
    const QString name = QStringLiteral("ΟΜ%1").arg(id);
    return {QStringLiteral("group %1 %2").arg(aa.toLongLong()).arg(name),
            [this, aa = aa.toLongLong(), name] {
                return groups::renameGroup(main(), aa, name) ? std::optional<qint64>(0) : std::nullopt;
            },
            10};
}

} // namespace reliability
