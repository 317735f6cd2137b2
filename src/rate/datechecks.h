#pragma once

#include <QString>

// The date checks shared by the query, save and delete. They never raise: anything malformed
// (letters, wrong separators, impossible days) is simply false. Years are accepted only within
// 100 years of the current year, both bounds excluded.

bool fnChk_Year(const QString &s);
bool fnChk_YearMonth(const QString &s); // "YYYY/MM"
bool fnChk_Date(const QString &s); // "YYYY/MM/DD"
// Both dates valid, from not after to, and (maxDays != 0) at most maxDays days apart.
bool fnChk_Period(const QString &from, const QString &to, int maxDays);

// The year the 100-year window is centred on: the clock's, or the system services' currentYear when set.
namespace DateChecks {
int currentYear();
} // namespace DateChecks
