#include "filefolder.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>

namespace FileFolder {

QString folderOfFile(const QString &fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
    return slash < 0 ? QString() : fileName.left(slash + 1);
}

QString datedFileName(const QDate &today, const QString &baseName)
{
    QString base = baseName;
    base.replace(u'/', u'_').replace(u'\\', u'_');
    return today.toString(QStringLiteral("yyyyMMdd")) + u' ' + base;
}

bool isPseudoFileSystem(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    // a link may lead there
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString real = canonical.isEmpty() ? path : canonical;
    for (const QLatin1String top : {QLatin1String("/proc"), QLatin1String("/sys"), QLatin1String("/dev")})
        if (real == top || real.startsWith(top + u'/'))
            return true;
    static const QStringList kinds{
        QStringLiteral("proc"),       QStringLiteral("sysfs"),       QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),     QStringLiteral("debugfs"),     QStringLiteral("tracefs"),
        QStringLiteral("securityfs"), QStringLiteral("cgroup"),      QStringLiteral("cgroup2"),
        QStringLiteral("pstore"),     QStringLiteral("bpf"),         QStringLiteral("configfs"),
        QStringLiteral("efivarfs"),   QStringLiteral("binfmt_misc"), QStringLiteral("mqueue"),
        QStringLiteral("fusectl"),    QStringLiteral("nsfs")};
    const QStorageInfo storage(real);
    return storage.isValid() && kinds.contains(QString::fromLatin1(storage.fileSystemType()));
}

QString rememberedFolder(const QString &fileName)
{
    const QString folder = folderOfFile(fileName);
    return isPseudoFileSystem(folder) ? QString() : folder;
}

} // namespace FileFolder
