#pragma once

#include <QString>
#include <memory>

class QLockFile;

// Holds a lock for as long as this copy of the program runs, so that a second
// copy can tell and end quietly.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name);
    ~SingleInstance();

    // True when no other copy holds the lock (this copy now holds it).
    bool isFirst() const { return m_first; }
    // True while some SingleInstance of this process holds its lock: no other
    // copy of the program runs for this user here.
    static bool heldByThisProcess();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};
