// zevaru-rates as a scheduled job runs it, on SQLite and PostgreSQL: the preview lines and the
// counts, the strict refusal of a file with a refused row, --dry-run, --skip-refused, the exit
// statuses, the export read back, and the fetch from services on a local server.

#include "app/clsmain.h"

#include "../common/dbtestenv.h"
#include "../common/localhttp.h"
#include "../common/programenv.h"
#include "../common/xlsxreadback.h"
#include "../rate/feedanswers.h"

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

Run rates(const QStringList &args, QByteArray *rawOut = nullptr,
          const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("ZOZURA_BUILD_DIR") + QStringLiteral("/tools/zevaru-rates"), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    const QByteArray out = p.readAllStandardOutput();
    if (rawOut)
        *rawOut = out;
    r.out = QString::fromUtf8(out);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The tool run while this process's event loop keeps serving the local services.
Run ratesServed(const QStringList &args)
{
    QProcess p;
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    p.start(qEnvironmentVariable("ZOZURA_BUILD_DIR") + QStringLiteral("/tools/zevaru-rates"), args);
    loop.exec();
    Run r;
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList period()
{
    return {QStringLiteral("export"), QStringLiteral("--from"), QStringLiteral("2024/03/01"), QStringLiteral("--to"),
            QStringLiteral("2024/03/31")};
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
    void workbooks_data();
    void workbooks();
    void usage_data();
    void usage();
    void checkAndLog_data();
    void checkAndLog();
    void unusableSettingsNamedOnStandardError();
    void exportReadBack_data();
    void exportReadBack();
    void fetch_data();
    void fetch();
    void csvRemarks_data();
    void csvRemarks();
    void exportFormat_data();
    void exportFormat();
    void helpMatchesReadme();
    void bareEnvironment();

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
    if (exit == 0 && !options.contains(QStringLiteral("--dry-run"))) // the closing line counts what was left out
        QVERIFY2(r.out.endsWith(options.contains(QStringLiteral("--skip-refused"))
                                    ? QStringLiteral("적용하였습니다. 추가 1건, 수정 0건, 거부 1건 제외\n")
                                    : QStringLiteral("적용하였습니다. 추가 1건, 수정 %1건\n").arg(options.size() / 2)),
                 qPrintable(r.out));
}

void TstZevaruRates::workbooks_data()
{
    QTest::addColumn<QString>("kind"); // how tests/common/make_sheet.py makes it
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("said"); // in the output or the error output

    QTest::newRow("xlsx, cover sheet first") << "openpyxl"
                                             << "bank.xlsx" << 0 << "추가 1건   수정 1건   동일 0건   거부 0건";
    QTest::newRow("xls, cover sheet first") << "xlwt"
                                            << "bank.xls" << 0 << "추가 1건   수정 1건   동일 0건   거부 0건";
    QTest::newRow("xlsx that unpacks a thousand to one")
        << "bomb-ratio"
        << "bomb.xlsx" << 1 << "파일을 가져올 수 없습니다. 파일의 내용이 가져올 수 있는 한도를 넘습니다.";
}

void TstZevaruRates::workbooks()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(int, exit);
    QFETCH(QString, said);
    useBackend(QStringLiteral("sqlite"));
    const QString path = m_dirs->sys.filePath(name);
    const QString rows =
        QStringLiteral(R"([{"name":"표지","rows":[["환율 보고"],["은행 고시"]]},)"
                       R"({"name":"환율","rows":[["date","usd","vnd","krw","remark"],)"
                       R"(["2024/03/04",1311,24400,0.0531,"a"],["2024/03/05",1320,24500,0.0539,"b"]]}])");
    QProcess py;
    py.start(
        XlsxReadBack::python(),
        {qEnvironmentVariable("ZOZURA_SOURCE_DIR") + QStringLiteral("/tests/common/make_sheet.py"), kind, path, rows});
    QVERIFY(py.waitForFinished(120000) && py.exitCode() == 0);
    const Run r = rates({QStringLiteral("import"), path, QStringLiteral("--dry-run")});
    QVERIFY2(r.exit == exit, qPrintable(r.out + r.err));
    QVERIFY2((r.out + r.err).contains(said), qPrintable(r.out + r.err));
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
    QCOMPARE(cols.size(), 13);
    QCOMPARE(cols[1], QStringLiteral("U"));
    QCOMPARE(cols[2].toDouble(), 1310.5);
    QCOMPARE(cols[6].toDouble(), 1311.0);
    QCOMPARE(cols[10], QStringLiteral("U777"));
    QCOMPARE(cols[12], QStringLiteral("bank.csv")); // where the values came from
    r = rates({QStringLiteral("log"), QStringLiteral("--day"), QStringLiteral("2024/03/09")});
    QCOMPARE(r.exit, 0);
    QCOMPARE(r.out, QStringLiteral("변경 이력이 없습니다.\n"));
}

void TstZevaruRates::unusableSettingsNamedOnStandardError()
{
    useBackend(QStringLiteral("sqlite"));
    ProgramEnv::writeFile(m_dirs->sys.filePath("registry.ini"),
                          "[SOFTWARE\\ZEVARU]\nREG_USERID=U777\nREG_JUMP_USD=1.0%\n");
    ProgramEnv::writeFile(m_dirs->sys.filePath("holidays.txt"), "# 2024\n2024/03/01 # 삼일절\n2024/02/30\n\nMarch 7\n");
    const Run r = rates({QStringLiteral("check"), QStringLiteral("--from"), QStringLiteral("2024/03/01"),
                         QStringLiteral("--to"), QStringLiteral("2024/03/07")});
    // the 1st is a holiday; "March 7" is no day of the file, so the 7th is missing
    QCOMPARE(r.exit, 3);
    QCOMPARE(r.out,
             QStringLiteral("2024/03/05\t빠진 날짜\t\t\t\t\n2024/03/06\t빠진 날짜\t\t\t\t\n"
                            "2024/03/07\t빠진 날짜\t\t\t\t\n"));
    QCOMPARE(r.err,
             QStringLiteral("zevaru-rates: 설정을 확인하십시오.\n"
                            "registry.ini 3번째 줄: REG_JUMP_USD=1.0%\n"
                            "  → 0 이상의 숫자(%)가 아니어서 기본값 5로 봅니다.\n"
                            "holidays.txt 3번째 줄: 2024/02/30\n"
                            "  → YYYY/MM/DD 형식의 날짜가 아니어서 휴일로 보지 않습니다.\n"
                            "holidays.txt 5번째 줄: March 7\n"
                            "  → YYYY/MM/DD 형식의 날짜가 아니어서 휴일로 보지 않습니다.\n"));
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

void TstZevaruRates::fetch_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QByteArray>("exim"); // eximbank's answer on every day
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QStringList>("stored"); // afterwards
    QTest::addColumn<QString>("says"); // a line of the output, or a part of the messages

    const QStringList untouched{QStringLiteral("2024/03/04 1310.5 a X")};
    const QStringList day5{QStringLiteral("--day"), QStringLiteral("2024/03/05")};
    const QString line5 = QStringLiteral("eximbank+vietcombank\t추가\t2024/03/05\t1385.50\t24590\t0.056338\t\t");
    for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("pgsql")}) {
        const QByteArray b = backend.toLatin1();
        QTest::newRow(b + " a new day") << backend << FeedAnswers::exim() << day5 << 0
                                        << QStringList{QStringLiteral("2024/03/04 1310.5 a X"),
                                                       QStringLiteral("2024/03/05 1385.5  U777")}
                                        << line5;
        QTest::newRow(b + " a period, the changed day too")
            << backend << FeedAnswers::exim()
            << QStringList{QStringLiteral("--from"),     QStringLiteral("2024/03/04"), QStringLiteral("--to"),
                           QStringLiteral("2024/03/05"), QStringLiteral("--apply"),    QStringLiteral("all")}
            << 0 << QStringList{QStringLiteral("2024/03/04 1385.5 a X"), QStringLiteral("2024/03/05 1385.5  U777")}
            << QStringLiteral("적용하였습니다. 추가 1건, 수정 1건");
        QTest::newRow(b + " not published yet")
            << backend << QByteArray("[]") << day5 << 4 << untouched << QStringLiteral("아직 게시되지 않았습니다.");
    }
    QTest::newRow("the weekend") << "sqlite" << FeedAnswers::exim()
                                 << QStringList{QStringLiteral("--day"), QStringLiteral("2024/03/09")} << 4 << untouched
                                 << QStringLiteral("\t게시되지 않음\t2024/03/09\t\t\t\t\t주말");
    QTest::newRow("a wrong key") << "sqlite" << FeedAnswers::eximResult(3) << day5 << 1 << untouched
                                 << QStringLiteral("받지 못한 날짜 (1일): 2024/03/05");
    QTest::newRow("a wrong number caught by the second opinion")
        << "sqlite" << FeedAnswers::exim(QStringLiteral("13,855")) << day5 << 1 << untouched
        << QStringLiteral("미달러 13,855.00 : vietcombank 의 1,385.35 와 900.11% 다릅니다 (허용 1%)");
    QTest::newRow("dry run") << "sqlite" << FeedAnswers::exim() << day5 + QStringList{QStringLiteral("--dry-run")} << 0
                             << untouched << QStringLiteral("--dry-run: 적용하지 않았습니다 (적용할 행 1건).");
    QTest::newRow("day and period together")
        << "sqlite" << FeedAnswers::exim() << day5 + QStringList{QStringLiteral("--from"), QStringLiteral("2024/03/01")}
        << 2 << untouched << QStringLiteral("--day 와 --from/--to 는 함께 쓸 수 없습니다.");
    QTest::newRow("more than 366 days") << "sqlite" << FeedAnswers::exim()
                                        << QStringList{QStringLiteral("--from"), QStringLiteral("2023/01/01"),
                                                       QStringLiteral("--to"), QStringLiteral("2024/03/01")}
                                        << 2 << untouched << QStringLiteral("한 번에 366일까지 받을 수 있습니다.");
}

void TstZevaruRates::fetch()
{
    QFETCH(QString, backend);
    QFETCH(QByteArray, exim);
    QFETCH(QStringList, options);
    QFETCH(int, exit);
    QFETCH(QStringList, stored);
    QFETCH(QString, says);
    if (backend == u"pgsql")
        ZZ_REQUIRE_PG();
    LocalHttp::dropProxyEnvironment();
    useBackend(backend);
    const QString key = QStringLiteral("K3y-of-the-office");
    LocalHttp::Server server([&](const QString &target) { return FeedAnswers::servedDay(target, exim); });
    ProgramEnv::writeFile(m_dirs->sys.filePath(QStringLiteral("rate-sources.ini")),
                          FeedAnswers::localSources(server.port()));
    ProgramEnv::writeFile(m_dirs->sys.filePath(QStringLiteral("registry.ini")),
                          "[SOFTWARE\\ZEVARU]\nREG_USERID=U777\nREG_FEED_KEY_EXIMBANK=" + key.toUtf8()
                              + "\nREG_FEED_TIMEOUT=5\nREG_FEED_BACKOFF=0.01\n");
    const Run r = ratesServed(QStringList{QStringLiteral("fetch")} + options);
    QVERIFY2(r.exit == exit, qPrintable(r.out + r.err));
    QCOMPARE(days(), stored);
    QVERIFY2((r.out + r.err).contains(says), qPrintable(r.out + r.err));
    QVERIFY(!(r.out + r.err).contains(key));
    if (exit == 0 && !options.contains(QStringLiteral("--dry-run"))) {
        // each written day's history names the services
        QSqlQuery q(QSqlDatabase::database(m_conn));
        QVERIFY(q.exec(QStringLiteral("SELECT LOG_SOURCE FROM EX_RATE_LOG WHERE STD_DATE = '2024/03/05'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("eximbank+vietcombank"));
    }
}

// A remark a spreadsheet would run as a formula is written with a leading apostrophe, a negative
// rate stays a plain number, and the file comes back in unchanged (the negative day is refused
// by the input checks, as typed in the window).
void TstZevaruRates::csvRemarks_data()
{
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("field"); // the remark's field in the file's line
    QTest::newRow("equals") << "=cmd|' /C calc'!A0"
                            << "'=cmd|' /C calc'!A0";
    QTest::newRow("plus") << "+SUM(1)"
                          << "'+SUM(1)";
    QTest::newRow("minus") << "-3"
                           << "'-3";
    QTest::newRow("at") << "@SUM(A1)"
                        << "'@SUM(A1)";
    QTest::newRow("tab") << "\tx"
                         << "'\tx";
    QTest::newRow("carriage return") << "\rx"
                                     << "\"'\rx\"";
    QTest::newRow("apostrophe before a formula") << "'=1"
                                                 << "''=1";
    QTest::newRow("apostrophe alone") << "'quoted"
                                      << "'quoted";
    QTest::newRow("plain") << "1+1=2"
                           << "1+1=2";
    QTest::newRow("comma and quotes") << "=a,\"b\""
                                      << "\"'=a,\"\"b\"\"\"";
}

void TstZevaruRates::csvRemarks()
{
    QFETCH(QString, remark);
    QFETCH(QString, field);
    useBackend(QStringLiteral("sqlite"));
    QSqlQuery q(QSqlDatabase::database(m_conn));
    q.prepare(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                             "('2024/03/05', 1311.5, 24400, 0.0531, ?, 'X')"));
    q.addBindValue(remark);
    QVERIFY(q.exec());
    QVERIFY(q.exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                                  "('2024/03/06', -1.5, 24400, 0.0531, 'n', 'X')")));
    const QString out = m_dirs->sys.filePath(QStringLiteral("out.csv"));
    const Run r = rates(period() << QStringLiteral("-o") << out);
    QVERIFY2(r.exit == 0, qPrintable(r.err));
    const QString text = QString::fromUtf8(readAll(out));
    QVERIFY2(text.contains(QStringLiteral("\r\n2024/03/05,1311.50,24400,0.053100,") + field + QStringLiteral("\r\n")),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("\r\n2024/03/06,-1.50,24400,0.053100,n\r\n")), qPrintable(text));
    const Run back =
        rates({QStringLiteral("import"), out, QStringLiteral("--dry-run"), QStringLiteral("--skip-refused")});
    QVERIFY2(back.exit == 0, qPrintable(back.err));
    // the remark as read, without the file's apostrophe (the preview shows a tab or CR as a blank)
    const QString line = back.out.split(u'\n').filter(QStringLiteral("\t2024/03/05\t")).value(0);
    QCOMPARE(line.split(u'\t').value(6), QString(remark).replace(u'\t', u' ').replace(u'\r', u' '));
    QVERIFY2(back.out.contains(QStringLiteral("추가 0건   수정 0건   동일 2건   거부 1건")), qPrintable(back.out));
}

// The format follows the output's name unless --format is given; a contradiction is a usage error
// and writes nothing; "-o -" writes CSV to standard output.
void TstZevaruRates::exportFormat_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("name"); // the file written ("-" standard output)
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("written"); // "csv", "xlsx" or "" (nothing)
    QTest::newRow("csv by name") << QStringList() << "today.csv" << 0 << "csv";
    QTest::newRow("csv by name in capitals") << QStringList() << "TODAY.CSV" << 0 << "csv";
    QTest::newRow("xlsx by name") << QStringList() << "today.xlsx" << 0 << "xlsx";
    QTest::newRow("no extension: xlsx") << QStringList() << "today" << 0 << "xlsx";
    QTest::newRow("csv asked, other extension")
        << QStringList{QStringLiteral("--format"), QStringLiteral("csv")} << "today.txt" << 0 << "csv";
    QTest::newRow("csv asked, named xlsx")
        << QStringList{QStringLiteral("--format"), QStringLiteral("csv")} << "out.xlsx" << 2 << "";
    QTest::newRow("xlsx asked, named csv")
        << QStringList{QStringLiteral("--format"), QStringLiteral("xlsx")} << "out.csv" << 2 << "";
    QTest::newRow("standard output") << QStringList() << "-" << 0 << "csv";
    QTest::newRow("csv asked, standard output")
        << QStringList{QStringLiteral("--format"), QStringLiteral("csv")} << "-" << 0 << "csv";
    QTest::newRow("xlsx asked, standard output")
        << QStringList{QStringLiteral("--format"), QStringLiteral("xlsx")} << "-" << 2 << "";
}

void TstZevaruRates::exportFormat()
{
    QFETCH(QStringList, args);
    QFETCH(QString, name);
    QFETCH(int, exit);
    QFETCH(QString, written);
    useBackend(QStringLiteral("sqlite"));
    const QString path = name == u"-" ? name : m_dirs->sys.filePath(name);
    QByteArray stdOut;
    const Run r = rates(period() << args << QStringLiteral("-o") << path, &stdOut);
    QCOMPARE(r.exit, exit);
    const QByteArray content = name == u"-" ? stdOut : readAll(path);
    if (written.isEmpty()) {
        QVERIFY(r.err.contains(QStringLiteral("사용법: zevaru-rates export")));
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(stdOut.isEmpty());
    } else if (written == u"csv") {
        QVERIFY2(content.startsWith(
                     "\xEF\xBB\xBF일자,미달러,베트남동,한국원화,비고\r\n2024/03/04,1310.50,24400,0.053100,a\r\n"),
                 content.constData());
        if (name == u"-")
            QVERIFY(content.endsWith("\r\n평균,1310.50,24400,0.053100,\r\n")); // nothing but the file
    } else {
        QVERIFY(content.startsWith("PK")); // a workbook is a zip archive
        if (name.endsWith(QLatin1String(".xlsx")))
            QCOMPARE(XlsxReadBack::read(path)
                         .value(QStringLiteral("cells"))
                         .toObject()
                         .value(QStringLiteral("A2"))
                         .toObject()
                         .value(QStringLiteral("value"))
                         .toString(),
                     QStringLiteral("2024/03/04"));
    }
}

// The README's section on the tool and --help name the same commands, exit statuses and places
// of the system folder, so a command added to one is added to the other.
void TstZevaruRates::helpMatchesReadme()
{
    const Run help = rates({QStringLiteral("--help")});
    QCOMPARE(help.exit, 0);
    const QString readme =
        QString::fromUtf8(readAll(qEnvironmentVariable("ZOZURA_SOURCE_DIR") + QStringLiteral("/README.md")));
    const qsizetype at = readme.indexOf(QStringLiteral("`build/tools/zevaru-rates`"));
    QVERIFY(at >= 0);
    const QString section = readme.mid(at, readme.indexOf(QStringLiteral("\n## "), at) - at);
    static const QRegularExpression command(QStringLiteral("^  zevaru-rates ([a-z]+) "),
                                            QRegularExpression::MultilineOption);
    QStringList inHelp;
    for (const QRegularExpressionMatch &m : command.globalMatch(help.out))
        inHelp << m.captured(1);
    static const QRegularExpression row(QStringLiteral("^\\| `([a-z]+) "), QRegularExpression::MultilineOption);
    QStringList inReadme;
    for (const QRegularExpressionMatch &m : row.globalMatch(section))
        inReadme << m.captured(1);
    QCOMPARE(inReadme, inHelp);
    QVERIFY(inHelp.contains(QStringLiteral("export")));
    for (int status = 0; status <= 4; ++status) {
        QVERIFY(help.out.contains(QStringLiteral("%1 ").arg(status)));
        QVERIFY2(section.contains(QStringLiteral("| %1 |").arg(status)), qPrintable(QString::number(status)));
    }
    for (const QString &place : {QStringLiteral("$ZEVARU_SYSTEM_DIR"), QStringLiteral("/etc/zevaru"),
                                 QStringLiteral("$XDG_DATA_HOME/zozura"), QStringLiteral("~/.local/share/zozura")}) {
        QVERIFY2(help.out.contains(place), qPrintable(place));
        QVERIFY2(section.contains(place), qPrintable(place));
    }
}

// As cron runs it: no display, no platform plug-in named, no home; only the system folder given.
void TstZevaruRates::bareEnvironment()
{
    useBackend(QStringLiteral("sqlite"));
    QProcessEnvironment env;
    env.insert(QStringLiteral("ZEVARU_SYSTEM_DIR"), m_dirs->sys.path());
    const QString out = m_dirs->sys.filePath(QStringLiteral("cron.xlsx"));
    const Run r = rates(period() << QStringLiteral("-o") << out, nullptr, env);
    QVERIFY2(r.exit == 0, qPrintable(r.err));
    QVERIFY(r.err.isEmpty());
    QVERIFY(readAll(out).startsWith("PK"));
    const Run back = rates({QStringLiteral("import"), out, QStringLiteral("--dry-run")}, nullptr, env);
    QVERIFY2(back.exit == 0, qPrintable(back.err));
    QVERIFY(back.out.contains(QStringLiteral("동일 1건")));
}

QTEST_MAIN(TstZevaruRates)
#include "tst_zevarurates.moc"
