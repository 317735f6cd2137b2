#pragma once

#include "rate/ratecheck.h"

#include <QList>
#include <QString>

class DataAccess;

// What the checks read from EX_RATE.
namespace RateCheckReads {

// The nearest earlier and later stored day of `day` with a non-zero rate within
// RateCheck::NeighbourDays, per currency whose limit is on; days kept as holidays are passed
// over. One read of the days around `day`, none when every limit is off. False when it failed.
bool neighbours(DataAccess &da, const QString &day, const RateCheck::Limits &limits, RateCheck::Neighbours *out);

// The rows of the period, through the period query.
bool periodRows(DataAccess &da, const QString &from, const QString &to, QList<RateCheck::Row> *rows);

// The whole check of a period: rows, holidays.txt and the registry's limits.
bool periodFindings(DataAccess &da, const QString &from, const QString &to, QList<RateCheck::Finding> *out);

} // namespace RateCheckReads
