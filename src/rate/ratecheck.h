#pragma once

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// Plausibility of the stored rates: the jump test a save asks about, and the missing working
// days and jumps of a period. Pure functions over texts and numbers; the callers fetch the rows.
namespace RateCheck {

inline constexpr int CurrencyCount = 3; // 0 미달러 (USD), 1 베트남동 (VND), 2 한국원화 (KRW)
inline constexpr double DefaultLimitPercent = 5.0;

// "미달러", "베트남동", "한국원화".
QString currencyName(int currency);
// Decimals the input boxes give each currency: 2, 0, 6.
int currencyDecimals(int currency);
// "1,156.21": the currency's decimals with thousands separators.
QString currencyText(int currency, double value);

// Percent limits per currency; 0 turns the test off for that currency.
struct Limits
{
    std::array<double, CurrencyCount> percent{DefaultLimitPercent, DefaultLimitPercent, DefaultLimitPercent};
    bool anyOn() const;
};
// One limit as written in registry.ini: a plain number of percent, 0 or more ("5", "2.5").
// Empty (not written) gives the default; so does anything else ("abc", "-3", "1.0%"), with
// *usable false so that the caller can say so.
double parseLimit(const QString &text, bool *usable = nullptr);
// REG_JUMP_USD, REG_JUMP_VND, REG_JUMP_KRW read through `value` (name -> text).
Limits limitsFrom(const std::function<QString(const QString &name)> &value);
// The limits of this machine's registry.ini; an unusable value is told (settingsNotice).
Limits registryLimits();

// A line of registry.ini or holidays.txt the checks cannot use.
struct SettingProblem
{
    QString file; // "registry.ini", "holidays.txt"
    int line = 0; // from 1
    QString text; // the line as read
    QString outcome; // what is done instead
};
// Where the notice of unusable settings goes: the program's message screen, the tool's standard
// error. Each problem is told once from the time the sink is set (once per start), at the first
// use of the setting; nothing is told while no sink is set.
using NoticeSink = std::function<void(const QString &title, const QString &text)>;
void setSettingsNotice(NoticeSink sink);
// Tells the problems not told yet through the sink.
void tellSettingProblems(const QList<SettingProblem> &problems);
// While one lives, the problems wait and are told in one notice at its end (a check that reads
// both files says so once).
class SettingsNoticeBatch
{
public:
    SettingsNoticeBatch();
    ~SettingsNoticeBatch();
    SettingsNoticeBatch(const SettingsNoticeBatch &) = delete;
    SettingsNoticeBatch &operator=(const SettingsNoticeBatch &) = delete;
};
inline const QString SettingsNoticeTitle = QStringLiteral("설정을 확인하십시오.");

// A day kept as a holiday ("휴일" in its remark) is no reference for a jump and not tested itself.
bool isHolidayRemark(const QString &remark);

// Whether `value` against the reference `before` is a jump past `limitPercent`. A limit of 0
// never asks; a reference of 0 is no reference (a stored 0 is a day without that rate, never a
// base to divide by); 0 against a non-zero reference always asks; a change of exactly the limit
// does not. A negative reference (another program's) is measured by its size.
bool isJump(double before, double value, double limitPercent);
// The change from `before` to `value` in percent of the size of `before`: positive when the
// value is higher, negative when lower, whatever the sign of `before`; 0 when `before` is 0.
double changePercent(double before, double value);

// A stored day further than this from the day saved is no neighbour: a month's gap says nothing
// of a jump.
inline constexpr int NeighbourDays = 31;

// One stored neighbour of a day for one currency.
struct Neighbour
{
    QString day;
    double value = 0;
};
// The nearest earlier and later stored days with a usable rate, per currency.
struct Neighbours
{
    std::array<std::optional<Neighbour>, CurrencyCount> earlier;
    std::array<std::optional<Neighbour>, CurrencyCount> later;
};

// A jump of one currency of the day being saved against one neighbour.
struct SaveJump
{
    int currency = 0;
    Neighbour reference;
    double value = 0;
    double percent = 0;
    double limit = 0; // the currency's limit in percent
};
// The jumps of a day's new rates: each currency against each of its neighbours it jumps from
// (the earlier first), in currency order.
QList<SaveJump> saveJumps(const std::array<double, CurrencyCount> &rates, const Neighbours &n, const Limits &limits);
// The one question of a save: a jumpSentence line for every jump, then "그래도 저장하시겠습니까?".
QString saveQuestionText(const QList<SaveJump> &jumps);
inline const QString SaveQuestionTitle = QStringLiteral("환율 변동을 확인하십시오.");
// "미달러 환율이 2024/01/05 의 1,156.21 보다 10.2% 높습니다.": the question's line, and the words
// a preview marks a row with. The percentage is grouped ("1,100.0%") and carries the decimals it
// needs to read above the limit (never "0.0%" for a change over a limit of 0.01).
QString jumpSentence(const SaveJump &jump);

// Days held in memory (an import's preview over the stored days) for the neighbour search.
struct SeriesDay
{
    std::array<std::optional<double>, CurrencyCount> rate; // none: empty or not a number
    bool holiday = false;
};
// A day's texts as a series entry.
SeriesDay seriesDay(const std::array<QString, CurrencyCount> &rates, const QString &remark);
// The nearest earlier and later days of `day` in `series` with a non-zero rate, per currency,
// within NeighbourDays; holidays, keys that are no "YYYY/MM/DD" day and `day` itself passed over.
Neighbours neighboursIn(const QMap<QString, SeriesDay> &series, const QString &day);

// --- the period check ---

// One stored row as the period query reads it.
struct Row
{
    QString day; // "YYYY/MM/DD"
    std::array<QString, CurrencyCount> rates;
    QString remark;
};

enum class FindingKind { MissingDay, Jump };
// "빠진 날짜" / "급변".
QString kindText(FindingKind kind);

struct Finding
{
    QString day;
    FindingKind kind = FindingKind::MissingDay;
    int currency = -1; // jumps only
    QString previousDay; // jumps only: the row compared against
    double previous = 0;
    double value = 0;
    double percent = 0;
};

// Days of a holidays.txt: one "YYYY/MM/DD" a line, "#" starts a comment. Any other line is no
// day; it is added to *problems.
QSet<QString> parseHolidays(const QString &text, QList<SettingProblem> *problems = nullptr);
// holidays.txt of the system folder (empty when there is none); a line that is no day is told.
QSet<QString> systemHolidays();

// Findings of the period from..to ("YYYY/MM/DD", both included) over `rows` (any order; rows
// outside the period are ignored): each Monday to Friday without a row and not a holiday, and
// each row whose rate jumps past its limit against the row before it in the period. Holiday
// rows take no part in the jump test. Ordered by day, a missing day before the jumps of a day,
// jumps in currency order.
QList<Finding> periodFindings(const QString &from, const QString &to, QList<Row> rows, const QSet<QString> &holidays,
                              const Limits &limits);

// The columns of one finding as the check window and the command line show them: day, kind,
// currency, previous value, new value, percent ("+10.2" / "-3.0"); empty for a missing day.
QStringList findingColumns(const Finding &f);

} // namespace RateCheck
