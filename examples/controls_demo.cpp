// A small form with every input control, picture button, tip and a pop-up menu, laid out in
// twips like the main window, to look at under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./controls_demo [--menu] [--shot file.png]
//   --hover: tips appear only when the mouse rests on their control; --quit ms: end after a while
#include "platform/controls/btnbutton.h"
#include "platform/controls/cfloat.h"
#include "platform/controls/controlstyle.h"
#include "platform/controls/ddate.h"
#include "platform/controls/ltitle.h"
#include "platform/controls/picbutton.h"
#include "platform/controls/pictoggle.h"
#include "platform/controls/xpanel.h"
#include "platform/win/twips.h"
#include "winui/popupmenu.h"
#include "winui/tooltip.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    app.setFont(QFont(QStringLiteral("굴림체"), 9));
    const QStringList args = app.arguments();

    QWidget form;
    form.setWindowTitle(QStringLiteral("환율관리 프로그램"));
    Twips::resize(&form, 12000, 6200);

    auto *top = new xPanel(&form);
    top->setCaption(QStringLiteral("일일 환율 입력"));
    top->setPicture(PicButton::glyphPath(QStringLiteral("graph")));
    Twips::setGeometry(top, 45, 45, 11895, 1500);

    auto *frame = new QWidget(top);
    Twips::setGeometry(frame, 135, 330, 10680, 1035);
    auto field = [frame](const QString &caption, double left, double y, QWidget *box, double width) {
        Twips::setGeometry(new lTitle(caption, frame), left, y, 1215, 300);
        box->setParent(frame);
        Twips::setGeometry(box, left + 1260, y, width, 300);
    };
    auto *date = new dDate;
    date->setValue(QStringLiteral("2026/12/08"));
    field(QStringLiteral("기준일"), 0, 0, date, 1320);
    auto *usd = new cFloat;
    usd->setMaskdecimalplaces(2);
    usd->setValue(QStringLiteral("1234.5"));
    field(QStringLiteral("미달러"), 0, 360, usd, 1320);
    auto *vnd = new cFloat;
    vnd->setMaskdecimalplaces(0);
    vnd->setValue(QStringLiteral("25350"));
    field(QStringLiteral("베트남동"), 2700, 360, vnd, 1320);
    auto *krw = new cFloat;
    krw->setMaskdecimalplaces(6);
    krw->setValue(QStringLiteral("1.0876545"));
    field(QStringLiteral("한국원화"), 5400, 360, krw, 1320);
    auto *remark = new QLineEdit(QStringLiteral("월말 기준"));
    ControlStyle::applyTextBox(remark);
    field(QStringLiteral("비  고"), 0, 720, remark, 6720);
    auto *clear = new btnButton(QStringLiteral("초기화"), frame);
    Twips::setGeometry(clear, 8145, 45, 2535, 390);
    auto *save = new btnButton(QStringLiteral("저  장"), frame);
    Twips::setGeometry(save, 8145, 540, 1230, 390);
    auto *del = new btnButton(QStringLiteral("삭  제"), frame);
    Twips::setGeometry(del, 9450, 540, 1230, 390);
    del->setEnabled(false);

    // the two toggle pairs in the top right corner
    const char *toggles[] = {"aligncenter", "expand", "collapse"};
    for (int i = 0; i < 3; ++i) {
        auto *t = new PicToggle(top);
        t->setPicture(PicButton::glyphPath(QString::fromLatin1(toggles[i])));
        t->setValue(i == 1);
        t->setEnabled(i != 1);
        Twips::setGeometry(t, 11895 - 105 - 3 * 270 + i * 270, 45, 270, 255);
    }

    auto *main = new xPanel(&form);
    Twips::setGeometry(main, 45, 1620, 11895, 4500);
    auto *from = new dDate(main);
    from->setValue(QStringLiteral("2026/11/01"));
    Twips::setGeometry(from, 1395, 330, 1320, 300);
    auto *tilde = new QLabel(QStringLiteral("~"), main);
    Twips::setGeometry(tilde, 2745, 360, 135, 240);
    auto *to = new dDate(main);
    to->setValue(QStringLiteral("2026/11"));
    Twips::setGeometry(to, 2925, 330, 1320, 300);
    auto *query = new btnButton(QStringLiteral("조  회"), main);
    Twips::setGeometry(query, 4365, 285, 1230, 390);
    auto *sum = new QLabel(QStringLiteral("  평균    1,234.50    25,350    1.087655"), main);
    sum->setStyleSheet(QStringLiteral("QLabel { background: white; border: 1px solid #a7b3c2; }"));
    Twips::setGeometry(sum, 90, 3300, 6840, 330);

    // a navigator-like column of picture buttons
    const char *nav[] = {"excel", "graph", "find", "top", "pageup", "up", "down", "pagedown", "end", "refresh"};
    for (int i = 0; i < 10; ++i) {
        auto *b = new PicButton(main);
        b->setPicture(PicButton::glyphPath(QString::fromLatin1(nav[i])));
        b->setEnabled(i != 3 && i != 4 && i != 5);
        Twips::setGeometry(b, 7200, 810 + i * 300, 330, 285);
    }
    // a few with captions, as the message screen and find window use them
    auto *ok = new PicButton(main);
    ok->setPicture(PicButton::glyphPath(QStringLiteral("ok")));
    ok->setCaption(QStringLiteral("확인"));
    Twips::setGeometry(ok, 7800, 810, 1335, 435);
    auto *close = new PicButton(main);
    close->setPicture(PicButton::glyphPath(QStringLiteral("close")));
    close->setCaption(QStringLiteral("닫기"));
    Twips::setGeometry(close, 7800, 1350, 1335, 435);
    auto *findNext = new PicButton(main);
    findNext->setPicture(PicButton::glyphPath(QStringLiteral("find")));
    findNext->setCaption(QStringLiteral("찾기"));
    findNext->setEnabled(false);
    Twips::setGeometry(findNext, 7800, 1890, 1335, 435);

    ToolTip sumTip, findTip, plainTip;
    fnSet_ToolTip(&sumTip, sum, ToolTip::TipStyle::Balloon, false,
                  QStringLiteral("기간 : 2026/11/01 ~ 2026/11/30\r\n조회 : 2026/12/08 09:12:03\r\n건수 : 30 건"),
                  QStringLiteral("조회정보"), ToolTip::TipIcon::Information);
    fnSet_ToolTip(&findTip, query, ToolTip::TipStyle::Balloon, true,
                  QStringLiteral("클릭 : 전체값 표시\r\n더블클릭 : 바로가기창 표시"), QStringLiteral("시트 현제 라인"),
                  ToolTip::TipIcon::None);
    plainTip.setBackColor(0xC0FFFF);
    fnSet_ToolTip(&plainTip, clear, ToolTip::TipStyle::Rectangular, true, QStringLiteral("입력 항목 초기화"), {},
                  ToolTip::TipIcon::None);

    form.move(40, 40);
    form.show();
    usd->setFocus();

    to->setEnabled(false);
    QTimer::singleShot(300, [&] {
        form.activateWindow();
        usd->setFocus();
        if (!args.contains(QStringLiteral("--hover"))) {
            findTip.showNow();
            sumTip.showNow(QPoint(60, 10));
            plainTip.showNow();
        }
        if (args.contains(QStringLiteral("--menu"))) {
            auto *menu = PopupMenu::buildMenu({QStringLiteral("1. 시트 크기에 맞게"),
                                               QStringLiteral("2. 문자 길이에 맞게"), QStringLiteral("-"),
                                               QStringLiteral("3. 기본 크기로"), QStringLiteral("4. 현재 크기 유지")},
                                              {true, true, true, true, false}, {true, false, false, false, false},
                                              QStringLiteral("   [ 정렬 방법 지정 ]   "));
            menu->popup(form.mapToGlobal(QPoint(Twips::toPixels(8000), Twips::toPixels(4000))));
        }
    });
    const int shotAt = args.indexOf(QStringLiteral("--shot"));
    if (shotAt >= 0 && shotAt + 1 < args.size()) {
        const QString file = args.at(shotAt + 1);
        QTimer::singleShot(900, [file] {
            QApplication::primaryScreen()->grabWindow(0).save(file);
            QApplication::quit();
        });
    }
    const int quitAt = args.indexOf(QStringLiteral("--quit"));
    if (quitAt >= 0 && quitAt + 1 < args.size())
        QTimer::singleShot(args.at(quitAt + 1).toInt(), &app, &QApplication::quit);
    return app.exec();
}
