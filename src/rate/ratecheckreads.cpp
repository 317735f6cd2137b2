#include "rate/ratecheckreads.h"

#include "rate/ratestatements.h"
#include "rate/ratevalue.h"

#include "platform/db/dataaccess.h"

namespace {

const char *const RateColumns[RateCheck::CurrencyCount] = {"USD", "VND", "KRW"};

QString neighbourStatement(const QString &day, int currency, bool later)
{
    const QString col = QString::fromLatin1(RateColumns[currency]);
    return QStringLiteral(" SELECT STD_DATE, ") + col + QStringLiteral(" FROM EX_RATE WHERE STD_DATE = ( SELECT ")
        + (later ? QStringLiteral("MIN") : QStringLiteral("MAX"))
        + QStringLiteral("(STD_DATE) FROM EX_RATE WHERE STD_DATE ")
        + (later ? QStringLiteral(">") : QStringLiteral("<")) + QStringLiteral(" '") + RateStatements::quoteText(day)
        + QStringLiteral("' AND ") + col
        + QStringLiteral(" <> 0 AND ( REMARK IS NULL OR REMARK NOT LIKE '%휴일%' ) ) ");
}

} // namespace

namespace RateCheckReads {

bool neighbours(DataAccess &da, const QString &day, RateCheck::Neighbours *out)
{
    *out = {};
    for (int c = 0; c < RateCheck::CurrencyCount; ++c) {
        for (bool later : {false, true}) {
            if (!da.OpenQuery(neighbourStatement(day, c, later), 1, 3))
                return false;
            double v = 0;
            if (!da.IsEof() && RateValue::parse(da.FieldValue(1), &v) && v != 0) {
                auto &slot = later ? out->later[size_t(c)] : out->earlier[size_t(c)];
                slot = RateCheck::Neighbour{da.FieldValue(0), v};
            }
            da.CloseQuery();
        }
    }
    return true;
}

bool periodRows(DataAccess &da, const QString &from, const QString &to, QList<RateCheck::Row> *rows)
{
    rows->clear();
    if (!da.OpenQuery(RateStatements::periodStatement(from, to), 1, 3))
        return false;
    const long n = da.RecordCount();
    rows->reserve(n);
    da.MoveFirst();
    for (long i = 0; i < n; ++i) {
        rows->append({da.FieldValue(0), {da.FieldValue(1), da.FieldValue(2), da.FieldValue(3)}, da.FieldValue(4)});
        da.MoveNext();
    }
    da.CloseQuery();
    return true;
}

bool periodFindings(DataAccess &da, const QString &from, const QString &to, QList<RateCheck::Finding> *out)
{
    QList<RateCheck::Row> rows;
    if (!periodRows(da, from, to, &rows))
        return false;
    *out =
        RateCheck::periodFindings(from, to, std::move(rows), RateCheck::systemHolidays(), RateCheck::registryLimits());
    return true;
}

} // namespace RateCheckReads
