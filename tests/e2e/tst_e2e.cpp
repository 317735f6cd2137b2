// The real zozura executable on its own X server (Xvfb), driven with xdotool the way a user
// drives it, and judged by what it wrote to the database and to disk and by the notices it put up.
// A failing case leaves a screenshot in <build>/e2e-artifacts.

#include "e2edriver.h"

#include "../common/dbtestenv.h"
#include "../common/xlsxreadback.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <limits>

namespace {

// Where `small` lies inside `big`: the offset with the least difference, and the mean difference
// per channel (0..255) of all pixels there. Both are compared as 32-bit RGB.
struct Found
{
    QPoint at;
    double meanDiff = 255;
};

Found locate(const QImage &bigIn, const QImage &smallIn)
{
    const QImage big = bigIn.convertToFormat(QImage::Format_RGB32);
    const QImage small = smallIn.convertToFormat(QImage::Format_RGB32);
    Found best;
    if (small.width() > big.width() || small.height() > big.height() || small.isNull())
        return best;
    auto diff = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
    };
    // a coarse grid of sample points picks the offset; the whole picture then gives the figure
    qint64 bestSum = std::numeric_limits<qint64>::max();
    for (int oy = 0; oy + small.height() <= big.height(); ++oy) {
        for (int ox = 0; ox + small.width() <= big.width(); ++ox) {
            qint64 sum = 0;
            for (int sy = 0; sy < 24 && sum < bestSum; ++sy) {
                const int y = sy * (small.height() - 1) / 23;
                const auto *b = reinterpret_cast<const QRgb *>(big.constScanLine(oy + y));
                const auto *s = reinterpret_cast<const QRgb *>(small.constScanLine(y));
                for (int sx = 0; sx < 24; ++sx) {
                    const int x = sx * (small.width() - 1) / 23;
                    sum += diff(b[ox + x], s[x]);
                }
            }
            if (sum < bestSum) {
                bestSum = sum;
                best.at = QPoint(ox, oy);
            }
        }
    }
    qint64 total = 0;
    for (int y = 0; y < small.height(); ++y) {
        const auto *b = reinterpret_cast<const QRgb *>(big.constScanLine(best.at.y() + y));
        const auto *s = reinterpret_cast<const QRgb *>(small.constScanLine(y));
        for (int x = 0; x < small.width(); ++x)
            total += diff(b[best.at.x() + x], s[x]);
    }
    best.meanDiff = double(total) / (3.0 * small.width() * small.height());
    return best;
}

} // namespace

class TstE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_d.startDisplay(); }
    void cleanupTestCase() { m_d.stopDisplay(); }
    void init() { m_d.begin(); }
    void cleanup() { m_d.end(); }

    void windowManagerClose_data();
    void windowManagerClose();
    void startWithoutConfiguration();
    void secondInstance();
    void queryChangeSaveDelete();
    void graphSavedAsJpegAndGridExported();
    void badInputRefused_data();
    void badInputRefused();
    void sqliteLockedByAnotherWriter();
    void postgresStoppedWhileRunning();

private:
    E2eDriver m_d;
};

// ------------------------------------------------------------------ start-up

void TstE2e::windowManagerClose_data()
{
    QTest::addColumn<bool>("postgres");
    QTest::newRow("sqlite") << false;
    QTest::newRow("postgresql") << true;
}

void TstE2e::windowManagerClose()
{
    // after a query, the close a window manager sends ends the process cleanly: exit status 0,
    // the connection closed and the lock given back
    QFETCH(bool, postgres);
    if (postgres)
        m_d.usePostgres(QStringLiteral("zz_e2e"));
    else
        m_d.prepareDemo();
    if (QTest::currentTestFailed())
        return;
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    QVERIFY(QFile::exists(m_d.runDir() + QStringLiteral("/zozura.lock")));
    m_d.queryPeriod(w, QStringLiteral("2026/11/01"), QStringLiteral("2026/11/30"));
    if (postgres) // an empty database: the notice answered first
        m_d.answerBox(m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle));
    const QString problem = m_d.closeProgram(p);
    QVERIFY2(problem.isEmpty(), qPrintable(problem + QStringLiteral("\n") + m_d.programLog(p)));
}

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

void TstE2e::graphSavedAsJpegAndGridExported()
{
    m_d.prepareDemo();
    QTemporaryDir out;
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    m_d.queryPeriod(w, QStringLiteral("2026/10/01"), QStringLiteral("2026/12/09"));

    // the graph window for the dollar column, saved as a picture under a name typed in the dialog
    const QString graph = m_d.openGraph(p->processId(), w);
    QVERIFY2(!graph.isEmpty(), "no graph window");
    m_d.click(graph, E2eDriver::GraphSaveJpg);
    const QString jpg = out.filePath(QStringLiteral("rates graph.jpg"));
    m_d.saveThroughDialog(p->processId(), QStringLiteral("파일로 저장하기"), jpg);
    QCOMPARE(m_d.waitNotice(p, 0), QStringLiteral("저장하였습니다.|아래 경로로 저장하였습니다.\\n\\n경로 : ") + jpg);
    QString box = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle);
    QVERIFY(!box.isEmpty());
    m_d.answerBox(box);
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("rates graph.jpg")});
    QImage picture;
    QVERIFY2(picture.load(jpg, "JPG"), "the picture does not decode as JPEG");
    // the picture is the chart as the window shows it: same size, same pixels (up to JPEG's loss)
    const QImage window = m_d.grab(graph);
    QVERIFY(!window.isNull());
    QVERIFY2(picture.width() > 400 && picture.height() > 300,
             qPrintable(QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height())));
    const Found found = locate(window, picture);
    qInfo("picture %d x %d at %d,%d of the window, mean difference %.2f", picture.width(), picture.height(),
          found.at.x(), found.at.y(), found.meanDiff);
    QVERIFY2(found.meanDiff < 5,
             qPrintable(QStringLiteral("the %1 x %2 picture differs from the chart on screen by %3 per channel")
                            .arg(picture.width())
                            .arg(picture.height())
                            .arg(found.meanDiff)));

    // the grid exported from the main window and read back: header, every row of the period as
    // stored, numbers as numbers, and the averages line
    m_d.xdo({QStringLiteral("windowraise"), w});
    m_d.click(w, E2eDriver::NavExport);
    const QString xlsx = out.filePath(QStringLiteral("rates.xlsx"));
    m_d.saveThroughDialog(p->processId(), QStringLiteral("엑셀로 내보내기"), xlsx);
    QCOMPARE(m_d.waitNotice(p, 1), QStringLiteral("저장하였습니다.|아래 경로로 저장하였습니다.\\n\\n경로 : ") + xlsx);
    box = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle);
    QVERIFY(!box.isEmpty());
    m_d.answerBox(box);

    const QJsonObject book = XlsxReadBack::read(xlsx);
    QCOMPARE(book.value(QStringLiteral("sheets")).toArray().toVariantList(), QVariantList{QStringLiteral("Sheet1")});
    const QJsonObject cells = book.value(QStringLiteral("cells")).toObject();
    auto cell = [&](const char *col, int row) {
        return cells.value(QStringLiteral("%1%2").arg(QLatin1String(col)).arg(row)).toObject();
    };
    QCOMPARE(cell("A", 1).value(QStringLiteral("value")).toString(), QStringLiteral("일자"));
    QCOMPARE(cell("B", 1).value(QStringLiteral("value")).toString(), QStringLiteral("미달러"));
    QCOMPARE(cell("E", 1).value(QStringLiteral("value")).toString(), QStringLiteral("비고"));
    QSqlQuery q(m_d.check());
    QVERIFY(q.exec(QStringLiteral("SELECT STD_DATE, USD, VND, KRW, REMARK FROM EX_RATE WHERE STD_DATE BETWEEN "
                                  "'2026/10/01' AND '2026/12/09' ORDER BY STD_DATE")));
    int row = 1;
    double sums[3] = {0, 0, 0};
    const char *rateCols[3] = {"B", "C", "D"};
    while (q.next()) {
        ++row;
        QCOMPARE(cell("A", row).value(QStringLiteral("value")).toString(), q.value(0).toString());
        for (int k = 0; k < 3; ++k) {
            const QJsonObject c = cell(rateCols[k], row);
            QCOMPARE(c.value(QStringLiteral("type")).toString(), QStringLiteral("number"));
            QVERIFY2(qAbs(c.value(QStringLiteral("value")).toDouble() - q.value(k + 1).toDouble()) < 1e-9,
                     qPrintable(QStringLiteral("row %1 column %2").arg(row).arg(QLatin1String(rateCols[k]))));
            sums[k] += q.value(k + 1).toDouble();
        }
        QCOMPARE(cell("E", row).value(QStringLiteral("value")).toString(), q.value(4).toString().trimmed());
    }
    const int days = row - 1;
    QVERIFY2(days > 40, qPrintable(QString::number(days)));
    QCOMPARE(book.value(QStringLiteral("maxRow")).toInt(), 1 + days + 1);
    const int last = days + 2;
    QCOMPARE(cell("A", last).value(QStringLiteral("value")).toString(), QStringLiteral("평균"));
    const QLocale grouped(QLocale::English);
    const int places[3] = {2, 0, 6};
    for (int k = 0; k < 3; ++k)
        QCOMPARE(cell(rateCols[k], last).value(QStringLiteral("value")).toString(),
                 grouped.toString(sums[k] / days, 'f', places[k]));
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
    QTest::newRow("remark longer than the column")
        << QStringLiteral("2026/12/10") << QStringLiteral("1200") << QString(201, QLatin1Char('x'));
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
    const QString box =
        m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which, 60000);
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
    QVERIFY(QSqlQuery(m_d.check())
                .exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2026/12/01', "
                                     "1200, 24000, 0.05, 'kept')")));
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());

    auto pgCtl = [&](const QStringList &args) {
        int code = 0;
        E2eDriver::run(QStringLiteral("runuser"),
                       QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"),
                                   pgBin + QStringLiteral("/pg_ctl"), QStringLiteral("-D"), pgData}
                           + args,
                       &code, 60000);
        return code;
    };
    // started again as the test script started it: loopback only, its port, sockets in /tmp
    const QStringList startArgs{QStringLiteral("-l"),
                                pgData + QStringLiteral("/server.log"),
                                QStringLiteral("-w"),
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
    QString box = m_d.waitAnyBox(
        p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QVERIFY2(!box.isEmpty(), "no answer to a save with the server down");
    QCOMPARE(which, QStringLiteral("저장실패"));
    m_d.answerBox(box);
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/01"));
    m_d.click(w, E2eDriver::DeleteButton);
    box = m_d.waitAnyBox(p->processId(),
                         {E2eDriver::NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
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
    box = m_d.waitAnyBox(p->processId(),
                         {E2eDriver::NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(box);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/02'")).toInt(), 1);
    QCOMPARE(m_d.value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/12/02'")).toDouble(), 1234.0);
}

QTEST_GUILESS_MAIN(TstE2e)
#include "tst_e2e.moc"
