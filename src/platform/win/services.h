#pragma once

#include "platform/win/outputrequests.h"
#include "platform/win/stdmessagebox.h"

#include <QColor>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class ChartEditor;
class FrmMsgScr;
class QMenu;
class QPrinter;
struct ExportFileRequest;

// The program's ways out to the user and to the machine that a test replaces with fakes: the
// answers of message boxes, message screens, pop-up menus and the chart editor, the import's, the
// export's and the picture's file dialogs, the colour dialog, the printers, the bell, the screen's
// twips per pixel, the machine's settings folder and the clock's year. One object for the whole
// process; an empty member (or 0) means the real thing, which is how the program runs.
struct Services
{
    // answers a standard message box instead of showing it
    StdMessageBox::AnswerHook messageBoxAnswer;
    // called with each modal message screen once it is up; it answers by pressing a button or closing it
    std::function<void(FrmMsgScr &screen)> msgScrAnswer;
    // the item a pop-up menu would give (its number, 0 for none) instead of showing the menu
    std::function<int(QMenu *menu, QPoint position)> popupMenuAnswer;
    // sees every beep before it sounds
    std::function<void(unsigned type)> beepObserver;
    // the file the import would open instead of asking (nullopt: the user cancelled)
    std::function<std::optional<QString>()> importFileDialog;
    // the file the grid export would save to instead of asking ("" no name given, nullopt cancelled)
    std::function<std::optional<QString>(const ExportFileRequest &request)> exportFileDialog;
    // the file the graph's picture would be saved to instead of asking ("" no name given, nullopt cancelled)
    std::function<std::optional<QString>(const SaveFileRequest &request)> pictureFileDialog;
    // the colour the colour dialog would give instead of asking (nullopt: cancelled)
    std::function<std::optional<QColor>(const QColor &initial, const QString &title)> colorDialog;
    // what the print system would offer instead of asking it
    std::function<PrinterList()> printerList;
    // the printer of a name instead of Qt's (nullptr: it cannot be used)
    std::function<std::unique_ptr<QPrinter>(const QString &name)> printerByName;
    // called with the chart's modal editor once it is open; it answers it
    std::function<void(ChartEditor *editor)> chartEditorAnswer;
    double twipsPerPixel = 0; // 0: the primary screen's
    int currentYear = 0; // 0: the clock's
    QString machineSystemDir; // empty: /etc/zevaru
};

// The process's services.
Services &services();
// Every service back to the real one.
void resetServices();
