#pragma once

#include "platform/win/stdmessagebox.h"

#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

class FrmMsgScr;
class QMenu;
struct ExportFileRequest;

// The program's ways out to the user and to the machine that a test replaces with fakes: the
// answers of message boxes, message screens and pop-up menus, the import's and the export's file
// dialogs, the bell,
// the screen's twips per pixel, the machine's settings folder and the clock's year. One object for
// the whole process; an empty member (or 0) means the real thing, which is how the program runs.
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
    double twipsPerPixel = 0; // 0: the primary screen's
    int currentYear = 0; // 0: the clock's
    QString machineSystemDir; // empty: /etc/zevaru
};

// The process's services.
Services &services();
// Every service back to the real one.
void resetServices();
