#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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
    const QByteArray path = QFile::encodeName(m_path);
    // the file's content says nothing; the lock on it is all. The holder removes the file when it
    // lets go, so a start that opened it just before may lock a file no longer in place: it then
    // tries again on the file now there
    for (int attempt = 0; attempt < 10; ++attempt) {
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
        struct stat opened
        {
        };
        struct stat named
        {
        };
        if (::fstat(fd, &opened) != 0 || ::lstat(path.constData(), &named) != 0 || opened.st_dev != named.st_dev
            || opened.st_ino != named.st_ino) {
            ::close(fd);
            continue;
        }
        // for a person looking at the file: which process holds it
        const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
        const bool noted =
            ::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.constData(), size_t(pid.size()), 0) == ssize_t(pid.size());
        Q_UNUSED(noted) // the lock holds without it
        m_fd = fd;
        return true;
    }
    return false;
}

void SingleInstance::release()
{
    if (m_fd < 0)
        return;
    // removed while still locked: whoever opens the name from now on gets a new file
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}

QString SingleInstance::lockFilePath() const
{
    return m_path;
}
