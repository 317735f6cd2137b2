#include "app/connopen.h"

#include "app/anymodule.h"
#include "platform/db/connprovider.h"
#include "platform/win/registry.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <stdexcept>

QStringList App::sqliteSchemaStatements()
{
    QFile f(QStringLiteral(":/sql/sqlite.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList out;
    for (const QString &s : text.split(QLatin1Char(';'))) {
        if (!s.trimmed().isEmpty())
            out << s.trimmed();
    }
    return out;
}

std::unique_ptr<ConnProvider> App::openConnProvider()
{
    // a registry file that is there but cannot be read would leave every new row without
    // its user code: refused before anything is opened or written
    if (Registry::fileState() == Registry::FileState::Unreadable)
        throw std::runtime_error("registry.ini 파일을 읽을 수 없습니다.");
    auto provider = std::make_unique<ConnProvider>();
    provider->setUserId(fnGet_ConfValue(2));
    provider->setUserPassword(fnGet_ConfValue(3));
    provider->setDatabaseName(fnGet_ConfValue(4));
    provider->setServerName(fnGet_ConfValue(1));
    provider->setBaseDirectory(fnGet_SystemDir());
    provider->setSqliteSetup(sqliteSchemaStatements());
    // a connection that cannot be made is raised, not answered with false
    provider->OpenConnection();
    return provider;
}
