#include "systemdir.h"

#include "platform/win/systemservices.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>

namespace SystemDir {

namespace {

QString withoutTrailingSlash(QString dir)
{
    // "/" alone stays "/" so the root is still a usable directory
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

QString machinePath()
{
    const QString &dir = Platform::systemServices().machineSystemDir;
    return dir.isEmpty() ? QStringLiteral("/etc/zevaru") : dir;
}

} // namespace

Choice choose(const QString &envValue, bool envSet, const QString &machineDir, bool machineExists,
              const QString &personalDir, bool personalConfExists)
{
    QString env = envValue;
    env.remove(QChar(0));
    if (envSet && !env.isEmpty())
        return {withoutTrailingSlash(env), Source::Environment};
    if (machineExists)
        return {machineDir, Source::Machine};
    if (personalConfExists && !personalDir.isEmpty())
        return {withoutTrailingSlash(personalDir), Source::Personal};
    return {machineDir, Source::None};
}

QString personalPath()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // no home folder at all: there is no personal folder either
    if (data.isEmpty())
        return {};
    return withoutTrailingSlash(data) + QStringLiteral("/zozura");
}

Choice current()
{
    const QString machine = machinePath();
    const QFileInfo machineInfo(machine);
    const QString personal = personalPath();
    return choose(qEnvironmentVariable("ZEVARU_SYSTEM_DIR"), qEnvironmentVariableIsSet("ZEVARU_SYSTEM_DIR"), machine,
                  machineInfo.exists() || machineInfo.isSymLink(), personal,
                  !personal.isEmpty() && QFileInfo::exists(personal + QStringLiteral("/ZEVARU.DAT")));
}

QString path()
{
    return current().path;
}

} // namespace SystemDir
