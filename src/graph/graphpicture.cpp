#include "graph/graphpicture.h"

#include "platform/win/syserror.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <cerrno>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString systemDescription(int err)
{
    return SystemError::text(err);
}

PictureWrite failure(int err, const QString &fallback)
{
    PictureWrite w;
    w.permissionDenied = err == EACCES || err == EPERM;
    w.description = err ? systemDescription(err) : fallback;
    return w;
}

} // namespace

namespace GraphPicture {

QString saveTitle()
{
    return QStringLiteral("파일로 저장하기");
}

QString saveFilter()
{
    return QStringLiteral("JPEG File (*.jpg) | *.jpg");
}

QString saveSuffix()
{
    return QStringLiteral("jpg");
}

QString proposedName(const QDate &day, const QString &heading)
{
    QString h = heading;
    h.replace(u'/', u'_');
    h.replace(u'\\', u'_');
    return day.toString(QStringLiteral("yyyyMMdd")) + u' ' + h;
}

PictureWrite writeJpeg(const QImage &image, const QString &fileName)
{
    if (image.isNull())
        return failure(0, QStringLiteral("그림이 비어 있습니다."));
    QSaveFile file(fileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failure(errno, file.errorString());
    QImageWriter writer(&file, "jpg");
    writer.setQuality(100);
    errno = 0;
    if (!writer.write(image)) {
        const int err = errno;
        const QString why = writer.errorString();
        file.cancelWriting();
        return failure(err, why);
    }
    errno = 0;
    if (!file.commit())
        return failure(errno, file.errorString());
    PictureWrite ok;
    ok.ok = true;
    return ok;
}

QString savedText(const QString &fileName)
{
    return QStringLiteral("아래 경로로 저장하였습니다.") + kCrLf + kCrLf + QStringLiteral("경로 : ") + fileName;
}

QString saveErrorText(const PictureWrite &result)
{
    if (result.permissionDenied)
        return result.description + kCrLf + QStringLiteral("파일이 사용중이면 닫아주십시오.");
    return result.description;
}

QString printerName(const QString &defaultName, const QStringList &available)
{
    if (!defaultName.trimmed().isEmpty())
        return defaultName;
    for (const QString &name : available)
        if (!name.trimmed().isEmpty())
            return name;
    return QString();
}

} // namespace GraphPicture
