// Start-up and shutdown of the main window: the single-instance rule, the initialisation from
// ZEVARU.DAT and the registry, the report data source, and the failure paths, in-process with
// the message boxes answered by the hook and once more as real processes.

#include "app/anydsn.h"
#include "app/clsmain.h"
#include "app/confcodec.h"
#include "app/qtkorean.h"
#include "platform/db/dataaccess.h"
#include "platform/db/odbcconfig.h"
#include "platform/win/singleinstance.h"
#include "platform/win/stdmessagebox.h"
#include "rate/frmrate.h"

#include "../common/dbtestenv.h"
#include "../common/programenv.h"

#include "../common/fakeservices.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSemaphore>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QString InitFailure = QStringLiteral("프로그램 초기화에 실패하여 강제종료됩니다.\n"
                                           "프로그램 종료후 다시 시도해 주십시요.");

using ProgramEnv::confFile;
using ProgramEnv::writeFile;

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

class TstStartup : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void normalStart();
    void startFailures_data();
    void startFailures();
    void unusableFilesStopStart_data();
    void unusableFilesStopStart();
    void secondInstanceTouchesNothing();
    void closingEndsProcess();
    void unexpectedErrorShowsBoxAndLoadGoesOn();
    void reportDsnValues_data();
    void reportDsnValues();
    void reportDsnRewrittenAsOneSet();
    void processStartFailure();
    void processSecondInstance();
    void qtTextsInKorean();

private:
    QString sysPath(const QString &name) const { return m_dirs->sys.filePath(name); }
    QString odbcIni() const { return m_odbc->filePath(QStringLiteral("odbc.ini")); }
    QProcessEnvironment processEnv() const;
    void checkStartRefused(FrmRate &frm, const QStringList &filesBefore, bool databaseKept);

    std::unique_ptr<ProgramEnv::Folders> m_dirs;
    QTemporaryDir *m_odbc = nullptr;
    QList<StdMessageBox::Request> m_boxes;
    QList<int> m_endCodes;
    std::unique_ptr<App::Program> m_program;
    void newProgram();
};

void TstStartup::initTestCase()
{
    // unixODBC remembers the folder of the first ODBCSYSINI it saw, so one serves every test
    m_odbc = new QTemporaryDir;
    QVERIFY(m_odbc->isValid());
}

void TstStartup::cleanupTestCase()
{
    delete m_odbc;
}

void TstStartup::init()
{
    m_dirs = std::make_unique<ProgramEnv::Folders>();
    // drivers known to unixODBC, and no odbc.ini yet: only the program may write one
    DbTestEnv::writeOdbcConfig(m_odbc->path(), {});
    QFile::remove(odbcIni());

    writeFile(sysPath("ZEVARU.DAT"), confFile("sqlite", "sa", "Secret#9", "rates.db"));
    writeFile(sysPath("rates.db"), QByteArray());

    m_boxes.clear();
    m_endCodes.clear();
    m_fakes->messageBoxAnswer = [this](const StdMessageBox::Request &r) {
        m_boxes << r;
        return QMessageBox::Ok;
    };
    newProgram();
}

void TstStartup::newProgram()
{
    m_program.reset();
    m_program = std::make_unique<App::Program>();
    m_program->setEndHook([this](int code) { m_endCodes << code; });
}

void TstStartup::cleanup()
{
    m_program.reset();
    m_fakes->messageBoxAnswer = nullptr;
    m_dirs.reset();
}

QProcessEnvironment TstStartup::processEnv() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ZOZURA_AUTOANSWER_BOXES", "1");
    env.insert("ZEVARU_SYSTEM_DIR", m_dirs->sys.path());
    env.insert("XDG_RUNTIME_DIR", m_dirs->run.path());
    env.insert("ODBCSYSINI", m_odbc->path());
    return env;
}

void TstStartup::normalStart()
{
    FrmRate frm;
    QVERIFY(frm.Form_Load());
    QVERIFY2(m_boxes.isEmpty(), m_boxes.isEmpty() ? "" : qPrintable(m_boxes.first().text));
    QCOMPARE(frm.windowTitle(), QStringLiteral("환율관리 프로그램"));
    QCOMPARE(UserCode(), QStringLiteral("U777"));
    QCOMPARE(frm.ScreenMode(), QStringLiteral("추가"));

    // the window's data access works on the embedded database, which made its table
    QVERIFY(frm.dataAccess());
    QVERIFY(frm.dataAccess()->OpenQuery(QStringLiteral(" SELECT GETDATE() FROM EX_RATE ")));
    QCOMPARE(frm.dataAccess()->RecordCount(), 0L);
    frm.dataAccess()->CloseQuery();

    // the report data source names the embedded database file and never the password
    QSettings ini(odbcIni(), QSettings::IniFormat);
    QCOMPARE(ini.value("ZEVARU/Database").toString(), sysPath("rates.db"));
    QCOMPARE(ini.value("ZEVARU/Description").toString(), QStringLiteral("DSN for ZEVARU Report"));
    QVERIFY(ini.value("ZEVARU/Driver").toString().endsWith("libsqlite3odbc.so"));
    QCOMPARE(ini.value("ZEVARU/LastUser").toString(), QStringLiteral("sa"));
    QCOMPARE(ini.value("ZEVARU/Server").toString(), QStringLiteral("sqlite"));
    QVERIFY(!readText(odbcIni()).contains(QStringLiteral("Secret#9")));
    QVERIFY(OdbcConfig::dataSources().contains(QStringLiteral("ZEVARU")));
}

void TstStartup::startFailures_data()
{
    QTest::addColumn<QByteArray>("conf"); // empty: no ZEVARU.DAT at all
    QTest::addColumn<bool>("removeDatabase");
    QTest::addColumn<QString>("registry"); // empty: the readable registry.ini of init()
    QTest::newRow("no configuration file") << QByteArray() << false << QString();
    QTest::newRow("truncated file") << confFile("sqlite", "sa", "pw", "rates.db").left(20) << false << QString();
    QByteArray garbage;
    for (int i = 0; i < 200; ++i)
        garbage += char((i * 73 + 11) % 256);
    QTest::newRow("garbled file") << garbage << false << QString();
    QTest::newRow("database file missing") << confFile("sqlite", "sa", "pw", "rates.db") << true << QString();
    QTest::newRow("database server unreachable")
        << confFile("pgsql:127.0.0.1:1", "sa", "pw", "rates") << false << QString();
    QTest::newRow("ODBC data source unknown") << confFile("odbc:NO_SUCH_DSN", "sa", "pw", "") << false << QString();
    // inserted rows would go without the user's code
    QTest::newRow("registry file is a folder")
        << confFile("sqlite", "sa", "pw", "rates.db") << false << QStringLiteral("folder");
    QTest::newRow("registry file without read permission")
        << confFile("sqlite", "sa", "pw", "rates.db") << false << QStringLiteral("mode000");
}

void TstStartup::startFailures()
{
    QFETCH(QByteArray, conf);
    QFETCH(bool, removeDatabase);
    QFETCH(QString, registry);
    if (registry == u"folder") {
        QVERIFY(QFile::remove(sysPath("registry.ini")));
        QVERIFY(QDir().mkdir(sysPath("registry.ini")));
    } else if (registry == u"mode000") {
        if (::geteuid() == 0)
            QSKIP("the superuser reads a file whatever its mode; the folder row covers the refusal");
        QVERIFY(QFile::setPermissions(sysPath("registry.ini"), QFileDevice::Permissions()));
    }
    QFile::remove(sysPath("ZEVARU.DAT"));
    if (!conf.isEmpty())
        writeFile(sysPath("ZEVARU.DAT"), conf);
    if (removeDatabase)
        QFile::remove(sysPath("rates.db"));
    const QStringList before = QDir(m_dirs->sys.path()).entryList(QDir::Files);

    FrmRate frm;
    checkStartRefused(frm, before, !removeDatabase);
}

void TstStartup::checkStartRefused(FrmRate &frm, const QStringList &filesBefore, bool databaseKept)
{
    QVERIFY(!frm.Form_Load());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().icon, QMessageBox::Warning);
    QCOMPARE(m_boxes.first().title, QStringLiteral("에러"));
    QCOMPARE(m_boxes.first().text, InitFailure);
    // nothing written anywhere: no data source (the driver manager may leave an empty odbc.ini
    // behind when it looked a data source up), no new file, the database file as it was
    QVERIFY(!readText(odbcIni()).contains(QStringLiteral("ZEVARU")));
    QCOMPARE(QDir(m_dirs->sys.path()).entryList(QDir::Files), filesBefore);
    if (databaseKept)
        QCOMPARE(QFileInfo(sysPath("rates.db")).size(), 0);
    QVERIFY(!frm.dataAccess());
    QVERIFY(!App::connProvider());
}

void TstStartup::unusableFilesStopStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("shape"); // "bytes": a file holding `bytes`
    QTest::addColumn<QByteArray>("bytes");
    for (const char *file : {"ZEVARU.DAT", "registry.ini"}) {
        // none of them is read: a pipe would hang the start, a huge file eat the memory
        QTest::addRow("%s: named pipe", file) << file << "pipe" << QByteArray();
        QTest::addRow("%s: 200 MB", file) << file << "200 MB" << QByteArray();
        QTest::addRow("%s: one byte over 64 KiB", file) << file << "64 KiB + 1" << QByteArray();
        QTest::addRow("%s: folder", file) << file << "folder" << QByteArray();
    }
    // a user code that would come out altered is no user code
    const QByteArray head = "[SOFTWARE\\ZEVARU]\nREG_USERID=";
    static const char16_t utf16[] = u"[SOFTWARE\\ZEVARU]\nREG_USERID=U1\n";
    QTest::newRow("registry.ini: Latin-1") << "registry.ini"
                                           << "bytes" << head + "caf\xE9\n";
    QTest::newRow("registry.ini: UTF-16 with BOM")
        << "registry.ini"
        << "bytes" << QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(utf16), sizeof utf16 - 2);
    QTest::newRow("registry.ini: NUL byte") << "registry.ini"
                                            << "bytes" << head + QByteArray("U1\0U2\n", 6);
    QTest::newRow("registry.ini: control character") << "registry.ini"
                                                     << "bytes" << head + "U\x01\n";
}

void TstStartup::unusableFilesStopStart()
{
    QFETCH(QString, file);
    QFETCH(QString, shape);
    QFETCH(QByteArray, bytes);
    const QString path = sysPath(file);
    const QByteArray kept = file == u"ZEVARU.DAT" ? confFile("sqlite", "sa", "pw", "rates.db")
                                                  : QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERID=U777\n");
    QVERIFY(QFile::remove(path));
    if (shape == u"pipe") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (shape == u"folder") {
        QVERIFY(QDir().mkdir(path));
    } else {
        QByteArray content = shape == u"bytes" ? bytes : kept;
        if (shape == u"64 KiB + 1") // valid content, then a comment line up to the size
            content += ";" + QByteArray(64 * 1024 - content.size() - 1, 'x') + "\n";
        writeFile(path, content);
        QFile f(path);
        if (shape == u"200 MB")
            QVERIFY(f.resize(200LL * 1024 * 1024)); // sparse: no disk is filled
    }
    const QStringList before = QDir(m_dirs->sys.path()).entryList(QDir::Files);
    FrmRate frm;
    checkStartRefused(frm, before, true);
}

void TstStartup::secondInstanceTouchesNothing()
{
    SingleInstance other;
    QVERIFY(other.tryLock());
    FrmRate frm;
    QVERIFY(!frm.Form_Load());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().icon, QMessageBox::Information);
    QCOMPARE(m_boxes.first().title, QStringLiteral("경고"));
    QCOMPARE(m_boxes.first().text, QStringLiteral("프로그램이 이미 실행중입니다."));
    QVERIFY(!App::connProvider());
    QCOMPARE(QFileInfo(sysPath("rates.db")).size(), 0); // the database was never opened
    QVERIFY(!QFile::exists(odbcIni()));
    QVERIFY(UserCode().isEmpty());

    // once the other copy is gone the program starts
    other.release();
    newProgram();
    m_boxes.clear();
    FrmRate again;
    QVERIFY(again.Form_Load());
    QVERIFY(m_boxes.isEmpty());
}

void TstStartup::closingEndsProcess()
{
    FrmRate frm;
    QVERIFY(frm.Form_Load());
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    QVERIFY(frm.close());
    QCOMPARE(m_endCodes, QList<int>{0});
    QVERIFY(!frm.dataAccess()); // released first
    QVERIFY(m_boxes.isEmpty());
}

void TstStartup::unexpectedErrorShowsBoxAndLoadGoesOn()
{
    // ZEVARU.DAT serves the initialisation and is gone when the report data source reads it.
    // Between the two the program opens its database, which this thread holds locked: once the
    // program has opened the database file, the configuration file goes, then the lock.
    const QString path = sysPath("ZEVARU.DAT");
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    QVERIFY(watch >= 0);
    QVERIFY(inotify_add_watch(watch, QFile::encodeName(sysPath("rates.db")).constData(), IN_OPEN) >= 0);
    QSemaphore locked;
    bool holding = false;
    std::thread holder([&] {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            db.setDatabaseName(sysPath("rates.db"));
            QSqlQuery q(db);
            const bool ok = db.open() && q.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            // the holder's own opens are past; the next one is the program's
            char events[4096];
            while (::read(watch, events, sizeof events) > 0) { }
            holding = ok;
            locked.release();
            pollfd wait{watch, POLLIN, 0};
            if (ok)
                ::poll(&wait, 1, 20000);
            QFile::remove(path);
            q.exec(QStringLiteral("ROLLBACK"));
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
    });
    locked.acquire();
    if (!holding) {
        holder.join();
        QFAIL("the database could not be locked");
    }
    FrmRate frm;
    const bool loaded = frm.Form_Load();
    holder.join();
    ::close(watch);
    QVERIFY2(loaded,
             m_boxes.isEmpty() ? "no box"
                               : qPrintable(m_boxes.first().title + m_boxes.first().text)); // the window still opens
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().icon, QMessageBox::Warning);
    QCOMPARE(m_boxes.first().title, QStringLiteral("자료 관리"));
    QVERIFY2(m_boxes.first().text.contains(path), qPrintable(m_boxes.first().text));
    // the steps after the failed one ran
    QVERIFY(frm.dataAccess());
    QCOMPARE(frm.ScreenMode(), QStringLiteral("추가"));
    QVERIFY(!readText(odbcIni()).contains(QStringLiteral("ZEVARU")));
}

void TstStartup::reportDsnValues_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QStringList>("expected"); // key=value in writing order, Driver left out
    QTest::addColumn<QString>("driverFile");
    QTest::newRow("SQL Server host") << "dbhost"
                                     << "ZEVARU" << QStringList{"Database=ZEVARU", "Description=DSN for ZEVARU Report",
                                                                "LastUser=rate",   "Server=dbhost",
                                                                "Port=1433",       "TDS_Version=7.0"}
                                     << "libtdsodbc.so";
    QTest::newRow("SQL Server host,port")
        << "dbhost,1500"
        << "ZEVARU" << QStringList{"Database=ZEVARU", "Description=DSN for ZEVARU Report",
                                   "LastUser=rate",   "Server=dbhost",
                                   "Port=1500",       "TDS_Version=7.0"}
        << "libtdsodbc.so";
    QTest::newRow("SQL Server named instance")
        << "dbhost\\SQLEXPRESS"
        << "ZEVARU"
        << QStringList{"Database=ZEVARU", "Description=DSN for ZEVARU Report", "LastUser=rate",
                       "Server=dbhost\\SQLEXPRESS", "TDS_Version=7.0"}
        << "libtdsodbc.so";
    QTest::newRow("empty server") << ""
                                  << "ZEVARU"
                                  << QStringList{"Database=ZEVARU", "Description=DSN for ZEVARU Report",
                                                 "LastUser=rate", "Server=", "TDS_Version=7.0"}
                                  << "libtdsodbc.so";
    QTest::newRow("sqlite, relative file")
        << "sqlite"
        << "data/rates.db"
        << QStringList{"Database=/sys/dir/data/rates.db", "Description=DSN for ZEVARU Report", "LastUser=rate",
                       "Server=sqlite"}
        << "libsqlite3odbc.so";
    QTest::newRow("PostgreSQL") << "pgsql:10.1.2.3:6543"
                                << "rates"
                                << QStringList{"Database=rates", "Description=DSN for ZEVARU Report", "LastUser=rate",
                                               "Server=10.1.2.3", "Port=6543"}
                                << "psqlodbcw.so";
}

void TstStartup::reportDsnValues()
{
    QFETCH(QString, server);
    QFETCH(QString, database);
    QFETCH(QStringList, expected);
    QFETCH(QString, driverFile);
    QStringList got;
    QString driver;
    for (const auto &[k, v] : App::reportDsnValues(server, "rate", database, "/sys/dir")) {
        if (k == QLatin1String("Driver"))
            driver = v;
        else
            got << k + QLatin1Char('=') + v;
    }
    QCOMPARE(got, expected);
    QVERIFY2(driver.endsWith(driverFile), qPrintable(driver));
    QVERIFY(QFile::exists(driver));
}

void TstStartup::reportDsnRewrittenAsOneSet()
{
    writeFile(sysPath("ZEVARU.DAT"), confFile("dbhost,1500", "first", "pw1", "ZEVARU"));
    sbSet_ReportDSN();
    sbSet_ReportDSN();
    writeFile(sysPath("ZEVARU.DAT"), confFile("sqlite", "second", "pw2", "rates.db"));
    OdbcConfig::writeSystemValue(QStringLiteral("ZEVARU"), QStringLiteral("CustomKey"), QStringLiteral("kept"));
    sbSet_ReportDSN();

    const QString text = readText(odbcIni());
    QVERIFY2(text.count(QStringLiteral("[ZEVARU]")) == 1, qPrintable(text));
    QCOMPARE(text.count(QStringLiteral("[ODBC Data Sources]")), 1);
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("(?m)^ZEVARU\\s*="))), 1);
    QSettings ini(odbcIni(), QSettings::IniFormat);
    QCOMPARE(ini.value("ZEVARU/LastUser").toString(), QStringLiteral("second"));
    QVERIFY(!ini.contains("ZEVARU/Port")); // nothing of the earlier server survives
    QVERIFY(!ini.contains("ZEVARU/TDS_Version"));
    QCOMPARE(ini.value("ZEVARU/CustomKey").toString(), QStringLiteral("kept")); // not the program's
    QCOMPARE(ini.value("ODBC Data Sources/ZEVARU").toString(), QStringLiteral("SQLite3"));
    QVERIFY(!text.contains(QStringLiteral("pw1")) && !text.contains(QStringLiteral("pw2")));

    // the user's own data source of the report's name, which the program connects through, stays
    // as written: comment, custom key and all
    const QByteArray own = "[ODBC Data Sources]\nZEVARU=SQLite3\n\n[ZEVARU]\n; the user's own\n"
                           "Driver=libsqlite3odbc.so\nDatabase=/srv/rates/own.db\nCustomKey=mine\n";
    writeFile(odbcIni(), own);
    for (const char *server : {"odbc:ZEVARU", "odbc:zevaru"}) {
        writeFile(sysPath("ZEVARU.DAT"), confFile(server, "sa", "pw", "ZEVARU"));
        sbSet_ReportDSN();
        QFile f(odbcIni());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), own);
    }

    // a configuration file that cannot be read is raised to the caller
    QFile::remove(sysPath("ZEVARU.DAT"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sbSet_ReportDSN());
}

void TstStartup::processStartFailure()
{
    QFile::remove(sysPath("ZEVARU.DAT"));
    QProcess p;
    p.setProcessEnvironment(processEnv());
    p.start(DbTestEnv::buildDir() + QStringLiteral("/zozura"), {});
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("msgbox:에러|프로그램 초기화에 실패하여 강제종료됩니다.\\n"
                                         "프로그램 종료후 다시 시도해 주십시요.")),
             qPrintable(err));
    QVERIFY(!QFile::exists(odbcIni()));
    QCOMPARE(QFileInfo(sysPath("rates.db")).size(), 0);
}

void TstStartup::processSecondInstance()
{
    const QString exe = DbTestEnv::buildDir() + QStringLiteral("/zozura");
    QProcess first;
    first.setProcessEnvironment(processEnv());
    first.start(exe, {});
    QVERIFY(first.waitForStarted());
    // the first copy is up once it has written the report data source
    QTRY_VERIFY_WITH_TIMEOUT(readText(odbcIni()).contains(QStringLiteral("[ODBC Data Sources]")), 20000);
    QCOMPARE(first.state(), QProcess::Running);

    const QString dsnText = readText(odbcIni());
    const QDateTime dsnTime = QFileInfo(odbcIni()).lastModified();
    const qint64 dbSize = QFileInfo(sysPath("rates.db")).size();
    QProcess second;
    second.setProcessEnvironment(processEnv());
    second.start(exe, {});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 1);
    const QString err = QString::fromUtf8(second.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("msgbox:경고|프로그램이 이미 실행중입니다.")), qPrintable(err));
    QCOMPARE(readText(odbcIni()), dsnText);
    QCOMPARE(QFileInfo(odbcIni()).lastModified(), dsnTime);
    QCOMPARE(QFileInfo(sysPath("rates.db")).size(), dbSize);

    // a crashed first copy leaves a stale lock that does not block the next start
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    QProcess third;
    third.setProcessEnvironment(processEnv());
    QFile::remove(odbcIni());
    third.start(exe, {});
    QTRY_VERIFY_WITH_TIMEOUT(readText(odbcIni()).contains(QStringLiteral("[ODBC Data Sources]")), 20000);
    QCOMPARE(third.state(), QProcess::Running);
    third.terminate();
    QVERIFY(third.waitForFinished(10000));
}

void TstStartup::qtTextsInKorean()
{
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK")); // before: Qt's English

    QTranslator *korean = App::installKoreanQtTexts(qApp);
    QVERIFY2(korean, "Qt's Korean translation (qt6-translations-l10n) is not installed");
    QMessageBox translated;
    translated.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(translated.button(QMessageBox::Ok)->text(), QStringLiteral("확인"));
    QCOMPARE(translated.button(QMessageBox::Cancel)->text(), QStringLiteral("취소"));
    QCOMPARE(translated.button(QMessageBox::Yes)->text(), QStringLiteral("예(&Y)"));
    QCOMPARE(translated.button(QMessageBox::No)->text(), QStringLiteral("아니요(&N)"));
    // the save dialogs of the export and the graph window
    QFileDialog dialog(nullptr, QStringLiteral("엑셀로 내보내기"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList buttons;
    for (QPushButton *b : dialog.findChildren<QPushButton *>())
        buttons << b->text();
    QVERIFY2(buttons.contains(QStringLiteral("저장(&S)")) && buttons.contains(QStringLiteral("취소")),
             qPrintable(buttons.join(u'|')));

    QCoreApplication::removeTranslator(korean);
    delete korean;
}

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
