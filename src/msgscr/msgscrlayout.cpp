#include "msgscr/msgscrlayout.h"

#include "platform/win/rounding.h"

#include <algorithm>
#include <cmath>

using namespace MsgScrMetrics;

namespace {

// A row of three tiles: fixed corners, a stretched middle.
std::array<TwipRect, 3> tileRow(double left, double top, double corner, double midWidth, double height,
                                double cornerHeight)
{
    return {TwipRect{left, top, corner, cornerHeight}, TwipRect{left + corner, top, midWidth, height},
            TwipRect{left + corner + midWidth, top, corner, cornerHeight}};
}

} // namespace

MsgScrLayout MsgScrGeometry::layout(const MsgScrLayoutInput &in)
{
    MsgScrLayout l;

    // 1. body width from the widest line; lines stacked 270 twips apart
    double w = 0;
    for (qsizetype i = 0; i < in.lineWidths.size(); ++i) {
        if (in.lineWidths[i] > w)
            w = Rounding::halfEven(in.lineWidths[i]);
        l.lines.append(TwipRect{LineLeft, LineTop + LinePitch * double(i), in.lineWidths[i], LineHeight});
    }
    w = std::max(w, GaugeWidth);

    // 2. body height; the progress bar takes room under the lines
    const double n = double(std::max<qsizetype>(in.lineWidths.size(), 1));
    l.progressVisible = in.buttons == 4;
    double h = l.progressVisible ? LinePitch * n + 600 : LinePitch * n - 210;
    h = std::max(h, MinBodyHeight);
    l.bodyWidth = w;
    l.bodyHeight = h;

    // 3. progress bar, placed for every set
    l.progrBox = {LineLeft, h + 480, w, ProgrHeight};
    l.progrPieces = {TwipRect{0, 0, ProgrEnd, ProgrHeight}, TwipRect{ProgrEnd, 0, w - 2 * ProgrEnd, ProgrHeight},
                     TwipRect{w - ProgrEnd, 0, ProgrEnd, ProgrHeight}};
    l.progrCover = {ProgrEnd, 0, w - ProgrEnd, ProgrHeight};
    l.progrLabel = {LineLeft + (w - in.progrLabelWidth) / 2, h + 240, in.progrLabelWidth, LineHeight};

    // 4. window frame
    const double fw = w + 1400;
    const double fh = h + 1200;
    l.frameTop = tileRow(0, 0, FrameCorner, fw, FrameTopHeight, FrameTopHeight);
    l.frameMid = tileRow(0, FrameTopHeight, FrameCorner, fw, fh, fh);
    l.frameBtm = tileRow(0, fh + FrameTopHeight, FrameCorner, fw, in.bottomTileHeight, in.bottomTileHeight);

    // 5. text box
    const double tw = w + 120;
    const double th = h + 240;
    l.textTop = tileRow(1140, 600, TextCorner, tw, TextCorner, TextCorner);
    l.textMid = tileRow(1140, 690, TextCorner, tw, th, th);
    l.textBtm = tileRow(1140, th + 690, TextCorner, tw, TextCorner, TextCorner);

    // 6. pictures and labels
    l.icon = {220, 600, IconSize, IconSize};
    l.heading = {90, 1500, HeadingWidth, HeadingHeight};
    l.title = {1125, 240, l.textTop[1].width + 180, TitleHeight};
    l.infor = {l.textBtm[2].left - in.inforWidth + 90, l.frameBtm[0].top - 285, in.inforWidth, InforHeight};
    l.emblem = {l.frameBtm[2].left - in.emblemWidth, l.frameBtm[0].top + 90, in.emblemWidth, EmblemHeight};

    // 7. window size: the client area is (W + 1700) x (H + 2220)
    l.clientWidth = l.frameTop[0].width + l.frameTop[1].width + l.frameTop[2].width;
    l.clientHeight = l.frameTop[0].height + l.frameMid[0].height + l.frameBtm[0].height;
    l.windowWidth = l.clientWidth + in.frameExtraWidth;
    l.windowHeight = l.clientHeight + in.frameExtraHeight;

    // 9. buttons: one centred, or the Yes/No pair 300 twips apart about the centre line
    const double y = Rounding::halfEven(l.frameBtm[0].top + 180);
    const double c = Rounding::halfEven((l.clientWidth - in.buttonWidth) / 2);
    double x = c;
    if (in.buttons == 3) {
        const double d = Rounding::halfEven(in.buttonWidth / 2 + 150);
        x = c - d;
        l.buttons[3] = {c + d, y, in.buttonWidth, ButtonHeight};
        l.lastButtonPlaced = true;
    }
    for (int i = 0; i < 3; ++i)
        l.buttons[i] = {x, y, in.buttonWidth, ButtonHeight};
    return l;
}

QPointF MsgScrGeometry::centredPosition(const TwipRect &owner, double width, double height)
{
    return {owner.left + (owner.width - width) / 2, owner.top + (owner.height - height) / 2};
}

double MsgScrGeometry::clampPercent(double percent)
{
    if (std::isnan(percent))
        return 0;
    return std::clamp(percent, 0.0, 100.0);
}

double MsgScrGeometry::coverLeft(double innerWidth, double percent)
{
    return ProgrEnd + (innerWidth - ProgrEnd) * clampPercent(percent) / 100;
}

QString MsgScrGeometry::percentText(double percent)
{
    return QString::number(clampPercent(percent), 'f', 1) + QLatin1Char('%');
}
