// zevaru-rates check: the missing working days and the jumps of a period, as the check window
// lists them, one finding a line with tab-separated columns.

#include "ratestool.h"

#include "rate/datechecks.h"
#include "rate/ratecheck.h"
#include "rate/ratecheckreads.h"

#include "platform/db/dataaccess.h"

namespace RatesTool {

int runCheck(const QStringList &args)
{
    Options o;
    const QString usage = QStringLiteral("사용법: zevaru-rates check --from YYYY/MM/DD --to YYYY/MM/DD");
    if (!parseOptions(args, {QStringLiteral("--from"), QStringLiteral("--to")}, {}, &o) || !o.plain.isEmpty()
        || !o.values.contains(QStringLiteral("--from")) || !o.values.contains(QStringLiteral("--to"))) {
        err(usage);
        return Usage;
    }
    const QString from = o.values.value(QStringLiteral("--from")).trimmed();
    const QString to = o.values.value(QStringLiteral("--to")).trimmed();
    if (!fnChk_Period(from, to, 0)) {
        err(QStringLiteral("조회일자를 확인하십시오. 조회기간이 입력되지 않았거나, 잘못 입력되었습니다. "
                           "(형식 : YYYY/MM/DD, 예:2000/01/01)\n")
            + usage);
        return Usage;
    }
    std::unique_ptr<Database> db = openDatabase();
    if (!db)
        return Refused;
    QList<RateCheck::Finding> findings;
    if (!RateCheckReads::periodFindings(*db->da, from, to, &findings)) {
        err(QStringLiteral("조회중 에러가 발생하여 실행하지 못했습니다. ") + db->da->lastError());
        return Refused;
    }
    for (const RateCheck::Finding &f : std::as_const(findings))
        out(RateCheck::findingColumns(f).join(QLatin1Char('\t')));
    return findings.isEmpty() ? Done : Found;
}

} // namespace RatesTool
