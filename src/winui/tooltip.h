#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

class QWidget;
class TipWindow;

// A tip attached to one control: plain (rectangular) or balloon-shaped with a pointer, with an
// optional title and title icon, shown while the mouse rests anywhere over the control.
// One ToolTip object per control that has a tip; set its properties, call Create(), keep the
// object as long as the control lives.
//
// Property writes before Create() are only stored. After Create(): text, colours, title and
// icon apply at once to the existing tip window; Style, Centered and ParentControl need a new
// Create(). Create() replaces an existing tip window (never two); without ParentControl it
// makes no window. Destroying the object (or the control) removes the tip window.
//
// Colours are RGB values with red in the low byte; 0 keeps the default tip colours.
// Icon: 0 none, 1 information, 2 warning, 3 error; shown only in front of a non-empty title.
class ToolTip : public QObject
{
    Q_OBJECT

public:
    // The two looks of fnSet_ToolTip's Style (the Style property itself keeps any number).
    enum class TipStyle : int { Rectangular = 0, Balloon = 1 };
    // The title icons (Icon property numbers).
    enum class TipIcon : int { None = 0, Information = 1, Warning = 2, Error = 3 };

    explicit ToolTip(QObject *parent = nullptr);
    ~ToolTip() override;

    // 1 = balloon; anything else = rectangular.
    int Style() const { return m_style; }
    void setStyle(int style) { m_style = style; }
    // Centred below the control instead of below the mouse pointer.
    bool Centered() const { return m_centered; }
    void setCentered(bool centered) { m_centered = centered; }
    QWidget *ParentControl() const { return m_parentControl; }
    void setParentControl(QWidget *control)
    {
        m_parentControl = control;
        m_parentSet = control != nullptr;
    }
    int Icon() const { return m_icon; }
    void setIcon(int icon);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 rgb);
    QString Title() const { return m_title; }
    void setTitle(const QString &title);
    quint32 BackColor() const { return m_backColor; }
    void setBackColor(quint32 rgb);
    // Lines separated by CR LF (a lone LF also breaks a line).
    QString TipText() const { return m_tipText; }
    void setTipText(const QString &text);

    // Makes the tip window for ParentControl (see above). True when a tip window exists
    // afterwards or no parent control was set; false when the parent control set before has
    // been destroyed since (no window is made).
    bool Create();

    // --- for tests, demos and screenshots ---
    TipWindow *tipWindow() const;
    bool isShown() const;
    // Text, title and icon as the tip window shows them now (not the stored properties).
    QString shownText() const;
    QString shownTitle() const;
    int shownIcon() const;
    // Shows the tip at once as if the mouse had rested at pos (pixels, relative to the control;
    // the control's centre when pos is (-1, -1)); hideNow() takes it away.
    void showNow(QPoint pos = QPoint(-1, -1));
    void hideNow();

private:
    int m_style = 0;
    bool m_centered = false;
    QPointer<QWidget> m_parentControl;
    bool m_parentSet = false;
    int m_icon = 0;
    quint32 m_foreColor = 0;
    QString m_title;
    quint32 m_backColor = 0;
    QString m_tipText;
    QPointer<TipWindow> m_window;
};

// The usual set-up in one call: Style and Centered; Title and then Icon when the title is not
// blank; TipText; ParentControl = control; Create(). True when every step ran; false for a
// missing tip object or control, or when Create() failed. Nothing is reported to the user.
bool fnSet_ToolTip(ToolTip *tip, QWidget *control, ToolTip::TipStyle Style, bool Centered, const QString &TipText,
                   const QString &Title = {}, ToolTip::TipIcon Icon = ToolTip::TipIcon::None);
