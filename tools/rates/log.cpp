// zevaru-rates log: the history of one day, newest first, as the history window lists it, one
// change a line with tab-separated columns.

#include "ratestool.h"

#include "rate/datechecks.h"
#include "rate/ratewriter.h"

#include "platform/db/dataaccess.h"

namespace RatesTool {

int runLog(const QStringList &args)
{
    Options o;
    const QString usage = QStringLiteral("사용법: zevaru-rates log --day YYYY/MM/DD");
    if (!parseOptions(args, {QStringLiteral("--day")}, {}, &o) || !o.plain.isEmpty()
        || !o.values.contains(QStringLiteral("--day"))) {
        err(usage);
        return Usage;
    }
    const QString day = o.values.value(QStringLiteral("--day")).trimmed();
    if (!fnChk_Date(day)) {
        err(QStringLiteral("기준일이 입력되지 않았거나, 잘못 입력되었습니다. (형식 : YYYY/MM/DD, 예:2000/01/01)\n")
            + usage);
        return Usage;
    }
    std::unique_ptr<Database> db = openDatabase();
    if (!db)
        return Refused;
    RateWriter writer(*db->da, db->userCode);
    QList<RateHistory::Entry> entries;
    if (!writer.readDay(day, &entries)) {
        err(QStringLiteral("이 데이타베이스에는 변경 이력이 기록되지 않습니다. (EX_RATE_LOG 테이블이 없습니다)"));
        return Refused;
    }
    if (entries.isEmpty())
        out(QStringLiteral("변경 이력이 없습니다."));
    for (const RateHistory::Entry &e : std::as_const(entries))
        out(RateHistory::entryColumns(e).join(QLatin1Char('\t')));
    return Done;
}

} // namespace RatesTool
