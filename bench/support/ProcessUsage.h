#pragma once

#include <sys/resource.h>

// What this process has used so far, for the benchmarks' figures.
namespace benchsupport {

// CPU time of this process: on a shared machine it says more than the wall clock.
inline double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

inline double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace benchsupport
