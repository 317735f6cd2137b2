// zevaru-rates as a scheduled job runs it, on SQLite and PostgreSQL: the preview lines and the
// counts, the strict refusal of a file with a refused row, --dry-run, --skip-refused, the exit
// statuses, and the export read back.

#include "app/clsmain.h"

#include "../common/dbtestenv.h"
#include "../common/programenv.h"
#include "../common/xlsxreadback.h"

#include <QJsonArray>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <memory>

namespace {

struct Run
{
    int exit = -1;
    QString out;
    QString err;
};

Run rates(const QStringList &args)
{
    QProcess p;
    p.start(qEnvironmentVariable("ZOZURA_BUILD_DIR") + QStringLiteral("/tools/zevaru-rates"), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

const QByteArray kGood =
    "date,usd,vnd,krw,remark\n2024/03/04,1311,24400,0.0531,a\n2024/03/05,1320,24500,0.0539,\"it's\"\n";
const QByteArray kOneRefused = kGood + "2024/02/30,1,1,1,\n";

} // namespace

class TstZevaruRates : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void import_data();
    void import();
    void usage_data();
    void usage();
    void checkAndLog_data();
    void checkAndLog();
    void exportReadBack_data();
    void exportReadBack();

private:
    void useBackend(const QString &backend);
    QStringList days();

    std::unique_ptr<ProgramEnv::Folders> m_dirs;
    QString m_conn;
};

void TstZevaruRates::init()
{
    m_dirs = std::make_unique<ProgramEnv::Folders>();
}

void TstZevaruRates::cleanup()
{
    if (!m_conn.isEmpty())
        QSqlDatabase::removeDatabase(m_conn);
    m_conn.clear();
    m_dirs.reset();
}

void TstZevaruRates::useBackend(const QString &backend)
{
    m_conn = QStringLiteral("rates-check");
    if (backend == u"sqlite") {
        ProgramEnv::writeFile(m_dirs->sys.filePath("ZEVARU.DAT"),
                              ProgramEnv::confFile(QStringLiteral("sqlite"), QStringLiteral("sa"), QString(),
                                                   QStringLiteral("rates.db")));
        ProgramEnv::writeFile(m_dirs->sys.filePath("rates.db"), QByteArray());
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_conn);
        db.setDatabaseName(m_dirs->sys.filePath("rates.db"));
        QVERIFY(db.open());
        for (const QString &s : App::sqliteSchemaStatements())
            QSqlQuery(db).exec(s);
    } else {
        const QString why = DbTestEnv::freshPgDatabase(QStringLiteral("zz_zevarurates"));
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const DbTestEnv::Pg pg;
        ProgramEnv::writeFile(m_dirs->sys.filePath("ZEVARU.DAT"),
                              ProgramEnv::confFile(QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port), pg.user,
                                                   QString(), QStringLiteral("zz_zevarurates")));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_conn);
        db.setHostName(pg.host);
        db.setPort(pg.port);
        db.setUserName(pg.user);
        db.setDatabaseName(QStringLiteral("zz_zevarurates"));
        QVERIFY(db.open());
    }
    QVERIFY(QSqlQuery(QSqlDatabase::database(m_conn))
                .exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                                     "('2024/03/04', 1310.5, 24400, 0.0531, 'a', 'X')")));
}

// "day usd remark code" of every stored day, in day order.
QStringList TstZevaruRates::days()
{
    QSqlQuery q(QSqlDatabase::database(m_conn));
    q.exec(QStringLiteral("SELECT STD_DATE, USD, REMARK, INS_SCODE FROM EX_RATE ORDER BY STD_DATE"));
    QStringList out;
    while (q.next())
        out << QStringList{q.value(0).toString(), QString::number(q.value(1).toDouble()), q.value(2).toString(),
                           q.value(3).toString().trimmed()}
                   .join(u' ');
    return out;
}

void TstZevaruRates::import_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QStringList>("stored"); // afterwards; the 03/04 row alone = nothing written

    const QStringList untouched{QStringLiteral("2024/03/04 1310.5 a X")};
    for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("pgsql")}) {
        const QByteArray b = backend.toLatin1();
        QTest::newRow(b + " new days (default)")
            << backend << kGood << QStringList() << 0
            << QStringList{QStringLiteral("2024/03/04 1310.5 a X"), QStringLiteral("2024/03/05 1320 it's U777")};
        QTest::newRow(b + " all") << backend << kGood << QStringList{QStringLiteral("--apply"), QStringLiteral("all")}
                                  << 0
                                  << QStringList{QStringLiteral("2024/03/04 1311 a X"),
                                                 QStringLiteral("2024/03/05 1320 it's U777")};
        QTest::newRow(b + " one refused row refuses the file")
            << backend << kOneRefused << QStringList() << 1 << untouched;
    }
    QTest::newRow("dry run") << "sqlite" << kGood << QStringList{QStringLiteral("--dry-run")} << 0 << untouched;
    QTest::newRow("dry run of a refused file")
        << "sqlite" << kOneRefused << QStringList{QStringLiteral("--dry-run")} << 1 << untouched;
    QTest::newRow("skip refused") << "sqlite" << kOneRefused << QStringList{QStringLiteral("--skip-refused")} << 0
                                  << QStringList{QStringLiteral("2024/03/04 1310.5 a X"),
                                                 QStringLiteral("2024/03/05 1320 it's U777")};
    QTest::newRow("no known header") << "sqlite" << QByteArray("a,b\n2024/03/05,1\n") << QStringList() << 1
                                     << untouched;
    QTest::newRow("damaged workbook") << "sqlite" << QByteArray("PK\x03\x04xx") << QStringList() << 1 << untouched;
}

void TstZevaruRates::import()
{
    QFETCH(QString, backend);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(int, exit);
    QFETCH(QStringList, stored);
    if (backend == u"pgsql")
        ZZ_REQUIRE_PG();
    useBackend(backend);
    const QString path = m_dirs->sys.filePath(QStringLiteral("bank.csv"));
    ProgramEnv::writeFile(path, file);
    const Run r = rates(QStringList{QStringLiteral("import"), path} + options);
    QVERIFY2(r.exit == exit, qPrintable(r.out + r.err));
    QCOMPARE(days(), stored);
    if (file.startsWith("date")) {
        // the preview: a header line, one tab-separated line a row, then the counts
        const QStringList lines = r.out.split(u'\n');
        QCOMPARE(lines.value(0), QStringLiteral("행\t결과\t일자\t미달러\t베트남동\t한국원화\t비고\t이전 값 / 사유"));
        QCOMPARE(lines.value(1),
                 QStringLiteral("2\t수정\t2024/03/04\t1311.00\t24400\t0.0531\ta\t이전 : 1310.50 / 24400 / 0.0531 / a"));
        QCOMPARE(lines.value(2), QStringLiteral("3\t추가\t2024/03/05\t1320.00\t24500\t0.0539\tit's\t"));
        QVERIFY(r.out.contains(file == kGood ? QStringLiteral("추가 1건   수정 1건   동일 0건   거부 0건")
                                             : QStringLiteral("추가 1건   수정 1건   동일 0건   거부 1건")));
    }
    if (exit == 1)
        QVERIFY(!r.err.trimmed().isEmpty());
}

void TstZevaruRates::checkAndLog_data()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << "sqlite";
    QTest::newRow("pgsql") << "pgsql";
}

void TstZevaruRates::checkAndLog()
{
    QFETCH(QString, backend);
    if (backend == u"pgsql")
        ZZ_REQUIRE_PG();
    useBackend(backend);
    // the import writes through the save's path: each day it changes gets its history row
    const QString path = m_dirs->sys.filePath(QStringLiteral("bank.csv"));
    ProgramEnv::writeFile(path, kGood + "2024/03/06,13200,24500,0.0539,typo\n");
    Run r = rates({QStringLiteral("import"), path, QStringLiteral("--apply"), QStringLiteral("all")});
    QVERIFY2(r.exit == 0, qPrintable(r.out + r.err));
    // the preview marks the typo with the words of the save's question
    QVERIFY2(r.out.contains(QStringLiteral("\t미달러 환율이 2024/03/05 의 1,320.00 보다 900.0% 높습니다.\n")),
             qPrintable(r.out));

    // Friday the 1st and Thursday the 7th missing, the weekend not; the typo and its way back
    r = rates({QStringLiteral("check"), QStringLiteral("--from"), QStringLiteral("2024/03/01"), QStringLiteral("--to"),
               QStringLiteral("2024/03/07")});
    QCOMPARE(r.exit, 3);
    QCOMPARE(r.out,
             QStringLiteral("2024/03/01\t빠진 날짜\t\t\t\t\n"
                            "2024/03/06\t급변\t미달러\t1,320.00\t13,200.00\t+900.0\n"
                            "2024/03/07\t빠진 날짜\t\t\t\t\n"));
    r = rates({QStringLiteral("check"), QStringLiteral("--from"), QStringLiteral("2024/03/02"), QStringLiteral("--to"),
               QStringLiteral("2024/03/05")});
    QCOMPARE(r.exit, 0);
    QCOMPARE(r.out, QString());

    r = rates({QStringLiteral("log"), QStringLiteral("--day"), QStringLiteral("2024/03/04")});
    QCOMPARE(r.exit, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    const QStringList cols = lines.first().split(u'\t');
    QCOMPARE(cols.size(), 12);
    QCOMPARE(cols[1], QStringLiteral("U"));
    QCOMPARE(cols[2].toDouble(), 1310.5);
    QCOMPARE(cols[6].toDouble(), 1311.0);
    QCOMPARE(cols[10], QStringLiteral("U777"));
    r = rates({QStringLiteral("log"), QStringLiteral("--day"), QStringLiteral("2024/03/09")});
    QCOMPARE(r.exit, 0);
    QCOMPARE(r.out, QString());
}

void TstZevaruRates::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::newRow("no command") << QStringList() << 2;
    QTest::newRow("unknown command") << QStringList{QStringLiteral("frobnicate")} << 2;
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0;
    QTest::newRow("import without a file") << QStringList{QStringLiteral("import")} << 2;
    QTest::newRow("import --apply maybe") << QStringList{QStringLiteral("import"), QStringLiteral("f.csv"),
                                                         QStringLiteral("--apply"), QStringLiteral("maybe")}
                                          << 2;
    QTest::newRow("export without a period") << QStringList{QStringLiteral("export")} << 2;
    QTest::newRow("check without a period")
        << QStringList{QStringLiteral("check"), QStringLiteral("--from"), QStringLiteral("2024/03/01")} << 2;
    QTest::newRow("check with the days turned round")
        << QStringList{QStringLiteral("check"), QStringLiteral("--from"), QStringLiteral("2024/03/31"),
                       QStringLiteral("--to"), QStringLiteral("2024/03/01")}
        << 2;
    QTest::newRow("log without a day") << QStringList{QStringLiteral("log")} << 2;
    QTest::newRow("log with a wrong day")
        << QStringList{QStringLiteral("log"), QStringLiteral("--day"), QStringLiteral("2024/13/01")} << 2;
    QTest::newRow("export with a wrong day")
        << QStringList{QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2024/02/30"),
                       QStringLiteral("--to"), QStringLiteral("2024/03/31")}
        << 2;
}

void TstZevaruRates::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    const Run r = rates(args);
    QCOMPARE(r.exit, exit);
    QVERIFY((exit == 0 ? r.out : r.err).contains(QStringLiteral("zevaru-rates")));
}

void TstZevaruRates::exportReadBack_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("csv") << "csv";
}

void TstZevaruRates::exportReadBack()
{
    QFETCH(QString, format);
    useBackend(QStringLiteral("sqlite"));
    const QString out = m_dirs->sys.filePath(QStringLiteral("out.") + format);
    const Run r =
        rates({QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2024/03/01"), QStringLiteral("--to"),
               QStringLiteral("2024/03/31"), QStringLiteral("--format"), format, QStringLiteral("-o"), out});
    QVERIFY2(r.exit == 0, qPrintable(r.err));
    // and it comes back in unchanged
    const Run back = rates({QStringLiteral("import"), out, QStringLiteral("--apply"), QStringLiteral("all")});
    QVERIFY2(back.exit == 0, qPrintable(back.err));
    QVERIFY(back.out.contains(QStringLiteral("추가 0건   수정 0건   동일 1건   거부 0건")));
    if (format == u"xlsx") {
        const QJsonObject book = XlsxReadBack::read(out);
        QCOMPARE(book.value(QStringLiteral("sheets")).toArray().first().toString(), QStringLiteral("Sheet1"));
        const QJsonObject cells = book.value(QStringLiteral("cells")).toObject();
        QCOMPARE(cells.value(QStringLiteral("A1")).toObject().value(QStringLiteral("value")).toString(),
                 QStringLiteral("일자"));
        QCOMPARE(cells.value(QStringLiteral("B2")).toObject().value(QStringLiteral("format")).toString(),
                 QStringLiteral("#,##0.00"));
        QCOMPARE(cells.value(QStringLiteral("A3")).toObject().value(QStringLiteral("value")).toString(),
                 QStringLiteral("평균"));
    }
}

QTEST_MAIN(TstZevaruRates)
#include "tst_zevarurates.moc"
