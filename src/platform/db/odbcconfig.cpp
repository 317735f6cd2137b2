#include "odbcconfig.h"

#include <QDir>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include <odbcinst.h>
#include <sql.h>
#include <sqlext.h>

// unixODBC's own answer to "where do system data sources live" ($ODBCSYSINI or its sysconfdir);
// exported by libodbcinst but only declared in its extension header.
extern "C" char *odbcinst_system_file_path(char *buffer);

namespace {

// Restores the configuration mode on every path out of a write.
class ConfigModeGuard
{
public:
    explicit ConfigModeGuard(UWORD mode)
    {
        SQLGetConfigMode(&m_previous);
        SQLSetConfigMode(mode);
    }
    ~ConfigModeGuard() { SQLSetConfigMode(m_previous); }

private:
    UWORD m_previous = ODBC_BOTH_DSN;
};

// unixODBC writes into an existing odbc.ini only; the first write creates it empty.
void ensureSystemIniExists()
{
    char buffer[4096] = {};
    const char *dir = odbcinst_system_file_path(buffer);
    if (!dir || !*dir)
        return;
    QFile file(QString::fromLocal8Bit(dir) + QStringLiteral("/odbc.ini"));
    if (!file.exists() && file.open(QIODevice::WriteOnly))
        file.close();
}

} // namespace

namespace OdbcConfig {

bool writeSystemDsn(const QString &name, const Values &values)
{
    ConfigModeGuard mode(ODBC_SYSTEM_DSN);
    ensureSystemIniExists();
    const QByteArray section = name.toUtf8();
    bool ok = true;
    // the values an earlier run wrote that this one does not are removed; keys of the
    // section's own (a comment, a setting of the user's) stay
    for (const char *old :
         {"Database", "Description", "Driver", "LastUser", "Server", "Port", "TDS_Version", "LoadExt"}) {
        const bool kept = std::any_of(values.cbegin(), values.cend(),
                                      [old](const auto &kv) { return kv.first == QLatin1String(old); });
        if (!kept)
            SQLWritePrivateProfileString(section.constData(), old, nullptr, "odbc.ini");
    }
    for (const auto &[key, value] : values) {
        const QByteArray k = key.toUtf8();
        const QByteArray v = value.toUtf8();
        if (!SQLWritePrivateProfileString(section.constData(), k.constData(), v.constData(), "odbc.ini"))
            ok = false;
    }
    return ok;
}

bool writeSystemValue(const QString &section, const QString &key, const QString &value)
{
    ConfigModeGuard mode(ODBC_SYSTEM_DSN);
    ensureSystemIniExists();
    return SQLWritePrivateProfileString(section.toUtf8().constData(), key.toUtf8().constData(),
                                        value.toUtf8().constData(), "odbc.ini");
}

QString readValue(const QString &section, const QString &key, bool inDrivers)
{
    char buffer[1024] = {};
    const QByteArray s = section.toUtf8();
    const QByteArray k = key.toUtf8();
    const int n = SQLGetPrivateProfileString(s.constData(), k.constData(), "", buffer, int(sizeof buffer),
                                             inDrivers ? "odbcinst.ini" : "odbc.ini");
    return n > 0 ? QString::fromUtf8(buffer, qMin(n, int(sizeof buffer) - 1)) : QString();
}

QStringList dataSources()
{
    QStringList names;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return names;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLCHAR dsn[256];
    SQLCHAR desc[512];
    SQLSMALLINT dsnLen = 0;
    SQLSMALLINT descLen = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDataSources(env, direction, dsn, sizeof dsn, &dsnLen, desc, sizeof desc, &descLen))) {
        names << QString::fromUtf8(reinterpret_cast<const char *>(dsn), dsnLen);
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return names;
}

QString findDriverLibrary(const QString &fileName)
{
    QStringList dirs;
    const QDir lib(QStringLiteral("/usr/lib"));
    // multiarch folders first (/usr/lib/x86_64-linux-gnu/odbc), then the plain ones
    for (const QString &sub :
         lib.entryList(QStringList{QStringLiteral("*-linux-gnu*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        dirs << lib.filePath(sub + QStringLiteral("/odbc")) << lib.filePath(sub);
    }
    dirs << QStringLiteral("/usr/lib/odbc") << QStringLiteral("/usr/lib") << QStringLiteral("/usr/local/lib/odbc")
         << QStringLiteral("/usr/local/lib");
    for (const QString &d : std::as_const(dirs)) {
        QString path = d + QLatin1Char('/') + fileName;
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QString driverLibrary(const QString &driverName, const QString &fileName)
{
    QString registered = readValue(driverName, QStringLiteral("Driver"), true);
    if (!registered.isEmpty() && QFileInfo::exists(registered))
        return registered;
    return findDriverLibrary(fileName);
}

} // namespace OdbcConfig
