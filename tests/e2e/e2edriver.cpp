#include "e2edriver.h"

#include "../common/dbtestenv.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>

const QString E2eDriver::MainTitle = QStringLiteral("환율관리 프로그램");
const QString E2eDriver::NoticeTitle = QStringLiteral(" MessageBox...");
const QString E2eDriver::SaveFailedTitle = QStringLiteral("저장실패");

E2eDriver::E2eDriver() = default;

E2eDriver::~E2eDriver()
{
    stopDisplay();
}

QString E2eDriver::run(const QString &program, const QStringList &args, int *exitCode, int timeoutMs)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
    }
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit && p.error() != QProcess::FailedToStart ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString E2eDriver::xdo(const QStringList &args, int *exitCode)
{
    return run(QStringLiteral("xdotool"), args, exitCode);
}

QByteArray E2eDriver::fileHash(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void E2eDriver::startDisplay()
{
    const QString build = DbTestEnv::buildDir();
    QVERIFY2(QFile::exists(programPath()), "the program is not built");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is missing");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty(), "xclip is missing");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty(), "Xvfb is missing");
    m_artifacts = build + QStringLiteral("/e2e-artifacts");
    QDir().mkpath(m_artifacts);

    // a display of our own, so parallel tests and a desktop session stay apart
    for (int n = 90 + int(QCoreApplication::applicationPid() % 300); n < 1000; n += 7) {
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
            || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        m_display = QStringLiteral(":%1").arg(n);
        m_xvfb.start(QStringLiteral("Xvfb"),
                     {m_display, QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                      QStringLiteral("-dpi"), QStringLiteral("96"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
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

void E2eDriver::stopDisplay()
{
    if (m_xvfb.state() == QProcess::NotRunning)
        return;
    m_xvfb.terminate();
    m_xvfb.waitForFinished(3000);
}

void E2eDriver::begin()
{
    m_sys = std::make_unique<QTemporaryDir>();
    m_run = std::make_unique<QTemporaryDir>();
    m_logs = std::make_unique<QTemporaryDir>();
    QVERIFY(m_sys->isValid() && m_run->isValid() && m_logs->isValid());
    QFile::setPermissions(m_run->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_pgDatabase.clear();
    m_home.clear();
}

QString E2eDriver::programPath()
{
    const QString installed = qEnvironmentVariable("ZOZURA_E2E_PROGRAM");
    return installed.isEmpty() ? DbTestEnv::buildDir() + QStringLiteral("/zozura") : installed;
}

QString E2eDriver::personalDatabase() const
{
    return m_home + QStringLiteral("/.local/share/zozura/zozura.db");
}

void E2eDriver::end()
{
    // the window manager's close ends each run: exit status 0, no lock file left
    QStringList closeProblems;
    if (!QTest::currentTestFailed()) {
        for (QProcess *p : std::as_const(m_programs)) {
            if (p->state() == QProcess::NotRunning || waitWindow(p->processId(), MainTitle, 0).isEmpty())
                continue;
            const QString problem = closeProgram(p);
            if (!problem.isEmpty())
                closeProblems << problem;
        }
    }
    if (QTest::currentTestFailed() || !closeProblems.isEmpty()) {
        const QString tag =
            QTest::currentDataTag() ? QStringLiteral("-") + QString::fromUtf8(QTest::currentDataTag()) : QString();
        const QString shot =
            QStringLiteral("%1/%2%3.png").arg(m_artifacts, QString::fromLatin1(QTest::currentTestFunction()), tag);
        screenshot(shot);
        qWarning("screenshot: %s", qPrintable(shot));
        for (QProcess *p : std::as_const(m_programs))
            qWarning("program %lld stderr:\n%s", p->processId(), qPrintable(programLog(p)));
    }
    for (QProcess *p : std::as_const(m_programs))
        stopProgram(p);
    qDeleteAll(m_programs);
    m_programs.clear();
    for (const QString &name : QSqlDatabase::connectionNames())
        QSqlDatabase::removeDatabase(name);
    m_sys.reset();
    m_run.reset();
    m_logs.reset();
    QVERIFY2(closeProblems.isEmpty(), qPrintable(closeProblems.join(QLatin1Char('\n'))));
}

QString E2eDriver::sysDir() const
{
    return m_sys->path();
}

QString E2eDriver::runDir() const
{
    return m_run->path();
}

QString E2eDriver::sysFile(const QString &name) const
{
    return m_sys->filePath(name);
}

void E2eDriver::stopProgram(QProcess *p)
{
    if (p->state() == QProcess::NotRunning)
        return;
    p->terminate();
    if (!p->waitForFinished(3000)) {
        p->kill();
        p->waitForFinished(3000);
    }
}

QProcess *E2eDriver::startProgram(const QString &runtimeDir, bool withoutOverride)
{
    auto *p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("ZEVARU_SYSTEM_DIR"), m_sys->path());
    env.insert(QStringLiteral("ODBCSYSINI"), m_sys->path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.isEmpty() ? m_run->path() : runtimeDir);
    env.insert(QStringLiteral("ZOZURA_LOG_MSGSCR"), QStringLiteral("1"));
    env.remove(QStringLiteral("ZOZURA_AUTOANSWER_BOXES"));
    if (!m_home.isEmpty()) {
        for (const char *name : {"ZEVARU_SYSTEM_DIR", "ODBCSYSINI", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("HOME"), m_home);
    }
    p->setProcessEnvironment(env);
    p->setProperty("lock", env.value(QStringLiteral("XDG_RUNTIME_DIR")) + QStringLiteral("/zozura.lock"));
    p->setStandardErrorFile(m_logs->filePath(QStringLiteral("program-%1.log").arg(m_programs.size())));
    p->setProperty("log", m_logs->filePath(QStringLiteral("program-%1.log").arg(m_programs.size())));
    const QString exe = programPath();
    if (withoutOverride && ::geteuid() == 0) {
        // uid 0 keeps owning its files, but without these capabilities their modes apply to it
        p->start(QStringLiteral("setpriv"),
                 {QStringLiteral("--bounding-set=-dac_override,-dac_read_search,-fowner"), QStringLiteral("--"), exe});
    } else {
        p->start(exe, {});
    }
    p->waitForStarted(10000);
    m_programs << p;
    return p;
}

QString E2eDriver::programLog(QProcess *p) const
{
    QFile f(p->property("log").toString());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QStringList E2eDriver::notices(QProcess *p) const
{
    QStringList out;
    for (const QString &line : programLog(p).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("msgscr:")))
            out << line.mid(7);
    }
    return out;
}

QString E2eDriver::waitNotice(QProcess *p, int seen, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        const QStringList n = notices(p);
        if (n.size() > seen)
            return n.last();
        QThread::msleep(50);
    } while (t.elapsed() < timeoutMs);
    return {};
}

QString E2eDriver::waitWindow(qint64 pid, const QString &title, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        const QString found =
            xdo({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                 QStringLiteral("--pid"), QString::number(pid), QStringLiteral("--name"), QStringLiteral(".")});
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

QString E2eDriver::waitAnyBox(qint64 pid, const QStringList &titles, QString *which, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        for (const QString &title : titles) {
            const QString w = waitWindow(pid, title, 0);
            if (!w.isEmpty()) {
                *which = title;
                // the box's picture, kept for the report when the box is not the expected one
                screenshot(m_artifacts + QStringLiteral("/last-box.png"));
                return w;
            }
        }
        QThread::msleep(100);
    } while (t.elapsed() < timeoutMs);
    return {};
}

bool E2eDriver::waitGone(const QString &window, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        int code = 0;
        xdo({QStringLiteral("getwindowname"), window}, &code);
        const QString visible = xdo(
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral(".")});
        if (code != 0 || !visible.split(QLatin1Char('\n')).contains(window))
            return true;
        QThread::msleep(100);
    } while (t.elapsed() < timeoutMs);
    return false;
}

void E2eDriver::answerBox(const QString &window)
{
    bool gone = false;
    for (int attempt = 0; attempt < 3 && !gone; ++attempt) {
        xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        xdo({QStringLiteral("key"), QStringLiteral("Return")});
        gone = waitGone(window, 3000);
    }
    QVERIFY2(gone, "the box stayed after Enter");
}

void E2eDriver::closeWindow(const QString &window)
{
    xcb_connection_t *c = xcb_connect(m_display.toLocal8Bit().constData(), nullptr);
    const auto atom = [c](const char *name) {
        xcb_intern_atom_reply_t *r =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(r);
        return a;
    };
    if (!xcb_connection_has_error(c)) {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = xcb_window_t(window.toULong());
        ev.type = atom("WM_PROTOCOLS");
        ev.data.data32[0] = atom("WM_DELETE_WINDOW");
        ev.data.data32[1] = XCB_CURRENT_TIME;
        // Checked, so the server has taken the request before this connection goes: sent
        // unchecked and followed at once by the disconnect, it was at times never delivered.
        std::free(xcb_request_check(
            c, xcb_send_event_checked(c, 0, ev.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&ev))));
    }
    xcb_disconnect(c);
}

QString E2eDriver::closeProgram(QProcess *p, int timeoutMs)
{
    const QString w = waitWindow(p->processId(), MainTitle, 5000);
    if (w.isEmpty())
        return QStringLiteral("no main window to close");
    // a close that comes while a command still runs is not acted on: like a user, close again
    // once it is done (the command's end is not visible from outside)
    QElapsedTimer t;
    t.start();
    do {
        closeWindow(w);
    } while (!p->waitForFinished(3000) && t.elapsed() < timeoutMs);
    if (p->state() != QProcess::NotRunning)
        return QStringLiteral("the program still runs after the window manager's close");
    if (p->exitStatus() != QProcess::NormalExit)
        return QStringLiteral("the program crashed on close");
    if (p->exitCode() != 0)
        return QStringLiteral("exit status %1 after close").arg(p->exitCode());
    if (QFile::exists(p->property("lock").toString()))
        return QStringLiteral("the lock file was left behind");
    return {};
}

void E2eDriver::click(const QString &window, Point p)
{
    xdo({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(p.x), QString::number(p.y),
         QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(150);
}

void E2eDriver::typeInto(const QString &window, Point p, const QString &text)
{
    click(window, p);
    xdo({QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("BackSpace")});
    // "--": a text starting with '-' is typed, not read as an option
    xdo({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), QStringLiteral("--"), text});
}

void E2eDriver::key(const QString &window, const QString &keys)
{
    xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    xdo({QStringLiteral("key"), keys});
}

QImage E2eDriver::grab(const QString &window)
{
    QProcess p;
    p.start(QStringLiteral("import"),
            {QStringLiteral("-display"), m_display, QStringLiteral("-window"), window, QStringLiteral("png:-")});
    if (!p.waitForFinished(10000))
        return {};
    return QImage::fromData(p.readAllStandardOutput(), "PNG");
}

void E2eDriver::screenshot(const QString &file)
{
    run(QStringLiteral("import"),
        {QStringLiteral("-display"), m_display, QStringLiteral("-window"), QStringLiteral("root"), file});
}

void E2eDriver::queryPeriod(const QString &w, const QString &from, const QString &to)
{
    typeInto(w, FromDate, from);
    typeInto(w, ToDate, to);
    click(w, QueryButton);
    QThread::msleep(500);
}

QString E2eDriver::openGraph(qint64 pid, const QString &w)
{
    xdo({QStringLiteral("windowraise"), w});
    xdo({QStringLiteral("mousemove"), QStringLiteral("--window"), w, QString::number(NavGraph.x),
         QString::number(NavGraph.y), QStringLiteral("click"), QStringLiteral("3")});
    QThread::msleep(700);
    xdo({QStringLiteral("mousemove_relative"), QString::number(GraphMenuFirstItem.x),
         QString::number(GraphMenuFirstItem.y), QStringLiteral("click"), QStringLiteral("1")});
    return waitWindow(pid, QStringLiteral("Graph [") + MainTitle + u']');
}

void E2eDriver::saveThroughDialog(qint64 pid, const QString &title, const QString &file)
{
    const QString dialog = waitWindow(pid, title);
    QVERIFY2(!dialog.isEmpty(), qPrintable(QStringLiteral("no dialog ") + title));
    // The name field has the focus with the proposed name selected. Typed key by key, a path now
    // and then lost a key while the field's completer list popped up; pasted, it arrives whole.
    // The pointer leaves the dialog so that it rests on no item of that list.
    QProcess clip;
    clip.setStandardOutputFile(QProcess::nullDevice());
    clip.setStandardErrorFile(QProcess::nullDevice());
    clip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")});
    clip.write(file.toUtf8());
    clip.closeWriteChannel();
    QVERIFY2(clip.waitForFinished(5000) && clip.exitCode() == 0, "xclip failed");
    xdo({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
    xdo({QStringLiteral("windowfocus"), QStringLiteral("--sync"), dialog});
    xdo({QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("ctrl+v")});
    QThread::msleep(300);
    xdo({QStringLiteral("key"), QStringLiteral("Return")});
    QVERIFY2(waitGone(dialog), "the save dialog stayed");
}

void E2eDriver::prepareDemo()
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZOZURA_DEMO_DIR"), m_sys->path());
    env.insert(QStringLiteral("ZOZURA_DEMO_SKIP_BUILD"), QStringLiteral("1"));
    env.insert(QStringLiteral("ZOZURA_BUILD_DIR"), DbTestEnv::buildDir());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("bash"),
            {DbTestEnv::sourceDir() + QStringLiteral("/scripts/demo.sh"), QStringLiteral("--prepare-only")});
    QVERIFY(p.waitForFinished(60000));
    QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
    jumpCheckOff();
}

void E2eDriver::jumpCheckOff()
{
    // the cases type one rate at a time over stored days; the jump question has its own cases
    QFile reg(m_sys->filePath(QStringLiteral("registry.ini")));
    QVERIFY(reg.open(QIODevice::Append));
    reg.write("REG_JUMP_USD=0\nREG_JUMP_VND=0\nREG_JUMP_KRW=0\n");
}

void E2eDriver::usePostgres(const QString &database)
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
    reg.close();
    jumpCheckOff();
}

QSqlDatabase E2eDriver::check()
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
        db.setDatabaseName(m_home.isEmpty() ? demoDatabase() : personalDatabase());
    }
    db.open();
    return db;
}

QVariant E2eDriver::value(const QString &sql)
{
    QSqlDatabase db = check();
    if (!db.isOpen() && !db.open())
        return QStringLiteral("<no connection: %1>").arg(db.lastError().text());
    QSqlQuery q(db);
    if (!q.exec(sql))
        return QStringLiteral("<error: %1>").arg(q.lastError().text());
    return q.next() ? q.value(0) : QVariant();
}
