#pragma once

#include "BookModel.h"
#include "DeskRuns.h"

#include <QHash>
#include <QSet>

// The book after a desk run against what every workstation said it did.
namespace reliability::deskcheck {

enum class End { Done, InFlight, Failed };

struct Op
{
    LoggedOperation log;
    End end = End::Failed;
    bool refused = false; // by the right's test
};

// The operation number in a name a worker gave (OP<n> a movement, ΚΩΔ<n> a
// code, ΟΜ<n> a group), 0 in any other.
qint64 numberIn(const QString &text);

// The first operation number above every one a run before left in the book,
// so each run's numbers are its own.
qint64 firstFreeNumber(const BookState &book);

// Checks the book against every operation: what was reported done is there,
// what was refused or failed is not, and what a kill or the server's stop cut
// short is whole or absent. Counts lost and phantom operations and the cut
// ones found whole, and adds a line per fault to `fig`.
void checkBook(const BookState &before, const BookState &after, const QHash<qint64, Op> &ops, qint64 firstNumber,
               const QList<qint64> &cutByKill, const QList<qint64> &cutByStop, DeskFigures &fig);

} // namespace reliability::deskcheck
