// zevaru-rates export: a period written as the window's export writes it (xlsx), or as CSV.

#include "ratestool.h"

#include "rate/datechecks.h"
#include "rate/rateexportform.h"

#include "gridnav/ssexport.h"

#include <QDate>
#include <QFileInfo>

namespace RatesTool {

int runExport(const QStringList &args)
{
    Options o;
    const QString usage =
        QStringLiteral("사용법: zevaru-rates export --from YYYY/MM/DD --to YYYY/MM/DD [--format csv|xlsx] [-o 파일]");
    if (!parseOptions(
            args, {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--format"), QStringLiteral("-o")},
            {}, &o)
        || !o.plain.isEmpty() || !o.values.contains(QStringLiteral("--from"))
        || !o.values.contains(QStringLiteral("--to"))) {
        err(usage);
        return Usage;
    }
    const QString from = o.values.value(QStringLiteral("--from")).trimmed();
    const QString to = o.values.value(QStringLiteral("--to")).trimmed();
    const QString format = o.values.value(QStringLiteral("--format"), QStringLiteral("xlsx"));
    if (format != u"xlsx" && format != u"csv") {
        err(QStringLiteral("--format 에는 csv 또는 xlsx 만 쓸 수 있습니다.\n") + usage);
        return Usage;
    }
    if (!fnChk_Period(from, to, 0)) {
        err(QStringLiteral("조회일자를 확인하십시오. 조회기간이 입력되지 않았거나, 잘못 입력되었습니다. "
                           "(형식 : YYYY/MM/DD, 예:2000/01/01)\n")
            + usage);
        return Usage;
    }
    QString file = o.values.value(QStringLiteral("-o"));
    if (file.isEmpty())
        file = GridNav::proposedExportName(QDate::currentDate(), QStringLiteral("환율관리 프로그램")) + u'.' + format;

    std::unique_ptr<Database> db = openDatabase();
    if (!db)
        return Refused;
    RateExportForm form;
    QString error;
    const long rows = form.fill(*db->da, from, to, &error);
    if (rows < 0) {
        err(QStringLiteral("조회중 에러가 발생하여 실행하지 못했습니다. ") + error);
        return Refused;
    }
    if (rows == 0) {
        err(QStringLiteral("조회된 데이타가 없습니다. 저장할 데이타가 존재하지 않아 저장을 취소합니다."));
        return Refused;
    }
    const bool ok = format == u"csv" ? form.writeCsv(file) : form.writeXlsx(file);
    if (!ok) {
        err(QStringLiteral("저장을 실패하였습니다. 정상적으로 저장되지 않았습니다. (") + file + u')');
        return Refused;
    }
    out(QStringLiteral("저장하였습니다. 경로 : ") + QFileInfo(file).absoluteFilePath()
        + QStringLiteral(" (%L1건)").arg(rows));
    return Done;
}

} // namespace RatesTool
