// Shows the message screen over a stand-in main window, for looking at it under Xvfb:
//   msgscr_demo notice|question|warning|error|plain|wait|waitblock|progress [shot.png]
// With a file name it saves a picture of the screen after a moment and quits.
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/win/services.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QThread>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("notice");
    const QString shot = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    QMainWindow main;
    main.setWindowTitle(QStringLiteral("환율관리 프로그램"));
    auto *central = new QLabel(QStringLiteral("  (main window)"));
    main.setCentralWidget(central);
    main.setGeometry(140, 90, 900, 640);
    main.show();
    MsgScr::setOwner(&main);

    auto snap = [&] {
        if (!shot.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
    };

    QTimer::singleShot(400, [&] {
        if (what == QLatin1String("waitblock")) {
            // the caller works on without returning to the event loop, as a long query does
            fnDisp_MsgScr(0, 0, MSG_INFO, QStringLiteral("조회중입니다."),
                          QStringLiteral("데이타베이스에서 데이타를 조회하고 있습니다."), 0, 0, 11);
            QThread::sleep(3);
            fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);
            app.quit();
            return;
        }
        if (what == QLatin1String("wait") || what == QLatin1String("progress")) {
            const bool bar = what == QLatin1String("progress");
            fnDisp_MsgScr(0, bar ? 4 : 0, MSG_INFO, QStringLiteral("조회중입니다."),
                          QStringLiteral("데이타베이스에서 데이타를 조회하고 있습니다."), 0, 0, 11);
            if (bar)
                fnDisp_MsgScr(2, 4, 0, QString(), QStringLiteral("조회된 데이타를 화면에 표시중입니다."), 42.5f, 0, 0);
            QTimer::singleShot(1200, [&] {
                snap();
                fnDisp_MsgScr(1, 0, 0, QString(), QString(), 0, 0, 0);
                app.quit();
            });
            return;
        }
        if (!shot.isEmpty()) {
            MsgScr::answerHook() = [&](FrmMsgScr &s) {
                QTimer::singleShot(900, &s, [&] {
                    snap();
                    s.close();
                });
            };
        }
        if (what == QLatin1String("question"))
            fnDisp_MsgScr(0, 3, MSG_QUESTION, QStringLiteral("자료를 삭제하시겠습니까?"),
                          QStringLiteral("기준일자 : 2026/12/08\r\n삭제된 자료는 복구할 수 없습니다."), 0, 2, 0);
        else if (what == QLatin1String("plain"))
            fnDisp_MsgScr(0, 2, 0, QStringLiteral("그래프 설정"),
                          QStringLiteral("첫째 줄\r\n둘째 줄\r\n셋째 줄\r\n넷째 줄\r\n다섯째 줄\r\n"
                                         "여섯째 줄: 이 줄은 마흔다섯 글자 눈금보다 더 길어서 창이 넓어집니다."),
                          0, 1, 0);
        else if (what == QLatin1String("warning"))
            fnDisp_MsgScr(0, 1, MSG_WARNING, QStringLiteral("입력값을 확인하십시오."),
                          QStringLiteral("기준일자가 올바르지 않습니다.\r\n(YYYY/MM/DD 형식으로 입력하십시오.)"), 0, 1,
                          0);
        else if (what == QLatin1String("error"))
            fnDisp_MsgScr(0, 2, MSG_ERROR, QStringLiteral("저장하지 못했습니다."),
                          QStringLiteral("데이타베이스에 연결할 수 없습니다.\r\n잠시 후 다시 시도하십시오.\r\n"
                                         "문제가 계속되면 전산 담당자에게 문의하십시오."),
                          0, 1, 0);
        else
            fnDisp_MsgScr(0, 1, MSG_INFO, QStringLiteral("저장되었습니다."),
                          QStringLiteral("2026/12/08 일자의 환율이 저장되었습니다."), 0, 1, 0);
        app.quit();
    });
    return app.exec();
}
