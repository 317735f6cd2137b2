// zevaru-rates import: the preview as tab-separated lines, then the counts; applied only when
// no row is refused (or --skip-refused), and with --dry-run never.

#include "ratestool.h"

#include "rate/rateimport.h"
#include "rate/ratewriter.h"

#include "platform/db/dataaccess.h"

#include <QFileInfo>

namespace RatesTool {

namespace {

QString tsvField(QString t)
{
    // one line a row: tabs and line breaks inside a field become blanks
    t.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
    return t;
}

} // namespace

void printPreview(const RateImport::Preview &p, bool sources)
{
    out((sources ? QStringLiteral("출처") : QStringLiteral("행"))
        + QStringLiteral("\t결과\t일자\t미달러\t베트남동\t한국원화\t비고\t이전 값 / 사유"));
    for (const RateImport::Row &r : p.rows) {
        const bool refused = !RateImport::comparable(r.outcome);
        QStringList f{sources ? r.source : QString::number(r.line), RateImport::outcomeText(r.outcome), r.date};
        for (int i = 0; i < 3; ++i)
            f << (refused ? r.rate[size_t(i)] : r.rateToWrite(i));
        f << (refused ? r.remark : r.remarkToWrite());
        QString note = r.reason;
        if (r.outcome == RateImport::Outcome::Change)
            note = QStringLiteral("이전 : ")
                + QStringList{r.oldRate[0], r.oldRate[1], r.oldRate[2], r.oldRemark}.join(QStringLiteral(" / "));
        if (!r.jump.isEmpty())
            note = r.jump + (note.isEmpty() ? QString() : QStringLiteral("  ") + note);
        f << note;
        for (QString &s : f)
            s = tsvField(s);
        out(f.join(u'\t'));
    }
    out(RateImport::countText(p));
}

int runImport(const QStringList &args)
{
    Options o;
    if (!parseOptions(args, {QStringLiteral("--apply")},
                      {QStringLiteral("--dry-run"), QStringLiteral("--skip-refused")}, &o)
        || o.plain.size() != 1) {
        err(QStringLiteral("사용법: zevaru-rates import 파일 [--apply new|all] [--dry-run] [--skip-refused]"));
        return Usage;
    }
    const QString apply = o.values.value(QStringLiteral("--apply"), QStringLiteral("new"));
    if (apply != u"new" && apply != u"all") {
        err(QStringLiteral("--apply 에는 new 또는 all 만 쓸 수 있습니다.\n사용법: zevaru-rates import 파일 [--apply "
                           "new|all] [--dry-run] [--skip-refused]"));
        return Usage;
    }
    const RateImport::Scope scope = apply == u"all" ? RateImport::Scope::NewAndChanged : RateImport::Scope::NewOnly;
    const QString path = o.plain.first();

    const SheetReader::Result file = SheetReader::read(path);
    if (file.failure != SheetReader::Failure::None) {
        err(QStringLiteral("파일을 가져올 수 없습니다. ") + RateImport::failureText(file.failure) + QStringLiteral(" (")
            + path + u')');
        return Refused;
    }
    // the first sheet with a rate table (a cover sheet before it is passed over)
    const QList<int> fit = RateImport::fittingSheets(file);
    const SheetTable &table = fit.isEmpty() ? file.table() : file.sheets[size_t(fit.first())].table;
    if (fit.size() > 1)
        err(QStringLiteral("환율 표가 있는 시트가 %L1개입니다. 첫째 시트 \"%2\"를 읽습니다.")
                .arg(fit.size())
                .arg(file.sheets[size_t(fit.first())].name));
    const RateImport::ColumnMap map = RateImport::findColumns(table);
    if (!map.usable()) {
        err(QStringLiteral("파일을 가져올 수 없습니다. 제목 행에서 일자와 환율 열을 찾지 못했습니다. "
                           "(제목: 일자/date, 미달러/usd, 베트남동/vnd, 한국원화/krw, 비고/remark)"));
        return Refused;
    }
    std::unique_ptr<Database> db = openDatabase();
    if (!db)
        return Refused;
    RateImport::Preview p = RateImport::readRows(table, map);
    p.source = QFileInfo(path).fileName();
    QString error;
    if (!RateImport::compareWithStored(*db->da, p, &error)) {
        err(QStringLiteral("저장된 환율을 읽지 못했습니다: ") + error);
        return Refused;
    }
    printPreview(p, false);

    return applyPreview(*db, p, scope, o, QStringLiteral("파일 전체를"));
}

// The end of an import or a fetch after its preview: a preview with refused rows is refused
// (`notApplied` names what was not applied) unless --skip-refused, --dry-run stops there, else
// the chosen rows are applied in one transaction and the closing line counts what was left out.
int applyPreview(Database &db, const RateImport::Preview &p, RateImport::Scope scope, const Options &o,
                 const QString &notApplied)
{
    const int refused = p.count[size_t(RateImport::Outcome::Refused)];
    if (refused > 0 && !o.has(QStringLiteral("--skip-refused"))) {
        err(QStringLiteral("거부된 행이 %L1건 있어 %2 적용하지 않았습니다. "
                           "(거부된 행만 빼고 적용하려면 --skip-refused)")
                .arg(refused)
                .arg(notApplied));
        return Refused;
    }
    int todo = 0;
    for (const RateImport::Row &r : p.rows)
        todo += RateImport::chosen(r, scope) ? 1 : 0;
    if (o.has(QStringLiteral("--dry-run"))) {
        out(QStringLiteral("--dry-run: 적용하지 않았습니다 (적용할 행 %L1건).").arg(todo));
        return Done;
    }
    RateWriter writer(*db.da, db.userCode);
    const RateImport::ApplyResult res = RateImport::apply(*db.da, writer, p, scope);
    if (!res.movedDays.isEmpty()) {
        err(QStringLiteral("미리보기 후 다른 곳에서 바뀐 날짜가 있어 아무것도 저장하지 않았습니다: ")
            + res.movedDays.join(QStringLiteral(", ")));
        return Refused;
    }
    if (!res.ok) {
        err(QStringLiteral("저장중 에러가 발생하여 아무것도 저장하지 않았습니다. ") + res.error);
        return Refused;
    }
    out(QStringLiteral("적용하였습니다. ") + RateImport::appliedText(p, res.inserted, res.updated));
    return Done;
}

} // namespace RatesTool
