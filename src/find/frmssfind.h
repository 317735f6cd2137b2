#pragma once

#include "find/ssfindpickstate.h"
#include "platform/controls/holdrepeattimer.h"
#include "platform/spread/spreadgrid.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class PicButton;
class PicToggle;
class ToolTip;

// The find window " FindBox...": finds text in a grid's cells and shows where and what the found
// cell is. Modeless, owned by the window that creates it (the main window), one per owner. It keeps
// the search texts used since it was created in its drop-down list.
//
// Controls carry their names as object names ("cboSSFind", "cmdNEXT", "lblSSFind_0", ...), so a
// test or the owner can reach them with findChild.
class FrmSSFind : public QDialog
{
    Q_OBJECT

public:
    explicit FrmSSFind(QWidget *owner);
    ~FrmSSFind() override;

    // Opens the window for grid ss (captures the column headers of its last header row and shows
    // the active cell), or closes it when it is already showing: the find button toggles it.
    void sbSet_SSFind_Init(SpreadGrid *ss);
    // Hides the window and lets go of the grid; the search history stays.
    void sbSet_SSFind_Close();

    // --- state, for the owner and for tests ---
    SpreadGrid *SSFind_SS() const { return m_SSFind_SS; }
    const QStringList &SSFind_Header() const { return m_SSFind_Header; }
    int SSFind_BtnState() const { return m_pick.state(); }
    HoldRepeatTimer *timNEXT() const { return m_timNEXT; }
    ToolTip *pickTip() const { return m_pickTip; }

    // The held 찾기 button repeats this often after the first pause.
    static constexpr int RepeatMs = 200;

signals:
    // After every find next that ran a search: whether a cell was found (for the owner and tests).
    void searched(bool found, int col, int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    void paintEvent(QPaintEvent *event) override;

private:
    void sbSet_SSFind_Current();
    void sbDisp_SSFind_Cell(int col, int row);
    void sbFind_SSFind_Next();

    void cmdNEXT_MouseDown();
    void stopNextRepeat();
    void timNEXT_Timer();
    void cmdSSFind_Click();
    void showPickFace();

    QPointer<SpreadGrid> m_SSFind_SS;
    QStringList m_SSFind_Header;
    SSFindPickState m_pick;

    std::array<QLabel *, 2> m_lblSSFind{};
    QLineEdit *m_txtSSFind = nullptr;
    QComboBox *m_cboSSFind = nullptr;
    PicToggle *m_cmdSSFind = nullptr;
    std::array<QCheckBox *, 2> m_chkSSFind{};
    PicButton *m_cmdNEXT = nullptr;
    PicButton *m_cmdClose = nullptr;
    HoldRepeatTimer *m_timNEXT = nullptr;
    ToolTip *m_pickTip = nullptr;
};
