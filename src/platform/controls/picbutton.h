#pragma once

#include <QAbstractButton>
#include <QString>

// Picture button. Its look is either a set of face pictures (up, down, disabled; SVG or images,
// stretched to the button) or, without faces, a flat face drawn by the button; a glyph picture
// and/or a caption are drawn on top, centred (shifted one pixel while down).
//
// Mouse signals carry the button, the modifiers and the position in pixels: MouseDown for any
// mouse button (the right button opens menus, the left one starts a held repeat), MouseUp for
// any button (also when released outside), MouseMove (also while no button is held: the button
// tracks the mouse), and Click after a left click completed
// on the button or Space/Enter. A held-button repeat is driven by MouseDown/MouseUp with a timer
// of the caller's; the button itself does not repeat.
//
// Standard glyphs drawn for this program live under ":/controls/" (see glyphPath()).
// Type name "PicButton" (see ControlInfo); Tag as on every control.
class PicButton : public QAbstractButton
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
    Q_PROPERTY(bool isDown READ isDown)

public:
    explicit PicButton(QWidget *parent = nullptr);

    // Face pictures stretched over the whole button; "" for a face drawn by the button.
    // A missing down face uses the up face shifted; a missing disabled face greys the up face.
    void setFaces(const QString &up, const QString &down = {}, const QString &disabled = {});
    QString upFace() const { return m_up; }
    QString downFace() const { return m_down; }
    QString disabledFace() const { return m_disabled; }
    // Replaces only the up face (a hover highlight swaps this one).
    void setUpFace(const QString &up);

    // Glyph centred on the face, at its natural size (SVG default size) unless glyphSize is set.
    QString picture() const { return m_picture; }
    void setPicture(const QString &path);
    QSize glyphSize() const { return m_glyphSize; }
    void setGlyphSize(QSize pixels);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    QString tag() const;
    void setTag(const QString &tag);

    // ":/controls/<name>.svg" for the program's own glyphs: "top", "pageup", "up", "down",
    // "pagedown", "end", "excel", "graph", "find", "refresh", "expand", "collapse",
    // "alignleft", "aligncenter", "ok", "close", "print", "picture", "settings", "pick",
    // "first", "prevpage", "prev", "next", "nextpage", "last", "zoomin", "zoomout", "fitall",
    // "redraw".
    static QString glyphPath(const QString &name);

    QSize sizeHint() const override;

    // The face the button shows now: 0 up, 1 down, 2 disabled (for tests and screenshots).
    int shownFace() const;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);
    void Click();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    // Whether the face is drawn pressed; PicToggle also keeps it pressed while its Value is set.
    virtual bool drawDown() const;
    // Called when a click completed; emits Click.
    virtual void emitClick();

private:
    QString m_up, m_down, m_disabled;
    QString m_picture;
    QSize m_glyphSize;
    QString m_caption;
    bool m_hover = false;
};
