#include "spreadpaint.h"

#include "platform/win/wincolor.h"

#include <QPainter>

namespace SpreadPaint {

namespace {

Qt::Alignment alignment(const SpreadFormat &f)
{
    Qt::Alignment a = f.hAlign == 1 ? Qt::AlignRight : (f.hAlign == 2 ? Qt::AlignHCenter : Qt::AlignLeft);
    a |= f.vAlign == 0 ? Qt::AlignTop : (f.vAlign == 1 ? Qt::AlignBottom : Qt::AlignVCenter);
    return a;
}

void borderLine(QPainter *p, const SpreadFormat::Border &b, QPoint from, QPoint to)
{
    if (b.style == 0)
        return;
    QPen pen(WinColor::toQColor(quint32(b.rgb)));
    pen.setWidth(1);
    pen.setStyle(b.style == 2 ? Qt::DashLine : (b.style == 3 ? Qt::DotLine : Qt::SolidLine));
    p->setPen(pen);
    p->drawLine(from, to);
}

} // namespace

QColor gridLine()
{
    return QColor(0xDD, 0xE1, 0xE6);
}

QColor headerLine()
{
    return QColor(0xC4, 0xCA, 0xD3);
}

void paintCell(QPainter *p, const QRect &rect, const QString &text, const SpreadFormat &f, bool header)
{
    p->fillRect(rect, WinColor::toQColor(quint32(f.backColor)));
    if (!text.isEmpty()) {
        p->setPen(WinColor::toQColor(quint32(f.foreColor)));
        const QRect inner = rect.adjusted(TextPadding, 0, -TextPadding - 1, -1);
        p->drawText(inner, int(alignment(f)) | Qt::TextSingleLine, text);
    }
    p->setPen(header ? headerLine() : gridLine());
    p->drawLine(rect.topRight(), rect.bottomRight());
    p->drawLine(rect.bottomLeft(), rect.bottomRight());
}

void paintBorders(QPainter *p, const QRect &rect, const SpreadFormat &f)
{
    if (!(f.set & SpreadFormat::AllBorders))
        return;
    borderLine(p, f.left, rect.topLeft(), rect.bottomLeft());
    borderLine(p, f.right, rect.topRight(), rect.bottomRight());
    borderLine(p, f.top, rect.topLeft(), rect.topRight());
    borderLine(p, f.bottom, rect.bottomLeft(), rect.bottomRight());
}

} // namespace SpreadPaint
