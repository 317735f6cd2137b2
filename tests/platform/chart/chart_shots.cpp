// Renders sample charts to PNG files for looking at them: chart_shots OUTDIR
#include "platform/chart/chartcontrol.h"

#include <QApplication>
#include <QDir>
#include <QRandomGenerator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/chartshots");
    QDir().mkpath(dir);
    const QStringList labels = {QStringLiteral("한국전력"), QStringLiteral("삼성물산"), QStringLiteral("현대상사"),
                                QStringLiteral("대우무역"), QStringLiteral("엘지상사"), QStringLiteral("포스코"),
                                QStringLiteral("기아"), QStringLiteral("롯데"), QStringLiteral("두산"),
                                QStringLiteral("효성"), QStringLiteral("한화"), QStringLiteral("CJ")};
    const double values[] = {1320.5, 980.25, 1510, 640, 1120.75, 870, 455.5, 1290, 730, 1010, 560, 940};
    QRandomGenerator rng(7);
    QVector<QColor> colours;
    for (int i = 0; i < labels.size(); ++i)
        colours.append(QColor(50 + rng.bounded(200), 50 + rng.bounded(200), rng.bounded(100)));

    for (int kind : {0, 1, 5}) {
        for (bool d3 : {false, true}) {
            ChartControl c;
            c.resize(840, 520);
            c.addSeries(kind);
            const int n = kind == 5 ? 6 : 12;
            for (int i = 0; i < n; ++i)
                c.addPoint(values[i], labels[i], kind == 0 ? QColor(255, 255, 0) : colours[i]);
            c.setHeaderLine(0, QStringLiteral("업체 별 미달러"));
            c.setLeftAxisTitle(QStringLiteral("미달러"));
            c.setLeftAxisAutomatic(false);
            double mx = 0;
            for (int i = 0; i < n; ++i)
                mx = std::max(mx, values[i]);
            c.setLeftAxisMinMax(0, kind == 0 ? mx * 1.04 : mx);
            c.setBottomLabelAngle(kind == 1 ? 90 : 0);
            if (kind == 5)
                c.setWallColour(QColor(224, 224, 224));
            c.setView3D(d3);
            c.setView3DDepth(15);
            c.setMarksVisible(kind != 0 || d3);
            c.setMarksStyle(kind == 5 ? 4 : 0);
            c.setValueFormat(QStringLiteral("###,###,###,##0.00"));
            c.setPercentFormat(QStringLiteral("0.00%"));
            c.setMaxPointsPerPage(kind == 5 ? 0 : 10);
            if (kind == 1 && d3)
                c.setFirstVisiblePoint(5); // a short last page
            const QString name = QStringLiteral("%1/chart_%2_%3.png").arg(dir).arg(kind).arg(d3 ? "3d" : "2d");
            c.renderImage(c.size()).save(name);
        }
    }
    return 0;
}
