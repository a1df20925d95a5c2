#pragma once

#include "data/InUseMarker.h"

#include <QString>

struct MainWindowState;

// The main window's side of the in-use marker kelvora.dat: taking it while
// the cash or codes page is in use, giving it back on the reports page and at
// the end, the test before every changing operation, and the window title
// that names another holder. `OwnsMarker` lives in the shared window state.
class MarkerHolder
{
public:
    MarkerHolder(const QString &dataPath, MainWindowState &state);

    // Takes the marker when it is free, in this workstation's names.
    void takeIfFree();
    // Gives the marker back only when this instance holds it. When the file
    // cannot be written this instance still holds it (the file says so) and
    // the user is told; false then.
    bool releaseIfOwned();

    // True when a changing operation may run: this instance holds the marker
    // or nobody does. Otherwise tells the user who holds it, or that the
    // marker file cannot be read or reached.
    bool allowsChange() const;

    // "Kelvora", or "Kelvora  -  " and the holder when another one holds it,
    // or what is wrong with the marker file.
    QString title() const;

    static QString titleFor(const InUseMarker::Record &record, bool ownsMarker);

private:
    bool heldByAnother(const InUseMarker::Record &record) const;

    InUseMarker m_marker;
    MainWindowState &m_state;
};
