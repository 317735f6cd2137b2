#include "graph/stripimage.h"

#include <QPainter>
#include <QSvgRenderer>

StripImage::StripImage(const QString &svgPath, QWidget *parent)
    : QWidget(parent)
    , m_renderer(new QSvgRenderer(svgPath, this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
}

void StripImage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    m_renderer->render(&p, QRectF(rect()));
}
