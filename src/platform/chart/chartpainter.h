#pragma once

#include "platform/chart/chartlayout.h"

#include <memory>

class QPainter;

// Draws one chart from its settings and layout. The base draws the header and the legend around the
// series; each kind of series has its own painter. ChartControl::paint() picks one with forKind().
class ChartPainter
{
public:
    ChartPainter(const ChartSettings &settings, const ChartLayout &layout, double total);
    virtual ~ChartPainter();

    // The painter of the series kind (a plain one, header and legend only, without a series).
    static std::unique_ptr<ChartPainter> forKind(const ChartSettings &settings, const ChartLayout &layout,
                                                 double total);

    // Header, series, legend; the caller has filled the panel.
    void paint(QPainter *p) const;

protected:
    virtual void paintSeries(QPainter *p) const;
    QString markText(int index) const;

    const ChartSettings &m_s;
    const ChartLayout &m_l;
    const double m_total;

private:
    void paintHeader(QPainter *p) const;
    void paintLegend(QPainter *p) const;
};

// Line and bar: walls, grid, axes and value labels on a plot.
class ChartPlotPainter : public ChartPainter
{
public:
    using ChartPainter::ChartPainter;

protected:
    void paintAxes(QPainter *p) const;
    void paintMarks(QPainter *p) const;
};

class ChartBarPainter : public ChartPlotPainter
{
public:
    using ChartPlotPainter::ChartPlotPainter;

protected:
    void paintSeries(QPainter *p) const override;
};

class ChartLinePainter : public ChartPlotPainter
{
public:
    using ChartPlotPainter::ChartPlotPainter;

protected:
    void paintSeries(QPainter *p) const override;
};

class ChartPiePainter : public ChartPainter
{
public:
    using ChartPainter::ChartPainter;

protected:
    void paintSeries(QPainter *p) const override;
};

namespace ChartPlot {
// A mark: the text on a rounded white box with a thin border.
void drawMark(QPainter *p, const QRectF &box, const QString &text);
// Colour between a (t = 0) and b (t = 1).
QColor mix(const QColor &a, const QColor &b, double t);
} // namespace ChartPlot
