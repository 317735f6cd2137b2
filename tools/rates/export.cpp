// zevaru-rates export: a period written as the window's export writes it (xlsx), or as CSV.

#include "ratestool.h"

#include "rate/datechecks.h"
#include "rate/rateexport.h"

#include "platform/win/filefolder.h"

#include <QDate>
#include <QFileInfo>

#include <cstdio>

namespace RatesTool {

namespace {

// "csv" or "xlsx" when the name ends in one of them (in any case), else "".
QString formatOfName(const QString &file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == u"csv" || suffix == u"xlsx" ? suffix : QString();
}

} // namespace

int runExport(const QStringList &args)
{
    Options o;
    const QString usage =
        QStringLiteral("사용법: zevaru-rates export --from YYYY/MM/DD --to YYYY/MM/DD [--format csv|xlsx] [-o 파일|-]");
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
    QString file = o.values.value(QStringLiteral("-o"));
    const bool toStdout = file == u"-";
    // the format follows the name unless it is given; standard output takes CSV only
    const QString named = toStdout ? QStringLiteral("csv") : formatOfName(file);
    QString format = o.values.value(QStringLiteral("--format"));
    if (!format.isEmpty() && format != u"xlsx" && format != u"csv") {
        err(QStringLiteral("--format 에는 csv 또는 xlsx 만 쓸 수 있습니다.\n") + usage);
        return Usage;
    }
    if (!format.isEmpty() && !named.isEmpty() && format != named) {
        err((toStdout ? QStringLiteral("표준 출력(-o -)에는 csv 만 쓸 수 있습니다. (--format %1)").arg(format)
                      : QStringLiteral("--format %1 과 파일 이름의 확장자(.%2)가 맞지 않습니다.").arg(format, named))
            + u'\n' + usage);
        return Usage;
    }
    if (format.isEmpty())
        format = named.isEmpty() ? QStringLiteral("xlsx") : named;
    if (!fnChk_Period(from, to, 0)) {
        err(QStringLiteral("조회일자를 확인하십시오. 조회기간이 입력되지 않았거나, 잘못 입력되었습니다. "
                           "(형식 : YYYY/MM/DD, 예:2000/01/01)\n")
            + usage);
        return Usage;
    }
    if (file.isEmpty())
        file = FileFolder::datedFileName(QDate::currentDate(), QStringLiteral("환율관리 프로그램")) + u'.' + format;

    std::unique_ptr<Database> db = openDatabase();
    if (!db)
        return Refused;
    RateExport::Table table;
    QString error;
    if (!RateExport::read(*db->da, from, to, &table, &error)) {
        err(QStringLiteral("조회중 에러가 발생하여 실행하지 못했습니다. ") + error);
        return Refused;
    }
    const qsizetype rows = table.rows.size();
    if (rows == 0) {
        err(QStringLiteral("조회된 데이타가 없습니다. 저장할 데이타가 존재하지 않아 저장을 취소합니다."));
        return Refused;
    }
    if (toStdout) {
        const QByteArray text = RateExport::csv(table);
        if (std::fwrite(text.constData(), 1, size_t(text.size()), stdout) != size_t(text.size())
            || std::fflush(stdout) != 0) {
            err(QStringLiteral("저장을 실패하였습니다. 정상적으로 저장되지 않았습니다. (표준 출력)"));
            return Refused;
        }
        return Done;
    }
    const bool ok = format == u"csv" ? RateExport::writeCsv(table, file) : RateExport::writeXlsx(table, file);
    if (!ok) {
        err(QStringLiteral("저장을 실패하였습니다. 정상적으로 저장되지 않았습니다. (") + file + u')');
        return Refused;
    }
    out(QStringLiteral("저장하였습니다. 경로 : ") + QFileInfo(file).absoluteFilePath()
        + QStringLiteral(" (%L1건)").arg(rows));
    return Done;
}

} // namespace RatesTool
