// kelvora-bookworker: one workstation working on a book until it is killed or
// its time is up, writing what it does to standard output (see BookModel.h).
//
//   crash   <folder> <seed> <first id>                 every kind of change, for ever
//   cashier <folder> <seconds> <seed> <first id> <busy ms>  takes the marker, books and closes days
//   office  <folder> <seconds> <seed> <first id> <busy ms>  renames codes and groups
#include "AgreeingMessages.h"
#include "BookModel.h"

#include "cashbook/CashOperations.h"
#include "cashbook/codes/CodeOperations.h"
#include "cashbook/codes/CodeQueries.h"
#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/InUseMarker.h"
#include "data/Store.h"
#include "groups/GroupOperations.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/regional/GreekFormats.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <unistd.h>

namespace {

using reliability::descriptionOf;

// Unbuffered, so a kill loses nothing the worker said.
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

class Worker
{
public:
    Worker(Store &store, quint32 seed, qint64 firstId) : m_store(store), m_random(seed), m_id(firstId)
    {
        m_lastDay = QDate::fromString(
            main().scalar(QStringLiteral("SELECT max(hmeromhnia) FROM tameio")).toString(), Qt::ISODate);
        if (!m_lastDay.isValid())
            m_lastDay = QDate(2026, 3, 1);
    }

    void insertMovement() { run([this](qint64 id) { return insert(id); }); }
    void changeMovement() { run([this](qint64 id) { return change(id); }); }
    void deleteMovement() { run([this](qint64 id) { return remove(id); }); }
    void closeDay() { run([this](qint64 id) { return close(id); }); }
    void renameCode() { run([this](qint64 id) { return recode(id); }); }
    void renameGroup() { run([this](qint64 id) { return regroup(id); }); }

    int pick(int lo, int hi) { return int(m_random.bounded(lo, hi + 1)); }

private:
    struct Step
    {
        QString begin;                                  // empty: nothing to do
        std::function<std::optional<qint64>()> perform; // value: done (with a new number or 0)
    };

    db::Database &main() { return m_store.main(); }

    template <typename Make> void run(Make make)
    {
        const qint64 id = m_id++;
        Step step;
        try {
            step = make(id);
            if (step.begin.isEmpty())
                return;
            say(QStringLiteral("B %1 %2").arg(id).arg(step.begin));
            m_messages.clear();
            const std::optional<qint64> done = step.perform();
            if (done)
                say(QStringLiteral("C %1 %2").arg(id).arg(*done));
            else
                fail(id, m_messages.failureShown(), m_messages.lastText());
        } catch (const db::DbError &e) {
            // Thrown store errors are what the windows show in a box.
            if (!step.begin.isEmpty())
                fail(id, true, e.message());
        }
    }

    static void fail(qint64 id, bool told, QString text)
    {
        say(QStringLiteral("F %1 %2 %3").arg(id).arg(told ? 1 : 0).arg(text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '))));
    }

    QDate someDay() { return m_lastDay.addDays(pick(-20, 10)); }

    std::optional<qint64> someMovement()
    {
        const QVariant aa = main().scalar(QStringLiteral("SELECT aa FROM kinhseis ORDER BY random() LIMIT 1"));
        return aa.isValid() ? std::optional<qint64>(aa.toLongLong()) : std::nullopt;
    }

    cashbook::MovementEntry entry(const QDate &day, qint64 id, qint64 &income, qint64 &expense)
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

    Step insert(qint64 id)
    {
        const QDate day = someDay();
        qint64 income = 0, expense = 0;
        const cashbook::MovementEntry e = entry(day, id, income, expense);
        return {QStringLiteral("ins %1 %2 %3 %4").arg(day.toString(Qt::ISODate)).arg(e.code).arg(income).arg(expense),
                [this, e] { return m_ops.InsertMovement(e); }};
    }

    Step change(qint64 id)
    {
        const auto aa = someMovement();
        if (!aa)
            return {};
        qint64 income = 0, expense = 0;
        const cashbook::MovementEntry e = entry(QDate(), id, income, expense);
        return {QStringLiteral("chg %1 %2 %3").arg(*aa).arg(income).arg(expense), [this, aa = *aa, e] {
                    return m_ops.ChangeMovement(aa, e) ? std::optional<qint64>(0) : std::nullopt;
                }};
    }

    Step remove(qint64)
    {
        const auto aa = someMovement();
        if (!aa)
            return {};
        return {QStringLiteral("del %1").arg(*aa),
                [this, aa = *aa] { return m_ops.DeleteMovement(aa) ? std::optional<qint64>(0) : std::nullopt; }};
    }

    Step close(qint64)
    {
        const QDate day = someDay();
        return {QStringLiteral("close %1").arg(day.toString(Qt::ISODate)), [this, day] {
                    return m_ops.CloseCash(regional::formatDate(day)) ? std::optional<qint64>(0) : std::nullopt;
                }};
    }

    Step recode(qint64 id)
    {
        const QVariant row = main().scalar(QStringLiteral("SELECT id FROM kvdikoi ORDER BY random() LIMIT 1"));
        const auto code = row.isValid() ? codes::codeById(main(), row.toLongLong()) : std::nullopt;
        if (!code)
            return {};
        const QString description = QStringLiteral("ΚΩΔ%1").arg(id);
        const codes::CodeInput input{QString::number(code->kvdikos), description, code->omada.trimmed(),
                                     code->aa_omadas, code->esodo, code->energos};
        return {QStringLiteral("code %1 %2").arg(code->id).arg(description), [this, id = code->id, input] {
                    return codes::changeCode(main(), id, input) ? std::optional<qint64>(0) : std::nullopt;
                }};
    }

    Step regroup(qint64 id)
    {
        const QVariant aa = main().scalar(QStringLiteral("SELECT aa FROM omades ORDER BY random() LIMIT 1"));
        if (!aa.isValid())
            return {};
        const QString name = QStringLiteral("ΟΜ%1").arg(id);
        return {QStringLiteral("group %1 %2").arg(aa.toLongLong()).arg(name), [this, aa = aa.toLongLong(), name] {
                    return groups::renameGroup(main(), aa, name) ? std::optional<qint64>(0) : std::nullopt;
                }};
    }

    Store &m_store;
    QRandomGenerator m_random;
    qint64 m_id;
    QDate m_lastDay;
    AgreeingMessages m_messages;
    cashbook::CashBook m_book{m_store};
    cashbook::CashOperations m_ops{m_book};
};

int crash(Worker &w)
{
    say(QStringLiteral("R"));
    for (;;) {
        const int p = w.pick(1, 100);
        if (p <= 45)
            w.insertMovement();
        else if (p <= 65)
            w.changeMovement();
        else if (p <= 80)
            w.deleteMovement();
        else if (p <= 88)
            w.closeDay();
        else if (p <= 95)
            w.renameCode();
        else
            w.renameGroup();
    }
}

int timed(Worker &w, bool cashier, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < qint64(seconds) * 1000) {
        if (cashier)
            w.pick(1, 100) <= 90 ? w.insertMovement() : w.closeDay();
        else
            w.pick(1, 100) <= 70 ? w.renameCode() : w.renameGroup();
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 5) {
        std::fprintf(stderr, "usage: %s crash|cashier|office <folder> ...\n", argv[0]);
        return 2;
    }
    if (!qEnvironmentVariableIsEmpty("KELVORA_TEST_FAST_KDF"))
        db::Database::setKdfIterations(64);
    globals().RightChangeRecords = true;
    globals().RightCloseCash = true;
    globals().RightGroupsCodes = true;
    const QString mode = a[1], folder = a[2];
    try {
        Store store(folder, globals().DbPassword);
        if (mode == QLatin1String("crash")) {
            Worker w(store, a[3].toUInt(), a[4].toLongLong());
            return crash(w);
        }
        const int busyMs = a.value(6).toInt();
        store.main().setBusyTimeout(busyMs);
        store.users().setBusyTimeout(busyMs);
        Worker w(store, a[4].toUInt(), a[5].toLongLong());
        const bool cashier = mode == QLatin1String("cashier");
        InUseMarker marker(datafolder::marker(folder));
        if (cashier && marker.tryTake(QStringLiteral("ΤΑΜΙΑΣ"), QStringLiteral("ΤΑΜΕΙΟ-1")) != InUseMarker::TakeResult::Taken)
            say(QStringLiteral("X the marker was not free"));
        const int rc = timed(w, cashier, a[3].toInt());
        if (cashier)
            marker.release(QStringLiteral("ΤΑΜΙΑΣ"), QStringLiteral("ΤΑΜΕΙΟ-1"));
        return rc;
    } catch (const std::exception &e) {
        say(QStringLiteral("X ") + QString::fromUtf8(e.what()));
        return 1;
    }
}
