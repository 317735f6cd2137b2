#pragma once

#include <QDateTime>
#include <QString>

// The statistics text of a query, attached to the summary line as its tip.
namespace QueryStats {

// "#,###,##0": thousands grouped with ",", at least one digit.
QString countText(qint64 n);
// "#,##0.#": thousands grouped, at most one decimal digit (none when it is 0).
QString secondsText(double seconds);

// Four lines joined by CR LF: period, time of the query, record and line counts, elapsed seconds.
QString text(const QString &from, const QString &to, const QDateTime &at, qint64 records, qint64 lines,
             qint64 elapsedMs);

} // namespace QueryStats
