#include "app/anymodule.h"
#include "app/confcodec.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

QString record(const QString &flag, const QString &server, const QString &user, const QString &password,
               const QString &database)
{
    return flag.leftJustified(1) + server.leftJustified(30) + user.leftJustified(30) + password.leftJustified(30)
        + database.leftJustified(30);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

} // namespace

class TstConfStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hash_data();
    void hash();
    void descrambleDropsNonPrintable_data();
    void descrambleDropsNonPrintable();
    void scrambleRoundTrip();
    void goldenFileStaysReadable();
    void accumulateFields_data();
    void accumulateFields();
    void cutField_data();
    void cutField();
    void confValueFromFile_data();
    void confValueFromFile();
    void confValueMissingFileRaises_data();
    void confValueMissingFileRaises();
    void regName_data();
    void regName();
    void regValue_data();
    void regValue();
    void systemDir_data();
    void systemDir();

private:
    QTemporaryDir *m_dir = nullptr;
};

void TstConfStore::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    qputenv("ZEVARU_SYSTEM_DIR", m_dir->path().toLocal8Bit());
}

void TstConfStore::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
    qunsetenv("ZEVARU_SYSTEM_DIR");
}

void TstConfStore::hash_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");
    // the first character cancels itself, so only B, C and D reach the hashes
    const qint64 B = 'B', C = 'C', D = 'D';
    QTest::newRow("empty is 0") << QString() << qint64(0);
    QTest::newRow("one character cancels itself") << QStringLiteral("Z") << qint64(0);
    QTest::newRow("two characters") << QStringLiteral("AB") << ((B << 7) ^ (B << 13));
    // third character: a = 14, b = 26 mod 23 = 3; fourth: a = 21 mod 19 = 2, b = 16
    QTest::newRow("b wraps at 23") << QStringLiteral("ABC") << ((B << 7) ^ (B << 13) ^ (C << 14) ^ (C << 3));
    QTest::newRow("a wraps at 19") << QStringLiteral("ABCD")
                                   << ((B << 7) ^ (B << 13) ^ (C << 14) ^ (C << 3) ^ (D << 2) ^ (D << 16));
    // the widest shifts (18 and 22) of the highest ANSI code stay below 2^31
    QString wide;
    for (int i = 0; i < 400; ++i)
        wide += QChar(0xFF);
    QTest::newRow("long text of code 255") << wide << qint64(-1);
}

void TstConfStore::hash()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    const qint32 h = fnConf_Hash(text);
    if (expected == -1) {
        QVERIFY(h >= 0); // no bit beyond 2^31 was ever set
        QVERIFY(qint64(h) < (qint64(0xFF) << 23));
    } else {
        QCOMPARE(qint64(h), expected);
    }
}

void TstConfStore::descrambleDropsNonPrintable_data()
{
    QTest::addColumn<QString>("withJunk");
    QTest::addColumn<QString>("clean");
    QTest::newRow("tab") << QStringLiteral("ab\tcd") << QStringLiteral("abcd");
    QTest::newRow("CR LF") << QStringLiteral("\r\nabc\r\n") << QStringLiteral("abc");
    QTest::newRow("DEL and high codes") << QString::fromLatin1("a\x7f"
                                                               "b\xe9"
                                                               "c")
                                        << QStringLiteral("abc");
    QTest::newRow("Korean") << QStringLiteral("가a나b") << QStringLiteral("ab");
}

void TstConfStore::descrambleDropsNonPrintable()
{
    QFETCH(QString, withJunk);
    QFETCH(QString, clean);
    // dropped characters draw no random number: the rest descrambles as if they were absent
    QCOMPARE(fnConf_Descramble(withJunk), fnConf_Descramble(clean));
    QCOMPARE(fnConf_Descramble(clean).size(), clean.size());
}

void TstConfStore::scrambleRoundTrip()
{
    QRandomGenerator rnd(20240101);
    for (int round = 0; round < 400; ++round) {
        QString plain;
        const int len = int(rnd.bounded(0, ConfCodec::RecordLength + 1));
        for (int i = 0; i < len; ++i)
            plain += QChar(int(rnd.bounded(32, 127)));
        const QString scrambled = ConfCodec::scramble(plain);
        QCOMPARE(scrambled.size(), plain.size());
        for (QChar c : scrambled)
            QVERIFY(c.unicode() >= 32 && c.unicode() <= 126);
        QCOMPARE(fnConf_Descramble(scrambled), plain);
        // and through the file form, commas, quotes and spaces included
        QCOMPARE(fnConf_Descramble(ConfCodec::accumulateFields(ConfCodec::fileContent(scrambled))), plain);
    }
}

void TstConfStore::goldenFileStaysReadable()
{
    // A ZEVARU.DAT written by zevaru-conf; files in use must stay readable by every later build.
    const QByteArray golden =
        "\t?^w=0KV|?+1u=GP^)igmxC[ zj5CJN?DH#brU>s8DO rm9~mYx9UWvG_EU9sw)hE7K<JLmo+`n<])fpxr;84(c{^KX "
        "EY]`7):a/LWGDme`swg|4v=%:}pU-~\t\r\n";
    writeFile(m_dir->filePath(QStringLiteral("ZEVARU.DAT")), golden);
    QCOMPARE(fnGet_ConfValue(0), QStringLiteral("1"));
    QCOMPARE(fnGet_ConfValue(1), QStringLiteral("pgsql:db.example:5432"));
    QCOMPARE(fnGet_ConfValue(2), QStringLiteral("rate_user"));
    QCOMPARE(fnGet_ConfValue(3), QStringLiteral("S3cr,et\"Pw"));
    QCOMPARE(fnGet_ConfValue(4), QStringLiteral("ZEVARU"));
}

void TstConfStore::accumulateFields_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one line, trimmed") << QByteArray("   abc def  \r\n") << QStringLiteral("abc def");
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("commas rejoined") << QByteArray("a,b,c") << QStringLiteral("a,b,c");
    QTest::newRow("spaces at commas lost") << QByteArray("a , b") << QStringLiteral("a,b");
    QTest::newRow("quoted comma kept, quotes lost") << QByteArray("\"x,y\",z") << QStringLiteral("x,y,z");
    QTest::newRow("after closing quote ignored") << QByteArray("\"ab\"cd,e") << QStringLiteral("ab,e");
    QTest::newRow("quote inside a field kept") << QByteArray("a\"b") << QStringLiteral("a\"b");
    QTest::newRow("unterminated quote") << QByteArray("\"abc") << QStringLiteral("abc");
    QTest::newRow("lines become fields") << QByteArray("a\r\nb\nc\r\n") << QStringLiteral("a,b,c");
    QTest::newRow("empty line is an empty field") << QByteArray("a\r\n\r\nb") << QStringLiteral("a,,b");
    QTest::newRow("tabs are not trimmed") << QByteArray("\t a \t") << QStringLiteral("\t a \t");
    QTest::newRow("cut to 255") << QByteArray(300, 'x') << QString(255, QLatin1Char('x'));
    QTest::newRow("cut before trim") << QByteArray(254, 'x') + QByteArray("  y") << QString(254, QLatin1Char('x'));
    QTest::newRow("bytes as Latin-1") << QByteArray("a\xe9") << QString::fromLatin1("a\xe9");
}

void TstConfStore::accumulateFields()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QCOMPARE(ConfCodec::accumulateFields(content), expected);
}

void TstConfStore::cutField_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    const QString full = record("F", "  srv  ", "user", "", "db name");
    QTest::newRow("flag") << full << 0 << QStringLiteral("F");
    QTest::newRow("server trimmed") << full << 1 << QStringLiteral("srv");
    QTest::newRow("user") << full << 2 << QStringLiteral("user");
    QTest::newRow("password of spaces is empty") << full << 3 << QString();
    QTest::newRow("database keeps inner space") << full << 4 << QStringLiteral("db name");
    QTest::newRow("flag not trimmed") << record(" ", "s", "u", "p", "d") << 0 << QStringLiteral(" ");
    QTest::newRow("unknown index 5") << full << 5 << QString();
    QTest::newRow("negative index") << full << -1 << QString();
    QTest::newRow("record shorter than the field's start") << full.left(61) << 3 << QString();
    QTest::newRow("record ending inside the field") << full.left(35) << 2 << QStringLiteral("user");
    QTest::newRow("empty record") << QString() << 0 << QString();
}

void TstConfStore::cutField()
{
    QFETCH(QString, record);
    QFETCH(int, index);
    QFETCH(QString, expected);
    QCOMPARE(ConfCodec::cutField(record, index), expected);
}

void TstConfStore::confValueFromFile_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("password");
    QTest::newRow("sqlite") << QStringLiteral("sqlite") << QStringLiteral("pw");
    QTest::newRow("commas and quotes") << QStringLiteral("pgsql:h,1") << QStringLiteral("\"a,b\" ,c");
    QTest::newRow("widest fields") << QString(30, QLatin1Char('~')) << QString(30, QLatin1Char(','));
}

void TstConfStore::confValueFromFile()
{
    QFETCH(QString, server);
    QFETCH(QString, password);
    const QString rec = record("0", server, "sa", password, "rates.db");
    writeFile(m_dir->filePath("ZEVARU.DAT"), ConfCodec::fileContent(ConfCodec::scramble(rec)));
    QCOMPARE(fnGet_ConfValue(1), server);
    QCOMPARE(fnGet_ConfValue(2), QStringLiteral("sa"));
    QCOMPARE(fnGet_ConfValue(3), password.trimmed());
    QCOMPARE(fnGet_ConfValue(4), QStringLiteral("rates.db"));
    QCOMPARE(fnGet_ConfValue(7), QString());
}

void TstConfStore::confValueMissingFileRaises_data()
{
    QTest::addColumn<bool>("asDirectory");
    QTest::newRow("no file") << false;
    QTest::newRow("a directory in its place") << true;
}

void TstConfStore::confValueMissingFileRaises()
{
    QFETCH(bool, asDirectory);
    if (asDirectory)
        QVERIFY(QDir(m_dir->path()).mkdir("ZEVARU.DAT"));
    bool raised = false;
    try {
        fnGet_ConfValue(1);
    } catch (const std::runtime_error &e) {
        raised = true;
        QVERIFY(QString::fromUtf8(e.what()).contains(m_dir->filePath("ZEVARU.DAT")));
    }
    QVERIFY(raised);
}

void TstConfStore::regName_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("0") << 0 << QStringLiteral("REG_USERID");
    QTest::newRow("1") << 1 << QStringLiteral("REG_USERNAME");
    QTest::newRow("6") << 6 << QStringLiteral("REG_PRTSETDEVICEA");
    QTest::newRow("11") << 11 << QStringLiteral("REG_PRTSETPORTB");
    QTest::newRow("12") << 12 << QString();
    QTest::newRow("-1") << -1 << QString();
}

void TstConfStore::regName()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(fnGet_RegName(index), name);
}

void TstConfStore::regValue_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no file") << QByteArray() << 0 << QString();
    QTest::newRow("other key") << QByteArray("[SOFTWARE\\OTHER]\nREG_USERID=x\n") << 0 << QString();
    QTest::newRow("value missing") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERNAME=x\n") << 0 << QString();
    QTest::newRow("plain") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERID=U001\n") << 0 << QStringLiteral("U001");
    // the file holds text as written: no escapes, no quoting
    QTest::newRow("quotes and backslashes kept")
        << QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERID=\"U001\\0\"\n") << 0 << QStringLiteral("\"U001\\0\"");
    QTest::newRow("spaces trimmed") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERNAME=  Kim  \n") << 1
                                    << QStringLiteral("Kim");
    QTest::newRow("not text") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERID=U001\0\n", 35) << 0 << QString();
    QTest::newRow("Korean UTF-8") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERNAME=홍길동\n") << 1
                                  << QStringLiteral("홍길동");
    QTest::newRow("unknown index") << QByteArray("[SOFTWARE\\ZEVARU]\nREG_USERID=x\n") << 40 << QString();
}

void TstConfStore::regValue()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, index);
    QFETCH(QString, expected);
    if (!ini.isEmpty())
        writeFile(m_dir->filePath("registry.ini"), ini);
    QCOMPARE(fnGet_RegValue(index), expected);
}

void TstConfStore::systemDir_data()
{
    QTest::addColumn<QByteArray>("env");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unset") << QByteArray() << QStringLiteral("/etc/zevaru");
    QTest::newRow("trailing slashes") << QByteArray("/srv/zz//") << QStringLiteral("/srv/zz");
    QTest::newRow("longer than 30 characters") << QByteArray("/var/lib/a/rather/long/system/directory")
                                               << QStringLiteral("/var/lib/a/rather/long/system/directory");
    QTest::newRow("root") << QByteArray("/") << QStringLiteral("/");
}

void TstConfStore::systemDir()
{
    QFETCH(QByteArray, env);
    QFETCH(QString, expected);
    if (env.isEmpty())
        qunsetenv("ZEVARU_SYSTEM_DIR");
    else
        qputenv("ZEVARU_SYSTEM_DIR", env);
    QCOMPARE(fnGet_SystemDir(), expected);
}

QTEST_GUILESS_MAIN(TstConfStore)
#include "tst_confstore.moc"
