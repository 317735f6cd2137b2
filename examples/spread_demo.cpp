// A grid filled like the program's rate grid, for looking at it under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./spread_demo [out.png]
#include "platform/spread/spreadgrid.h"

#include <QApplication>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("환율관리 프로그램"));
    window.resize(760, 520);
    auto *box = new QVBoxLayout(&window);
    box->setSpacing(0);
    SpreadGrid &grid = *new SpreadGrid(&window);
    SpreadGrid &sum = *new SpreadGrid(&window);
    box->addWidget(&grid, 1);
    box->addWidget(&sum);
    grid.setScrollBarMode(SpreadGrid::ScrollBarHorizontal);
    grid.setColHeaderRows(1);
    grid.setFontName(QStringLiteral("굴림체"));
    grid.setFontSize(9);
    grid.setMaxCols(5);
    grid.setTextTipMode(1);
    grid.SetTextTipStyle(QStringLiteral("굴림체"), 10, false, false, 0xC0FFFF, 0);
    const char *heads[] = {"NO", "일자", "미달러", "베트남동", "한국원화", "비고"};
    const double widths[] = {4, 10, 10, 10, 10, 36};
    const int kinds[] = {5, 5, 132, 13, 136, 5};
    const int aligns[] = {2, 2, 1, 1, 1, 0};
    grid.setRow(-1);
    for (int c = 0; c <= 5; ++c) {
        grid.setCol(c);
        if (kinds[c] >= 13) {
            grid.setCellKind(13);
            grid.setNumberDecimals(kinds[c] == 13 ? 0 : kinds[c] - 130);
            grid.setNumberShowGroups(true);
        } else {
            grid.setCellKind(kinds[c]);
        }
        grid.setHAlign(aligns[c]);
        grid.setVAlign(2);
        grid.setColWidth(c, widths[c]);
        grid.SetCellText(c, -1000, QString::fromUtf8(heads[c]));
    }
    grid.setRowHeight(-1000, 21.077);
    grid.setRedraw(false);
    for (int i = 1; i <= 40; ++i) {
        grid.setMaxRows(grid.MaxRows() + 1);
        grid.SetCellText(1, i, QStringLiteral("2024/03/%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
        grid.SetCellText(2, i, QString::number(1320.5 + i * 3.25));
        grid.SetCellText(3, i, QString::number(24500 + i * 17));
        grid.SetCellText(4, i, QString::number(0.0541234 + i / 1000.0, 'f', 7));
        grid.SetCellText(5, i,
                         i % 3 ? QStringLiteral("정상 고시 환율")
                               : QStringLiteral("주말 전 마감 환율 — 은행 고시 기준으로 입력한 아주 긴 비고 문장"));
    }
    grid.setRedraw(true);
    grid.setRow(3);
    grid.setCol(2);
    grid.setForeColor(0x0000FF);
    grid.setCol(3);
    grid.setBackColor(0xC0FFFF);
    grid.setCol(2);
    grid.setAction(0);

    // summary grid: two rows whose row-number cells are merged, no header, own scroll bar
    sum.setColHeaderRows(0);
    sum.setMaxCols(5);
    sum.setFontName(QStringLiteral("굴림체"));
    sum.setMaxRows(2);
    sum.setScrollBarMode(SpreadGrid::ScrollBarHorizontal);
    sum.setRow(-1);
    for (int c = 0; c <= 5; ++c) {
        sum.setColWidth(c, widths[c]);
        sum.setCol(c);
        sum.setHAlign(c == 0 ? 2 : 1);
        if (c >= 2 && c <= 4) {
            sum.setCellKind(13);
            sum.setNumberDecimals(kinds[c] == 13 ? 0 : kinds[c] - 130);
            sum.setNumberShowGroups(true);
        }
        sum.setBackColor(0xF7F3EE);
    }
    sum.setRowHeight(-1, 11.59);
    sum.AddCellSpan(0, 1, 1, 2);
    sum.SetCellText(0, 1, QStringLiteral("평균"));
    sum.SetCellText(1, 1, QStringLiteral("전체"));
    sum.SetCellText(1, 2, QStringLiteral("선택"));
    sum.SetCellText(2, 1, 1385.123);
    sum.SetCellText(3, 1, 24840.5);
    sum.SetCellText(4, 1, 0.0741234);
    sum.SetCellText(2, 2, 1330.25);
    sum.SetCellText(3, 2, 24551.0);
    sum.SetCellText(4, 2, 0.057123);
    sum.SetCellBorder(1, 1, 5, 1, SpreadGrid::BorderBottom, 0x996633, SpreadGrid::BorderSolid);
    sum.setFixedHeight(2 * 18 + 2 + 17);
    window.show();
    grid.setFocus();
    if (argc > 1) {
        const QString out = QString::fromLocal8Bit(argv[1]);
        QTimer::singleShot(500, &app, [&window, out] {
            window.grab().save(out);
            qApp->quit();
        });
    }
    return app.exec();
}
