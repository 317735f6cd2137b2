#include "rate/rateinputcheck.h"

#include "rate/datechecks.h"
#include "rate/ratecheck.h"
#include "rate/ratestatements.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

namespace RateInputCheck {

QString rateCaption(int index)
{
    return RateCheck::currencyName(index);
}

int rateDecimals(int index)
{
    return index == 0 ? 2 : index == 2 ? 6 : 0;
}

QString dateNoticeText(const QString &what)
{
    return what + QStringLiteral("이 입력되지 않았거나, 잘못 입력되었습니다.") + CrLf
        + QStringLiteral("확인하여 다시 입력하여 주십시오.") + CrLf + CrLf
        + QStringLiteral("※ 형식 : YYYY/MM/DD (예:2000/01/01)");
}

Refusal checkDate(const QString &date)
{
    if (fnChk_Date(date))
        return {};
    return {QStringLiteral("조회일자를 확인하십시오."), dateNoticeText(QStringLiteral("기준일"))};
}

qsizetype remarkLength(const QString &remark, bool utf16Units)
{
    if (utf16Units)
        return remark.size();
    qsizetype n = 0;
    for (qsizetype i = 0; i < remark.size(); ++i, ++n) {
        if (remark.at(i).isHighSurrogate() && i + 1 < remark.size() && remark.at(i + 1).isLowSurrogate())
            ++i; // one character in two units
    }
    return n;
}

Refusal checkRemark(const QString &remark, bool utf16Units)
{
    // a NUL ends the text early on some servers and is refused by others: never sent
    if (remark.contains(QChar(u'\0')))
        return {QStringLiteral("비고를 확인하십시오."),
                QStringLiteral("비고에 NUL 문자(U+0000)가 들어 있습니다.") + CrLf
                    + QStringLiteral("NUL 문자를 지우고 다시 입력하여 주십시오.")};
    // the column holds RemarkMaxChars characters: a longer remark is refused, never cut
    const qsizetype n = remarkLength(remark, utf16Units);
    if (n <= RateStatements::RemarkMaxChars)
        return {};
    return {QStringLiteral("비고를 확인하십시오."),
            QStringLiteral("비고는 ") + QString::number(RateStatements::RemarkMaxChars)
                + QStringLiteral("자까지 입력할 수 있습니다.") + CrLf + QStringLiteral("현재 ") + QString::number(n)
                + QStringLiteral("자가 입력되어 있습니다.")};
}

Refusal checkRate(int index, double value)
{
    // no currency trades below zero: a minus sign is a slip of the hand, never saved
    if (value >= 0)
        return {};
    return {QStringLiteral("환율을 확인하십시오."),
            rateCaption(index) + QStringLiteral(" 환율이 0보다 작습니다.") + CrLf
                + QStringLiteral("0 이상의 환율을 입력하여 주십시오.")};
}

Refusal rateMissing(int index)
{
    return {QStringLiteral("환율을 확인하십시오."),
            rateCaption(index) + QStringLiteral(" 환율이 입력되지 않았거나, 잘못 입력되었습니다.") + CrLf
                + QStringLiteral("확인하여 다시 입력하여 주십시오.")};
}

} // namespace RateInputCheck
