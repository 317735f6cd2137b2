#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// Renders a picture file (SVG or any image Qt reads, from disk or ":/" resources) at a size in
// pixels, sharp on high-dpi screens, with a small cache so that painting does not re-render.
class SvgPicture
{
public:
    // Null pixmap when the file cannot be read. devicePixelRatio is taken into account.
    static QPixmap render(const QString &path, QSize size, qreal devicePixelRatio = 1.0);
    // Natural size of the picture in pixels (SVG: its default size), invalid when unreadable.
    static QSize naturalSize(const QString &path);
};
