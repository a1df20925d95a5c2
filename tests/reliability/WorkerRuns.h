#pragma once

#include <QString>
#include <QStringList>

// The parent side of the worker runs: starting kelvora-bookworker processes on
// a book, killing them or letting their time run out, and checking the book
// against what they said they did.
namespace reliability {

// Creates a generated book of about a year in an empty folder.
void generateWorkBook(const QString &folder);

struct CrashFigures
{
    int kills = 0;
    int consistent = 0;
    int committed = 0;        // operations reported done before a kill
    int inFlightWhole = 0;    // the operation cut by the kill was there whole
    int inFlightAbsent = 0;   // ... or not at all
    QStringList faults;       // one line per inconsistent book
};

// Starts a worker that changes the book for ever, kills it with SIGKILL at a
// random moment, checks the book, and again, `kills` times.
CrashFigures runCrashRounds(const QString &workerPath, const QString &folder, int kills, quint32 seed);

struct TwoWorkstationFigures
{
    int writes = 0;           // operations reported done by either workstation
    int lost = 0;             // done, but not in the book
    int phantom = 0;          // reported failed, but in the book
    int corrupt = 0;          // consistency faults of the book at the end
    int refusedTold = 0;      // failed with a message to the user
    int busyTold = 0;         // ... of which the file was locked too long
    int silentFailures = 0;   // failed without telling the user
    QStringList faults;
};

// Two workstations on one folder for `seconds`: a cashier who holds the marker
// and books movements and closes days, and an office that renames codes and
// groups. Each waits at most `busyMs` for the other's lock.
TwoWorkstationFigures runTwoWorkstations(const QString &workerPath, const QString &folder, int seconds, int busyMs,
                                         quint32 seed);

} // namespace reliability
