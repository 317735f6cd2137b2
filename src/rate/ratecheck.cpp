#include "rate/ratecheck.h"

#include "rate/ratevalue.h"

#include "platform/spread/spreadnumber.h"
#include "platform/win/registry.h"
#include "platform/win/systemdir.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <cmath>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString HolidayWord = QStringLiteral("휴일");

// Julian day of a "YYYY/MM/DD" text; 0 for anything else. Read digit by digit: the period check
// converts every row's day.
qint64 julianOf(QStringView day)
{
    if (day.size() != 10 || day[4] != u'/' || day[7] != u'/')
        return 0;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = 0; i < lengths[p]; ++i) {
            const QChar c = day[starts[p] + i];
            if (c < u'0' || c > u'9')
                return 0;
            parts[p] = parts[p] * 10 + (c.unicode() - u'0');
        }
    }
    const QDate d(parts[0], parts[1], parts[2]);
    return d.isValid() ? d.toJulianDay() : 0;
}

QString dayText(qint64 julian)
{
    return QDate::fromJulianDay(julian).toString(QStringLiteral("yyyy/MM/dd"));
}

// A stored rate: NULL, empty or not a number is no rate at all.
std::optional<double> rateOf(const QString &field)
{
    double v = 0;
    if (field.isEmpty() || !RateValue::parse(field, &v))
        return std::nullopt;
    return v;
}

} // namespace

namespace RateCheck {

QString currencyName(int currency)
{
    switch (currency) {
    case 0:
        return QStringLiteral("미달러");
    case 1:
        return QStringLiteral("베트남동");
    case 2:
        return QStringLiteral("한국원화");
    default:
        return {};
    }
}

int currencyDecimals(int currency)
{
    static constexpr int decimals[CurrencyCount] = {2, 0, 6};
    return currency >= 0 && currency < CurrencyCount ? decimals[currency] : 0;
}

QString currencyText(int currency, double value)
{
    return SpreadNumber::format(value, currencyDecimals(currency), QLatin1Char('.'), QLatin1Char(','), true);
}

double parseLimit(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0)
        return DefaultLimitPercent;
    return v;
}

Limits limitsFrom(const std::function<QString(const QString &)> &value)
{
    static const char *names[CurrencyCount] = {"REG_JUMP_USD", "REG_JUMP_VND", "REG_JUMP_KRW"};
    Limits l;
    for (int c = 0; c < CurrencyCount; ++c)
        l.percent[size_t(c)] = parseLimit(value(QString::fromLatin1(names[c])));
    return l;
}

Limits registryLimits()
{
    return limitsFrom([](const QString &name) {
        return Registry::readValue(QStringLiteral("SOFTWARE\\ZEVARU"), name);
    });
}

bool isHolidayRemark(const QString &remark)
{
    return remark.contains(HolidayWord);
}

double changePercent(double before, double value)
{
    return (value - before) / before * 100.0;
}

bool isJump(double before, double value, double limitPercent)
{
    if (limitPercent <= 0 || before == 0)
        return false;
    if (value == 0)
        return true;
    // compared as products, with room for the last bit: a change of exactly the limit (1,000 to
    // 1,050 at 5 %) never asks
    const double change = std::fabs(value - before) * 100.0;
    const double allowed = limitPercent * std::fabs(before);
    return change > allowed * (1.0 + 1e-12);
}

QList<SaveJump> saveJumps(const std::array<double, CurrencyCount> &rates, const Neighbours &n,
                          const Limits &limits)
{
    QList<SaveJump> out;
    for (int c = 0; c < CurrencyCount; ++c) {
        for (const auto *side : {&n.earlier, &n.later}) {
            const std::optional<Neighbour> &ref = (*side)[size_t(c)];
            if (!ref || !isJump(ref->value, rates[size_t(c)], limits.percent[size_t(c)]))
                continue;
            out.append({c, *ref, rates[size_t(c)], changePercent(ref->value, rates[size_t(c)])});
            break;
        }
    }
    return out;
}

QString saveQuestionText(const SaveJump &jump)
{
    const QString direction = jump.percent >= 0 ? QStringLiteral("높습니다.") : QStringLiteral("낮습니다.");
    return currencyName(jump.currency) + QStringLiteral(" 환율이 ") + jump.reference.day + QStringLiteral(" 의 ")
           + currencyText(jump.currency, jump.reference.value) + QStringLiteral(" 보다 ")
           + QString::number(std::fabs(jump.percent), 'f', 1) + QStringLiteral("% ") + direction + CrLf
           + QStringLiteral("그래도 저장하시겠습니까?");
}

QString kindText(FindingKind kind)
{
    return kind == FindingKind::MissingDay ? QStringLiteral("빠진 날짜") : QStringLiteral("급변");
}

QSet<QString> parseHolidays(const QString &text)
{
    QSet<QString> days;
    for (QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype hash = line.indexOf(u'#');
        if (hash >= 0)
            line = line.left(hash);
        line = line.trimmed();
        if (julianOf(line) != 0)
            days.insert(line.toString());
    }
    return days;
}

QSet<QString> systemHolidays()
{
    QFile f(SystemDir::path() + QStringLiteral("/holidays.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parseHolidays(QString::fromUtf8(f.readAll()));
}

QList<Finding> periodFindings(const QString &from, const QString &to, QList<Row> rows,
                              const QSet<QString> &holidays, const Limits &limits)
{
    const qint64 first = julianOf(from);
    const qint64 last = julianOf(to);
    QList<Finding> out;
    if (first == 0 || last == 0 || first > last)
        return out;

    struct Keyed
    {
        qint64 julian;
        const Row *row;
    };
    QList<Keyed> keyed;
    keyed.reserve(rows.size());
    for (const Row &r : std::as_const(rows)) {
        const qint64 j = julianOf(r.day);
        if (j >= first && j <= last)
            keyed.append({j, &r});
    }
    // the server returns rows in its own order; the text order of the days is the day order
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) { return a.julian < b.julian; });

    std::array<std::optional<std::pair<QString, double>>, CurrencyCount> previous;
    qsizetype next = 0;
    for (qint64 j = first; j <= last; ++j) {
        const bool hasRow = next < keyed.size() && keyed[next].julian == j;
        if (!hasRow) {
            const int weekday = QDate::fromJulianDay(j).dayOfWeek();
            if (weekday <= 5) {
                const QString day = dayText(j);
                if (!holidays.contains(day))
                    out.append({day, FindingKind::MissingDay});
            }
            continue;
        }
        for (; next < keyed.size() && keyed[next].julian == j; ++next) {
            const Row &r = *keyed[next].row;
            if (isHolidayRemark(r.remark))
                continue;
            for (int c = 0; c < CurrencyCount; ++c) {
                const std::optional<double> v = rateOf(r.rates[size_t(c)]);
                if (!v)
                    continue;
                auto &prev = previous[size_t(c)];
                if (prev && isJump(prev->second, *v, limits.percent[size_t(c)]))
                    out.append({r.day, FindingKind::Jump, c, prev->first, prev->second, *v,
                                changePercent(prev->second, *v)});
                if (*v != 0)
                    prev = std::make_pair(r.day, *v);
            }
        }
    }
    return out;
}

QStringList findingColumns(const Finding &f)
{
    if (f.kind == FindingKind::MissingDay)
        return {f.day, kindText(f.kind), QString(), QString(), QString(), QString()};
    const QString pct = (f.percent >= 0 ? QStringLiteral("+") : QString()) + QString::number(f.percent, 'f', 1);
    return {f.day, kindText(f.kind), currencyName(f.currency), currencyText(f.currency, f.previous),
            currencyText(f.currency, f.value), pct};
}

} // namespace RateCheck
