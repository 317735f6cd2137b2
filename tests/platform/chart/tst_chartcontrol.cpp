#include "platform/chart/chartcontrol.h"
#include "platform/chart/charteditor.h"
#include "platform/win/twips.h"

#include "../../common/fakeservices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A bar chart of n points with values 10, 20, 30... and a fixed 0..top axis.
void fillBars(ChartControl &c, int n, double top)
{
    c.addSeries(ChartControl::Bar);
    for (int i = 0; i < n; ++i)
        c.addPoint(10.0 * (i + 1), QStringLiteral("항목%1").arg(i + 1), QColor(200, 120, 40));
    c.setLeftAxisAutomatic(false);
    c.setLeftAxisMinMax(0, top);
}

// x of the centre of the point on screen, found through the bottom-axis conversion
double centreX(const ChartControl &c, int index)
{
    for (int x = 0; x < c.width(); ++x)
        if (c.bottomAxisValueAt(x) >= index)
            return x;
    return -1;
}

// y where the left axis reads value
double yOf(const ChartControl &c, double value)
{
    for (int y = c.height() - 1; y >= 0; --y)
        if (c.leftAxisValueAt(y) >= value)
            return y;
    return -1;
}

int distinctColours(const QImage &img)
{
    QSet<QRgb> seen;
    for (int y = 0; y < img.height(); y += 7)
        for (int x = 0; x < img.width(); x += 7)
            seen.insert(img.pixel(x, y));
    return int(seen.size());
}

} // namespace

class TestChartControl : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void seriesAndPoints();
    void headerLines();
    void markTexts_data();
    void markTexts();
    void axisValueFromMouse_data();
    void axisValueFromMouse();
    void conversionsFollowChanges();
    void pagingKeepsPointWidth();
    void plotStaysWhileScrolling();
    void scrollingClamps_data();
    void scrollingClamps();
    void hitTest_data();
    void hitTest();
    void clickSignals();
    void pieRotationMovesSlices();
    void drawsEveryKind_data();
    void drawsEveryKind();
    void extremeValuesDraw_data();
    void extremeValuesDraw();
    void jpegAtChartPixelSize();
    void jpegRefusesUnwritableFile();
    void printsToPdf();
    void editorApplies();
    void editorCancelKeepsSettings();

private:
    FakeServices m_fakes; // the program's services, faked where a test says so
};

void TestChartControl::cleanup()
{
    m_fakes.reset();
}

void TestChartControl::seriesAndPoints()
{
    ChartControl c;
    QCOMPARE(c.seriesCount(), 0);
    QCOMPARE(c.seriesKind(), ChartControl::NoSeries);
    QCOMPARE(c.addSeries(ChartControl::Pie), 0);
    QCOMPARE(c.seriesKind(), ChartControl::Pie);
    QCOMPARE(c.addPoint(3.5, QStringLiteral("가"), Qt::red), 0);
    QCOMPARE(c.addPoint(-1.5, QStringLiteral("나"), Qt::blue), 1);
    QCOMPARE(c.pointCount(), 2);
    QCOMPARE(c.point(1).label, QStringLiteral("나"));
    QCOMPARE(c.seriesTotal(), 2.0);
    c.setPointColour(0, Qt::green);
    QCOMPARE(c.point(0).colour, QColor(Qt::green));
    c.setPointColour(7, Qt::green); // out of range: ignored
    QCOMPARE(c.point(7).label, QString());
    c.setSeriesKind(ChartControl::SeriesKind(3)); // not a kind the chart draws
    QCOMPARE(c.seriesKind(), ChartControl::Pie);
    c.clearPoints();
    QCOMPARE(c.pointCount(), 0);
    c.removeAllSeries();
    QCOMPARE(c.seriesCount(), 0);
}

void TestChartControl::headerLines()
{
    ChartControl c;
    QCOMPARE(c.headerLine(0), QString());
    c.setHeaderLine(2, QStringLiteral("셋째"));
    QCOMPARE(c.headerText().size(), 3);
    c.setHeaderLine(0, QStringLiteral("업체 별 미달러"));
    QCOMPARE(c.headerLine(0), QStringLiteral("업체 별 미달러"));
    QCOMPARE(c.headerLine(-1), QString());
    QVERIFY(c.headerFont().bold());
    QCOMPARE(c.headerColour(), QColor(Qt::blue));
}

void TestChartControl::markTexts_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<QString>("text");
    // point 1 of 30, 10 (total 40)
    QTest::newRow("value, no decimals") << 0 << "###,###,###,##0"
                                        << "0%"
                                        << "10";
    QTest::newRow("percent, one decimal") << 1 << "###,###,###,##0.0"
                                          << "0.0%"
                                          << "25.0%";
    QTest::newRow("percent and total") << 6 << "###,###,###,##0.00"
                                       << "0.00%"
                                       << "25.00% / 40.00";
    QTest::newRow("label and value") << 4 << "###,###,###,##0.000"
                                     << "0.000%"
                                     << "원화 10.000";
    QTest::newRow("unknown style keeps the last") << 5 << "###,###,###,##0"
                                                  << "0%"
                                                  << "10";
}

void TestChartControl::markTexts()
{
    QFETCH(int, style);
    QFETCH(QString, format);
    QFETCH(QString, percent);
    ChartControl c;
    c.addSeries(ChartControl::Bar);
    c.addPoint(30, QStringLiteral("달러"), Qt::red);
    c.addPoint(10, QStringLiteral("원화"), Qt::blue);
    c.setMarksStyle(ChartControl::MarkValue);
    c.setMarksStyle(ChartControl::MarkStyle(style));
    c.setValueFormat(format);
    c.setPercentFormat(percent);
    QTEST(c.markText(1), "text");
    QCOMPARE(c.markText(2), QString());
}

void TestChartControl::axisValueFromMouse_data()
{
    QTest::addColumn<bool>("view3D");
    QTest::addColumn<int>("labelAngle");
    QTest::newRow("2D") << false << 0;
    QTest::newRow("3D") << true << 0;
    QTest::newRow("3D, upright labels") << true << 90;
}

void TestChartControl::axisValueFromMouse()
{
    QFETCH(bool, view3D);
    QFETCH(int, labelAngle);
    ChartControl c;
    c.resize(600, 400);
    fillBars(c, 10, 200);
    c.setView3D(view3D);
    c.setBottomLabelAngle(labelAngle);
    c.setHeaderLine(0, QStringLiteral("제목"));

    // left axis: higher on screen reads more, evenly
    const double y0 = yOf(c, 0);
    const double y200 = yOf(c, 200);
    QVERIFY(y0 > y200 && y200 >= 0);
    QVERIFY(qAbs(c.leftAxisValueAt((y0 + y200) / 2) - 100) < 2.0);
    QCOMPARE(c.leftAxisShownMaximum(), 200.0);
    QCOMPARE(c.leftAxisShownMinimum(), 0.0);

    // bottom axis: point centres one slot apart, starting near the left
    const double x0 = centreX(c, 0);
    const double x1 = centreX(c, 1);
    const double x9 = centreX(c, 9);
    QVERIFY(x0 > 0 && x1 > x0);
    QVERIFY(qAbs((x9 - x0) - 9 * (x1 - x0)) <= 9);
    QCOMPARE(int(std::lround(c.bottomAxisValueAt(x9))), 9);

    // the point found by the conversion is the point drawn there: the bar of value 50 (index 4)
    const double x4 = centreX(c, 4) + 1;
    QCOMPARE(c.pointAt(QPointF(x4, yOf(c, 25))), 4);
    QCOMPARE(c.pointAt(QPointF(x4, yOf(c, 150))), -1); // above the bar
}

void TestChartControl::conversionsFollowChanges()
{
    ChartControl c;
    c.resize(600, 400);
    fillBars(c, 10, 200);
    const double y = yOf(c, 100);
    const double x = centreX(c, 3);
    QVERIFY(qAbs(c.leftAxisValueAt(y) - 100) < 2);
    // a new axis range, a scroll, a resize and a larger header are all seen by the next conversion
    c.setLeftAxisMinMax(0, 400);
    QVERIFY(qAbs(c.leftAxisValueAt(y) - 200) < 4);
    c.setMaxPointsPerPage(5);
    c.setFirstVisiblePoint(5);
    QVERIFY(c.bottomAxisValueAt(x) > 5);
    const double before = c.leftAxisValueAt(y);
    c.resize(600, 800);
    QVERIFY(c.leftAxisValueAt(y) > before + 50);
    const double beforeHeader = c.leftAxisValueAt(300);
    c.setHeaderText({QStringLiteral("하나"), QStringLiteral("둘"), QStringLiteral("셋")});
    QVERIFY(c.leftAxisValueAt(300) > beforeHeader);
}

void TestChartControl::pagingKeepsPointWidth()
{
    ChartControl c;
    c.resize(600, 400);
    fillBars(c, 20, 200);
    c.setMaxPointsPerPage(15);
    QCOMPARE(c.pageCount(), 2);
    const double slotFirstPage = centreX(c, 1) - centreX(c, 0);
    const double firstCentre = centreX(c, 0);
    c.setFirstVisiblePoint(15); // last page: 5 points
    QCOMPARE(c.page(), 2);
    QCOMPARE(c.firstVisiblePoint(), 15);
    const double slotLastPage = centreX(c, 16) - centreX(c, 15);
    QCOMPARE(slotLastPage, slotFirstPage);
    QCOMPARE(centreX(c, 15), firstCentre);
    // the right part of the last page stays empty: nothing to hit there
    const double x19 = centreX(c, 19);
    QVERIFY(c.pointAt(QPointF(centreX(c, 20) + 1, yOf(c, 5))) == -1);
    QCOMPARE(c.pointAt(QPointF(x19 + 1, yOf(c, 5))), 19);

    c.setScaleLastPage(true);
    QVERIFY(centreX(c, 16) - centreX(c, 15) > slotFirstPage * 2);
}

void TestChartControl::plotStaysWhileScrolling()
{
    ChartControl c;
    c.resize(600, 400);
    c.addSeries(ChartControl::Bar);
    for (int i = 0; i < 20; ++i) // short labels first, long ones on the second page
        c.addPoint(i, i < 10 ? QStringLiteral("가") : QStringLiteral("아주 긴 항목 이름 %1").arg(i), Qt::red);
    c.setLeftAxisAutomatic(false);
    c.setLeftAxisMinMax(0, 100);
    c.setBottomLabelAngle(90);
    c.setMaxPointsPerPage(10);
    const double y50 = yOf(c, 50);
    c.setFirstVisiblePoint(10);
    QCOMPARE(yOf(c, 50), y50);
    c.setFirstVisiblePoint(0);
    QCOMPARE(yOf(c, 50), y50);
    // a longer label added later makes room for itself
    c.addPoint(1, QStringLiteral("이보다 훨씬 더 긴 항목 이름이 하나 더 있습니다"), Qt::red);
    QVERIFY(yOf(c, 50) < y50);
}

void TestChartControl::scrollingClamps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("first");
    QTest::newRow("one right") << 0 << 1 << 1;
    QTest::newRow("a page right") << 2 << 15 << 17;
    QTest::newRow("past the end stops at the last point") << 10 << 50 << 19;
    QTest::newRow("past the start stops at 0") << 3 << -10 << 0;
}

void TestChartControl::scrollingClamps()
{
    QFETCH(int, start);
    QFETCH(int, delta);
    ChartControl c;
    fillBars(c, 20, 200);
    c.setMaxPointsPerPage(15);
    c.setFirstVisiblePoint(start);
    c.scrollPoints(delta);
    QTEST(c.firstVisiblePoint(), "first");
}

void TestChartControl::hitTest_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("view3D");
    QTest::newRow("bar 2D") << 1 << false;
    QTest::newRow("bar 3D") << 1 << true;
    QTest::newRow("line 2D") << 0 << false;
}

void TestChartControl::hitTest()
{
    QFETCH(int, kind);
    QFETCH(bool, view3D);
    ChartControl c;
    c.resize(600, 400);
    fillBars(c, 6, 100);
    c.setSeriesKind(ChartControl::SeriesKind(kind));
    c.setView3D(view3D);
    for (int i = 0; i < 6; ++i) {
        const double x = centreX(c, i) + 1;
        const double y = kind == 1 ? yOf(c, 5) : yOf(c, 10.0 * (i + 1));
        QCOMPARE(c.pointAt(QPointF(x, y)), i);
    }
    QCOMPARE(c.pointAt(QPointF(2, 2)), -1);
}

void TestChartControl::clickSignals()
{
    ChartControl c;
    c.resize(600, 400);
    fillBars(c, 4, 100);
    QSignalSpy points(&c, &ChartControl::pointClicked);
    QSignalSpy clicks(&c, &ChartControl::chartClicked);
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(int(centreX(c, 2)) + 1, int(yOf(c, 5))));
    QCOMPARE(points.count(), 1);
    QCOMPARE(points.at(0).at(0).toInt(), 2);
    QTest::mouseClick(&c, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(points.count(), 1);
    QCOMPARE(clicks.count(), 2);
}

void TestChartControl::pieRotationMovesSlices()
{
    ChartControl c;
    c.resize(600, 400);
    c.addSeries(ChartControl::Pie);
    c.addPoint(1, QStringLiteral("가"), Qt::red);
    c.addPoint(1, QStringLiteral("나"), Qt::green);
    c.addPoint(2, QStringLiteral("다"), Qt::blue);
    // 2D: the disc is centred at half the height; just right of centre and above lies slice 0
    const QPointF rightAbove(330, 190);
    QCOMPARE(c.pointAt(rightAbove), 0);
    c.setPieRotation(90); // slice 0 now covers 90..180
    QCOMPARE(c.pieRotation(), 90);
    QCOMPARE(c.pointAt(rightAbove), 2);
    QCOMPARE(c.pointAt(QPointF(270, 190)), 0);
    c.setPieRotation(-45);
    QCOMPARE(c.pieRotation(), 315);
    c.setPieRotation(405);
    QCOMPARE(c.pieRotation(), 45);
    // 3D: the disc's centre is raised by 28 pixels
    c.setPieRotation(0);
    c.setView3D(true);
    QCOMPARE(c.pointAt(QPointF(330, 200 - 28 - 3)), 0);
    QCOMPARE(c.pointAt(QPointF(330, 200 - 28 + 3)), 2);
}

void TestChartControl::drawsEveryKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("view3D");
    for (int kind : {0, 1, 5})
        for (bool d3 : {false, true})
            QTest::addRow("kind %d %s", kind, d3 ? "3D" : "2D") << kind << d3;
}

void TestChartControl::drawsEveryKind()
{
    QFETCH(int, kind);
    QFETCH(bool, view3D);
    ChartControl c;
    c.resize(500, 320);
    c.addSeries(ChartControl::SeriesKind(kind));
    const QColor colour(220, 60, 30);
    c.addPoint(40, QStringLiteral("일"), colour);
    c.addPoint(60, QStringLiteral("이"), colour);
    c.setView3D(view3D);
    c.setMarksVisible(true);
    c.setHeaderLine(0, QStringLiteral("그래프"));
    const QImage img = c.renderImage(c.size());
    QCOMPARE(img.size(), QSize(500, 320));
    // the series' colour is on the picture, the panel colour at the corner
    bool found = false;
    for (int y = 0; y < img.height() && !found; ++y)
        for (int x = 0; x < img.width() && !found; ++x)
            found = QColor(img.pixel(x, y)) == colour;
    QVERIFY(found);
    QVERIFY(distinctColours(img) > 20);
    // an empty chart draws too, without a series
    ChartControl empty;
    QCOMPARE(empty.renderImage(QSize(100, 80)).pixelColor(50, 40), empty.panelColour());
}

void TestChartControl::extremeValuesDraw_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<QVector<double>>("values");
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int kind : {0, 1, 5}) {
        for (bool automatic : {true, false}) {
            const char *a = automatic ? "auto" : "fixed";
            QTest::addRow("kind %d %s: the whole double scale", kind, a)
                << kind << automatic << QVector<double>{1e308, -1e308, 5};
            QTest::addRow("kind %d %s: not numbers", kind, a)
                << kind << automatic << QVector<double>{nan, inf, -inf, 2};
            QTest::addRow("kind %d %s: tiny", kind, a) << kind << automatic << QVector<double>{1e-300, 2e-300};
            QTest::addRow("kind %d %s: all zero", kind, a) << kind << automatic << QVector<double>{0, 0, 0};
        }
    }
}

void TestChartControl::extremeValuesDraw()
{
    QFETCH(int, kind);
    QFETCH(bool, automatic);
    QFETCH(QVector<double>, values);
    ChartControl c;
    c.resize(400, 300);
    c.addSeries(ChartControl::SeriesKind(kind));
    double lo = 0;
    double hi = 0;
    for (double v : values) {
        c.addPoint(v, QStringLiteral("값"), Qt::red);
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    for (int i = 0; i < c.pointCount(); ++i) // what cannot be drawn is kept as 0
        QVERIFY(std::isfinite(c.point(i).value));
    c.setLeftAxisAutomatic(automatic);
    c.setLeftAxisMinMax(lo, hi);
    c.setMarksVisible(true);
    c.setMarksStyle(ChartControl::MarkLabelPercentTotal);
    c.setView3D(true);
    const QImage img = c.renderImage(c.size());
    QCOMPARE(img.size(), QSize(400, 300));
    QVERIFY(std::isfinite(c.leftAxisShownMaximum()));
    QVERIFY(c.leftAxisShownMaximum() > c.leftAxisShownMinimum());
    if (kind != ChartControl::Pie)
        QVERIFY(std::isfinite(c.leftAxisValueAt(150)));
    c.pointAt(QPointF(200, 150)); // must not fail
}

void TestChartControl::jpegAtChartPixelSize()
{
    m_fakes->twipsPerPixel = 15;
    ChartControl c;
    Twips::resize(&c, 9000, 6000);
    fillBars(c, 8, 100);
    c.setHeaderLine(0, QStringLiteral("일자 별 미달러"));
    const int w = int(std::lround(Twips::width(&c) / 15));
    const int h = int(std::lround(Twips::height(&c) / 15));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("20240101 일자 별 미달러.jpg"));
    const ChartControl::ExportResult r = c.exportJpeg(file, w, h, 100);
    QVERIFY2(r.ok, qPrintable(r.errorText));
    QImageReader reader(file);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage img = reader.read();
    QCOMPARE(img.size(), QSize(600, 400));
    QVERIFY(distinctColours(img) > 20);
    // replacing the picture works and leaves no temporary files behind
    QVERIFY(c.exportJpeg(file, 300, 200).ok);
    QCOMPARE(QImageReader(file).size(), QSize(300, 200));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestChartControl::jpegRefusesUnwritableFile()
{
    ChartControl c;
    fillBars(c, 3, 50);
    QTemporaryDir dir;
    // a folder that does not exist
    ChartControl::ExportResult r = c.exportJpeg(dir.filePath(QStringLiteral("없음/a.jpg")), 60, 40);
    QVERIFY(!r.ok);
    QVERIFY(!r.errorText.isEmpty());
    QVERIFY(r.fileError != QFileDevice::NoError);
    // a directory in the way of the file
    QDir(dir.path()).mkdir(QStringLiteral("b.jpg"));
    r = c.exportJpeg(dir.filePath(QStringLiteral("b.jpg")), 60, 40);
    QVERIFY(!r.ok);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("b.jpg"))).isDir());
    // an unwritable file keeps its contents (only meaningful when permissions apply to us)
    const QString locked = dir.filePath(QStringLiteral("c.jpg"));
    {
        QFile f(locked);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    QFile probe(locked);
    if (probe.open(QIODevice::ReadWrite))
        QSKIP("running with rights that ignore file permissions");
    r = c.exportJpeg(locked, 60, 40);
    QVERIFY(!r.ok);
    QCOMPARE(r.fileError, QFileDevice::OpenError);
    QCOMPARE(r.errorText, QStringLiteral("Permission denied"));
    QFile f(locked);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old"));
}

void TestChartControl::printsToPdf()
{
    ChartControl c;
    c.resize(600, 400);
    fillBars(c, 6, 100);
    c.setPrintDetail(50);
    c.setPrintMargins(15, 15, 15, 15);
    c.setPrintOrientation(1);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    QVERIFY(c.print(&printer));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.size() > 2000);

    c.setPrintOrientation(2);
    QPrinter landscape(QPrinter::HighResolution);
    landscape.setOutputFormat(QPrinter::PdfFormat);
    landscape.setOutputFileName(dir.filePath(QStringLiteral("wide.pdf")));
    QVERIFY(c.print(&landscape));
    QCOMPARE(landscape.pageLayout().orientation(), QPageLayout::Landscape);
    QVERIFY(!c.print(nullptr));
}

void TestChartControl::editorApplies()
{
    ChartControl c;
    fillBars(c, 5, 100);
    c.setHeaderLine(0, QStringLiteral("처음"));
    bool seen = false;
    ChartEditor::answerHook() = [&seen](ChartEditor *e) {
        seen = true;
        QCOMPARE(e->headerEdit()->text(), QStringLiteral("처음"));
        QVERIFY(!e->view3DBox()->isChecked());
        e->view3DBox()->setChecked(true);
        e->headerEdit()->setText(QStringLiteral("바뀐 제목"));
        e->kindBox()->setCurrentIndex(2); // 원형
        e->marksBox()->setChecked(true);
        e->marksStyleBox()->setCurrentIndex(4); // "X값 Y값"
        QVERIFY(!e->leftAutoBox()->isChecked());
        QCOMPARE(e->leftMaxBox()->value(), 100.0);
        e->leftMaxBox()->setValue(-20); // below the minimum: the range is put the right way round
        e->leftMinBox()->setValue(300);
        e->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    };
    QVERIFY(c.showEditor());
    QVERIFY(seen);
    QVERIFY(c.view3D());
    QCOMPARE(c.headerLine(0), QStringLiteral("바뀐 제목"));
    QCOMPARE(c.seriesKind(), ChartControl::Pie);
    QVERIFY(c.marksVisible());
    QCOMPARE(c.marksStyle(), ChartControl::MarkLabelValue);
    QCOMPARE(c.pointCount(), 5); // the points stay
    QCOMPARE(c.leftAxisMinimum(), -20.0);
    QCOMPARE(c.leftAxisMaximum(), 300.0);
}

void TestChartControl::editorCancelKeepsSettings()
{
    ChartControl c;
    fillBars(c, 5, 100);
    ChartEditor::answerHook() = [](ChartEditor *e) {
        e->view3DBox()->setChecked(true);
        e->leftAutoBox()->setChecked(true);
        e->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    };
    QVERIFY(!c.showEditor());
    QVERIFY(!c.view3D());
    QVERIFY(!c.leftAxisAutomatic());
    QCOMPARE(c.leftAxisMaximum(), 100.0);
}

QTEST_MAIN(TestChartControl)
#include "tst_chartcontrol.moc"
