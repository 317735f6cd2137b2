#pragma once

#include <QString>

// One running copy per user: an advisory lock (flock) on a file in the runtime directory
// ($XDG_RUNTIME_DIR). The system gives the lock back when its process ends, however it ends, so
// only a running copy ever holds it: the file a crashed run left behind blocks nothing, whatever
// it holds (empty, garbage, a dead process's number). The holder writes its process number into
// the file and removes the file when it lets go.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &name = QStringLiteral("zozura"));
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this object now holds the lock; false when another holder has it (another
    // process, or another object of this one) or the file cannot be opened at all.
    bool tryLock();
    bool isLocked() const { return m_fd >= 0; }
    void release();
    QString lockFilePath() const;

private:
    QString m_path;
    int m_fd = -1; // the open lock file while the lock is held
};
