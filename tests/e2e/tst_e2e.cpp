// The real zozura executable on its own X server (Xvfb), driven with xdotool the way a user
// drives it, and judged by what it wrote to the database and by the boxes it put up. A failing
// case leaves a screenshot in <build>/e2e-artifacts.

#include "../common/dbtestenv.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>

namespace {

// Window-relative points (pixels at 96 dpi) of the controls of the main window, as laid out
// for its start-up size; the window sits undecorated since Xvfb runs no window manager.
struct Point
{
    int x;
    int y;
};
constexpr Point StdDate{139, 35};
constexpr Point Usd{139, 59};
constexpr Point Vnd{319, 59};
constexpr Point Krw{499, 59};
constexpr Point Remark{319, 83};
constexpr Point ClearButton{639, 40};
constexpr Point SaveButton{595, 73};
constexpr Point DeleteButton{683, 73};
constexpr Point FromDate{139, 137};
constexpr Point ToDate{241, 137};
constexpr Point QueryButton{335, 137};
// first data row of the grid, date column; rows are 16 pixels apart
constexpr Point GridRow1{83, 202};
constexpr int GridRowStep = 16;

const QString MainTitle = QStringLiteral("환율관리 프로그램");
const QString NoticeTitle = QStringLiteral(" MessageBox...");

QString run(const QString &program, const QStringList &args, int *exitCode = nullptr, int timeoutMs = 10000)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
    }
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString xdo(const QStringList &args, int *exitCode = nullptr)
{
    return run(QStringLiteral("xdotool"), args, exitCode);
}

QByteArray fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

} // namespace

class TstE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void startWithoutConfiguration();
    void secondInstance();
    void queryChangeSaveDelete();
    void badInputRefused_data();
    void badInputRefused();
    void sqliteLockedByAnotherWriter();
    void postgresStoppedWhileRunning();

private:
    QProcess *startProgram(const QString &runDir);
    QString waitWindow(qint64 pid, const QString &title, int timeoutMs = 15000);
    bool waitGone(const QString &window, int timeoutMs = 10000);
    void answerBox(const QString &window);
    void click(const QString &window, Point p);
    void typeInto(const QString &window, Point p, const QString &text);
    QString waitAnyBox(qint64 pid, const QStringList &titles, QString *which, int timeoutMs = 20000);
    void prepareDemo();
    void usePostgres(const QString &database);
    QSqlDatabase check();
    QVariant value(const QString &sql);
    void stopProgram(QProcess *p);

    QProcess m_xvfb;
    QString m_display;
    QString m_artifacts;
    QTemporaryDir *m_sys = nullptr;
    QTemporaryDir *m_run = nullptr;
    QList<QProcess *> m_programs;
    QString m_pgDatabase;
};

void TstE2e::initTestCase()
{
    const QString build = DbTestEnv::buildDir();
    QVERIFY2(QFile::exists(build + QStringLiteral("/zozura")), "the program is not built");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is missing");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty(), "Xvfb is missing");
    m_artifacts = build + QStringLiteral("/e2e-artifacts");
    QDir().mkpath(m_artifacts);

    // a display of our own, so parallel tests and a desktop session stay apart
    for (int n = 90 + int(QCoreApplication::applicationPid() % 300); n < 1000; n += 7) {
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
            || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        m_display = QStringLiteral(":%1").arg(n);
        m_xvfb.start(QStringLiteral("Xvfb"), {m_display, QStringLiteral("-screen"), QStringLiteral("0"),
                                               QStringLiteral("1280x1024x24"), QStringLiteral("-dpi"),
                                               QStringLiteral("96"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                               QStringLiteral("-noreset")});
        m_xvfb.waitForStarted(5000);
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) && t.elapsed() < 5000
               && m_xvfb.state() == QProcess::Running)
            QThread::msleep(50);
        if (m_xvfb.state() == QProcess::Running && QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            break;
        m_xvfb.kill();
        m_xvfb.waitForFinished(3000);
        m_display.clear();
    }
    QVERIFY2(!m_display.isEmpty(), "Xvfb did not start");
    qputenv("DISPLAY", m_display.toLocal8Bit());
    // the socket appears before the server takes clients
    QElapsedTimer t;
    t.start();
    int code = -1;
    while (t.elapsed() < 10000) {
        xdo({QStringLiteral("getdisplaygeometry")}, &code);
        if (code == 0)
            break;
        QThread::msleep(100);
    }
    QVERIFY2(code == 0, "Xvfb takes no clients");
}

void TstE2e::cleanupTestCase()
{
    m_xvfb.terminate();
    m_xvfb.waitForFinished(3000);
}

void TstE2e::init()
{
    m_sys = new QTemporaryDir;
    m_run = new QTemporaryDir;
    QVERIFY(m_sys->isValid() && m_run->isValid());
    QFile::setPermissions(m_run->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_pgDatabase.clear();
}

void TstE2e::cleanup()
{
    if (QTest::currentTestFailed()) {
        const QString shot = QStringLiteral("%1/%2%3.png")
                                 .arg(m_artifacts, QString::fromLatin1(QTest::currentTestFunction()),
                                      QTest::currentDataTag() ? QStringLiteral("-") + QString::fromUtf8(QTest::currentDataTag()) : QString());
        run(QStringLiteral("import"), {QStringLiteral("-display"), m_display, QStringLiteral("-window"),
                                       QStringLiteral("root"), shot});
        qWarning("screenshot: %s", qPrintable(shot));
    }
    for (QProcess *p : std::as_const(m_programs))
        stopProgram(p);
    qDeleteAll(m_programs);
    m_programs.clear();
    for (const QString &name : QSqlDatabase::connectionNames())
        QSqlDatabase::removeDatabase(name);
    delete m_sys;
    delete m_run;
}

void TstE2e::stopProgram(QProcess *p)
{
    if (p->state() == QProcess::NotRunning)
        return;
    p->terminate();
    if (!p->waitForFinished(3000)) {
        p->kill();
        p->waitForFinished(3000);
    }
}

QProcess *TstE2e::startProgram(const QString &runDir)
{
    auto *p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("ZEVARU_SYSTEM_DIR"), m_sys->path());
    env.insert(QStringLiteral("ODBCSYSINI"), m_sys->path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runDir);
    env.remove(QStringLiteral("ZOZURA_AUTOANSWER_BOXES"));
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(DbTestEnv::buildDir() + QStringLiteral("/zozura"), {});
    p->waitForStarted(10000);
    m_programs << p;
    return p;
}

QString TstE2e::waitWindow(qint64 pid, const QString &title, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        const QString found = xdo({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                   QString::number(pid), QStringLiteral("--name"), QStringLiteral(".")});
        for (const QString &id : found.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            // titles compared whole: search patterns would read the dots and spaces of some
            if (xdo({QStringLiteral("getwindowname"), id}) != title.trimmed())
                continue;
            // a window the size of a real box or form; tool windows of the program map tiny ones
            const QString geometry = xdo({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
            const QRegularExpression re(QStringLiteral("WIDTH=(\\d+)\\s+HEIGHT=(\\d+)"));
            const QRegularExpressionMatch m = re.match(geometry);
            if (!m.hasMatch() || m.captured(1).toInt() < 100 || m.captured(2).toInt() < 60)
                continue;
            // mapped is not yet ready for input: let the first paint and focus settle
            QThread::msleep(400);
            return id;
        }
        QThread::msleep(100);
    } while (t.elapsed() < timeoutMs);
    return {};
}

QString TstE2e::waitAnyBox(qint64 pid, const QStringList &titles, QString *which, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        for (const QString &title : titles) {
            const QString w = waitWindow(pid, title, 0);
            if (!w.isEmpty()) {
                *which = title;
                // the box's picture, kept for the report when the box is not the expected one
                run(QStringLiteral("import"), {QStringLiteral("-display"), m_display, QStringLiteral("-window"),
                                               QStringLiteral("root"), m_artifacts + QStringLiteral("/last-box.png")});
                return w;
            }
        }
        QThread::msleep(100);
    } while (t.elapsed() < timeoutMs);
    return {};
}

bool TstE2e::waitGone(const QString &window, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        int code = 0;
        xdo({QStringLiteral("getwindowname"), window}, &code);
        const QString visible = xdo({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral(".")});
        if (code != 0 || !visible.split(QLatin1Char('\n')).contains(window))
            return true;
        QThread::msleep(100);
    } while (t.elapsed() < timeoutMs);
    return false;
}

void TstE2e::answerBox(const QString &window)
{
    bool gone = false;
    for (int attempt = 0; attempt < 3 && !gone; ++attempt) {
        xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        xdo({QStringLiteral("key"), QStringLiteral("Return")});
        gone = waitGone(window, 3000);
    }
    QVERIFY2(gone, "the box stayed after Enter");
}

void TstE2e::click(const QString &window, Point p)
{
    xdo({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(p.x), QString::number(p.y),
         QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(150);
}

void TstE2e::typeInto(const QString &window, Point p, const QString &text)
{
    click(window, p);
    xdo({QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")});
    xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), text});
}

void TstE2e::prepareDemo()
{
    // the demo set-up script: ZEVARU.DAT, registry.ini and three years of rates in SQLite
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZOZURA_DEMO_DIR"), m_sys->path());
    env.insert(QStringLiteral("ZOZURA_DEMO_SKIP_BUILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("ZOZURA_BUILD_DIR"), DbTestEnv::buildDir());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"), {DbTestEnv::sourceDir() + QStringLiteral("/scripts/demo.sh"), QStringLiteral("--prepare-only")});
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
}

void TstE2e::usePostgres(const QString &database)
{
    const QString problem = DbTestEnv::pgProblem();
    if (!problem.isEmpty()) {
        if (DbTestEnv::requirePg())
            QFAIL(qPrintable(QStringLiteral("PostgreSQL required: ") + problem));
        QSKIP(qPrintable(problem));
    }
    const QString fresh = DbTestEnv::freshPgDatabase(database);
    QVERIFY2(fresh.isEmpty(), qPrintable(fresh));
    m_pgDatabase = database;
    const DbTestEnv::Pg pg;
    int code = 0;
    run(DbTestEnv::buildDir() + QStringLiteral("/tools/zevaru-conf"),
        {QStringLiteral("write"), QStringLiteral("--file"), m_sys->filePath(QStringLiteral("ZEVARU.DAT")),
         QStringLiteral("--server"), QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port), QStringLiteral("--user"),
         pg.user, QStringLiteral("--password"), QStringLiteral("x"), QStringLiteral("--database"), database},
        &code);
    QCOMPARE(code, 0);
    QFile reg(m_sys->filePath(QStringLiteral("registry.ini")));
    QVERIFY(reg.open(QIODevice::WriteOnly));
    reg.write("[SOFTWARE\\ZEVARU]\nREG_USERID=E2E01\n");
}

QSqlDatabase TstE2e::check()
{
    const QString name = QStringLiteral("check");
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db;
    if (!m_pgDatabase.isEmpty()) {
        const DbTestEnv::Pg pg;
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(pg.host);
        db.setPort(pg.port);
        db.setUserName(pg.user);
        db.setDatabaseName(m_pgDatabase);
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_sys->filePath(QStringLiteral("zozura-demo.db")));
    }
    db.open();
    return db;
}

QVariant TstE2e::value(const QString &sql)
{
    QSqlDatabase db = check();
    if (!db.isOpen() && !db.open())
        return QStringLiteral("<no connection: %1>").arg(db.lastError().text());
    QSqlQuery q(db);
    if (!q.exec(sql))
        return QStringLiteral("<error: %1>").arg(q.lastError().text());
    return q.next() ? q.value(0) : QVariant();
}

// ------------------------------------------------------------------ start-up

void TstE2e::startWithoutConfiguration()
{
    // registry present, ZEVARU.DAT missing: the error box, then the process ends with a failure
    QFile reg(m_sys->filePath(QStringLiteral("registry.ini")));
    QVERIFY(reg.open(QIODevice::WriteOnly));
    reg.write("[SOFTWARE\\ZEVARU]\nREG_USERID=E2E01\n");
    reg.close();
    QProcess *p = startProgram(m_run->path());
    const QString box = waitWindow(p->processId(), QStringLiteral("에러"));
    QVERIFY2(!box.isEmpty(), "no error box");
    QVERIFY(waitWindow(p->processId(), MainTitle, 0).isEmpty());
    answerBox(box);
    QVERIFY(p->waitForFinished(10000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QVERIFY(p->exitCode() != 0);
    QVERIFY(!QFile::exists(m_sys->filePath(QStringLiteral("ZEVARU.DAT"))));
}

void TstE2e::secondInstance()
{
    prepareDemo();
    const QString dbPath = m_sys->filePath(QStringLiteral("zozura-demo.db"));
    QProcess *first = startProgram(m_run->path());
    QVERIFY(!waitWindow(first->processId(), MainTitle).isEmpty());
    const QByteArray before = fileHash(dbPath);
    const QDateTime modified = QFileInfo(dbPath).lastModified();

    QProcess *second = startProgram(m_run->path());
    const QString box = waitWindow(second->processId(), QStringLiteral("경고"));
    QVERIFY2(!box.isEmpty(), "no warning box for the second copy");
    QVERIFY(waitWindow(second->processId(), MainTitle, 0).isEmpty());
    answerBox(box);
    QVERIFY(second->waitForFinished(10000));
    QVERIFY(second->exitCode() != 0);
    QCOMPARE(fileHash(dbPath), before);
    QCOMPARE(QFileInfo(dbPath).lastModified(), modified);
    QVERIFY2(!QFile::exists(dbPath + QStringLiteral("-journal")), "the second copy opened the database for writing");
    // the first copy carries on
    QCOMPARE(first->state(), QProcess::Running);
}

// ------------------------------------------------------------------ the daily work

void TstE2e::queryChangeSaveDelete()
{
    prepareDemo();
    QSqlQuery(check()).exec(QStringLiteral("DELETE FROM EX_RATE WHERE STD_DATE > '2026/12/08'"));
    QProcess *p = startProgram(m_run->path());
    const QString w = waitWindow(p->processId(), MainTitle);
    QVERIFY(!w.isEmpty());
    QString which;

    // a new day saved
    click(w, ClearButton);
    typeInto(w, StdDate, QStringLiteral("2026/12/09"));
    typeInto(w, Usd, QStringLiteral("1300.5"));
    typeInto(w, Vnd, QStringLiteral("24000"));
    typeInto(w, Krw, QStringLiteral("0.055"));
    typeInto(w, Remark, QStringLiteral("it's \"new\""));
    click(w, SaveButton);
    QString box = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, NoticeTitle);
    answerBox(box);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toInt(), 1);
    QCOMPARE(value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toDouble(), 1300.5);
    QCOMPARE(value(QStringLiteral("SELECT VND FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toDouble(), 24000.0);
    QCOMPARE(value(QStringLiteral("SELECT KRW FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toDouble(), 0.055);
    QCOMPARE(value(QStringLiteral("SELECT REMARK FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toString(),
             QStringLiteral("it's \"new\""));
    QCOMPARE(value(QStringLiteral("SELECT INS_SCODE FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toString(),
             QStringLiteral("DEMO01"));

    // a period query; a click on its third row brings that day into the input panel, whose
    // changed rate is saved over the day: the rest of the row keeps the stored values
    const QVariant vnd = value(QStringLiteral("SELECT VND FROM EX_RATE WHERE STD_DATE='2026/11/04'"));
    const int rows = value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt();
    typeInto(w, FromDate, QStringLiteral("2026/11/01"));
    typeInto(w, ToDate, QStringLiteral("2026/12/09"));
    click(w, QueryButton);
    QThread::msleep(500);
    QVERIFY(waitWindow(p->processId(), QStringLiteral("자료 관리"), 0).isEmpty());
    click(w, Point{GridRow1.x, GridRow1.y + 2 * GridRowStep});
    typeInto(w, Usd, QStringLiteral("1111.25"));
    click(w, SaveButton);
    box = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, NoticeTitle);
    answerBox(box);
    QCOMPARE(value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/11/04'")).toDouble(), 1111.25);
    QCOMPARE(value(QStringLiteral("SELECT VND FROM EX_RATE WHERE STD_DATE='2026/11/04'")), vnd);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), rows);

    // the new day deleted, nothing else
    click(w, ClearButton);
    typeInto(w, StdDate, QStringLiteral("2026/12/09"));
    click(w, DeleteButton);
    box = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, NoticeTitle);
    answerBox(box);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/09'")).toInt(), 0);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), rows - 1);
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
    prepareDemo();
    const QByteArray before = fileHash(m_sys->filePath(QStringLiteral("zozura-demo.db")));
    QProcess *p = startProgram(m_run->path());
    const QString w = waitWindow(p->processId(), MainTitle);
    QVERIFY(!w.isEmpty());
    click(w, ClearButton);
    typeInto(w, StdDate, date);
    typeInto(w, Usd, usd);
    if (!remark.isEmpty())
        typeInto(w, Remark, remark);
    click(w, SaveButton);
    // the program's own notice, and the database file untouched
    const QString box = waitWindow(p->processId(), NoticeTitle);
    QVERIFY2(!box.isEmpty(), "no notice for the bad input");
    answerBox(box);
    QCOMPARE(fileHash(m_sys->filePath(QStringLiteral("zozura-demo.db"))), before);
    QCOMPARE(p->state(), QProcess::Running);
}

// ------------------------------------------------------------------ faults

void TstE2e::sqliteLockedByAnotherWriter()
{
    prepareDemo();
    QProcess *p = startProgram(m_run->path());
    const QString w = waitWindow(p->processId(), MainTitle);
    QVERIFY(!w.isEmpty());
    const int rows = value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt();

    // another program holds the write lock for longer than the program waits
    QSqlDatabase db = check();
    QSqlQuery lock(db);
    QVERIFY(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
    QVERIFY(lock.exec(QStringLiteral("UPDATE EX_RATE SET REMARK='locked' WHERE STD_DATE='2026/12/08'")));

    click(w, ClearButton);
    typeInto(w, StdDate, QStringLiteral("2026/12/11"));
    typeInto(w, Usd, QStringLiteral("1250"));
    QElapsedTimer t;
    t.start();
    click(w, SaveButton);
    QString which;
    const QString box = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패")}, &which, 60000);
    const qint64 waited = t.elapsed();
    QVERIFY2(!box.isEmpty(), "the program gave no answer while the database was locked");
    QCOMPARE(which, QStringLiteral("저장실패"));
    QVERIFY2(waited < 30000, qPrintable(QStringLiteral("waited %1 ms").arg(waited)));
    answerBox(box);
    QVERIFY(lock.exec(QStringLiteral("ROLLBACK")));
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), rows);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/11'")).toInt(), 0);

    // the lock gone, the same save goes through without restarting the program
    click(w, SaveButton);
    const QString ok = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, NoticeTitle);
    answerBox(ok);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/11'")).toInt(), 1);
}

void TstE2e::postgresStoppedWhileRunning()
{
    usePostgres(QStringLiteral("zz_e2e"));
    if (QTest::currentTestFailed())
        return;
    const QString pgData = qEnvironmentVariable("ZOZURA_PG_DATA");
    const QString pgBin = qEnvironmentVariable("ZOZURA_PG_BIN");
    if (pgData.isEmpty() || pgBin.isEmpty())
        QSKIP("ZOZURA_PG_DATA/ZOZURA_PG_BIN not set: the server cannot be stopped here");
    QVERIFY(QSqlQuery(check()).exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2026/12/01', 1200, 24000, 0.05, 'kept')")));
    QProcess *p = startProgram(m_run->path());
    const QString w = waitWindow(p->processId(), MainTitle);
    QVERIFY(!w.isEmpty());

    auto pgCtl = [&](const QStringList &args) {
        int code = 0;
        run(QStringLiteral("runuser"),
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
    click(w, ClearButton);
    typeInto(w, StdDate, QStringLiteral("2026/12/02"));
    typeInto(w, Usd, QStringLiteral("1234"));
    click(w, SaveButton);
    QString box = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QVERIFY2(!box.isEmpty(), "no answer to a save with the server down");
    QCOMPARE(which, QStringLiteral("저장실패"));
    answerBox(box);
    typeInto(w, StdDate, QStringLiteral("2026/12/01"));
    click(w, DeleteButton);
    box = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QVERIFY2(!box.isEmpty(), "no answer to a delete with the server down");
    QCOMPARE(which, QStringLiteral("저장실패"));
    answerBox(box);
    typeInto(w, FromDate, QStringLiteral("2026/11/01"));
    typeInto(w, ToDate, QStringLiteral("2026/12/31"));
    click(w, QueryButton);
    box = waitAnyBox(p->processId(), {QStringLiteral("자료 관리"), QStringLiteral("저장실패")}, &which);
    QVERIFY2(!box.isEmpty(), "no answer to a query with the server down");
    QCOMPARE(which, QStringLiteral("자료 관리"));
    answerBox(box);
    QCOMPARE(p->state(), QProcess::Running);

    // the server back: nothing was re-sent on its own, and the next command works
    QCOMPARE(pgCtl(startArgs), 0);
    QThread::msleep(1500);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), 1);
    QCOMPARE(value(QStringLiteral("SELECT REMARK FROM EX_RATE WHERE STD_DATE='2026/12/01'")).toString(),
             QStringLiteral("kept"));
    typeInto(w, StdDate, QStringLiteral("2026/12/02"));
    typeInto(w, Usd, QStringLiteral("1234"));
    click(w, SaveButton);
    box = waitAnyBox(p->processId(), {NoticeTitle, QStringLiteral("저장실패"), QStringLiteral("자료 관리")}, &which);
    QCOMPARE(which, NoticeTitle);
    answerBox(box);
    QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE WHERE STD_DATE='2026/12/02'")).toInt(), 1);
    QCOMPARE(value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/12/02'")).toDouble(), 1234.0);
}

QTEST_GUILESS_MAIN(TstE2e)
#include "tst_e2e.moc"
