// prynex-register [--unregister] LIBRARY
//
// Loads a Prynex library with dlopen and calls its DllRegisterServer (or
// DllUnregisterServer), as a host's registration tool would.

#include <cstdio>
#include <cstring>
#include <dlfcn.h>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: prynex-register [--unregister] LIBRARY\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    bool unregister = false;
    const char *library = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--unregister") == 0 || std::strcmp(argv[i], "-u") == 0)
            unregister = true;
        else if (!library && argv[i][0] != '-')
            library = argv[i];
        else
            return usage();
    }
    if (!library)
        return usage();

    void *handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "prynex-register: %s\n", dlerror());
        return 1;
    }
    const char *entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
    using EntryPoint = long (*)();
    auto call = reinterpret_cast<EntryPoint>(dlsym(handle, entry));
    if (!call) {
        std::fprintf(stderr, "prynex-register: %s has no %s\n", library, entry);
        dlclose(handle);
        return 1;
    }
    const long result = call();
    dlclose(handle);
    if (result != 0) {
        std::fprintf(stderr, "prynex-register: %s failed (0x%08lx)\n", entry, static_cast<unsigned long>(result));
        return 1;
    }
    std::printf("%s succeeded in %s\n", entry, library);
    return 0;
}
