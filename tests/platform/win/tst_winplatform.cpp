#include "platform/win/filefolder.h"
#include "platform/win/registry.h"
#include "platform/win/singleinstance.h"
#include "platform/win/stdmessagebox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

class TstWinPlatform : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void singleInstance();
    void staleLockDoesNotBlock();
    void messageBoxHook_data();
    void messageBoxHook();
    void realMessageBoxAnsweredByTimer();
    void registryFoundFlag_data();
    void registryFoundFlag();
    void registryFileState_data();
    void registryFileState();
    void folderOfFile_data();
    void folderOfFile();

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
    StdMessageBox::setAnswerHook({});
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

void TstWinPlatform::staleLockDoesNotBlock()
{
    // the lock of a process that no longer exists (the format QLockFile writes: pid, app, host)
    QFile f(m_dir->filePath(QStringLiteral("zozura.lock")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray::number(0x3FFFFFFF) + "\nzozura\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    SingleInstance s;
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
    StdMessageBox::setAnswerHook([&](const StdMessageBox::Request &r) {
        seen << r;
        return QMessageBox::StandardButton(answer);
    });
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
    QTest::newRow("list joined") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_X=a, b\n") << true << QStringLiteral("a, b");
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
    QTest::newRow("nested") << "/home/a/b/c.jpg" << "/home/a/b/";
    QTest::newRow("root") << "/c.jpg" << "/";
    QTest::newRow("bare name") << "c.jpg" << "";
    // remembered as the next dialog's folder: it must be a folder that exists, not part of a name
    QTest::newRow("backslash in the name") << "/home/u/a\\b.xlsx" << "/home/u/";
    QTest::newRow("backslashes only") << "C:\\Data\\r.xlsx" << "";
    QTest::newRow("Korean folder") << "/home/u/환율/r.xlsx" << "/home/u/환율/";
}

void TstWinPlatform::folderOfFile()
{
    QFETCH(QString, file);
    QFETCH(QString, folder);
    QCOMPARE(::folderOfFile(file), folder);
}

QTEST_MAIN(TstWinPlatform)
#include "tst_winplatform.moc"
