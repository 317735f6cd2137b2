// Any text through the date checks: nothing crashes, and every answer agrees with the calendar.
// The input is UTF-8 lines "from", "to" and the day limit of a period; the same bytes read as
// UTF-16 reach characters UTF-8 cannot (NULs, lone surrogates) for the single-text checks.

#include "rate/datechecks.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

bool asciiDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c.unicode() < '0' || c.unicode() > '9')
            return false;
    return true;
}

// A number part of a date as the checks allow it: ASCII digits, blanks around them permitted.
std::optional<int> number(const QString &part)
{
    const QString t = part.trimmed();
    if (!asciiDigits(t))
        return std::nullopt;
    return t.toInt();
}

bool inWindow(int year)
{
    const int now = DateChecks::currentYear();
    return year > now - 100 && year < now + 100;
}

// The calendar date an accepted text stands for, read independently of the checks.
std::optional<QDate> dateOf(const QString &s)
{
    const QString t = s.trimmed();
    if (t.size() != 10 || t.at(4) != u'/' || t.at(7) != u'/' || !asciiDigits(t.left(4)))
        return std::nullopt;
    const auto m = number(t.mid(5, 2));
    const auto d = number(t.mid(8, 2));
    if (!m || !d)
        return std::nullopt;
    const QDate date(t.left(4).toInt(), *m, *d);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// The strict form "YYYY/MM/DD" of ASCII digits, nothing else.
bool strictForm(const QString &t)
{
    return t.size() == 10 && t.at(4) == u'/' && t.at(7) == u'/' && asciiDigits(t.left(4)) && asciiDigits(t.mid(5, 2))
        && asciiDigits(t.mid(8, 2));
}

void singleText(const QString &s)
{
    const QString t = s.trimmed();
    const bool year = fnChk_Year(s);
    const bool yearMonth = fnChk_YearMonth(s);
    const bool date = fnChk_Date(s);

    if (year) {
        check(t.size() == 4 && asciiDigits(t), "year accepted that is not four digits");
        check(inWindow(t.toInt()), "year accepted outside the 100-year window");
    } else if (t.size() == 4 && asciiDigits(t)) {
        check(!inWindow(t.toInt()), "four-digit year within the window refused");
    }

    if (yearMonth) {
        check(t.size() == 7 && t.at(4) == u'/', "year/month accepted in the wrong shape");
        check(fnChk_Year(t.left(4)), "year/month accepted with a refused year");
        const auto m = number(t.mid(5, 2));
        check(m && *m >= 1 && *m <= 12, "year/month accepted with no month 1..12");
    } else if (t.size() == 7 && t.at(4) == u'/' && asciiDigits(t.left(4)) && asciiDigits(t.mid(5, 2))) {
        const int m = t.mid(5, 2).toInt();
        check(!inWindow(t.left(4).toInt()) || m < 1 || m > 12, "plain year/month refused");
    }

    const auto calendar = dateOf(s);
    if (date) {
        check(calendar.has_value(), "date accepted that is no calendar date");
        check(inWindow(calendar->year()), "date accepted outside the 100-year window");
        check(fnChk_YearMonth(t.left(7)), "date accepted whose year/month is refused");
        check(fnChk_Period(s, s, 0), "accepted date refused as a one-day period");
    } else if (strictForm(t) && calendar) {
        check(!inWindow(calendar->year()), "plain calendar date within the window refused");
    }
    if (!date)
        check(!fnChk_Period(s, s, 0), "refused date accepted as a one-day period");

    // blanks around the text never change an answer
    const QString padded = QStringLiteral(" ") + s + QStringLiteral("  ");
    check(fnChk_Year(padded) == year && fnChk_YearMonth(padded) == yearMonth && fnChk_Date(padded) == date,
          "blanks around the text changed the answer");
}

void period(const QString &from, const QString &to, int maxDays)
{
    const bool ok = fnChk_Period(from, to, maxDays);
    const bool fromOk = fnChk_Date(from);
    const bool toOk = fnChk_Date(to);
    if (!fromOk || !toOk) {
        check(!ok, "period accepted with a refused end");
        return;
    }
    const auto a = dateOf(from);
    const auto b = dateOf(to);
    check(a && b, "accepted ends that are no calendar dates");
    const qint64 days = a->daysTo(*b);
    const bool expected = days >= 0 && (maxDays == 0 || days <= maxDays);
    if (ok) {
        check(days >= 0, "period accepted that ends before it starts");
        check(maxDays == 0 || days <= maxDays, "period accepted beyond its day limit");
    }
    check(ok == expected, "period of two accepted dates judged wrongly");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> lines = bytes.split('\n');
    const QString from = QString::fromUtf8(lines.value(0));
    const QString to = QString::fromUtf8(lines.value(1));
    const int maxDays = lines.size() > 2 ? QString::fromUtf8(lines.at(2)).toInt() : 0;

    singleText(from);
    singleText(to);
    period(from, to, maxDays);
    period(to, from, maxDays);

    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    const QString wide = QString::fromStdU16String(units);
    singleText(wide);
    return 0;
}
