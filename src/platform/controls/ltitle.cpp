#include "platform/controls/ltitle.h"

#include "platform/controls/controlinfo.h"
#include "platform/controls/controlstyle.h"

lTitle::lTitle(QWidget *parent)
    : lTitle(QString(), parent)
{ }

lTitle::lTitle(const QString &caption, QWidget *parent)
    : QLabel(caption, parent)
{
    ControlInfo::setTypeName(this, QStringLiteral("lTitle"));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel { background: %1; border: 1px solid #c3cdd9; border-radius: 2px; color: %2; }"
                                 "QLabel:disabled { color: %3; background: %4; }")
                      .arg(ControlStyle::captionBack().name(), ControlStyle::captionText().name(),
                           ControlStyle::disabledText().name(), ControlStyle::disabledBack().name()));
}

QString lTitle::tag() const
{
    return ControlInfo::tag(this);
}

void lTitle::setTag(const QString &tag)
{
    ControlInfo::setTag(this, tag);
}
