// Rates from files, without the window: the columns found by their headers, each row checked as
// the input panel checks a day and compared with the stored day, and the apply in one
// transaction on SQLite and PostgreSQL, including a day another copy changed after the preview,
// a failing statement, and the program's own export read back.

#include "app/clsmain.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/rateexport.h"
#include "rate/rateexportform.h"
#include "rate/rateimport.h"
#include "rate/ratewriter.h"

#include "../common/dbtestenv.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using RateImport::Outcome;

namespace {

const QString kHeader = QStringLiteral("일자,미달러,베트남동,한국원화,비고\n");

SheetTable csv(const QString &text)
{
    return SheetReader::readCsv(text.toUtf8()).table();
}

struct Db
{
    std::unique_ptr<ConnProvider> provider;
    std::unique_ptr<DataAccess> da;
};

QString written(const RateImport::Row &r)
{
    return QStringList{r.rateToWrite(0), r.rateToWrite(1), r.rateToWrite(2), r.remarkToWrite()}.join(u'|');
}

} // namespace

class TstRateImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void headers_data();
    void headers();
    void preview_data();
    void preview();
    void fileLevelRows();
    void apply_data();
    void apply();
    void ownExportReadBack_data();
    void ownExportReadBack();
    void remarksReadBack_data();
    void remarksReadBack();

private:
    Db open(const QString &backend);
    QString day(DataAccess &da, const QString &date);
    int historyRows(DataAccess &da);
    void seed(DataAccess &da);

    QTemporaryDir m_dir;
    Db m_db;
};

void TstRateImport::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TstRateImport::init()
{
    if (QString(QTest::currentTestFunction()) == u"preview"
        || QString(QTest::currentTestFunction()) == u"fileLevelRows") {
        m_db = open(QStringLiteral("sqlite"));
        QVERIFY(m_db.da);
        seed(*m_db.da);
    }
}

void TstRateImport::cleanup()
{
    m_db = Db();
}

Db TstRateImport::open(const QString &backend)
{
    Db db;
    db.provider = std::make_unique<ConnProvider>();
    if (backend == u"sqlite") {
        const QString file = m_dir.filePath(QStringLiteral("rates.db"));
        QFile::remove(file);
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.close();
        db.provider->setServerName(QStringLiteral("sqlite"));
        db.provider->setDatabaseName(file);
        db.provider->setSqliteSetup(App::sqliteSchemaStatements());
    } else {
        const DbTestEnv::Pg pg;
        if (!DbTestEnv::freshPgDatabase(QStringLiteral("zz_rateimport")).isEmpty())
            return {};
        db.provider->setServerName(QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port));
        db.provider->setUserId(pg.user);
        db.provider->setDatabaseName(QStringLiteral("zz_rateimport"));
    }
    try {
        db.provider->OpenConnection();
    } catch (const DbError &) {
        return {};
    }
    db.da = std::make_unique<DataAccess>();
    db.da->AttachConnection(db.provider->GetConnection());
    return db;
}

void TstRateImport::seed(DataAccess &da)
{
    QVERIFY(da.Execute(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                                      "('2024/03/04', 1310.5, 24400, 0.0531, 'a', 'OLD')")));
    QVERIFY(da.Execute(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                                      "('2024/03/05', 1320.25, 24500, 0.0539, '', 'OLD')")));
}

int TstRateImport::historyRows(DataAccess &da)
{
    if (!da.OpenQuery(QStringLiteral("SELECT COUNT(*) FROM EX_RATE_LOG")))
        return -1;
    const int n = da.FieldValue(0).toInt();
    da.CloseQuery();
    return n;
}

// "usd|vnd|krw|remark|code" of a stored day, "" when it is not there.
QString TstRateImport::day(DataAccess &da, const QString &date)
{
    if (!da.OpenQuery(
            QStringLiteral("SELECT USD, VND, KRW, REMARK, INS_SCODE FROM EX_RATE WHERE STD_DATE = '%1'").arg(date)))
        return QStringLiteral("query failed");
    QString out;
    if (!da.IsEof()) {
        QStringList f;
        for (int i = 0; i < 5; ++i)
            f << (i < 3 ? RateImport::storedRate(i, da.FieldValue(i)) : da.FieldValue(i).trimmed());
        out = f.join(u'|');
    }
    da.CloseQuery();
    return out;
}

void TstRateImport::headers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("headerRow");
    QTest::addColumn<QList<int>>("cols"); // date, usd, vnd, krw, remark; empty = nothing usable

    QTest::newRow("the program's own") << kHeader << 0 << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("English, any case, any order") << "Remark,KRW,Date,usd,VND\n" << 0 << QList<int>{2, 3, 4, 1, 0};
    QTest::newRow("panel captions with blanks") << "기준일,미달러,비  고\n" << 0 << QList<int>{0, 1, -1, -1, 2};
    QTest::newRow("title lines above the header") << "은행 고시 환율\n\n,date,usd\n"
                                                  << 2 << QList<int>{1, 2, -1, -1, -1};
    QTest::newRow("no rate column") << "date,remark\n2024/03/04,a\n" << -1 << QList<int>();
    QTest::newRow("unknown header texts") << "day,dollar\n2024/03/04,1\n" << -1 << QList<int>();
}

void TstRateImport::headers()
{
    QFETCH(QString, text);
    QFETCH(int, headerRow);
    QFETCH(QList<int>, cols);
    const RateImport::ColumnMap m = RateImport::findColumns(csv(text));
    QCOMPARE(m.usable(), !cols.isEmpty());
    QCOMPARE(m.headerRow, headerRow);
    if (!cols.isEmpty())
        QCOMPARE(QList<int>(m.col.begin(), m.col.end()), cols);
}

void TstRateImport::preview_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("expect"); // written values "usd|vnd|krw|remark", or the reason

    const int add = int(Outcome::Add), change = int(Outcome::Change), same = int(Outcome::Same),
              refused = int(Outcome::Refused);
    QTest::newRow("new day") << "2024/03/06,1330,24600,0.0541,c" << add << "1330.00|24600|0.0541|c";
    QTest::newRow("same day, other spelling")
        << "2024-03-04,\"1,310.50\",24400,0.053100,a" << same << "1310.50|24400|0.0531|a";
    QTest::newRow("YYYYMMDD, won changed") << "20240304,1310.5,24400,0.06,a" << change << "1310.50|24400|0.06|a";
    QTest::newRow("blank cells keep the stored values") << "2024/03/05,,24500,," << same << "1320.25|24500|0.0539|";
    // a new day takes no rate the file does not give
    const QString usdMissing = QStringLiteral("미달러 환율이 입력되지 않았거나, 잘못 입력되었습니다.");
    QTest::newRow("new day, blank rate") << "2024/03/06,,24600,0.05," << refused << usdMissing;
    QTest::newRow("new day, no won column")
        << "date,usd,vnd\n2024/03/06,1,1" << refused << "한국원화 환율이 입력되지 않았거나, 잘못 입력되었습니다.";
    QTest::newRow("stored day, no won column") << "date,usd\n2024/03/04,1311" << change << "1311.00|24400|0.0531|a";
    QTest::newRow("decimals rounded as the boxes do")
        << "2024/03/06,1.005,24400.5,0.1234565," << add << "1.01|24401|0.123457|";
    QTest::newRow("won written in general form") << "2024/03/06,1,1,0.00001," << add << "1.00|1|1e-05|";
    QTest::newRow("impossible day") << "2023/02/30,1,1,1," << refused
                                    << "기준일이 입력되지 않았거나, 잘못 입력되었습니다.";
    QTest::newRow("day 100 years away") << "1900/01/01,1,1,1," << refused
                                        << "기준일이 입력되지 않았거나, 잘못 입력되었습니다.";
    QTest::newRow("day without leading zeros")
        << "2024/3/6,1,1,1," << refused << "기준일이 입력되지 않았거나, 잘못 입력되었습니다.";
    QTest::newRow("below zero") << "2024/03/06,-1,1,1," << refused << "미달러 환율이 0보다 작습니다.";
    QTest::newRow("13 integer digits") << "2024/03/06,1,1234567890123,1," << refused
                                       << "베트남동 : 정수 부분은 12자리까지 입력할 수 있습니다.";
    QTest::newRow("not a number") << "2024/03/06,abc,1,1," << refused << "미달러 : 숫자만 입력할 수 있습니다.";
    QTest::newRow("remark over 200 characters")
        << "2024/03/06,1,1,1," + QString(201, u'가') << refused << "비고는 200자까지 입력할 수 있습니다.";
    // the decimal mark, as the file's numbers tell it: never a thousand times off
    QTest::newRow("semicolons, comma decimals")
        << "date;usd;vnd;krw\n2024/03/06;1310,5;23.807;0,0531" << add << "1310.50|23807|0.0531|";
    QTest::newRow("point groups, comma decimal")
        << "date;usd;vnd;krw\n2024/03/06;1.310,50;24.400;1" << add << "1310.50|24400|1|";
    QTest::newRow("comma groups, point decimal")
        << "2024/03/06,\"1,310.5\",\"23,807\",0.0531," << add << "1310.50|23807|0.0531|";
    QTest::newRow("a point file reads 23.807 as a decimal")
        << "2024/03/06,1310.5,23.807,0.0531," << add << "1310.50|24|0.0531|";
    QTest::newRow("23.807 alone") << "date;usd;vnd;krw\n2024/03/06;1310;23.807;1" << refused
                                  << "베트남동 : 23.807 의 '.'이 소수점인지 천 단위 구분 기호인지 알 수 없습니다.";
    QTest::newRow("23.807 alone, won column")
        << "date;usd;vnd;krw\n2024/03/06;1310;23807;1.234" << add << "1310.00|23807|1.234|";
    QTest::newRow("points that are no groups")
        << "date;usd;vnd;krw\n2024/03/06;1310,5;1.2.3;1" << refused << "베트남동 : 숫자만 입력할 수 있습니다.";
    QTest::newRow("both marks in one file")
        << "date;usd;vnd;krw\n2024/03/06;1.310,5;24400;0.05" << refused
        << "미달러 : 파일의 숫자에 소수점 '.'과 ','이 섞여 있어 1.310,5 의 소수점을 알 수 없습니다.";
}

void TstRateImport::preview()
{
    QFETCH(QString, line);
    QFETCH(int, outcome);
    QFETCH(QString, expect);
    // a line of the program's own columns, or a whole file with its header
    const SheetTable t = csv((line.contains(u'\n') ? QString() : kHeader) + line + u'\n');
    RateImport::Preview p = RateImport::readRows(t, RateImport::findColumns(t));
    QVERIFY(RateImport::compareWithStored(*m_db.da, p));
    QCOMPARE(p.rows.size(), 1);
    const RateImport::Row &r = p.rows[0];
    QCOMPARE(RateImport::outcomeText(r.outcome), RateImport::outcomeText(Outcome(outcome)));
    QCOMPARE(p.count[size_t(outcome)], 1);
    QCOMPARE(r.outcome == Outcome::Refused ? r.reason : written(r), expect);
    if (r.outcome == Outcome::Change) // the stored values are shown beside the new ones
        QCOMPARE((QStringList{r.oldRate[0], r.oldRate[1], r.oldRate[2], r.oldRemark}.join(u'|')),
                 QStringLiteral("1310.50|24400|0.0531|a"));
}

void TstRateImport::fileLevelRows()
{
    // a blank line, a day given twice, and the export's average line at the end
    const SheetTable t =
        csv(kHeader + QStringLiteral("2024/03/06,1,1,1,\n,,,,\n2024/03/06,2,2,2,\n평균,1.5,1.5,1.5,\n"));
    RateImport::Preview p = RateImport::readRows(t, RateImport::findColumns(t));
    QVERIFY(RateImport::compareWithStored(*m_db.da, p));
    QCOMPARE(p.rows.size(), 2);
    QCOMPARE(p.skipped, 2);
    QCOMPARE(p.rows[0].outcome, Outcome::Add);
    QCOMPARE(p.rows[1].outcome, Outcome::Refused);
    QCOMPARE(p.rows[1].line, 4);
    QCOMPARE(p.rows[1].reason, QStringLiteral("같은 기준일이 2행에 있습니다."));
    QCOMPARE(RateImport::countText(p), QStringLiteral("추가 1건   수정 0건   동일 0건   거부 1건"));
}

void TstRateImport::apply_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("scope"); // "new" / "all"
    QTest::addColumn<QString>("before"); // what happens between preview and apply
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("day04"); // 2024/03/04 afterwards
    QTest::addColumn<QString>("day06"); // 2024/03/06 afterwards

    const QString old04 = QStringLiteral("1310.50|24400|0.0531|a|OLD");
    const QString new04 = QStringLiteral("1311.00|24400|0.0531|a|OLD"); // an update keeps INS_SCODE
    const QString new06 = QStringLiteral("1330.00|24600|0.0541|it's|U777");
    for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("pgsql")}) {
        const QByteArray b = backend.toLatin1();
        QTest::newRow(b + " new days only") << backend << "new"
                                            << "" << true << old04 << new06;
        QTest::newRow(b + " new and changed days") << backend << "all"
                                                   << "" << true << new04 << new06;
        QTest::newRow(b + " a day changed by another copy")
            << backend << "all"
            << "moved" << false << QStringLiteral("1400.00|24400|0.0531|a|OLD") << "";
        QTest::newRow(b + " a new day stored by another copy")
            << backend << "new"
            << "taken" << false << old04 << QStringLiteral("1.00|1|1||X");
    }
    QTest::newRow("sqlite a failing statement rolls all back") << "sqlite"
                                                               << "all"
                                                               << "trigger" << false << old04 << "";
}

void TstRateImport::apply()
{
    QFETCH(QString, backend);
    QFETCH(QString, scope);
    QFETCH(QString, before);
    QFETCH(bool, ok);
    QFETCH(QString, day04);
    QFETCH(QString, day06);
    if (backend == u"pgsql")
        ZZ_REQUIRE_PG();
    Db db = open(backend);
    QVERIFY(db.da);
    seed(*db.da);

    const SheetTable t = csv(kHeader
                             + QStringLiteral("2024/03/04,1311,24400,0.0531,a\n2024/03/05,1320.25,24500,0.0539,\n"
                                              "2024/03/06,1330,24600,0.0541,\"it's\"\n"));
    RateImport::Preview p = RateImport::readRows(t, RateImport::findColumns(t));
    QVERIFY(RateImport::compareWithStored(*db.da, p));
    QCOMPARE(RateImport::countText(p), QStringLiteral("추가 1건   수정 1건   동일 1건   거부 0건"));

    // another copy of the program, on its own connection
    DataAccess *o = db.da.get();
    std::unique_ptr<ConnProvider> otherProvider;
    std::unique_ptr<DataAccess> otherDa;
    if (!before.isEmpty()) {
        otherProvider = std::make_unique<ConnProvider>();
        otherProvider->setServerName(db.provider->ServerName());
        otherProvider->setUserId(db.provider->UserId());
        otherProvider->setDatabaseName(db.provider->DatabaseName());
        QVERIFY(otherProvider->OpenConnection());
        otherDa = std::make_unique<DataAccess>();
        otherDa->AttachConnection(otherProvider->GetConnection());
        o = otherDa.get();
    }
    if (before == u"moved")
        QVERIFY(o->Execute(QStringLiteral("UPDATE EX_RATE SET USD = 1400 WHERE STD_DATE = '2024/03/04'")));
    else if (before == u"taken")
        QVERIFY(o->Execute(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                                          "('2024/03/06', 1, 1, 1, '', 'X')")));
    else if (before == u"trigger")
        QVERIFY(o->Execute(
            QStringLiteral("CREATE TRIGGER zz_refuse BEFORE INSERT ON EX_RATE WHEN NEW.STD_DATE = '2024/03/06' "
                           "BEGIN SELECT RAISE(ABORT, 'refused by test'); END")));
    otherDa.reset();
    otherProvider.reset();

    QList<int> progress;
    RateWriter writer(*db.da, QStringLiteral("U777"));
    const RateImport::ApplyResult res = RateImport::apply(
        *db.da, writer, p, scope == u"all" ? RateImport::Scope::NewAndChanged : RateImport::Scope::NewOnly,
        [&progress](int done, int) { progress << done; });
    QCOMPARE(res.ok, ok);
    QVERIFY(!db.da->inTransaction());
    QCOMPARE(day(*db.da, QStringLiteral("2024/03/04")), day04);
    QCOMPARE(day(*db.da, QStringLiteral("2024/03/06")), day06);
    // every written day has its history row, written in the same transaction
    QCOMPARE(historyRows(*db.da), ok ? res.inserted + res.updated : 0);
    if (ok) {
        QCOMPARE(res.inserted, 1);
        QCOMPARE(res.updated, scope == u"all" ? 1 : 0);
        QCOMPARE(progress.last(), res.inserted + res.updated);
    } else if (before == u"trigger") {
        QVERIFY(res.movedDays.isEmpty());
        QVERIFY2(res.error.contains(QStringLiteral("2024/03/06")), qPrintable(res.error));
    } else {
        QCOMPARE(res.movedDays,
                 QStringList{before == u"moved" ? QStringLiteral("2024/03/04") : QStringLiteral("2024/03/06")});
        QVERIFY(progress.isEmpty());
    }
}

void TstRateImport::ownExportReadBack_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("xlsx") << "xlsx";
    QTest::newRow("csv") << "csv";
}

void TstRateImport::ownExportReadBack()
{
    QFETCH(QString, format);
    Db db = open(QStringLiteral("sqlite"));
    QVERIFY(db.da);
    seed(*db.da);
    QVERIFY(db.da->Execute(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                                          "('2024/03/06', 1234567.5, 24600, 0.0541, '쉼표, \"따옴표\"', 'OLD')")));
    const QString file = m_dir.filePath(QStringLiteral("export.") + format);
    QString error;
    if (format == u"csv") {
        RateExport::Table table;
        QVERIFY(RateExport::read(*db.da, QStringLiteral("2024/01/01"), QStringLiteral("2024/12/31"), &table, &error));
        QCOMPARE(table.rows.size(), 3);
        QVERIFY(RateExport::writeCsv(table, file));
    } else {
        RateExportForm form;
        QCOMPARE(form.fill(*db.da, QStringLiteral("2024/01/01"), QStringLiteral("2024/12/31"), &error), 3L);
        QVERIFY(form.writeXlsx(file));
    }

    const SheetReader::Result r = SheetReader::read(file);
    QCOMPARE(int(r.failure), int(SheetReader::Failure::None));
    RateImport::Preview p = RateImport::readRows(r.table(), RateImport::findColumns(r.table()));
    QVERIFY(RateImport::compareWithStored(*db.da, p));
    QCOMPARE(RateImport::countText(p), QStringLiteral("추가 0건   수정 0건   동일 3건   거부 0건"));
    QCOMPARE(p.skipped, 1); // the "평균" line
}

void TstRateImport::remarksReadBack_data()
{
    QTest::addColumn<QString>("remark");
    QTest::newRow("CR LF, as pasted from a Windows program") << QStringLiteral("첫 줄\r\n둘째 줄");
    QTest::newRow("LF") << QStringLiteral("a\nb");
    QTest::newRow("TAB") << QStringLiteral("a\tb");
    QTest::newRow("line break and TAB at the end") << QStringLiteral("끝\r\n\t");
    QTest::newRow("control character 0x01") << QStringLiteral("\x01앞");
    QTest::newRow("a literal _x0041_") << QStringLiteral("코드 _x0041_ 그대로");
    QTest::newRow("a literal _x005F_") << QStringLiteral("_x005F_");
    QTest::newRow("a literal escape of CR, lower-case digits") << QStringLiteral("_x000d_");
    QTest::newRow("a literal escape with a capital X") << QStringLiteral("_X0041_");
    QTest::newRow("an escape next to the character it names") << QStringLiteral("\r_x000D_");
    QTest::newRow("Korean text with quotes") << QStringLiteral("한국어 비고, \"따옴표\" 'x'");
}

void TstRateImport::remarksReadBack()
{
    QFETCH(QString, remark);
    Db db = open(QStringLiteral("sqlite"));
    QVERIFY(db.da);
    QSqlQuery q(QSqlDatabase::database(db.provider->GetConnection()->connectionName()));
    q.prepare(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                             "('2024/03/06', 1310.5, 24600, 0.0541, ?, 'OLD')"));
    q.addBindValue(remark);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    // out through the export button's own writing, back in through the import's reading
    RateExportForm form;
    QString error;
    QCOMPARE(form.fill(*db.da, QStringLiteral("2024/01/01"), QStringLiteral("2024/12/31"), &error), 1L);
    const QString file = m_dir.filePath(QStringLiteral("remarks.xlsx"));
    QVERIFY(form.writeXlsx(file));
    const SheetReader::Result r = SheetReader::read(file);
    QCOMPARE(int(r.failure), int(SheetReader::Failure::None));
    RateImport::Preview p = RateImport::readRows(r.table(), RateImport::findColumns(r.table()));
    QVERIFY(RateImport::compareWithStored(*db.da, p));
    QCOMPARE(p.rows.size(), 1);
    QCOMPARE(p.rows[0].remark, remark);
    QCOMPARE(RateImport::outcomeText(p.rows[0].outcome), QStringLiteral("동일"));
}

QTEST_MAIN(TstRateImport)
#include "tst_rateimport.moc"
