// The library's in-process server side: the four entry points, the class
// factories they hand out and the count of live objects that decides
// whether the library may be unloaded.
#include "prynex/prynex_server.h"

#include "prynex/class_registry.h"
#include "prynex/live_objects.h"
#include "prynex/pages/general_page.h"
#include "prynex/pages/layout_page.h"
#include "prynex/prynex.h"

#include <QFileInfo>

#include <atomic>
#include <dlfcn.h>

namespace prynex {

namespace {

std::atomic<int> g_liveObjects{0};
std::atomic<int> g_serverLocks{0};

template <typename Widget>
class Factory final : public PrynexClassFactory
{
public:
    explicit Factory(const char *classId) : m_classId(classId) {}
    const char *classId() const override { return m_classId; }
    QWidget *CreateInstance(QWidget *parent) override { return new Widget(parent); }
    long LockServer(bool lock) override
    {
        if (lock) {
            ++g_serverLocks;
            return PRYNEX_S_OK;
        }
        // A release without a lock is the host's mistake; counting it would
        // leave the library unloadable, or unloadable while still locked.
        int locks = g_serverLocks.load();
        do {
            if (locks <= 0)
                return PRYNEX_E_FAIL;
        } while (!g_serverLocks.compare_exchange_weak(locks, locks - 1));
        return PRYNEX_S_OK;
    }

private:
    const char *m_classId;
};

Factory<Prynex> g_prynexFactory(PRYNEX_CLSID_PRYNEX);
Factory<LayOutPage> g_layOutFactory(PRYNEX_CLSID_LAYOUT);
Factory<GeneralPage> g_generalFactory(PRYNEX_CLSID_GENERAL);

// The file this code was loaded from, which the registry names as the server.
QString libraryFile()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&DllRegisterServer), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

long updateRegistry(bool add)
{
    const QString library = libraryFile();
    if (library.isEmpty())
        return PRYNEX_SELFREG_E_CLASS;
    ClassRegistry registry(classRegistryPath());
    if (!registry.load())
        return PRYNEX_SELFREG_E_CLASS;
    const RegistryEntries entries = prynexRegistryEntries(library);
    if (add)
        registry.set(entries);
    else
        registry.remove(entries);
    return registry.save() ? PRYNEX_S_OK : PRYNEX_SELFREG_E_CLASS;
}

bool sameClassId(const char *given, const char *ours)
{
    QString text = QString::fromLatin1(given).trimmed();
    if (!text.startsWith(u'{'))
        text = u'{' + text + u'}';
    return text.compare(QLatin1StringView(ours), Qt::CaseInsensitive) == 0;
}

}  // namespace

int liveObjectCount()
{
    return g_liveObjects;
}

LiveObject::LiveObject()
{
    ++g_liveObjects;
}

LiveObject::~LiveObject()
{
    --g_liveObjects;
}

}  // namespace prynex

extern "C" {

long DllRegisterServer(void)
{
    return prynex::updateRegistry(true);
}

long DllUnregisterServer(void)
{
    return prynex::updateRegistry(false);
}

long DllGetClassObject(const char *classId, PrynexClassFactory **factory)
{
    if (!factory)
        return PRYNEX_E_POINTER;
    *factory = nullptr;
    if (!classId)
        return PRYNEX_CLASS_E_CLASSNOTAVAILABLE;
    for (PrynexClassFactory *candidate : {static_cast<PrynexClassFactory *>(&prynex::g_prynexFactory),
                                          static_cast<PrynexClassFactory *>(&prynex::g_layOutFactory),
                                          static_cast<PrynexClassFactory *>(&prynex::g_generalFactory)}) {
        if (prynex::sameClassId(classId, candidate->classId())) {
            *factory = candidate;
            return PRYNEX_S_OK;
        }
    }
    return PRYNEX_CLASS_E_CLASSNOTAVAILABLE;
}

long DllCanUnloadNow(void)
{
    return prynex::g_liveObjects == 0 && prynex::g_serverLocks == 0 ? PRYNEX_S_OK : PRYNEX_S_FALSE;
}

}  // extern "C"
