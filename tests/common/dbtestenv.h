#pragma once

// Shared by the database tests: the PostgreSQL server the test script starts, fresh databases
// per test, and ODBC data sources in a private ODBCSYSINI.

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTest>

#include <functional>
#include <utility>

namespace DbTestEnv {

// ctest passes both folders in the environment; on its own a test program gets this build's
// (tests/common/testdefaults.cpp)
inline QString sourceDir()
{
    return qEnvironmentVariable("ZOZURA_SOURCE_DIR");
}

inline QString buildDir()
{
    return qEnvironmentVariable("ZOZURA_BUILD_DIR");
}

// Statements of a schema script: comments dropped, split at semicolons.
inline QStringList splitSql(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList out;
    for (const QString &s : text.split(QLatin1Char(';'))) {
        if (!s.trimmed().isEmpty() && s.trimmed() != QLatin1String("GO"))
            out << s.trimmed();
    }
    return out;
}

inline QStringList scriptStatements(const QString &file)
{
    QFile f(sourceDir() + QStringLiteral("/sql/") + file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return splitSql(QString::fromUtf8(f.readAll()));
}

inline bool requirePg()
{
    return qEnvironmentVariable("ZOZURA_REQUIRE_PG") == QLatin1String("1");
}

struct Pg
{
    QString host = qEnvironmentVariable("ZOZURA_PG_HOST");
    int port = qEnvironmentVariableIntValue("ZOZURA_PG_PORT");
    QString user = qEnvironmentVariable("ZOZURA_PG_USER");
    QString db = qEnvironmentVariable("ZOZURA_PG_DB");
};

// Opens an admin connection to the test server's database; empty text when it works, else why.
inline QString pgProblem()
{
    const Pg pg;
    if (pg.host.isEmpty())
        return QStringLiteral("ZOZURA_PG_HOST is not set (run scripts/test.sh, or source scripts/pg.sh)");
    const QString name = QStringLiteral("pg-probe");
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(pg.host);
        db.setPort(pg.port);
        db.setUserName(pg.user);
        db.setDatabaseName(pg.db);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        if (!db.open())
            why = QStringLiteral("PostgreSQL unreachable: ") + db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return why;
}

// Makes database `name` on the test server when missing, then gives it a new, empty EX_RATE
// from sql/postgresql.sql. Empty text when done, else why not.
inline QString freshPgDatabase(const QString &name)
{
    const Pg pg;
    QString why;
    auto withDb = [&](const QString &dbName, const std::function<void(QSqlDatabase &)> &work) {
        const QString conn = QStringLiteral("pg-test-") + dbName;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), conn);
            db.setHostName(pg.host);
            db.setPort(pg.port);
            db.setUserName(pg.user);
            db.setDatabaseName(dbName);
            if (db.open())
                work(db);
            else
                why = db.lastError().text();
            db.close();
        }
        QSqlDatabase::removeDatabase(conn);
    };
    withDb(pg.db, [&](QSqlDatabase &db) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = '%1'").arg(name));
        if (!q.next() && !q.exec(QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(name)))
            why = q.lastError().text();
    });
    if (!why.isEmpty())
        return why;
    withDb(name, [&](QSqlDatabase &db) {
        QStringList statements{QStringLiteral("DROP TABLE IF EXISTS EX_RATE"),
                               QStringLiteral("DROP TABLE IF EXISTS EX_RATE_LOG")};
        statements += scriptStatements(QStringLiteral("postgresql.sql"));
        for (const QString &s : std::as_const(statements)) {
            QSqlQuery q(db);
            if (!q.exec(s)) {
                why = q.lastError().text();
                return;
            }
        }
    });
    return why;
}

inline QString odbcDriver(const QString &file)
{
    for (const QString &d :
         QDir(QStringLiteral("/usr/lib")).entryList(QStringList{QStringLiteral("*-linux-gnu*")}, QDir::Dirs)) {
        const QString p = QStringLiteral("/usr/lib/") + d + QStringLiteral("/odbc/") + file;
        if (QFile::exists(p))
            return p;
    }
    return {};
}

// Writes odbcinst.ini (the SQLite3 and PostgreSQL drivers) and an odbc.ini holding `dsns`
// (section name -> key/value lines) into dir, and points unixODBC there.
inline void writeOdbcConfig(const QString &dir, const QList<std::pair<QString, QStringList>> &dsns)
{
    QFile inst(dir + QStringLiteral("/odbcinst.ini"));
    QVERIFY(inst.open(QIODevice::WriteOnly));
    inst.write(QStringLiteral("[SQLite3]\nDriver=%1\n\n[PostgreSQL Unicode]\nDriver=%2\n\n"
                              "[FreeTDS]\nDriver=%3\n")
                   .arg(odbcDriver(QStringLiteral("libsqlite3odbc.so")), odbcDriver(QStringLiteral("psqlodbcw.so")),
                        odbcDriver(QStringLiteral("libtdsodbc.so")))
                   .toUtf8());
    inst.close();
    QFile ini(dir + QStringLiteral("/odbc.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    for (const auto &[name, lines] : dsns)
        ini.write(
            (QLatin1Char('[') + name + QStringLiteral("]\n") + lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n"))
                .toUtf8());
    ini.close();
    qputenv("ODBCSYSINI", dir.toLocal8Bit());
    qputenv("ODBCINI", (dir + QStringLiteral("/user-odbc.ini")).toLocal8Bit());
}

} // namespace DbTestEnv

// PostgreSQL tests skip without a server, and fail when the run requires one.
#define ZZ_REQUIRE_PG()                                                                                                \
    do {                                                                                                               \
        const QString zzWhy = DbTestEnv::pgProblem();                                                                  \
        if (!zzWhy.isEmpty()) {                                                                                        \
            if (DbTestEnv::requirePg())                                                                                \
                QFAIL(qPrintable(zzWhy));                                                                              \
            QSKIP(qPrintable(zzWhy));                                                                                  \
        }                                                                                                              \
    } while (0)
