#pragma once

#include <QLabel>

// Caption label in front of a field ("기준일", "미달러"): a shaded box with the caption centred,
// greyed when disabled.
// Type name "lTitle" (see ControlInfo); Tag as on every control.
class lTitle : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    explicit lTitle(QWidget *parent = nullptr);
    explicit lTitle(const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return text(); }
    void setCaption(const QString &caption) { setText(caption); }

    QString tag() const;
    void setTag(const QString &tag);
};
