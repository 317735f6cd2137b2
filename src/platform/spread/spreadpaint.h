#pragma once

#include "spreadformat.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// Colours and the cell painting shared by the cell area, the headers and the corner.
namespace SpreadPaint {

QColor gridLine(); // light line between data cells
QColor headerLine(); // slightly darker line between header cells
constexpr int TextPadding = 3; // pixels left and right of a cell's text

// Fills the cell, draws its text by the format and the grid line on its right and bottom edge.
void paintCell(QPainter *p, const QRect &rect, const QString &text, const SpreadFormat &f, bool header);
// Cell borders set by the program (drawn over the grid lines).
void paintBorders(QPainter *p, const QRect &rect, const SpreadFormat &f);

} // namespace SpreadPaint
