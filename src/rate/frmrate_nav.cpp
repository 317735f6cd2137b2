// The rate window's navigator buttons: export, graph, find and refresh, with the menus on the
// right mouse button of the graph and refresh buttons.

#include "rate/frmrate.h"

#include "rate/frmrateimport.h"

#include "find/frmssfind.h"
#include "graph/frmssgraph.h"
#include "gridnav/ssexport.h"
#include "gridnav/ssmenus.h"
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
