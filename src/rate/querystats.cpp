#include "rate/querystats.h"

#include <cmath>

namespace QueryStats {

namespace {

QString grouped(qint64 n)
{
    const bool negative = n < 0;
    QString digits = QString::number(negative ? -n : n);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return negative ? QLatin1Char('-') + digits : digits;
}

} // namespace

QString countText(qint64 n)
{
    return grouped(n);
}

QString secondsText(double seconds)
{
    const qint64 tenths = qint64(std::llround(seconds * 10.0));
    const qint64 whole = tenths / 10;
    const qint64 decimal = std::llabs(tenths % 10);
    QString s = grouped(whole);
    if (decimal != 0)
        s += QLatin1Char('.') + QString::number(decimal);
    return s;
}

QString text(const QString &from, const QString &to, const QDateTime &at, qint64 records, qint64 lines,
             qint64 elapsedMs)
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("조회기간 : ") + from + QStringLiteral(" ~ ") + to + crlf + QStringLiteral("조회일시 : ")
        + at.toString(QStringLiteral("yyyy/MM/dd")) + at.toString(QStringLiteral(" HH:mm:ss")) + crlf
        + QStringLiteral("레코드수 : ") + countText(records) + QStringLiteral(" 건 ") + QStringLiteral("(라인수 : ")
        + countText(lines) + QStringLiteral(" 라인)") + crlf + QStringLiteral("소요시간 : ")
        + secondsText(elapsedMs / 1000.0) + QStringLiteral("초");
}

} // namespace QueryStats
