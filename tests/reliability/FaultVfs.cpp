#include "FaultVfs.h"

#include <cstring>
#include <sqlcipher/sqlite3.h>

namespace faultvfs {
namespace {

sqlite3_vfs *g_real = nullptr;
sqlite3_vfs g_vfs;

Counts g_counts;
Kind g_armedKind = Kind::Write;
int g_armedAt = 0; // 0: nothing armed
bool g_fired = false;

// A file of the shim: our header, followed by the real layer's file.
struct FaultFile
{
    sqlite3_file base;
    sqlite3_file *real;
};

sqlite3_file *realOf(sqlite3_file *f)
{
    return reinterpret_cast<FaultFile *>(f)->real;
}

// Counts one call of a kind; true when this one is to fail.
bool shouldFail(Kind kind, int &counter)
{
    ++counter;
    const bool armedHere = g_armedAt > 0 && !g_fired
        && (g_armedKind == kind || (kind == Kind::Write && g_armedKind == Kind::DiskFull));
    if (armedHere && counter == g_armedAt) {
        g_fired = true;
        return true;
    }
    return false;
}

int xClose(sqlite3_file *f)
{
    sqlite3_file *r = realOf(f);
    return r->pMethods ? r->pMethods->xClose(r) : SQLITE_OK;
}
int xRead(sqlite3_file *f, void *buf, int n, sqlite3_int64 off)
{
    return realOf(f)->pMethods->xRead(realOf(f), buf, n, off);
}
int xWrite(sqlite3_file *f, const void *buf, int n, sqlite3_int64 off)
{
    if (shouldFail(Kind::Write, g_counts.writes))
        return g_armedKind == Kind::DiskFull ? SQLITE_FULL : SQLITE_IOERR_WRITE;
    return realOf(f)->pMethods->xWrite(realOf(f), buf, n, off);
}
int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int xSync(sqlite3_file *f, int flags)
{
    if (shouldFail(Kind::Sync, g_counts.syncs))
        return SQLITE_IOERR_FSYNC;
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int xFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int xLock(sqlite3_file *f, int level)
{
    if (shouldFail(Kind::Lock, g_counts.locks))
        return SQLITE_IOERR_LOCK;
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int xUnlock(sqlite3_file *f, int level)
{
    return realOf(f)->pMethods->xUnlock(realOf(f), level);
}
int xCheckReservedLock(sqlite3_file *f, int *out)
{
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int xFileControl(sqlite3_file *f, int op, void *arg)
{
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}
int xSectorSize(sqlite3_file *f)
{
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int xDeviceCharacteristics(sqlite3_file *f)
{
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}

// Version 1: no shared memory and no memory mapping, which the rollback
// journal the program uses does not need.
const sqlite3_io_methods g_methods = {
    1,     xClose,     xRead,      xWrite,      xTruncate,         xSync, xFileSize, xLock, xUnlock,
    xCheckReservedLock, xFileControl, xSectorSize, xDeviceCharacteristics,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

int xOpen(sqlite3_vfs *, const char *name, sqlite3_file *f, int flags, int *outFlags)
{
    auto *ff = reinterpret_cast<FaultFile *>(f);
    ff->real = reinterpret_cast<sqlite3_file *>(ff + 1);
    ff->base.pMethods = nullptr;
    const int rc = g_real->xOpen(g_real, name, ff->real, flags, outFlags);
    if (ff->real->pMethods)
        ff->base.pMethods = &g_methods;
    return rc;
}

int xDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    return g_real->xDelete(g_real, name, syncDir);
}
int xAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return g_real->xAccess(g_real, name, flags, out);
}
int xFullPathname(sqlite3_vfs *, const char *name, int n, char *out)
{
    return g_real->xFullPathname(g_real, name, n, out);
}
void *xDlOpen(sqlite3_vfs *, const char *name)
{
    return g_real->xDlOpen(g_real, name);
}
void xDlError(sqlite3_vfs *, int n, char *msg)
{
    g_real->xDlError(g_real, n, msg);
}
void (*xDlSym(sqlite3_vfs *, void *h, const char *sym))(void)
{
    return g_real->xDlSym(g_real, h, sym);
}
void xDlClose(sqlite3_vfs *, void *h)
{
    g_real->xDlClose(g_real, h);
}
int xRandomness(sqlite3_vfs *, int n, char *out)
{
    return g_real->xRandomness(g_real, n, out);
}
int xSleep(sqlite3_vfs *, int us)
{
    return g_real->xSleep(g_real, us);
}
int xCurrentTime(sqlite3_vfs *, double *out)
{
    return g_real->xCurrentTime(g_real, out);
}
int xGetLastError(sqlite3_vfs *, int n, char *out)
{
    return g_real->xGetLastError(g_real, n, out);
}
int xCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return g_real->xCurrentTimeInt64(g_real, out);
}

} // namespace

int Counts::of(Kind kind) const
{
    switch (kind) {
    case Kind::Write:
    case Kind::DiskFull:
        return writes;
    case Kind::Sync:
        return syncs;
    case Kind::Lock:
        return locks;
    }
    return 0;
}

void install()
{
    if (g_real)
        return;
    sqlite3_initialize();
    g_real = sqlite3_vfs_find(nullptr);
    std::memset(&g_vfs, 0, sizeof g_vfs);
    g_vfs.iVersion = 2;
    g_vfs.szOsFile = int(sizeof(FaultFile)) + g_real->szOsFile;
    g_vfs.mxPathname = g_real->mxPathname;
    g_vfs.zName = "kelvora-faults";
    g_vfs.xOpen = xOpen;
    g_vfs.xDelete = xDelete;
    g_vfs.xAccess = xAccess;
    g_vfs.xFullPathname = xFullPathname;
    g_vfs.xDlOpen = xDlOpen;
    g_vfs.xDlError = xDlError;
    g_vfs.xDlSym = xDlSym;
    g_vfs.xDlClose = xDlClose;
    g_vfs.xRandomness = xRandomness;
    g_vfs.xSleep = xSleep;
    g_vfs.xCurrentTime = xCurrentTime;
    g_vfs.xGetLastError = xGetLastError;
    g_vfs.xCurrentTimeInt64 = xCurrentTimeInt64;
    sqlite3_vfs_register(&g_vfs, 1);
}

void arm(Kind kind, int nth)
{
    g_armedKind = kind;
    g_armedAt = nth;
    g_fired = false;
    resetCounts();
}

void disarm()
{
    g_armedAt = 0;
}

bool fired()
{
    return g_fired;
}

void resetCounts()
{
    g_counts = Counts{};
}

Counts counts()
{
    return g_counts;
}

const char *name(Kind kind)
{
    switch (kind) {
    case Kind::Write:
        return "write";
    case Kind::Sync:
        return "sync";
    case Kind::Lock:
        return "lock";
    case Kind::DiskFull:
        return "disk full";
    }
    return "?";
}

} // namespace faultvfs
