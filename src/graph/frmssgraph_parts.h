#pragma once

// What the parts of the graph window share: colours, fonts and a few design sizes.

#include "graph/graphdataset.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace FrmSSGraphParts {

inline const QString kCrLf = QStringLiteral("\r\n");
constexpr int kWhite = zzRgb(255, 255, 255);
constexpr int kBlack = 0;
constexpr int kHighlight = zzRgb(255, 192, 192);
constexpr int kTotalColour = zzRgb(0, 0, 100);
constexpr int kRed = 255;
constexpr int kLineYellow = 65535;
constexpr int kFirstPageSize = 15;
constexpr double kShowEditWidth = 1200; // the advanced-settings button with its words, twips
constexpr double kCrossGap = 150; // read-out frame off the cross-hair
constexpr double kCrossShapeExtra = 90; // read-out background wider than its text

inline QColor colorOf(int rgb)
{
    return QColor(rgb & 255, (rgb >> 8) & 255, (rgb >> 16) & 255);
}
inline int rgbOf(const QColor &c)
{
    return zzRgb(c.red(), c.green(), c.blue());
}

// "굴림체", the fixed-width face of figures and read-outs.
inline QFont fixedFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("굴림체"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace FrmSSGraphParts
