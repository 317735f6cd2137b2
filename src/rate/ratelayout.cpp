#include "rate/ratelayout.h"

#include <cmath>

namespace RateLayout {

double frameLeft(double panelWidth, double frameWidth, bool centerFrame)
{
    return centerFrame ? (panelWidth - frameWidth) / 2 : FrameLeft;
}

Result resize(const Input &in)
{
    Result r;
    r.panelWidth = in.clientWidth - 90;
    r.imageWidth = r.panelWidth - 90;
    r.frameLeft = frameLeft(r.panelWidth, in.frameWidth, in.centerFrame);
    r.mainTop = in.expanded ? in.topPanelHeight + 90 : 45;
    r.collapseLeft = r.panelWidth - in.toggleWidth - 105;
    r.expandLeft = r.collapseLeft - in.toggleWidth;
    r.alignLeft = r.collapseLeft - 2 * in.toggleWidth;
    r.mainHeight = in.clientHeight - r.mainTop - 45;
    r.gridWidth = r.panelWidth - 510;
    return r;
}

int slideStep(double fullHeight)
{
    // whole twips, halves to even as the form's integer conversion rounds
    return int(std::nearbyint((fullHeight - 300) / 10));
}

} // namespace RateLayout
