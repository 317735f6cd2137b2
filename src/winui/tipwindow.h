#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

// The window of one ToolTip: a frameless, always-on-top window owned by its control, painted as
// a plain box or a balloon with a pointer, with an optional title line (bold, with an icon) and
// the text lines. It watches its control: after the mouse has rested over it for a moment the
// tip appears and stays while the mouse remains anywhere over the control; leaving, a mouse
// button or a key takes it away, and a menu or another window taking the mouse ends the hover.
class TipWindow : public QWidget
{
    Q_OBJECT

public:
    // control: the control the tip belongs to (also the window's owner).
    TipWindow(QWidget *control, bool balloon, bool centred);
    ~TipWindow() override;

    bool balloon() const { return m_balloon; }
    bool centred() const { return m_centred; }
    QWidget *control() const { return m_control; }

    void setText(const QString &text);
    QString text() const { return m_text; }
    void setTitle(const QString &title, int icon);
    QString title() const { return m_title; }
    int icon() const { return m_icon; }
    // Invalid colour = default tip colours.
    void setColours(const QColor &fore, const QColor &back);
    QColor foreColour() const;
    QColor backColour() const;

    // Shows the tip for a mouse resting at pos (pixels, relative to the control).
    void popUp(QPoint pos);
    void popDown();

    // Icon pictures (":/winui/tipinfo.svg" ...) for icon 1..3; "" otherwise.
    static QString iconPath(int icon);
    // Milliseconds the mouse must rest before the tip appears.
    static constexpr int RestDelay = 500;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QSize bodySize() const;
    void relayout();
    void watchApplication(bool on);
    // whether the mouse is over the control itself now, with no menu or other window in between
    bool pointerRestsOnControl(QPoint here) const;
    void forgetHover();

    QPointer<QWidget> m_control;
    bool m_balloon;
    bool m_centred;
    QString m_text;
    QString m_title;
    int m_icon = 0;
    QColor m_fore;
    QColor m_back;
    QTimer m_rest;
    QPoint m_restPos;
    bool m_hovering = false;
    bool m_appWatched = false;
    QRect m_body;
    QPoint m_stemTip;
    bool m_stemUp = true;
};
