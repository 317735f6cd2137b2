#include "ratestatements.h"

#include <QStringList>

#include <cmath>

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

namespace RateStatements {

QString quoteText(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return t;
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0.0)
        return QStringLiteral("0"); // never "-0"
    return QString::number(value, 'g', 15);
}

QString existsStatement(const QString &date)
{
    return QStringLiteral(" SELECT * FROM EX_RATE WHERE STD_DATE = '") + quoteText(date) + QStringLiteral("' ");
}

QString periodStatement(const QString &from, const QString &to)
{
    return QStringLiteral(" SELECT STD_DATE, USD, VND, KRW, REMARK ")
        + QStringLiteral(" FROM EX_RATE WHERE STD_DATE BETWEEN '") + quoteText(from) + QStringLiteral("' AND '")
        + quoteText(to) + QStringLiteral("' ORDER BY STD_DATE ");
}

QString insertStatement(const QString &date, const QString &usd, const QString &vnd, const QString &krw,
                        const QString &remark, const QString &userCode)
{
    const QStringList lines{
        QStringLiteral(" INSERT INTO EX_RATE ( STD_DATE, USD, VND, KRW, REMARK, INS_DATE, INS_SCODE ) "),
        QStringLiteral(" VALUES ( '") + quoteText(date) + QStringLiteral("', "),
        usd + QStringLiteral(", ") + vnd + QStringLiteral(", ") + krw + QStringLiteral(", "),
        QStringLiteral(" '") + quoteText(remark) + QStringLiteral("', "),
        QStringLiteral(" GETDATE(), '") + quoteText(userCode) + QStringLiteral("' ) "),
    };
    return lines.join(CrLf);
}

QString updateStatement(const QString &date, const QString &usd, const QString &vnd, const QString &krw,
                        const QString &remark)
{
    const QStringList lines{
        QStringLiteral(" UPDATE EX_RATE SET "),
        QStringLiteral("   USD      =  ") + usd + QStringLiteral(", "),
        QStringLiteral("   VND      =  ") + vnd + QStringLiteral(", "),
        QStringLiteral("   KRW      =  ") + krw + QStringLiteral(", "),
        QStringLiteral("   REMARK   = '") + quoteText(remark) + QStringLiteral("', "),
        QStringLiteral("   INS_DATE =  GETDATE() "),
        QStringLiteral(" WHERE STD_DATE = '") + quoteText(date) + QStringLiteral("' "),
    };
    return lines.join(CrLf);
}

QString deleteStatement(const QString &date)
{
    return QStringLiteral(" DELETE FROM EX_RATE WHERE STD_DATE = '") + quoteText(date) + QStringLiteral("' ");
}

} // namespace RateStatements
