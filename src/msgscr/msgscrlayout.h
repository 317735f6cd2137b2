#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include <array>

// Geometry of the message screen, in twips, relative to the window's client area.
// Pure arithmetic: the window only applies what these functions return.

struct TwipRect
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const TwipRect &) const = default;
};

struct MsgScrLayoutInput
{
    QList<double> lineWidths; // each body line fitted to its text
    qint32 buttons = 0; // button set 0..4
    double inforWidth = 0; // prompt line fitted to its text
    double progrLabelWidth = 0; // percentage label fitted to its text
    double buttonWidth = 1335;
    double emblemWidth = 825;
    double bottomTileHeight = 780;
    // outer border and title bar around the client area (90 x 480 for a standard dialog frame)
    double frameExtraWidth = 90;
    double frameExtraHeight = 480;
};

struct MsgScrLayout
{
    double bodyWidth = 0; // W: widest body line, at least the 45-character gauge
    double bodyHeight = 0; // H: text box inner height for the lines (and progress bar)

    QList<TwipRect> lines;
    std::array<TwipRect, 3> frameTop, frameMid, frameBtm;
    std::array<TwipRect, 3> textTop, textMid, textBtm;
    TwipRect icon, heading, title, infor, emblem;

    bool progressVisible = false;
    TwipRect progrBox; // picProgr
    std::array<TwipRect, 3> progrPieces; // inside progrBox
    TwipRect progrCover; // inside progrBox, at 0 %
    TwipRect progrLabel;

    std::array<TwipRect, 4> buttons;
    bool lastButtonPlaced = false; // element 3 is placed only for the Yes/No pair

    double clientWidth = 0;
    double clientHeight = 0;
    double windowWidth = 0; // client plus the frame allowance
    double windowHeight = 0;
};

namespace MsgScrMetrics {
constexpr double GaugeWidth = 4050; // 45 characters of 9 pt fixed-pitch text
constexpr double MinBodyHeight = 1140; // five lines
constexpr double LineLeft = 1290;
constexpr double LineTop = 750;
constexpr double LinePitch = 270;
constexpr double LineHeight = 180;
constexpr double TitleHeight = 240;
constexpr double ButtonHeight = 435;
constexpr double ProgrHeight = 390;
constexpr double ProgrEnd = 30;
constexpr double FrameCorner = 150;
constexpr double FrameTopHeight = 240;
constexpr double TextCorner = 90;
constexpr double IconSize = 780;
constexpr double HeadingWidth = 1020;
constexpr double HeadingHeight = 675;
constexpr double EmblemHeight = 600;
constexpr double InforHeight = 180;
} // namespace MsgScrMetrics

namespace MsgScrGeometry {

MsgScrLayout layout(const MsgScrLayoutInput &in);

// Left and top of a window of the given outer size centred over its owner's outer rectangle.
QPointF centredPosition(const TwipRect &owner, double width, double height);

// Progress: percent clamped to 0..100; left edge of the cover inside the bar; label text "42.5%".
double clampPercent(double percent);
double coverLeft(double innerWidth, double percent);
QString percentText(double percent);

} // namespace MsgScrGeometry
