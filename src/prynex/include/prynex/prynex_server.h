#pragma once

// The four entry points every build of the Prynex library exports with C
// linkage, for hosts and registration tools that load it with dlopen:
//
//   DllRegisterServer    writes the library's classes into the per-user
//                        class registry (docs/PRYNEX.md)
//   DllUnregisterServer  removes exactly those entries again
//   DllGetClassObject    hands out the factory of Prynex, LayOut or General
//   DllCanUnloadNow      PRYNEX_S_OK when no object of the library is alive

#include "prynex/prynex_export.h"

class QWidget;

// Answers, with the values hosts of in-process servers know them by.
#define PRYNEX_S_OK 0L
#define PRYNEX_S_FALSE 1L
#define PRYNEX_E_FAIL static_cast<long>(0x80004005L)
#define PRYNEX_E_POINTER static_cast<long>(0x80004003L)
#define PRYNEX_CLASS_E_CLASSNOTAVAILABLE static_cast<long>(0x80040111L)
#define PRYNEX_SELFREG_E_CLASS static_cast<long>(0x80040201L)

// The identifiers, as text in braces.
#define PRYNEX_LIBID "{424703C8-1C1B-11D1-A78C-444553540000}"
#define PRYNEX_CLSID_PRYNEX "{424703C0-1C1B-11D1-A78C-444553540000}"
#define PRYNEX_IID_PRYNEX "{424703BF-1C1B-11D1-A78C-444553540000}"
#define PRYNEX_IID_PRYNEX_EVENTS "{424703C1-1C1B-11D1-A78C-444553540000}"
#define PRYNEX_CLSID_LAYOUT "{424703C3-1C1B-11D1-A78C-444553540000}"
#define PRYNEX_IID_LAYOUT "{424703C2-1C1B-11D1-A78C-444553540000}"
#define PRYNEX_CLSID_GENERAL "{424703C5-1C1B-11D1-A78C-444553540000}"
#define PRYNEX_IID_GENERAL "{424703C4-1C1B-11D1-A78C-444553540000}"

// A class factory: makes new objects of one class. Factories live as long
// as the library; LockServer(true) keeps the library loaded without an object
// until a LockServer(false) releases it. A release without a lock answers
// PRYNEX_E_FAIL and changes nothing.
class PrynexClassFactory
{
public:
    virtual const char *classId() const = 0;
    virtual QWidget *CreateInstance(QWidget *parent) = 0;
    virtual long LockServer(bool lock) = 0;

protected:
    ~PrynexClassFactory() = default;
};

extern "C" {
PRYNEX_EXPORT long DllRegisterServer(void);
PRYNEX_EXPORT long DllUnregisterServer(void);
// `classId` as text in braces (any case); *factory is set on PRYNEX_S_OK
// and cleared otherwise.
PRYNEX_EXPORT long DllGetClassObject(const char *classId, PrynexClassFactory **factory);
PRYNEX_EXPORT long DllCanUnloadNow(void);
}
