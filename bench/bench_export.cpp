// Export of the rate grid with 36,525 rows (a hundred years of days) through the navigator's export:
// headers and the summary line put into the grid, the workbook written, the grid given back.
// Baseline, measured in the same run: the same cells written straight with libxlsxwriter (text,
// numbers with the same number formats, the merged-free summary line as text). Prints both times
// and their ratio (target: within 2x).
#include "rategridform.h"

#include "gridnav/ssexport.h"
#include "msgscr/msgscr.h"
#include "platform/win/services.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kRows = 36525;

struct Row
{
    QByteArray date;
    double usd, vnd, krw;
    QByteArray remark;
};

double writeDirect(const QString &file, const std::vector<Row> &rows, const QStringList &headers,
                   const QStringList &sums)
{
    QElapsedTimer t;
    t.start();
    const QByteArray name = QFile::encodeName(file);
    lxw_workbook *wb = workbook_new(name.constData());
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Sheet1");
    lxw_format *f2 = workbook_add_format(wb);
    format_set_num_format(f2, "#,##0.00");
    lxw_format *f0 = workbook_add_format(wb);
    format_set_num_format(f0, "#,##0");
    lxw_format *f6 = workbook_add_format(wb);
    format_set_num_format(f6, "#,##0.000000");
    for (int c = 0; c < headers.size(); ++c)
        worksheet_write_string(ws, 0, lxw_col_t(c), headers[c].toUtf8().constData(), nullptr);
    lxw_row_t r = 1;
    for (const Row &row : rows) {
        worksheet_write_string(ws, r, 0, row.date.constData(), nullptr);
        worksheet_write_number(ws, r, 1, row.usd, f2);
        worksheet_write_number(ws, r, 2, row.vnd, f0);
        worksheet_write_number(ws, r, 3, row.krw, f6);
        if (!row.remark.isEmpty())
            worksheet_write_string(ws, r, 4, row.remark.constData(), nullptr);
        ++r;
    }
    for (int c = 0; c < sums.size(); ++c)
        worksheet_write_string(ws, r, lxw_col_t(c), sums[c].toUtf8().constData(), nullptr);
    workbook_close(wb);
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    RateGridForm rate(false);
    SpreadGrid *grid = rate.grid;
    SpreadGrid *sum = rate.sum;
    SS_MOVE_INFO &info = rate.info;

    std::vector<Row> rows;
    rows.reserve(kRows);
    const QDate first(1925, 1, 1);
    grid->setRedraw(false);
    grid->setMaxRows(kRows);
    for (int r = 1; r <= kRows; ++r) {
        Row row{first.addDays(r - 1).toString(QStringLiteral("yyyy/MM/dd")).toUtf8(), 1100.0 + (r % 350) + 0.25,
                double(23000 + r % 1000), 0.056123 + (r % 10) / 1000.0,
                r % 7 == 0 ? QByteArrayLiteral("주말 환율") : QByteArray()};
        grid->SetCellText(0, r, QString::number(r));
        grid->SetCellText(1, r, QString::fromUtf8(row.date));
        grid->SetCellText(2, r, row.usd);
        grid->SetCellText(3, r, row.vnd);
        grid->SetCellText(4, r, row.krw);
        grid->SetCellText(5, r, QString::fromUtf8(row.remark));
        rows.push_back(row);
    }
    grid->setRedraw(true);
    sum->SetCellText(2, 1, 1275.5);
    sum->SetCellText(3, 1, 23500.0);
    sum->SetCellText(4, 1, 0.0605);
    QStringList headers, sums;
    for (int c = 1; c <= 5; ++c) {
        headers << grid->GetCellText(c, SpreadGrid::FirstHeaderRow);
        sums << (c == 1 ? QStringLiteral("평균") : sum->GetCellText(c, 1));
    }

    QTemporaryDir dir;
    MsgScr::answerHook() = MsgScr::answerWith(MsgScr::Answer::Ok);
    int n = 0;
    Platform::services().exportFileDialog = [&](const SaveFileRequest &) {
        return std::optional<QString>(dir.filePath(QStringLiteral("grid%1.xlsx").arg(n++)));
    };

    // best of three each, alternating, so both see the same machine load
    double best = 1e18, bestDirect = 1e18, bestGrid = 1e18;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        sbSS_ExportXls(info, QStringLiteral("환율관리 프로그램"), true);
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
        QElapsedTimer g;
        g.start();
        grid->ExportToExcel(dir.filePath(QStringLiteral("plain%1.xlsx").arg(i)), QStringLiteral("Sheet1"), QString());
        bestGrid = std::min(bestGrid, double(g.nsecsElapsed()) / 1e6);
        bestDirect = std::min(bestDirect,
                              writeDirect(dir.filePath(QStringLiteral("direct%1.xlsx").arg(i)), rows, headers, sums));
    }
    if (grid->MaxRows() != kRows) {
        std::printf("grid not restored: %d rows\n", grid->MaxRows());
        return 1;
    }
    std::printf("export of %d rows: %.1f ms; libxlsxwriter directly: %.1f ms; ratio %.2f (target <= 2)\n", kRows, best,
                bestDirect, best / bestDirect);
    std::printf("  of which the grid's own write (no header/summary rows): %.1f ms\n", bestGrid);
    return 0;
}
