#pragma once

#include <QPushButton>

// The program's command button ("조  회", "저  장" ...): flat face with a caption, visible focus
// and disabled states, and the same mouse signals as the picture buttons so that a held button
// can drive a repeat.
// Type name "btnButton" (see ControlInfo); Tag as on every control.
class btnButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    explicit btnButton(QWidget *parent = nullptr);
    explicit btnButton(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    QString tag() const;
    void setTag(const QString &tag);

signals:
    // Any mouse button; x, y in pixels relative to the button.
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
