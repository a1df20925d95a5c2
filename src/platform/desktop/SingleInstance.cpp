#include "SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace {
int &locksHeld()
{
    static int held = 0;
    return held;
}
} // namespace

SingleInstance::SingleInstance(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lock = std::make_unique<QLockFile>(dir + QLatin1Char('/') + name + QStringLiteral(".lock"));
    m_lock->setStaleLockTime(0); // a copy that crashed leaves a stale lock that is taken over
    m_first = m_lock->tryLock(0);
    if (m_first)
        ++locksHeld();
}

SingleInstance::~SingleInstance()
{
    if (m_first)
        --locksHeld();
}

bool SingleInstance::heldByThisProcess()
{
    return locksHeld() > 0;
}
