#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace db {
class Database;
}

// Walks kelvora.mdb forward to the current schema version, one step at a time:
//  (empty) -> 1: the version row is added;
//  1 -> 2: movements get the memo amount L_tajeos, 0 for all existing rows;
//  2 -> 3: the opening balance asked from the user becomes the balance at the
//          end of the given day, kept in that day's row (tameio.arxiko) so that
//          the chain carries it; later days move with it;
//  3 -> 4: the change log table allages;
//  4 -> 5: tameio.arxiko for files that passed version 3 without it;
//  5 -> 6: the words of every description (kinhseis_lejeis) and the indexes
//          of the amounts and the cheque flag, for the search of movements.
// Each step is one transaction. A failing step ends the upgrade for this start
// and leaves the version where it was, so the step is tried again next start.
namespace schemaupgrade {

struct OpeningBalance
{
    QString dateText;   // as typed, "DD-MM-YYYY"
    QString amountText; // as typed, decimal comma
};

// Asks the user; no value when the dialog was closed without confirming.
using AskOpeningBalance = std::function<std::optional<OpeningBalance>()>;

// 0 when the version table is empty or its version is NULL or 0.
int currentVersion(db::Database &db);

// Returns the version reached. A walk that reaches the current version also
// makes the read indexes that are missing (schema::createReadIndexes).
int UpgradeSchema(db::Database &db, const AskOpeningBalance &ask);

} // namespace schemaupgrade
