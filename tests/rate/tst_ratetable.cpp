// The save, delete and query call sequences on EX_RATE against every backend: embedded SQLite,
// the PostgreSQL test server, and both through ODBC (the SQLite3 and PostgreSQL drivers).

#include "app/clsmain.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/ratecalls.h"
#include "rate/ratestatements.h"

#include "../common/dbtestenv.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using RateCalls::DayState;

namespace {

const QStringList Backends{QStringLiteral("sqlite"), QStringLiteral("pgsql"), QStringLiteral("odbc-sqlite"),
                           QStringLiteral("odbc-pgsql")};

QString insertOf(const QString &date, double usd, double vnd, double krw, const QString &remark,
                 const QString &user = QStringLiteral("U01"))
{
    using RateStatements::numberText;
    return RateStatements::insertStatement(date, numberText(usd), numberText(vnd), numberText(krw), remark, user);
}

} // namespace

// Opens the backend named by the test row into m_da; skips (or fails) without PostgreSQL.
#define ZZ_OPEN_BACKEND()                                                                                              \
    QFETCH(QString, backend);                                                                                          \
    if (backend.contains(QLatin1String("pgsql")))                                                                      \
        ZZ_REQUIRE_PG();                                                                                               \
    openBackend(backend);                                                                                              \
    if (QTest::currentTestFailed())                                                                                    \
        return;

class TstRateTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void saveInsertsThenUpdates_data() { addBackends(); }
    void saveInsertsThenUpdates();
    void deleteRemovesOnlyThatDay_data() { addBackends(); }
    void deleteRemovesOnlyThatDay();
    void periodQuerySequence_data() { addBackends(); }
    void periodQuerySequence();
    void emptyPeriodOpensAndCloses_data() { addBackends(); }
    void emptyPeriodOpensAndCloses();
    void remarkStoredExactly_data();
    void remarkStoredExactly();
    void secondInsertOfDayFailsCleanly_data() { addBackends(); }
    void secondInsertOfDayFailsCleanly();
    void failedExecuteRollsBack_data() { addBackends(); }
    void failedExecuteRollsBack();
    void nullFieldsReadAsEmptyText_data() { addBackends(); }
    void nullFieldsReadAsEmptyText();

private:
    void addBackends();
    void openBackend(const QString &backend);
    int rowCount();
    QStringList readDay(const QString &date, const QString &columns);

    QTemporaryDir m_dir;
    QString m_sqliteFile;
    QString m_odbcSqliteFile;
    std::unique_ptr<ConnProvider> m_provider;
    std::unique_ptr<DataAccess> m_da;
    QStringList m_log;
};

void TstRateTable::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_sqliteFile = m_dir.filePath(QStringLiteral("rates.db"));
    m_odbcSqliteFile = m_dir.filePath(QStringLiteral("rates-odbc.db"));
    const DbTestEnv::Pg pg;
    const QString ext = DbTestEnv::buildDir() + QStringLiteral("/zozura_sqlite_getdate.so");
    QVERIFY2(QFile::exists(ext), qPrintable(ext));
    DbTestEnv::writeOdbcConfig(m_dir.path(),
                               {{QStringLiteral("zz_sqlite"),
                                 {QStringLiteral("Driver=SQLite3"), QStringLiteral("Database=") + m_odbcSqliteFile,
                                  QStringLiteral("LoadExt=") + ext}},
                                {QStringLiteral("zz_pg"),
                                 {QStringLiteral("Driver=PostgreSQL Unicode"), QStringLiteral("Servername=") + pg.host,
                                  QStringLiteral("Port=%1").arg(pg.port), QStringLiteral("Database=zz_ratetable_odbc"),
                                  QStringLiteral("Username=") + pg.user}}});
}

void TstRateTable::cleanup()
{
    m_da.reset();
    m_provider.reset();
    m_log.clear();
}

void TstRateTable::addBackends()
{
    QTest::addColumn<QString>("backend");
    for (const QString &b : Backends)
        QTest::newRow(qPrintable(b)) << b;
}

void TstRateTable::openBackend(const QString &backend)
{
    m_provider = std::make_unique<ConnProvider>();
    const DbTestEnv::Pg pg;
    if (backend == QLatin1String("sqlite") || backend == QLatin1String("odbc-sqlite")) {
        const QString file = backend == QLatin1String("sqlite") ? m_sqliteFile : m_odbcSqliteFile;
        QFile::remove(file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        // the program's own open makes the table in the new file
        ConnProvider maker;
        maker.setServerName(QStringLiteral("sqlite"));
        maker.setDatabaseName(file);
        maker.setSqliteSetup(App::sqliteSchemaStatements());
        QVERIFY(maker.OpenConnection());
        if (backend == QLatin1String("sqlite")) {
            m_provider = std::make_unique<ConnProvider>(std::move(maker));
        } else {
            m_provider->setServerName(QStringLiteral("odbc:zz_sqlite"));
        }
    } else if (backend == QLatin1String("pgsql")) {
        const QString why = DbTestEnv::freshPgDatabase(QStringLiteral("zz_ratetable"));
        QVERIFY2(why.isEmpty(), qPrintable(why));
        m_provider->setServerName(QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port));
        m_provider->setUserId(pg.user);
        m_provider->setDatabaseName(QStringLiteral("zz_ratetable"));
    } else {
        const QString why = DbTestEnv::freshPgDatabase(QStringLiteral("zz_ratetable_odbc"));
        QVERIFY2(why.isEmpty(), qPrintable(why));
        m_provider->setServerName(QStringLiteral("odbc:zz_pg"));
        m_provider->setUserId(pg.user);
    }
    if (!m_provider->GetConnection()) {
        try {
            QVERIFY(m_provider->OpenConnection());
        } catch (const DbError &e) {
            QFAIL(e.what());
        }
    }
    m_da = std::make_unique<DataAccess>();
    m_da->AttachConnection(m_provider->GetConnection());
    m_da->setCallLog(&m_log);
}

int TstRateTable::rowCount()
{
    m_da->setCallLog(nullptr);
    int n = -1;
    if (m_da->OpenQuery(QStringLiteral("SELECT COUNT(*) FROM EX_RATE"))) {
        n = m_da->FieldValue(0).toInt();
        m_da->CloseQuery();
    }
    m_da->setCallLog(&m_log);
    return n;
}

QStringList TstRateTable::readDay(const QString &date, const QString &columns)
{
    m_da->setCallLog(nullptr);
    QStringList out;
    if (m_da->OpenQuery(QStringLiteral("SELECT %1 FROM EX_RATE WHERE STD_DATE = '%2'").arg(columns, date))) {
        if (!m_da->IsEof()) {
            for (int i = 0; i < m_da->FieldCount(); ++i)
                out << m_da->FieldValue(i);
        }
        m_da->CloseQuery();
    }
    m_da->setCallLog(&m_log);
    return out;
}

void TstRateTable::saveInsertsThenUpdates()
{
    ZZ_OPEN_BACKEND();
    const QString day = QStringLiteral("2024/03/15");

    QCOMPARE(RateCalls::checkDay(*m_da, day), DayState::Missing);
    QCOMPARE(m_log, (QStringList{"OpenQuery", "RecordCount", "IsEof", "CloseQuery"}));
    QVERIFY(!m_da->isQueryOpen());

    m_log.clear();
    QVERIFY2(RateCalls::writeInTransaction(*m_da, insertOf(day, 1330.25, 24650, 0.053967, QStringLiteral("첫 입력"))),
             qPrintable(m_da->lastError()));
    QCOMPARE(m_log, (QStringList{"BeginTrans", "Execute", "CommitTrans"}));
    QVERIFY(!m_da->inTransaction());

    QCOMPARE(RateCalls::checkDay(*m_da, day), DayState::Present);
    QStringList row = readDay(day, QStringLiteral("USD, VND, KRW, REMARK, INS_SCODE, INS_DATE"));
    QCOMPARE(row.size(), 6);
    QCOMPARE(row.at(0).toDouble(), 1330.25);
    QCOMPARE(row.at(1).toDouble(), 24650.0);
    QCOMPARE(row.at(2).toDouble(), 0.053967);
    QCOMPARE(row.at(3), QStringLiteral("첫 입력"));
    QCOMPARE(row.at(4), QStringLiteral("U01"));
    QVERIFY2(row.at(5).startsWith(QString::number(QDate::currentDate().year())), qPrintable(row.at(5)));

    using RateStatements::numberText;
    m_log.clear();
    QVERIFY(RateCalls::writeInTransaction(*m_da,
                                          RateStatements::updateStatement(day, numberText(1331.5), numberText(24700),
                                                                          numberText(0.054), QStringLiteral("수정"))));
    QCOMPARE(m_log, (QStringList{"BeginTrans", "Execute", "CommitTrans"}));
    row = readDay(day, QStringLiteral("USD, VND, KRW, REMARK, INS_SCODE"));
    QCOMPARE(row.at(0).toDouble(), 1331.5);
    QCOMPARE(row.at(1).toDouble(), 24700.0);
    QCOMPARE(row.at(2).toDouble(), 0.054);
    QCOMPARE(row.at(3), QStringLiteral("수정"));
    QCOMPARE(row.at(4), QStringLiteral("U01")); // the update leaves the inserting user
    QCOMPARE(rowCount(), 1);
}

void TstRateTable::deleteRemovesOnlyThatDay()
{
    ZZ_OPEN_BACKEND();
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/01/01", 1, 2, 3, "a")));
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/01/02", 4, 5, 6, "b")));
    m_log.clear();
    QVERIFY(RateCalls::writeInTransaction(*m_da, RateStatements::deleteStatement("2024/01/01")));
    QCOMPARE(m_log, (QStringList{"BeginTrans", "Execute", "CommitTrans"}));
    QCOMPARE(RateCalls::checkDay(*m_da, "2024/01/01"), DayState::Missing);
    QCOMPARE(RateCalls::checkDay(*m_da, "2024/01/02"), DayState::Present);
    QCOMPARE(rowCount(), 1);
}

void TstRateTable::periodQuerySequence()
{
    ZZ_OPEN_BACKEND();
    // three days inside the period, one on each side of it
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2023/12/31", 999, 999, 999, "before")));
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/01/03", 1300.5, 24000, 0.0541, "x")));
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/01/01", 1310.25, 24100, 0.0539, "y")));
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/01/02", 1320, 24200, 0.054, "z")));
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/02/01", 999, 999, 999, "after")));
    // an early day updated: a server scanning in storage order would now give it last
    QVERIFY(RateCalls::writeInTransaction(
        *m_da, RateStatements::updateStatement("2024/01/01", "1310.25", "24100", "0.0539", "y")));

    m_log.clear();
    QVERIFY(m_da->OpenQuery(RateStatements::periodStatement("2024/01/01", "2024/01/31"), 1, 3));
    QVERIFY(!m_da->IsEof());
    m_da->MoveFirst();
    const long n = m_da->RecordCount();
    QCOMPARE(n, 3L);
    double usd = 0, vnd = 0, krw = 0;
    QStringList days;
    for (long i = 0; i < n; ++i) {
        const int fields = m_da->FieldCount();
        QCOMPARE(fields, 5);
        for (int j = 0; j < fields; ++j) {
            if (j == 0)
                days << m_da->FieldValue(j);
            else
                m_da->FieldValue(j);
        }
        usd += m_da->FieldValue(1).toDouble();
        vnd += m_da->FieldValue(2).toDouble();
        krw += m_da->FieldValue(3).toDouble();
        m_da->MoveNext();
    }
    QVERIFY(m_da->IsEof());
    QCOMPARE(m_da->RecordCount(), 3L); // asked again for the averages: still exact
    QVERIFY(m_da->CloseQuery());
    QVERIFY(!m_da->isQueryOpen());

    QCOMPARE(days, (QStringList{"2024/01/01", "2024/01/02", "2024/01/03"})); // in date order
    QCOMPARE(usd / n, (1300.5 + 1310.25 + 1320) / 3);
    QCOMPARE(vnd / n, 24100.0);
    QVERIFY(qAbs(krw / n - (0.0541 + 0.0539 + 0.054) / 3) < 1e-12);
    QCOMPARE(m_log.count(QStringLiteral("MoveNext")), 3);
    QCOMPARE(m_log.count(QStringLiteral("FieldValue(1)")), 6); // 5 + 3 reads per row
    QCOMPARE(m_log.count(QStringLiteral("FieldValue(4)")), 3);
}

void TstRateTable::emptyPeriodOpensAndCloses()
{
    ZZ_OPEN_BACKEND();
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/05/05", 1, 1, 1, "")));
    m_log.clear();
    QVERIFY(m_da->OpenQuery(RateStatements::periodStatement("2000/01/01", "2000/12/31"), 1, 3));
    QVERIFY(m_da->IsEof());
    QCOMPARE(m_da->RecordCount(), 0L);
    QVERIFY(m_da->CloseQuery());
    QCOMPARE(m_log, (QStringList{"OpenQuery", "IsEof", "RecordCount", "CloseQuery"}));
    QCOMPARE(m_da->RecordCount(), -1L); // nothing open any more
}

void TstRateTable::remarkStoredExactly_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("remark");
    const QStringList remarks{
        QStringLiteral("it's"),
        QStringLiteral("'; DELETE FROM EX_RATE; --"),
        QStringLiteral("a; b -- c /* d */"),
        QStringLiteral("''"),
        QStringLiteral("  앞뒤 공백  "),
        QStringLiteral("한국은행 고시 \"매매기준율\""),
        QStringLiteral("\\ backslash \\'"),
    };
    for (const QString &b : Backends) {
        for (int i = 0; i < remarks.size(); ++i)
            QTest::addRow("%s #%d", qPrintable(b), i) << b << remarks.at(i);
    }
}

void TstRateTable::remarkStoredExactly()
{
    ZZ_OPEN_BACKEND();
    QFETCH(QString, remark);
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/01/01", 1, 1, 1, "keep")));
    QVERIFY2(RateCalls::writeInTransaction(*m_da, insertOf("2024/06/30", 1, 2, 3, remark, remark)),
             qPrintable(m_da->lastError()));
    QCOMPARE(readDay("2024/06/30", "REMARK, INS_SCODE"), (QStringList{remark, remark}));
    QCOMPARE(rowCount(), 2); // nothing else ran
    using RateStatements::numberText;
    QVERIFY(RateCalls::writeInTransaction(
        *m_da, RateStatements::updateStatement("2024/06/30", "1", "2", "3", remark + remark)));
    QCOMPARE(readDay("2024/06/30", "REMARK"), QStringList{remark + remark});
    QCOMPARE(rowCount(), 2);
}

void TstRateTable::secondInsertOfDayFailsCleanly()
{
    ZZ_OPEN_BACKEND();
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/07/01", 1300, 24000, 0.05, "first")));
    m_log.clear();
    QVERIFY(!RateCalls::writeInTransaction(*m_da, insertOf("2024/07/01", 1, 1, 1, "second")));
    QCOMPARE(m_log, (QStringList{"BeginTrans", "Execute", "RollbackTrans"}));
    QVERIFY(!m_da->lastError().isEmpty());
    QVERIFY(!m_da->inTransaction());
    QCOMPARE(rowCount(), 1);
    QCOMPARE(readDay("2024/07/01", "REMARK"), QStringList{"first"});
    // the connection is usable at once for the next write
    QVERIFY(RateCalls::writeInTransaction(*m_da, insertOf("2024/07/02", 1, 1, 1, "next")));
    QCOMPARE(rowCount(), 2);
}

void TstRateTable::failedExecuteRollsBack()
{
    ZZ_OPEN_BACKEND();
    QVERIFY(m_da->BeginTrans());
    QVERIFY(m_da->Execute(insertOf("2024/08/01", 1, 1, 1, "inside")));
    QVERIFY(!m_da->Execute(QStringLiteral(" INSERT INTO NO_SUCH_TABLE VALUES ( 1 ) ")));
    QVERIFY(m_da->RollbackTrans());
    QCOMPARE(rowCount(), 0); // the first statement of the transaction is gone as well
    QVERIFY(!m_da->CommitTrans()); // nothing left to commit
    QCOMPARE(m_log.count(QStringLiteral("CommitTrans")), 1);
    QCOMPARE(rowCount(), 0);
}

void TstRateTable::nullFieldsReadAsEmptyText()
{
    ZZ_OPEN_BACKEND();
    QVERIFY(m_da->BeginTrans());
    QVERIFY(m_da->Execute(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/09/09', NULL, 5, NULL, NULL)")));
    QVERIFY(m_da->CommitTrans());
    QVERIFY(m_da->OpenQuery(RateStatements::periodStatement("2024/09/09", "2024/09/09")));
    QCOMPARE(m_da->RecordCount(), 1L);
    m_da->MoveFirst();
    QCOMPARE(m_da->FieldValue(0), QStringLiteral("2024/09/09"));
    QCOMPARE(m_da->FieldValue(1), QString());
    QCOMPARE(m_da->FieldValue(2).toDouble(), 5.0);
    QCOMPARE(m_da->FieldValue(3), QString());
    QCOMPARE(m_da->FieldValue(4), QString());
    QCOMPARE(m_da->FieldValue(5), QString()); // past the last field
    QVERIFY(m_da->CloseQuery());
}

QTEST_GUILESS_MAIN(TstRateTable)
#include "tst_ratetable.moc"
