// The one write path of a day's change and its history rows in EX_RATE_LOG, on the embedded
// database and on PostgreSQL: every change logged in its own transaction, nothing logged for a
// change that rolled back, two copies of the program logging in the order they changed the day,
// a server database without the table working as before, and a table of an older script getting
// its source column.

#include "app/clsmain.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/ratestatements.h"
#include "rate/ratewriter.h"

#include "../common/dbtestenv.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

struct Copy
{
    std::unique_ptr<ConnProvider> provider;
    std::unique_ptr<DataAccess> da;
    std::unique_ptr<RateWriter> writer;
};

RateHistory::DayValues values(double usd, double vnd, double krw, const QString &remark = {})
{
    using RateStatements::numberText;
    return {numberText(usd), numberText(vnd), numberText(krw), remark};
}

} // namespace

class TstRateHistory : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void everyChangeLogged_data();
    void everyChangeLogged();
    void rolledBackChangeLeavesNoHistory_data();
    void rolledBackChangeLeavesNoHistory();
    void twoCopiesLogInOrder_data();
    void twoCopiesLogInOrder();
    void serverWithoutTableWorksAsBefore();
    void olderTableGetsTheSourceColumn_data();
    void olderTableGetsTheSourceColumn();

private:
    void addBackends();
    // A copy of the program on the test database of `backend` (made fresh when `fresh`).
    Copy open(const QString &backend, const QString &user, bool fresh);
    QString scalar(DataAccess &da, const QString &sql);

    QTemporaryDir m_dir;
    std::vector<Copy> m_copies;
};

void TstRateHistory::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TstRateHistory::cleanup()
{
    m_copies.clear();
}

void TstRateHistory::addBackends()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << "sqlite";
    QTest::newRow("pgsql") << "pgsql";
}

Copy TstRateHistory::open(const QString &backend, const QString &user, bool fresh)
{
    Copy c;
    c.provider = std::make_unique<ConnProvider>();
    if (backend == u"sqlite") {
        const QString file = m_dir.filePath(QStringLiteral("history.db"));
        if (fresh) {
            QFile::remove(file);
            QFile f(file);
            f.open(QIODevice::WriteOnly);
        }
        c.provider->setServerName(QStringLiteral("sqlite"));
        c.provider->setDatabaseName(file);
        c.provider->setSqliteSetup(App::sqliteSchemaStatements());
    } else {
        if (fresh) {
            const QString why = DbTestEnv::freshPgDatabase(QStringLiteral("zz_ratehistory"));
            if (!why.isEmpty())
                qFatal("%s", qPrintable(why));
        }
        const DbTestEnv::Pg pg;
        c.provider->setServerName(QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port));
        c.provider->setUserId(pg.user);
        c.provider->setDatabaseName(QStringLiteral("zz_ratehistory"));
    }
    c.provider->OpenConnection();
    c.da = std::make_unique<DataAccess>();
    c.da->AttachConnection(c.provider->GetConnection());
    c.writer = std::make_unique<RateWriter>(*c.da, user);
    return c;
}

QString TstRateHistory::scalar(DataAccess &da, const QString &sql)
{
    if (!da.OpenQuery(sql))
        return QStringLiteral("<failed: %1>").arg(da.lastError());
    const QString v = da.FieldValue(0);
    da.CloseQuery();
    return v;
}

#define ZZ_BACKEND()                                                                                                   \
    QFETCH(QString, backend);                                                                                          \
    if (backend == u"pgsql")                                                                                           \
        ZZ_REQUIRE_PG();

void TstRateHistory::everyChangeLogged_data()
{
    addBackends();
}

void TstRateHistory::everyChangeLogged()
{
    ZZ_BACKEND();
    Copy c = open(backend, QStringLiteral("U01"), true);
    QVERIFY(c.writer->historyOn());
    const QString day = QStringLiteral("2024/03/15");
    QCOMPARE(c.writer->save(day, values(1330.25, 24650, 0.053967, QStringLiteral("첫 입력"))),
             RateWriter::Result::Inserted);
    QCOMPARE(c.writer->save(day, values(1331.5, 24700, 0.054, QStringLiteral("it's 수정"))),
             RateWriter::Result::Updated);
    QCOMPARE(c.writer->remove(day), RateWriter::Result::Deleted);
    QCOMPARE(c.writer->remove(day), RateWriter::Result::Missing);

    QList<RateHistory::Entry> log;
    QVERIFY(c.writer->readDay(day, &log));
    QCOMPARE(log.size(), 3);
    // newest first: the delete, the update, the insert
    QCOMPARE(log[0].action, QStringLiteral("D"));
    QCOMPARE(log[0].before.usd.toDouble(), 1331.5);
    QCOMPARE(log[0].before.remark, QStringLiteral("it's 수정"));
    QVERIFY(log[0].after.usd.isEmpty());
    QCOMPARE(log[1].action, QStringLiteral("U"));
    QCOMPARE(log[1].before.vnd.toDouble(), 24650.0);
    QCOMPARE(log[1].before.remark, QStringLiteral("첫 입력"));
    QCOMPARE(log[1].after.krw.toDouble(), 0.054);
    QCOMPARE(log[2].action, QStringLiteral("I"));
    QVERIFY(log[2].before.usd.isEmpty());
    QCOMPARE(log[2].after.usd.toDouble(), 1330.25);
    for (const RateHistory::Entry &e : log) {
        QCOMPARE(e.user, QStringLiteral("U01"));
        QCOMPARE(e.host, RateHistory::hostName());
        QVERIFY2(e.when.startsWith(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))), qPrintable(e.when));
    }
    // another day's history stays apart
    QVERIFY(c.writer->readDay(QStringLiteral("2024/03/16"), &log));
    QVERIFY(log.isEmpty());
}

void TstRateHistory::rolledBackChangeLeavesNoHistory_data()
{
    addBackends();
}

void TstRateHistory::rolledBackChangeLeavesNoHistory()
{
    ZZ_BACKEND();
    Copy c = open(backend, QStringLiteral("U01"), true);
    const QString day = QStringLiteral("2024/05/02");
    QCOMPARE(c.writer->save(day, values(1300, 24000, 0.05, QStringLiteral("a"))), RateWriter::Result::Inserted);
    // an update the table refuses after its history row was written: the SQLite table holds
    // 200 characters of remark (the history's column does not check), the test server caps USD
    RateHistory::DayValues refused = values(1310, 24000, 0.05, QString(201, QLatin1Char('x')));
    if (backend == u"pgsql") {
        QVERIFY(c.da->Execute(QStringLiteral("ALTER TABLE EX_RATE ADD CONSTRAINT zz_usd_cap CHECK (USD < 100000)")));
        refused = values(200000, 24000, 0.05, QStringLiteral("b"));
    }
    QCOMPARE(c.writer->save(day, refused), RateWriter::Result::Failed);
    QVERIFY(!c.da->inTransaction());
    // a second insert of the day fails on the key after nothing else
    QVERIFY(!c.writer->apply(RateHistory::Action::Insert, day, values(1, 1, 1)));
    QCOMPARE(scalar(*c.da, QStringLiteral("SELECT COUNT(*) FROM EX_RATE_LOG")), QStringLiteral("1"));
    QCOMPARE(scalar(*c.da, QStringLiteral("SELECT REMARK FROM EX_RATE")), QStringLiteral("a"));
    QCOMPARE(scalar(*c.da, QStringLiteral("SELECT LOG_ACTION FROM EX_RATE_LOG")), QStringLiteral("I"));
}

void TstRateHistory::twoCopiesLogInOrder_data()
{
    addBackends();
}

void TstRateHistory::twoCopiesLogInOrder()
{
    ZZ_BACKEND();
    m_copies.push_back(open(backend, QStringLiteral("AAA"), true));
    m_copies.push_back(open(backend, QStringLiteral("BBB"), false));
    RateWriter &a = *m_copies[0].writer;
    RateWriter &b = *m_copies[1].writer;
    const QString day = QStringLiteral("2024/06/03");
    QCOMPARE(a.save(day, values(1300, 24000, 0.05)), RateWriter::Result::Inserted);
    QCOMPARE(b.save(day, values(1301, 24000, 0.05)), RateWriter::Result::Updated);
    QCOMPARE(a.save(day, values(1302, 24000, 0.05)), RateWriter::Result::Updated);
    QList<RateHistory::Entry> log;
    QVERIFY(b.readDay(day, &log));
    QCOMPARE(log.size(), 3);
    QCOMPARE(log[0].user, QStringLiteral("AAA"));
    QCOMPARE(log[0].before.usd.toDouble(), 1301.0);
    QCOMPARE(log[0].after.usd.toDouble(), 1302.0);
    QCOMPARE(log[1].user, QStringLiteral("BBB"));
    QCOMPARE(log[1].before.usd.toDouble(), 1300.0);
    QCOMPARE(log[1].after.usd.toDouble(), 1301.0);
    QCOMPARE(log[2].action, QStringLiteral("I"));
    QVERIFY(log[0].when >= log[1].when && log[1].when >= log[2].when);
}

void TstRateHistory::serverWithoutTableWorksAsBefore()
{
    ZZ_REQUIRE_PG();
    Copy c = open(QStringLiteral("pgsql"), QStringLiteral("U01"), true);
    QVERIFY(c.da->Execute(QStringLiteral("DROP TABLE EX_RATE_LOG")));
    QVERIFY(!c.writer->historyOn());
    QStringList calls;
    c.da->setCallLog(&calls);
    QCOMPARE(c.writer->save(QStringLiteral("2024/07/01"), values(1300, 24000, 0.05)), RateWriter::Result::Inserted);
    c.da->setCallLog(nullptr);
    // the check and the one statement, as the program always did
    QCOMPARE(calls,
             (QStringList{"OpenQuery", "RecordCount", "IsEof", "CloseQuery", "BeginTrans", "Execute", "CommitTrans"}));
    QCOMPARE(c.writer->save(QStringLiteral("2024/07/01"), values(1301, 24000, 0.05)), RateWriter::Result::Updated);
    QCOMPARE(scalar(*c.da, QStringLiteral("SELECT USD FROM EX_RATE")).toDouble(), 1301.0);
    QList<RateHistory::Entry> log;
    QVERIFY(!c.writer->readDay(QStringLiteral("2024/07/01"), &log));
}

void TstRateHistory::olderTableGetsTheSourceColumn_data()
{
    addBackends();
}

void TstRateHistory::olderTableGetsTheSourceColumn()
{
    ZZ_BACKEND();
    Copy c = open(backend, QStringLiteral("U01"), true);
    QVERIFY(c.da->Execute(QStringLiteral("ALTER TABLE EX_RATE_LOG DROP COLUMN LOG_SOURCE")));
    const QString day = QStringLiteral("2024/03/15");
    QVERIFY(c.da->Execute(QStringLiteral("INSERT INTO EX_RATE_LOG (STD_DATE, LOG_ACTION, NEW_USD, USER_CODE) "
                                         "VALUES ('2024/03/15', 'I', 1300, 'OLD')")));
    QVERIFY(c.da->Execute(RateStatements::insertStatement(day, QStringLiteral("1300"), QStringLiteral("24000"),
                                                          QStringLiteral("0.05"), QString(), QStringLiteral("OLD"))));
    c.writer->setSource(QStringLiteral("bank.csv"));
    QCOMPARE(c.writer->save(day, values(1330.25, 24650, 0.053967)), RateWriter::Result::Updated);
    c.writer->setSource({});
    QCOMPARE(c.writer->save(day, values(1331, 24650, 0.053967)), RateWriter::Result::Updated);
    QList<RateHistory::Entry> log;
    QVERIFY(c.writer->readDay(day, &log));
    QCOMPARE(log.size(), 3);
    QCOMPARE(log[0].source, QString()); // typed by hand
    QCOMPARE(log[1].source, QStringLiteral("bank.csv"));
    QCOMPARE(log[1].after.usd.toDouble(), 1330.25);
    QCOMPARE(log[2].user, QStringLiteral("OLD")); // the rows from before stay as they were
    QCOMPARE(log[2].source, QString());
}

QTEST_MAIN(TstRateHistory)
#include "tst_ratehistory.moc"
