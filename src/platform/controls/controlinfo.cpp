#include "platform/controls/controlinfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QVariant>

QString ControlInfo::typeName(const QObject *control)
{
    if (!control)
        return {};
    const QVariant own = control->property(TypeNameProperty);
    if (own.isValid() && !own.toString().isEmpty())
        return own.toString();
    // most specific kinds first: a QRadioButton is also a button, a QLabel also a QFrame
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control)
        || qobject_cast<const QTextEdit *>(control))
        return QStringLiteral("TextBox");
    if (qobject_cast<const QComboBox *>(control))
        return QStringLiteral("ComboBox");
    if (qobject_cast<const QLabel *>(control))
        return QStringLiteral("Label");
    if (qobject_cast<const QCheckBox *>(control))
        return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton *>(control))
        return QStringLiteral("OptionButton");
    if (qobject_cast<const QPushButton *>(control))
        return QStringLiteral("CommandButton");
    if (const auto *bar = qobject_cast<const QScrollBar *>(control))
        return bar->orientation() == Qt::Vertical ? QStringLiteral("VScrollBar") : QStringLiteral("HScrollBar");
    if (qobject_cast<const QGroupBox *>(control))
        return QStringLiteral("Frame");
    if (qobject_cast<const QTimer *>(control))
        return QStringLiteral("Timer");
    if (control->metaObject() == &QFrame::staticMetaObject)
        return QStringLiteral("Frame");
    return QString::fromLatin1(control->metaObject()->className());
}

void ControlInfo::setTypeName(QObject *control, const QString &name)
{
    if (control)
        control->setProperty(TypeNameProperty, name);
}

QString ControlInfo::tag(const QObject *control)
{
    return control ? control->property(TagProperty).toString() : QString();
}

void ControlInfo::setTag(QObject *control, const QString &tag)
{
    if (control)
        control->setProperty(TagProperty, tag);
}
