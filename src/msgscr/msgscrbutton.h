#pragma once

#include <QAbstractButton>

class QSvgRenderer;

// An answer button of the message screen: a picture face (82 x 23 pixels) centred in the button,
// pressed in when held, with a focus ring. Enter, Return and Space press it.
class MsgScrButton : public QAbstractButton
{
    Q_OBJECT
public:
    MsgScrButton(const QString &facePath, const QString &caption, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QSvgRenderer *m_face;
    bool m_hover = false;
};
