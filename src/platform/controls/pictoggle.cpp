#include "platform/controls/pictoggle.h"

#include "platform/controls/controlinfo.h"

PicToggle::PicToggle(QWidget *parent)
    : PicButton(parent)
{
    ControlInfo::setTypeName(this, QStringLiteral("PicToggle"));
    setCheckable(true);
    connect(this, &QAbstractButton::toggled, this, &PicToggle::ValueChanged);
}

void PicToggle::setValue(bool down)
{
    setChecked(down);
    update();
}

bool PicToggle::drawDown() const
{
    return isDown() || isChecked();
}

void PicToggle::nextCheckState()
{
    m_swallowClick = m_stayDown && isChecked();
    if (!m_swallowClick)
        PicButton::nextCheckState();
}

void PicToggle::emitClick()
{
    if (m_swallowClick) {
        m_swallowClick = false;
        return;
    }
    PicButton::emitClick();
}
