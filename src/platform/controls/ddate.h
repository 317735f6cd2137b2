#pragma once

#include <QLineEdit>

// Date box: a line edit with the mask "0000/00/00" that takes digits only.
// Its value is the text "YYYY/MM/DD" (the separators are part of the value); an empty box has
// the value "". Whether the date exists is the program's own check, not the box's: the box only
// guarantees the shape. The whole text is selected when the box gets the focus.
// Type name "dDate" (see ControlInfo); Tag as on every control.
class dDate : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(QString text READ text WRITE setText USER true)
    Q_PROPERTY(QString mask READ mask CONSTANT)

public:
    explicit dDate(QWidget *parent = nullptr);

    // "YYYY/MM/DD" as typed so far ("2024/01/05"); "" when no digit is in the box.
    QString value() const;
    // Accepts "YYYY/MM/DD", "YYYYMMDD", "YYYY-MM-DD" and any leading part of these
    // ("2024/01"), with blanks around it; "" empties the box. Anything else (letters, "2023/1/1",
    // more than eight digits) is refused: the box keeps its value, lastRefusal() tells why and
    // false is returned.
    bool setValue(const QString &text);
    // Same as setValue (hides QLineEdit::setText; text set through a QLineEdit pointer is still
    // held to digits by the mask).
    bool setText(const QString &text) { return setValue(text); }

    // The design mask, "0000/00/00" (every 0 a digit).
    QString mask() const { return QStringLiteral("0000/00/00"); }

    QString tag() const;
    void setTag(const QString &tag);

    // Message of the last refused value or keystroke ("" when none was refused yet).
    QString lastRefusal() const { return m_lastRefusal; }

    // Shape check used by setValue: the normalised "YYYY/MM/DD" prefix, or a null string when the
    // text cannot be a date of this box. Pure; tests call it directly.
    static QString normalize(const QString &text);
    // Whether clipboard text may be pasted at all: digits and date separators only. Pure.
    static bool pasteFits(const QString &text);

signals:
    void valueChanged(const QString &value);
    // A keystroke or value was refused; message in the program's words.
    void inputRefused(const QString &message);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void refuse(const QString &message);
    // Paste from the keys or the menu: refused whole unless the text can be part of a date.
    void pasteChecked();

    QString m_lastRefusal;
};
