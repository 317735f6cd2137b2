#pragma once

#include "platform/win/outputrequests.h"
#include "platform/win/stdmessagebox.h"

#include <QColor>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMenu;
class QPrinter;

namespace Platform {

// What the platform's own parts share while the process runs, kept in one place instead of in
// globals of their own files. resetServices() leaves it alone: it follows the windows, not the
// tests. Each higher layer keeps its own state (the message screen's in msgscr, the export's
// folder in gridnav, the key tables in rate).
struct SharedState
{
    // InputHold: how many scopes are open, and the application event filter they share.
    int inputHoldDepth = 0;
    QObject *inputHoldFilter = nullptr;

    // The whole-screen pointer shape number, and whether our override cursor is on Qt's stack.
    int pointerShape = 0;
    bool pointerOverridden = false;
};

// The program's ways out to the user and to the screen that a test replaces with fakes: the
// answers of message boxes and pop-up menus, the import's, the export's and the picture's file
// dialogs, the colour dialog, the printers, the bell and the screen's twips per pixel (the
// machine's settings folder and the clock's year are in systemservices.h). One object for the
// whole process; an empty member (or 0) means the real thing, which is how the program runs.
// A higher layer keeps the hooks that name its own types (the message screen's, the chart
// editor's) and puts them back through onResetServices().
struct Services
{
    // answers a standard message box instead of showing it
    StdMessageBox::AnswerHook messageBoxAnswer;
    // the item a pop-up menu would give (its number, 0 for none) instead of showing the menu
    std::function<int(QMenu *menu, QPoint position)> popupMenuAnswer;
    // sees every beep before it sounds
    std::function<void(unsigned type)> beepObserver;
    // the file the import would open instead of asking (nullopt: the user cancelled)
    std::function<std::optional<QString>()> importFileDialog;
    // the file the grid export would save to instead of asking ("" no name given, nullopt cancelled)
    std::function<std::optional<QString>(const SaveFileRequest &request)> exportFileDialog;
    // the file the graph's picture would be saved to instead of asking ("" no name given, nullopt cancelled)
    std::function<std::optional<QString>(const SaveFileRequest &request)> pictureFileDialog;
    // the colour the colour dialog would give instead of asking (nullopt: cancelled)
    std::function<std::optional<QColor>(const QColor &initial, const QString &title)> colorDialog;
    // what the print system would offer instead of asking it
    std::function<PrinterList()> printerList;
    // the printer of a name instead of Qt's (nullptr: it cannot be used)
    std::function<std::unique_ptr<QPrinter>(const QString &name)> printerByName;
    double twipsPerPixel = 0; // 0: the primary screen's

    SharedState shared;
};

// The process's services.
Services &services();
// Every service back to the real one, the machine seams (Platform::systemServices()) and the hooks given to
// onResetServices() too; the shared state stays.
void resetServices();
// Called by every resetServices() from now on: a higher layer's hooks go back with the services.
void onResetServices(std::function<void()> reset);

// A hook of a higher layer that goes back to empty with every resetServices(): the layer keeps one
// as a function-local static and hands out `hook`.
template<typename Hook> struct ResetHook
{
    Hook hook;
    ResetHook()
    {
        onResetServices([this] { hook = nullptr; });
    }
};

} // namespace Platform
