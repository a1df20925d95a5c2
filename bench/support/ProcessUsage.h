#pragma once

#include <QByteArray>
#include <QFile>
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

// A line of /proc/self/status ("VmRSS", "VmHWM") in megabytes; -1 when unknown.
inline double statusMegabytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

inline double residentMegabytes() { return statusMegabytes("VmRSS"); }

// Starts the peak resident size afresh (Linux: "5" to clear_refs), so that the
// peak of one piece of work can be told from what the process held before.
// False when the kernel does not offer it; the peak then covers the whole run.
inline bool restartPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

inline double peakSinceRestartMegabytes() { return statusMegabytes("VmHWM"); }

} // namespace benchsupport
