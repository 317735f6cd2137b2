#include "registry.h"

#include "systemdir.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace Registry {

QString iniPath()
{
    return SystemDir::path() + QStringLiteral("/registry.ini");
}

FileState fileState()
{
    const QFileInfo info(iniPath());
    if (!info.exists() && !info.isSymLink())
        return FileState::Missing;
    QFile file(info.filePath());
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return FileState::Unreadable;
    return FileState::Readable;
}

QString readValue(const QString &keyPath, const QString &valueName, bool *found)
{
    if (found)
        *found = false;
    const QString file = iniPath();
    if (!QFileInfo(file).isReadable())
        return {};
    QSettings ini(file, QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return {};
    // QSettings turns the backslashes of a section name into its own group separator
    QString key = keyPath;
    key.replace(QLatin1Char('\\'), QLatin1Char('/'));
    key += QLatin1Char('/') + valueName;
    const QVariant v = ini.value(key);
    if (!v.isValid())
        return {};
    if (found)
        *found = true;
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

} // namespace Registry
