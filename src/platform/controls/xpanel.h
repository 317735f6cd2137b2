#pragma once

#include <QFrame>

// Framed panel that groups controls (the main window's top and main panels, the graph window's
// panels). An optional title strip across the top shows a title picture and/or a caption;
// without either the panel is a plain frame. Children are placed by the program in twips
// relative to the panel; the title strip does not move them.
// Type name "xPanel" (see ControlInfo); Tag as on every control.
class xPanel : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QString picture READ picture WRITE setPicture)
    Q_PROPERTY(int titleHeight READ titleHeight WRITE setTitleHeight)

public:
    explicit xPanel(QWidget *parent = nullptr);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    // Title picture: an SVG or image path (":/controls/..." or a file); "" for none.
    QString picture() const { return m_picture; }
    void setPicture(const QString &path);
    // Height of the title strip in twips (default 240); shown only with a caption or picture.
    int titleHeight() const { return m_titleHeight; }
    void setTitleHeight(int twips);
    bool hasTitle() const { return !m_caption.isEmpty() || !m_picture.isEmpty(); }

    QString tag() const;
    void setTag(const QString &tag);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
    QString m_picture;
    int m_titleHeight = 240;
};
