#include "singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = dir + QLatin1Char('/') + name + QStringLiteral(".lock");
    m_lock = std::make_unique<QLockFile>(m_path);
    // a lock is only stale when its process is gone, never by age: a program left open for
    // days must still keep the second copy out
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryLock()
{
    if (m_lock->isLocked())
        return true;
    return m_lock->tryLock(0);
}

bool SingleInstance::isLocked() const
{
    return m_lock->isLocked();
}

void SingleInstance::release()
{
    m_lock->unlock();
}

QString SingleInstance::lockFilePath() const
{
    return m_path;
}
