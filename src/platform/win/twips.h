#pragma once

#include <QRect>

class QWidget;

// Window geometry is computed in twips, as the forms were designed; these helpers convert at the
// widget boundary. 1440 twips make an inch, so a pixel is 15 twips at 96 dpi.
namespace Twips {

// Twips per pixel on the primary screen (15 at 96 dpi), or the services' twipsPerPixel when set.
double perPixel();

int toPixels(double twips);
double fromPixels(int pixels);

QRect toPixels(double left, double top, double width, double height);
void setGeometry(QWidget *w, double left, double top, double width, double height);
void move(QWidget *w, double left, double top);
void resize(QWidget *w, double width, double height);

// Current geometry of a widget in twips.
double left(const QWidget *w);
double top(const QWidget *w);
double width(const QWidget *w);
double height(const QWidget *w);

} // namespace Twips
