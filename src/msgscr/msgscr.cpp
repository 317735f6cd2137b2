#include "msgscr/msgscr.h"

#include "msgscr/frmmsgscr.h"
#include "msgscr/mouseglide.h"
#include "platform/win/beep.h"
#include "platform/win/inputhold.h"
#include "platform/win/pointer.h"
#include "platform/win/services.h"
#include "platform/win/spacetrim.h"
#include "platform/win/tickcount.h"
#include "platform/win/twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

MsgScr::State &shared()
{
    return MsgScr::state();
}

FrmMsgScr *openScreen()
{
    return shared().screen && !shared().screen->isUnloaded() ? shared().screen.data() : nullptr;
}

QStringList splitLines(const QString &text)
{
    return text.split(QStringLiteral("\r\n"));
}

unsigned kindBeep(qint32 kind)
{
    switch (kind) {
    case MSG_INFO:
        return Beep::Information;
    case MSG_QUESTION:
        return Beep::Question;
    case MSG_WARNING:
        return Beep::Warning;
    case MSG_ERROR:
        return Beep::Error;
    default:
        return 0;
    }
}

void setPointer(qint32 MsgPointer)
{
    const auto shape = Pointer::Shape(MsgPointer);
    if (shape != Pointer::Shape::Default && shape != Pointer::shape())
        Pointer::setShape(shape);
}

// Runs the test hook once the modal screen is up, active and done with its pointer glide. Where the
// window system never activates it, the hook runs after half a second all the same.
void runHookWhenReady(const QPointer<FrmMsgScr> &screen, qint64 since)
{
    if (!screen || screen->isUnloaded() || (!MsgScr::answerHook() && !MsgScr::shownHook()))
        return;
    const bool waiting = !screen->isVisible() || (!screen->wasActivated() && TickCount::now() - since < 500);
    if (waiting || screen->isGliding()) {
        QTimer::singleShot(5, screen, [screen, since] { runHookWhenReady(screen, since); });
        return;
    }
    if (MsgScr::shownHook())
        MsgScr::shownHook()(*screen);
    MsgScr::AnswerHook hook = MsgScr::answerHook(); // the hook may replace itself
    if (screen && hook)
        hook(*screen);
}

void tellShown(FrmMsgScr *s)
{
    if (s && MsgScr::shownHook())
        MsgScr::shownHook()(*s);
}

// The caller goes on working without returning to the event loop, so the wait notice must be on the
// screen now: wait (at most 200 ms) until the window system has mapped it, then paint it.
void paintNow(FrmMsgScr *s)
{
    QPointer<FrmMsgScr> guard(s);
    const qint64 start = TickCount::now();
    while (guard && guard->windowHandle() && !guard->windowHandle()->isExposed() && TickCount::now() - start < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (guard && guard->isVisible())
        guard->repaint();
}

qint32 closeScreen()
{
    delete shared().waitHold;
    shared().waitHold = nullptr;
    if (FrmMsgScr *s = openScreen()) {
        s->unload();
        shared().screen = nullptr;
    }
    Pointer::setShape(Pointer::Shape::Default);
    return 0;
}

qint32 updateScreen(qint32 MsgButtons, const QString &MsgTitle, const QString &MsgText, float MsgPercent)
{
    FrmMsgScr *s = openScreen();
    if (!s)
        return 0; // nothing open: nothing to update

    const QString title = SpaceTrim::trimSpaces(MsgTitle);
    if (!title.isEmpty())
        s->lblTitle()->setText(title);

    const bool newText = !title.isEmpty() || !SpaceTrim::trimSpaces(MsgText).isEmpty();
    if (!SpaceTrim::trimSpaces(MsgText).isEmpty()) {
        const QStringList lines = splitLines(MsgText);
        const QList<QLabel *> &labels = s->lblText();
        for (qsizetype i = 0; i < labels.size(); ++i)
            labels[i]->setText(i < lines.size() ? lines[i] : QString());
    }

    if (MsgButtons == 4)
        s->setProgress(MsgPercent);

    s->raise();
    QCoreApplication::processEvents();
    if (newText)
        tellShown(s);
    return 0;
}

qint32 openScreenWith(qint32 MsgButtons, qint32 MsgKind, const QString &MsgTitle, const QString &MsgText,
                      qint32 MsgDefault)
{
    if (MsgKind < 0 || MsgKind > 4)
        return -1;
    if (MsgButtons < 0 || MsgButtons > 4)
        return -1;

    const bool modal = MsgButtons != 0 && MsgButtons != 4;
    FrmMsgScr *s = openScreen();
    const bool hasText = !SpaceTrim::trimSpaces(MsgText).isEmpty();
    const QStringList lines = hasText ? splitLines(MsgText) : QStringList();
    if (s) {
        // One screen at a time: a modal one can't open over a shown screen, and an open screen's
        // extra body lines already exist. Checked before anything on the open screen changes.
        if (modal || s->isModal())
            return -1;
        if (lines.size() > 1 && s->lblText().size() > 1)
            return -1;
    } else {
        QWidget *owner = MsgScr::owner();
        // a wait notice belongs to the main window and stays above it; a question has no owner
        s = new FrmMsgScr(modal ? nullptr : owner);
        shared().screen = s;
    }

    if (MsgKind != 0)
        s->setKindPictures(MsgKind);
    s->setTitle(MsgTitle, FrmMsgScr::headlineColour(MsgKind));

    for (qsizetype i = 0; i < lines.size(); ++i) {
        QLabel *label = i < s->lblText().size() ? s->lblText()[i] : s->loadTextLine();
        label->setText(lines[i]);
    }

    switch (MsgButtons) {
    case 1:
        s->cmdClose(0)->show();
        if (MsgDefault != 0)
            shared().MsgScrDefault = 1;
        break;
    case 2:
        s->cmdClose(1)->show();
        if (MsgDefault != 0)
            shared().MsgScrDefault = 1;
        break;
    case 3:
        s->cmdClose(2)->show();
        s->cmdClose(3)->show();
        if (MsgDefault != 0)
            shared().MsgScrDefault = MsgDefault;
        break;
    default:
        break;
    }

    if (modal) {
        s->lblInfor()->setText(QStringLiteral("버튼을 선택하십시오."));
        s->sbForm_InitPosition(MsgButtons);
        if (const unsigned beep = kindBeep(MsgKind))
            Beep::message(beep);
        QPointer<FrmMsgScr> guard(s);
        if (MsgScr::answerHook() || MsgScr::shownHook())
            QTimer::singleShot(0, s, [guard] { runHookWhenReady(guard, TickCount::now()); });
        s->exec();
        if (guard && !guard->isUnloaded())
            guard->unload();
        if (shared().screen == guard)
            shared().screen = nullptr;
        return shared().MsgScrAnswer;
    }

    shared().MsgScrDefault = 0;
    if (!shared().waitHold)
        shared().waitHold = new InputHold::Scope;
    s->lblInfor()->setText(QStringLiteral("잠시만 기다려 주십시오."));
    s->sbForm_InitPosition(MsgButtons);
    s->show();
    s->raise();
    QCoreApplication::processEvents();
    paintNow(s);
    tellShown(openScreen());
    return 0;
}

} // namespace

qint32 fnDisp_MsgScr(qint32 MsgMode, qint32 MsgButtons, qint32 MsgKind, const QString &MsgTitle, const QString &MsgText,
                     float MsgPercent, qint32 MsgDefault, qint32 MsgPointer)
{
    shared().MsgScrAnswer = -1;
    switch (MsgMode) {
    case 0:
        setPointer(MsgPointer);
        return openScreenWith(MsgButtons, MsgKind, MsgTitle, MsgText, MsgDefault);
    case 1:
        return closeScreen();
    case 2:
        setPointer(MsgPointer);
        return updateScreen(MsgButtons, MsgTitle, MsgText, MsgPercent);
    default:
        setPointer(MsgPointer);
        return 0;
    }
}

void sbMouse_MoveToCtrl(QWidget *control, QWidget *form)
{
    if (!control || !form)
        return;
    // position of the control in the form's client area, through its containers
    QPoint pos = control->pos();
    for (QWidget *c = control->parentWidget(); c && c != form; c = c->parentWidget()) {
        if (c->isWindow())
            break;
        pos += c->pos();
    }
    const double tpp = Twips::perPixel();
    const QPoint client =
        MouseGlide::target(Twips::fromPixels(pos.x()), Twips::fromPixels(pos.y()), Twips::fromPixels(control->width()),
                           Twips::fromPixels(control->height()), tpp, tpp);
    const QPoint target = Pointer::clientToScreen(form, client);
    const QList<QPoint> path = MouseGlide::path(Pointer::position(), target);

    QPointer<QWidget> guard(form);
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (i < MouseGlide::Steps) {
            TickCount::waitMoreThan(MouseGlide::StepMs);
            if (!guard || !guard->isVisible())
                return; // the form went away while waiting
        }
        Pointer::setPosition(path[i]);
    }
}

namespace MsgScr {

Answer notice(Kind kind, const QString &title, const QString &text)
{
    return Answer(fnDisp_MsgScr(0, 1, qint32(kind), title, text, 0, 1, 0));
}

Answer question(Kind kind, const QString &title, const QString &text, Answer defaultAnswer)
{
    const qint32 def = defaultAnswer == Answer::No ? 2 : 1;
    return Answer(fnDisp_MsgScr(0, 3, qint32(kind), title, text, 0, def, 0));
}

WaitNotice::WaitNotice(Kind kind, const QString &title, const QString &text, PointerShape pointer, Progress progress)
{
    // closed once in any case, as a failed open may have set the pointer
    m_open = true;
    fnDisp_MsgScr(0, progress == Progress::Bar ? 4 : 0, qint32(kind), title, text, 0, 0, qint32(pointer));
}

WaitNotice::~WaitNotice()
{
    close();
}

void WaitNotice::setText(const QString &text)
{
    fnDisp_MsgScr(2, 0, 0, QString(), text, 0, 0, 0);
}

void WaitNotice::setPercent(float percent)
{
    fnDisp_MsgScr(2, 4, 0, QString(), QString(), percent, 0, 0);
}

void WaitNotice::close()
{
    if (!m_open)
        return;
    m_open = false;
    fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);
}

State &state()
{
    static State s;
    return s;
}

AnswerHook &answerHook()
{
    static Platform::ResetHook<AnswerHook> reset;
    return reset.hook;
}

AnswerHook &shownHook()
{
    static Platform::ResetHook<AnswerHook> reset;
    return reset.hook;
}

void setOwner(QWidget *owner)
{
    shared().owner = owner;
}

QWidget *owner()
{
    return shared().owner.data();
}

FrmMsgScr *current()
{
    return openScreen();
}

AnswerHook answerWith(Answer answer)
{
    return answerWith(qint32(answer));
}

AnswerHook answerWith(qint32 answer)
{
    return [answer](FrmMsgScr &screen) {
        if (answer >= 1 && answer <= 4) {
            QAbstractButton *b = screen.cmdClose(answer - 1);
            if (b && b->isVisible()) {
                b->click();
                return;
            }
        }
        screen.close();
    };
}

AnswerHook stderrLog()
{
    return [](FrmMsgScr &screen) {
        // every body line in its place, a blank one blank; the empty lines below the last text
        // show nothing
        QStringList lines;
        for (const QLabel *label : screen.lblText())
            lines << label->text();
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        const QString kind = screen.isModal() ? QStringLiteral("msgscr:") : QStringLiteral("msgscr-wait:");
        const QByteArray line =
            (kind + screen.lblTitle()->text() + u'|' + lines.join(QStringLiteral("\\n")) + u'\n').toUtf8();
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
    };
}

} // namespace MsgScr
