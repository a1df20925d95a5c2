#include "DeskWorker.h"

#include "WorkerSteps.h"

#include "data/AppGlobals.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/db/DbError.h"
#include "platform/desktop/Messages.h"
#include "shell/contracts/MainWindowState.h"
#include "shell/mainwindow/MainWindowRules.h"
#include "shell/mainwindow/MarkerHolder.h"

namespace reliability {

QString deskUser(int desk)
{
    return QStringLiteral("ΤΑΜΙΑΣ%1").arg(desk);
}

QString deskComputer(int desk)
{
    return QStringLiteral("ΤΑΜΕΙΟ-%1").arg(desk);
}

namespace {

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
}

class Desk
{
public:
    Desk(Store &store, quint32 seed, qint64 firstId)
        : m_steps(store, seed), m_id(firstId), m_marker(store.dataPath(), m_state)
    {
        m_state.store = &store;
        m_steps.reachEarlyDays();
        // A user who answers yes to every question; what the screen showed is kept.
        m_previous = msg::install([this](const msg::Box &box) {
            if (box.buttons == msg::Buttons::Ok)
                m_told << box;
            return box.buttons == msg::Buttons::YesNo ? msg::Answer::Yes : msg::Answer::Ok;
        });
    }
    ~Desk() { msg::install(m_previous); }

    // The main window's start takes the right when it is free.
    void start() { take([this] { m_marker.takeAtStart(false); }); }
    // The cash tab takes it when free, the reports tab gives it back.
    void cashTab() { take([this] { m_marker.takeIfFree(); }); }
    void reportsTab()
    {
        if (!m_state.OwnsMarker)
            return;
        say(QStringLiteral("M %1 0").arg(monotonicMicros()));
        m_marker.releaseIfOwned();
        say(QStringLiteral("U %1").arg(monotonicMicros()));
    }

    // False when the connection to the book is lost: the user starts again.
    bool press(Step (WorkerSteps::*make)(qint64))
    {
        const qint64 id = m_id++;
        Step step;
        try {
            step = (m_steps.*make)(id);
        } catch (const db::DbError &e) {
            return e.kind() != db::DbError::Kind::Unreachable; // reading what to do failed: nothing begun
        }
        if (step.begin.isEmpty())
            return true;
        say(QStringLiteral("B %1 %2").arg(id).arg(step.begin));
        m_told.clear();
        // Command1_Click: the marker test of a changing operation, then the
        // operation, whose failure is shown in a box and leaves the window working.
        const qint64 before = monotonicMicros();
        if (mainwindow::needsMarkerTest(step.element) && !m_marker.allowsChange()) {
            say(QStringLiteral("T %1 %2 %3").arg(id).arg(before).arg(monotonicMicros()));
            failed(id);
            return true;
        }
        bool lost = false;
        try {
            if (const std::optional<qint64> done = step.perform()) {
                say(QStringLiteral("C %1 %2").arg(id).arg(*done));
                return true;
            }
        } catch (const db::DbError &e) {
            storefailure::reportNotDone(e);
            lost = e.kind() == db::DbError::Kind::Unreachable;
        } catch (const std::exception &e) {
            storefailure::reportNotDone(e);
        }
        failed(id);
        return !lost;
    }

    int pick(int lo, int hi) { return m_steps.pick(lo, hi); }

private:
    template <typename Take> void take(Take takeIt)
    {
        if (m_state.OwnsMarker)
            return;
        say(QStringLiteral("W %1").arg(monotonicMicros()));
        takeIt();
        if (m_state.OwnsMarker)
            say(QStringLiteral("M %1 1").arg(monotonicMicros()));
    }

    void failed(qint64 id)
    {
        const msg::Box box = m_told.isEmpty() ? msg::Box() : m_told.last();
        say(QStringLiteral("F %1 %2 %3: %4").arg(id).arg(m_told.isEmpty() ? 0 : 1).arg(box.title, oneLine(box.text)));
    }

    WorkerSteps m_steps;
    qint64 m_id;
    MainWindowState m_state;
    MarkerHolder m_marker;
    msg::Presenter m_previous;
    QList<msg::Box> m_told;
};

} // namespace

int runDesk(Store &store, int operations, quint32 seed, qint64 firstId, int desk)
{
    globals().NetUserName = deskUser(desk);
    globals().MachineName = deskComputer(desk);
    try {
        Desk d(store, seed, firstId);
        d.start();
        say(QStringLiteral("R"));
        for (int i = 0; i < operations; ++i) {
            const int p = d.pick(1, 100);
            bool working = true;
            if (p <= 9)
                d.reportsTab();
            else if (p <= 15)
                d.cashTab();
            else if (p <= 50)
                working = d.press(&WorkerSteps::insert);
            else if (p <= 64)
                working = d.press(&WorkerSteps::change);
            else if (p <= 76)
                working = d.press(&WorkerSteps::remove);
            else if (p <= 85)
                working = d.press(&WorkerSteps::close);
            else if (p <= 89)
                working = d.press(&WorkerSteps::recode);
            else if (p <= 94)
                working = d.press(&WorkerSteps::newCode);
            else
                working = d.press(&WorkerSteps::regroup);
            if (!working)
                throw db::DbError(db::DbError::Kind::Unreachable, QStringLiteral("lost in an operation"));
        }
        // The stop sequence gives the right back.
        d.reportsTab();
    } catch (const db::DbError &e) {
        // The server or the network went away: the user starts the program again.
        if (e.kind() != db::DbError::Kind::Unreachable)
            throw;
        say(QStringLiteral("X the connection to the book was lost"));
        return 3;
    }
    say(QStringLiteral("E"));
    return 0;
}

} // namespace reliability
