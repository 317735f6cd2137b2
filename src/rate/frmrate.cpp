#include "frmrate.h"

#include "app/anydsn.h"
#include "app/clsmain.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "platform/win/stdmessagebox.h"
#include "platform/win/twips.h"

#include <QCloseEvent>

#include <exception>

FrmRate::FrmRate(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmRate"));
    setWindowTitle(QStringLiteral("환율관리 프로그램"));
}

FrmRate::~FrmRate() = default;

void FrmRate::showUnexpectedError(const QString &description)
{
    StdMessageBox::show(this, QMessageBox::Warning, QStringLiteral("자료 관리"), description);
}

template <typename Step> void FrmRate::runStep(Step step)
{
    try {
        step();
    } catch (const std::exception &e) {
        showUnexpectedError(QString::fromUtf8(e.what()));
    } catch (...) {
        showUnexpectedError(QStringLiteral("알 수 없는 오류가 발생했습니다."));
    }
}

bool FrmRate::Form_Load()
{
    if (fnChk_PrevInstance()) {
        StdMessageBox::show(this, QMessageBox::Information, QStringLiteral("경고"),
                            QStringLiteral("프로그램이 이미 실행중입니다."));
        return false;
    }
    if (!sbInit_Program(this))
        return false;
    runStep([this] { sbAttach_DataAccess(); });
    runStep([] { sbSet_ReportDSN(); });
    runStep([this] { sbSS_Init(); });
    runStep([this] { sbForm_Layout(); });
    runStep([this] { sbForm_Default(); });
    return true;
}

void FrmRate::sbAttach_DataAccess()
{
    ConnProvider *provider = fnGet_ConnProvider();
    if (!provider)
        throw std::runtime_error("데이터베이스 연결이 준비되지 않았습니다.");
    m_dataAccess = std::make_unique<DataAccess>();
    m_dataAccess->AttachConnection(provider->GetConnection());
}

void FrmRate::sbSS_Init()
{
    // The grid set-up (navigator record bound to SS and SS_SUM, the six columns, the three
    // set-up steps, one empty line) arrives with the main window's grid.
}

void FrmRate::sbForm_Layout()
{
    // The form's design size in twips; the panels' placement arrives with the main window.
    Twips::resize(this, 12120, 9510);
}

void FrmRate::sbForm_Default()
{
    m_screenMode = QStringLiteral("추가");
    // Clearing the input controls, the navigator reset and the statistics tip arrive with the
    // input panel and the grid.
}

void FrmRate::sbRelease_GridRecord()
{
    // The grid record's control references are released here once the grid exists.
}

void FrmRate::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    runStep([this] { m_dataAccess.reset(); });
    runStep([this] { sbRelease_GridRecord(); });
    sbEnd_Process(0);
}

void FrmRate::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}
