#pragma once

#include <QString>

// The input panel's checks of one day, as pure functions: the save and the import from files
// refuse a day for the same reasons and in the same words. Each answers the headline and the text
// of the notice the panel shows, or an empty refusal when the value passes.
namespace RateInputCheck {

struct Refusal
{
    QString title; // headline of the notice
    QString text; // its lines, joined with CR LF; the first line says what is wrong
    explicit operator bool() const { return !title.isEmpty(); }
    QString firstLine() const { return text.section(QStringLiteral("\r\n"), 0, 0); }
};

// "<what>이 입력되지 않았거나, 잘못 입력되었습니다." and the two lines on the date form.
QString dateNoticeText(const QString &what);
// The day "YYYY/MM/DD" (fnChk_Date).
Refusal checkDate(const QString &date);
// The remark as typed: no NUL character, and at most RateStatements::RemarkMaxChars characters as
// the column counts them: code points, or UTF-16 units (utf16Units) where the column is NVARCHAR.
Refusal checkRemark(const QString &remark, bool utf16Units = false);
// The remark's length as the column counts it.
qsizetype remarkLength(const QString &remark, bool utf16Units);
// Rate 0 미달러, 1 베트남동, 2 한국원화: never below zero.
Refusal checkRate(int index, double value);
// A rate a new day needs and was not given ("<통화> 환율이 입력되지 않았거나, ...").
Refusal rateMissing(int index);

// "미달러", "베트남동", "한국원화".
QString rateCaption(int index);
// Decimals the panel's box of rate `index` keeps: 2, 0, 6.
int rateDecimals(int index);

} // namespace RateInputCheck
