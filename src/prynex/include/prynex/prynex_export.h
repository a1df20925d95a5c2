#pragma once

// Marks what the shared library prynex exports; everything else stays inside.
#if defined(PRYNEX_BUILDING_LIBRARY)
#define PRYNEX_EXPORT __attribute__((visibility("default")))
#else
#define PRYNEX_EXPORT
#endif
