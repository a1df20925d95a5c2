#include "MarkerHolder.h"

#include "data/AppGlobals.h"
#include "data/DataFolder.h"
#include "platform/desktop/Messages.h"
#include "shell/contracts/MainWindowState.h"

MarkerHolder::MarkerHolder(const QString &dataPath, MainWindowState &state)
    : m_marker(datafolder::marker(dataPath)), m_state(state)
{
}

void MarkerHolder::takeIfFree()
{
    if (m_marker.tryTake(globals().NetUserName, globals().MachineName))
        m_state.OwnsMarker = true;
}

void MarkerHolder::releaseIfOwned()
{
    if (!m_state.OwnsMarker)
        return;
    m_marker.release(globals().NetUserName, globals().MachineName);
    m_state.OwnsMarker = false;
}

bool MarkerHolder::heldByAnother(const InUseMarker::Record &record) const
{
    return !m_state.OwnsMarker && record.isTaken();
}

bool MarkerHolder::allowsChange() const
{
    const InUseMarker::Record record = m_marker.read();
    if (!heldByAnother(record))
        return true;
    msg::information(QStringLiteral("Αδύνατη η πρόσβαση"), InUseMarker::holderText(record));
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
    return QStringLiteral("Kelvora");
}
