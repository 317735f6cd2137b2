#include "smallfile.h"

#include "platform/win/syserror.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SmallFile {

namespace {

Result fail(Result r, QString *why, const QString &text)
{
    if (why)
        *why = text;
    return r;
}

Result checkKind(const struct stat &st, QString *why)
{
    if (!S_ISREG(st.st_mode))
        return fail(Result::NotRegular, why, QStringLiteral("일반 파일이 아닙니다."));
    if (st.st_size > MaxSize)
        return fail(Result::TooLarge, why, QStringLiteral("파일이 너무 큽니다. (%1 바이트)").arg(st.st_size));
    return Result::Read;
}

} // namespace

Result read(const QString &path, QByteArray *content, QString *why)
{
    content->clear();
    const QByteArray name = QFile::encodeName(path);
    struct stat st
    {
    };
    if (::stat(name.constData(), &st) != 0) {
        // a link to nowhere is there, yet cannot be read
        struct stat link
        {
        };
        if (errno == ENOENT && ::lstat(name.constData(), &link) != 0)
            return Result::Missing;
        return fail(Result::Unreadable, why, SystemError::text(errno));
    }
    if (const Result r = checkKind(st, why); r != Result::Read)
        return r;
    // O_NONBLOCK: should a pipe have taken the file's place since the check, the open does not wait
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(Result::Unreadable, why, SystemError::text(errno));
    Result result = Result::Read;
    if (::fstat(fd, &st) != 0)
        result = fail(Result::Unreadable, why, SystemError::text(errno));
    else
        result = checkKind(st, why);
    // one byte more than allowed tells a file that grew after the check
    QByteArray buffer(MaxSize + 1, Qt::Uninitialized);
    qint64 total = 0;
    while (result == Result::Read && total < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + total, size_t(buffer.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            result = fail(Result::Unreadable, why, SystemError::text(errno));
        else if (n == 0)
            break;
        else
            total += n;
    }
    ::close(fd);
    if (result == Result::Read && total > MaxSize)
        result = fail(Result::TooLarge, why, QStringLiteral("파일이 너무 큽니다."));
    if (result == Result::Read)
        *content = buffer.left(total);
    return result;
}

} // namespace SmallFile
