// Opens the graph window over a small owner window with Korean data, for looking at it:
//   graph_demo [line|bar|pie] [3d] [values] [cross] [rates] [all] [xy] [out.png]
// rates: four months of daily rates; all: 그래프 모두 보기; xy: labels with X and Y values.
// With an output file the window is grabbed into it and the program ends.
#include "graph/frmssgraph.h"
#include "platform/spread/spreadgrid.h"

#include "platform/chart/chartcontrol.h"
#include "platform/controls/picbutton.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTimer>

#include <cmath>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("환율관리 프로그램"));
    owner.resize(400, 300);

    SpreadGrid grid;
    grid.setMaxCols(4);
    grid.setColHeaderRows(1);
    const QStringList companies{QStringLiteral("한빛상사"),   QStringLiteral("대성무역"), QStringLiteral("미래물산"),
                                QStringLiteral("동방교역"),   QStringLiteral("서울통상"), QStringLiteral("신라해운"),
                                QStringLiteral("태평양상회"), QStringLiteral("한국정밀"), QStringLiteral("금강산업"),
                                QStringLiteral("우리식품"),   QStringLiteral("백두전자"), QStringLiteral("가람유통"),
                                QStringLiteral("누리텍"),     QStringLiteral("다온상사"), QStringLiteral("라온물류"),
                                QStringLiteral("마루건설"),   QStringLiteral("바다수산"), QStringLiteral("사랑제약")};
    const double amounts[] = {1250.5, 980,     1430.25, 610,  2210.75, 95,  1780, 860.5, 1320,
                              455,    1999.99, 730,     1120, 15,      640, 1540, 890,   1010};
    grid.setMaxRows(int(companies.size()) + 1);
    grid.SetCellText(1, SpreadGrid::FirstHeaderRow, QStringLiteral("거래처"));
    grid.SetCellText(2, SpreadGrid::FirstHeaderRow, QStringLiteral("USD"));
    for (int i = 0; i < companies.size(); ++i) {
        grid.SetCellText(1, i + 1, companies.at(i));
        grid.SetCellText(2, i + 1, amounts[i]);
    }
    grid.SetCellText(1, int(companies.size()) + 1, QStringLiteral("합계"));
    grid.SetCellText(2, int(companies.size()) + 1, 99999.0);
    if (args.contains(QStringLiteral("rates"))) {
        // four months of daily dollar rates in place of the companies
        const int days = 120;
        grid.setMaxRows(days);
        grid.SetCellText(1, SpreadGrid::FirstHeaderRow, QStringLiteral("일자"));
        grid.SetCellText(2, SpreadGrid::FirstHeaderRow, QStringLiteral("미달러"));
        for (int i = 0; i < days; ++i) {
            grid.SetCellText(1, i + 1, QDate(2026, 8, 1).addDays(i).toString(QStringLiteral("yyyy/MM/dd")));
            grid.SetCellText(2, i + 1, std::round((1300 + 40 * std::sin(i / 6.0) + (i * 37 % 11)) * 100) / 100);
        }
    }

    owner.show();
    FrmSSGraph graph(&owner);
    graph.sbDisp_SS_Graph_Init(&grid, 1, 2, owner.windowTitle(), QString(), QString(), true);
    graph.chkViewAuto()->setChecked(false);
    if (args.contains(QStringLiteral("line")))
        graph.optType(0)->setChecked(true);
    if (args.contains(QStringLiteral("pie")))
        graph.optType(2)->setChecked(true);
    graph.chkView3D()->setChecked(args.contains(QStringLiteral("3d")));
    graph.chkViewValue()->setChecked(args.contains(QStringLiteral("values")));
    if ((args.contains(QStringLiteral("pie")) || args.contains(QStringLiteral("xy")))
        && args.contains(QStringLiteral("values")))
        graph.cboValueType()->setCurrentIndex(4);
    if (args.contains(QStringLiteral("all")))
        graph.cmdScroll(8)->click(); // 그래프 모두 보기
    QString out;
    for (const QString &a : args)
        if (a.endsWith(QStringLiteral(".png")))
            out = a;
    if (args.contains(QStringLiteral("cross"))) {
        graph.chkViewCross()->setChecked(true);
        QTimer::singleShot(300, &graph, [&graph] {
            const QPoint p(graph.chtGraph()->width() * 2 / 5, graph.chtGraph()->height() / 2);
            emit graph.chtGraph()->mouseMoved(p);
        });
    }
    if (!out.isEmpty()) {
        QTimer::singleShot(800, &graph, [&graph, out] {
            graph.grab().save(out);
            QApplication::quit();
        });
    }
    return app.exec();
}
