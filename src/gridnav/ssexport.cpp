#include "gridnav/ssexport.h"

#include "msgscr/msgscr.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/filefolder.h"
#include "platform/win/savefiledialog.h"
#include "platform/win/services.h"
#include "platform/win/syserror.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The folder the export saved to last, where its next dialog opens: one for the process, kept
// across the tests' resets of the services as it is across the windows.
QString &savedFolder()
{
    static QString folder;
    return folder;
}

bool gridHasData(const SS_MOVE_INFO &info)
{
    const SpreadGrid *g = info.Grid;
    if (g->MaxRows() >= 2)
        return true;
    if (g->MaxRows() < 1)
        return false;
    const int cols = info.ColCount > 0 ? info.ColCount : g->MaxCols();
    for (int c = 1; c <= cols; ++c)
        if (!g->GetCellText(c, 1).trimmed().isEmpty())
            return true;
    return false;
}

// Whether an existing file can be replaced: it must open for writing (not truncated) and its folder
// must take a new file (the workbook is written beside it and renamed over it). 0 or the errno.
int replaceError(const QString &file)
{
    const QByteArray name = QFile::encodeName(file);
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    const QByteArray probe = QFile::encodeName(QFileInfo(file).absolutePath() + QStringLiteral("/.zz_export_XXXXXX"));
    QByteArray tmpl = probe;
    const int pfd = ::mkstemp(tmpl.data());
    if (pfd < 0)
        return errno;
    ::close(pfd);
    ::unlink(tmpl.constData());
    return 0;
}

void setBlockFormat(SpreadGrid *g, int col, int row, int col2, int row2, int hAlign, bool black)
{
    g->setCol(col);
    g->setRow(row);
    g->setCursorCol2(col2);
    g->setCursorRow2(row2);
    g->setBlockMode(true);
    g->setCellKind(SpreadGrid::KindStaticText);
    g->setHAlign(hAlign);
    g->setVAlign(2); // centre
    if (black)
        g->setForeColor(0);
    g->setBlockMode(false);
}

// Puts the header and summary rows into the data rows for the file and takes them out again when it
// goes out of scope, whatever happens in between, so the grid shows what it showed before.
class ExportRows
{
public:
    ExportRows(SS_MOVE_INFO &info, bool withHeaders)
        : m_info(info)
        , m_g(info.Grid)
    {
        m_redraw = m_g->Redraw();
        m_protect = m_g->ProtectFlag();
        m_scrollBars = m_g->ScrollBarMode();
        m_firstRow = m_g->FirstVisibleRow();
        m_firstCol = m_g->FirstVisibleCol();
        m_col = m_g->Col();
        m_row = m_g->Row();
        m_g->setRedraw(false);

        if (withHeaders)
            putHeaders();
        if (info.HasSum && info.SumGrid && info.SumRows > 0)
            putSummary();
    }

    bool write(const QString &file)
    {
        m_g->setProtectFlag(false);
        m_g->setScrollBarMode(SpreadGrid::ScrollBarsBoth);
        const bool ok = m_g->ExportToExcel(file, QStringLiteral("Sheet1"), QString());
        m_g->setProtectFlag(m_protect);
        m_g->setScrollBarMode(m_scrollBars);
        return ok;
    }

    ~ExportRows()
    {
        if (m_sumAdded > 0) {
            m_g->RemoveCellSpan(1, m_g->MaxRows() - m_sumAdded + 1);
            m_g->setMaxRows(m_g->MaxRows() - m_sumAdded);
        }
        if (m_headers > 0) {
            m_g->DeleteRows(1, m_headers);
            m_g->setMaxRows(m_g->MaxRows() - m_headers);
        }
        m_g->setProtectFlag(m_protect);
        m_g->setScrollBarMode(m_scrollBars);
        m_g->setCol(m_col);
        m_g->setRow(m_row);
        m_g->setFirstVisibleCol(m_firstCol);
        m_g->setFirstVisibleRow(m_firstRow);
        m_g->setRedraw(m_redraw);
    }

private:
    void putHeaders()
    {
        const int h = m_g->ColHeaderRows();
        if (h < 1)
            return;
        const int cols = m_g->MaxCols();
        m_g->setMaxRows(m_g->MaxRows() + h);
        m_headers = h;
        m_g->InsertRows(1, h);
        m_g->CopyRange(1, SpreadGrid::FirstHeaderRow, cols, SpreadGrid::FirstHeaderRow + h - 1, 1, 1);
        setBlockFormat(m_g, 1, 1, cols, h, SpreadGrid::AlignCenter, true);
    }

    void putSummary()
    {
        SpreadGrid *sum = m_info.SumGrid;
        const int sumCol = sum->Col();
        const int sumRow = sum->Row();
        const int cols = m_g->MaxCols();
        for (int k = 1; k <= m_info.SumRows; ++k) {
            m_g->setMaxRows(m_g->MaxRows() + 1);
            ++m_sumAdded;
            const int r = m_g->MaxRows();
            setBlockFormat(m_g, 1, r, cols, r, SpreadGrid::AlignRight, false);
            for (int c = 1; c <= cols; ++c) {
                sum->setCol(c);
                sum->setRow(k);
                const int fore = sum->ForeColor();
                const int back = sum->BackColor();
                m_g->setCol(c);
                m_g->setRow(r);
                m_g->setText(sum->GetCellText(c, k));
                m_g->setForeColor(fore);
                m_g->setBackColor(back);
            }
        }
        sum->setCol(sumCol);
        sum->setRow(sumRow);
        const int first = m_g->MaxRows() - m_info.SumRows + 1;
        m_g->AddCellSpan(1, first, 1, m_info.SumRows);
        m_g->SetCellText(1, first, QStringLiteral("평균"));
    }

    SS_MOVE_INFO &m_info;
    SpreadGrid *m_g;
    bool m_redraw = true;
    bool m_protect = true;
    int m_scrollBars = 0;
    int m_firstRow = 1;
    int m_firstCol = 1;
    int m_col = 1;
    int m_row = 1;
    int m_headers = 0;
    int m_sumAdded = 0;
};

} // namespace

QString GridNav::lastSaveDir()
{
    return savedFolder();
}
void GridNav::setLastSaveDir(const QString &folder)
{
    savedFolder() = folder;
}

QString GridNav::proposedExportName(const QDate &today, const QString &baseName)
{
    return FileFolder::datedFileName(today, baseName);
}

bool GridNav::writeExport(SS_MOVE_INFO &info, const QString &file, bool withHeaders)
{
    if (!info.Grid)
        return false;
    ExportRows rows(info, withHeaders);
    return rows.write(file);
}

void sbSS_ExportXls(SS_MOVE_INFO &info, const QString &baseName, bool withHeaders)
{
    if (!info.Grid)
        return;
    if (!gridHasData(info)) {
        MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("조회된 데이타가 없습니다."),
                       QStringLiteral("저장할 데이타가 존재하지 않아 저장을 취소합니다."));
        return;
    }
    if (savedFolder().isEmpty())
        savedFolder() = QDir(QCoreApplication::applicationDirPath()).absolutePath() + u'/';

    SaveFileRequest request;
    request.title = QStringLiteral("엑셀로 내보내기");
    request.folder = savedFolder();
    request.fileName = GridNav::proposedExportName(QDate::currentDate(), baseName);
    request.defaultSuffix = QStringLiteral("xlsx");
    request.filter = QStringLiteral("Excel File (*.xlsx) | *.xlsx");
    const std::optional<QString> chosen = Platform::services().exportFileDialog
        ? Platform::services().exportFileDialog(request)
        : SaveFileDialog::askSaveFile(QApplication::activeWindow(), request);
    if (!chosen)
        return; // Cancel: nothing said, nothing touched
    // the file holds a workbook: a typed ".xls" would name another format
    QString file = *chosen;
    if (file.endsWith(QLatin1String(".xls"), Qt::CaseInsensitive))
        file += u'x';
    if (file.trimmed().isEmpty()) {
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("작업을 취소하셨습니다."),
                       QStringLiteral("작업이 취소되거나 파일명이 정상적으로 입력되지 않았습니다."));
        return;
    }
    savedFolder() = FileFolder::rememberedFolder(file);

    if (QFileInfo::exists(file)) {
        const MsgScr::Answer answer =
            MsgScr::question(MsgScr::Kind::Question, QStringLiteral("파일이 이미 존재합니다."),
                             QStringLiteral("파일을 덮어쓰시겠습니까?"), MsgScr::Answer::No);
        if (answer != MsgScr::Answer::Yes)
            return;
        // The old file stays until the new workbook is complete (it is renamed over it); only check
        // now that it can be replaced.
        if (const int err = replaceError(file)) {
            QString text = SystemError::text(err);
            if (err == EACCES || err == EPERM || err == EROFS || err == ETXTBSY)
                text += kCrLf + QStringLiteral("파일이 사용중이면 닫아주십시오.");
            MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("오류가 발생했습니다."), text);
            return;
        }
    }

    const bool ok = GridNav::writeExport(info, file, withHeaders);
    if (ok)
        MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("저장하였습니다."),
                       QStringLiteral("아래 경로로 저장하였습니다.") + kCrLf + kCrLf + QStringLiteral("경로 : ")
                           + file);
    else
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("저장을 실패하였습니다."),
                       QStringLiteral("정상적으로 저장되지 않았습니다."));
}
