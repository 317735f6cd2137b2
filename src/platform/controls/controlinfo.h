#pragma once

#include <QString>

class QObject;

// What every control of a form can tell about itself, for code that walks a form's controls
// (for instance a routine that resets the input fields by kind).
//
// Type name: each of our controls stores its type name in the Qt property "zzTypeName"
// ("dDate", "cFloat", "xPanel", "btnButton", "lTitle", "PicButton", "PicToggle"). Standard Qt
// widgets carry no such property and are named by their kind:
//   QLineEdit "TextBox", QPlainTextEdit/QTextEdit "TextBox", QComboBox "ComboBox", QLabel "Label",
//   QPushButton "CommandButton", QCheckBox "CheckBox", QRadioButton "OptionButton",
//   QScrollBar "VScrollBar" or "HScrollBar", QGroupBox and plain QFrame "Frame", QTimer "Timer";
//   anything else answers its C++ class name.
// Any widget may be given a type name of its own with setTypeName().
//
// Tag: a free text kept with the control in the Qt property "Tag", on any QObject (our controls
// and plain Qt widgets alike; an unset Tag reads as ""). It is a dynamic property, so
// setProperty("Tag", ...) and the controls' own tag()/setTag() reach the same text.
class ControlInfo
{
public:
    static constexpr const char *TypeNameProperty = "zzTypeName";
    static constexpr const char *TagProperty = "Tag";

    static QString typeName(const QObject *control);
    static void setTypeName(QObject *control, const QString &name);

    static QString tag(const QObject *control);
    static void setTag(QObject *control, const QString &tag);
};
