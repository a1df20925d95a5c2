#pragma once

#include "data/InUseMarker.h"
#include "data/ServerMarker.h"

#include <QString>
#include <memory>

struct MainWindowState;

// The main window's side of the in-use marker kelvora.dat: taking it while
// the cash or codes page is in use, giving it back on the reports page and at
// the end, the test before every changing operation, and the window title
// that names another holder. `OwnsMarker` lives in the shared window state.
// A marker this process holds is also given back when the process ends
// through exit() without the window's stop (the display going away). A book
// on a database server has no marker file: the right is then the server
// session's own (ServerMarker), read and taken through the same steps.
class MarkerHolder
{
public:
    MarkerHolder(const QString &dataPath, MainWindowState &state);

    // Takes the marker when it is free (or missing: it is then made), in
    // this workstation's names.
    void takeIfFree();
    // The same at the start of the main window. When no other copy of the
    // program runs for this user on this computer (onlyCopyHere: this process
    // holds the single-instance lock), a marker that names this user and
    // computer was left by a copy that did not end in order: it is taken over
    // and the user is told so, once.
    void takeAtStart(bool onlyCopyHere);
    // Gives the marker back only when this instance holds it. When the file
    // cannot be written this instance still holds it (the file says so) and
    // the user is told; false then.
    bool releaseIfOwned();

    // True when a changing operation may run: this instance holds the marker
    // or nobody does (a marker removed meanwhile is made and taken). Otherwise
    // tells the user who holds it, or that the marker file cannot be read or
    // reached.
    bool allowsChange();

    // "Kelvora", or "Kelvora  -  " and the holder when another one holds it,
    // or what is wrong with the marker file.
    QString title() const;

    static QString titleFor(const InUseMarker::Record &record, bool ownsMarker);

private:
    void take(bool ownStaleToo);
    bool heldByAnother(const InUseMarker::Record &record) const;
    // The server's marker of a server book, made once the book is open; null for a data folder.
    ServerMarker *serverMarker() const;
    InUseMarker::Record readMarker() const;

    InUseMarker m_marker;
    bool m_onServer = false;
    mutable std::unique_ptr<ServerMarker> m_serverMarker;
    MainWindowState &m_state;
};
