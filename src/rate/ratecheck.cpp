#include "rate/ratecheck.h"

#include "rate/ratevalue.h"

#include "platform/spread/spreadnumber.h"
#include "platform/win/registry.h"
#include "platform/win/systemdir.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <utility>
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

const char *const LimitNames[RateCheck::CurrencyCount] = {"REG_JUMP_USD", "REG_JUMP_VND", "REG_JUMP_KRW"};

// a notice of many bad lines names the first ones and counts the rest
constexpr int MaxProblemsShown = 8;

struct NoticeState
{
    RateCheck::NoticeSink sink;
    QSet<QString> told; // file, line and text of each problem told since the sink was set
    int batches = 0; // SettingsNoticeBatch objects alive
    QList<RateCheck::SettingProblem> waiting;
};

NoticeState &noticeState()
{
    static NoticeState state;
    return state;
}

// The percentage of a jump as its sentence shows it, without the sign.
QString percentText(double percent, double limit)
{
    const double size = std::fabs(percent);
    // one decimal as a rule; more while the figure would read as 0 or as not above the limit
    int decimals = 1;
    for (; decimals < SpreadNumber::MaxDecimals; ++decimals) {
        const double shown =
            SpreadNumber::parse(SpreadNumber::plain(size, decimals), QLatin1Char('.'), QChar()).value_or(0);
        if (shown != 0 && (size <= limit || shown > limit))
            break;
    }
    return SpreadNumber::format(size, decimals, QLatin1Char('.'), QLatin1Char(','), true);
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

bool Limits::anyOn() const
{
    return std::any_of(percent.begin(), percent.end(), [](double p) { return p > 0; });
}

double parseLimit(const QString &text, bool *usable)
{
    if (usable)
        *usable = true;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return DefaultLimitPercent;
    // digits with at most one point: no sign, no unit, no exponent
    static const QRegularExpression plainNumber(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    bool ok = false;
    const double v = plainNumber.match(t).hasMatch() ? t.toDouble(&ok) : 0.0;
    if (!ok || !std::isfinite(v)) {
        if (usable)
            *usable = false;
        return DefaultLimitPercent;
    }
    return v;
}

Limits limitsFrom(const std::function<QString(const QString &)> &value)
{
    Limits l;
    for (int c = 0; c < CurrencyCount; ++c)
        l.percent[size_t(c)] = parseLimit(value(QString::fromLatin1(LimitNames[c])));
    return l;
}

Limits registryLimits()
{
    Limits l;
    QList<SettingProblem> problems;
    for (int c = 0; c < CurrencyCount; ++c) {
        const QString name = QString::fromLatin1(LimitNames[c]);
        int line = 0;
        const QString text = Registry::readValue(QStringLiteral("SOFTWARE\\ZEVARU"), name, nullptr, &line);
        bool usable = true;
        l.percent[size_t(c)] = parseLimit(text, &usable);
        if (!usable)
            problems.append({QStringLiteral("registry.ini"), line, name + QLatin1Char('=') + text,
                             QStringLiteral("0 이상의 숫자(%)가 아니어서 기본값 ")
                                 + QString::number(DefaultLimitPercent) + QStringLiteral("로 봅니다.")});
    }
    tellSettingProblems(problems);
    return l;
}

void setSettingsNotice(NoticeSink sink)
{
    noticeState().sink = std::move(sink);
    noticeState().told.clear();
}

SettingsNoticeBatch::SettingsNoticeBatch()
{
    ++noticeState().batches;
}

SettingsNoticeBatch::~SettingsNoticeBatch()
{
    NoticeState &state = noticeState();
    if (--state.batches == 0)
        tellSettingProblems(std::exchange(state.waiting, {}));
}

void tellSettingProblems(const QList<SettingProblem> &problems)
{
    NoticeState &state = noticeState();
    if (!state.sink)
        return;
    if (state.batches > 0) {
        state.waiting += problems;
        return;
    }
    QStringList lines;
    int shown = 0;
    int more = 0;
    for (const SettingProblem &p : problems) {
        const QString key = p.file + QLatin1Char('\n') + QString::number(p.line) + QLatin1Char('\n') + p.text;
        if (state.told.contains(key))
            continue;
        state.told.insert(key);
        if (shown == MaxProblemsShown) {
            ++more;
            continue;
        }
        ++shown;
        // a line of any length is named by its start
        const QString text = p.text.size() > 40 ? p.text.left(40) + QStringLiteral("…") : p.text;
        lines << p.file + QLatin1Char(' ') + QString::number(p.line) + QStringLiteral("번째 줄: ") + text
              << QStringLiteral("  → ") + p.outcome;
    }
    if (shown == 0)
        return;
    if (more > 0)
        lines << QStringLiteral("외 ") + QString::number(more) + QStringLiteral("건");
    state.sink(SettingsNoticeTitle, lines.join(CrLf));
}

bool isHolidayRemark(const QString &remark)
{
    return remark.contains(HolidayWord);
}

double changePercent(double before, double value)
{
    if (before == 0)
        return 0;
    return (value - before) / std::fabs(before) * 100.0;
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
        const double limit = limits.percent[size_t(c)];
        for (const auto *side : {&n.earlier, &n.later}) {
            const std::optional<Neighbour> &ref = (*side)[size_t(c)];
            if (ref && isJump(ref->value, rates[size_t(c)], limit))
                out.append({c, *ref, rates[size_t(c)], changePercent(ref->value, rates[size_t(c)]), limit});
        }
    }
    return out;
}

QString jumpSentence(const SaveJump &jump)
{
    // the direction of the change itself: against a negative neighbour a higher value is still 높다
    const bool higher = jump.value > jump.reference.value;
    const QString direction = higher ? QStringLiteral("높습니다.") : QStringLiteral("낮습니다.");
    return currencyName(jump.currency) + QStringLiteral(" 환율이 ") + jump.reference.day + QStringLiteral(" 의 ")
        + currencyText(jump.currency, jump.reference.value) + QStringLiteral(" 보다 ")
        + percentText(jump.percent, jump.limit) + QStringLiteral("% ") + direction;
}

QString saveQuestionText(const QList<SaveJump> &jumps)
{
    QStringList lines;
    for (const SaveJump &j : jumps)
        lines << jumpSentence(j);
    lines << QStringLiteral("그래도 저장하시겠습니까?");
    return lines.join(CrLf);
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
    const qint64 self = julianOf(day);
    if (self == 0)
        return n;
    const auto at = series.lowerBound(day);
    for (int c = 0; c < CurrencyCount; ++c) {
        // the keys are in text order, the same as day order for well-formed days; a key of
        // another form ("2024/01/05x") sits among them and is passed over
        auto usable = [c](const SeriesDay &d) { return !d.holiday && d.rate[size_t(c)] && *d.rate[size_t(c)] != 0; };
        for (auto it = at; it != series.cbegin();) {
            --it;
            const qint64 j = julianOf(it.key());
            if (j == 0)
                continue;
            if (self - j > NeighbourDays)
                break;
            if (j < self && usable(it.value())) {
                n.earlier[size_t(c)] = Neighbour{it.key(), *it.value().rate[size_t(c)]};
                break;
            }
        }
        for (auto it = at; it != series.cend(); ++it) {
            const qint64 j = julianOf(it.key());
            if (j == 0 || j == self)
                continue;
            if (j - self > NeighbourDays)
                break;
            if (usable(it.value())) {
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

QSet<QString> parseHolidays(const QString &text, QList<SettingProblem> *problems)
{
    QSet<QString> days;
    int number = 0;
    for (const QStringView whole : QStringView(text).split(u'\n')) {
        ++number;
        QStringView line = whole;
        const qsizetype hash = line.indexOf(u'#');
        if (hash >= 0)
            line = line.left(hash);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (julianOf(line) != 0)
            days.insert(line.toString());
        else if (problems)
            problems->append({QStringLiteral("holidays.txt"), number, whole.trimmed().toString(),
                              QStringLiteral("YYYY/MM/DD 형식의 날짜가 아니어서 휴일로 보지 않습니다.")});
    }
    return days;
}

QSet<QString> systemHolidays()
{
    QFile f(SystemDir::path() + QStringLiteral("/holidays.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<SettingProblem> problems;
    QSet<QString> days = parseHolidays(QString::fromUtf8(f.readAll()), &problems);
    tellSettingProblems(problems);
    return days;
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
