#pragma once

// What the parts of the graph window share: colours, fonts and a few design sizes.

#include "graph/graphdataset.h"
#include "platform/win/koreanfont.h"
#include "platform/win/wincolor.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace FrmSSGraphParts {

inline const QString kCrLf = QStringLiteral("\r\n");
constexpr int kWhite = WinColor::rgb(255, 255, 255);
constexpr int kBlack = 0;
constexpr int kHighlight = WinColor::rgb(255, 192, 192);
constexpr int kTotalColour = WinColor::rgb(0, 0, 100);
constexpr int kRed = 255;
constexpr int kLineYellow = 65535;
constexpr int kFirstPageSize = 15;
constexpr double kShowEditWidth = 1200; // the advanced-settings button with its words, twips
constexpr double kCrossGap = 150; // read-out frame off the cross-hair
constexpr double kCrossShapeExtra = 90; // read-out background wider than its text

inline QColor colorOf(int rgb)
{
    return WinColor::toQColor(quint32(rgb));
}
inline int rgbOf(const QColor &c)
{
    return WinColor::fromQColor(c);
}

// "굴림체", the fixed-width face of figures and read-outs.
inline QFont fixedFont(double points, bool bold = false)
{
    KoreanFont::installSubstitutes();
    QFont f(KoreanFont::fixedFace());
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace FrmSSGraphParts
