#pragma once

#include <QString>

// Geometry of the main window in twips, as pure arithmetic the window applies.
namespace RateLayout {

// The window as designed (outer size) and its client area.
inline constexpr double FormWidth = 12120;
inline constexpr double FormHeight = 9510;
inline constexpr double ClientWidth = 11985; // leaves the panels their designed 11895 width
inline constexpr double ClientHeight = 9015;
inline constexpr double TopPanelHeight = 1500;
inline constexpr double ToggleWidth = 255;
inline constexpr double ToggleHeight = 240;
inline constexpr double FrameLeft = 135;

struct Input
{
    double clientWidth = 0;
    double clientHeight = 0;
    bool expanded = true; // the expand button is down
    double topPanelHeight = TopPanelHeight;
    double frameWidth = 10680; // fmeTOP_BACK
    bool centerFrame = false;
    double toggleWidth = ToggleWidth;
};

struct Result
{
    double panelWidth = 0; // xPanel1 and xPanel2
    double imageWidth = 0; // imgTOP_BACK
    double frameLeft = 0; // fmeTOP_BACK (only meaningful while expanded)
    double mainTop = 0; // xPanel2
    double mainHeight = 0;
    double gridWidth = 0; // SS
    // the toggles, in the top panel's coordinates (the window adds the panel's left)
    double collapseLeft = 0; // optTOP_UpDown(1)
    double expandLeft = 0; // optTOP_UpDown(0)
    double alignLeft = 0; // optTOP_UpDown1(0) and (1): one place, one of them shown
};

// The resize rules: panels as wide as the client less 90, the main panel under the top panel
// (or at 45 when it is collapsed) down to 45 above the bottom, the grid 510 narrower than the
// main panel, the toggles 105 from the top panel's right edge.
Result resize(const Input &in);

// Left of the frame in the top panel: 135, or centred.
double frameLeft(double panelWidth, double frameWidth, bool centerFrame);

// Height step of the ten-step slide: (fullHeight - 300) / 10, whole twips (120 for 1500).
int slideStep(double fullHeight);

} // namespace RateLayout
