#include "rate/ratefeedimport.h"

#include "rate/rateinputcheck.h"

#include "platform/controls/numbertext.h"
#include "platform/sheet/sheettable.h"
#include "platform/win/registry.h"
#include "platform/win/systemdir.h"

namespace RateFeedImport {

namespace {

QString shown(int column, double v)
{
    NumberText::Number n;
    if (NumberText::parse(QString::number(v, 'f', RateInputCheck::rateDecimals(column)), &n)
        != NumberText::Problem::None)
        return QString::number(v);
    return NumberText::format(n, RateInputCheck::rateDecimals(column), true, true);
}

} // namespace

RateFeed::Config machineConfig()
{
    return RateFeed::configFrom(
        [](const QString &name) { return Registry::readValue(QStringLiteral("SOFTWARE\\ZEVARU"), name); },
        SystemDir::path());
}

QString disagreementText(const RateFeed::Disagreement &d, double mine, double tolerancePercent)
{
    return QStringLiteral("%1 %2 : %3 의 %4 와 %5% 다릅니다 (허용 %6%)")
        .arg(RateInputCheck::rateCaption(d.column), shown(d.column, mine), d.by, shown(d.column, d.other),
             QString::number(d.percent, 'f', 2), QString::number(tolerancePercent, 'g', 6));
}

RateImport::Preview preview(const RateFeed::Run &run)
{
    // the days with values go through the import's own reading of a sheet: the same rounding
    // and the same checks as a file's rows
    SheetTable table;
    table.beginRow();
    for (const char *h : {"date", "usd", "vnd", "krw"})
        table.addText(QByteArrayView(h));
    for (const RateFeed::Day &d : run.days) {
        if (d.state != RateFeed::Day::State::Ready)
            continue;
        table.beginRow();
        table.addText(d.day.toString(QStringLiteral("yyyy/MM/dd")).toUtf8());
        for (int c = 0; c < RateSources::ColumnCount; ++c) {
            if (d.value[size_t(c)])
                table.addText(QString::number(*d.value[size_t(c)], 'f', RateInputCheck::rateDecimals(c)).toUtf8());
            else
                table.addEmpty();
        }
    }
    const RateImport::Preview read = RateImport::readRows(table, RateImport::findColumns(table));
    const double tolerance = run.tolerancePercent;

    RateImport::Preview p;
    p.map = read.map;
    qsizetype next = 0;
    for (const RateFeed::Day &d : run.days) {
        RateImport::Row row;
        row.source = d.sources;
        if (d.state == RateFeed::Day::State::Ready && next < read.rows.size()) {
            row = read.rows[next++];
            row.source = d.sources;
            QStringList differ;
            for (const RateFeed::Disagreement &x : d.disagreements)
                differ << disagreementText(x, d.value[size_t(x.column)].value_or(0), tolerance);
            if (!differ.isEmpty() && row.outcome != RateImport::Outcome::Refused) {
                row.outcome = RateImport::Outcome::Refused;
                row.reason = differ.join(QStringLiteral("  "));
            }
        } else {
            row.date = d.day.toString(QStringLiteral("yyyy/MM/dd"));
            row.outcome = d.state == RateFeed::Day::State::Unpublished ? RateImport::Outcome::Unpublished
                                                                       : RateImport::Outcome::Refused;
            row.reason = d.note;
        }
        row.line = int(p.rows.size()) + 1;
        p.rows << row;
    }
    p.source = QStringLiteral("인터넷");
    RateImport::recount(p);
    return p;
}

} // namespace RateFeedImport
