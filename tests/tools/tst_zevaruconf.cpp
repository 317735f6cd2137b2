// zevaru-conf as a user runs it: what it writes, the program's reader gives back exactly.

#include "app/anymodule.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run conf(const QStringList &args, const QByteArray &stdinText = {})
{
    QProcess p;
    p.start(qEnvironmentVariable("ZOZURA_BUILD_DIR") + QStringLiteral("/tools/zevaru-conf"), args);
    if (!p.waitForStarted())
        return {};
    p.write(stdinText);
    p.closeWriteChannel();
    p.waitForFinished(20000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QStringList writeArgs(const QString &file, const QString &server, const QString &user, const QString &password,
                      const QString &database)
{
    return {"write", "--file",     file,     "--server",   server,  "--user",
            user,    "--password", password, "--database", database};
}

} // namespace

class TstZevaruConf : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void roundTrip_data();
    void roundTrip();
    void randomRecordsRoundTrip();
    void showMasksPassword();
    void passwordFromStdin();
    void refuses_data();
    void refuses();

private:
    QString file() const { return m_dir->filePath(QStringLiteral("ZEVARU.DAT")); }
    QTemporaryDir *m_dir = nullptr;
};

void TstZevaruConf::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    qputenv("ZEVARU_SYSTEM_DIR", m_dir->path().toLocal8Bit());
}

void TstZevaruConf::cleanup()
{
    delete m_dir;
    qunsetenv("ZEVARU_SYSTEM_DIR");
}

void TstZevaruConf::roundTrip_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("database");
    QTest::newRow("embedded") << "sqlite"
                              << "sa"
                              << ""
                              << "demo.db";
    QTest::newRow("commas, quotes, inner spaces") << "pgsql:db,1"
                                                  << "a \"b\" c"
                                                  << ",\",\","
                                                  << "x y";
    QTest::newRow("full width") << QString(30, 'W') << QString(30, ' ').replace(0, 1, "u").replace(29, 1, "v")
                                << QString(30, '~') << QString(30, '!');
    QTest::newRow("every printable character") << "!\"#$%&'()*+,-./0123456789:;<=>"
                                               << "?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\"
                                               << "]^_`abcdefghijklmnopqrstuvwxyz"
                                               << "{|}~";
}

void TstZevaruConf::roundTrip()
{
    QFETCH(QString, server);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, database);
    const Run w = conf(writeArgs(file(), server, user, password, database));
    QVERIFY2(w.code == 0, qPrintable(w.err));
    // the program's reader, on the system directory's file
    QCOMPARE(fnGet_ConfValue(1), server);
    QCOMPARE(fnGet_ConfValue(2), user);
    QCOMPARE(fnGet_ConfValue(3), password);
    QCOMPARE(fnGet_ConfValue(4), database);
    QCOMPARE(fnGet_ConfValue(0), QStringLiteral("0"));
}

void TstZevaruConf::randomRecordsRoundTrip()
{
    QRandomGenerator rnd(77);
    auto field = [&](int maxLen) {
        QString s;
        const int len = int(rnd.bounded(0, maxLen + 1));
        for (int i = 0; i < len; ++i)
            s += QChar(int(rnd.bounded(32, 127)));
        // the reader trims the server, user, password and database fields
        return s.trimmed();
    };
    for (int i = 0; i < 25; ++i) {
        const QString flag(QChar(int(rnd.bounded(32, 127))));
        const QString s = field(30), u = field(30), p = field(30), d = field(30);
        QStringList args = writeArgs(file(), s, u, p, d);
        args << "--flag" << flag;
        const Run w = conf(args);
        QVERIFY2(w.code == 0, qPrintable(w.err));
        QCOMPARE(fnGet_ConfValue(0), flag);
        QCOMPARE(fnGet_ConfValue(1), s);
        QCOMPARE(fnGet_ConfValue(2), u);
        QCOMPARE(fnGet_ConfValue(3), p);
        QCOMPARE(fnGet_ConfValue(4), d);
    }
}

void TstZevaruConf::showMasksPassword()
{
    QCOMPARE(conf(writeArgs(file(), "sqlite", "sa", "TopSecret7", "demo.db")).code, 0);
    const Run masked = conf({"show", "--file", file()});
    QCOMPARE(masked.code, 0);
    QVERIFY(masked.out.contains(QStringLiteral("서버: sqlite")));
    QVERIFY(masked.out.contains(QStringLiteral("데이터베이스: demo.db")));
    QVERIFY(!masked.out.contains(QStringLiteral("TopSecret7")));
    const Run shown = conf({"show", "--show-password"}); // the system directory's file
    QCOMPARE(shown.code, 0);
    QVERIFY(shown.out.contains(QStringLiteral("비밀번호: TopSecret7")));
    const Run missing = conf({"show", "--file", m_dir->filePath("nothing.dat")});
    QCOMPARE(missing.code, 2);
    QVERIFY(!missing.err.isEmpty());
}

void TstZevaruConf::passwordFromStdin()
{
    QCOMPARE(conf(writeArgs(file(), "sqlite", "sa", "-", "demo.db"), "from stdin\r\n").code, 0);
    QCOMPARE(fnGet_ConfValue(3), QStringLiteral("from stdin"));
}

void TstZevaruConf::refuses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    const QString f = QStringLiteral("%1");
    QTest::newRow("server too wide") << writeArgs(f, QString(31, 's'), "u", "p", "d") << 1 << "너무 깁니다";
    QTest::newRow("database too wide") << writeArgs(f, "s", "u", "p", QString(31, 'd')) << 1 << "너무 깁니다";
    QTest::newRow("tab in password") << writeArgs(f, "s", "u", "a\tb", "d") << 1 << "쓸 수 없는 문자";
    QTest::newRow("Korean in user") << writeArgs(f, "s", "홍길동", "p", "d") << 1 << "쓸 수 없는 문자";
    QTest::newRow("leading space") << writeArgs(f, " s", "u", "p", "d") << 1 << "공백";
    QTest::newRow("two-character flag") << (writeArgs(f, "s", "u", "p", "d") << "--flag"
                                                                             << "ab")
                                        << 1 << "한 글자";
    QTest::newRow("database missing") << QStringList{"write", "--file",     f,  "--server", "s", "--user",
                                                     "u",     "--password", "p"}
                                      << 64 << "지정하십시오";
    QTest::newRow("unknown command") << QStringList{"erase"} << 64 << "사용법";
}

void TstZevaruConf::refuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, message);
    for (QString &a : args)
        a.replace(QStringLiteral("%1"), file());
    const Run r = conf(args);
    QCOMPARE(r.code, code);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    QVERIFY(!QFile::exists(file())); // nothing half-written
}

QTEST_GUILESS_MAIN(TstZevaruConf)
#include "tst_zevaruconf.moc"
