// Shows the find window over a filled grid, for looking at it under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" ./find_demo [text] [shot.png]
// With a file name it searches for the text, saves a picture of the screen and quits.
#include "find/frmssfind.h"
#include "platform/spread/spreadgrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget owner;
    owner.setWindowTitle("환율관리 프로그램");
    owner.setGeometry(40, 40, 720, 460);
    auto *grid = new SpreadGrid(&owner);
    grid->setGeometry(8, 8, 704, 444);
    grid->setFontName("굴림체");
    grid->setRedraw(false);
    grid->setMaxCols(5);
    grid->setMaxRows(400);
    grid->setColHeaderRows(1);
    const QStringList heads{"일자", "미달러", "베트남동", "원화", "비고"};
    for (int c = 1; c <= 5; ++c)
        grid->SetCellText(c, SpreadGrid::FirstHeaderRow, heads[c - 1]);
    for (int r = 1; r <= 400; ++r) {
        const QDate d = QDate(2024, 1, 1).addDays(r - 1);
        grid->SetCellText(1, r, d.toString("yyyy/MM/dd"));
        grid->SetCellText(2, r, QString::number(1300 + (r * 37 % 150) + (r % 100) / 100.0, 'f', 2));
        grid->SetCellText(3, r, QString::number(24000 + r * 13 % 1400));
        grid->SetCellText(4, r, QString::number(0.053 + (r % 50) / 10000.0, 'f', 6));
        grid->SetCellText(5, r, r % 17 == 0 ? QStringLiteral("연휴 전 고시 환율") : QString());
    }
    grid->setRedraw(true);
    for (int c = 1; c <= 5; ++c)
        grid->setColWidth(c, c == 5 ? 24 : 14);
    owner.show();
    grid->setCol(2);
    grid->setRow(3);
    grid->setAction(0);

    auto *find = new FrmSSFind(&owner);
    find->sbSet_SSFind_Init(grid);
    find->move(owner.geometry().right() - 260, owner.geometry().top() + 60);

    const QString text = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString shot = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!text.isEmpty()) {
        QTimer::singleShot(400, [find, text] {
            auto *combo = find->findChild<QComboBox *>("cboSSFind");
            combo->setEditText(text);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(combo->lineEdit(), &enter);
            combo->setEditText(text);
            // DEMO_TICK=1 ticks the first option box, DEMO_DROPDOWN=1 opens the history list
            if (qEnvironmentVariableIntValue("DEMO_DROPDOWN")) {
                for (const char *t : {"2024/03", "133", "전 고시 환율"}) {
                    combo->setEditText(QString::fromUtf8(t));
                    QApplication::sendEvent(combo->lineEdit(), &enter);
                }
                combo->setEditText(text);
                if (qEnvironmentVariableIntValue("DEMO_TICK"))
                    find->findChild<QCheckBox *>("chkSSFind_0")->setChecked(true);
                combo->showPopup();
            }
        });
    }
    if (!shot.isEmpty()) {
        QTimer::singleShot(1500, [shot] {
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
            QApplication::quit();
        });
    }
    return app.exec();
}
