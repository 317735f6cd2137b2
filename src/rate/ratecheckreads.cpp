#include "rate/ratecheckreads.h"

#include "rate/ratestatements.h"

#include "platform/db/dataaccess.h"

#include <QDate>
#include <QMap>

namespace RateCheckReads {

bool neighbours(DataAccess &da, const QString &day, const RateCheck::Limits &limits, RateCheck::Neighbours *out)
{
    *out = {};
    // nothing to compare: no statement at all
    const QDate d = QDate::fromString(day, QStringLiteral("yyyy/MM/dd"));
    if (!limits.anyOn() || !d.isValid())
        return true;
    // the days within reach on both sides in one read; the nearest usable one of each currency
    // is picked from them as an import picks it from its rows
    const QString fmt = QStringLiteral("yyyy/MM/dd");
    QList<RateCheck::Row> rows;
    if (!periodRows(da, d.addDays(-RateCheck::NeighbourDays).toString(fmt),
                    d.addDays(RateCheck::NeighbourDays).toString(fmt), &rows))
        return false;
    QMap<QString, RateCheck::SeriesDay> series;
    for (const RateCheck::Row &r : std::as_const(rows))
        series.insert(r.day, RateCheck::seriesDay(r.rates, r.remark));
    *out = RateCheck::neighboursIn(series, day);
    for (int c = 0; c < RateCheck::CurrencyCount; ++c) {
        if (limits.percent[size_t(c)] > 0)
            continue;
        out->earlier[size_t(c)].reset();
        out->later[size_t(c)].reset();
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
    // one notice for what either file holds that cannot be used
    RateCheck::Limits limits;
    QSet<QString> holidays;
    {
        const RateCheck::SettingsNoticeBatch batch;
        limits = RateCheck::registryLimits();
        holidays = RateCheck::systemHolidays();
    }
    *out = RateCheck::periodFindings(from, to, std::move(rows), holidays, limits);
    return true;
}

} // namespace RateCheckReads
