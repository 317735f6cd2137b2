// The first start on a computer without a system folder: which folder the program takes, the
// question on the message screen (answered by clicking its buttons), the personal database it
// makes, and the administrator's and the environment's folders that always come first.

#include "app/anydsn.h"
#include "app/anymodule.h"
#include "app/clsmain.h"
#include "app/personalsetup.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/db/dataaccess.h"
#include "platform/win/stdmessagebox.h"
#include "platform/win/systemdir.h"
#include "rate/frmrate.h"

#include "../common/programenv.h"

#include "../common/fakeservices.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using SystemDir::Source;

namespace {

const QString InitFailure = QStringLiteral("프로그램 초기화에 실패하여 강제종료됩니다.\n"
                                           "프로그램 종료후 다시 시도해 주십시요.");
constexpr int YesButton = 2;
constexpr int NoButton = 3;
constexpr int OkButton = 0;

} // namespace

class TstFirstRun : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void init();
    void cleanup();

    void systemDirChoice_data();
    void systemDirChoice();
    void userCodes_data();
    void userCodes();
    void acceptedSetupStartsAndIsKept();
    void declinedSetupEndsQuietly();
    void brokenMachineFolderStillFails();
    void environmentFolderComesFirst();
    void setupFailureIsReported();
    void existingDatabaseIsKept();
    void getdateExtensionFound_data();
    void getdateExtensionFound();

private:
    QString personal() const { return m_home->filePath(QStringLiteral("data/zozura")); }
    // Starts the window once; every message screen is answered by clicking `press`.
    bool start(int press);

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ProgramEnv::Folders> m_dirs;
    QStringList m_screens; // "headline|first line" of each message screen shown
    QList<StdMessageBox::Request> m_boxes;
    std::unique_ptr<App::Program> m_program;
};

void TstFirstRun::init()
{
    m_dirs = std::make_unique<ProgramEnv::Folders>(); // the runtime folder for the lock
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qunsetenv("ZEVARU_SYSTEM_DIR");
    qputenv("XDG_DATA_HOME", m_home->filePath(QStringLiteral("data")).toLocal8Bit());
    // stands for an /etc/zevaru that is not there
    Platform::systemServices().machineSystemDir = m_home->filePath(QStringLiteral("etc-zevaru"));
    m_screens.clear();
    m_boxes.clear();
    m_fakes->messageBoxAnswer = [this](const StdMessageBox::Request &r) {
        m_boxes << r;
        return QMessageBox::Ok;
    };
}

void TstFirstRun::cleanup()
{
    m_program.reset();
    m_fakes.reset();
    qunsetenv("XDG_DATA_HOME");
    m_dirs.reset();
    m_home.reset();
}

bool TstFirstRun::start(int press)
{
    MsgScr::answerHook() = [this, press](FrmMsgScr &s) {
        m_screens << s.lblTitle()->text() + QLatin1Char('|') + s.lblText().first()->text();
        QTest::mouseClick(s.cmdClose(press), Qt::LeftButton);
    };
    m_program.reset();
    m_program = std::make_unique<App::Program>();
    FrmRate frm;
    return frm.Form_Load();
}

void TstFirstRun::systemDirChoice_data()
{
    QTest::addColumn<QString>("env");
    QTest::addColumn<bool>("envSet");
    QTest::addColumn<bool>("machine");
    QTest::addColumn<bool>("personalConf");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("source");
    const int env = int(Source::Environment), machine = int(Source::Machine);
    const int personal = int(Source::Personal), none = int(Source::None);
    QTest::newRow("environment over everything") << "/srv/z/" << true << true << true << "/srv/z" << env;
    QTest::newRow("empty environment is unset") << "" << true << true << true << "/etc/zevaru" << machine;
    QTest::newRow("machine folder over personal") << "" << false << true << true << "/etc/zevaru" << machine;
    QTest::newRow("personal once it holds ZEVARU.DAT")
        << "" << false << false << true << "/home/u/.local/share/zozura" << personal;
    QTest::newRow("nothing: first run") << "" << false << false << false << "/etc/zevaru" << none;
    QTest::newRow("root stays root") << "/" << true << false << false << "/" << env;
}

void TstFirstRun::systemDirChoice()
{
    QFETCH(QString, env);
    QFETCH(bool, envSet);
    QFETCH(bool, machine);
    QFETCH(bool, personalConf);
    QFETCH(QString, path);
    QFETCH(int, source);
    const SystemDir::Choice c = SystemDir::choose(env, envSet, QStringLiteral("/etc/zevaru"), machine,
                                                  QStringLiteral("/home/u/.local/share/zozura"), personalConf);
    QCOMPARE(c.path, path);
    QCOMPARE(int(c.source), source);
}

void TstFirstRun::userCodes_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("confUser");
    QTest::newRow("plain") << "kim"
                           << "kim"
                           << "kim";
    QTest::newRow("domain account") << "kim.sj@corp"
                                    << "kim.sj@corp"
                                    << "kim.sj@corp";
    QTest::newRow("registry marks dropped") << "a;b=c\"d\\e"
                                            << "abcde"
                                            << "a;b=c\"d\\e";
    QTest::newRow("hangul login") << "김철수"
                                  << "USER"
                                  << "zozura";
    QTest::newRow("too long for the record") << QString(31, 'x') << QString(31, 'x') << "zozura";
    QTest::newRow("empty") << ""
                           << "USER"
                           << "zozura";
}

void TstFirstRun::userCodes()
{
    QFETCH(QString, login);
    QFETCH(QString, code);
    QFETCH(QString, confUser);
    QCOMPARE(PersonalSetup::userCodeFor(login), code);
    QCOMPARE(PersonalSetup::confUserFor(login), confUser);
}

void TstFirstRun::acceptedSetupStartsAndIsKept()
{
    QVERIFY(start(YesButton));
    QCOMPARE(m_screens.size(), 1);
    QCOMPARE(m_screens.first(), QStringLiteral("처음 실행|이 컴퓨터에는 환율 자료의 설정 폴더가 없습니다."));
    QVERIFY2(m_boxes.isEmpty(), m_boxes.isEmpty() ? "" : qPrintable(m_boxes.first().text));

    // the folder the program now reads: an SQLite record, the user named by the login
    QCOMPARE(fnGet_SystemDir(), personal());
    QCOMPARE(fnGet_ConfValue(1), QStringLiteral("sqlite"));
    QCOMPARE(fnGet_ConfValue(4), QStringLiteral("zozura.db"));
    QCOMPARE(fnGet_ConfValue(2), PersonalSetup::confUserFor(PersonalSetup::loginName()));
    QCOMPARE(UserCode(), PersonalSetup::userCodeFor(PersonalSetup::loginName()));
    QCOMPARE(QFile::permissions(personal()) & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(personal() + QStringLiteral("/zozura.db"));
        QVERIFY(db.open());
        QSqlQuery q(QStringLiteral("SELECT COUNT(*) FROM EX_RATE"), db);
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));

    // later starts take the personal folder without asking
    QVERIFY(start(NoButton));
    QVERIFY(m_screens.size() == 1);
    QVERIFY(m_boxes.isEmpty());
}

void TstFirstRun::declinedSetupEndsQuietly()
{
    QVERIFY(!start(NoButton));
    QCOMPARE(m_screens.size(), 1);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(!QFileInfo::exists(personal()));
}

void TstFirstRun::brokenMachineFolderStillFails()
{
    // an administrator's folder without ZEVARU.DAT is never replaced by a personal database
    QVERIFY(QDir().mkpath(m_home->filePath(QStringLiteral("etc-zevaru"))));
    QVERIFY(!start(YesButton));
    QVERIFY(m_screens.isEmpty());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().title, QStringLiteral("에러"));
    QCOMPARE(m_boxes.first().text, InitFailure);
    QVERIFY(!QFileInfo::exists(personal()));
}

void TstFirstRun::environmentFolderComesFirst()
{
    // with a personal folder made, the folder named in the environment still wins
    QVERIFY(start(YesButton));
    ProgramEnv::writeFile(m_dirs->sys.filePath("ZEVARU.DAT"), ProgramEnv::confFile("sqlite", "sa", "pw", "rates.db"));
    ProgramEnv::writeFile(m_dirs->sys.filePath("rates.db"), QByteArray());
    qputenv("ZEVARU_SYSTEM_DIR", m_dirs->sys.path().toLocal8Bit());
    m_screens.clear();
    QVERIFY(start(YesButton));
    QVERIFY(m_screens.isEmpty());
    QCOMPARE(fnGet_SystemDir(), m_dirs->sys.path());
    QCOMPARE(UserCode(), QStringLiteral("U777"));
}

void TstFirstRun::setupFailureIsReported()
{
    // the data folder's place is taken by a file: nothing can be made under it
    ProgramEnv::writeFile(m_home->filePath(QStringLiteral("data")), "not a folder");
    bool first = true;
    MsgScr::answerHook() = [&](FrmMsgScr &s) {
        m_screens << s.lblTitle()->text() + QLatin1Char('|') + s.lblText().first()->text();
        QTest::mouseClick(s.cmdClose(first ? YesButton : OkButton), Qt::LeftButton);
        first = false;
    };
    m_program.reset();
    m_program = std::make_unique<App::Program>();
    FrmRate frm;
    QVERIFY(!frm.Form_Load()); // 예 on the question, 확인 on the notice
    QCOMPARE(m_screens.size(), 2);
    QCOMPARE(m_screens.at(1), QStringLiteral("설정 실패|개인 데이터베이스를 만들지 못했습니다."));
    QVERIFY(m_boxes.isEmpty());
}

void TstFirstRun::existingDatabaseIsKept()
{
    // a folder left without its ZEVARU.DAT (a set-up cut short, a file deleted): the days stay
    QVERIFY(QDir().mkpath(personal()));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("seed"));
        db.setDatabaseName(personal() + QStringLiteral("/zozura.db"));
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE EX_RATE (STD_DATE VARCHAR(10) PRIMARY KEY, USD NUMERIC, "
                                      "VND NUMERIC, KRW NUMERIC, REMARK VARCHAR(200), INS_DATE DATETIME, "
                                      "INS_SCODE VARCHAR(50))")));
        QVERIFY(
            q.exec(QStringLiteral("INSERT INTO EX_RATE VALUES ('2026/12/01', 1300, 25000, 1, 'kept', NULL, 'K1')")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("seed"));
    ProgramEnv::writeFile(personal() + QStringLiteral("/registry.ini"), "[SOFTWARE\\ZEVARU]\nREG_USERID=K1\n");

    m_program.reset();
    m_program = std::make_unique<App::Program>();
    MsgScr::answerHook() = [this](FrmMsgScr &s) {
        m_screens << s.lblTitle()->text();
        QTest::mouseClick(s.cmdClose(YesButton), Qt::LeftButton);
    };
    FrmRate frm;
    QVERIFY(frm.Form_Load());
    QCOMPARE(m_screens.size(), 1);
    QCOMPARE(UserCode(), QStringLiteral("K1"));
    QVERIFY(frm.dataAccess()->OpenQuery(QStringLiteral("SELECT REMARK FROM EX_RATE")));
    QCOMPARE(frm.dataAccess()->RecordCount(), 1L);
    frm.dataAccess()->CloseQuery();
}

void TstFirstRun::getdateExtensionFound_data()
{
    QTest::addColumn<QString>("extension"); // where the layout has it, under the root; empty: nowhere
    QTest::addColumn<QString>("program");
    QTest::newRow("build folder") << "build/zozura_sqlite_getdate.so"
                                  << "build";
    QTest::newRow("installed under /usr") << "usr/lib/x86_64-linux-gnu/zozura/zozura_sqlite_getdate.so"
                                          << "usr/bin";
    QTest::newRow("installed under /usr/local") << "usr/local/lib/zozura/zozura_sqlite_getdate.so"
                                                << "usr/local/bin";
    QTest::newRow("other architecture's folder only") << "usr/lib/aarch64-linux-gnu/zozura/zozura_sqlite_getdate.so"
                                                      << "usr/bin";
    QTest::newRow("nowhere") << ""
                             << "usr/bin";
}

void TstFirstRun::getdateExtensionFound()
{
    QFETCH(QString, extension);
    QFETCH(QString, program);
    const QDir root(m_home->path());
    QVERIFY(root.mkpath(program));
    if (!extension.isEmpty()) {
        QVERIFY(root.mkpath(QFileInfo(root.filePath(extension)).path()));
        ProgramEnv::writeFile(root.filePath(extension), "ELF");
    }
    const QString found = App::getdateExtensionPath(root.filePath(program), QStringLiteral("x86_64-linux-gnu"));
    const bool reachable = !extension.isEmpty() && !extension.contains(u"aarch64");
    QCOMPARE(found, reachable ? root.filePath(extension) : QString());

    // the SQLite data source names it for the driver to load; other back-ends never do
    const auto loadExt = [](const OdbcConfig::Values &values) {
        for (const auto &[k, v] : values)
            if (k == QLatin1String("LoadExt"))
                return v;
        return QStringLiteral("(none)");
    };
    QCOMPARE(loadExt(App::reportDsnValues("sqlite", "u", "zozura.db", "/sys", found)),
             reachable ? found : QStringLiteral("(none)"));
    QCOMPARE(loadExt(App::reportDsnValues("pgsql:db", "u", "rates", "/sys", found)), QStringLiteral("(none)"));
}

QTEST_MAIN(TstFirstRun)
#include "tst_firstrun.moc"
