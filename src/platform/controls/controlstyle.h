#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The look shared by the program's controls: flat faces, thin borders, a clearly highlighted
// focused field and plainly greyed disabled states. One place for the colours so that the
// main window, the navigator and the tool windows look alike.
class ControlStyle
{
public:
    // colours (pixels are not involved; these are the palette)
    static QColor border(); // normal frame of fields and buttons
    static QColor focusBorder(); // frame of the focused field or button
    static QColor fieldBack(); // background of an editable field
    static QColor focusBack(); // background of the focused field
    static QColor disabledBack(); // background of a disabled field or button
    static QColor disabledText();
    static QColor text();
    static QColor buttonFace(); // command and picture buttons, up
    static QColor buttonHover();
    static QColor buttonDown();
    static QColor captionBack(); // field caption labels and panel title strips
    static QColor captionText();
    static QColor panelBack();

    // Style sheet for a single-line text field (dDate, cFloat, plain QLineEdit): focus and
    // disabled states included. applyTextBox() gives a plain QLineEdit the same look.
    static QString textBoxSheet();
    static void applyTextBox(QWidget *lineEdit);
};
