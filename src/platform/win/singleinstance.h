#pragma once

#include <QString>

#include <memory>

class QLockFile;

// One running copy per user: a lock file in the runtime directory ($XDG_RUNTIME_DIR). The lock
// of a crashed run is stale (its process is gone) and does not block the next start.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name = QStringLiteral("zozura"));
    ~SingleInstance();

    // True when this process now holds the lock; false when another live process holds it
    // (or the lock cannot be created at all).
    bool tryLock();
    bool isLocked() const;
    void release();
    QString lockFilePath() const;

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
