#pragma once

#include "platform/chart/chartlayout.h"

#include <QColor>
#include <QFileDevice>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class ChartEditor;

// The chart component: one series drawn as line, bar or pie, flat or with an oblique 3D look.
//
// Everything is drawn by paint(QPainter*, QRectF), so the screen, the JPEG export and the printer
// share one code path. Inside paint() all lengths are logical pixels of the target rectangle
// (a 96-dpi screen pixel; fonts are sized in those pixels, not in points of the device).
//
// Pie placement: the disc is centred horizontally; its centre lies at half the chart's height in 2D
// and 420 twips (28 pixels at 96 dpi) higher in 3D, so a caller may draw a start-angle marker from
// three quarters of the width to the right edge at that height. Slices start at 3 o'clock (0 degrees)
// plus the rotation and run counter-clockwise in point order.
class ChartControl : public QWidget
{
    Q_OBJECT

public:
    enum SeriesKind { NoSeries = -1, Line = 0, Bar = 1, Pie = 5 };

    // Contents of a mark (value label) on each point.
    enum MarkStyle {
        MarkValue = 0, // the value
        MarkPercent = 1, // the point's share of the series total
        MarkLabel = 2, // the point's label
        MarkLabelPercent = 3, // label and share
        MarkLabelValue = 4, // label and value
        MarkPercentTotal = 6, // share and series total
        MarkLabelPercentTotal = 7, // label, share and series total
    };

    // Result of a picture export. fileError tells "permission denied" (and the like) apart.
    struct ExportResult
    {
        bool ok = false;
        QFileDevice::FileError fileError = QFileDevice::NoError;
        QString errorText; // the system's description of the failure, empty on success
    };

    explicit ChartControl(QWidget *parent = nullptr);
    ~ChartControl() override;

    // ---- series (the chart holds at most one) ----
    void removeAllSeries();
    int addSeries(SeriesKind kind); // returns the series index (0); NoSeries makes a bar series
    int seriesCount() const;
    SeriesKind seriesKind() const; // kind of series 0; NoSeries when there is none
    void setSeriesKind(SeriesKind kind); // NoSeries is ignored

    void clearPoints();
    int addPoint(double value, const QString &label, const QColor &colour); // returns the point's index
    int pointCount() const;
    ChartPoint point(int index) const;
    void setPointColour(int index, const QColor &colour);
    const QVector<ChartPoint> &points() const { return m_s.points; }
    double seriesTotal() const; // sum of all point values

    // ---- marks (value labels) ----
    void setMarksVisible(bool on);
    bool marksVisible() const { return m_s.marksVisible; }
    void setMarksStyle(MarkStyle style); // a number outside MarkStyle is ignored
    MarkStyle marksStyle() const { return MarkStyle(m_s.marksStyle); }
    void setMarksFont(const QFont &font);
    QFont marksFont() const { return m_s.marksFont; }
    // Number formats as the forms write them: "###,###,###,##0.00" (value), "0.00%" (percent;
    // the percent sign is literal, the number is already in percent).
    void setValueFormat(const QString &format);
    QString valueFormat() const { return m_s.valueFormat; }
    void setPercentFormat(const QString &format);
    QString percentFormat() const { return m_s.percentFormat; }
    // Text of the mark of one point under the current style and formats.
    QString markText(int index) const;

    // ---- 3D ----
    void setView3D(bool on);
    bool view3D() const { return m_s.view3D; }
    void setView3DDepth(int percent); // depth of the oblique look, percent of the plot size
    int view3DDepth() const { return m_s.depthPercent; }
    // Line series markers: shown as dots (2D look) or as small boxes with an outline (3D look).
    void setLineMarkersVisible(bool on);
    bool lineMarkersVisible() const { return m_s.lineMarkers; }
    void setLineMarkerOutline(const QColor &colour);

    // ---- header, panel, walls, legend ----
    void setHeaderText(const QStringList &lines);
    void setHeaderLine(int line, const QString &text); // grows the list as needed
    QString headerLine(int line) const; // empty when the line does not exist
    QStringList headerText() const { return m_s.header; }
    void setHeaderFont(const QFont &font);
    QFont headerFont() const { return m_s.headerFont; }
    void setHeaderColour(const QColor &colour);
    QColor headerColour() const { return m_s.headerColour; }

    void setPanelColour(const QColor &colour); // the chart's background
    QColor panelColour() const { return m_s.panelColour; }
    void setWallColour(const QColor &colour); // back, left and bottom walls
    QColor wallColour() const { return m_s.wallColour; }
    void setWallDetailColour(const QColor &colour); // edges and the 3D sides of the left and bottom walls
    QColor wallDetailColour() const { return m_s.wallDetail; }
    void setLegendVisible(bool on);
    bool legendVisible() const { return m_s.legendVisible; }

    // ---- axes ----
    void setLeftAxisTitle(const QString &title);
    QString leftAxisTitle() const { return m_s.leftTitle; }
    void setBottomAxisTitle(const QString &title);
    QString bottomAxisTitle() const { return m_s.bottomTitle; }
    void setLeftAxisAutomatic(bool on);
    bool leftAxisAutomatic() const { return m_s.leftAuto; }
    void setLeftAxisMinMax(double minimum, double maximum); // used while the axis is not automatic
    void setLeftAxisMaximum(double maximum);
    void setLeftAxisMinimum(double minimum);
    double leftAxisMaximum() const { return m_s.leftMax; }
    double leftAxisMinimum() const { return m_s.leftMin; }
    void setBottomAxisAutomatic(bool on);
    bool bottomAxisAutomatic() const { return m_s.bottomAuto; }
    void setBottomLabelAngle(int degrees); // 0 or 90
    int bottomLabelAngle() const { return m_s.labelAngle; }
    void setAxisFont(const QFont &font); // labels and titles of both axes
    QFont axisFont() const { return m_s.axisFont; }
    // The lowest and highest value the left axis shows now (after automatic scaling).
    double leftAxisShownMinimum() const;
    double leftAxisShownMaximum() const;

    // ---- paging and scrolling (line and bar) ----
    void setMaxPointsPerPage(int points); // 0 = all points on one page
    int maxPointsPerPage() const { return m_s.perPage; }
    void setFirstVisiblePoint(int index); // 0-based; clamped to the points
    int firstVisiblePoint() const { return m_s.first; }
    void scrollPoints(int delta); // moves the bottom axis by whole points
    int pageCount() const;
    int page() const; // 1-based page holding the first visible point
    void setPage(int page);
    // The last page keeps the width of a point as on full pages (false) or spreads its points (true).
    void setScaleLastPage(bool on);
    bool scaleLastPage() const { return m_s.scaleLastPage; }

    // ---- pie ----
    void setPieRotation(int degrees);
    int pieRotation() const { return m_s.rotation; }

    // ---- mouse ----
    void setMouseZoomEnabled(bool on) { m_zoomEnabled = on; }
    bool mouseZoomEnabled() const { return m_zoomEnabled; }
    void setMouseScrollEnabled(bool on) { m_scrollEnabled = on; } // wheel scrolls by points
    bool mouseScrollEnabled() const { return m_scrollEnabled; }
    // Axis values under a widget position (pixels). Bottom: the 0-based point index, fractional,
    // the centre of point i reads i. Left: the value on the left axis.
    double bottomAxisValueAt(double xPixel) const;
    double leftAxisValueAt(double yPixel) const;
    // Index of the point (bar, slice or line marker) under a widget position, -1 when none.
    int pointAt(const QPointF &pos) const;
    // Where the value marks of the shown points stand (pixels; an empty box is a mark with no room),
    // and the front plane of the plot, for hit tests and checks.
    QVector<QRectF> markBoxes() const;
    QRectF plotFront() const;

    // ---- output ----
    // Draws the whole chart into rect of any paint device.
    void paint(QPainter *painter, const QRectF &rect) const;
    QImage renderImage(const QSize &pixels) const;
    // Writes a JPEG picture of widthPx x heightPx; the file is replaced only when the whole picture was
    // written. quality 0..100.
    ExportResult exportJpeg(const QString &fileName, int widthPx, int heightPx, int quality = 100,
                            bool greyScale = false) const;
    // Printer settings: detail -100..100 (higher draws more finely: smaller text on the page),
    // margins in percent of the page, orientation 1 portrait / 2 landscape.
    void setPrintDetail(int detail);
    int printDetail() const { return m_printDetail; }
    void setPrintMargins(int left, int top, int right, int bottom);
    QMargins printMargins() const { return m_printMargins; }
    void setPrintOrientation(int code);
    int printOrientation() const { return m_printOrientation; }
    // Prints the chart on one page of printer (already chosen by the caller); false when the printer
    // could not be started.
    bool print(QPrinter *printer) const;

    // ---- editor ----
    // Opens the modal editor for the main settings; true when the user applied changes. The
    // editor's answerHook(), when set, answers it.
    bool showEditor();

signals:
    void pointClicked(int index); // a left click on a point
    void chartClicked(const QPoint &pos); // every left click, after pointClicked
    void mouseMoved(const QPoint &pos);
    void scrolled(int firstVisiblePoint); // the wheel moved the page
    void changed(); // any setting or point changed (repaint pending)

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    ChartLayout computeLayout(const QRectF &rect) const;
    const ChartLayout &cachedLayout() const; // layout of the widget's own rectangle, kept until a change
    void touch();

    ChartSettings m_s; // what is drawn; the layout and the painters read it

    bool m_zoomEnabled = true;
    bool m_scrollEnabled = true;

    int m_printDetail = 0;
    QMargins m_printMargins = QMargins(15, 15, 15, 15);
    int m_printOrientation = 1;

    // caches: dropped by every change (touch) and, for the layout, when the size changes
    mutable std::shared_ptr<ChartLayout> m_layout;
    mutable QRectF m_layoutRect;
    mutable double m_total = 0.0;
    mutable bool m_totalValid = false;
    mutable double m_labelWidth = -1.0; // widest label in pixels, < 0 = to measure; kept while scrolling

    friend class ChartEditor;
};
