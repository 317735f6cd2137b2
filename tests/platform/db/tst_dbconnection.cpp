// The connection itself: what the server field selects, the ODBC connection strings, the
// embedded database's file rule and busy wait, and reopening after a server restart.

#include "platform/db/connprovider.h"
#include "platform/db/connspec.h"
#include "platform/db/dataaccess.h"
#include "platform/db/dbconnection.h"

#include "../../common/dbtestenv.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

const QString Schema =
    QStringLiteral("CREATE TABLE IF NOT EXISTS EX_RATE (STD_DATE VARCHAR(10) NOT NULL PRIMARY KEY, USD NUMERIC, "
                   "VND NUMERIC, KRW NUMERIC, REMARK VARCHAR(200), INS_DATE DATETIME, INS_SCODE VARCHAR(50))");

using Backend = ConnSpec::Backend;

} // namespace

class TstDbConnection : public QObject
{
    Q_OBJECT

private slots:
    void serverField_data();
    void serverField();
    void odbcConnectString_data();
    void odbcConnectString();
    void sqliteFileMustExist();
    void sqliteRelativeFileAndGetDate();
    void sqliteLockedDatabaseGivesCleanFalse();
    void sqliteRunsOneStatementOnly_data();
    void sqliteRunsOneStatementOnly();
    void closeQueryWithoutSetAnswersFalse();
    void postgresReconnectsAfterRestart();
    void postgresLockTimeOutSaidInKorean();
};

void TstDbConnection::serverField_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("backend");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("instanceOrDsn");
    QTest::newRow("sqlite") << "sqlite" << int(Backend::Sqlite) << true << "" << -1 << "";
    QTest::newRow("sqlite any case") << "SQLite" << int(Backend::Sqlite) << true << "" << -1 << "";
    QTest::newRow("pgsql host") << "pgsql:db1" << int(Backend::Postgres) << true << "db1" << -1 << "";
    QTest::newRow("pgsql host:port") << "pgsql:10.0.0.5:6543" << int(Backend::Postgres) << true << "10.0.0.5" << 6543
                                     << "";
    QTest::newRow("pgsql IPv6") << "pgsql:[::1]:5433" << int(Backend::Postgres) << true << "::1" << 5433 << "";
    QTest::newRow("pgsql bad port") << "pgsql:h:99999" << int(Backend::Postgres) << false << "h" << -1 << "";
    QTest::newRow("pgsql no host") << "pgsql:" << int(Backend::Postgres) << false << "" << -1 << "";
    QTest::newRow("odbc") << "odbc:REPORTS" << int(Backend::Odbc) << true << "" << -1 << "REPORTS";
    QTest::newRow("odbc empty") << "odbc:" << int(Backend::Odbc) << false << "" << -1 << "";
    QTest::newRow("SQL Server host") << "ACCSRV" << int(Backend::SqlServer) << true << "ACCSRV" << -1 << "";
    QTest::newRow("SQL Server host,port") << "ACCSRV,1500" << int(Backend::SqlServer) << true << "ACCSRV" << 1500 << "";
    QTest::newRow("SQL Server instance") << "ACCSRV\\SQLEXPRESS" << int(Backend::SqlServer) << true << "ACCSRV" << -1
                                         << "SQLEXPRESS";
    QTest::newRow("SQL Server bad port") << "ACCSRV,x" << int(Backend::SqlServer) << false << "ACCSRV" << -1 << "";
    QTest::newRow("empty") << "" << int(Backend::SqlServer) << false << "" << -1 << "";
}

void TstDbConnection::serverField()
{
    QFETCH(QString, server);
    QFETCH(int, backend);
    QFETCH(bool, valid);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, instanceOrDsn);
    const ConnSpec conn = ConnSpec::fromServerField(server);
    QCOMPARE(int(conn.backend), backend);
    QCOMPARE(conn.valid, valid);
    QCOMPARE(conn.problem.isEmpty(), valid);
    if (!valid)
        return;
    QCOMPARE(conn.host, host);
    QCOMPARE(conn.port, port);
    QCOMPARE(conn.backend == Backend::Odbc ? conn.dsn : conn.instance, instanceOrDsn);
}

void TstDbConnection::odbcConnectString_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("mustContain");
    QTest::addColumn<bool>("startsWithDsnName");
    QTest::newRow("SQL Server default port")
        << "ACCSRV"
        << "pw" << QStringList{"SERVER=ACCSRV", "PORT=1433", "TDS_Version=7.0", "DATABASE=ZEVARU", "UID=sa", "PWD=pw"}
        << false;
    QTest::newRow("SQL Server port") << "ACCSRV,1500"
                                     << "pw" << QStringList{"SERVER=ACCSRV", "PORT=1500"} << false;
    QTest::newRow("SQL Server instance, no port") << "ACCSRV\\SQLEXPRESS"
                                                  << "pw" << QStringList{"SERVER=ACCSRV\\SQLEXPRESS"} << false;
    QTest::newRow("password with separators braced") << "ACCSRV"
                                                     << "a;b}c" << QStringList{"PWD={a;b}}c}"} << false;
    QTest::newRow("data source name first") << "odbc:REPORTS"
                                            << "pw" << QStringList{"REPORTS;DATABASE=ZEVARU", "UID=sa"} << true;
}

void TstDbConnection::odbcConnectString()
{
    QFETCH(QString, server);
    QFETCH(QString, password);
    QFETCH(QStringList, mustContain);
    QFETCH(bool, startsWithDsnName);
    DbConnection::Settings s;
    s.server = server;
    s.user = QStringLiteral("sa");
    s.password = password;
    s.database = QStringLiteral("ZEVARU");
    const QString text = DbConnection(s).odbcConnectString();
    for (const QString &part : mustContain)
        QVERIFY2(text.contains(part), qPrintable(text + QStringLiteral(" lacks ") + part));
    if (startsWithDsnName) // the ODBC driver of Qt puts DSN= in front itself
        QVERIFY(text.startsWith(QStringLiteral("REPORTS")));
    else
        QVERIFY(text.startsWith(QStringLiteral("DRIVER=")));
    QCOMPARE(text.count(QStringLiteral("PWD=")), 1);
}

void TstDbConnection::sqliteFileMustExist()
{
    QTemporaryDir dir;
    ConnProvider provider;
    provider.setServerName(QStringLiteral("sqlite"));
    provider.setDatabaseName(QStringLiteral("missing.db"));
    provider.setBaseDirectory(dir.path());
    QVERIFY_THROWS_EXCEPTION(DbError, provider.OpenConnection());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing.db"))));
    QVERIFY(!provider.GetConnection());
}

void TstDbConnection::sqliteRelativeFileAndGetDate()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("r.db")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    ConnProvider provider;
    provider.setServerName(QStringLiteral("sqlite"));
    provider.setDatabaseName(QStringLiteral("r.db"));
    provider.setBaseDirectory(dir.path());
    provider.setSqliteSetup({Schema});
    QVERIFY(provider.OpenConnection());
    DataAccess da;
    da.AttachConnection(provider.GetConnection());
    QVERIFY(da.OpenQuery(QStringLiteral("SELECT GETDATE(), COUNT(*) FROM EX_RATE")));
    const QDateTime stamp = QDateTime::fromString(da.FieldValue(0), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    QVERIFY2(stamp.isValid(), qPrintable(da.FieldValue(0)));
    QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) < 60);
    QCOMPARE(da.FieldValue(1), QStringLiteral("0"));
    QVERIFY(da.CloseQuery());
}

void TstDbConnection::sqliteLockedDatabaseGivesCleanFalse()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("locked.db"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    ConnProvider provider;
    provider.setServerName(QStringLiteral("sqlite"));
    provider.setDatabaseName(file);
    provider.setSqliteSetup({Schema});
    provider.setBusyTimeoutMs(300);
    QVERIFY(provider.OpenConnection());
    DataAccess da;
    da.AttachConnection(provider.GetConnection());

    // another connection holds the database exclusively
    QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    holder.setDatabaseName(file);
    QVERIFY(holder.open());
    QSqlQuery hq(holder);
    QVERIFY(hq.exec(QStringLiteral("BEGIN EXCLUSIVE")));
    QVERIFY(hq.exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE) VALUES ('2000/01/01')")));

    QElapsedTimer t;
    t.start();
    QVERIFY(!da.OpenQuery(QStringLiteral(" SELECT * FROM EX_RATE ")));
    const qint64 waited = t.elapsed();
    QVERIFY2(waited >= 250 && waited < 5000, qPrintable(QString::number(waited)));
    QVERIFY(!da.isQueryOpen());
    // said in Korean, not as the database's "database is locked"
    const QString busy = QStringLiteral("다른 사용자가 데이터베이스를 사용중입니다. 잠시 후 다시 시도하여 주십시오.");
    QCOMPARE(da.lastError(), busy);

    da.BeginTrans();
    QVERIFY(!da.Execute(QStringLiteral("INSERT INTO EX_RATE (STD_DATE) VALUES ('2000/01/02')")));
    QCOMPARE(da.lastError(), busy);
    QVERIFY(da.RollbackTrans());

    QVERIFY(hq.exec(QStringLiteral("ROLLBACK")));
    hq.finish();
    holder.close();
    // the same connection goes on once the lock is gone; nothing of either side was kept
    QVERIFY(da.OpenQuery(QStringLiteral(" SELECT * FROM EX_RATE ")));
    QCOMPARE(da.RecordCount(), 0L);
    QVERIFY(da.CloseQuery());
    QCOMPARE(provider.GetConnection()->openCount(), 1);
    holder = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));
}

void TstDbConnection::sqliteRunsOneStatementOnly_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<bool>("asQuery");
    QTest::newRow("query then delete") << " SELECT * FROM EX_RATE ; DELETE FROM EX_RATE " << true;
    QTest::newRow("insert then delete") << "INSERT INTO EX_RATE (STD_DATE) VALUES ('2001/01/01'); DELETE FROM EX_RATE"
                                        << false;
    QTest::newRow("trailing semicolon and comment is one statement") << " SELECT * FROM EX_RATE ; -- x" << true;
}

void TstDbConnection::sqliteRunsOneStatementOnly()
{
    QFETCH(QString, statement);
    QFETCH(bool, asQuery);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("one.db"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    ConnProvider provider;
    provider.setServerName(QStringLiteral("sqlite"));
    provider.setDatabaseName(file);
    provider.setSqliteSetup({Schema, QStringLiteral("INSERT INTO EX_RATE (STD_DATE) VALUES ('2000/01/01')")});
    QVERIFY(provider.OpenConnection());
    DataAccess da;
    da.AttachConnection(provider.GetConnection());
    const bool single = statement.contains(QLatin1String("-- x"));
    const bool ok = asQuery ? da.OpenQuery(statement) : da.Execute(statement);
    QCOMPARE(ok, single);
    if (!single)
        QVERIFY(!da.lastError().isEmpty());
    da.CloseQuery();
    QVERIFY(da.OpenQuery(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")));
    QCOMPARE(da.FieldValue(0), QStringLiteral("1")); // nothing after the first statement ran
    da.CloseQuery();
}

void TstDbConnection::closeQueryWithoutSetAnswersFalse()
{
    DataAccess da;
    QVERIFY(!da.CloseQuery());
    QVERIFY(da.IsEof());
    QCOMPARE(da.RecordCount(), -1L);
    QCOMPARE(da.FieldCount(), 0);
    QVERIFY(!da.OpenQuery(QStringLiteral("SELECT 1"))); // no connection attached
    QVERIFY(!da.lastError().isEmpty());
    QVERIFY(!da.BeginTrans());
    QVERIFY(!da.Execute(QStringLiteral("SELECT 1")));
    QVERIFY(!da.RollbackTrans());
}

void TstDbConnection::postgresReconnectsAfterRestart()
{
    ZZ_REQUIRE_PG();
    // a private server, so restarting it disturbs no other test
    const QString bin = qEnvironmentVariable("ZOZURA_PG_BIN");
    if (bin.isEmpty() || getuid() != 0)
        QSKIP("needs ZOZURA_PG_BIN and root to run a private PostgreSQL server");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString data = dir.filePath(QStringLiteral("data"));
    // only a socket in its own folder: no TCP port to clash with anything
    const int port = 5432;
    auto asPostgres = [&](const QStringList &args) {
        QProcess p;
        QStringList full{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")};
        full += args;
        p.start(QStringLiteral("runuser"), full);
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            qWarning() << args << p.readAllStandardError();
            return false;
        }
        return true;
    };
    QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres"), dir.path()});
    QVERIFY(asPostgres({bin + "/initdb", "-D", data, "-A", "trust", "-U", "postgres", "-E", "UTF8"}));
    const QString opts = QStringLiteral("-c listen_addresses= -p %1 -k %2").arg(port).arg(dir.path());
    QVERIFY(asPostgres({bin + "/pg_ctl", "-D", data, "-w", "-o", opts, "-l", data + "/log", "start"}));
    auto stop = qScopeGuard([&] { asPostgres({bin + "/pg_ctl", "-D", data, "-m", "immediate", "stop"}); });

    ConnProvider provider;
    provider.setServerName(QStringLiteral("pgsql:%1").arg(dir.path()));
    provider.setUserId(QStringLiteral("postgres"));
    provider.setDatabaseName(QStringLiteral("postgres"));
    QVERIFY(provider.OpenConnection());
    DataAccess da;
    da.AttachConnection(provider.GetConnection());
    QVERIFY(da.Execute(QStringLiteral("CREATE TABLE EX_RATE (STD_DATE VARCHAR(10) PRIMARY KEY, REMARK VARCHAR(200))")));

    QVERIFY(asPostgres({bin + "/pg_ctl", "-D", data, "-w", "-m", "fast", "-o", opts, "restart"}));
    // a read after the restart works on a reopened connection
    QVERIFY2(da.OpenQuery(QStringLiteral(" SELECT * FROM EX_RATE ")), qPrintable(da.lastError()));
    QCOMPARE(da.RecordCount(), 0L);
    da.CloseQuery();
    QCOMPARE(provider.GetConnection()->openCount(), 2);

    QVERIFY(asPostgres({bin + "/pg_ctl", "-D", data, "-w", "-m", "fast", "-o", opts, "restart"}));
    // a write after the restart: the transaction starts on a reopened connection
    QVERIFY(da.BeginTrans());
    QVERIFY(da.Execute(QStringLiteral("INSERT INTO EX_RATE VALUES ('2024/01/01', 'a')")));
    QVERIFY(da.CommitTrans());

    QVERIFY(asPostgres({bin + "/pg_ctl", "-D", data, "-w", "-m", "fast", "-o", opts, "restart"}));
    // a statement that met the broken connection is reported failed and never sent again
    QVERIFY(!da.Execute(QStringLiteral("INSERT INTO EX_RATE VALUES ('2024/01/02', 'b')")));
    QVERIFY(da.OpenQuery(QStringLiteral(" SELECT STD_DATE FROM EX_RATE ")));
    QCOMPARE(da.RecordCount(), 1L);
    QCOMPARE(da.FieldValue(0), QStringLiteral("2024/01/01"));
    da.CloseQuery();
}

void TstDbConnection::postgresLockTimeOutSaidInKorean()
{
    ZZ_REQUIRE_PG();
    const DbTestEnv::Pg pg;
    const QString why = DbTestEnv::freshPgDatabase(QStringLiteral("zz_locktimeout"));
    QVERIFY2(why.isEmpty(), qPrintable(why));
    ConnProvider provider;
    provider.setServerName(QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port));
    provider.setUserId(pg.user);
    provider.setDatabaseName(QStringLiteral("zz_locktimeout"));
    QVERIFY(provider.OpenConnection());
    DataAccess da;
    da.AttachConnection(provider.GetConnection());
    // the server waits for a lock this long, as an office's server may be set up to
    QVERIFY(da.Execute(QStringLiteral("SET lock_timeout = 300")));
    {
        QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("pg-holder"));
        holder.setHostName(pg.host);
        holder.setPort(pg.port);
        holder.setUserName(pg.user);
        holder.setDatabaseName(QStringLiteral("zz_locktimeout"));
        QVERIFY(holder.open());
        QSqlQuery hq(holder);
        QVERIFY(hq.exec(QStringLiteral("BEGIN")));
        QVERIFY(hq.exec(QStringLiteral("LOCK TABLE EX_RATE IN ACCESS EXCLUSIVE MODE")));
        QVERIFY(!da.Execute(QStringLiteral("INSERT INTO EX_RATE (STD_DATE) VALUES ('2000/01/01')")));
        QCOMPARE(da.lastError(),
                 QStringLiteral("다른 사용자가 같은 데이타를 사용중이어서 기다리는 시간이 지났습니다. "
                                "잠시 후 다시 시도하여 주십시오."));
        QVERIFY(hq.exec(QStringLiteral("ROLLBACK")));
        hq.finish();
        holder.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pg-holder"));
}

QTEST_GUILESS_MAIN(TstDbConnection)
#include "tst_dbconnection.moc"
