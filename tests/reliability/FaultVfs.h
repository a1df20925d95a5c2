#pragma once

// A storage layer under the database engine that fails on purpose: it sits
// over the engine's default file layer, counts every write, sync and lock
// upgrade of every database and journal file, and can make the Nth of one
// kind fail, the way a full disk, a dying disk or a stalled share does.
namespace faultvfs {

enum class Kind { Write, Sync, Lock, DiskFull };

struct Counts
{
    int writes = 0;
    int syncs = 0;
    int locks = 0;

    int of(Kind kind) const;
};

// Makes the shim the engine's default file layer (once per process). Only
// files opened afterwards pass through it.
void install();

// From now on, the nth (1-based) call of that kind fails; one failure only.
void arm(Kind kind, int nth);
// No failures; counting goes on.
void disarm();
// True when the armed failure has happened.
bool fired();

void resetCounts();
Counts counts();

const char *name(Kind kind);

} // namespace faultvfs
