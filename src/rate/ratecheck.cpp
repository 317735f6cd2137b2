#include "rate/ratecheck.h"

#include "rate/ratevalue.h"

#include "platform/spread/spreadnumber.h"
#include "platform/win/registry.h"
#include "platform/win/systemdir.h"

#include <QDate>
#include <QFile>

#include <cmath>
#include <vector>

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
    const int y = parts[0];
    const int m = parts[1];
    const int d = parts[2];
    static constexpr int monthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > monthDays[m - 1] + (m == 2 && leap ? 1 : 0))
        return 0;
    // days from the civil date (proleptic Gregorian), shifted to the Julian day number
    const int yy = y - (m <= 2 ? 1 : 0);
    const int era = yy / 400;
    const int yoe = yy - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return qint64(era) * 146097 + doe + 1721120;
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
    return limitsFrom(
        [](const QString &name) { return Registry::readValue(QStringLiteral("SOFTWARE\\ZEVARU"), name); });
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

QList<SaveJump> saveJumps(const std::array<double, CurrencyCount> &rates, const Neighbours &n, const Limits &limits)
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

QString jumpSentence(const SaveJump &jump)
{
    const QString direction = jump.percent >= 0 ? QStringLiteral("높습니다.") : QStringLiteral("낮습니다.");
    return currencyName(jump.currency) + QStringLiteral(" 환율이 ") + jump.reference.day + QStringLiteral(" 의 ")
        + currencyText(jump.currency, jump.reference.value) + QStringLiteral(" 보다 ")
        + QString::number(std::fabs(jump.percent), 'f', 1) + QStringLiteral("% ") + direction;
}

QString saveQuestionText(const SaveJump &jump)
{
    return jumpSentence(jump) + CrLf + QStringLiteral("그래도 저장하시겠습니까?");
}

SeriesDay seriesDay(const std::array<QString, CurrencyCount> &rates, const QString &remark)
{
    SeriesDay d;
    for (int c = 0; c < CurrencyCount; ++c)
        d.rate[size_t(c)] = rateOf(rates[size_t(c)]);
    d.holiday = isHolidayRemark(remark);
    return d;
}

Neighbours neighboursIn(const QMap<QString, SeriesDay> &series, const QString &day)
{
    Neighbours n;
    const auto at = series.lowerBound(day);
    for (int c = 0; c < CurrencyCount; ++c) {
        auto usable = [c](const SeriesDay &d) { return !d.holiday && d.rate[size_t(c)] && *d.rate[size_t(c)] != 0; };
        for (auto it = at; it != series.cbegin();) {
            --it;
            if (usable(it.value())) {
                n.earlier[size_t(c)] = Neighbour{it.key(), *it.value().rate[size_t(c)]};
                break;
            }
        }
        for (auto it = at; it != series.cend(); ++it) {
            if (it.key() != day && usable(it.value())) {
                n.later[size_t(c)] = Neighbour{it.key(), *it.value().rate[size_t(c)]};
                break;
            }
        }
    }
    return n;
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

QList<Finding> periodFindings(const QString &from, const QString &to, QList<Row> rows, const QSet<QString> &holidays,
                              const Limits &limits)
{
    const qint64 first = julianOf(from);
    const qint64 last = julianOf(to);
    QList<Finding> out;
    if (first == 0 || last == 0 || first > last)
        return out;

    // one slot per day of the period: the rows come in the server's order, and a day has one row
    std::vector<const Row *> byDay(size_t(last - first + 1), nullptr);
    for (const Row &r : std::as_const(rows)) {
        const qint64 j = julianOf(r.day);
        if (j >= first && j <= last)
            byDay[size_t(j - first)] = &r;
    }

    // the last usable rate of each currency and its row
    std::array<const Row *, CurrencyCount> prevRow{};
    std::array<double, CurrencyCount> prevValue{};
    for (qint64 j = first; j <= last; ++j) {
        const Row *row = byDay[size_t(j - first)];
        if (!row) {
            // Julian day 0 was a Monday: Monday to Friday are the remainders 0 to 4
            if (j % 7 < 5) {
                const QString day = dayText(j);
                if (!holidays.contains(day)) {
                    Finding missing;
                    missing.day = day;
                    missing.kind = FindingKind::MissingDay;
                    out.append(missing);
                }
            }
            continue;
        }
        if (isHolidayRemark(row->remark))
            continue;
        for (int c = 0; c < CurrencyCount; ++c) {
            const std::optional<double> v = rateOf(row->rates[size_t(c)]);
            if (!v)
                continue;
            const size_t k = size_t(c);
            if (prevRow[k] && isJump(prevValue[k], *v, limits.percent[k]))
                out.append({row->day, FindingKind::Jump, c, prevRow[k]->day, prevValue[k], *v,
                            changePercent(prevValue[k], *v)});
            if (*v != 0) {
                prevRow[k] = row;
                prevValue[k] = *v;
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
    return {f.day,
            kindText(f.kind),
            currencyName(f.currency),
            currencyText(f.currency, f.previous),
            currencyText(f.currency, f.value),
            pct};
}

} // namespace RateCheck
