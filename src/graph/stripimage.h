#pragma once

#include <QString>
#include <QWidget>

class QSvgRenderer;

// A strip background piece (left end, stretched middle, right end): an SVG picture drawn over the whole
// widget. It takes no mouse input, so the strip's controls and the strip itself see the mouse.
class StripImage : public QWidget
{
    Q_OBJECT

public:
    explicit StripImage(const QString &svgPath, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QSvgRenderer *m_renderer = nullptr;
};
