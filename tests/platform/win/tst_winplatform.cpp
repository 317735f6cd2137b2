#include "platform/win/filefolder.h"
#include "platform/win/registry.h"
#include "platform/win/rounding.h"
#include "platform/win/singleinstance.h"
#include "platform/win/stdmessagebox.h"

#include "../../common/fakeservices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cfenv>
#include <limits>

#include <sys/stat.h>
#include <unistd.h>

class TstWinPlatform : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void init();
    void cleanup();
    void singleInstance();
    void lockFileLeftBehind_data();
    void lockFileLeftBehind();
    void messageBoxHook_data();
    void messageBoxHook();
    void realMessageBoxAnsweredByTimer();
    void registryFoundFlag_data();
    void registryFoundFlag();
    void registryValueIn_data();
    void registryValueIn();
    void registryDecodeText_data();
    void registryDecodeText();
    void registryFileState_data();
    void registryFileState();
    void folderOfFile_data();
    void folderOfFile();
    void halfEvenRounding_data();
    void halfEvenRounding();

private:
    QTemporaryDir *m_dir = nullptr;
};

void TstWinPlatform::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", m_dir->path().toLocal8Bit());
    qputenv("ZEVARU_SYSTEM_DIR", m_dir->path().toLocal8Bit());
}

void TstWinPlatform::cleanup()
{
    m_fakes->messageBoxAnswer = nullptr;
    delete m_dir;
}

void TstWinPlatform::singleInstance()
{
    SingleInstance a;
    QVERIFY(a.lockFilePath().startsWith(m_dir->path()));
    QVERIFY(a.tryLock());
    QVERIFY(a.tryLock()); // asking again keeps the lock
    SingleInstance b;
    QVERIFY(!b.tryLock());
    SingleInstance other(QStringLiteral("another-program"));
    QVERIFY(other.tryLock());
    a.release();
    QVERIFY(b.tryLock());
}

void TstWinPlatform::lockFileLeftBehind_data()
{
    QTest::addColumn<QByteArray>("content"); // what the file holds before the start
    QTest::addColumn<bool>("liveHolder"); // another process holds the lock on it
    QTest::addColumn<bool>("starts");
    // QLockFile's form (pid, app, host) from a run that crashed
    const QByteArray dead = QByteArray::number(0x3FFFFFFF) + "\nzozura\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    QTest::newRow("empty (a crash while writing it)") << QByteArray() << false << true;
    QTest::newRow("garbage (a full disk)") << QByteArray("\x01\xff\xfe garbage\n\0x", 13) << false << true;
    QTest::newRow("a dead process's number") << dead << false << true;
    QTest::newRow("a live process's number, no lock") << QByteArray::number(qint64(getppid())) + "\n" << false << true;
    QTest::newRow("a live other process holding it") << QByteArray() << true << false;
}

void TstWinPlatform::lockFileLeftBehind()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, liveHolder);
    QFETCH(bool, starts);
    const QString path = m_dir->filePath(QStringLiteral("zozura.lock"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    QProcess holder;
    if (liveHolder) {
        // flock(1) holds the lock itself (-o: its command does not) while the command runs;
        // cat ends with our end of its input
        holder.start(QStringLiteral("flock"),
                     {QStringLiteral("-n"), QStringLiteral("-o"), path, QStringLiteral("-c"),
                      QStringLiteral("echo held; exec cat")});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readAllStandardOutput(), QByteArray("held\n"));
    }
    SingleInstance s;
    QCOMPARE(s.tryLock(), starts);
    if (!liveHolder) {
        QFile held(path);
        QVERIFY(held.open(QIODevice::ReadOnly));
        QCOMPARE(held.readAll(), QByteArray::number(qint64(getpid())) + "\n");
        s.release();
        QVERIFY(!QFile::exists(path)); // an orderly end leaves no file
        return;
    }
    // the holder ends as a crash would: the system gives its lock back, the next start runs
    holder.kill();
    QVERIFY(holder.waitForFinished(10000));
    holder.closeWriteChannel();
    QVERIFY(s.tryLock());
}

void TstWinPlatform::messageBoxHook_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("answer");
    QTest::newRow("ok") << int(QMessageBox::Ok) << int(QMessageBox::Ok);
    QTest::newRow("yes/no answered no") << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::No);
}

void TstWinPlatform::messageBoxHook()
{
    QFETCH(int, buttons);
    QFETCH(int, answer);
    QList<StdMessageBox::Request> seen;
    m_fakes->messageBoxAnswer = [&](const StdMessageBox::Request &r) {
        seen << r;
        return QMessageBox::StandardButton(answer);
    };
    QVERIFY(StdMessageBox::hasAnswerHook());
    const auto got = StdMessageBox::show(nullptr, QMessageBox::Warning, QStringLiteral("자료 관리"),
                                         QStringLiteral("a\nb"), QMessageBox::StandardButtons(buttons));
    QCOMPARE(int(got), answer);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().icon, QMessageBox::Warning);
    QCOMPARE(seen.first().title, QStringLiteral("자료 관리"));
    QCOMPARE(seen.first().text, QStringLiteral("a\nb"));
}

void TstWinPlatform::realMessageBoxAnsweredByTimer()
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(100, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->button(QMessageBox::Ok)->click();
    });
    const auto got = StdMessageBox::show(nullptr, QMessageBox::Information, QStringLiteral("경고"),
                                         QStringLiteral("프로그램이 이미 실행중입니다."));
    QCOMPARE(got, QMessageBox::Ok);
    QCOMPARE(title, QStringLiteral("경고"));
    QCOMPARE(text, QStringLiteral("프로그램이 이미 실행중입니다."));
    QCOMPARE(icon, QMessageBox::Information);
}

void TstWinPlatform::registryFoundFlag_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");
    QTest::newRow("no file") << QByteArray() << false << QString();
    QTest::newRow("empty value is found") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_X=\n") << true << QString();
    QTest::newRow("commas kept") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_X=a,b\n") << true << QStringLiteral("a,b");
    QTest::newRow("other section") << QByteArray("[SOFTWARE\\OTHER]\nREG_X=1\n") << false << QString();
}

void TstWinPlatform::registryFoundFlag()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, found);
    QFETCH(QString, value);
    if (!ini.isEmpty()) {
        QFile f(Registry::iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
    bool got = !found;
    QCOMPARE(Registry::readValue(QStringLiteral("SOFTWARE\\ZEVARU"), QStringLiteral("REG_X"), &got), value);
    QCOMPARE(got, found);
}

void TstWinPlatform::registryValueIn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");
    const QString head = QStringLiteral("[SOFTWARE\\ZEVARU]\n");
    QTest::newRow("comma") << head + "REG_X=AB,CD" << true << "AB,CD";
    QTest::newRow("semicolon") << head + "REG_X=A;B" << true << "A;B";
    QTest::newRow("backslash") << head + "REG_X=A\\B" << true << "A\\B";
    QTest::newRow("quotes") << head + "REG_X=\"A\" 'B'" << true << "\"A\" 'B'";
    QTest::newRow("equals sign and hash") << head + "REG_X=a=b#c" << true << "a=b#c";
    QTest::newRow("spaces and tabs around") << head + "  REG_X \t=  a b \t\r\n" << true << "a b";
    QTest::newRow("empty") << head + "REG_X=" << true << "";
    QTest::newRow("names in other letter case") << "[software\\Zevaru]\nreg_x=v" << true << "v";
    QTest::newRow("CR LF lines") << "[SOFTWARE\\ZEVARU]\r\nREG_Y=1\r\nREG_X=v\r\n" << true << "v";
    QTest::newRow("later line counts") << head + "REG_X=1\nREG_X=2" << true << "2";
    QTest::newRow("comment lines") << head + ";REG_X=1\n# REG_X=2" << false << "";
    QTest::newRow("other section") << "[SOFTWARE\\OTHER]\nREG_X=v" << false << "";
    QTest::newRow("after the section ends") << head + "[OTHER]\nREG_X=v" << false << "";
    QTest::newRow("before any section") << "REG_X=v\n" + head << false << "";
    QTest::newRow("longer name") << head + "REG_XY=v" << false << "";
    QTest::newRow("line without =") << head + "REG_X" << false << "";
}

void TstWinPlatform::registryValueIn()
{
    QFETCH(QString, text);
    QFETCH(bool, found);
    QFETCH(QString, value);
    const std::optional<QString> got =
        Registry::valueIn(text, QStringLiteral("SOFTWARE\\ZEVARU"), QStringLiteral("REG_X"));
    QCOMPARE(got.has_value(), found);
    if (found)
        QCOMPARE(*got, value);
}

void TstWinPlatform::registryDecodeText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("text");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("ASCII") << QByteArray("a=b\r\n\tc") << true << "a=b\r\n\tc";
    QTest::newRow("UTF-8") << QByteArray("caf\xC3\xA9 홍") << true << QStringLiteral("café 홍");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBFx") << true << "x";
    QTest::newRow("empty") << QByteArray() << true << "";
    QTest::newRow("Latin-1") << QByteArray("caf\xE9") << false << "";
    QTest::newRow("UTF-16 with BOM") << QByteArray("\xFF\xFEx\0", 4) << false << "";
    QTest::newRow("UTF-16 without BOM") << QByteArray("x\0y\0", 4) << false << "";
    QTest::newRow("NUL") << QByteArray("a\0", 2) << false << "";
    QTest::newRow("escape character") << QByteArray("a\x1B") << false << "";
    QTest::newRow("cut UTF-8 sequence") << QByteArray("\xED\x95") << false << "";
    QTest::newRow("UTF-8 of a surrogate") << QByteArray("\xED\xA0\x80") << false << "";
}

void TstWinPlatform::registryDecodeText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, text);
    QFETCH(QString, decoded);
    const std::optional<QString> got = Registry::decodeText(bytes);
    QCOMPARE(got.has_value(), text);
    if (text)
        QCOMPARE(*got, decoded);
}

void TstWinPlatform::registryFileState_data()
{
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("state");
    QTest::newRow("no file") << "none" << int(Registry::FileState::Missing);
    QTest::newRow("readable file") << "file" << int(Registry::FileState::Readable);
    QTest::newRow("empty file") << "empty" << int(Registry::FileState::Readable);
    QTest::newRow("folder in its place") << "folder" << int(Registry::FileState::Unreadable);
    QTest::newRow("link to nowhere") << "dangling" << int(Registry::FileState::Unreadable);
    QTest::newRow("no read permission") << "mode000" << int(Registry::FileState::Unreadable);
    QTest::newRow("named pipe") << "pipe" << int(Registry::FileState::Unreadable);
    QTest::newRow("one byte over 64 KiB") << "large" << int(Registry::FileState::Unreadable);
    QTest::newRow("Latin-1 text") << "latin1" << int(Registry::FileState::Unreadable);
}

void TstWinPlatform::registryFileState()
{
    QFETCH(QString, shape);
    QFETCH(int, state);
    const QString path = Registry::iniPath();
    QFile f(path);
    if (shape == u"file" || shape == u"empty" || shape == u"mode000") {
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (shape != u"empty")
            f.write("[SOFTWARE\\ZEVARU]\nREG_USERID=U1\n");
        f.close();
    } else if (shape == u"folder") {
        QVERIFY(QDir().mkdir(path));
    } else if (shape == u"dangling") {
        QVERIFY(QFile::link(m_dir->filePath(QStringLiteral("gone.ini")), path));
    } else if (shape == u"pipe") {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (shape == u"large" || shape == u"latin1") {
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(shape == u"latin1" ? QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERID=caf\xE9\n")
                                   : "[SOFTWARE\\ZEVARU]\nREG_USERID=U1\n;" + QByteArray(64 * 1024 - 32, 'x'));
        f.close();
    }
    if (shape == u"mode000") {
        if (::geteuid() == 0)
            QSKIP("the superuser reads a file whatever its mode; the folder and link rows cover the refusal");
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    }
    QCOMPARE(int(Registry::fileState()), state);
    // an unreadable file gives no values either
    bool found = true;
    QCOMPARE(Registry::readValue(QStringLiteral("SOFTWARE\\ZEVARU"), QStringLiteral("REG_USERID"), &found),
             state == int(Registry::FileState::Readable) && shape == u"file" ? QStringLiteral("U1") : QString());
    QCOMPARE(found, state == int(Registry::FileState::Readable) && shape == u"file");
}

void TstWinPlatform::folderOfFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("folder");
    QTest::newRow("nested") << "/home/a/b/c.jpg"
                            << "/home/a/b/";
    QTest::newRow("root") << "/c.jpg"
                          << "/";
    QTest::newRow("bare name") << "c.jpg"
                               << "";
    // remembered as the next dialog's folder: it must be a folder that exists, not part of a name
    QTest::newRow("backslash in the name") << "/home/u/a\\b.xlsx"
                                           << "/home/u/";
    QTest::newRow("backslashes only") << "C:\\Data\\r.xlsx"
                                      << "";
    QTest::newRow("Korean folder") << "/home/u/환율/r.xlsx"
                                   << "/home/u/환율/";
}

void TstWinPlatform::folderOfFile()
{
    QFETCH(QString, file);
    QFETCH(QString, folder);
    QCOMPARE(FileFolder::folderOfFile(file), folder);
}

void TstWinPlatform::halfEvenRounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("half down to even") << 2.5 << 2.0;
    QTest::newRow("half up to even") << 3.5 << 4.0;
    QTest::newRow("below half") << 2.49 << 2.0;
    QTest::newRow("above half") << 2.51 << 3.0;
    QTest::newRow("negative half") << -2.5 << -2.0;
    QTest::newRow("negative odd half") << -3.5 << -4.0;
    QTest::newRow("whole") << 7.0 << 7.0;
    QTest::newRow("button centre 2207.5") << 2207.5 << 2208.0;
    QTest::newRow("pair offset 817.5") << 817.5 << 818.0;
    QTest::newRow("infinity stays") << std::numeric_limits<double>::infinity()
                                    << std::numeric_limits<double>::infinity();
}

void TstWinPlatform::halfEvenRounding()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    // the result does not depend on the rounding mode in force, which is left as it was
    const int mode = std::fegetround();
    std::fesetround(FE_UPWARD);
    const double up = Rounding::halfEven(value);
    QCOMPARE(std::fegetround(), FE_UPWARD);
    std::fesetround(mode);
    QCOMPARE(up, expected);
    QCOMPARE(Rounding::halfEven(value), expected);
}

QTEST_MAIN(TstWinPlatform)
#include "tst_winplatform.moc"
