// Faults and bad input met by the real zozura executable on its own X server: a save into a
// folder it may not write, two running copies saving the same new day at once, configuration
// and registry files it cannot use, and rates another program left as NULL or text. Judged by the
// database, the files on disk, the program's notices and boxes, and its exit code.

#include "e2edriver.h"

#include "../common/dbtestenv.h"
#include "../common/xlsxreadback.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonObject>
#include <QLocale>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <unistd.h>

namespace {

// Every file under dir with its content's hash: "nothing written" is this map unchanged.
QMap<QString, QByteArray> tree(const QString &dir)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(QDir(dir).relativeFilePath(path), E2eDriver::fileHash(path));
    }
    return out;
}

// The grid's area of the main window (pixels, window-relative): what the user sees of the data.
const QRect GridArea(10, 160, 755, 425);

} // namespace

class TstE2eFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_d.startDisplay(); }
    void cleanupTestCase() { m_d.stopDisplay(); }
    void init() { m_d.begin(); }
    void cleanup() { m_d.end(); }

    void saveIntoReadOnlyFolder_data();
    void saveIntoReadOnlyFolder();
    void twoCopiesSaveTheSameNewDay_data();
    void twoCopiesSaveTheSameNewDay();
    void unusableStartFiles_data();
    void unusableStartFiles();
    void ratesOfAnotherProgram();
    void doubleClickDuringLongQuery();
    void ratesTypedWithNoise_data();
    void ratesTypedWithNoise();

private:
    // The outcome of a save in `p`: "저장" or "수정" from its notice, "저장실패" from its box, or
    // empty text when it gave none within the time. The notice or box is answered.
    QString saveOutcome(QProcess *p, int noticesBefore, int timeoutMs = 30000);

    E2eDriver m_d;
};

QString TstE2eFaults::saveOutcome(QProcess *p, int noticesBefore, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        const QStringList n = m_d.notices(p);
        if (n.size() > noticesBefore) {
            const QString box = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle);
            if (!box.isEmpty())
                m_d.answerBox(box);
            const QString last = n.last();
            if (last.startsWith(QStringLiteral("저장하였습니다.|데이타를 성공적으로 저장하였습니다.")))
                return QStringLiteral("저장");
            if (last.startsWith(QStringLiteral("수정하였습니다.|데이타를 성공적으로 수정하였습니다.")))
                return QStringLiteral("수정");
            return QStringLiteral("notice ") + last;
        }
        const QString failed = m_d.waitWindow(p->processId(), E2eDriver::SaveFailedTitle, 0);
        if (!failed.isEmpty()) {
            m_d.answerBox(failed);
            return E2eDriver::SaveFailedTitle;
        }
        QThread::msleep(100);
    } while (t.elapsed() < timeoutMs);
    return {};
}

// ------------------------------------------------------------------ read-only folder

void TstE2eFaults::saveIntoReadOnlyFolder_data()
{
    QTest::addColumn<bool>("picture"); // the graph's JPEG, else the grid's workbook
    QTest::addColumn<QString>("notice");
    QTest::newRow("graph picture") << true << QStringLiteral("오류가 발생했습니다.|");
    QTest::newRow("grid workbook") << false << QStringLiteral("저장을 실패하였습니다.|정상적으로 저장되지 않았습니다.");
}

void TstE2eFaults::saveIntoReadOnlyFolder()
{
    QFETCH(bool, picture);
    QFETCH(QString, notice);
    m_d.prepareDemo();
    QTemporaryDir out;
    const QString locked = out.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(locked));
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    auto unlock =
        qScopeGuard([&] { QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
    // the superuser passes over folder modes: the program then runs without that power
    QProcess *p = m_d.startProgram(QString(), true);
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    m_d.queryPeriod(w, QStringLiteral("2026/10/01"), QStringLiteral("2026/12/09"));
    m_d.click(w, E2eDriver::GridRow1); // the grid holds the focus before and after
    const QImage gridBefore = m_d.grab(w).copy(GridArea);
    QVERIFY(!gridBefore.isNull());

    const QString file = locked + (picture ? QStringLiteral("/chart.jpg") : QStringLiteral("/rates.xlsx"));
    QString graph;
    if (picture) {
        graph = m_d.openGraph(p->processId(), w);
        QVERIFY2(!graph.isEmpty(), "no graph window");
        m_d.click(graph, E2eDriver::GraphSaveJpg);
        m_d.saveThroughDialog(p->processId(), QStringLiteral("파일로 저장하기"), file);
    } else {
        m_d.click(w, E2eDriver::NavExport);
        m_d.saveThroughDialog(p->processId(), QStringLiteral("엑셀로 내보내기"), file);
    }
    const QString said = m_d.waitNotice(p, 0);
    QVERIFY2(said.startsWith(notice), qPrintable(said));
    if (picture) // the system's reason, and the hint of a file held open elsewhere
        QVERIFY2(said.endsWith(QStringLiteral("\\n파일이 사용중이면 닫아주십시오.")), qPrintable(said));
    const QString box = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle);
    QVERIFY(!box.isEmpty());
    m_d.answerBox(box);

    // no file, no partial or temporary file left, the grid as it was, the program still working
    QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             QStringList());
    if (!graph.isEmpty())
        m_d.xdo({QStringLiteral("windowraise"), w});
    QThread::msleep(300);
    m_d.click(w, E2eDriver::GridRow1);
    QCOMPARE(m_d.grab(w).copy(GridArea), gridBefore);
    QCOMPARE(p->state(), QProcess::Running);

    // the same save into a folder that takes it goes through
    const QString good = out.filePath(QFileInfo(file).fileName());
    if (picture) {
        m_d.xdo({QStringLiteral("windowraise"), graph});
        m_d.click(graph, E2eDriver::GraphSaveJpg);
        m_d.saveThroughDialog(p->processId(), QStringLiteral("파일로 저장하기"), good);
    } else {
        m_d.click(w, E2eDriver::NavExport);
        m_d.saveThroughDialog(p->processId(), QStringLiteral("엑셀로 내보내기"), good);
    }
    QVERIFY2(m_d.waitNotice(p, 1).startsWith(QStringLiteral("저장하였습니다.|")),
             qPrintable(m_d.notices(p).join(u'\n')));
    QVERIFY(QFileInfo(good).size() > 0);
    m_d.answerBox(m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle));
}

// ------------------------------------------------------------------ two copies

void TstE2eFaults::twoCopiesSaveTheSameNewDay_data()
{
    QTest::addColumn<bool>("postgres");
    QTest::newRow("SQLite") << false;
    QTest::newRow("PostgreSQL") << true;
}

void TstE2eFaults::twoCopiesSaveTheSameNewDay()
{
    QFETCH(bool, postgres);
    const QString day = QStringLiteral("2026/12/15");
    if (postgres) {
        m_d.usePostgres(QStringLiteral("zz_e2e_two"));
        if (QTest::currentTestFailed())
            return;
    } else {
        m_d.prepareDemo();
        QVERIFY(QSqlQuery(m_d.check()).exec(QStringLiteral("DELETE FROM EX_RATE WHERE STD_DATE = '%1'").arg(day)));
    }
    const int rowsBefore = m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt();

    // two copies, each with a runtime folder of its own, so neither takes the other for itself
    QTemporaryDir secondRun;
    QFile::setPermissions(secondRun.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess *a = m_d.startProgram();
    const QString wa = m_d.waitWindow(a->processId(), E2eDriver::MainTitle);
    QVERIFY(!wa.isEmpty());
    QProcess *b = m_d.startProgram(secondRun.path());
    const QString wb = m_d.waitWindow(b->processId(), E2eDriver::MainTitle);
    QVERIFY(!wb.isEmpty());
    // side by side: the save buttons of both stay uncovered
    m_d.xdo({QStringLiteral("windowmove"), wa, QStringLiteral("0"), QStringLiteral("0")});
    m_d.xdo({QStringLiteral("windowmove"), wb, QStringLiteral("480"), QStringLiteral("420")});
    QThread::msleep(300);
    const QList<std::pair<QString, QString>> copies{{wa, QStringLiteral("1111.11")}, {wb, QStringLiteral("2222.22")}};
    for (const auto &[w, usd] : copies) {
        m_d.xdo({QStringLiteral("windowraise"), w});
        m_d.click(w, E2eDriver::ClearButton);
        m_d.typeInto(w, E2eDriver::StdDate, day);
        m_d.typeInto(w, E2eDriver::Usd, usd);
    }

    // Another session holds the table's write lock while both copies press save: each finds
    // the day missing and then waits to insert it, so the two inserts really meet.
    QSqlDatabase db = m_d.check();
    QSqlQuery lock(db);
    if (postgres) {
        QVERIFY(lock.exec(QStringLiteral("BEGIN")));
        QVERIFY(lock.exec(QStringLiteral("LOCK TABLE EX_RATE IN SHARE ROW EXCLUSIVE MODE")));
    } else {
        QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
    }
    m_d.xdo({QStringLiteral("mousemove"), QStringLiteral("--window"), wa, QString::number(E2eDriver::SaveButton.x),
             QString::number(E2eDriver::SaveButton.y), QStringLiteral("click"), QStringLiteral("1"),
             QStringLiteral("mousemove"), QStringLiteral("--window"), wb, QString::number(E2eDriver::SaveButton.x),
             QString::number(E2eDriver::SaveButton.y), QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(1500);
    QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));

    const QString outcomeA = saveOutcome(a, 0);
    const QString outcomeB = saveOutcome(b, 0);
    const QString outcomes = QStringLiteral("first copy: %1, second copy: %2").arg(outcomeA, outcomeB);
    qInfo("%s", qPrintable(outcomes));

    // exactly one row for the day, and nothing else changed
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE = '%1'").arg(day)).toInt(), 1);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), rowsBefore + 1);
    QCOMPARE(
        m_d.value(QStringLiteral("SELECT INS_SCODE FROM EX_RATE WHERE STD_DATE = '%1'").arg(day)).toString().trimmed(),
        postgres ? QStringLiteral("E2E01") : QStringLiteral("DEMO01"));
    const double stored =
        m_d.value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE = '%1'").arg(day)).toDouble();

    // one copy inserted the day and says so; the other says truthfully what became of its save:
    // it updated the row (then the row holds its rate) or it failed (then the row holds the other's)
    QVERIFY2((outcomeA == u"저장") != (outcomeB == u"저장"), qPrintable(outcomes));
    const bool aInserted = outcomeA == u"저장";
    const QString other = aInserted ? outcomeB : outcomeA;
    const double insertedRate = aInserted ? 1111.11 : 2222.22;
    const double otherRate = aInserted ? 2222.22 : 1111.11;
    if (other == u"수정")
        QCOMPARE(stored, otherRate);
    else if (other == E2eDriver::SaveFailedTitle)
        QCOMPARE(stored, insertedRate);
    else
        QFAIL(qPrintable(outcomes));
    QCOMPARE(a->state(), QProcess::Running);
    QCOMPARE(b->state(), QProcess::Running);

    // the failed copy's next save of the day now finds it and updates it
    if (other == E2eDriver::SaveFailedTitle) {
        QProcess *loser = aInserted ? b : a;
        const QString w = aInserted ? wb : wa;
        m_d.xdo({QStringLiteral("windowraise"), w});
        m_d.click(w, E2eDriver::SaveButton);
        QCOMPARE(saveOutcome(loser, 0), QStringLiteral("수정"));
        QCOMPARE(m_d.value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE = '%1'").arg(day)).toDouble(),
                 otherRate);
        QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE = '%1'").arg(day)).toInt(), 1);
    }
}

// ------------------------------------------------------------------ start-up files

void TstE2eFaults::unusableStartFiles_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("garbled configuration file") << QStringLiteral("garbled");
    QTest::newRow("truncated configuration file") << QStringLiteral("truncated");
    QTest::newRow("registry file without read permission") << QStringLiteral("registry000");
    QTest::newRow("folder in place of the registry file") << QStringLiteral("registryfolder");
}

void TstE2eFaults::unusableStartFiles()
{
    QFETCH(QString, what);
    m_d.prepareDemo();
    const QString conf = m_d.sysFile(QStringLiteral("ZEVARU.DAT"));
    const QString registry = m_d.sysFile(QStringLiteral("registry.ini"));
    if (what == u"garbled") {
        QByteArray garbage;
        for (int i = 0; i < 300; ++i)
            garbage += char((i * 151 + 7) % 256);
        QFile f(conf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    } else if (what == u"truncated") {
        QFile f(conf);
        QVERIFY(f.open(QIODevice::ReadWrite));
        const QByteArray whole = f.readAll();
        QVERIFY(whole.size() > 40);
        QVERIFY(f.resize(whole.size() / 3));
    } else if (what == u"registry000") {
        QVERIFY(QFile::setPermissions(registry, QFileDevice::Permissions()));
    } else if (what == u"registryfolder") {
        QVERIFY(QFile::remove(registry));
        QVERIFY(QDir().mkdir(registry));
    }
    const QMap<QString, QByteArray> before = tree(m_d.sysDir());

    QProcess *p = m_d.startProgram(QString(), true);
    const QString box = m_d.waitWindow(p->processId(), QStringLiteral("에러"));
    QVERIFY2(!box.isEmpty(), "no error box");
    QVERIFY(m_d.waitWindow(p->processId(), E2eDriver::MainTitle, 0).isEmpty());
    m_d.answerBox(box);
    QVERIFY(p->waitForFinished(10000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QVERIFY(p->exitCode() != 0);
    // nothing written: no database change, no data source, no new file
    QCOMPARE(tree(m_d.sysDir()), before);
    QFile::setPermissions(registry, QFile::ReadOwner | QFile::WriteOwner);
}

// ------------------------------------------------------------------ rates of another program

void TstE2eFaults::ratesOfAnotherProgram()
{
    m_d.prepareDemo();
    // three days written by another program: NULLs and text where rates belong
    QSqlQuery q(m_d.check());
    QVERIFY(q.exec(QStringLiteral("DELETE FROM EX_RATE WHERE STD_DATE BETWEEN '2030/01/01' AND '2030/01/31'")));
    QVERIFY(q.exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES "
                                  "('2030/01/02', NULL, 'abc', 0.05, 'null and text'), "
                                  "('2030/01/03', 1000, 20000, 'n/a', NULL), "
                                  "('2030/01/04', 1300.5, NULL, '', 'plain')")));
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    m_d.queryPeriod(w, QStringLiteral("2030/01/01"), QStringLiteral("2030/01/31"));
    QVERIFY2(m_d.waitWindow(p->processId(), QStringLiteral("자료 관리"), 500).isEmpty(),
             "the query stopped with an error");
    QCOMPARE(m_d.notices(p), QStringList());
    QCOMPARE(p->state(), QProcess::Running);

    // what the grid shows, read back through its export
    QTemporaryDir out;
    const QString xlsx = out.filePath(QStringLiteral("foreign.xlsx"));
    m_d.click(w, E2eDriver::NavExport);
    m_d.saveThroughDialog(p->processId(), QStringLiteral("엑셀로 내보내기"), xlsx);
    QVERIFY2(m_d.waitNotice(p, 0).startsWith(QStringLiteral("저장하였습니다.|")),
             qPrintable(m_d.notices(p).join(u'\n')));
    const QString box = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle);
    QVERIFY(!box.isEmpty());
    m_d.answerBox(box);
    const QJsonObject book = XlsxReadBack::read(xlsx);
    const QJsonObject cells = book.value(QStringLiteral("cells")).toObject();
    auto shown = [&](const char *cell) {
        return cells.value(QLatin1String(cell)).toObject().value(QStringLiteral("value")).toVariant();
    };
    QCOMPARE(book.value(QStringLiteral("maxRow")).toInt(), 1 + 3 + 1);
    QCOMPARE(shown("A2").toString(), QStringLiteral("2030/01/02"));
    QVERIFY2(!shown("B2").isValid(), "a NULL rate is shown");
    QVERIFY2(!shown("C2").isValid(), "a text rate is shown");
    QCOMPARE(shown("D2").toDouble(), 0.05);
    QCOMPARE(shown("B3").toDouble(), 1000.0);
    QVERIFY2(!shown("D3").isValid(), "a text rate is shown");
    QVERIFY2(!shown("C4").isValid(), "a NULL rate is shown");
    QVERIFY2(!shown("D4").isValid(), "an empty rate is shown");
    QCOMPARE(shown("E2").toString(), QStringLiteral("null and text"));
    // averages over all three days, the unusable ones counted as 0
    QCOMPARE(shown("A5").toString(), QStringLiteral("평균"));
    QCOMPARE(shown("B5").toString(), QStringLiteral("766.83")); // (0 + 1000 + 1300.5) / 3
    QCOMPARE(shown("C5").toString(), QStringLiteral("6,667")); // (0 + 20000 + 0) / 3
    QCOMPARE(shown("D5").toString(), QStringLiteral("0.016667")); // (0.05 + 0 + 0) / 3
    // nothing of it was rewritten by the query
    QCOMPARE(m_d.value(QStringLiteral("SELECT VND FROM EX_RATE WHERE STD_DATE = '2030/01/02'")).toString(),
             QStringLiteral("abc"));
}

// ------------------------------------------------------------------ double-click during a long query

void TstE2eFaults::doubleClickDuringLongQuery()
{
    m_d.prepareDemo();
    // a million rows (the date boxes take 199 years, so 14 rows a day keyed "YYYY/MM/DD.nn"): the
    // query runs for seconds, so the second click lands inside it
    QSqlQuery q(m_d.check());
    QVERIFY(q.exec(QStringLiteral("DELETE FROM EX_RATE")));
    QVERIFY2(q.exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999999) "
                                   "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) "
                                   "SELECT strftime('%Y/%m/%d', julianday('1927-01-02') + i / 14) || '.' || "
                                   "printf('%02d', i % 14), 1000 + i % 500, 20000 + i % 1000, 0.05, NULL FROM n")),
             qPrintable(q.lastError().text()));
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    auto waitForQuery = [&] {
        const QString notice = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle, 10000);
        QVERIFY2(!notice.isEmpty(), "no wait notice");
        QVERIFY2(m_d.waitGone(notice, 300000), "the query did not end");
        QThread::msleep(500);
    };

    // one click: the picture a double-click must give too
    m_d.queryPeriod(w, QStringLiteral("1927/01/01"), QStringLiteral("2125/12/31"));
    waitForQuery();
    // the current cell's frame is drawn as the focus last came to the grid: left out
    auto withoutCurrentCell = [](QImage shot) {
        QPainter(&shot).fillRect(E2eDriver::GridRow1.x - 45, E2eDriver::GridRow1.y - 9, 90, 18, Qt::black);
        return shot;
    };
    const QImage once = m_d.grab(w);
    QVERIFY(!once.isNull());

    m_d.xdo({QStringLiteral("mousemove"), QStringLiteral("--window"), w, QString::number(E2eDriver::QueryButton.x),
             QString::number(E2eDriver::QueryButton.y), QStringLiteral("click"), QStringLiteral("--repeat"),
             QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("1")});
    waitForQuery();
    QCOMPARE(p->state(), QProcess::Running);
    // one query's rows, count and averages: the second click did not run a query inside the first
    QCOMPARE(withoutCurrentCell(m_d.grab(w)), withoutCurrentCell(once));
    QCOMPARE(m_d.notices(p), QStringList());
}

// ------------------------------------------------------------------ rates typed with noise

void TstE2eFaults::ratesTypedWithNoise_data()
{
    // the rate boxes take digits, one point and their decimals only; what they show is saved
    QTest::addColumn<int>("column"); // 0 USD, 1 VND, 2 KRW
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("letters among the digits") << 0 << QStringLiteral("12a3b45.678") << 12345.67;
    QTest::newRow("more decimals than the box has") << 2 << QStringLiteral("0.0551234567") << 0.055123;
    QTest::newRow("exponent letter") << 2 << QStringLiteral("1e5") << 15.0;
    QTest::newRow("more digits than the box holds") << 1 << QStringLiteral("99999999999999999999") << 999999999999.0;
    QTest::newRow("thousands separators typed") << 1 << QStringLiteral("24,500") << 24500.0;
}

void TstE2eFaults::ratesTypedWithNoise()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(double, stored);
    m_d.prepareDemo();
    const QString day = QStringLiteral("2026/12/21");
    QVERIFY(QSqlQuery(m_d.check()).exec(QStringLiteral("DELETE FROM EX_RATE WHERE STD_DATE = '%1'").arg(day)));
    QProcess *p = m_d.startProgram();
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY(!w.isEmpty());
    m_d.click(w, E2eDriver::ClearButton);
    m_d.typeInto(w, E2eDriver::StdDate, day);
    const E2eDriver::Point boxes[3] = {E2eDriver::Usd, E2eDriver::Vnd, E2eDriver::Krw};
    m_d.typeInto(w, boxes[column], typed);
    m_d.click(w, E2eDriver::SaveButton);
    QCOMPARE(saveOutcome(p, 0), QStringLiteral("저장"));
    const char *names[3] = {"USD", "VND", "KRW"};
    const QVariant got = m_d.value(
        QStringLiteral("SELECT %1 FROM EX_RATE WHERE STD_DATE = '%2'").arg(QLatin1String(names[column]), day));
    QVERIFY2(qAbs(got.toDouble() - stored) <= 1e-9 * qMax(1.0, qAbs(stored)), qPrintable(got.toString()));
    // the other two rates stay 0
    for (int k = 0; k < 3; ++k) {
        if (k != column)
            QCOMPARE(
                m_d.value(
                       QStringLiteral("SELECT %1 FROM EX_RATE WHERE STD_DATE = '%2'").arg(QLatin1String(names[k]), day))
                    .toDouble(),
                0.0);
    }
}

QTEST_GUILESS_MAIN(TstE2eFaults)
#include "tst_e2e_faults.moc"
