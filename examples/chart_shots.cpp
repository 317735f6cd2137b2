// Renders sample charts to PNG files for looking at them: chart_shots OUTDIR
#include "platform/chart/chartcontrol.h"
#include "platform/chart/charteditor.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("--window")) {
        // on a real screen for a while: the chart and its editor side by side
        auto *c = new ChartControl;
        c->setWindowTitle(QStringLiteral("ChartControl"));
        c->resize(700, 460);
        c->move(10, 10);
        c->addSeries(ChartControl::Pie);
        const double v[] = {1320.5, 980.25, 1510, 640, 1120.75};
        const char *names[] = {"한국전력", "삼성물산", "현대상사", "대우무역", "엘지상사"};
        for (int i = 0; i < 5; ++i)
            c->addPoint(v[i], QString::fromUtf8(names[i]), QColor::fromHsv(i * 60, 160, 220));
        c->setHeaderLine(0, QStringLiteral("업체 별 미달러"));
        c->setView3D(true);
        c->setMarksVisible(true);
        c->setMarksStyle(ChartControl::MarkLabelPercent);
        c->setPercentFormat(QStringLiteral("0.0%"));
        c->show();
        auto *e = new ChartEditor(c, nullptr);
        e->move(730, 10);
        e->show();
        QTimer::singleShot(4000, &app, &QApplication::quit);
        return app.exec();
    }
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/chartshots");
    QDir().mkpath(dir);
    const QStringList labels = {QStringLiteral("한국전력"), QStringLiteral("삼성물산"), QStringLiteral("현대상사"),
                                QStringLiteral("대우무역"), QStringLiteral("엘지상사"), QStringLiteral("포스코"),
                                QStringLiteral("기아"),     QStringLiteral("롯데"),     QStringLiteral("두산"),
                                QStringLiteral("효성"),     QStringLiteral("한화"),     QStringLiteral("CJ")};
    const double values[] = {1320.5, 980.25, 1510, 640, 1120.75, 870, 455.5, 1290, 730, 1010, 560, 940};
    QRandomGenerator rng(7);
    QVector<QColor> colours;
    for (int i = 0; i < labels.size(); ++i)
        colours.append(QColor(50 + rng.bounded(200), 50 + rng.bounded(200), rng.bounded(100)));

    for (int kind : {0, 1, 5}) {
        for (bool d3 : {false, true}) {
            ChartControl c;
            c.resize(840, 520);
            c.addSeries(ChartControl::SeriesKind(kind));
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
            c.setMarksStyle(kind == 5 ? ChartControl::MarkLabelValue : ChartControl::MarkValue);
            c.setValueFormat(QStringLiteral("###,###,###,##0.00"));
            c.setPercentFormat(QStringLiteral("0.00%"));
            c.setMaxPointsPerPage(kind == 5 ? 0 : 10);
            if (kind == 1 && d3)
                c.setFirstVisiblePoint(5); // a short last page
            const QString name = QStringLiteral("%1/chart_%2_%3.png").arg(dir).arg(kind).arg(d3 ? "3d" : "2d");
            c.renderImage(c.size()).save(name);
        }
    }

    // negative values, bar 3D with marks
    {
        ChartControl c;
        c.resize(700, 440);
        c.addSeries(ChartControl::Bar);
        const double v[] = {120.5, -45.25, 80, -130, 10, 0, 95};
        for (int i = 0; i < 7; ++i)
            c.addPoint(v[i], labels[i], colours[i]);
        c.setHeaderLine(0, QStringLiteral("업체 별 손익"));
        c.setLeftAxisTitle(QStringLiteral("손익"));
        c.setLeftAxisAutomatic(false);
        c.setLeftAxisMinMax(-130, 120.5);
        c.setView3D(true);
        c.setMarksVisible(true);
        c.setMarksStyle(ChartControl::MarkPercent);
        c.setPercentFormat(QStringLiteral("0.0%"));
        c.renderImage(c.size()).save(dir + QStringLiteral("/neg_bar_3d.png"));
        c.setSeriesKind(ChartControl::Line);
        c.setView3D(false);
        c.setMarksStyle(ChartControl::MarkValue);
        c.setValueFormat(QStringLiteral("###,###,###,##0.00"));
        c.renderImage(c.size()).save(dir + QStringLiteral("/neg_line_2d.png"));
    }
    // many dated points, upright labels, line 2D and 3D
    {
        ChartControl c;
        c.resize(900, 520);
        c.addSeries(ChartControl::Line);
        QDate d(2024, 1, 1);
        double x = 1300;
        for (int i = 0; i < 120; ++i) {
            x += rng.bounded(40.0) - 19.5;
            c.addPoint(x, d.addDays(i).toString(QStringLiteral("yyyy/MM/dd")), QColor(255, 255, 0));
        }
        c.setHeaderLine(0, QStringLiteral("일자 별 미달러"));
        c.setLeftAxisTitle(QStringLiteral("미달러"));
        c.setBottomLabelAngle(90);
        c.setMaxPointsPerPage(60);
        c.setFirstVisiblePoint(30);
        c.renderImage(c.size()).save(dir + QStringLiteral("/dates_line_2d.png"));
        c.setView3D(true);
        c.setMaxPointsPerPage(15);
        c.setMarksVisible(true);
        c.setValueFormat(QStringLiteral("###,###,###,##0.0"));
        c.renderImage(c.size()).save(dir + QStringLiteral("/dates_line_3d.png"));
    }
    // pie with small slices and a white others slice, marks "X값 Y비율 Y합계"
    {
        ChartControl c;
        c.resize(760, 480);
        c.addSeries(ChartControl::Pie);
        const double v[] = {500, 300, 120, 40, 22, 15, 12};
        for (int i = 0; i < 7; ++i)
            c.addPoint(v[i], labels[i], colours[i]);
        c.addPoint(9.5, QStringLiteral("기타"), Qt::white);
        c.setHeaderLine(0, QStringLiteral("업체 별 수량"));
        c.setMarksVisible(true);
        c.setMarksStyle(ChartControl::MarkLabelPercentTotal);
        c.setValueFormat(QStringLiteral("###,###,###,##0"));
        c.setPercentFormat(QStringLiteral("0.00%"));
        c.setView3D(true);
        c.setPieRotation(30);
        c.renderImage(c.size()).save(dir + QStringLiteral("/pie_small_3d.png"));
        c.setView3D(false);
        c.renderImage(QSize(420, 300)).save(dir + QStringLiteral("/pie_small_2d_tiny.png"));
    }
    // empty and single point
    {
        ChartControl c;
        c.resize(400, 260);
        c.addSeries(ChartControl::Bar);
        c.setHeaderLine(0, QStringLiteral("자료 없음"));
        c.renderImage(c.size()).save(dir + QStringLiteral("/empty_bar.png"));
        c.addPoint(42, QStringLiteral("하나"), colours[0]);
        c.setView3D(true);
        c.setMarksVisible(true);
        c.renderImage(c.size()).save(dir + QStringLiteral("/single_bar_3d.png"));
    }
    // small charts, as in a window at its smallest size
    for (int kind : {0, 1, 5}) {
        ChartControl c;
        c.resize(430, 300);
        c.addSeries(ChartControl::SeriesKind(kind));
        for (int i = 0; i < 12; ++i)
            c.addPoint(kind == 5 ? -values[i] : values[i], labels[i], kind == 0 ? QColor(255, 255, 0) : colours[i]);
        c.setHeaderLine(0, QStringLiteral("업체 별 미달러"));
        c.setLeftAxisTitle(QStringLiteral("미달러"));
        c.setView3D(true);
        c.setMarksVisible(true);
        c.setMarksStyle(kind == 5 ? ChartControl::MarkLabelPercent : ChartControl::MarkValue);
        c.setValueFormat(QStringLiteral("###,###,###,##0.00"));
        c.setPercentFormat(QStringLiteral("0.00%"));
        c.renderImage(c.size()).save(QStringLiteral("%1/small_%2.png").arg(dir).arg(kind));
    }
    // a pie of thirty slices
    {
        ChartControl c;
        c.resize(700, 480);
        c.addSeries(ChartControl::Pie);
        for (int i = 0; i < 30; ++i)
            c.addPoint(5 + (i * 37 % 23), QStringLiteral("항목 %1").arg(i + 1), colours[i % colours.size()]);
        c.setHeaderLine(0, QStringLiteral("항목 별 수량"));
        c.setMarksVisible(true);
        c.setMarksStyle(ChartControl::MarkLabelPercent);
        c.setPercentFormat(QStringLiteral("0.0%"));
        c.setView3D(true);
        c.renderImage(c.size()).save(dir + QStringLiteral("/pie_30.png"));
    }
    // the widget itself and its editor, as shown on screen
    {
        ChartControl c;
        c.resize(640, 420);
        c.addSeries(ChartControl::Bar);
        for (int i = 0; i < 8; ++i)
            c.addPoint(values[i], labels[i], colours[i]);
        c.setHeaderLine(0, QStringLiteral("업체 별 미달러"));
        c.setLeftAxisTitle(QStringLiteral("미달러"));
        c.setView3D(true);
        c.show();
        c.grab().save(dir + QStringLiteral("/widget.png"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir + QStringLiteral("/print.pdf"));
        c.setPrintDetail(50);
        c.print(&printer);
        ChartEditor e(&c);
        e.show();
        e.grab().save(dir + QStringLiteral("/editor.png"));
    }
    return 0;
}
