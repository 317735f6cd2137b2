#pragma once

#include "platform/controls/picbutton.h"

// Picture toggle button: a PicButton that stays down. A click by the user flips Value and then
// emits Click (so a handler reads the new Value: "click while the button goes down" is
// Value == true). Setting Value from the program moves the face and emits ValueChanged only,
// never Click, so a handler that sets its partner's Value does not call itself again.
// Type name "PicToggle" (see ControlInfo); Tag as on every control.
class PicToggle : public PicButton
{
    Q_OBJECT
    Q_PROPERTY(bool Value READ value WRITE setValue NOTIFY ValueChanged)
    Q_PROPERTY(bool stayDown READ stayDown WRITE setStayDown)

public:
    explicit PicToggle(QWidget *parent = nullptr);

    bool value() const { return isChecked(); }
    void setValue(bool down);

    // Option-button behaviour: a click on a button that is already down changes nothing and
    // emits nothing (only the program raises it again). Off by default: a click flips Value.
    bool stayDown() const { return m_stayDown; }
    void setStayDown(bool stay) { m_stayDown = stay; }

signals:
    void ValueChanged(bool down);

protected:
    bool drawDown() const override;
    void nextCheckState() override;
    void emitClick() override;

private:
    bool m_stayDown = false;
    bool m_swallowClick = false;
};
