#include "dbconnection.h"

#include "odbcconfig.h"
#include "platform/db/dberrortext.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <sqlite3.h>

namespace {

// GETDATE() on SQLite: the local time as text, in the form the other servers give it.
void sqliteGetDate(sqlite3_context *ctx, int, sqlite3_value **)
{
    const QByteArray now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
    sqlite3_result_text(ctx, now.constData(), int(now.size()), SQLITE_TRANSIENT);
}

QString describe(const QSqlError &e, const QString &driver)
{
    QString said = DbErrorText::sentence(e, driver);
    if (!said.isEmpty())
        return said;
    QString text = e.databaseText().trimmed();
    const QString driverText = e.driverText().trimmed();
    if (text.isEmpty())
        text = driverText;
    else if (!driverText.isEmpty() && !text.contains(driverText))
        text = driverText + QStringLiteral(": ") + text;
    return text;
}

} // namespace

DbConnection::DbConnection(const Settings &settings)
    : m_settings(settings)
    , m_spec(ConnSpec::fromServerField(settings.server))
    , m_name(QStringLiteral("zozura-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces)))
{ }

DbConnection::~DbConnection()
{
    close();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase DbConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

sqlite3 *DbConnection::sqliteHandle() const
{
    if (m_spec.backend != ConnSpec::Backend::Sqlite || !isOpen())
        return nullptr;
    const QVariant handle = database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.data());
}

bool DbConnection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && database().isOpen();
}

void DbConnection::close()
{
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = database();
        db.close();
    }
}

bool DbConnection::fail(const QString &why)
{
    m_lastError = why;
    return false;
}

QString DbConnection::sqliteFile() const
{
    QString file = m_settings.database.trimmed();
    if (file.isEmpty() || QDir::isAbsolutePath(file))
        return file;
    return QDir(m_settings.baseDir).filePath(file);
}

QString DbConnection::odbcConnectString() const
{
    using OdbcText::quoteValue;
    QStringList parts;
    if (m_spec.backend == ConnSpec::Backend::Odbc) {
        parts << QStringLiteral("DSN=") + quoteValue(m_spec.dsn);
        if (!m_settings.database.isEmpty())
            parts << QStringLiteral("DATABASE=") + quoteValue(m_settings.database);
    } else {
        QString driver = OdbcConfig::driverLibrary(QStringLiteral("FreeTDS"), QStringLiteral("libtdsodbc.so"));
        if (driver.isEmpty())
            driver = QStringLiteral("FreeTDS");
        parts << QStringLiteral("DRIVER=") + quoteValue(driver);
        QString server = m_spec.host;
        if (!m_spec.instance.isEmpty())
            server += QLatin1Char('\\') + m_spec.instance;
        parts << QStringLiteral("SERVER=") + quoteValue(server);
        if (m_spec.instance.isEmpty()) {
            const int port = m_spec.port > 0 ? m_spec.port : ConnSpec::DefaultSqlServerPort;
            parts << QStringLiteral("PORT=%1").arg(port);
        }
        parts << QStringLiteral("TDS_Version=7.0");
        parts << QStringLiteral("ClientCharset=UTF-8");
        if (!m_settings.database.isEmpty())
            parts << QStringLiteral("DATABASE=") + quoteValue(m_settings.database);
    }
    // user and password go into the string quoted; the driver would append them unquoted
    if (!m_settings.user.isEmpty())
        parts << QStringLiteral("UID=") + quoteValue(m_settings.user);
    if (!m_settings.password.isEmpty())
        parts << QStringLiteral("PWD=") + quoteValue(m_settings.password);
    QString text = parts.join(QLatin1Char(';'));
    if (m_spec.backend == ConnSpec::Backend::Odbc) {
        // Qt's ODBC driver puts "DSN=" in front of a string that names no DRIVER= or SERVER=
        // attribute itself, so the data source goes without it then
        const bool passedAsIs = text.contains(QLatin1String("DRIVER="), Qt::CaseInsensitive)
            || text.contains(QLatin1String("SERVER="), Qt::CaseInsensitive);
        if (!passedAsIs)
            return text.mid(4);
    }
    return text;
}

bool DbConnection::openSqlite(QSqlDatabase &db)
{
    const QString file = sqliteFile();
    if (file.isEmpty())
        return fail(QStringLiteral("데이터베이스 파일이 지정되지 않았습니다."));
    // a garbled setting must not leave a stray database file behind: the file has to exist
    if (!QFileInfo(file).isFile())
        return fail(QStringLiteral("데이터베이스 파일을 찾을 수 없습니다. (%1)").arg(file));
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_settings.busyTimeoutMs));
    if (!db.open())
        return fail(
            QStringLiteral("데이터베이스를 열 수 없습니다. (%1)").arg(describe(db.lastError(), db.driverName())));
    const QVariant handle = db.driver()->handle();
    sqlite3 *h = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
        ? *static_cast<sqlite3 *const *>(handle.data())
        : nullptr;
    if (!h
        || sqlite3_create_function(h, "GETDATE", 0, SQLITE_UTF8, nullptr, sqliteGetDate, nullptr, nullptr)
            != SQLITE_OK) {
        db.close();
        return fail(QStringLiteral("데이터베이스 함수를 등록할 수 없습니다."));
    }
    for (const QString &stmt : std::as_const(m_settings.sqliteSetup)) {
        QSqlQuery q(db);
        if (!q.exec(stmt)) {
            const QString why = describe(q.lastError(), db.driverName());
            q.finish();
            db.close();
            return fail(QStringLiteral("데이터베이스를 준비할 수 없습니다. (%1)").arg(why));
        }
    }
    return true;
}

bool DbConnection::open()
{
    m_lastError.clear();
    close();
    if (!m_spec.valid)
        return fail(m_spec.problem);

    const char *driver = "QODBC";
    switch (m_spec.backend) {
    case ConnSpec::Backend::Sqlite:
        driver = "QSQLITE";
        break;
    case ConnSpec::Backend::Postgres:
        driver = "QPSQL";
        break;
    case ConnSpec::Backend::Odbc:
    case ConnSpec::Backend::SqlServer:
        break;
    }
    if (!QSqlDatabase::isDriverAvailable(QLatin1String(driver)))
        return fail(QStringLiteral("데이터베이스 드라이버가 설치되어 있지 않습니다. (%1)").arg(QLatin1String(driver)));
    QSqlDatabase db =
        QSqlDatabase::contains(m_name) ? database() : QSqlDatabase::addDatabase(QLatin1String(driver), m_name);
    // numbers come back as the server writes them, not through a double
    db.setNumericalPrecisionPolicy(QSql::HighPrecision);

    bool ok = false;
    switch (m_spec.backend) {
    case ConnSpec::Backend::Sqlite:
        ok = openSqlite(db);
        break;
    case ConnSpec::Backend::Postgres:
        db.setHostName(m_spec.host);
        db.setPort(m_spec.port > 0 ? m_spec.port : ConnSpec::DefaultPgPort);
        db.setDatabaseName(m_settings.database);
        db.setUserName(m_settings.user);
        db.setPassword(m_settings.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(m_settings.loginTimeoutS));
        ok = db.open();
        if (!ok)
            fail(QStringLiteral("데이터베이스에 연결할 수 없습니다. (%1)")
                     .arg(describe(db.lastError(), db.driverName())));
        break;
    case ConnSpec::Backend::Odbc:
    case ConnSpec::Backend::SqlServer:
        db.setDatabaseName(odbcConnectString());
        db.setConnectOptions(
            QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(m_settings.loginTimeoutS));
        ok = db.open();
        if (!ok)
            fail(QStringLiteral("데이터베이스에 연결할 수 없습니다. (%1)")
                     .arg(describe(db.lastError(), db.driverName())));
        break;
    }
    if (ok) {
        m_broken = false;
        ++m_openCount;
    }
    return ok;
}

bool DbConnection::ensureOpen()
{
    if (!m_broken && isOpen())
        return true;
    return open();
}

bool DbConnection::probe()
{
    if (!isOpen())
        return false;
    QSqlQuery q(database());
    const bool ok = q.exec(QStringLiteral("SELECT 1")) && q.next();
    q.finish();
    return ok;
}
