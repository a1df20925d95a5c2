#pragma once

#include <QString>
#include <QStringList>

// Several workstations (kelvora-bookworker desk processes) on one book kept on
// a database server, some of them killed with SIGKILL in the middle of their
// writes and started again, and the book checked afterwards against what each
// of them said it did.
namespace reliability {

// A generated book of about a year, copied onto a new database of the test
// server (through a scratch folder, removed again); returns its connection.
QString makeServerWorkBook();

struct DeskRunSetup
{
    int desks = 2;
    int operationsPerDesk = 100; // a killed desk starts again with half as many
    int kills = 2;
    quint32 seed = 1;
    // The server stops at once (as on a crash of its machine) while the
    // holder of the right writes, and starts again; the workstations that
    // lost it are started again too.
    bool stopServer = false;
};

struct DeskFigures
{
    int processes = 0;       // workstations started, the restarts after a kill included
    int operations = 0;      // begun
    int done = 0;            // reported done
    int refusals = 0;        // refused by the right's test, each with the box checked
    int otherFailures = 0;   // failed with a box (a movement changed meanwhile, a wait too long...)
    int silentFailures = 0;  // failed without a box
    int takes = 0;           // times a workstation took the right
    int kills = 0;
    int killedInFlight = 0;  // kills that cut an operation begun and not ended
    int inFlightWhole = 0;   // ... whose work is in the book whole
    int holdersKilled = 0;   // kills of the workstation that held the right
    int retakenAfterKill = 0; // ... after which another workstation took it
    int serverStops = 0;
    int cutByStop = 0;       // operations begun when the server stopped (told, or never ended)
    int cutByStopWhole = 0;  // ... whose work is in the book whole
    int lost = 0;            // reported done, not in the book
    int phantom = 0;         // not reported done (refused, failed), in the book
    int brokenChains = 0;    // days whose balance is not the previous one's + income - expense
    bool freeAtEnd = false;  // the right free once every workstation is gone
    double seconds = 0;
    QStringList faults;      // every fault found, one line each
    QStringList notes;       // what is worth a look without being a fault
};

DeskFigures runDesksOnServer(const QString &workerPath, const QString &connection, const DeskRunSetup &setup);

} // namespace reliability
