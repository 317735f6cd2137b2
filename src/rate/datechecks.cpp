#include "rate/datechecks.h"

#include "platform/win/systemservices.h"

#include <QDate>

namespace {

// Whole text of ASCII digits (the numeric test the year check makes on the untrimmed text:
// blanks around the digits are allowed, a sign or a decimal point is not a year).
bool isDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

bool isNumericText(const QString &s)
{
    return isDigits(s.trimmed());
}

int toInt(const QString &s, bool *ok)
{
    const QString t = s.trimmed();
    if (!isDigits(t)) {
        *ok = false;
        return 0;
    }
    return t.toInt(ok);
}

QDate dateOf(const QString &s)
{
    const QString t = s.trimmed();
    return QDate(t.left(4).toInt(), t.mid(5, 2).toInt(), t.mid(8, 2).toInt());
}

} // namespace

int DateChecks::currentYear()
{
    return Clock::year();
}

bool fnChk_Year(const QString &s)
{
    const QString t = s.trimmed();
    if (t.isEmpty() || t.size() != 4 || !isNumericText(s))
        return false;
    bool ok = false;
    const int y = toInt(t, &ok);
    const int now = DateChecks::currentYear();
    return ok && y > now - 100 && y < now + 100;
}

bool fnChk_YearMonth(const QString &s)
{
    const QString t = s.trimmed();
    if (t.size() != 7 || !fnChk_Year(t.left(4)) || t.at(4) != u'/')
        return false;
    bool ok = false;
    const int m = toInt(t.right(2), &ok);
    return ok && m >= 1 && m <= 12;
}

bool fnChk_Date(const QString &s)
{
    const QString t = s.trimmed();
    if (t.isEmpty() || t.size() != 10)
        return false;
    if (!fnChk_Year(t.left(4)) || !fnChk_YearMonth(t.left(7)))
        return false;
    if (t.at(4) != u'/' || t.at(7) != u'/')
        return false;
    bool ok = false;
    const int day = toInt(t.right(2), &ok);
    if (!ok)
        return false;
    // last day of the month: first of the month, one month on, one day back
    const QDate first(t.left(4).toInt(), t.mid(5, 2).toInt(), 1);
    const int lastDay = first.addMonths(1).addDays(-1).day();
    return day >= 1 && day <= lastDay;
}

bool fnChk_Period(const QString &from, const QString &to, int maxDays)
{
    if (!fnChk_Date(from) || !fnChk_Date(to))
        return false;
    const qint64 days = dateOf(from).daysTo(dateOf(to));
    if (days < 0)
        return false;
    return maxDays == 0 || qAbs(days) <= maxDays;
}
