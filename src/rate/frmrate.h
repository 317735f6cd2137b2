#pragma once

#include "gridnav/ss_move_info.h"
#include "gridnav/ssgrid.h"
#include "rate/ratecalls.h"
#include "rate/ratewriter.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class DataAccess;
class FrmSSFind;
class FrmSSGraph;
class FrmRateFetch;
class FrmRateImport;
class PicToggle;
class RateListWindow;
class QLabel;
class QLineEdit;
class SpreadGrid;
class btnButton;
class cFloat;
class dDate;
class lTitle;
class xPanel;

namespace Pointer {
class Busy;
}

// The main window "환율관리 프로그램". Loading it starts the program; closing it ends the process.
// The top panel holds one day's rates (input panel); the main panel the period, the grid SS with
// its summary line SS_SUM and the navigator. Geometry is in twips (see ratelayout.h).
class FrmRate : public QWidget
{
    Q_OBJECT

public:
    explicit FrmRate(QWidget *parent = nullptr);
    ~FrmRate() override;

    // The start-up sequence. False when the process must end now (a second copy, or the
    // connection settings could not be used); the boxes have been shown by then.
    bool Form_Load();
    // Releases the data access and the grid record, then ends the process.
    void Form_Unload();

    // The default state of the input panel (also the clear command's last step).
    void sbForm_Default();

    // The window's mode: adding (the input panel holds a new or cleared day) until a query shows
    // rows, then query; its word "추가" or "조회" is what ScreenMode() gives.
    enum class Mode { Adding, Query };
    Mode mode() const { return m_mode; }
    QString ScreenMode() const;

    DataAccess *dataAccess() const { return m_dataAccess.get(); }
    SS_MOVE_INFO &gridInfo() { return m_info; }

    // --- commands (the buttons' Click) ---
    void btnQuery_Click();
    void btnSave_Click();
    void btnDelete_Click();
    void btnClear_Click();

    // The grid's Click: copies the row into the input panel while the window shows a query result.
    void SS_Click(int col, int row);

    // The two toggle pairs: index 0 expands / centres, index 1 collapses / aligns left.
    void optTOP_UpDown_Click(int index);
    void optTOP_UpDown1_Click(int index);
    bool isTopExpanded() const;
    bool CenterFrame() const { return m_centerFrame; }

    // Grid set-up steps: column format, header texts, sizing + layout; the text form reads
    // "1xx", "x1x", "xx1".
    void sbSS_Format(GridNav::FormatSteps steps);
    void sbSS_Format(const QString &flags) { sbSS_Format(GridNav::formatStepsOf(flags)); }
    // Runs the resize rules for the current client size.
    void applySizeRules();

    // --- controls, by their design names ---
    xPanel *xPanel1() const { return m_xPanel1; }
    xPanel *xPanel2() const { return m_xPanel2; }
    QWidget *fmeTOP_BACK() const { return m_fmeTOP_BACK; }
    QLabel *imgTOP_BACK() const { return m_imgTOP_BACK; }
    lTitle *lTitle1() const { return m_lTitle1; }
    lTitle *lTitle2() const { return m_lTitle2; }
    lTitle *lTitle3() const { return m_lTitle3; }
    lTitle *lTitle4() const { return m_lTitle4; }
    lTitle *lTitle5() const { return m_lTitle5; }
    lTitle *lTitle6() const { return m_lTitle6; } // "조회기간", in front of the period
    dDate *txtSTD_DATE() const { return m_txtSTD_DATE; }
    cFloat *txtUSD() const { return m_txtUSD; }
    cFloat *txtVND() const { return m_txtVND; }
    cFloat *txtKRW() const { return m_txtKRW; }
    QLineEdit *txtREMARK() const { return m_txtREMARK; }
    btnButton *btnClear() const { return m_btnClear; }
    btnButton *btnSave() const { return m_btnSave; }
    btnButton *btnDelete() const { return m_btnDelete; }
    dDate *txtFM_DATE() const { return m_txtFM_DATE; }
    QLabel *Label1() const { return m_Label1; }
    dDate *txtTO_DATE() const { return m_txtTO_DATE; }
    btnButton *btnQuery() const { return m_btnQuery; }
    SpreadGrid *SS() const { return m_SS; }
    SpreadGrid *SS_SUM() const { return m_SS_SUM; }
    const std::array<PicToggle *, 2> &optTOP_UpDown() const { return m_optTOP_UpDown; }
    const std::array<PicToggle *, 2> &optTOP_UpDown1() const { return m_optTOP_UpDown1; }

    // --- navigator buttons (frmrate_nav.cpp) ---
    // Export, find and graph act only on a query result ("조회"); every button leaves the focus
    // on the grid. A right press on the graph or refresh button shows its menu.
    void cmdSS_MOVE_XLS_Click();
    void cmdSS_MOVE_GRP_Click();
    void cmdSS_MOVE_GRP_MouseDown(Qt::MouseButton button);
    void cmdSS_MOVE_FND_Click();
    void cmdSS_MOVE_REF_Click();
    void cmdSS_MOVE_REF_MouseDown(Qt::MouseButton button);
    // "파일에서 가져오기" (export button's menu, or a file dropped on the window): the file chosen
    // in the open dialog, or `path` when given, previewed in the import window; after rows were
    // written the query runs again in "조회".
    void importFile(const QString &path = {});
    FrmRateImport *importWindow() const { return m_importWindow; }
    // "인터넷에서 환율 받기": the day or period to fetch, then the preview of what came
    void fetchRates();
    FrmRateFetch *fetchWindow() const { return m_fetchWindow; }
    FrmRateImport *fetchedWindow() const { return m_fetchedWindow; }
    // --- rate checks and history (frmrate_check.cpp) ---
    // The missing days and jumps of the last query's period in the check window (only in 조회).
    void openRateCheck();
    // The history window of one day.
    void openRateLog(const QString &day);
    RateListWindow *checkWindow() const { return m_checkWindow; }
    RateListWindow *logWindow() const { return m_logWindow; }
    RateWriter *writer() const { return m_writer.get(); }

    FrmSSFind *findWindow() const; // nullptr until the find button first opened it
    FrmSSGraph *graphWindow() const; // nullptr until the graph button first opened it

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void createInputPanel();
    void createPeriodPanel();
    void createToggles();
    void setFocusChain();
    void connectEvents();
    void attachDataAccess();
    void sbSS_Init();
    void sbForm_Layout();
    void sbTop_Align();
    void layoutGrid();
    void releaseGridRecord();
    void connectNavigatorButtons(); // frmrate_nav.cpp
    void addDataMenuItems(); // frmrate_nav.cpp: the export button's right-click menu
    // steps of the query (btnQuery_Click)
    void showQueryFailure(DataAccess &da);
    void fillQueryRows(DataAccess &da, const QString &from, const QString &to);
    void finishQuery(DataAccess &da, const QString &from, const QString &to, qint64 startTick);
    void showUnexpectedError(const QString &description);
    void showSaveFailure();
    bool checkInputDate(const QString &date);
    bool checkRemark();
    bool checkRates();
    // The day's state for a save or delete; Failed once the failure has been shown.
    RateCalls::DayState dayStateForWrite(const QString &date, Pointer::Busy &busy);
    // Sends the statement in a transaction and reports the outcome; re-queries in 조회.
    void finishWrite(Pointer::Busy &busy, RateHistory::Action action, const QString &date, const QString &title,
                     const QString &text);
    // The jump question for the panel's rates (frmrate_check.cpp); false when the user said No.
    bool confirmJumps(const QString &date);
    // Says once, at start-up, that a server database without EX_RATE_LOG records no history.
    void showHistoryNotice();
    // A right press on a grid row in 조회 opens that day's history; true when it did.
    bool gridRightPress(const QPoint &viewportPos);
    void showDayInPanel(const QString &day);
    bool isInGrid(QWidget *w) const;
    template<typename Step> void runStep(Step step);

    std::unique_ptr<DataAccess> m_dataAccess;
    std::unique_ptr<RateWriter> m_writer;
    RateListWindow *m_checkWindow = nullptr;
    RateListWindow *m_logWindow = nullptr;
    QString m_queryFrom, m_queryTo; // the period of the last query that showed rows
    SS_MOVE_INFO m_info;
    // controls
    xPanel *m_xPanel1 = nullptr;
    xPanel *m_xPanel2 = nullptr;
    QWidget *m_fmeTOP_BACK = nullptr;
    QLabel *m_imgTOP_BACK = nullptr;
    lTitle *m_lTitle1 = nullptr;
    lTitle *m_lTitle2 = nullptr;
    lTitle *m_lTitle3 = nullptr;
    lTitle *m_lTitle4 = nullptr;
    lTitle *m_lTitle5 = nullptr;
    lTitle *m_lTitle6 = nullptr;
    dDate *m_txtSTD_DATE = nullptr;
    cFloat *m_txtUSD = nullptr;
    cFloat *m_txtVND = nullptr;
    cFloat *m_txtKRW = nullptr;
    QLineEdit *m_txtREMARK = nullptr;
    btnButton *m_btnClear = nullptr;
    btnButton *m_btnSave = nullptr;
    btnButton *m_btnDelete = nullptr;
    dDate *m_txtFM_DATE = nullptr;
    QLabel *m_Label1 = nullptr;
    dDate *m_txtTO_DATE = nullptr;
    btnButton *m_btnQuery = nullptr;
    SpreadGrid *m_SS = nullptr;
    SpreadGrid *m_SS_SUM = nullptr;
    std::array<PicToggle *, 2> m_optTOP_UpDown{};
    std::array<PicToggle *, 2> m_optTOP_UpDown1{};
    Mode m_mode = Mode::Adding;
    bool m_centerFrame = false;
    bool m_laidOut = false;
    bool m_unloaded = false;
    // the single find and graph windows, owned by this window (frmrate_nav.cpp)
    FrmSSFind *m_findWindow = nullptr;
    FrmSSGraph *m_graphWindow = nullptr;
    FrmRateImport *m_importWindow = nullptr;
    FrmRateFetch *m_fetchWindow = nullptr;
    FrmRateImport *m_fetchedWindow = nullptr;
};

// Slides a panel open (show) or shut in ten steps of at least 10 ms, letting the window repaint
// between steps; the inner frame is hidden while the panel moves.
void sbSlide_Panel(QWidget *panel, QWidget *inner, double fullHeight, bool show);
