#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/win/beep.h"
#include "platform/win/pointer.h"
#include "platform/win/tickcount.h"
#include "platform/win/twips.h"

#include "../common/fakeservices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSvgWidget>
#include <QWindow>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

// The message screen driven through fnDisp_MsgScr, offscreen. Modal screens are answered by the hook.
class TstMsgScr : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void answers_data();
    void answers();
    void visibleButtons_data();
    void visibleButtons();
    void enterAnswersFocusedNo();
    void tabOrder();
    void kinds_data();
    void kinds();
    void bodyLines_data();
    void bodyLines();
    void blankTextKeepsLabels();
    void update_data();
    void update();
    void updateKeepsBlankHeadline();
    void updateWithoutScreen();
    void percent_data();
    void percent();
    void defaultPersistence_data();
    void defaultPersistence();
    void glideTakesEightSteps();
    void answerDuringGlide();
    void pointerShapes();
    void otherModes_data();
    void otherModes();
    void failures_data();
    void failures();
    void windowSize_data();
    void windowSize();
    void centredOverOwner();
    void textShownAsPlainText();
    void typedQuestion_data();
    void typedQuestion();
    void typedNotice();
    void waitNoticeLivesWithItsScope();
    void logShowsWhatTheScreenShows();

private:
    QList<unsigned> m_beeps;
};

namespace {

const QString CRLF = QStringLiteral("\r\n");

QStringList labelTexts(const FrmMsgScr &s)
{
    QStringList texts;
    for (const QLabel *l : s.lblText())
        texts << l->text();
    return texts;
}

QStringList shownButtons(const FrmMsgScr &s)
{
    QStringList names;
    for (int i = 0; i < 4; ++i)
        if (s.cmdClose(i)->isVisible())
            names << s.cmdClose(i)->text();
    return names;
}

QPoint glideTarget(const FrmMsgScr &s, int index)
{
    const QWidget *b = s.cmdClose(index);
    return b->mapToGlobal(QPoint(qRound(b->width() * 0.87), qRound(b->height() * 0.6)));
}

qint32 openModal(qint32 buttons, qint32 kind, const QString &text, qint32 def, const MsgScr::AnswerHook &hook)
{
    MsgScr::answerHook() = hook;
    const qint32 r = fnDisp_MsgScr(0, buttons, kind, QStringLiteral("제목"), text, 0, def, 0);
    MsgScr::answerHook() = nullptr;
    return r;
}

} // namespace

void TstMsgScr::initTestCase()
{
    m_fakes->twipsPerPixel = 15;
    m_fakes->beepObserver = [this](unsigned type) { m_beeps.append(type); };
}

void TstMsgScr::init()
{
    m_beeps.clear();
    MsgScr::state().MsgScrDefault = 0;
}

void TstMsgScr::cleanup()
{
    MsgScr::answerHook() = nullptr;
    fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!MsgScr::current());
}

void TstMsgScr::answers_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("press"); // element to click, -1 close the window, -2 Escape
    QTest::addColumn<int>("answer");
    QTest::newRow("확인") << 1 << 0 << 1;
    QTest::newRow("닫기") << 2 << 1 << 2;
    QTest::newRow("예") << 3 << 2 << 3;
    QTest::newRow("아니오") << 3 << 3 << 4;
    QTest::newRow("notice closed by the title bar") << 1 << -1 << 0;
    QTest::newRow("question closed by the title bar") << 3 << -1 << 0;
    QTest::newRow("question closed by Escape") << 3 << -2 << 0;
}

void TstMsgScr::answers()
{
    QFETCH(int, buttons);
    QFETCH(int, press);
    QFETCH(int, answer);
    bool seen = false;
    const qint32 r = openModal(buttons, MSG_QUESTION, QStringLiteral("본문"), 1, [&](FrmMsgScr &s) {
        seen = true;
        QVERIFY(s.isModal());
        QCOMPARE(MsgScr::state().MsgScrAnswer, -1);
        if (press >= 0)
            QTest::mouseClick(s.cmdClose(press), Qt::LeftButton);
        else if (press == -1)
            s.close();
        else
            QTest::keyClick(&s, Qt::Key_Escape);
    });
    QVERIFY(seen);
    QCOMPARE(r, answer);
    QCOMPARE(MsgScr::state().MsgScrAnswer, answer);
    QVERIFY(!MsgScr::current());
}

void TstMsgScr::visibleButtons_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("infor");
    QTest::newRow("notice") << 1 << QStringList{"확인"} << "버튼을 선택하십시오.";
    QTest::newRow("close") << 2 << QStringList{"닫기"} << "버튼을 선택하십시오.";
    QTest::newRow("question") << 3 << QStringList{"예", "아니오"} << "버튼을 선택하십시오.";
}

void TstMsgScr::visibleButtons()
{
    QFETCH(int, buttons);
    QFETCH(QStringList, shown);
    QFETCH(QString, infor);
    QStringList seen;
    QString seenInfor;
    openModal(buttons, MSG_INFO, QStringLiteral("본문"), 1, [&](FrmMsgScr &s) {
        seen = shownButtons(s);
        seenInfor = s.lblInfor()->text();
        QCOMPARE(s.windowTitle(), QStringLiteral(" MessageBox..."));
        // the right-aligned prompt line ends where the text box ends (pixels)
        const int boxRight = qRound(s.layout().textBtm[2].right() / 15);
        QVERIFY(qAbs(s.lblInfor()->geometry().right() + 1 - boxRight) <= 1);
        QVERIFY(s.lblInfor()->width() >= QFontMetrics(s.lblInfor()->font()).horizontalAdvance(s.lblInfor()->text()));
        s.close();
    });
    QCOMPARE(seen, shown);
    QCOMPARE(seenInfor, infor);
}

void TstMsgScr::enterAnswersFocusedNo()
{
    QPoint pointer, target;
    QString focused;
    const qint32 r = openModal(3, MSG_QUESTION, QStringLiteral("삭제하시겠습니까?"), 2, [&](FrmMsgScr &s) {
        focused = s.focusWidget() ? static_cast<QAbstractButton *>(s.focusWidget())->text() : QString();
        pointer = Pointer::position();
        target = glideTarget(s, 3);
        QTest::keyClick(s.focusWidget(), Qt::Key_Return);
    });
    QCOMPARE(focused, QStringLiteral("아니오"));
    QCOMPARE(pointer, target);
    QCOMPARE(r, 4);
}

void TstMsgScr::tabOrder()
{
    QStringList order;
    openModal(3, MSG_QUESTION, QStringLiteral("본문"), 1, [&](FrmMsgScr &s) {
        // with default 1 the focus is not moved: 예 holds it as the first in tab order
        order << static_cast<QAbstractButton *>(s.focusWidget())->text();
        QTest::keyClick(s.focusWidget(), Qt::Key_Tab);
        order << static_cast<QAbstractButton *>(s.focusWidget())->text();
        QTest::keyClick(s.focusWidget(), Qt::Key_Tab);
        order << static_cast<QAbstractButton *>(s.focusWidget())->text();
        s.close();
    });
    QCOMPARE(order, (QStringList{"예", "아니오", "예"}));
}

void TstMsgScr::kinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("beep"); // 0: none
    QTest::newRow("plain") << 0 << QColor(0, 0, 0) << 0;
    QTest::newRow("info") << MSG_INFO << QColor(0, 0, 192) << 64;
    QTest::newRow("question") << MSG_QUESTION << QColor(0, 0, 192) << 32;
    QTest::newRow("warning") << MSG_WARNING << QColor(192, 64, 0) << 48;
    QTest::newRow("error") << MSG_ERROR << QColor(255, 0, 0) << 16;
}

void TstMsgScr::kinds()
{
    QFETCH(int, kind);
    QFETCH(QColor, colour);
    QFETCH(int, beep);
    qint32 pictures = -1;
    QColor seenColour;
    openModal(1, kind, QStringLiteral("본문"), 1, [&](FrmMsgScr &s) {
        pictures = s.kindPictures();
        seenColour = s.lblTitle()->palette().color(QPalette::WindowText);
        s.close();
    });
    QCOMPARE(pictures, kind); // kind 0 keeps the design pictures
    QCOMPARE(seenColour, colour);
    QCOMPARE(m_beeps, beep ? QList<unsigned>{unsigned(beep)} : QList<unsigned>{});

    // a wait notice never beeps
    m_beeps.clear();
    QCOMPARE(fnDisp_MsgScr(0, 0, kind, QStringLiteral("조회중입니다."), QStringLiteral("본문"), 0, 0, 0), 0);
    QVERIFY(m_beeps.isEmpty());
}

void TstMsgScr::bodyLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one line") << "한 줄" << QStringList{"한 줄"};
    QTest::newRow("three lines") << "첫째" + CRLF + "  둘째  " + CRLF + "셋째"
                                 << QStringList{"첫째", "  둘째  ", "셋째"};
    QTest::newRow("empty middle line") << "a" + CRLF + CRLF + "c" << QStringList{"a", "", "c"};
    QTest::newRow("trailing break") << "a" + CRLF << QStringList{"a", ""};
    QTest::newRow("bare line feed stays in its line") << QString("a\nb") << QStringList{"a\nb"};
}

void TstMsgScr::bodyLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("제목"), text, 0, 0, 0), 0);
    FrmMsgScr *s = MsgScr::current();
    QVERIFY(s);
    // on the screen before the call returns: the caller may work on without an event loop
    QVERIFY(s->isVisible());
    QVERIFY(s->windowHandle() && s->windowHandle()->isExposed());
    QCOMPARE(labelTexts(*s), lines);
    QCOMPARE(s->lblInfor()->text(), QStringLiteral("잠시만 기다려 주십시오."));
    QCOMPARE(shownButtons(*s), QStringList());
    // each line has its own place, 270 twips apart
    for (qsizetype i = 1; i < s->lblText().size(); ++i)
        QCOMPARE(s->lblText()[i]->geometry().center().y() - s->lblText()[i - 1]->geometry().center().y(), 18);
}

void TstMsgScr::blankTextKeepsLabels()
{
    // a fresh screen with a blank body shows no line at all (not the designer's gauge text)
    QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("제목"), QStringLiteral("   "), 0, 0, 0), 0);
    QCOMPARE(labelTexts(*MsgScr::current()), QStringList{QString()});
    // an open screen given a blank body again keeps its line
    fnDisp_MsgScr(2, 0, 0, QString(), QStringLiteral("남는 줄"), 0, 0, 0);
    QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("다시"), QStringLiteral("  "), 0, 0, 0), 0);
    QCOMPARE(labelTexts(*MsgScr::current()), QStringList{"남는 줄"});
    QCOMPARE(MsgScr::current()->lblTitle()->text(), QStringLiteral("다시"));
}

void TstMsgScr::update_data()
{
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("updated");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("same count") << "a" + CRLF + "b"
                                << "c" + CRLF + "d" << QStringList{"c", "d"};
    QTest::newRow("more lines: only the first shown") << "a" + CRLF + "b"
                                                      << "1" + CRLF + "2" + CRLF + "3" << QStringList{"1", "2"};
    QTest::newRow("fewer lines: the rest blanked")
        << "a" + CRLF + "b" + CRLF + "c" << QString("x") << QStringList{"x", "", ""};
    QTest::newRow("blank text keeps the lines") << "a" + CRLF + "b" << QString("    ") << QStringList{"a", "b"};
}

void TstMsgScr::update()
{
    QFETCH(QString, opened);
    QFETCH(QString, updated);
    QFETCH(QStringList, shown);
    QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("조회중입니다."), opened, 0, 0, 11), 0);
    FrmMsgScr *s = MsgScr::current();
    const QSize size = s->size();
    QCOMPARE(fnDisp_MsgScr(2, 0, 0, QString(), updated, 0, 0, 0), 0);
    QCOMPARE(MsgScr::current(), s);
    QCOMPARE(labelTexts(*s), shown);
    QCOMPARE(s->size(), size); // an update is not laid out again
    QCOMPARE(MsgScr::state().MsgScrAnswer, -1);
}

void TstMsgScr::updateKeepsBlankHeadline()
{
    fnDisp_MsgScr(0, 0, MSG_WARNING, QStringLiteral(" 조회중입니다. "), QStringLiteral("본문"), 0, 0, 0);
    FrmMsgScr *s = MsgScr::current();
    QCOMPARE(s->lblTitle()->text(), QStringLiteral(" 조회중입니다. ")); // open keeps the blanks
    fnDisp_MsgScr(2, 0, 0, QStringLiteral("   "), QStringLiteral("다음"), 0, 0, 0);
    QCOMPARE(s->lblTitle()->text(), QStringLiteral(" 조회중입니다. "));
    fnDisp_MsgScr(2, 0, MSG_ERROR, QStringLiteral("  표시중입니다.  "), QString(), 0, 0, 0);
    QCOMPARE(s->lblTitle()->text(), QStringLiteral("표시중입니다.")); // an update trims
    // colour and pictures stay as opened
    QCOMPARE(s->lblTitle()->palette().color(QPalette::WindowText), QColor(192, 64, 0));
    QCOMPARE(s->kindPictures(), MSG_WARNING);
}

void TstMsgScr::updateWithoutScreen()
{
    QCOMPARE(fnDisp_MsgScr(2, 4, 0, QStringLiteral("제목"), QStringLiteral("본문"), 50, 0, 0), 0);
    QVERIFY(!MsgScr::current());
    QCOMPARE(fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0), 0);
}

void TstMsgScr::percent_data()
{
    QTest::addColumn<float>("percent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("coverTwips");
    // a one-line notice: the bar's inner width is 4050 twips
    QTest::newRow("below zero") << -5.0f << "0.0%" << 30.0;
    QTest::newRow("zero") << 0.0f << "0.0%" << 30.0;
    QTest::newRow("42.5") << 42.5f << "42.5%" << 30.0 + 4020 * 0.425;
    QTest::newRow("full") << 100.0f << "100.0%" << 4050.0;
    QTest::newRow("beyond full") << 150.0f << "100.0%" << 4050.0;
}

void TstMsgScr::percent()
{
    QFETCH(float, percent);
    QFETCH(QString, text);
    QFETCH(double, coverTwips);
    QCOMPARE(fnDisp_MsgScr(0, 4, MSG_INFO, QStringLiteral("조회중입니다."), QStringLiteral("본문"), 0, 0, 11), 0);
    FrmMsgScr *s = MsgScr::current();
    QVERIFY(s->picProgr()->isVisible());
    QVERIFY(s->lblProgr()->isVisible());
    QCOMPARE(s->lblProgr()->text(), QStringLiteral("0.0%"));
    QCOMPARE(s->picProgr()->width(), 270);
    QCOMPARE(fnDisp_MsgScr(2, 4, 0, QString(), QString(), percent, 0, 0), 0);
    QCOMPARE(s->lblProgr()->text(), text);
    QCOMPARE(s->shpProgr()->x(), qRound(coverTwips / 15));
    // the percentage stays centred over the bar
    QVERIFY(qAbs(s->lblProgr()->geometry().center().x() - s->picProgr()->geometry().center().x()) <= 2);

    // the percentage is read only for button set 4
    fnDisp_MsgScr(2, 0, 0, QString(), QString(), 7, 0, 0);
    QCOMPARE(s->lblProgr()->text(), text);
}

void TstMsgScr::defaultPersistence_data()
{
    QTest::addColumn<bool>("modelessBetween");
    QTest::addColumn<bool>("glides");
    QTest::newRow("after a modal default 1") << false << true;
    QTest::newRow("after a modeless open") << true << false;
}

void TstMsgScr::defaultPersistence()
{
    QFETCH(bool, modelessBetween);
    QFETCH(bool, glides);
    openModal(1, MSG_INFO, QStringLiteral("첫째"), 1, [](FrmMsgScr &s) { s.close(); });
    QCOMPARE(MsgScr::state().MsgScrDefault, 1);
    if (modelessBetween) {
        fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("조회중"), QStringLiteral("본문"), 0, 0, 0);
        fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);
        QCOMPARE(MsgScr::state().MsgScrDefault, 0);
    }
    const QPoint away(3, 4);
    Pointer::setPosition(away);
    QPoint pointer, target;
    // default 0 keeps whatever the last call left; the question's left button shares element 0's place
    openModal(3, MSG_QUESTION, QStringLiteral("둘째"), 0, [&](FrmMsgScr &s) {
        pointer = Pointer::position();
        target = glideTarget(s, 0);
        QCOMPARE(s.cmdClose(0)->geometry(), s.cmdClose(2)->geometry());
        s.close();
    });
    QCOMPARE(pointer, glides ? target : away);
}

void TstMsgScr::glideTakesEightSteps()
{
    FrmMsgScr form;
    form.sbForm_InitPosition(1);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget *b = form.cmdClose(0);
    const QPoint start = form.mapToGlobal(QPoint(0, 0));
    Pointer::setPosition(start);
    const qint64 t0 = TickCount::now();
    sbMouse_MoveToCtrl(b, &form);
    const qint64 took = TickCount::now() - t0;
    QVERIFY2(took >= 8 * 10, qPrintable(QString::number(took)));
    QCOMPARE(Pointer::position(), glideTarget(form, 0));
}

void TstMsgScr::answerDuringGlide()
{
    // a button pressed while the pointer is still gliding ends the screen at once and safely
    Pointer::setPosition(QPoint(0, 0));
    QPointer<FrmMsgScr> screen;
    QTimer probe;
    QPoint stoppedAt;
    bool pressed = false;
    probe.setInterval(2);
    connect(&probe, &QTimer::timeout, this, [&] {
        FrmMsgScr *s = MsgScr::current();
        if (!pressed && s && s->isGliding()) {
            pressed = true;
            screen = s;
            QTest::mouseClick(s->cmdClose(0), Qt::LeftButton);
            stoppedAt = Pointer::position();
        }
    });
    probe.start();
    const qint32 r = fnDisp_MsgScr(0, 1, MSG_INFO, QStringLiteral("제목"), QStringLiteral("본문"), 0, 1, 0);
    probe.stop();
    QVERIFY(pressed);
    QCOMPARE(r, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!screen); // deleted once the glide let go of it
    QCOMPARE(Pointer::position(), stoppedAt); // the glide stopped with the window
}

void TstMsgScr::pointerShapes()
{
    QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("조회중입니다."), QStringLiteral("본문"), 0, 0, 11), 0);
    QCOMPARE(Pointer::shape(), Pointer::Shape::Hourglass);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // an update with pointer 0 leaves it
    fnDisp_MsgScr(2, 0, 0, QString(), QStringLiteral("표시중"), 0, 0, 0);
    QCOMPARE(Pointer::shape(), Pointer::Shape::Hourglass);
    // a close resets it whatever it is given
    fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 11);
    QCOMPARE(Pointer::shape(), Pointer::Shape::Default);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TstMsgScr::otherModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
    QTest::newRow("99") << 99;
}

void TstMsgScr::otherModes()
{
    QFETCH(int, mode);
    QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("제목"), QStringLiteral("본문"), 0, 0, 0), 0);
    FrmMsgScr *s = MsgScr::current();
    QCOMPARE(fnDisp_MsgScr(mode, 3, MSG_ERROR, QStringLiteral("바뀌면 안 됨"), QStringLiteral("x"), 50, 2, 11), 0);
    QCOMPARE(MsgScr::current(), s);
    QCOMPARE(s->lblTitle()->text(), QStringLiteral("제목"));
    QCOMPARE(labelTexts(*s), QStringList{"본문"});
    QCOMPARE(MsgScr::state().MsgScrDefault, 0);
    QCOMPARE(Pointer::shape(), Pointer::Shape::Hourglass); // only the pointer follows
    QCOMPARE(MsgScr::state().MsgScrAnswer, -1);
}

void TstMsgScr::failures_data()
{
    QTest::addColumn<int>("openFirst"); // -1 nothing open; else button set of an open modeless screen
    QTest::addColumn<QString>("firstText");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result");
    QTest::newRow("kind too big") << -1 << "" << 1 << 5 << "본문" << -1;
    QTest::newRow("kind negative") << -1 << "" << 0 << -1 << "본문" << -1;
    QTest::newRow("question over a wait notice") << 0 << "a" << 3 << MSG_QUESTION << "본문" << -1;
    QTest::newRow("several lines over several lines")
        << 4 << "a" + CRLF + "b" << 0 << MSG_INFO << "1" + CRLF + "2" << -1;
    QTest::newRow("one line over several lines") << 0 << "a" + CRLF + "b" << 0 << MSG_INFO << "1" << 0;
    QTest::newRow("several lines over one line") << 0 << "a" << 0 << MSG_INFO << "1" + CRLF + "2" << 0;
}

void TstMsgScr::failures()
{
    QFETCH(int, openFirst);
    QFETCH(QString, firstText);
    QFETCH(int, buttons);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(int, result);
    FrmMsgScr *first = nullptr;
    if (openFirst >= 0) {
        QCOMPARE(fnDisp_MsgScr(0, openFirst, MSG_INFO, QStringLiteral("처음"), firstText, 0, 0, 0), 0);
        first = MsgScr::current();
    }
    const QStringList before = first ? labelTexts(*first) : QStringList();
    bool hookRan = false;
    MsgScr::answerHook() = [&](FrmMsgScr &s) {
        hookRan = true;
        s.close();
    };
    QCOMPARE(fnDisp_MsgScr(0, buttons, kind, QStringLiteral("나중"), text, 0, 1, 0), result);
    MsgScr::answerHook() = nullptr;
    QVERIFY(!hookRan || result != -1);
    if (result == -1) {
        QCOMPARE(MsgScr::current(), first);
        if (first) {
            // the open screen is left as it was
            QCOMPARE(labelTexts(*first), before);
            QCOMPARE(first->lblTitle()->text(), QStringLiteral("처음"));
            QCOMPARE(shownButtons(*first), QStringList());
        }
    } else {
        QCOMPARE(MsgScr::current(), first);
        QCOMPARE(first->lblTitle()->text(), QStringLiteral("나중"));
    }
}

void TstMsgScr::windowSize_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QSize>("client");
    // (W + 1700) x (H + 2220) twips at 15 twips a pixel
    QTest::newRow("one short line") << 0 << 1 << QSize(383, 224);
    QTest::newRow("five lines") << 0 << 5 << QSize(383, 224);
    QTest::newRow("six lines") << 0 << 6 << QSize(383, 242);
    QTest::newRow("progress, one line") << 4 << 1 << QSize(383, 224);
}

void TstMsgScr::windowSize()
{
    QFETCH(int, buttons);
    QFETCH(int, lines);
    QFETCH(QSize, client);
    QStringList body;
    for (int i = 0; i < lines; ++i)
        body << QStringLiteral("줄 %1").arg(i + 1);
    QCOMPARE(fnDisp_MsgScr(0, buttons, MSG_INFO, QStringLiteral("제목"), body.join(CRLF), 0, 0, 0), 0);
    FrmMsgScr *s = MsgScr::current();
    QCOMPARE(s->size(), client);
    QCOMPARE(s->minimumSize(), client); // fixed: the user can't resize it
    QCOMPARE(s->maximumSize(), client);
    // a line wider than the gauge widens the window by as much
    fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);
    const QString wide = QString(50, QLatin1Char('W')); // 50 half-width characters = 300 pixels
    fnDisp_MsgScr(0, buttons, MSG_INFO, QStringLiteral("제목"), wide, 0, 0, 0);
    s = MsgScr::current();
    const int textWidth = QFontMetrics(s->lblText()[0]->font()).horizontalAdvance(wide);
    QVERIFY(textWidth > 270);
    QCOMPARE(s->width(), 383 + textWidth - 270);
    QVERIFY(s->lblText()[0]->width() >= textWidth);
}

void TstMsgScr::centredOverOwner()
{
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("환율관리 프로그램"));
    owner.setGeometry(40, 500, 700, 300); // well off the screen's centre
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    MsgScr::setOwner(&owner);
    QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("제목"), QStringLiteral("본문"), 0, 0, 0), 0);
    FrmMsgScr *s = MsgScr::current();
    QCOMPARE(s->parentWidget(), &owner); // the wait notice stays above its main window
    const QPoint ownerCentre = owner.frameGeometry().center();
    const QPoint centre = s->frameGeometry().center();
    QVERIFY2((ownerCentre - centre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2 vs %3,%4")
                            .arg(ownerCentre.x())
                            .arg(ownerCentre.y())
                            .arg(centre.x())
                            .arg(centre.y())));
    fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);

    // a question has no owner, yet is centred over the main window all the same
    QPoint questionCentre;
    QWidget *parent = &owner;
    openModal(1, MSG_INFO, QStringLiteral("본문"), 0, [&](FrmMsgScr &q) {
        questionCentre = q.frameGeometry().center();
        parent = q.parentWidget();
        q.close();
    });
    QVERIFY(!parent);
    QVERIFY((ownerCentre - questionCentre).manhattanLength() <= 2);
    MsgScr::setOwner(nullptr);
}

void TstMsgScr::textShownAsPlainText()
{
    fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("<b>제목</b>"), QStringLiteral("<i>x</i> & <a href='y'>z</a>"), 0, 0,
                  0);
    FrmMsgScr *s = MsgScr::current();
    QCOMPARE(s->lblTitle()->textFormat(), Qt::PlainText);
    QCOMPARE(s->lblText()[0]->textFormat(), Qt::PlainText);
    QCOMPARE(s->lblText()[0]->text(), QStringLiteral("<i>x</i> & <a href='y'>z</a>"));
}

void TstMsgScr::typedQuestion_data()
{
    QTest::addColumn<int>("defaultAnswer");
    QTest::addColumn<int>("press"); // button pressed: 2 예, 3 아니오, -1 the window's close
    QTest::addColumn<int>("glideTo"); // MsgScrDefault: 1 the pointer glides to 예, 2 to 아니오
    QTest::addColumn<int>("answer");
    QTest::newRow("예 by default, 예 pressed") << int(MsgScr::Answer::Yes) << 2 << 1 << int(MsgScr::Answer::Yes);
    QTest::newRow("아니오 by default, 아니오 pressed") << int(MsgScr::Answer::No) << 3 << 2 << int(MsgScr::Answer::No);
    QTest::newRow("아니오 by default, 예 pressed") << int(MsgScr::Answer::No) << 2 << 2 << int(MsgScr::Answer::Yes);
    QTest::newRow("closed") << int(MsgScr::Answer::Yes) << -1 << 1 << int(MsgScr::Answer::Closed);
}

void TstMsgScr::typedQuestion()
{
    QFETCH(int, defaultAnswer);
    QFETCH(int, press);
    QFETCH(int, glideTo);
    QFETCH(int, answer);
    QStringList buttons;
    MsgScr::answerHook() = [&](FrmMsgScr &s) {
        buttons = shownButtons(s);
        if (press < 0)
            s.close();
        else
            QTest::mouseClick(s.cmdClose(press), Qt::LeftButton);
    };
    const MsgScr::Answer got =
        MsgScr::question(MsgScr::Kind::Warning, QStringLiteral("환율 변동을 확인하십시오."),
                         QStringLiteral("그래도 저장하시겠습니까?"), MsgScr::Answer(defaultAnswer));
    QCOMPARE(int(got), answer);
    QCOMPARE(buttons, (QStringList{QStringLiteral("예"), QStringLiteral("아니오")}));
    QCOMPARE(MsgScr::state().MsgScrDefault, glideTo);
    QCOMPARE(m_beeps, QList<unsigned>{Beep::Warning});
}

void TstMsgScr::typedNotice()
{
    QString title;
    QStringList body, buttons;
    MsgScr::answerHook() = [&](FrmMsgScr &s) {
        title = s.lblTitle()->text();
        body = labelTexts(s);
        buttons = shownButtons(s);
        QTest::mouseClick(s.cmdClose(0), Qt::LeftButton);
    };
    const MsgScr::Answer got = MsgScr::notice(MsgScr::Kind::Error, QStringLiteral("설정 실패"),
                                              QStringLiteral("첫 줄") + CRLF + QStringLiteral("둘째 줄"));
    QCOMPARE(got, MsgScr::Answer::Ok);
    QCOMPARE(title, QStringLiteral("설정 실패"));
    QCOMPARE(body, (QStringList{QStringLiteral("첫 줄"), QStringLiteral("둘째 줄")}));
    QCOMPARE(buttons, QStringList{QStringLiteral("확인")});
    QCOMPARE(MsgScr::state().MsgScrDefault, 1);
    QCOMPARE(m_beeps, QList<unsigned>{Beep::Error});
}

void TstMsgScr::waitNoticeLivesWithItsScope()
{
    QPointer<FrmMsgScr> shown;
    {
        MsgScr::WaitNotice wait(MsgScr::Kind::Info, QStringLiteral("적용중입니다."), QStringLiteral("본문"),
                                MsgScr::PointerShape::Hourglass, MsgScr::WaitNotice::Progress::Bar);
        shown = MsgScr::current();
        QVERIFY(shown);
        QVERIFY(!shown->isModal());
        QCOMPARE(Pointer::shape(), Pointer::Shape::Hourglass);
        QVERIFY(shown->picProgr()->isVisible());
        wait.setPercent(42.5f);
        QCOMPARE(shown->lblProgr()->text(), QStringLiteral("42.5%"));
        wait.setText(QStringLiteral("다음 줄"));
        QCOMPARE(labelTexts(*shown), QStringList{QStringLiteral("다음 줄")});
        QCOMPARE(shown->lblTitle()->text(), QStringLiteral("적용중입니다."));
        // an early close, then the end of the scope: closed once, nothing else touched
        wait.close();
        QVERIFY(!MsgScr::current());
        QCOMPARE(Pointer::shape(), Pointer::Shape::Default);
        QCOMPARE(fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("다른 알림"), QStringLiteral("본문"), 0, 0, 0), 0);
    }
    QVERIFY(MsgScr::current()); // the other notice stays: the scope closed nothing more
    {
        fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);
        const MsgScr::WaitNotice wait(MsgScr::Kind::Info, QStringLiteral("조회중입니다."), QStringLiteral("본문"));
        QVERIFY(MsgScr::current());
        QCOMPARE(MsgScr::current()->picProgr()->isVisible(), false);
    }
    QVERIFY(!MsgScr::current()); // left open, it closes with its scope
}

QTEST_MAIN(TstMsgScr)
#include "tst_msgscr.moc"

void TstMsgScr::logShowsWhatTheScreenShows()
{
    // the run's log as a driven run reads it: stderr, here into a file
    QTemporaryFile file;
    QVERIFY(file.open());
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(file.handle(), STDERR_FILENO);
    MsgScr::shownHook() = MsgScr::stderrLog();
    {
        MsgScr::WaitNotice wait(MsgScr::Kind::Info, QStringLiteral("조회중입니다."), "첫 줄" + CRLF + CRLF + "셋째 줄");
        wait.setPercent(10);
        wait.setText(QStringLiteral("다음"));
    }
    openModal(1, MSG_INFO, "저장하였습니다." + CRLF + CRLF + "경로 : /tmp/a.xlsx", 1, MsgScr::answerWith(1));
    MsgScr::shownHook() = nullptr;
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    file.seek(0);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    // the update keeps the emptied lines below it: the screen shows them blank, the log not at all
    QCOMPARE(lines,
             (QStringList{"msgscr-wait:조회중입니다.|첫 줄\\n\\n셋째 줄", "msgscr-wait:조회중입니다.|다음",
                          "msgscr:제목|저장하였습니다.\\n\\n경로 : /tmp/a.xlsx"}));
}
