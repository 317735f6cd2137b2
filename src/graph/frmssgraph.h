#pragma once

#include "graph/graphdataset.h"
#include "platform/controls/holdrepeattimer.h"

#include <QColor>
#include <QCursor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class ChartControl;
class PicButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QRadioButton;
class QScrollBar;
class SpreadGrid;
class StripImage;
class xPanel;
struct SS_MOVE_INFO;

// The graph statistics window: one column of a grid charted against its key column, with the items listed
// in its own summary grid SS_TXT. Created once by the caller with the main window as owner, shown by
// sbDisp_SS_Graph_Init and hidden (never destroyed) when closed.
//
// Geometry is in twips as the form was designed (see graphlayout.h); controls keep their design names.
class FrmSSGraph : public QWidget
{
    Q_OBJECT

public:
    explicit FrmSSGraph(QWidget *owner = nullptr);
    ~FrmSSGraph() override;

    // Builds the data set from the grid and shows the window (modeless, over its owner). Always 0.
    qint16 sbDisp_SS_Graph_Init(SpreadGrid *grid, int xCol, int yCol, const QString &title, const QString &xTitle,
                                const QString &yTitleAddition, bool sortItems);
    // The same for the grid a navigator serves.
    qint16 sbDisp_SS_Graph_Init(SS_MOVE_INFO &info, int xCol, int yCol, const QString &title, const QString &xTitle,
                                const QString &yTitleAddition, bool sortItems);

    // Forgets the data set, hides the advanced-settings button and hides the window.
    void sbSet_SSGraph_Close();

    // --- chart options ---
    void sbGraph_Reset();
    int fnGraph_Type() const;
    void sbGraph_Build(int type);
    void sbGraph_Fill(int type);
    void sbGraph_Set3D(bool on);
    void sbGraph_ShowValue(bool on);
    void sbGraph_SetMarkStyle(int index);
    void sbGraph_SetMarkFormat(int index);
    void sbGraph_AutoPreset(bool on);
    void sbGraph_ShowCross(bool on);
    // Read-out for the axis values under the mouse, and the highlight of the item's row.
    void sbGraph_ShowCrossValue(double xAxisValue, double yAxisValue);
    void sbGraph_SetPageSize(int &n);
    void sbGraph_SetScroll(int type, int n);
    void sbGraph_ShowPage();
    void sbGraph_ScrollStep(int button);
    void sbGraph_ScrollTo(int value);
    void sbSS_TXT_Format();

    // --- picture and print ---
    void cmdSaveJPG_Click();
    void cmdPrint_Click();

    // The data set of the last build.
    const GraphDataSet &dataSet() const { return m_data; }
    QColor lineColor() const { return m_lineColor; }
    QString lastSaveFolder() const { return m_state.saveFolder; }
    int highlightedRow() const { return m_state.crossRow; }

    // Controls the tests reach, by their design names.
    ChartControl *chtGraph() const { return m_chtGraph; }
    SpreadGrid *SS_TXT() const { return m_SS_TXT; }
    QLabel *lblSS_SUM(int i) const { return m_lblSS_SUM.at(i); }
    QFrame *lneX() const { return m_lneX; }
    QFrame *lneY() const { return m_lneY; }
    QFrame *lneStart() const { return m_lneStart; }
    QFrame *fmeViewCross() const { return m_fmeViewCross; }
    QLabel *lblViewCross(int i) const { return m_lblViewCross.at(i); }
    QLabel *lblRemPie() const { return m_lblRemPie; }
    PicButton *cmdScroll(int i) const { return m_cmdScroll.at(i); }
    QScrollBar *sclScroll() const { return m_sclScroll; }
    HoldRepeatTimer *tmeScroll() const { return m_tmeScroll; }
    QLabel *lblScroll(int i) const { return m_lblScroll.at(i); }
    PicButton *cmdPrint() const { return m_cmdPrint; }
    PicButton *cmdSaveJPG() const { return m_cmdSaveJPG; }
    QRadioButton *optType(int i) const { return m_optType.at(i); }
    QCheckBox *chkView3D() const { return m_chkView3D; }
    QCheckBox *chkViewValue() const { return m_chkViewValue; }
    QComboBox *cboValueType() const { return m_cboValueType; }
    QComboBox *cboValueRatio() const { return m_cboValueRatio; }
    QCheckBox *chkViewCross() const { return m_chkViewCross; }
    QCheckBox *chkViewAuto() const { return m_chkViewAuto; }
    PicButton *cmdShowEdit() const { return m_cmdShowEdit; }
    PicButton *cmdClose() const { return m_cmdClose; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createScrollStrip();
    void createOptionStrip();
    void sbInit_ValueCombos();
    void layoutControls();
    void placeWindow();
    void placeNote();
    void placePieStart();
    void placeShowEdit(double closeLeft, double top);
    void clearHighlights();
    void highlightRow(int row);
    void focusChart();
    void hideCrossIfShown();
    bool crossShown() const;

    void optType_Click(int index);
    void chkView3D_Click();
    void chartMouseMove(const QPoint &pos);
    void chartClick();
    void swatchClick(int col, int row);
    void scrollMouseDown(int index);
    void scrollMouseUp();
    void tmeScroll_Timer();
    void cmdScrollAll_Click(int index);

    // controls, by their design names
    xPanel *m_xPanel1 = nullptr; // chart panel
    xPanel *m_xPanel2 = nullptr; // summary panel
    SpreadGrid *m_SS_TXT = nullptr;
    QWidget *m_picSS_SUM = nullptr;
    PicButton *m_cmdSS_Reload = nullptr;
    std::array<QLabel *, 2> m_lblSS_SUM{};
    ChartControl *m_chtGraph = nullptr;
    QFrame *m_lneX = nullptr;
    QFrame *m_lneY = nullptr;
    QFrame *m_lneStart = nullptr;
    QFrame *m_fmeViewCross = nullptr;
    std::array<QLabel *, 2> m_lblViewCross{};
    std::array<QFrame *, 2> m_shpViewCross{};
    QLabel *m_lblRemPie = nullptr;

    QWidget *m_picScroll = nullptr;
    std::array<StripImage *, 3> m_imgScroll{};
    std::array<PicButton *, 10> m_cmdScroll{};
    QScrollBar *m_sclScroll = nullptr;
    HoldRepeatTimer *m_tmeScroll = nullptr;
    QWidget *m_fmeScroll = nullptr;
    std::array<QLabel *, 3> m_lblScroll{};
    PicButton *m_cmdPrint = nullptr;
    PicButton *m_cmdSaveJPG = nullptr;

    QWidget *m_picOption = nullptr;
    std::array<StripImage *, 2> m_imgOption{};
    StripImage *m_picOptionIn = nullptr;
    std::array<QRadioButton *, 3> m_optType{};
    QCheckBox *m_chkView3D = nullptr;
    QCheckBox *m_chkViewValue = nullptr;
    QComboBox *m_cboValueType = nullptr;
    QComboBox *m_cboValueRatio = nullptr;
    QCheckBox *m_chkViewCross = nullptr;
    QCheckBox *m_chkViewAuto = nullptr;
    PicButton *m_cmdShowEdit = nullptr;
    PicButton *m_cmdClose = nullptr;

    GraphDataSet m_data;
    QColor m_lineColor;
    QCursor m_crossCursor; // the window's own pointer while the cross-hair is shown
    QVector<int> m_pieRoles; // PieRole per item of the last pie fill

    // GraphScrollState: last scroll value, last save folder, highlighted row, last Y read-out
    struct
    {
        int scrollValue = 0;
        QString saveFolder;
        int crossRow = 0;
        qint64 crossY = 0;
    } m_state;
};
