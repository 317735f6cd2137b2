#pragma once

#include "platform/win/pointer.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <QtGlobal>

#include <functional>

class FrmMsgScr;
namespace InputHold {
class Scope;
}

// The program's message screen: notices, Yes/No questions and wait notices, all through one call.

// MsgKind
constexpr qint32 MSG_INFO = 1;
constexpr qint32 MSG_QUESTION = 2;
constexpr qint32 MSG_WARNING = 3;
constexpr qint32 MSG_ERROR = 4;

// fnDisp_MsgScr
//   MsgMode     0 open, 1 close, 2 update the open screen; anything else only sets the pointer and yields 0
//   MsgButtons  0 none (wait notice, modeless), 1 확인, 2 닫기, 3 예/아니오, 4 none with progress bar (modeless)
//   MsgKind     MSG_INFO..MSG_ERROR, 0 plain
//   MsgTitle    headline
//   MsgText     body, lines separated by "\r\n"
//   MsgPercent  progress, read by an update of a screen with button set 4
//   MsgDefault  default button: 0 keeps the previous one; set 3: 1 = 예, 2 = 아니오
//   MsgPointer  whole-screen pointer shape number (0 leaves it; 11 hourglass)
// Result: the button pressed on a modal screen (1 확인, 2 닫기, 3 예, 4 아니오), 0 when it was closed
// otherwise and for modeless calls, -1 when the call failed.
qint32 fnDisp_MsgScr(qint32 MsgMode, qint32 MsgButtons, qint32 MsgKind, const QString &MsgTitle, const QString &MsgText,
                     float MsgPercent, qint32 MsgDefault, qint32 MsgPointer);

// The screen's answer (MsgScrAnswer) and the button its pointer glides to (MsgScrDefault) are kept
// in MsgScr::state(), with the rest of what the message screen keeps while the process runs.

// Pointer glide onto `control` of `form` (the find window uses it too).
void sbMouse_MoveToCtrl(QWidget *control, QWidget *form);

// Typed calls of fnDisp_MsgScr for the program's windows: a notice, a question and a wait notice.
namespace MsgScr {

enum class Kind : qint32 {
    Plain = 0,
    Info = MSG_INFO,
    Question = MSG_QUESTION,
    Warning = MSG_WARNING,
    Error = MSG_ERROR,
};

// The button that closed a modal screen; Closed when it was closed otherwise, Failed when it never opened.
enum class Answer : qint32 { Failed = -1, Closed = 0, Ok = 1, Close = 2, Yes = 3, No = 4 };

// Whole-screen pointer shape while a wait notice is up.
enum class PointerShape : qint32 { Keep = 0, Hourglass = qint32(Pointer::Shape::Hourglass) };

// A modal notice with one 확인 button, the pointer gliding to it.
Answer notice(Kind kind, const QString &title, const QString &text);

// A modal 예/아니오 question; `defaultAnswer` (Yes or No) is the button the pointer glides to.
Answer question(Kind kind, const QString &title, const QString &text, Answer defaultAnswer);

// A modeless wait notice for as long as the object lives (or until close()); while it is up the
// windows take no user input. With a progress bar, setPercent() moves the bar.
class WaitNotice
{
public:
    enum class Progress { None, Bar };
    WaitNotice(Kind kind, const QString &title, const QString &text, PointerShape pointer = PointerShape::Keep,
               Progress progress = Progress::None);
    ~WaitNotice();
    WaitNotice(const WaitNotice &) = delete;
    WaitNotice &operator=(const WaitNotice &) = delete;

    // a new body text; the headline stays
    void setText(const QString &text);
    void setPercent(float percent);
    void close();

private:
    bool m_open = false;
};

// The main window the screen is centred over and that owns the wait notices. Without one the
// screen centres over the active window, or the screen.
void setOwner(QWidget *owner);
QWidget *owner();

// The open message screen, or nullptr.
FrmMsgScr *current();

// A test's answer to the modal screens: called with the modal screen once it is shown (and its
// pointer glide is done), it answers by pressing a button or closing the window.
using AnswerHook = std::function<void(FrmMsgScr &screen)>;

// What the message screen keeps while the process runs, one for the process.
struct State
{
    // the answer of the current modal screen (-1 while none is given yet)
    qint32 MsgScrAnswer = 0;
    // the button the pointer glides to (0 none, 1 the left or only one, 2 the right one)
    qint32 MsgScrDefault = 0;
    // the open screen, the main window it centres over, and the input hold while a wait notice is up
    QPointer<FrmMsgScr> screen;
    QPointer<QWidget> owner;
    InputHold::Scope *waitHold = nullptr;
};
State &state();

// The hook that answers every modal screen instead of the user (empty: the user answers). It goes
// back to empty with Platform::resetServices(), as the platform's own fakes do.
AnswerHook &answerHook();
// The hook that sees every screen once it is up, and a wait notice again at each new text (the
// run's log); it leaves the screen to the user. Empty again with Platform::resetServices().
AnswerHook &shownHook();
// A hook that answers every modal screen with `answer`: 1..4 press that button, 0 closes the window.
AnswerHook answerWith(qint32 answer);
AnswerHook answerWith(Answer answer);
// A hook for shownHook() that leaves the screen to the user and prints what it shows
// to stderr, one line each time: "msgscr:headline|line1\nline2..." for a screen that waits for a
// button, "msgscr-wait:headline|..." for a wait notice (at each new text too). Each body line is
// written as the screen shows it, a blank one blank; used when ZOZURA_LOG_MSGSCR is set, so that a
// run driven from outside sees what a person sees.
AnswerHook stderrLog();

} // namespace MsgScr
