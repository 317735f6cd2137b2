// The real zozura executable on its own X server (Xvfb), driven with xdotool the way a user
// drives it, and judged by what it wrote to the database and to disk and by the notices it put up.
// A failing case leaves a screenshot in <build>/e2e-artifacts.

#include "e2edriver.h"

#include "../common/dbtestenv.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

class TstE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_d.startDisplay(); }
    void cleanupTestCase() { m_d.stopDisplay(); }
    void init() { m_d.begin(); }
    void cleanup() { m_d.end(); }

    void startWithoutConfiguration();
    void secondInstance();
    void queryChangeSaveDelete();
    void badInputRefused_data();
    void badInputRefused();
    void sqliteLockedByAnotherWriter();
    void postgresStoppedWhileRunning();

private:
    E2eDriver m_d;
};

// ------------------------------------------------------------------ start-up

void TstE2e::startWithoutConfiguration()
{
    // registry present, ZEVARU.DAT missing: the error box, then the process ends with a failure
    QFile reg(m_d.sysFile(QStringLiteral("registry.ini")));
    QVERIFY(reg.open(QIODevice::WriteOnly));
    reg.write("[SOFTWARE\\ZEVARU]\nREG_USERID=E2E01\n");
    reg.close();
    QProcess *p = m_d.startProgram();
    const QString box = m_d.waitWindow(p->processId(), QStringLiteral("에러"));
    QVERIFY2(!box.isEmpty(), "no error box");
    QVERIFY(m_d.waitWindow(p->processId(), E2eDriver::MainTitle, 0).isEmpty());
    m_d.answerBox(box);
    QVERIFY(p->waitForFinished(10000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QVERIFY(p->exitCode() != 0);
    QVERIFY(!QFile::exists(m_d.sysFile(QStringLiteral("ZEVARU.DAT"))));
}

void TstE2e::secondInstance()
{
    m_d.prepareDemo();
    const QString dbPath = m_d.sysFile(QStringLiteral("zozura-demo.db"));
    QProcess *first = m_d.startProgram();
    QVERIFY(!m_d.waitWindow(first->processId(), E2eDriver::MainTitle).isEmpty());
    const QByteArray before = E2eDriver::fileHash(dbPath);
    const QDateTime modified = QFileInfo(dbPath).lastModified();

    QProcess *second = m_d.startProgram();
    const QString box = m_d.waitWindow(second->processId(), QStringLiteral("경고"));
    QVERIFY2(!box.isEmpty(), "no warning box for the second copy");
    QVERIFY(m_d.waitWindow(second->processId(), E2eDriver::MainTitle, 0).isEmpty());
    m_d.answerBox(box);
    QVERIFY(second->waitForFinished(10000));
    QVERIFY(second->exitCode() != 0);
    QCOMPARE(E2eDriver::fileHash(dbPath), before);
    QCOMPARE(QFileInfo(dbPath).lastModified(), modified);
    QVERIFY2(!QFile::exists(dbPath + QStringLiteral("-journal")), "the second copy opened the database for writing");
    // the first copy carries on
    QCOMPARE(first->state(), QProcess::Running);
}

// ------------------------------------------------------------------ the daily work

void TstE2e::queryChangeSaveDelete()
{
    m_d.prepareDemo();
    QSqlQuery(m_d.check()).exec(QStringLiteral("DELETE FROM EX_RATE WHERE STD_DATE > '2026/12/08'"));
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    QString which;

    // a new day saved
    m_d.click(w, E2eDriver::ClearButton);
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/09"));
    m_d.typeInto(w, E2eDriver::Usd, QStringLiteral("1300.5"));
    m_d.typeInto(w, E2eDriver::Vnd, QStringLiteral("24000"));
    m_d.typeInto(w, E2eDriver::Krw, QStringLiteral("0.055"));
    m_d.typeInto(w, E2eDriver::Remark, QStringLiteral("it's \"new\""));
    m_d.click(w, E2eDriver::SaveButton);
    QString box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(box);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toInt(), 1);
    QCOMPARE(m_d.value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toDouble(), 1300.5);
    QCOMPARE(m_d.value(QStringLiteral("SELECT VND FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toDouble(), 24000.0);
    QCOMPARE(m_d.value(QStringLiteral("SELECT KRW FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toDouble(), 0.055);
    QCOMPARE(m_d.value(QStringLiteral("SELECT REMARK FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toString(),
             QStringLiteral("it's \"new\""));
    QCOMPARE(m_d.value(QStringLiteral("SELECT INS_SCODE FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toString(),
             QStringLiteral("DEMO01"));

    // a period query; a click on its third row brings that day into the input panel, whose
    // changed rate is saved over the day: the rest of the row keeps the stored values
    const QVariant vnd = m_d.value(QStringLiteral("SELECT VND FROM EX_RATE WHERE STD_DATE='2026/11/04'"));
    const int rows = m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt();
    m_d.typeInto(w, E2eDriver::FromDate, QStringLiteral("2026/11/01"));
    m_d.typeInto(w, E2eDriver::ToDate, QStringLiteral("2026/12/09"));
    m_d.click(w, E2eDriver::QueryButton);
    QThread::msleep(500);
    QVERIFY(m_d.waitWindow(p->processId(), QStringLiteral("자료 관리"), 0).isEmpty());
    m_d.click(w, E2eDriver::Point{E2eDriver::GridRow1.x, E2eDriver::GridRow1.y + 2 * E2eDriver::GridRowStep});
    m_d.typeInto(w, E2eDriver::Usd, QStringLiteral("1111.25"));
    m_d.click(w, E2eDriver::SaveButton);
    box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(box);
    QCOMPARE(m_d.value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/11/04'")).toDouble(), 1111.25);
    QCOMPARE(m_d.value(QStringLiteral("SELECT VND FROM EX_RATE WHERE STD_DATE='2026/11/04'")), vnd);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), rows);

    // the new day deleted, nothing else
    m_d.click(w, E2eDriver::ClearButton);
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/09"));
    m_d.click(w, E2eDriver::DeleteButton);
    box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(box);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toInt(), 0);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), rows - 1);
    QCOMPARE(p->state(), QProcess::Running);
}

void TstE2e::badInputRefused_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("usd");
    QTest::addColumn<QString>("remark");
    QTest::newRow("impossible day") << QStringLiteral("2026/02/30") << QStringLiteral("1200") << QString();
    QTest::newRow("month 13") << QStringLiteral("2026/13/01") << QStringLiteral("1200") << QString();
    QTest::newRow("truncated date") << QStringLiteral("2026/12") << QStringLiteral("1200") << QString();
    QTest::newRow("remark longer than the column") << QStringLiteral("2026/12/10") << QStringLiteral("1200")
                                                   << QString(201, QLatin1Char('x'));
}

void TstE2e::badInputRefused()
{
    QFETCH(QString, date);
    QFETCH(QString, usd);
    QFETCH(QString, remark);
    m_d.prepareDemo();
    const QByteArray before = E2eDriver::fileHash(m_d.sysFile(QStringLiteral("zozura-demo.db")));
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    m_d.click(w, E2eDriver::ClearButton);
    m_d.typeInto(w, E2eDriver::StdDate, date);
    m_d.typeInto(w, E2eDriver::Usd, usd);
    if (!remark.isEmpty())
        m_d.typeInto(w, E2eDriver::Remark, remark);
    m_d.click(w, E2eDriver::SaveButton);
    // the program's own notice, and the database file untouched
    const QString box = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle);
    QVERIFY2(!box.isEmpty(), "no notice for the bad input");
    m_d.answerBox(box);
    QCOMPARE(E2eDriver::fileHash(m_d.sysFile(QStringLiteral("zozura-demo.db"))), before);
    QCOMPARE(p->state(), QProcess::Running);
}

// ------------------------------------------------------------------ faults

void TstE2e::sqliteLockedByAnotherWriter()
{
    m_d.prepareDemo();
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    const int rows = m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt();

    // another program holds the write lock for longer than the program waits
    QSqlDatabase db = m_d.check();
    QSqlQuery lock(db);
    QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
    QVERIFY(lock.exec(QStringLiteral("UPDATE EX_RATE SET REMARK='locked' WHERE STD_DATE='2026/12/08'")));

    m_d.click(w, E2eDriver::ClearButton);
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/11"));
    m_d.typeInto(w, E2eDriver::Usd, QStringLiteral("1250"));
    QElapsedTimer t;
    t.start();
    m_d.click(w, E2eDriver::SaveButton);
    QString which;
    const QString box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which, 60000);
    const qint64 waited = t.elapsed();
    QVERIFY2(!box.isEmpty(), "the program gave no answer while the database was locked");
    QCOMPARE(which, QStringLiteral("저장실패"));
    QVERIFY2(waited < 30000, qPrintable(QStringLiteral("waited %1 ms").arg(waited)));
    m_d.answerBox(box);
    QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), rows);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/11'")).toInt(), 0);

    // the lock gone, the same save goes through without restarting the program
    m_d.click(w, E2eDriver::SaveButton);
    const QString ok = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(ok);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/11'")).toInt(), 1);
}

void TstE2e::postgresStoppedWhileRunning()
{
    m_d.usePostgres(QStringLiteral("zz_e2e"));
    if (QTest::currentTestFailed())
        return;
    const QString pgData = qEnvironmentVariable("ZOZURA_PG_DATA");
    const QString pgBin = qEnvironmentVariable("ZOZURA_PG_BIN");
    if (pgData.isEmpty() || pgBin.isEmpty())
        QSKIP("ZOZURA_PG_DATA/ZOZURA_PG_BIN not set: the server cannot be stopped here");
    QVERIFY(QSqlQuery(m_d.check()).exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2026/12/01', 1200, 24000, 0.05, 'kept')")));
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());

    auto pgCtl = [&](const QStringList &args) {
        int code = 0;
        E2eDriver::run(QStringLiteral("runuser"),
            QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), pgBin + QStringLiteral("/pg_ctl"),
                        QStringLiteral("-D"), pgData}
                + args,
            &code, 60000);
        return code;
    };
    // started again as the test script started it: loopback only, its port, sockets in /tmp
    const QStringList startArgs{QStringLiteral("-l"), pgData + QStringLiteral("/server.log"), QStringLiteral("-w"),
                                QStringLiteral("-o"),
                                QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k /tmp").arg(DbTestEnv::Pg().port),
                                QStringLiteral("start")};
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    QCOMPARE(pgCtl({QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")}), 0);
    auto restart = qScopeGuard([&] {
        if (!QFile::exists(pgData + QStringLiteral("/postmaster.pid")))
            pgCtl(startArgs);
    });

    // save and delete fail with the program's own box, and the program keeps running
    QString which;
    m_d.click(w, E2eDriver::ClearButton);
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/02"));
    m_d.typeInto(w, E2eDriver::Usd, QStringLiteral("1234"));
    m_d.click(w, E2eDriver::SaveButton);
    QString box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QVERIFY2(!box.isEmpty(), "no answer to a save with the server down");
    QCOMPARE(which, QStringLiteral("저장실패"));
    m_d.answerBox(box);
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/01"));
    m_d.click(w, E2eDriver::DeleteButton);
    box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QVERIFY2(!box.isEmpty(), "no answer to a delete with the server down");
    QCOMPARE(which, QStringLiteral("저장실패"));
    m_d.answerBox(box);
    m_d.typeInto(w, E2eDriver::FromDate, QStringLiteral("2026/11/01"));
    m_d.typeInto(w, E2eDriver::ToDate, QStringLiteral("2026/12/31"));
    m_d.click(w, E2eDriver::QueryButton);
    box = m_d.waitAnyBox(p->processId(), {QStringLiteral("자료 관리"), QStringLiteral("저장실패")}, &which);
    QVERIFY2(!box.isEmpty(), "no answer to a query with the server down");
    QCOMPARE(which, QStringLiteral("자료 관리"));
    m_d.answerBox(box);
    QCOMPARE(p->state(), QProcess::Running);

    // the server back: nothing was re-sent on its own, and the next command works
    QCOMPARE(pgCtl(startArgs), 0);
    QThread::msleep(1500);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), 1);
    QCOMPARE(m_d.value(QStringLiteral("SELECT REMARK FROM EX_RATE WHERE STD_DATE='2026/12/01'")).toString(),
             QStringLiteral("kept"));
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/02"));
    m_d.typeInto(w, E2eDriver::Usd, QStringLiteral("1234"));
    m_d.click(w, E2eDriver::SaveButton);
    box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(box);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/02'")).toInt(), 1);
    QCOMPARE(m_d.value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/12/02'")).toDouble(), 1234.0);
}

QTEST_GUILESS_MAIN(TstE2e)
#include "tst_e2e.moc"
