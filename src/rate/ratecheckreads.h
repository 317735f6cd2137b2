#pragma once

#include "rate/ratecheck.h"

#include <QList>
#include <QString>

class DataAccess;

// What the checks read from EX_RATE.
namespace RateCheckReads {

// The nearest earlier and later stored day of `day` with a non-zero rate, per currency; days
// kept as holidays are passed over. False when a read failed (the neighbours found stay).
bool neighbours(DataAccess &da, const QString &day, RateCheck::Neighbours *out);

// The rows of the period, through the period query.
bool periodRows(DataAccess &da, const QString &from, const QString &to, QList<RateCheck::Row> *rows);

// The whole check of a period: rows, holidays.txt and the registry's limits.
bool periodFindings(DataAccess &da, const QString &from, const QString &to, QList<RateCheck::Finding> *out);

} // namespace RateCheckReads
