#include "anydsn.h"

#include "anymodule.h"
#include "platform/db/connspec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString DsnName = QStringLiteral("ZEVARU");
const QString Description = QStringLiteral("DSN for ZEVARU Report");

} // namespace

namespace App {

OdbcConfig::Values reportDsnValues(const QString &server, const QString &user, const QString &database,
                                   const QString &sqliteBaseDir, const QString &sqliteExtension)
{
    const ConnSpec conn = ConnSpec::fromServerField(server);
    QString db = database;
    QString driver;
    QString host = server;
    OdbcConfig::Values extra;
    switch (conn.backend) {
    case ConnSpec::Backend::Sqlite:
        driver = OdbcConfig::driverLibrary(QStringLiteral("SQLite3"), QStringLiteral("libsqlite3odbc.so"));
        if (!db.isEmpty() && QDir::isRelativePath(db))
            db = QDir(sqliteBaseDir).filePath(db);
        if (!sqliteExtension.isEmpty())
            extra << std::pair{QStringLiteral("LoadExt"), sqliteExtension};
        break;
    case ConnSpec::Backend::Postgres:
        driver = OdbcConfig::driverLibrary(QStringLiteral("PostgreSQL Unicode"), QStringLiteral("psqlodbcw.so"));
        host = conn.host;
        extra << std::pair{QStringLiteral("Port"),
                           QString::number(conn.port > 0 ? conn.port : ConnSpec::DefaultPgPort)};
        break;
    case ConnSpec::Backend::Odbc:
        driver = OdbcConfig::readValue(conn.dsn, QStringLiteral("Driver"));
        host = conn.dsn;
        break;
    case ConnSpec::Backend::SqlServer:
        driver = OdbcConfig::driverLibrary(QStringLiteral("FreeTDS"), QStringLiteral("libtdsodbc.so"));
        if (conn.valid) {
            host = conn.instance.isEmpty() ? conn.host : conn.host + QLatin1Char('\\') + conn.instance;
            // the named instance finds its own port
            if (conn.instance.isEmpty())
                extra << std::pair{QStringLiteral("Port"),
                                   QString::number(conn.port > 0 ? conn.port : ConnSpec::DefaultSqlServerPort)};
        }
        extra << std::pair{QStringLiteral("TDS_Version"), QStringLiteral("7.0")};
        break;
    }
    OdbcConfig::Values values{
        {QStringLiteral("Database"), db},   {QStringLiteral("Description"), Description},
        {QStringLiteral("Driver"), driver}, {QStringLiteral("LastUser"), user},
        {QStringLiteral("Server"), host},
    };
    values += extra;
    return values;
}

QString reportDsnKind(const QString &server)
{
    switch (ConnSpec::fromServerField(server).backend) {
    case ConnSpec::Backend::Sqlite:
        return QStringLiteral("SQLite3");
    case ConnSpec::Backend::Postgres:
        return QStringLiteral("PostgreSQL Unicode");
    case ConnSpec::Backend::Odbc:
        return QStringLiteral("ODBC");
    case ConnSpec::Backend::SqlServer:
        break;
    }
    return QStringLiteral("SQL Server");
}

QString getdateExtensionPath(const QString &programDir, const QString &arch)
{
    const QString name = QStringLiteral("zozura_sqlite_getdate.so");
    const QDir bin(programDir);
    for (const QString &dir : {programDir, bin.filePath(QStringLiteral("../lib/%1/zozura").arg(arch)),
                               bin.filePath(QStringLiteral("../lib/zozura"))}) {
        const QFileInfo ext(QDir(dir).filePath(name));
        if (ext.isFile())
            return QDir::cleanPath(ext.absoluteFilePath());
    }
    return {};
}

} // namespace App

void sbSet_ReportDSN()
{
    // each field is a full read of the configuration file, as at start-up
    const QString database = fnGet_ConfValue(4);
    const QString systemDir = fnGet_SystemDir();
    const QString user = fnGet_ConfValue(2);
    const QString server = fnGet_ConfValue(1);
    // the user's own data source of that name is what the program connects through: never rewritten
    const ConnSpec conn = ConnSpec::fromServerField(server);
    if (conn.backend == ConnSpec::Backend::Odbc && conn.dsn.compare(DsnName, Qt::CaseInsensitive) == 0)
        return;
    const QString ext =
        App::getdateExtensionPath(QCoreApplication::applicationDirPath(), QStringLiteral(ZOZURA_LIB_ARCH));
    OdbcConfig::writeSystemDsn(DsnName, App::reportDsnValues(server, user, database, systemDir, ext));
    OdbcConfig::writeSystemValue(QStringLiteral("ODBC Data Sources"), DsnName, App::reportDsnKind(server));
}
