#include "filefolder.h"

#include <QDate>

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
