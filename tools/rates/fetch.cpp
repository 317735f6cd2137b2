// zevaru-rates fetch: the day's rates from the services, previewed and applied as an import is,
// for a morning job: exit status 4 while nothing of the period is published yet.

#include "ratestool.h"

#include "rate/datechecks.h"
#include "rate/ratefeedimport.h"
#include "rate/rateimport.h"

#include "platform/db/dataaccess.h"

#include <QDate>

namespace RatesTool {

namespace {

const char *const FetchUsage = "사용법: zevaru-rates fetch [--day YYYY/MM/DD | --from YYYY/MM/DD --to YYYY/MM/DD] "
                               "[--apply new|all] [--dry-run] [--skip-refused]";

QDate dayOf(const QString &text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("yyyy/MM/dd"));
}

} // namespace

int runFetch(const QStringList &args)
{
    Options o;
    const QString usage = QString::fromUtf8(FetchUsage);
    if (!parseOptions(
            args,
            {QStringLiteral("--day"), QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--apply")},
            {QStringLiteral("--dry-run"), QStringLiteral("--skip-refused")}, &o)
        || !o.plain.isEmpty()) {
        err(usage);
        return Usage;
    }
    const QString apply = o.values.value(QStringLiteral("--apply"), QStringLiteral("new"));
    if (apply != u"new" && apply != u"all") {
        err(QStringLiteral("--apply 에는 new 또는 all 만 쓸 수 있습니다.\n") + usage);
        return Usage;
    }
    const bool oneDay = o.values.contains(QStringLiteral("--day"));
    const bool period = o.values.contains(QStringLiteral("--from")) || o.values.contains(QStringLiteral("--to"));
    QString from = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    QString to = from;
    if (oneDay && period) {
        err(QStringLiteral("--day 와 --from/--to 는 함께 쓸 수 없습니다.\n") + usage);
        return Usage;
    }
    if (oneDay)
        from = to = o.values.value(QStringLiteral("--day")).trimmed();
    if (period) {
        from = o.values.value(QStringLiteral("--from")).trimmed();
        to = o.values.value(QStringLiteral("--to")).trimmed();
    }
    if (!fnChk_Period(from, to, 0) || !dayOf(from).isValid() || !dayOf(to).isValid()) {
        err(QStringLiteral("조회일자를 확인하십시오. 조회기간이 입력되지 않았거나, 잘못 입력되었습니다. "
                           "(형식 : YYYY/MM/DD, 예:2000/01/01)\n")
            + usage);
        return Usage;
    }
    const RateFeed::Config config = RateFeedImport::machineConfig();
    if (!config.problems.isEmpty()) {
        for (const QString &p : config.problems)
            err(p);
        err(QStringLiteral("설정을 고친 뒤 다시 받으십시오. 아무것도 받지 않았습니다."));
        return Refused;
    }
    if (dayOf(from).daysTo(dayOf(to)) + 1 > config.settings.maxDays) {
        err(QStringLiteral("한 번에 %1일까지 받을 수 있습니다. 기간을 나누어 받으십시오.")
                .arg(config.settings.maxDays));
        return Usage;
    }
    std::unique_ptr<Database> db = openDatabase();
    if (!db)
        return Refused;

    const RateFeed::Run run = RateFeed::fetch(config, dayOf(from), dayOf(to));
    if (!run.problems.isEmpty()) {
        for (const QString &p : run.problems)
            err(p);
        return Refused;
    }
    RateImport::Preview p = RateFeedImport::preview(run);
    QString error;
    if (!RateImport::compareWithStored(*db->da, p, &error)) {
        err(QStringLiteral("저장된 환율을 읽지 못했습니다: ") + error);
        return Refused;
    }
    printPreview(p, true);

    QStringList missed;
    for (const RateFeed::Day &d : run.days)
        if (d.state == RateFeed::Day::State::Failed)
            missed << d.day.toString(QStringLiteral("yyyy/MM/dd"));
    if (!missed.isEmpty())
        err(QStringLiteral("받지 못한 날짜 (%L1일): ").arg(missed.size()) + missed.join(QStringLiteral(", ")));
    if (run.count(RateFeed::Day::State::Unpublished) == int(run.days.size())) {
        err(QStringLiteral("아직 게시되지 않았습니다. 나중에 다시 받으십시오. 아무것도 저장하지 않았습니다."));
        return NotYet;
    }
    const RateImport::Scope scope = apply == u"all" ? RateImport::Scope::NewAndChanged : RateImport::Scope::NewOnly;
    return applyPreview(*db, p, scope, o, QStringLiteral("아무것도"));
}

} // namespace RatesTool
