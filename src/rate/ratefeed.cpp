#include "rate/ratefeed.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QSslError>
#include <QTimer>
#include <QXmlStreamReader>

#include <cmath>

namespace RateFeed {

using RateSources::Format;
using RateSources::Rule;
using RateSources::Source;
using RateSources::Term;

namespace {

double secondsValue(const QString &text, double fallback)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && v >= 0 ? v : fallback;
}

} // namespace

Config configFrom(const std::function<QString(const QString &)> &registry, const QString &systemDir)
{
    Config c;
    Settings &s = c.settings;
    s.timeoutMs = int(secondsValue(registry(QStringLiteral("REG_FEED_TIMEOUT")), 15) * 1000);
    if (s.timeoutMs <= 0)
        s.timeoutMs = 15000;
    s.backoffMs = int(secondsValue(registry(QStringLiteral("REG_FEED_BACKOFF")), 1) * 1000);
    s.tolerancePercent = secondsValue(registry(QStringLiteral("REG_FEED_TOLERANCE")), 1);
    s.proxy = registry(QStringLiteral("REG_FEED_PROXY")).trimmed();
    s.caFile = registry(QStringLiteral("REG_FEED_CAFILE")).trimmed();
    if (!s.caFile.isEmpty() && QFileInfo(s.caFile).isRelative())
        s.caFile = systemDir + u'/' + s.caFile;
    if (!s.caFile.isEmpty() && !QFileInfo(s.caFile).isReadable())
        c.problems << QStringLiteral("registry.ini 의 REG_FEED_CAFILE 인증서 파일을 읽을 수 없습니다: ") + s.caFile;

    QString overrideText;
    QFile over(systemDir + QStringLiteral("/rate-sources.ini"));
    if (over.exists()) {
        if (over.size() > 256LL * 1024 || !over.open(QIODevice::ReadOnly))
            c.problems << QStringLiteral("시스템 폴더의 rate-sources.ini 를 읽을 수 없습니다.");
        else
            overrideText = QString::fromUtf8(over.readAll());
    }
    c.sources = RateSources::sourcesFrom(RateSources::builtInText(), overrideText, &c.problems);
    if (const std::optional<RateSources::Rules> rules = RateSources::rulesFrom(registry, &c.problems))
        c.rules = *rules;
    else
        return c;

    for (int col = 0; col < RateSources::ColumnCount; ++col) {
        for (const QString &id : c.rules.value[size_t(col)].sources()) {
            if (!c.sources.contains(id)) {
                c.problems << QStringLiteral("registry.ini 의 %1 : rate-sources.ini 에 '%2' 가 없습니다.")
                                  .arg(RateSources::ruleValueName(col), id);
                continue;
            }
            const Source &src = c.sources[id];
            if (!src.keyValue.isEmpty() && registry(src.keyValue).trimmed().isEmpty())
                c.problems << QStringLiteral("%1 의 인증키가 없습니다. registry.ini 의 [SOFTWARE\\ZEVARU] 에 "
                                             "%2=발급받은 키 를 넣으십시오.")
                                  .arg(src.name, src.keyValue);
        }
        for (const Rule &r : c.rules.checks[size_t(col)])
            for (const QString &id : r.sources())
                if (!c.sources.contains(id))
                    c.problems << QStringLiteral("registry.ini 의 %1 : rate-sources.ini 에 '%2' 가 없습니다.")
                                      .arg(RateSources::checkValueName(col), id);
    }
    for (const Source &src : std::as_const(c.sources))
        if (!src.keyValue.isEmpty())
            c.keys.insert(src.id, registry(src.keyValue).trimmed());
    return c;
}

std::optional<double> number(const QString &text)
{
    QString t = text.trimmed();
    t.remove(u',');
    t.remove(u' ');
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

namespace {

const QRegularExpression &unitPattern()
{
    static const QRegularExpression re(QStringLiteral("^(.*?)\\s*\\((\\d+)\\)$"));
    return re;
}

// "JPY(100)" -> "JPY", 100
QString codeAndUnit(const QString &raw, double *unit)
{
    *unit = 1;
    const QRegularExpressionMatch m = unitPattern().match(raw.trimmed());
    if (!m.hasMatch())
        return raw.trimmed();
    const double u = m.captured(2).toDouble();
    if (u > 0)
        *unit = u;
    return m.captured(1);
}

QString dayKey(const QString &raw)
{
    QString t = raw.trimmed().left(10);
    if (t.size() == 8 && !t.contains(u'-') && !t.contains(u'/'))
        return t.left(4) + u'-' + t.mid(4, 2) + u'-' + t.mid(6, 2);
    t.replace(u'/', u'-');
    return t;
}

bool looksLikeHtml(const QByteArray &body)
{
    const QByteArray head = body.left(1024).trimmed().toLower();
    return head.startsWith("<!doctype html") || head.startsWith("<html") || head.contains("<html")
        || head.contains("<body");
}

Parsed empty()
{
    Parsed p;
    p.state = Parsed::State::Empty;
    return p;
}

Parsed failed(const QString &why)
{
    Parsed p;
    p.state = Parsed::State::Failed;
    p.failure = why;
    return p;
}

QString htmlFailure()
{
    return QStringLiteral("환율 대신 웹 페이지(HTML)가 왔습니다. 서비스가 점검 중이거나 주소가 바뀌었을 수 있습니다. "
                          "잠시 후 다시 받고, 계속되면 rate-sources.ini 의 url 을 확인하십시오.");
}

QString unreadableFailure(const QString &format)
{
    return QStringLiteral("응답을 %1 로 읽을 수 없습니다(중간에 끊겼을 수 있습니다). 잠시 후 다시 받으십시오.")
        .arg(format);
}

QString changedFailure(const QString &field)
{
    return QStringLiteral("응답의 형식이 바뀌었습니다: '%1' 항목이 없습니다. rate-sources.ini 를 확인하십시오.")
        .arg(field);
}

double jsonNumber(const QJsonValue &v, bool *ok)
{
    *ok = false;
    if (v.isDouble()) {
        *ok = true;
        return v.toDouble();
    }
    if (v.isString())
        if (const std::optional<double> d = number(v.toString())) {
            *ok = true;
            return *d;
        }
    return 0;
}

QString jsonText(const QJsonValue &v)
{
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

Parsed parseJson(const Source &s, const QByteArray &body)
{
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(body, &err);
    if (err.error != QJsonParseError::NoError)
        return failed(unreadableFailure(QStringLiteral("JSON")));
    QJsonValue at = doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
    for (const QString &part : s.rows.split(u'.', Qt::SkipEmptyParts)) {
        at = at.toObject().value(part);
        if (at.isUndefined())
            return failed(changedFailure(part));
    }
    if (at.isNull())
        return empty();
    if (!at.isArray())
        return failed(changedFailure(s.rows.isEmpty() ? QStringLiteral("[ ]") : s.rows));
    const QJsonArray rows = at.toArray();
    Parsed p;
    if (!s.answerDay.isEmpty() && doc.isObject() && doc.object().contains(s.answerDay))
        p.answerDay = dayKey(jsonText(doc.object().value(s.answerDay)));
    for (const auto &rv : rows) {
        const QJsonObject o = rv.toObject();
        if (!s.status.isEmpty() && o.contains(s.status)) {
            const QString code = jsonText(o.value(s.status));
            if (code != s.statusOk) {
                Parsed refused = failed(
                    s.statusText.value(code,
                                       QStringLiteral("%1 이(가) 결과 코드 %2 를 보냈습니다. 잠시 후 다시 받으십시오.")
                                           .arg(s.name, code)));
                refused.refusedByService = true;
                return refused;
            }
        }
        if (!o.contains(s.code))
            return failed(changedFailure(s.code));
        if (!o.value(s.code).isString())
            continue;
        double unit = 1;
        const QString code = codeAndUnit(o.value(s.code).toString(), &unit);
        const QString day = s.day.isEmpty() ? QString() : dayKey(jsonText(o.value(s.day)));
        auto &fields = p.values[day][code];
        for (auto it = o.begin(); it != o.end(); ++it) {
            bool ok = false;
            const double v = jsonNumber(it.value(), &ok);
            if (ok && it.key() != s.code && it.key() != s.status)
                fields.insert(it.key(), v / unit);
        }
    }
    p.state = p.values.isEmpty() ? Parsed::State::Empty : Parsed::State::Ok;
    return p;
}

Parsed parseXml(const Source &s, const QByteArray &body)
{
    QXmlStreamReader xml(body);
    QStringList dayStack;
    Parsed p;
    int rowElements = 0;
    bool otherAttributes = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType t = xml.readNext();
        if (t == QXmlStreamReader::StartElement) {
            const QXmlStreamAttributes attrs = xml.attributes();
            QString day = dayStack.isEmpty() ? QString() : dayStack.last();
            if (!s.day.isEmpty() && attrs.hasAttribute(s.day))
                day = dayKey(attrs.value(s.day).toString());
            dayStack << day;
            if (xml.name() != s.rows)
                continue;
            ++rowElements;
            if (!attrs.hasAttribute(s.code)) {
                for (const QXmlStreamAttribute &a : attrs)
                    otherAttributes = otherAttributes || a.name() != s.day;
                continue;
            }
            double unit = 1;
            const QString code = codeAndUnit(attrs.value(s.code).toString(), &unit);
            auto &fields = p.values[s.day.isEmpty() ? QString() : day][code];
            for (const QXmlStreamAttribute &a : attrs)
                if (const std::optional<double> v = number(a.value().toString()); v && a.name() != s.code)
                    fields.insert(a.name().toString(), *v / unit);
        } else if (t == QXmlStreamReader::EndElement) {
            if (!dayStack.isEmpty())
                dayStack.removeLast();
        }
    }
    if (xml.hasError())
        return failed(unreadableFailure(QStringLiteral("XML")));
    if (!p.values.isEmpty()) {
        p.state = Parsed::State::Ok;
        return p;
    }
    if (rowElements == 0 || otherAttributes)
        return failed(changedFailure(rowElements == 0 ? s.rows : s.code));
    return empty();
}

QStringList csvFields(const QString &line)
{
    QStringList out;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar ch = line.at(i);
        if (quoted) {
            if (ch == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"')
                cur += line.at(++i);
            else if (ch == u'"')
                quoted = false;
            else
                cur += ch;
        } else if (ch == u'"') {
            quoted = true;
        } else if (ch == u',') {
            out << cur.trimmed();
            cur.clear();
        } else {
            cur += ch;
        }
    }
    out << cur.trimmed();
    return out;
}

// One line a rate with a column naming the currency, or (code=*) one line a day with a column a
// currency, each value then under the field "rate".
Parsed parseCsv(const Source &s, const QByteArray &body)
{
    QStringList lines = QString::fromUtf8(body).split(u'\n');
    for (QString &l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    lines.removeAll(QString());
    if (lines.isEmpty())
        return empty();
    const QStringList head = csvFields(lines.first());
    const bool wide = s.code == u"*";
    const qsizetype codeCol = wide ? -1 : head.indexOf(s.code);
    const qsizetype dayCol = s.day.isEmpty() ? -1 : head.indexOf(s.day);
    if (!wide && codeCol < 0)
        return failed(changedFailure(s.code));
    if (!s.day.isEmpty() && dayCol < 0)
        return failed(changedFailure(s.day));
    Parsed p;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList f = csvFields(lines[i]);
        if (f.size() != head.size())
            return failed(unreadableFailure(QStringLiteral("CSV")));
        const QString day = dayCol >= 0 ? dayKey(f[dayCol]) : QString();
        for (qsizetype c = 0; c < f.size(); ++c) {
            if (c == dayCol || c == codeCol)
                continue;
            const std::optional<double> v = number(f[c]);
            if (!v)
                continue;
            if (wide) {
                double unit = 1;
                p.values[day][codeAndUnit(head[c], &unit)].insert(QStringLiteral("rate"), *v / unit);
            } else {
                double unit = 1;
                const QString code = codeAndUnit(f[codeCol], &unit);
                p.values[day][code].insert(head[c], *v / unit);
            }
        }
    }
    p.state = p.values.isEmpty() ? Parsed::State::Empty : Parsed::State::Ok;
    return p;
}

} // namespace

Parsed parse(const Source &source, const QByteArray &body)
{
    if (looksLikeHtml(body))
        return failed(htmlFailure());
    if (body.trimmed().isEmpty())
        return empty();
    switch (source.format) {
    case Format::Json:
        return parseJson(source, body);
    case Format::Xml:
        return parseXml(source, body);
    case Format::Csv:
        return parseCsv(source, body);
    }
    return failed(unreadableFailure(QStringLiteral("?")));
}

QUrl urlFor(const Source &source, const QDate &day, const QString &key)
{
    QString u = source.url;
    u.replace(QLatin1String("{key}"), QString::fromLatin1(QUrl::toPercentEncoding(key)));
    u.replace(QLatin1String("{yyyyMMdd}"), day.toString(QStringLiteral("yyyyMMdd")));
    u.replace(QLatin1String("{yyyy-MM-dd}"), day.toString(QStringLiteral("yyyy-MM-dd")));
    return QUrl(u);
}

QString withoutKeys(const Config &config, QString text)
{
    for (const QString &key : config.keys) {
        if (key.isEmpty())
            continue;
        text.replace(key, QStringLiteral("****"));
        text.replace(QString::fromLatin1(QUrl::toPercentEncoding(key)), QStringLiteral("****"));
    }
    return text;
}

// ---- the network ----

Fetcher::Fetcher(const Settings &settings)
    : m_settings(settings)
    , m_nam(std::make_unique<QNetworkAccessManager>())
{
    if (!settings.proxy.isEmpty()) {
        const QUrl p = QUrl::fromUserInput(settings.proxy);
        m_nam->setProxy(QNetworkProxy(p.scheme() == u"socks5" ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy,
                                      p.host(), quint16(p.port(8080)), p.userName(), p.password()));
    } else {
        // the desktop's setting, else http_proxy / https_proxy / no_proxy
        QNetworkProxyFactory::setUseSystemConfiguration(true);
    }
    m_nam->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

Fetcher::~Fetcher() = default;

Answer Fetcher::get(const QUrl &url)
{
    Answer a;
    int wait = m_settings.backoffMs;
    for (int attempt = 1; attempt <= m_settings.tries; ++attempt) {
        a = once(url);
        if (a.ok || !a.retry || attempt == m_settings.tries)
            break;
        QEventLoop loop;
        QTimer::singleShot(wait, &loop, &QEventLoop::quit);
        loop.exec();
        wait *= 2;
    }
    return a;
}

Answer Fetcher::once(const QUrl &url)
{
    ++m_requests;
    QNetworkRequest req(url);
    req.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("ZOZURA-rates/1"));
    req.setMaximumRedirectsAllowed(5);
    if (!m_settings.caFile.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(m_settings.caFile, QSsl::Pem);
        req.setSslConfiguration(ssl);
    }
    QNetworkReply *reply = m_nam->get(req);
    QEventLoop loop;
    bool timedOut = false;
    bool tooBig = false;
    QStringList sslWords;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [&](qint64 got, qint64 total) {
        if (got > m_settings.maxBytes || total > m_settings.maxBytes) {
            tooBig = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::sslErrors, reply, [&](const QList<QSslError> &errors) {
        for (const QSslError &e : errors)
            sslWords << e.errorString();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(m_settings.timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    timer.stop();

    Answer a;
    const QString host = reply->url().host().isEmpty() ? url.host() : reply->url().host();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    if (timedOut) {
        a.failure = QStringLiteral("%1 의 응답이 %2초 안에 오지 않았습니다. 잠시 후 다시 받으십시오.")
                        .arg(host)
                        .arg(m_settings.timeoutMs / 1000.0, 0, 'g', 3);
        a.retry = true;
    } else if (tooBig) {
        a.failure =
            QStringLiteral("%1 의 응답이 %2MB 를 넘어 받지 않았습니다. rate-sources.ini 의 url 을 확인하십시오.")
                .arg(host)
                .arg(m_settings.maxBytes / (1024LL * 1024));
    } else if (status >= 400) {
        a.failure = status >= 500
            ? QStringLiteral("%1 서버에 문제가 있습니다 (HTTP %2). 잠시 후 다시 받으십시오.").arg(host).arg(status)
            : QStringLiteral("%1 가 요청을 받지 않았습니다 (HTTP %2). rate-sources.ini 의 url 과 registry.ini 의 "
                             "인증키를 확인하십시오.")
                  .arg(host)
                  .arg(status);
        a.retry = status >= 500 || status == 408;
    } else if (error == QNetworkReply::NoError) {
        a.body = reply->readAll();
        if (a.body.size() > m_settings.maxBytes) {
            a.body.clear();
            a.failure = QStringLiteral("%1 의 응답이 %2MB 를 넘어 받지 않았습니다.")
                            .arg(host)
                            .arg(m_settings.maxBytes / (1024LL * 1024));
        } else {
            a.ok = true;
        }
    } else {
        switch (error) {
        case QNetworkReply::HostNotFoundError:
            a.failure = QStringLiteral("서버 이름 %1 을(를) 찾을 수 없습니다. 인터넷 연결을 확인하고, 계속되면 "
                                       "rate-sources.ini 의 url 을 확인하십시오.")
                            .arg(host);
            break;
        case QNetworkReply::SslHandshakeFailedError:
            a.failure =
                QStringLiteral("%1 의 인증서를 확인할 수 없어 연결하지 않았습니다 (%2). 컴퓨터의 날짜와 "
                               "시각을 확인하고, 회사망이 인증서를 바꾼다면 전산 담당자에게 "
                               "registry.ini 의 REG_FEED_CAFILE 을 문의하십시오.")
                    .arg(host, sslWords.isEmpty() ? QStringLiteral("TLS") : sslWords.join(QStringLiteral(", ")));
            break;
        case QNetworkReply::InsecureRedirectError:
            a.failure = QStringLiteral("%1 가 암호화되지 않은 주소로 옮기라고 하여 따르지 않았습니다. "
                                       "rate-sources.ini 의 url 을 확인하십시오.")
                            .arg(host);
            break;
        case QNetworkReply::TooManyRedirectsError:
            a.failure = QStringLiteral("%1 가 다른 주소로 너무 여러 번 옮기라고 했습니다. rate-sources.ini 의 url 을 "
                                       "확인하십시오.")
                            .arg(host);
            break;
        case QNetworkReply::ProxyConnectionRefusedError:
        case QNetworkReply::ProxyConnectionClosedError:
        case QNetworkReply::ProxyNotFoundError:
        case QNetworkReply::ProxyTimeoutError:
        case QNetworkReply::ProxyAuthenticationRequiredError:
            a.failure = QStringLiteral("프록시 서버에 연결할 수 없습니다. registry.ini 의 REG_FEED_PROXY 또는 "
                                       "시스템의 프록시 설정을 확인하십시오.");
            a.retry = true;
            break;
        default:
            a.failure = QStringLiteral("%1 에 연결할 수 없습니다. 인터넷(네트워크) 연결을 확인하고 잠시 후 다시 "
                                       "받으십시오.")
                            .arg(host);
            a.retry = true;
            break;
        }
    }
    reply->deleteLater();
    return a;
}

// ---- a run ----

int Run::count(Day::State state) const
{
    int n = 0;
    for (const Day &d : days)
        n += d.state == state ? 1 : 0;
    return n;
}

namespace {

struct Value
{
    enum class State { Ok, Unpublished, Failed } state = State::Failed;
    double v = 0;
    QString note;
};

class Session
{
public:
    Session(const Config &config, Fetcher &fetcher)
        : m_config(config)
        , m_fetcher(fetcher)
    { }

    Value term(const Term &t, const QDate &day)
    {
        if (t.source.isEmpty())
            return {Value::State::Ok, t.constant, {}};
        const Source &src = m_config.sources[t.source];
        const QString key = src.wholePeriod() ? QString() : day.toString(Qt::ISODate);
        auto it = m_answers.find(t.source + u'|' + key);
        if (it == m_answers.end()) {
            Parsed p;
            if (const auto stop = m_stopped.constFind(t.source); stop != m_stopped.cend()) {
                p = failed(*stop);
            } else {
                const Answer a = m_fetcher.get(urlFor(src, day, m_config.keys.value(src.id)));
                p = a.ok ? parse(src, a.body) : failed(a.failure);
                // a key, a certificate or a name that failed fails every other day alike
                if (!a.ok && !a.retry)
                    m_stopped.insert(t.source, a.failure);
                else if (p.refusedByService)
                    m_stopped.insert(t.source, p.failure);
            }
            p.failure = withoutKeys(m_config, p.failure);
            it = m_answers.insert(t.source + u'|' + key, p);
        }
        const Parsed &p = *it;
        const QString who = src.name;
        if (p.state == Parsed::State::Failed)
            return {Value::State::Failed, 0, who + QStringLiteral(" : ") + p.failure};
        const QString dayKey = src.day.isEmpty() ? QString() : day.toString(Qt::ISODate);
        const bool otherDay = !p.answerDay.isEmpty() && p.answerDay != day.toString(Qt::ISODate);
        if (p.state == Parsed::State::Empty || otherDay || !p.values.contains(dayKey))
            return {Value::State::Unpublished, 0, who + QStringLiteral(" : 게시되지 않음")};
        const auto &byCode = p.values[dayKey];
        const auto code = byCode.constFind(t.code);
        if (code == byCode.cend())
            return {Value::State::Failed, 0,
                    who
                        + QStringLiteral(" : 응답에 %1 환율이 없습니다. rate-sources.ini 와 registry.ini 의 규칙을 "
                                         "확인하십시오.")
                              .arg(t.code)};
        auto field = code->constFind(t.field);
        // one rule serves a service's JSON ("transfer") and its XML ("Transfer")
        for (auto f = code->cbegin(); field == code->cend() && f != code->cend(); ++f)
            if (f.key().compare(t.field, Qt::CaseInsensitive) == 0)
                field = f;
        if (field == code->cend())
            return {Value::State::Failed, 0, who + QStringLiteral(" : ") + changedFailure(t.field)};
        return {Value::State::Ok, *field, {}};
    }

    Value rule(const Rule &r, const QDate &day)
    {
        Value top = term(r.top, day);
        if (top.state != Value::State::Ok || !r.bottom)
            return top;
        Value bottom = term(*r.bottom, day);
        if (bottom.state != Value::State::Ok)
            return bottom;
        if (bottom.v == 0)
            return {Value::State::Failed, 0,
                    QStringLiteral("규칙 '%1' 의 나누는 값이 0 입니다. 서비스의 값을 확인하십시오.").arg(r.text())};
        top.v /= bottom.v;
        return top;
    }

private:
    const Config &m_config;
    Fetcher &m_fetcher;
    QHash<QString, Parsed> m_answers; // "source|yyyy-MM-dd" (or "source|" for a whole period)
    QHash<QString, QString> m_stopped; // source -> the failure that ended its run
};

} // namespace

Run fetch(const Config &config, const QDate &from, const QDate &to, const std::function<void(int, int)> &progress,
          const std::function<bool()> &cancelled)
{
    Run run;
    run.problems = config.problems;
    run.tolerancePercent = config.settings.tolerancePercent;
    if (!from.isValid() || !to.isValid() || from > to)
        run.problems << QStringLiteral("기간이 잘못되었습니다.");
    else if (from.daysTo(to) + 1 > config.settings.maxDays)
        run.problems << QStringLiteral("한 번에 %1일까지 받을 수 있습니다. 기간을 나누어 받으십시오.")
                            .arg(config.settings.maxDays);
    if (!run.problems.isEmpty())
        return run;

    Fetcher fetcher(config.settings);
    Session session(config, fetcher);
    const int total = int(from.daysTo(to)) + 1;
    for (int i = 0; i < total; ++i) {
        Day d;
        d.day = from.addDays(i);
        if (cancelled && cancelled()) {
            d.note = QStringLiteral("받기를 멈추었습니다.");
            run.days << d;
            continue;
        }
        if (d.day.dayOfWeek() >= 6) {
            d.state = Day::State::Unpublished;
            d.note = QStringLiteral("주말");
            run.days << d;
            if (progress)
                progress(i + 1, total);
            continue;
        }
        QStringList unpublished;
        QStringList failures;
        QStringList sources;
        for (int c = 0; c < RateSources::ColumnCount; ++c) {
            const Rule &r = config.rules.value[size_t(c)];
            const Value v = session.rule(r, d.day);
            if (v.state == Value::State::Ok)
                d.value[size_t(c)] = v.v;
            else if (!(v.state == Value::State::Failed ? failures : unpublished).contains(v.note))
                (v.state == Value::State::Failed ? failures : unpublished) << v.note;
            for (const QString &s : r.sources())
                if (!sources.contains(s))
                    sources << s;
        }
        d.sources = sources.join(u'+');
        if (!failures.isEmpty()) {
            d.state = Day::State::Failed;
            d.note = failures.join(QStringLiteral(" / "));
        } else if (!unpublished.isEmpty()) {
            d.state = Day::State::Unpublished;
            d.note = unpublished.join(QStringLiteral(" / "));
        } else {
            d.state = Day::State::Ready;
            // a second source of the same quantity: a difference over the tolerance marks the day
            for (int c = 0; c < RateSources::ColumnCount; ++c) {
                for (const Rule &r : config.rules.checks[size_t(c)]) {
                    const Value other = session.rule(r, d.day);
                    if (other.state != Value::State::Ok || other.v == 0)
                        continue;
                    const double mine = *d.value[size_t(c)];
                    const double percent = std::fabs(mine - other.v) / std::fabs(other.v) * 100.0;
                    if (percent > config.settings.tolerancePercent)
                        d.disagreements.append({c, other.v, percent, r.sources().join(u'+')});
                }
            }
        }
        run.days << d;
        if (progress)
            progress(i + 1, total);
    }
    run.requests = fetcher.requestCount();
    return run;
}

} // namespace RateFeed
