// The demo that the README's first command prepares: its system directory and database, and
// the program starting on it.

#include "app/anymodule.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

class TstDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void systemDirectory();
    void seededRates();
    void programStartsOnDemo();

private:
    QTemporaryDir m_dir;
    QString m_demo;
};

void TstDemo::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_demo = m_dir.filePath(QStringLiteral("demo"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOZURA_DEMO_DIR", m_demo);
    env.insert("ZOZURA_DEMO_SKIP_BUILD", "1");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"), {qEnvironmentVariable("ZOZURA_SOURCE_DIR") + "/scripts/demo.sh", "--prepare-only"});
    QVERIFY(p.waitForFinished(120000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    qputenv("ZEVARU_SYSTEM_DIR", m_demo.toLocal8Bit());
}

void TstDemo::systemDirectory()
{
    QCOMPARE(fnGet_ConfValue(1), QStringLiteral("sqlite"));
    QCOMPARE(fnGet_ConfValue(4), QStringLiteral("zozura-demo.db"));
    QCOMPARE(fnGet_RegValue(0), QStringLiteral("DEMO01"));
}

void TstDemo::seededRates()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo"));
    db.setDatabaseName(m_demo + QStringLiteral("/zozura-demo.db"));
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("SELECT STD_DATE, USD, VND, KRW, REMARK FROM EX_RATE ORDER BY STD_DATE")));
    const QRegularExpression dayForm(QStringLiteral("^\\d{4}/\\d{2}/\\d{2}$"));
    int rows = 0, korean = 0;
    QDate first, last;
    while (q.next()) {
        ++rows;
        const QString day = q.value(0).toString();
        QVERIFY2(dayForm.match(day).hasMatch(), qPrintable(day));
        const QDate d = QDate::fromString(day, QStringLiteral("yyyy/MM/dd"));
        QVERIFY(d.isValid() && d.dayOfWeek() <= 5); // business days only
        if (!first.isValid())
            first = d;
        last = d;
        const double usd = q.value(1).toDouble(), vnd = q.value(2).toDouble(), krw = q.value(3).toDouble();
        QVERIFY2(usd >= 1100 && usd <= 1450, qPrintable(day));
        QVERIFY(std::abs(usd * 100 - std::round(usd * 100)) < 1e-6); // 2 decimals
        QVERIFY(vnd >= 22000 && vnd <= 25500 && vnd == std::round(vnd));
        QVERIFY(std::abs(krw - usd / vnd) < 1e-6); // won per dong is the cross rate
        if (q.value(4).toString().contains(QRegularExpression(QStringLiteral("[가-힣]"))))
            ++korean;
    }
    QVERIFY2(rows > 700, qPrintable(QString::number(rows)));
    QVERIFY(first.daysTo(last) > 2 * 365);
    QVERIFY(korean > 30);
    q.finish();
    db.close();
}

void TstDemo::programStartsOnDemo()
{
    QTemporaryDir run;
    QFile::setPermissions(run.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ZOZURA_AUTOANSWER_BOXES", "1");
    env.insert("ZEVARU_SYSTEM_DIR", m_demo);
    env.insert("ODBCSYSINI", m_demo);
    env.insert("XDG_RUNTIME_DIR", run.path());
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("ZOZURA_BUILD_DIR") + QStringLiteral("/zozura"), {});
    QVERIFY(p.waitForStarted());
    // started and registered its report data source, with no box on the way
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_demo + QStringLiteral("/odbc.ini")), 20000);
    QTest::qWait(300);
    QCOMPARE(p.state(), QProcess::Running);
    p.terminate();
    QVERIFY(p.waitForFinished(10000));
    QVERIFY(!p.readAllStandardError().contains("msgbox:"));
}

QTEST_GUILESS_MAIN(TstDemo)
#include "tst_demo.moc"
