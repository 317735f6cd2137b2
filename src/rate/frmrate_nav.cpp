// The rate window's navigator buttons: export, graph, find and refresh, with the menus on the
// right mouse button of the graph and refresh buttons.

#include "rate/frmrate.h"

#include "rate/frmratefetch.h"
#include "rate/frmrateimport.h"
#include "rate/ratefeedimport.h"

#include "find/frmssfind.h"
#include "graph/frmssgraph.h"
#include "gridnav/ssexport.h"
#include "gridnav/ssmenus.h"
#include "msgscr/msgscr.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/inputhold.h"
#include "platform/win/pointer.h"

#include <QAbstractButton>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {

// Graph menu of this window: the date column as key, the three rate columns as values.
constexpr int kKeyCol = 1;
constexpr int kFirstValueCol = 2;
constexpr int kLastValueCol = 4;

} // namespace

void FrmRate::connectNavigatorButtons()
{
    // the navigator's controls exist from construction; the record is bound to them only later
    auto button = [this](const char *name) { return findChild<PicButton *>(QString::fromLatin1(name)); };
    if (auto *b = button("cmdSS_MOVE_XLS"))
        connect(b, &PicButton::Click, this, [this] { cmdSS_MOVE_XLS_Click(); });
    if (auto *b = button("cmdSS_MOVE_FND"))
        connect(b, &PicButton::Click, this, [this] { cmdSS_MOVE_FND_Click(); });
    if (auto *b = button("cmdSS_MOVE_GRP")) {
        connect(b, &PicButton::Click, this, [this] { cmdSS_MOVE_GRP_Click(); });
        connect(b, &PicButton::MouseDown, this, [this](Qt::MouseButton mb) { cmdSS_MOVE_GRP_MouseDown(mb); });
    }
    if (auto *b = button("cmdSS_MOVE_REF")) {
        connect(b, &PicButton::Click, this, [this] { cmdSS_MOVE_REF_Click(); });
        connect(b, &PicButton::MouseDown, this, [this](Qt::MouseButton mb) { cmdSS_MOVE_REF_MouseDown(mb); });
    }
}

void FrmRate::addDataMenuItems()
{
    // the export button's right-click menu "[ 자료 관리 ]"; the export acts on a query result only
    GridNav::addDataItem(
        m_info, QStringLiteral("엑셀로 내보내기"), [this] { cmdSS_MOVE_XLS_Click(); },
        [this] { return m_mode == Mode::Query; });
    GridNav::addDataItem(m_info, QStringLiteral("파일에서 가져오기"), [this] { importFile(); });
    GridNav::addDataItem(
        m_info, QStringLiteral("빠진 날짜 · 급변 점검"), [this] { openRateCheck(); },
        [this] { return m_mode == Mode::Query; });
    GridNav::addDataItem(m_info, QStringLiteral("인터넷에서 환율 받기"), [this] { fetchRates(); });
}

void FrmRate::fetchRates()
{
    if (!m_fetchWindow) {
        m_fetchWindow = new FrmRateFetch(this);
        connect(m_fetchWindow, &FrmRateFetch::fetchRequested, this, [this](const QDate &from, const QDate &to) {
            // the wait notice lets events run: no other command inside this one
            const InputHold::Scope hold;
            const RateFeed::Config config = RateFeedImport::machineConfig();
            RateFeed::Run run;
            {
                MsgScr::WaitNotice wait(MsgScr::Kind::Info, QStringLiteral("환율을 받고 있습니다."),
                                        QStringLiteral("인터넷에서 환율을 받고 있습니다."),
                                        MsgScr::PointerShape::Hourglass, MsgScr::WaitNotice::Progress::Bar);
                run = RateFeed::fetch(config, from, to, [&wait, from](int done, int total) {
                    wait.setText(QStringLiteral("인터넷에서 환율을 받고 있습니다.") + QStringLiteral("\r\n")
                                 + from.addDays(done - 1).toString(QStringLiteral("yyyy/MM/dd"))
                                 + QStringLiteral("  (%L1 / %L2일)").arg(done).arg(total));
                    wait.setPercent(float(done) * 100.0f / float(total));
                });
            }
            if (!run.problems.isEmpty()) {
                MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("환율을 받을 수 없습니다."),
                               run.problems.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n\r\n")
                                   + QStringLiteral("설정을 고친 뒤 다시 받으십시오. 아무것도 받지 않았습니다."));
                return;
            }
            if (!m_fetchedWindow) {
                m_fetchedWindow = new FrmRateImport(m_dataAccess.get(), m_writer.get(), this);
                connect(m_fetchedWindow, &FrmRateImport::applied, this, [this] {
                    if (m_mode == Mode::Query)
                        btnQuery_Click();
                });
            }
            const QString what = from == to ? from.toString(QStringLiteral("yyyy/MM/dd"))
                                            : from.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral(" ~ ")
                    + to.toString(QStringLiteral("yyyy/MM/dd"));
            m_fetchedWindow->hide();
            if (m_fetchedWindow->loadFetched(RateFeedImport::preview(run), what)) {
                m_fetchedWindow->show();
                m_fetchedWindow->raise();
                m_fetchedWindow->activateWindow();
            }
        });
    }
    m_fetchWindow->show();
    m_fetchWindow->raise();
    m_fetchWindow->activateWindow();
}

void FrmRate::importFile(const QString &path)
{
    const InputHold::Scope hold; // reading a long file waits with events running
    QString file = path;
    if (file.isEmpty()) {
        const std::optional<QString> chosen = FrmRateImport::chooseFile(this);
        if (!chosen || chosen->trimmed().isEmpty()) {
            if (m_SS)
                m_SS->setFocus();
            return;
        }
        file = *chosen;
    }
    if (!m_importWindow) {
        m_importWindow = new FrmRateImport(m_dataAccess.get(), m_writer.get(), this);
        connect(m_importWindow, &FrmRateImport::applied, this, [this] {
            if (m_mode == Mode::Query)
                btnQuery_Click();
        });
    }
    m_importWindow->hide();
    if (m_importWindow->load(file)) {
        m_importWindow->show();
        m_importWindow->raise();
        m_importWindow->activateWindow();
    }
}

void FrmRate::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void FrmRate::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    // after the drop has returned to the program it came from
    const QString file = urls.first().toLocalFile();
    QTimer::singleShot(0, this, [this, file] { importFile(file); });
}

FrmSSFind *FrmRate::findWindow() const
{
    return m_findWindow;
}
FrmSSGraph *FrmRate::graphWindow() const
{
    return m_graphWindow;
}

void FrmRate::cmdSS_MOVE_XLS_Click()
{
    const InputHold::Scope hold;
    if (m_mode == Mode::Query)
        sbSS_ExportXls(m_info, windowTitle(), true);
    if (m_SS)
        m_SS->setFocus();
}

void FrmRate::cmdSS_MOVE_FND_Click()
{
    const InputHold::Scope hold;
    if (m_mode == Mode::Query) {
        if (!m_findWindow)
            m_findWindow = new FrmSSFind(this);
        m_findWindow->sbSet_SSFind_Init(m_SS);
    } else if (m_SS) {
        m_SS->setFocus();
    }
}

void FrmRate::cmdSS_MOVE_GRP_Click()
{
    const InputHold::Scope hold;
    if (m_mode != Mode::Query) {
        if (m_SS)
            m_SS->setFocus();
        return;
    }
    const int valueCol = m_info.cmdGrp ? ControlInfo::tag(m_info.cmdGrp).trimmed().toInt() : 0;
    if (!m_graphWindow)
        m_graphWindow = new FrmSSGraph(this);
    // NOLINTNEXTLINE(readability-suspicious-call-argument): the day column is x, the chosen column y
    m_graphWindow->sbDisp_SS_Graph_Init(m_info, kKeyCol, valueCol, windowTitle(), QString(), QString(), true);
}

void FrmRate::cmdSS_MOVE_GRP_MouseDown(Qt::MouseButton button)
{
    const InputHold::Scope hold;
    if (button != Qt::RightButton)
        return;
    if (fnSS_MOVE_GraphMenu(m_info, kKeyCol, kFirstValueCol, kLastValueCol, QString()))
        cmdSS_MOVE_GRP_Click();
}

void FrmRate::cmdSS_MOVE_REF_Click()
{
    const InputHold::Scope hold;
    if (m_info.cmdRef)
        m_info.cmdRef->setEnabled(false);
    {
        const Pointer::Busy busy;
        sbSS_Format(GridNav::FormatStep::ColSize);
    }
    if (m_info.cmdRef)
        m_info.cmdRef->setEnabled(true);
    if (m_SS)
        m_SS->setFocus();
}

void FrmRate::cmdSS_MOVE_REF_MouseDown(Qt::MouseButton button)
{
    const InputHold::Scope hold;
    if (button != Qt::RightButton)
        return;
    if (fnSS_MOVE_SizeMenu(m_info, m_mode == Mode::Query))
        cmdSS_MOVE_REF_Click();
}
