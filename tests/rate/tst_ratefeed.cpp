// The fetch through real HTTP and HTTPS on 127.0.0.1: the services' answers as they publish them
// and as they fail, each failure's words, the second opinion, the weekend, the period cap, the
// redirects and the certificates; the key never in a word the user sees.

#include "rate/ratefeed.h"

#include "../common/localhttp.h"
#include "feedanswers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using LocalHttp::Reply;
using RateFeed::Day;

Q_DECLARE_METATYPE(LocalHttp::Reply)

namespace {

const QString Key = QStringLiteral("S3cr3t+Key/77");

Reply json(const QByteArray &body, int status = 200)
{
    Reply r;
    r.status = status;
    r.body = body;
    return r;
}

} // namespace

class TstRateFeed : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void day_data();
    void day();
    void tls_data();
    void tls();
    void period();
    void proxyFromRegistry();
    void answerTooLarge();
    void configuration_data();
    void configuration();

private:
    RateFeed::Config config(quint16 port, const QString &scheme = QStringLiteral("http"),
                            const QHash<QString, QString> &extra = {}, const QByteArray &moreIni = {});

    QTemporaryDir m_sys;
    QHash<QString, Reply> m_replies; // path -> its answer
    std::unique_ptr<LocalHttp::Server> m_http;
    std::unique_ptr<LocalHttp::Certificates> m_certs;
};

void TstRateFeed::initTestCase()
{
    LocalHttp::dropProxyEnvironment();
    m_http = std::make_unique<LocalHttp::Server>([this](const QString &target) {
        return m_replies.value(target.section(u'?', 0, 0), json("nothing here", 404));
    });
    QVERIFY(m_http->port() != 0);
}

RateFeed::Config TstRateFeed::config(quint16 port, const QString &scheme, const QHash<QString, QString> &extra,
                                     const QByteArray &moreIni)
{
    const QByteArray base = scheme.toLatin1() + "://127.0.0.1:" + QByteArray::number(port);
    QFile f(m_sys.filePath(QStringLiteral("rate-sources.ini")));
    if (f.open(QIODevice::WriteOnly))
        f.write("[eximbank]\nurl=" + base
                + "/exim?authkey={key}&searchdate={yyyyMMdd}&data=AP01\n"
                  "[vietcombank]\nurl="
                + base
                + "/vcb?date={yyyy-MM-dd}\n"
                  "[ecb]\nurl="
                + base + "/ecb\n" + moreIni);
    f.close();
    QHash<QString, QString> reg{{QStringLiteral("REG_FEED_KEY_EXIMBANK"), Key},
                                {QStringLiteral("REG_FEED_TIMEOUT"), QStringLiteral("0.4")},
                                {QStringLiteral("REG_FEED_BACKOFF"), QStringLiteral("0.02")}};
    for (auto it = extra.cbegin(); it != extra.cend(); ++it)
        reg.insert(it.key(), it.value());
    return RateFeed::configFrom([reg](const QString &name) { return reg.value(name); }, m_sys.path());
}

void TstRateFeed::day_data()
{
    QTest::addColumn<Reply>("exim");
    QTest::addColumn<Reply>("vcb");
    QTest::addColumn<Reply>("ecb");
    QTest::addColumn<QByteArray>("ini"); // laid over the sources
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("expect"); // the values, or a part of the note
    QTest::addColumn<int>("eximAsked");

    const Reply exim = json(FeedAnswers::exim());
    const Reply vcb = json(FeedAnswers::vcbJson());
    Reply ecb = json(FeedAnswers::ecb());
    ecb.contentType = "text/xml";
    const int ready = int(Day::State::Ready), unpublished = int(Day::State::Unpublished),
              failed = int(Day::State::Failed);
    const QString values = QStringLiteral("1385.50 24590 0.0563380");

    QTest::newRow("normal day") << exim << vcb << ecb << QByteArray() << ready << values << 1;
    Reply xml = json(FeedAnswers::vcbXml());
    xml.contentType = "text/xml";
    QTest::newRow("today's table as XML")
        << exim << xml << ecb << QByteArray("[vietcombank]\nformat=xml\nrows=Exrate\ncode=CurrencyCode\n") << ready
        << values << 1;
    Reply csv = json("currencyCode,cash,transfer,sell\r\nKRW,15.98,17.75,19.37\r\n"
                     "USD,\"24,560.00\",\"24,590.00\",\"24,930.00\"\r\n");
    csv.contentType = "text/csv";
    QTest::newRow("a CSV table, quoted thousands")
        << exim << csv << ecb << QByteArray("[vietcombank]\nformat=csv\n") << ready << values << 1;
    QTest::newRow("rules of the office") << exim << vcb << ecb << QByteArray() << ready
                                         << QStringLiteral("1399.35 24930 0.0563380") << 1;
    QTest::newRow("not published (empty list)") << json("[]") << vcb << ecb << QByteArray() << unpublished
                                                << QStringLiteral("한국수출입은행 : 게시되지 않음") << 1;
    QTest::newRow("a holiday: the last day's table")
        << exim << json(FeedAnswers::vcbJson(QDate(2024, 3, 1))) << ecb << QByteArray() << unpublished
        << QStringLiteral("Vietcombank : 게시되지 않음") << 1;
    QTest::newRow("result 2: data code") << json(FeedAnswers::eximResult(2)) << vcb << ecb << QByteArray() << failed
                                         << QStringLiteral("자료 종류(data)가 잘못되었습니다") << 1;
    QTest::newRow("result 3: wrong key") << json(FeedAnswers::eximResult(3)) << vcb << ecb << QByteArray() << failed
                                         << QStringLiteral("인증키가 올바르지 않습니다. registry.ini 의 "
                                                           "REG_FEED_KEY_EXIMBANK 를 확인하십시오.")
                                         << 1;
    QTest::newRow("result 4: daily limit") << json(FeedAnswers::eximResult(4)) << vcb << ecb << QByteArray() << failed
                                           << QStringLiteral("횟수를 넘었습니다. 내일 다시 받으십시오.") << 1;
    Reply html = json(FeedAnswers::htmlPage());
    html.contentType = "text/html";
    QTest::newRow("an HTML page") << html << vcb << ecb << QByteArray() << failed
                                  << QStringLiteral("환율 대신 웹 페이지(HTML)가 왔습니다") << 1;
    QTest::newRow("HTTP 503, tried three times") << json("busy", 503) << vcb << ecb << QByteArray() << failed
                                                 << QStringLiteral("서버에 문제가 있습니다 (HTTP 503)") << 3;
    QTest::newRow("HTTP 403 with the key in the page")
        << json("bad key " + Key.toUtf8(), 403) << vcb << ecb << QByteArray() << failed
        << QStringLiteral("요청을 받지 않았습니다 (HTTP 403)") << 1;
    QTest::newRow("truncated") << json(FeedAnswers::exim().left(150)) << vcb << ecb << QByteArray() << failed
                               << QStringLiteral("JSON 로 읽을 수 없습니다(중간에 끊겼을 수 있습니다)") << 1;
    QTest::newRow("a field renamed") << json(FeedAnswers::exim().replace("cur_unit", "currency_unit")) << vcb << ecb
                                     << QByteArray() << failed
                                     << QStringLiteral("응답의 형식이 바뀌었습니다: 'cur_unit' 항목이 없습니다") << 1;
    QTest::newRow("a value field renamed")
        << json(FeedAnswers::exim().replace("deal_bas_r", "base_r")) << vcb << ecb << QByteArray() << failed
        << QStringLiteral("'deal_bas_r' 항목이 없습니다") << 1;
    Reply slow = exim;
    slow.delayMs = 1500;
    QTest::newRow("slow past the time-out, three tries")
        << slow << vcb << ecb << QByteArray() << failed << QStringLiteral("의 응답이 0.4초 안에 오지 않았습니다") << 3;
    Reply moved = json("");
    moved.status = 302;
    moved.location = "/exim-moved?searchdate=20240304";
    QTest::newRow("redirect on the same server") << moved << vcb << ecb << QByteArray() << ready << values << 1;
    QTest::newRow("second opinion differs") << exim << vcb << json(FeedAnswers::ecb(QStringLiteral("1560.00")))
                                            << QByteArray() << ready << QStringLiteral("disagrees 0 ecb 3.58") << 1;
    QTest::newRow("second opinion not published") << exim << vcb << json("") << QByteArray() << ready << values << 1;
}

void TstRateFeed::day()
{
    QFETCH(Reply, exim);
    QFETCH(Reply, vcb);
    QFETCH(Reply, ecb);
    QFETCH(QByteArray, ini);
    QFETCH(int, state);
    QFETCH(QString, expect);
    QFETCH(int, eximAsked);

    m_replies = {{QStringLiteral("/exim"), exim},
                 {QStringLiteral("/exim-moved"), json(FeedAnswers::exim())},
                 {QStringLiteral("/vcb"), vcb},
                 {QStringLiteral("/ecb"), ecb}};
    m_http->targets.clear();
    QHash<QString, QString> reg;
    if (QByteArray(QTest::currentDataTag()) == "rules of the office")
        reg = {{QStringLiteral("REG_FEED_USD"), QStringLiteral("eximbank USD tts")},
               {QStringLiteral("REG_FEED_VND"), QStringLiteral("vietcombank USD sell")},
               {QStringLiteral("REG_FEED_CHECK_USD"), QStringLiteral("-")},
               {QStringLiteral("REG_FEED_CHECK_KRW"), QStringLiteral("-")}};
    const RateFeed::Config cfg = config(m_http->port(), QStringLiteral("http"), reg, ini);
    QVERIFY2(cfg.problems.isEmpty(), qPrintable(cfg.problems.join(u'\n')));
    const RateFeed::Run run = RateFeed::fetch(cfg, QDate(2024, 3, 4), QDate(2024, 3, 4));
    QCOMPARE(run.days.size(), 1);
    const Day &d = run.days.first();
    QCOMPARE(int(d.state), state);
    if (d.state == Day::State::Ready && d.disagreements.isEmpty()) {
        QStringList v;
        for (int c = 0; c < 3; ++c)
            v << QString::number(d.value[size_t(c)].value_or(-1), 'f', c == 2 ? 7 : (c == 0 ? 2 : 0));
        QCOMPARE(v.join(u' '), expect);
        QCOMPARE(d.sources, QStringLiteral("eximbank+vietcombank"));
    } else if (!d.disagreements.isEmpty()) {
        const RateFeed::Disagreement &x = d.disagreements.first();
        QCOMPARE(QStringLiteral("disagrees %1 %2 %3").arg(x.column).arg(x.by).arg(x.percent, 0, 'f', 2), expect);
        QCOMPARE(d.disagreements.size(), 1); // vietcombank's dollar over its won agrees with eximbank
    } else {
        QVERIFY2(d.note.contains(expect), qPrintable(d.note));
    }
    int asked = 0;
    for (const QString &t : std::as_const(m_http->targets))
        asked += t.startsWith(QLatin1String("/exim?")) ? 1 : 0;
    QCOMPARE(asked, eximAsked);
    // the key goes to the service and nowhere else
    QVERIFY(m_http->targets.first().contains(QString::fromLatin1(QUrl::toPercentEncoding(Key))));
    QVERIFY(!d.note.contains(Key));
    QVERIFY(!d.note.contains(QString::fromLatin1(QUrl::toPercentEncoding(Key))));
}

void TstRateFeed::tls_data()
{
    QTest::addColumn<QString>("leaf"); // the server's certificate
    QTest::addColumn<bool>("trustTestCa");
    QTest::addColumn<bool>("toPlainHttp"); // the answer redirects to http://
    QTest::addColumn<QString>("expect");
    QTest::newRow("the office's CA file") << "server" << true << false << QString();
    QTest::newRow("only the system's certificates")
        << "server" << false << false << QStringLiteral("의 인증서를 확인할 수 없어 연결하지 않았습니다");
    QTest::newRow("a certificate of another CA")
        << "other" << true << false << QStringLiteral("의 인증서를 확인할 수 없어 연결하지 않았습니다");
    QTest::newRow("redirect to plain http refused")
        << "server" << true << true << QStringLiteral("암호화되지 않은 주소로 옮기라고 하여 따르지 않았습니다");
}

void TstRateFeed::tls()
{
    QFETCH(QString, leaf);
    QFETCH(bool, trustTestCa);
    QFETCH(bool, toPlainHttp);
    QFETCH(QString, expect);
    if (!m_certs)
        m_certs = std::make_unique<LocalHttp::Certificates>();
    QVERIFY2(m_certs->ok, "openssl could not make the test certificates");
    const QSslConfiguration serverSide = m_certs->serverConfig(leaf.toLatin1().constData());
    m_replies = {{QStringLiteral("/exim"), json(FeedAnswers::exim())},
                 {QStringLiteral("/vcb"), json(FeedAnswers::vcbJson())},
                 {QStringLiteral("/ecb"), json(FeedAnswers::ecb())}};
    if (toPlainHttp) {
        Reply r = json("");
        r.status = 301;
        r.location = "http://127.0.0.1:" + QByteArray::number(m_http->port()) + "/exim";
        m_replies.insert(QStringLiteral("/exim"), r);
    }
    LocalHttp::Server https([this](const QString &t) { return m_replies.value(t.section(u'?', 0, 0)); }, &serverSide);
    QHash<QString, QString> reg;
    if (trustTestCa)
        reg.insert(QStringLiteral("REG_FEED_CAFILE"), m_certs->path("ca.pem"));
    reg.insert(QStringLiteral("REG_FEED_TIMEOUT"), QStringLiteral("5"));
    m_http->targets.clear();
    const RateFeed::Run run =
        RateFeed::fetch(config(https.port(), QStringLiteral("https"), reg), QDate(2024, 3, 4), QDate(2024, 3, 4));
    QCOMPARE(run.days.size(), 1);
    const Day &d = run.days.first();
    if (expect.isEmpty()) {
        QVERIFY2(d.state == Day::State::Ready, qPrintable(d.note));
        QCOMPARE(*d.value[0], 1385.5);
    } else {
        QCOMPARE(int(d.state), int(Day::State::Failed));
        QVERIFY2(d.note.contains(expect), qPrintable(d.note));
        QVERIFY(m_http->targets.isEmpty()); // nothing went out unencrypted
    }
}

void TstRateFeed::period()
{
    m_replies = {{QStringLiteral("/exim"), json(FeedAnswers::exim())},
                 {QStringLiteral("/vcb"), json(FeedAnswers::vcbJson())},
                 {QStringLiteral("/ecb"), json(FeedAnswers::ecb())}};
    m_http->targets.clear();
    const RateFeed::Config cfg = config(m_http->port());
    QList<int> progress;
    // Friday to Monday: the weekend is not asked
    const RateFeed::Run run =
        RateFeed::fetch(cfg, QDate(2024, 3, 1), QDate(2024, 3, 4), [&progress](int done, int) { progress << done; });
    QCOMPARE(progress, (QList<int>{1, 2, 3, 4}));
    QCOMPARE(run.days.size(), 4);
    QCOMPARE(int(run.days[1].state), int(Day::State::Unpublished));
    QCOMPARE(run.days[1].note, QStringLiteral("주말"));
    QCOMPARE(int(run.days[2].state), int(Day::State::Unpublished));
    // one request a service and day, the 90-day file once
    QCOMPARE(m_http->targets.size(), 2 * 2 + 1);
    QCOMPARE(run.requests, 5);

    const RateFeed::Run tooLong = RateFeed::fetch(cfg, QDate(2024, 1, 1), QDate(2025, 1, 1));
    QVERIFY(tooLong.days.isEmpty());
    QCOMPARE(tooLong.problems,
             QStringList{QStringLiteral("한 번에 366일까지 받을 수 있습니다. 기간을 나누어 받으십시오.")});
}

void TstRateFeed::proxyFromRegistry()
{
    // the services' addresses lead nowhere; only the office's proxy (this server) can answer
    LocalHttp::Server proxy([](const QString &target) {
        Reply r;
        if (target.startsWith(QLatin1String("http://127.0.0.1:1/exim?")))
            r.body = FeedAnswers::exim();
        else if (target.startsWith(QLatin1String("http://127.0.0.1:1/vcb?")))
            r.body = FeedAnswers::vcbJson();
        else
            r.status = 404;
        return r;
    });
    const RateFeed::Config cfg =
        config(1, QStringLiteral("http"),
               {{QStringLiteral("REG_FEED_PROXY"), QStringLiteral("http://127.0.0.1:%1").arg(proxy.port())},
                {QStringLiteral("REG_FEED_CHECK_USD"), QStringLiteral("-")}});
    const RateFeed::Run run = RateFeed::fetch(cfg, QDate(2024, 3, 4), QDate(2024, 3, 4));
    QCOMPARE(run.days.size(), 1);
    QVERIFY2(run.days.first().state == Day::State::Ready, qPrintable(run.days.first().note));
    QCOMPARE(*run.days.first().value[1], 24590.0);
    QCOMPARE(proxy.targets.size(), 2);
}

void TstRateFeed::answerTooLarge()
{
    // a page of 6 MB where a few kilobytes are expected is not read
    QByteArray big = FeedAnswers::exim();
    big.append(QByteArray(6 * 1024 * 1024, ' '));
    m_replies = {{QStringLiteral("/exim"), json(big)},
                 {QStringLiteral("/vcb"), json(FeedAnswers::vcbJson())},
                 {QStringLiteral("/ecb"), json(FeedAnswers::ecb())}};
    const RateFeed::Config cfg =
        config(m_http->port(), QStringLiteral("http"), {{QStringLiteral("REG_FEED_TIMEOUT"), QStringLiteral("10")}});
    const RateFeed::Run run = RateFeed::fetch(cfg, QDate(2024, 3, 4), QDate(2024, 3, 4));
    QCOMPARE(run.days.size(), 1);
    QCOMPARE(int(run.days.first().state), int(Day::State::Failed));
    QVERIFY2(run.days.first().note.contains(QStringLiteral("의 응답이 5MB 를 넘어 받지 않았습니다")),
             qPrintable(run.days.first().note));
}

void TstRateFeed::configuration_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("problem");
    QTest::newRow("no key") << "REG_FEED_KEY_EXIMBANK"
                            << ""
                            << "한국수출입은행 의 인증키가 없습니다. registry.ini 의 [SOFTWARE\\ZEVARU] 에 "
                               "REG_FEED_KEY_EXIMBANK=발급받은 키 를 넣으십시오.";
    QTest::newRow("a rule that cannot be read") << "REG_FEED_USD"
                                                << "eximbank USD"
                                                << "registry.ini 의 REG_FEED_USD : 규칙 'eximbank USD' 을 읽을 수 "
                                                   "없습니다. '서비스 통화 항목' 또는 '서비스 통화 항목 / 서비스 통화 "
                                                   "항목' 으로 쓰십시오 (숫자 하나도 됩니다).";
    QTest::newRow("an unknown service") << "REG_FEED_VND"
                                        << "mybank USD mid"
                                        << "registry.ini 의 REG_FEED_VND : rate-sources.ini 에 'mybank' 가 없습니다.";
}

void TstRateFeed::configuration()
{
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, problem);
    const RateFeed::Config cfg = config(m_http->port(), QStringLiteral("http"), {{name, value}});
    QCOMPARE(cfg.problems, QStringList{problem});
    m_http->targets.clear();
    const RateFeed::Run run = RateFeed::fetch(cfg, QDate(2024, 3, 4), QDate(2024, 3, 4));
    QVERIFY(run.days.isEmpty());
    QVERIFY(m_http->targets.isEmpty()); // nothing asked on a configuration that cannot work
}

QTEST_GUILESS_MAIN(TstRateFeed)
#include "tst_ratefeed.moc"
