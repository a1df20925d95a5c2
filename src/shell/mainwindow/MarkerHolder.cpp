#include "MarkerHolder.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/ServerBook.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/desktop/Messages.h"
#include "shell/contracts/MainWindowState.h"

#include <QFileInfo>

#include <cstdlib>

namespace {

// What the process gives back if it ends without the window's own stop: the
// display going away makes the toolkit call exit(), which runs no destructor
// of the window but does run the functions registered with atexit. Kept on
// the heap and never freed, so it outlives every static object.
struct HeldAtExit
{
    QString path, user, computer;
    bool held = false;
};

HeldAtExit &heldAtExit()
{
    static HeldAtExit *const held = [] {
        auto *h = new HeldAtExit;
        std::atexit([] {
            HeldAtExit &h = heldAtExit();
            if (h.held && InUseMarker(h.path).release(h.user, h.computer))
                h.held = false;
        });
        return h;
    }();
    return *held;
}

void noteHeld(const InUseMarker &marker, bool held)
{
    HeldAtExit &h = heldAtExit();
    h.path = marker.path();
    h.user = globals().NetUserName;
    h.computer = globals().MachineName;
    h.held = held;
}

} // namespace

MarkerHolder::MarkerHolder(const QString &dataPath, MainWindowState &state)
    : m_marker(serverbook::isConnection(dataPath) ? QString() : datafolder::marker(dataPath)),
      m_onServer(serverbook::isConnection(dataPath)), m_state(state)
{
}

ServerMarker *MarkerHolder::serverMarker() const
{
    if (m_onServer && !m_serverMarker && m_state.store)
        m_serverMarker = std::make_unique<ServerMarker>(m_state.store->main());
    return m_serverMarker.get();
}

InUseMarker::Record MarkerHolder::readMarker() const
{
    if (!m_onServer)
        return m_marker.read();
    if (ServerMarker *server = serverMarker())
        return server->read();
    return InUseMarker::Record(); // no book open yet: unreadable, so nothing changes
}

void MarkerHolder::takeIfFree()
{
    take(false);
}

void MarkerHolder::takeAtStart(bool onlyCopyHere)
{
    take(onlyCopyHere);
}

void MarkerHolder::take(bool ownStaleToo)
{
    // A workstation whose book was opened for reading only (it is damaged)
    // changes nothing, so it must not keep others from changing theirs.
    if (m_state.store && !m_state.store->damagedFiles().isEmpty())
        return;
    const QString &user = globals().NetUserName, &computer = globals().MachineName;
    if (m_onServer) {
        // The server frees the right of a session that ends, so there is no
        // stale hold of this workstation's to take over.
        ServerMarker *server = serverMarker();
        if (server && server->tryTake(user, computer) == InUseMarker::TakeResult::Taken)
            m_state.OwnsMarker = true;
        return;
    }
    const InUseMarker::TakeResult taken =
        ownStaleToo ? m_marker.takeOverOwn(user, computer) : m_marker.tryTake(user, computer);
    if (taken != InUseMarker::TakeResult::Taken && taken != InUseMarker::TakeResult::TakenOver)
        return;
    m_state.OwnsMarker = true;
    noteHeld(m_marker, true);
    if (taken == InUseMarker::TakeResult::TakenOver)
        msg::information(QStringLiteral("Κλείδωμα βάσης"),
                         QStringLiteral("Η βάση είχε μείνει κλειδωμένη από αυτόν τον σταθμό εργασίας (") + user
                             + QStringLiteral(" στον Η/Υ ") + computer
                             + QStringLiteral("), από προηγούμενη εκτέλεση του προγράμματος που δεν τερματίστηκε "
                                              "κανονικά.\nΚαμία άλλη εκτέλεση δεν τρέχει εδώ· το κλείδωμα "
                                              "αναλαμβάνεται ξανά από αυτή την εκτέλεση."));
}

bool MarkerHolder::releaseIfOwned()
{
    if (!m_state.OwnsMarker)
        return true;
    if (m_onServer) {
        ServerMarker *server = serverMarker();
        if (server && !server->release(globals().NetUserName, globals().MachineName)) {
            msg::critical(QStringLiteral("Προσοχή"),
                          QStringLiteral("Η βάση δεν ξεκλείδωσε στον διακομιστή.\n"
                                         "Η βάση μένει κλειδωμένη από αυτόν τον σταθμό εργασίας."));
            return false;
        }
        m_state.OwnsMarker = false;
        return true;
    }
    if (!m_marker.release(globals().NetUserName, globals().MachineName)) {
        msg::critical(QStringLiteral("Προσοχή"),
                      QStringLiteral("Η βάση δεν ξεκλείδωσε: το αρχείο κλειδώματος δεν γράφτηκε.\n") + m_marker.path()
                          + QStringLiteral("\nΗ βάση μένει κλειδωμένη από αυτόν τον σταθμό εργασίας."));
        return false;
    }
    m_state.OwnsMarker = false;
    noteHeld(m_marker, false);
    return true;
}

bool MarkerHolder::heldByAnother(const InUseMarker::Record &record) const
{
    return !m_state.OwnsMarker && record.isTaken();
}

bool MarkerHolder::allowsChange()
{
    // A data folder gone while the program runs (a share dropped, a folder
    // moved) refuses every change, owned marker or not, until it is back.
    if (!m_onServer && !storefailure::checkDataFolder(QFileInfo(m_marker.path()).path()))
        return false;
    InUseMarker::Record record = readMarker();
    if (!m_state.OwnsMarker && record.state == InUseMarker::Record::State::Missing) {
        // Removed while the program ran: made again, free, and taken.
        takeIfFree();
        record = readMarker();
    }
    if (m_state.OwnsMarker || record.isFree())
        return true;
    msg::information(QStringLiteral("Αδύνατη η πρόσβαση"), heldByAnother(record)
                                                                ? InUseMarker::holderText(record)
                                                                : InUseMarker::problemText(record));
    return false;
}

QString MarkerHolder::title() const
{
    return titleFor(readMarker(), m_state.OwnsMarker);
}

QString MarkerHolder::titleFor(const InUseMarker::Record &record, bool ownsMarker)
{
    if (!ownsMarker && record.isTaken())
        return QStringLiteral("Kelvora  -  ") + InUseMarker::holderText(record);
    if (!record.isUsable())
        return QStringLiteral("Kelvora  -  ") + InUseMarker::problemTitle(record);
    return QStringLiteral("Kelvora");
}
