#include "app/clsmain.h"
#include "app/qtkorean.h"
#include "msgscr/msgscr.h"
#include "platform/win/koreanfont.h"
#include "platform/win/stdmessagebox.h"
#include "rate/frmrate.h"

#include <QApplication>

// Exit code 0 after the window was closed; 1 when the start-up ended the program (a second
// copy, or the connection could not be made).
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zozura"));
    KoreanFont::installSubstitutes();
    App::installKoreanQtTexts(&app);

    // unattended runs (the start-up tests) get every standard box on stderr, answered at once
    if (qEnvironmentVariableIsSet("ZOZURA_AUTOANSWER_BOXES"))
        StdMessageBox::installStderrAnswerHook();
    // runs driven from outside (the end-to-end tests) read the program's notices on stderr; the
    // screens themselves stay up for the user to answer
    if (qEnvironmentVariableIsSet("ZOZURA_LOG_MSGSCR"))
        MsgScr::shownHook() = MsgScr::stderrLog();

    // made after the application and gone before it: the window first, then the connection and
    // the lock, all while Qt still runs
    App::Program program;
    FrmRate frm;
    if (!frm.Form_Load())
        return 1;
    frm.show();
    return QApplication::exec();
}
