#pragma once

#include "platform/win/outputrequests.h"
#include "platform/win/stdmessagebox.h"

#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class ChartEditor;
class FrmMsgScr;
class QMenu;
class QPrinter;
namespace InputHold {
class Scope;
}

// What the windows of the process share while it runs, kept in one place instead of in globals of
// their own files. resetServices() leaves it alone: it follows the windows, not the tests.
struct SharedState
{
    // The message screen: the answer of the current modal screen (-1 while none is given yet),
    // the button the pointer glides to (0 none, 1 the left or only one, 2 the right one), the open
    // screen, the main window it centres over, and the input hold while a wait notice is up.
    qint32 MsgScrAnswer = 0;
    qint32 MsgScrDefault = 0;
    QPointer<FrmMsgScr> msgScreen;
    QPointer<QWidget> msgScrOwner;
    InputHold::Scope *msgScrWaitHold = nullptr;

    // InputHold: how many scopes are open, and the application event filter they share.
    int inputHoldDepth = 0;
    QObject *inputHoldFilter = nullptr;

    // The whole-screen pointer shape number, and whether our override cursor is on Qt's stack.
    int pointerShape = 0;
    bool pointerOverridden = false;

    // The folder the grid export saved to last, where its next dialog opens.
    QString exportFolder;

    // The clock's year and when it was read (ms since the epoch): the local date reads the time
    // zone file each time, and an import checks thousands of days in a row.
    int clockYear = 0;
    qint64 clockYearReadAt = 0;

    // The keyboard command tables (index 0..10): key codes as text, enabled flags, and the host
    // whose slot named like the command runs it.
    std::array<QString, 11> KeyCodes;
    std::array<bool, 11> KeyEnabled{};
    QPointer<QObject> CommandHost;
};

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
    // sees every message screen once it is up, and a wait notice again at each new text (the run's log)
    std::function<void(FrmMsgScr &screen)> msgScrShown;
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
    // called with the chart's modal editor once it is open; it answers it
    std::function<void(ChartEditor *editor)> chartEditorAnswer;
    double twipsPerPixel = 0; // 0: the primary screen's
    int currentYear = 0; // 0: the clock's
    QString machineSystemDir; // empty: /etc/zevaru

    SharedState shared;
};

// The process's services.
Services &services();
// Every service back to the real one; the shared state stays.
void resetServices();
