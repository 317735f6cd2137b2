#include "systemdir.h"

#include <QtGlobal>

namespace SystemDir {

QString path()
{
    QString dir = qEnvironmentVariable("ZEVARU_SYSTEM_DIR");
    dir.remove(QChar(0));
    if (dir.isEmpty())
        dir = QStringLiteral("/etc/zevaru");
    // "/" alone stays "/" so the root is still a usable directory
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

} // namespace SystemDir
