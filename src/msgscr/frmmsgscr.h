#pragma once

#include "msgscr/msgscrlayout.h"

#include <QColor>
#include <QDialog>
#include <QList>

#include <array>

class QAbstractButton;
class QLabel;
class QSvgWidget;

// The message screen window: a frame of picture tiles around a sunken text box holding the body
// lines, the kind's icon and heading picture, a headline, a prompt line, an optional progress bar
// and up to two answer buttons. The window sizes itself to its lines (sbForm_InitPosition).
class FrmMsgScr : public QDialog
{
    Q_OBJECT
public:
    explicit FrmMsgScr(QWidget *parent = nullptr);
    ~FrmMsgScr() override;

    // Places every piece for the current lines and button set, sizes the window and centres it
    // over the owner window (MsgScr::owner), else the active window, else the screen.
    void sbForm_InitPosition(qint32 MsgButtons);
    const MsgScrLayout &layout() const { return m_layout; }

    // Kind pictures: 1..4 the kind's icon and heading, 0 the design pictures.
    void setKindPictures(qint32 kind);
    qint32 kindPictures() const { return m_kindPictures; }

    // Headline colour of a kind: blue for notices and questions, orange warnings, red errors, else black.
    static QColor headlineColour(qint32 kind);
    void setTitle(const QString &text, const QColor &colour);

    // Body lines: element 0 exists from the start; further ones are created on open.
    const QList<QLabel *> &lblText() const { return m_lblText; }
    QLabel *loadTextLine(); // creates the next element
    void setProgress(double percent);

    QLabel *lblTitle() const { return m_lblTitle; }
    QLabel *lblInfor() const { return m_lblInfor; }
    QLabel *lblProgr() const { return m_lblProgr; }
    QWidget *picProgr() const { return m_picProgr; }
    QWidget *shpProgr() const;
    QWidget *imgIcon() const;
    QWidget *imgText() const;
    QWidget *imgBottom() const;
    QAbstractButton *cmdClose(int index) const;

    bool isGliding() const { return m_gliding; }
    bool wasActivated() const { return m_activated; }
    bool isUnloaded() const { return m_unloaded; }

    // Unload: ends a modal wait, and the window deletes itself.
    void unload();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void cmdClose_Click(int index);
    void Form_Activate();
    void Form_Unload();
    void applyLabel(QLabel *label, const TwipRect &rect);

    std::array<QSvgWidget *, 3> m_imgFrmBack_Top{}, m_imgFrmBack_Mid{}, m_imgFrmBack_Btm{};
    std::array<QSvgWidget *, 3> m_imgTxtBack_Top{}, m_imgTxtBack_Mid{}, m_imgTxtBack_Btm{};
    QSvgWidget *m_imgIcon = nullptr;
    QSvgWidget *m_imgText = nullptr;
    QSvgWidget *m_imgBottom = nullptr;
    QLabel *m_lblTitle = nullptr;
    QLabel *m_lblInfor = nullptr;
    QList<QLabel *> m_lblText;
    QWidget *m_picProgr = nullptr;
    std::array<QSvgWidget *, 3> m_imgProgr{};
    QSvgWidget *m_shpProgr = nullptr;
    QLabel *m_lblProgr = nullptr;
    std::array<QAbstractButton *, 4> m_cmdClose{};

    MsgScrLayout m_layout;
    qint32 m_kindPictures = 0;
    bool m_gliding = false;
    bool m_activated = false;
    bool m_deleteAfterGlide = false;
    bool m_unloaded = false;
};
