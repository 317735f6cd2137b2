#pragma once

// Folders in the states a save must survive: one that refuses new files, and one on a file
// system with no room left.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace FolderStates {

// Sets or clears the immutable flag: even the superuser cannot write into such a file or folder.
inline bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Folder made unwritable for this process; false when the system offers no way to do so.
inline bool lockFolder(const QString &path)
{
    if (::geteuid() != 0)
        return QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    return setImmutable(path, true);
}

inline void unlockFolder(const QString &path)
{
    if (::geteuid() == 0)
        setImmutable(path, false);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A small file system of its own mounted on a fresh temporary folder, filled to the last byte
// (keeping the files given to it first). Unmounted, then removed, when it goes.
class FullFolder
{
public:
    FullFolder()
        : m_path(m_dir.path())
    {
        m_mounted = m_dir.isValid()
            && ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0, "size=256k,mode=0700") == 0;
    }
    ~FullFolder()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }
    FullFolder(const FullFolder &) = delete;
    FullFolder &operator=(const FullFolder &) = delete;

    // false where mounting needs privileges this process lacks
    bool mounted() const { return m_mounted; }
    QString filePath(const QString &name) const { return QDir(m_path).filePath(name); }

    // Puts a file in before the space is used up.
    bool put(const QString &name, const QByteArray &content)
    {
        QFile f(QDir(m_path).filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size() && f.flush();
    }

    // Takes every free block with a hidden filler; true once a write has been refused for room.
    bool fill()
    {
        QFile f(QDir(m_path).filePath(QStringLiteral(".filler")));
        if (!f.open(QIODevice::WriteOnly))
            return false;
        const QByteArray block(4096, 'x');
        while (f.write(block) == block.size() && f.flush()) { }
        // the last partial block too
        while (f.write("x", 1) == 1 && f.flush()) { }
        return true;
    }

    // What is in the folder apart from the filler.
    QStringList entries() const
    {
        QStringList e = QDir(m_path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        e.removeAll(QStringLiteral(".filler"));
        return e;
    }

private:
    QTemporaryDir m_dir; // first: it outlives the mount
    QString m_path;
    bool m_mounted = false;
};

} // namespace FolderStates
