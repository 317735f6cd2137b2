#include "graph/graphlayout.h"

#include "gridnav/navmath.h"
#include "platform/win/rounding.h"

using Rounding::halfEven;

namespace {

// the layout's twips are fixed at 96 dpi, whatever the screen
constexpr double kTwipsPerPixel = 15;

} // namespace

namespace GraphWindowLayout {

int gridRows(double room)
{
    return NavMath::rowsIn(room);
}

double gridHeight(int rows)
{
    return NavMath::heightOf(rows);
}

double chartHeight(double panel1Height, double noteHeight)
{
    return panel1Height - 300 - (noteHeight > 0 ? noteHeight + 15 : 0);
}

std::optional<GraphLayout> compute(const GraphLayoutInput &in)
{
    if (in.outerWidth < kGraphMinOuterWidth || in.outerHeight < kGraphMinOuterHeight)
        return std::nullopt;
    const double W = in.innerWidth;
    const double H = in.innerHeight;
    GraphLayout l{};

    l.panel2 = QRectF(kGraphPanel2Left, kGraphPanel2Top, in.panel2Width, H - 90);
    const double room = l.panel2.height() - in.sumHeight - in.gridTop - 195;
    l.gridHeight = gridHeight(std::max(gridRows(room), 0));
    l.sumTop = in.gridTop + l.gridHeight - 15;

    l.panel1 = QRectF(kGraphPanel1Left, kGraphPanel1Top, W - in.panel2Width - 120,
                      H - in.optionHeight - in.scrollHeight - 105);
    l.scroll = QRectF(l.panel1.left(), l.panel1.bottom() - 15, l.panel1.width(), in.scrollHeight);
    l.scrollMiddleWidth = l.scroll.width() - 180;
    l.scrollRightLeft = l.scroll.width() - 90;
    l.scrollBarWidth = l.scroll.width() - in.scrollBarLeft - in.scrollFrameWidth + 210;
    l.scrollFrameLeft = l.scroll.width() - in.scrollFrameWidth - 45;

    l.chart = QRectF(kGraphChartLeft, kGraphChartTop, l.panel1.width() - 120,
                     chartHeight(l.panel1.height(), in.noteVisible ? in.noteHeight : 0));

    l.option = QRectF(l.panel1.left(), H - in.optionHeight - 45, l.panel1.width(), in.optionHeight);
    l.optionMiddleWidth = l.option.width() - 180;
    l.optionRightLeft = l.option.width() - 90;

    l.note = QPointF((l.panel1.width() - in.noteWidth) / 2, l.panel1.height() - in.noteHeight - 75);
    l.close = QPointF(l.option.width() - in.closeWidth - 45, 60);
    l.showEditLeft = l.close.x() - in.showEditWidth - 15;
    return l;
}

double scrollFrameWidth(double buttonsWidth)
{
    return buttonsWidth + 330;
}

QPointF centredPos(double screenWidth, double screenHeight, double width, double height)
{
    return QPointF((screenWidth - width) / 2, (screenHeight - height) / 2);
}

int picturePixels(double twips)
{
    return int(halfEven(twips / kTwipsPerPixel));
}

} // namespace GraphWindowLayout
