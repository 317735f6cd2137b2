#include "platform/win/twips.h"

#include "platform/win/services.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace Twips {

double perPixel()
{
    if (Platform::services().twipsPerPixel > 0.0)
        return Platform::services().twipsPerPixel;
    if (auto *screen = QGuiApplication::primaryScreen()) {
        const double dpi = screen->logicalDotsPerInch();
        if (dpi > 0.0)
            return 1440.0 / dpi;
    }
    return 15.0;
}

int toPixels(double twips)
{
    return int(std::lround(twips / perPixel()));
}

double fromPixels(int pixels)
{
    return pixels * perPixel();
}

QRect toPixels(double left, double top, double width, double height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void setGeometry(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(toPixels(left, top, width, height));
}

void move(QWidget *w, double left, double top)
{
    w->move(toPixels(left), toPixels(top));
}

void resize(QWidget *w, double width, double height)
{
    w->resize(toPixels(width), toPixels(height));
}

double left(const QWidget *w)
{
    return fromPixels(w->x());
}
double top(const QWidget *w)
{
    return fromPixels(w->y());
}
double width(const QWidget *w)
{
    return fromPixels(w->width());
}
double height(const QWidget *w)
{
    return fromPixels(w->height());
}

} // namespace Twips
