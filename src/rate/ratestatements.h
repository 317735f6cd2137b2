#pragma once

#include <QString>

// The statements on EX_RATE, built as text character for character. Lines of a multi-line
// statement are joined with CR LF. Text placed between single quotes has its single quotes
// doubled, so a remark or user code can never end the literal early.
namespace RateStatements {

// The widest remark every schema accepts (characters).
inline constexpr int RemarkMaxChars = 200;

// A text literal's content with each ' doubled.
QString quoteText(const QString &text);

// A number in plain general form for a statement: "." as decimal point, no thousands
// separators, up to 15 significant digits. Empty for a value that is not finite.
QString numberText(double value);

// Existence check of one day (save and delete).
QString existsStatement(const QString &date);
// Period query, days in date order on every server (a server that keeps the table in key order
// gives the same rows without it; one that scans in storage order would not).
QString periodStatement(const QString &from, const QString &to);
// Insert of a new day. usd, vnd and krw are number texts as numberText() gives them.
QString insertStatement(const QString &date, const QString &usd, const QString &vnd, const QString &krw,
                        const QString &remark, const QString &userCode);
// Update of an existing day (INS_SCODE stays as it was).
QString updateStatement(const QString &date, const QString &usd, const QString &vnd, const QString &krw,
                        const QString &remark);
// Delete of one day.
QString deleteStatement(const QString &date);

} // namespace RateStatements
