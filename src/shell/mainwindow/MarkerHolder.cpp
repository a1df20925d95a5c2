#include "MarkerHolder.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "data/Store.h"
#include "data/StoreFailure.h"
#include "platform/desktop/Messages.h"
#include "shell/contracts/MainWindowState.h"

#include <QFileInfo>

MarkerHolder::MarkerHolder(const QString &dataPath, MainWindowState &state)
    : m_marker(datafolder::marker(dataPath)), m_state(state)
{
}

void MarkerHolder::takeIfFree()
{
    // A workstation whose book was opened for reading only (it is damaged)
    // changes nothing, so it must not keep others from changing theirs.
    if (m_state.store && !m_state.store->damagedFiles().isEmpty())
        return;
    if (m_marker.tryTake(globals().NetUserName, globals().MachineName) == InUseMarker::TakeResult::Taken)
        m_state.OwnsMarker = true;
}

bool MarkerHolder::releaseIfOwned()
{
    if (!m_state.OwnsMarker)
        return true;
    if (!m_marker.release(globals().NetUserName, globals().MachineName)) {
        msg::critical(QStringLiteral("Προσοχή"),
                      QStringLiteral("Η βάση δεν ξεκλείδωσε: το αρχείο κλειδώματος δεν γράφτηκε.\n") + m_marker.path()
                          + QStringLiteral("\nΗ βάση μένει κλειδωμένη από αυτόν τον σταθμό εργασίας."));
        return false;
    }
    m_state.OwnsMarker = false;
    return true;
}

bool MarkerHolder::heldByAnother(const InUseMarker::Record &record) const
{
    return !m_state.OwnsMarker && record.isTaken();
}

bool MarkerHolder::allowsChange() const
{
    // A data folder gone while the program runs (a share dropped, a folder
    // moved) refuses every change, owned marker or not, until it is back.
    if (!storefailure::checkDataFolder(QFileInfo(m_marker.path()).path()))
        return false;
    const InUseMarker::Record record = m_marker.read();
    if (m_state.OwnsMarker || record.isFree())
        return true;
    msg::information(QStringLiteral("Αδύνατη η πρόσβαση"), heldByAnother(record)
                                                                ? InUseMarker::holderText(record)
                                                                : InUseMarker::problemText(record));
    return false;
}

QString MarkerHolder::title() const
{
    return titleFor(m_marker.read(), m_state.OwnsMarker);
}

QString MarkerHolder::titleFor(const InUseMarker::Record &record, bool ownsMarker)
{
    if (!ownsMarker && record.isTaken())
        return QStringLiteral("Kelvora  -  ") + InUseMarker::holderText(record);
    if (!record.isUsable())
        return QStringLiteral("Kelvora  -  ") + InUseMarker::problemTitle(record);
    return QStringLiteral("Kelvora");
}
