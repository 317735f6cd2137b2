#include "rate/ratesources.h"

#include <QFile>
#include <QRegularExpression>

namespace RateSources {

bool Source::wholePeriod() const
{
    return !url.contains(QLatin1String("{yyyyMMdd}")) && !url.contains(QLatin1String("{yyyy-MM-dd}"));
}

QMap<QString, QMap<QString, QString>> parseIni(const QString &text)
{
    QMap<QString, QMap<QString, QString>> out;
    QString section;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toLower();
            out[section];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || section.isEmpty())
            continue;
        out[section].insert(line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed());
    }
    return out;
}

QString builtInText()
{
    QFile f(QStringLiteral(":/zozura/rate-sources.ini"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QMap<QString, Source> sourcesFrom(const QString &builtInText, const QString &overrideText, QStringList *problems)
{
    QMap<QString, QMap<QString, QString>> ini = parseIni(builtInText);
    const auto over = parseIni(overrideText);
    for (auto it = over.cbegin(); it != over.cend(); ++it)
        for (auto kv = it->cbegin(); kv != it->cend(); ++kv)
            ini[it.key()].insert(kv.key(), kv.value());

    QMap<QString, Source> out;
    for (auto it = ini.cbegin(); it != ini.cend(); ++it) {
        const QMap<QString, QString> &v = *it;
        Source s;
        s.id = it.key();
        s.name = v.value(QStringLiteral("name"), s.id);
        s.url = v.value(QStringLiteral("url"));
        s.keyValue = v.value(QStringLiteral("key"));
        s.rows = v.value(QStringLiteral("rows"));
        s.code = v.value(QStringLiteral("code"));
        s.day = v.value(QStringLiteral("day"));
        s.answerDay = v.value(QStringLiteral("answerday"));
        s.status = v.value(QStringLiteral("status"));
        s.statusOk = v.value(QStringLiteral("status.ok"));
        for (auto kv = v.cbegin(); kv != v.cend(); ++kv)
            if (kv.key().startsWith(QLatin1String("status.")) && kv.key() != u"status.ok")
                s.statusText.insert(kv.key().mid(7), kv.value());
        const QString format = v.value(QStringLiteral("format")).toLower();
        QString problem;
        if (format == u"json")
            s.format = Format::Json;
        else if (format == u"xml")
            s.format = Format::Xml;
        else if (format == u"csv")
            s.format = Format::Csv;
        else
            problem = QStringLiteral("format 은 json, xml, csv 중 하나여야 합니다");
        if (s.url.isEmpty())
            problem = QStringLiteral("url 이 없습니다");
        else if (s.code.isEmpty())
            problem = QStringLiteral("code 가 없습니다");
        else if (s.format == Format::Xml && s.rows.isEmpty())
            problem = QStringLiteral("rows 가 없습니다");
        if (!problem.isEmpty()) {
            if (problems)
                *problems << QStringLiteral("rate-sources.ini 의 [%1] : %2.").arg(s.id, problem);
            continue;
        }
        out.insert(s.id, s);
    }
    return out;
}

QString Term::text() const
{
    if (source.isEmpty())
        return QString::number(constant, 'g', 15);
    return source + u' ' + code + u' ' + field;
}

QString Rule::text() const
{
    return bottom ? top.text() + QStringLiteral(" / ") + bottom->text() : top.text();
}

QStringList Rule::sources() const
{
    QStringList out;
    for (const Term *t : {&top, bottom ? &*bottom : nullptr})
        if (t && !t->source.isEmpty() && !out.contains(t->source))
            out << t->source;
    return out;
}

namespace {

std::optional<Term> parseTerm(const QString &text)
{
    const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
    Term t;
    if (words.size() == 1) {
        bool ok = false;
        t.constant = words.first().toDouble(&ok);
        if (ok && t.constant != 0)
            return t;
        return std::nullopt;
    }
    if (words.size() != 3)
        return std::nullopt;
    t.source = words[0].toLower();
    t.code = words[1];
    t.field = words[2];
    return t;
}

} // namespace

std::optional<Rule> parseRule(const QString &text, QString *problem)
{
    const QStringList parts = text.split(u'/');
    Rule r;
    std::optional<Term> top = parts.size() <= 2 ? parseTerm(parts.value(0)) : std::nullopt;
    std::optional<Term> bottom = parts.size() == 2 ? parseTerm(parts.value(1)) : std::nullopt;
    if (!top || (parts.size() == 2 && !bottom) || (top->source.isEmpty() && (!bottom || bottom->source.isEmpty()))) {
        if (problem)
            *problem = QStringLiteral("규칙 '%1' 을 읽을 수 없습니다. '서비스 통화 항목' 또는 "
                                      "'서비스 통화 항목 / 서비스 통화 항목' 으로 쓰십시오 (숫자 하나도 됩니다).")
                           .arg(text.trimmed());
        return std::nullopt;
    }
    r.top = *top;
    r.bottom = bottom;
    return r;
}

QString ruleValueName(int column)
{
    static const char *const names[ColumnCount] = {"REG_FEED_USD", "REG_FEED_VND", "REG_FEED_KRW"};
    return QString::fromLatin1(names[column]);
}

QString checkValueName(int column)
{
    static const char *const names[ColumnCount] = {"REG_FEED_CHECK_USD", "REG_FEED_CHECK_VND", "REG_FEED_CHECK_KRW"};
    return QString::fromLatin1(names[column]);
}

QString defaultRule(int column)
{
    static const char *const rules[ColumnCount] = {"eximbank USD deal_bas_r", "vietcombank USD transfer",
                                                   "1 / vietcombank KRW transfer"};
    return QString::fromLatin1(rules[column]);
}

QString defaultChecks(int column)
{
    // won per dollar from the euro's two rates and from the dong's; won per dong from the won's
    // dollar over the dong's
    static const char *const checks[ColumnCount] = {
        "ecb KRW rate / ecb USD rate; vietcombank USD transfer / vietcombank KRW transfer", "",
        "eximbank USD deal_bas_r / vietcombank USD transfer"};
    return QString::fromLatin1(checks[column]);
}

std::optional<Rules> rulesFrom(const std::function<QString(const QString &)> &registry, QStringList *problems)
{
    Rules rules;
    bool ok = true;
    for (int c = 0; c < ColumnCount; ++c) {
        QString text = registry(ruleValueName(c)).trimmed();
        if (text.isEmpty())
            text = defaultRule(c);
        QString problem;
        if (const std::optional<Rule> r = parseRule(text, &problem)) {
            rules.value[size_t(c)] = *r;
        } else {
            ok = false;
            if (problems)
                *problems << QStringLiteral("registry.ini 의 %1 : ").arg(ruleValueName(c)) + problem;
        }
        QString checks = registry(checkValueName(c)).trimmed();
        if (checks.isEmpty())
            checks = defaultChecks(c);
        if (checks == u"-") // an office that wants no second opinion
            continue;
        for (const QString &one : checks.split(u';', Qt::SkipEmptyParts)) {
            if (const std::optional<Rule> r = parseRule(one, &problem)) {
                rules.checks[size_t(c)] << *r;
            } else {
                ok = false;
                if (problems)
                    *problems << QStringLiteral("registry.ini 의 %1 : ").arg(checkValueName(c)) + problem;
            }
        }
    }
    if (!ok)
        return std::nullopt;
    return rules;
}

} // namespace RateSources
