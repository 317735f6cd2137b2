#pragma once

#include <QList>
#include <QPoint>

// The pointer glide onto a control: eight equal steps, then exactly onto the target.
namespace MouseGlide {

constexpr int Steps = 8;
constexpr int StepMs = 10; // each step waits more than this

// Target in client pixels: 87 % across and 60 % down the control (control geometry in twips).
QPoint target(double leftTwips, double topTwips, double widthTwips, double heightTwips, double twipsPerPixelX,
              double twipsPerPixelY);

// The pointer positions of the glide from `from` to `to` (screen pixels): eight steps of the rounded
// eighth of the distance, then `to` itself.
QList<QPoint> path(const QPoint &from, const QPoint &to);

} // namespace MouseGlide
