#include "platform/controls/controlstyle.h"

#include <QWidget>

QColor ControlStyle::border()
{
    return QColor(0xa7, 0xb3, 0xc2);
}
QColor ControlStyle::focusBorder()
{
    return QColor(0x2f, 0x6f, 0xd0);
}
QColor ControlStyle::fieldBack()
{
    return QColor(0xff, 0xff, 0xff);
}
QColor ControlStyle::focusBack()
{
    return QColor(0xff, 0xf8, 0xd6);
}
QColor ControlStyle::disabledBack()
{
    return QColor(0xee, 0xf0, 0xf3);
}
QColor ControlStyle::disabledText()
{
    return QColor(0x9a, 0xa3, 0xad);
}
QColor ControlStyle::text()
{
    return QColor(0x1d, 0x27, 0x33);
}
QColor ControlStyle::buttonFace()
{
    return QColor(0xf4, 0xf6, 0xf9);
}
QColor ControlStyle::buttonHover()
{
    return QColor(0xe6, 0xef, 0xfb);
}
QColor ControlStyle::buttonDown()
{
    return QColor(0xd0, 0xdf, 0xf4);
}
QColor ControlStyle::captionBack()
{
    return QColor(0xe4, 0xea, 0xf2);
}
QColor ControlStyle::captionText()
{
    return QColor(0x23, 0x36, 0x4f);
}
QColor ControlStyle::panelBack()
{
    return QColor(0xf7, 0xf8, 0xfa);
}

QString ControlStyle::textBoxSheet()
{
    return QStringLiteral("QLineEdit { background: %1; border: 1px solid %2; border-radius: 2px; padding: 0px 3px;"
                          " color: %3; selection-background-color: %4; selection-color: white; }"
                          "QLineEdit:focus { background: %5; border: 1px solid %4; }"
                          "QLineEdit:disabled { background: %6; color: %7; border: 1px solid #d3d8de; }"
                          "QLineEdit:read-only { background: %6; }")
        .arg(fieldBack().name(), border().name(), text().name(), focusBorder().name(), focusBack().name(),
             disabledBack().name(), disabledText().name());
}

void ControlStyle::applyTextBox(QWidget *lineEdit)
{
    if (lineEdit)
        lineEdit->setStyleSheet(textBoxSheet());
}
