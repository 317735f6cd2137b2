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
#include <functional>
#include <memory>
#include <optional>

class ChartControl;
class PicButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPrinter;
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

    // --- injectable dialogs (tests answer through these; unset = the real dialogs) ---
    struct SaveRequest
    {
        QString title, filter, defaultSuffix, folder, fileName;
    };
    // Returns the chosen file name, an empty text for "no name", or nullopt for cancel.
    using SaveDialogHook = std::function<std::optional<QString>(const SaveRequest &)>;
    static void setSaveDialogHook(SaveDialogHook hook);
    // Returns the chosen colour or nullopt for cancel.
    using ColorDialogHook = std::function<std::optional<QColor>(const QColor &initial, const QString &title)>;
    static void setColorDialogHook(ColorDialogHook hook);
    // What the print system offers: its default printer (may be empty) and every printer it has.
    struct PrinterList
    {
        QString defaultName;
        QStringList names;
    };
    using PrinterListHook = std::function<PrinterList()>;
    static void setPrinterListHook(PrinterListHook hook);
    // Supplies the printer of the chosen name; nullptr = it cannot be used. Unset = Qt's printer
    // of that name.
    using PrinterHook = std::function<std::unique_ptr<QPrinter>(const QString &name)>;
    static void setPrinterHook(PrinterHook hook);

    // Controls, by their design names.
    xPanel *xPanel1 = nullptr; // chart panel
    xPanel *xPanel2 = nullptr; // summary panel
    SpreadGrid *SS_TXT = nullptr;
    QWidget *picSS_SUM = nullptr;
    PicButton *cmdSS_Reload = nullptr;
    std::array<QLabel *, 2> lblSS_SUM{};
    ChartControl *chtGraph = nullptr;
    QFrame *lneX = nullptr;
    QFrame *lneY = nullptr;
    QFrame *lneStart = nullptr;
    QFrame *fmeViewCross = nullptr;
    std::array<QLabel *, 2> lblViewCross{};
    std::array<QFrame *, 2> shpViewCross{};
    QLabel *lblRemPie = nullptr;

    QWidget *picScroll = nullptr;
    std::array<StripImage *, 3> imgScroll{};
    std::array<PicButton *, 10> cmdScroll{};
    QScrollBar *sclScroll = nullptr;
    HoldRepeatTimer *tmeScroll = nullptr;
    QWidget *fmeScroll = nullptr;
    std::array<QLabel *, 3> lblScroll{};
    PicButton *cmdPrint = nullptr;
    PicButton *cmdSaveJPG = nullptr;

    QWidget *picOption = nullptr;
    std::array<StripImage *, 2> imgOption{};
    StripImage *picOptionIn = nullptr;
    std::array<QRadioButton *, 3> optType{};
    QCheckBox *chkView3D = nullptr;
    QCheckBox *chkViewValue = nullptr;
    QComboBox *cboValueType = nullptr;
    QComboBox *cboValueRatio = nullptr;
    QCheckBox *chkViewCross = nullptr;
    QCheckBox *chkViewAuto = nullptr;
    PicButton *cmdShowEdit = nullptr;
    PicButton *cmdClose = nullptr;

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
    void sbForm_Resize();
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
