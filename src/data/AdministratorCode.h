#pragma once

#include <QString>

namespace db {
class Database;
}

// The code of the hidden administrator entry, one per installation, kept
// hashed in `diaxeirisths` of mapcodes.mdb. Files from before have none; until
// one is set the old fixed code is accepted, and the administrator is warned.
// A users file made by this program is marked so (its application id) and
// never accepts the fixed code, with or without a code of its own.
namespace admincode {

// The application id of a users file made by this program ("KLVR").
constexpr int MadeHereMark = 0x4B4C5652;

// True for a users file made by this program.
bool madeHere(db::Database &users);

// The code accepted while an installation has none of its own.
QString fixedCode();

// Shortest code accepted when one is set.
constexpr int MinimumLength = 6;

bool isSet(db::Database &users);
// True when the fixed code still opens the administrator entry: a file from
// before with no code of its own.
bool acceptsFixedCode(db::Database &users);

// Compared exactly as typed (no case folding): blanks and case count. The
// fixed code only for a file from before without a code of its own.
bool accepts(db::Database &users, const QString &typed);

// After an accepted entry: a stored hash made with fewer iterations than new
// hashes get is made again from the typed code (unless another workstation
// replaced it meanwhile). True when it was. Throws db::DbError.
bool rehashIfBelowCost(db::Database &users, const QString &typed);

// Replaces the installation's code, in one transaction. Throws db::DbError.
void set(db::Database &users, const QString &code);

// Why a new code cannot be taken (empty text: it can).
QString refusal(const QString &code, const QString &repeated);

} // namespace admincode
