#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstance::SingleInstance(const QString &name)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = dir + QLatin1Char('/') + name + QStringLiteral(".lock");
}

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::tryLock()
{
    if (m_fd >= 0)
        return true;
    // the file is opened as it is, never replaced: its content says nothing, the lock on it all.
    // A lock taken on a file another start had just unlinked would guard nothing, so the file
    // stays in place for good.
    const QByteArray path = QFile::encodeName(m_path);
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 && errno == EACCES) // a file made read-only locks as well
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    // flock, not fcntl: its lock belongs to this open file, so a second object of the same
    // process is kept out too, and no other open of the file in this process can drop it
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    // for a person looking at the file: which process holds it
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    const bool noted =
        ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.constData(), size_t(pid.size()), 0) == ssize_t(pid.size());
    Q_UNUSED(noted) // the lock holds without it
    m_fd = fd;
    return true;
}

void SingleInstance::release()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

QString SingleInstance::lockFilePath() const
{
    return m_path;
}
