#pragma once

#include "platform/controls/numbertext.h"

#include <QLineEdit>

// Number box. Shows its number formatted by the mask properties (maskdecimalplaces,
// maskdecimalfixed, maskshowthousandsep: "1,234.50"); its value is the same number as plain
// text with "." and no separators ("1234.50"), fit to be written into a statement.
//
// What it refuses, with a message in the program's words (inputRefused, lastRefusal()):
// letters and other non-numbers, more integer digits than maxIntegerDigits (default 12),
// more decimals than maskdecimalplaces while typing (a box without decimals takes the point and
// refuses the digits after it), a sign when allowNegative is false.
// A refused keystroke is not inserted; a refused setValue()/setText() keeps the old value.
// Values given by the program (setValue, setText, the grid's unformatted number, "0", the
// exponent form "1.5E+3") with more decimals than the box shows are rounded half away from zero.
// While the box has the focus the typed text stays as typed; it is formatted when the focus
// leaves or editing finishes. The whole text is selected when the box gets the focus.
// Type name "cFloat" (see ControlInfo); Tag as on every control.
class cFloat : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(QString text READ text WRITE setText USER true)
    Q_PROPERTY(int maskdecimalplaces READ maskdecimalplaces WRITE setMaskdecimalplaces)
    Q_PROPERTY(bool maskdecimalfixed READ maskdecimalfixed WRITE setMaskdecimalfixed)
    Q_PROPERTY(bool maskshowthousandsep READ maskshowthousandsep WRITE setMaskshowthousandsep)
    Q_PROPERTY(int maxIntegerDigits READ maxIntegerDigits WRITE setMaxIntegerDigits)
    Q_PROPERTY(bool allowNegative READ allowNegative WRITE setAllowNegative)

public:
    explicit cFloat(QWidget *parent = nullptr);

    // Plain number: "." decimal point, no separators, the box's decimals ("1234.50", "0").
    QString value() const;
    bool setValue(const QString &text);
    // Same as setValue; the display text is formatted. Hides QLineEdit::setText so that "0" or an
    // unformatted number set through this class comes out formatted; text set through a
    // QLineEdit pointer is formatted (or refused) as well.
    bool setText(const QString &text);

    int maskdecimalplaces() const { return m_limits.decimalPlaces; }
    void setMaskdecimalplaces(int places); // 0..15
    bool maskdecimalfixed() const { return m_fixed; }
    void setMaskdecimalfixed(bool fixed);
    bool maskshowthousandsep() const { return m_groups; }
    void setMaskshowthousandsep(bool show);
    int maxIntegerDigits() const { return m_limits.maxIntegerDigits; }
    void setMaxIntegerDigits(int digits); // 1..28
    bool allowNegative() const { return m_limits.allowNegative; }
    void setAllowNegative(bool allow);

    QString tag() const;
    void setTag(const QString &tag);

    QString lastRefusal() const { return m_lastRefusal; }

signals:
    void valueChanged(const QString &value);
    void inputRefused(const QString &message);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void onTextChanged(const QString &text);
    void reformat();
    bool apply(const QString &text, bool report);
    void refuse(NumberText::Problem problem);

    NumberText::Limits m_limits;
    bool m_fixed = true;
    bool m_groups = true;
    bool m_internal = false; // the box itself is changing its text
    QString m_lastGood = QStringLiteral("0"); // plain value of the last accepted text
    QString m_lastRefusal;
};
