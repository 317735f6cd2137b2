#include "graph/frmssgraph.h"

#include "graph/frmssgraph_parts.h"
#include "graph/graphlayout.h"
#include "graph/graphpicture.h"
#include "msgscr/msgscr.h"
#include "platform/chart/chartcontrol.h"
#include "platform/win/filefolder.h"
#include "platform/win/savefiledialog.h"
#include "platform/win/services.h"
#include "platform/win/twips.h"

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>

// Picture and print.

using namespace FrmSSGraphParts;

void FrmSSGraph::cmdSaveJPG_Click()
{
    if (m_state.saveFolder.isEmpty())
        m_state.saveFolder = QCoreApplication::applicationDirPath() + u'/';
    SaveFileRequest request;
    request.title = GraphPicture::saveTitle();
    request.filter = GraphPicture::saveFilter();
    request.defaultSuffix = GraphPicture::saveSuffix();
    request.folder = m_state.saveFolder;
    request.fileName = GraphPicture::proposedName(QDate::currentDate(), m_chtGraph->headerLine(0));
    const std::optional<QString> chosen = Platform::services().pictureFileDialog
        ? Platform::services().pictureFileDialog(request)
        : SaveFileDialog::askSaveFile(this, request);
    if (!chosen) {
        focusChart(); // cancelled: no message
        return;
    }
    QString fileName = *chosen;
    if (fileName.trimmed().isEmpty()) {
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("작업을 취소하셨습니다."),
                       QStringLiteral("작업이 취소되거나 파일명이 정상적으로 입력되지 않았습니다."));
        focusChart();
        return;
    }
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += u'.' + GraphPicture::saveSuffix();
    m_state.saveFolder = FileFolder::rememberedFolder(fileName);
    if (QFileInfo::exists(fileName)) {
        const MsgScr::Answer answer =
            MsgScr::question(MsgScr::Kind::Question, QStringLiteral("파일이 이미 존재합니다."),
                             QStringLiteral("파일을 덮어쓰시겠습니까?"), MsgScr::Answer::No);
        if (answer != MsgScr::Answer::Yes) {
            focusChart();
            return;
        }
    }
    const QSize pixels(GraphWindowLayout::picturePixels(Twips::width(m_chtGraph)),
                       GraphWindowLayout::picturePixels(Twips::height(m_chtGraph)));
    const PictureWrite result = GraphPicture::writeJpeg(m_chtGraph->renderImage(pixels), fileName);
    if (result.ok) {
        MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("저장하였습니다."), GraphPicture::savedText(fileName));
    } else {
        // every failure is reported; "in use" adds the hint to close the file
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("오류가 발생했습니다."),
                       GraphPicture::saveErrorText(result));
    }
    focusChart();
}

void FrmSSGraph::cmdPrint_Click()
{
    const PrinterList printers = Platform::services().printerList
        ? Platform::services().printerList()
        : PrinterList{QPrinterInfo::defaultPrinterName(), QPrinterInfo::availablePrinterNames()};
    const QString name = GraphPicture::printerName(printers.defaultName, printers.names);
    std::unique_ptr<QPrinter> printer;
    if (!name.isEmpty()) {
        if (Platform::services().printerByName) {
            printer = Platform::services().printerByName(name);
        } else {
            const QPrinterInfo info = QPrinterInfo::printerInfo(name);
            if (!info.isNull())
                printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
    }
    // the queue lists the job by the chart's title
    if (printer)
        printer->setDocName(m_chtGraph->headerLine(0));
    m_chtGraph->setPrintDetail(50);
    m_chtGraph->setPrintMargins(15, 15, 15, 15);
    m_chtGraph->setPrintOrientation(1);
    if (!printer) {
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("출력할 수 없습니다."),
                       QStringLiteral("사용할 수 있는 프린터가 없습니다.") + kCrLf
                           + QStringLiteral("프린터를 설치하거나 연결한 뒤 다시 시도해 주십시오."));
    } else if (!m_chtGraph->print(printer.get())) {
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("출력할 수 없습니다."),
                       QStringLiteral("프린터를 시작하지 못했습니다."));
    }
    focusChart();
}
