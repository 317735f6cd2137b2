#include "winui/tipwindow.h"
#include "winui/tooltip.h"

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

namespace {

int tipWindowsOf(QWidget *control)
{
    return int(control->findChildren<TipWindow *>().size());
}

} // namespace

class TestToolTip : public QObject
{
    Q_OBJECT

private slots:
    void createWithoutParentMakesNoWindow();
    void createTwiceLeavesOneWindow();
    void textChangesWithoutNewWindow();
    void titleAndIconAtCreate_data();
    void titleAndIconAtCreate();
    void titleAndIconAfterCreate_data();
    void titleAndIconAfterCreate();
    void coloursZeroKeepDefaults();
    void styleAndCentringNeedCreate();
    void endOfObjectOrControlRemovesWindow();
    void setToolTipRoutine_data();
    void setToolTipRoutine();
    void showsWhileMouseRests();
    void centredBalloonHangsUnderControl();
    void nothingToShow_data();
    void nothingToShow();
    void shownTipFollowsTextChange();
    void noTipOnceTheMouseIsTaken_data();
    void noTipOnceTheMouseIsTaken();
};

void TestToolTip::createWithoutParentMakesNoWindow()
{
    ToolTip tip;
    tip.setTipText(QStringLiteral("없음"));
    QVERIFY(tip.Create());
    QVERIFY(!tip.tipWindow());
    QVERIFY(!tip.isShown());
}

void TestToolTip::createTwiceLeavesOneWindow()
{
    QWidget control;
    ToolTip tip;
    tip.setParentControl(&control);
    tip.setTipText(QStringLiteral("A"));
    QVERIFY(tip.Create());
    QCOMPARE(tipWindowsOf(&control), 1);
    QVERIFY(tip.Create());
    QCOMPARE(tipWindowsOf(&control), 1);
    QVERIFY(tip.tipWindow());
    QCOMPARE(tip.tipWindow()->control(), &control);
}

void TestToolTip::textChangesWithoutNewWindow()
{
    QWidget control;
    ToolTip tip;
    tip.setParentControl(&control);
    tip.setTipText(QStringLiteral("old"));
    tip.Create();
    TipWindow *window = tip.tipWindow();
    tip.setTipText(QStringLiteral("기간 : 2024/01/01 ~ 2024/01/31\r\n건수 : 31"));
    QCOMPARE(tip.tipWindow(), window);
    QCOMPARE(tip.shownText(), QStringLiteral("기간 : 2024/01/01 ~ 2024/01/31\r\n건수 : 31"));
    QCOMPARE(tip.TipText(), tip.shownText());
    QCOMPARE(tipWindowsOf(&control), 1);
}

void TestToolTip::titleAndIconAtCreate_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<int>("shownIcon");

    QTest::newRow("title without icon") << "시트 현제 라인" << 0 << "시트 현제 라인" << 0;
    QTest::newRow("title with information") << "조회정보" << 1 << "조회정보" << 1;
    QTest::newRow("title with warning") << "경고" << 2 << "경고" << 2;
    QTest::newRow("title with error") << "오류" << 3 << "오류" << 3;
    QTest::newRow("icon without title shows nothing") << "" << 1 << "" << 0;
    QTest::newRow("neither") << "" << 0 << "" << 0;
    QTest::newRow("unknown icon number") << "제목" << 9 << "제목" << 0;
}

void TestToolTip::titleAndIconAtCreate()
{
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, shownTitle);
    QFETCH(int, shownIcon);

    QWidget control;
    ToolTip tip;
    tip.setTitle(title);
    tip.setIcon(icon);
    tip.setTipText(QStringLiteral("본문"));
    tip.setParentControl(&control);
    tip.Create();
    QCOMPARE(tip.shownTitle(), shownTitle);
    QCOMPARE(tip.shownIcon(), shownIcon);
}

void TestToolTip::titleAndIconAfterCreate_data()
{
    QTest::addColumn<QString>("newTitle");
    QTest::addColumn<int>("newIcon");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<int>("shownIcon");

    // created with title "새로고침" and icon 0; then the title or icon is written
    QTest::newRow("title with icon 0 is only stored") << "다른 제목" << 0 << "새로고침" << 0;
    QTest::newRow("title and icon apply") << "다른 제목" << 2 << "다른 제목" << 2;
    QTest::newRow("icon alone applies to the title") << "새로고침" << 1 << "새로고침" << 1;
    QTest::newRow("empty title is only stored") << "" << 3 << "새로고침" << 0;
}

void TestToolTip::titleAndIconAfterCreate()
{
    QFETCH(QString, newTitle);
    QFETCH(int, newIcon);
    QFETCH(QString, shownTitle);
    QFETCH(int, shownIcon);

    QWidget control;
    ToolTip tip;
    QVERIFY(fnSet_ToolTip(&tip, &control, ToolTip::TipStyle::Balloon, true, QStringLiteral("좌클릭 : 새로고침 실행"),
                          QStringLiteral("새로고침"), ToolTip::TipIcon::None));
    TipWindow *window = tip.tipWindow();
    tip.setTitle(newTitle);
    tip.setIcon(newIcon);
    QCOMPARE(tip.tipWindow(), window);
    QCOMPARE(tip.shownTitle(), shownTitle);
    QCOMPARE(tip.shownIcon(), shownIcon);
    // the stored values are what was written, whatever is shown
    QCOMPARE(tip.Title(), newTitle);
    QCOMPARE(tip.Icon(), newIcon);
}

void TestToolTip::coloursZeroKeepDefaults()
{
    QWidget control;
    ToolTip plain;
    plain.setParentControl(&control);
    plain.Create();
    const QColor defaultBack = plain.tipWindow()->backColour();
    const QColor defaultFore = plain.tipWindow()->foreColour();

    ToolTip coloured;
    coloured.setParentControl(&control);
    coloured.setBackColor(0xC0FFFF); // RGB(255, 255, 192): red in the low byte
    coloured.setForeColor(0x800000); // RGB(0, 0, 128)
    coloured.Create();
    QCOMPARE(coloured.tipWindow()->backColour(), QColor(255, 255, 192));
    QCOMPARE(coloured.tipWindow()->foreColour(), QColor(0, 0, 128));

    // after Create the colours apply at once; 0 goes back to the default
    coloured.setBackColor(0x0000FF);
    QCOMPARE(coloured.tipWindow()->backColour(), QColor(255, 0, 0));
    coloured.setBackColor(0);
    coloured.setForeColor(0);
    QCOMPARE(coloured.tipWindow()->backColour(), defaultBack);
    QCOMPARE(coloured.tipWindow()->foreColour(), defaultFore);
}

void TestToolTip::styleAndCentringNeedCreate()
{
    QWidget control;
    ToolTip tip;
    tip.setParentControl(&control);
    tip.setStyle(0);
    tip.Create();
    QVERIFY(!tip.tipWindow()->balloon());
    tip.setStyle(1);
    tip.setCentered(true);
    QVERIFY(!tip.tipWindow()->balloon());
    QVERIFY(!tip.tipWindow()->centred());
    tip.Create();
    QVERIFY(tip.tipWindow()->balloon());
    QVERIFY(tip.tipWindow()->centred());
    QCOMPARE(tip.Style(), 1);
    QVERIFY(tip.Centered());
    // any other style is rectangular
    tip.setStyle(2);
    tip.Create();
    QVERIFY(!tip.tipWindow()->balloon());
}

void TestToolTip::endOfObjectOrControlRemovesWindow()
{
    QWidget control;
    {
        ToolTip tip;
        tip.setParentControl(&control);
        tip.Create();
        QCOMPARE(tipWindowsOf(&control), 1);
    }
    QCOMPARE(tipWindowsOf(&control), 0);

    ToolTip tip;
    auto *child = new QLabel(QStringLiteral("x"), &control);
    tip.setParentControl(child);
    QVERIFY(tip.Create());
    delete child;
    QVERIFY(!tip.tipWindow());
    QVERIFY(!tip.ParentControl());
    // the control set before is gone: no window and a failure, not a silent success
    QVERIFY(!tip.Create());
}

void TestToolTip::setToolTipRoutine_data()
{
    QTest::addColumn<bool>("withControl");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<int>("shownIcon");

    QTest::newRow("navigator hint") << true << "찾기" << 0 << true << "찾기" << 0;
    QTest::newRow("query balloon") << true << "조회정보" << 1 << true << "조회정보" << 1;
    QTest::newRow("blank title leaves title and icon alone") << true << "   " << 1 << true << "" << 0;
    QTest::newRow("no control") << false << "찾기" << 0 << false << "" << 0;
}

void TestToolTip::setToolTipRoutine()
{
    QFETCH(bool, withControl);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(bool, result);
    QFETCH(QString, shownTitle);
    QFETCH(int, shownIcon);

    QWidget control;
    ToolTip tip;
    QCOMPARE(fnSet_ToolTip(&tip, withControl ? &control : nullptr, ToolTip::TipStyle::Balloon, true,
                           QStringLiteral("입력 항목 찾기"), title, ToolTip::TipIcon(icon)),
             result);
    QCOMPARE(tip.Style(), 1);
    QVERIFY(tip.Centered());
    QCOMPARE(tip.TipText(), QStringLiteral("입력 항목 찾기"));
    QCOMPARE(tip.shownTitle(), shownTitle);
    QCOMPARE(tip.shownIcon(), shownIcon);
    QCOMPARE(tip.tipWindow() != nullptr, withControl);
    if (title.trimmed().isEmpty())
        QCOMPARE(tip.Icon(), 0);
    QVERIFY(!fnSet_ToolTip(nullptr, &control, ToolTip::TipStyle::Balloon, true, QStringLiteral("x")));
}

void TestToolTip::showsWhileMouseRests()
{
    QWidget form;
    auto *layout = new QVBoxLayout(&form);
    auto *control = new QLabel(QStringLiteral("시트"), &form);
    auto *inner = new QLabel(QStringLiteral("안쪽"), control); // a child covering part of it
    inner->setGeometry(0, 0, 30, 10);
    auto *other = new QLabel(QStringLiteral("다른"), &form);
    layout->addWidget(control);
    layout->addWidget(other);
    form.resize(200, 120);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    ToolTip tip;
    QVERIFY(fnSet_ToolTip(&tip, control, ToolTip::TipStyle::Rectangular, false, QStringLiteral("클릭 : 전체값 표시"),
                          QStringLiteral("시트 전체 라인")));
    QVERIFY(!tip.isShown());
    QCursor::setPos(control->mapToGlobal(QPoint(40, 5)));
    QVERIFY(!tip.isShown()); // not before the mouse has rested
    QTRY_VERIFY_WITH_TIMEOUT(tip.isShown(), 2000);
    // a click anywhere over the control (here on its child) takes the tip away
    QTest::mouseClick(inner, Qt::LeftButton);
    QVERIFY(!tip.isShown());
    // leaving the control ends it as well
    tip.showNow();
    QVERIFY(tip.isShown());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(control, &leave);
    QVERIFY(!tip.isShown());
}

void TestToolTip::centredBalloonHangsUnderControl()
{
    QWidget form;
    form.resize(300, 200);
    auto *control = new QLabel(QStringLiteral("합계"), &form);
    control->setGeometry(50, 40, 200, 30);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    ToolTip tip;
    QVERIFY(fnSet_ToolTip(&tip, control, ToolTip::TipStyle::Balloon, true, QStringLiteral("없음"),
                          QStringLiteral("조회정보"), ToolTip::TipIcon::Information));
    tip.showNow();
    QVERIFY(tip.isShown());
    const QRect g = tip.tipWindow()->geometry();
    const QPoint bottomMiddle = control->mapToGlobal(QPoint(control->width() / 2, control->height()));
    QCOMPARE(g.top(), bottomMiddle.y());
    QVERIFY(qAbs(g.center().x() - bottomMiddle.x()) <= 1);
    tip.hideNow();
    QVERIFY(!tip.isShown());
}

void TestToolTip::nothingToShow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("controlVisible");
    QTest::addColumn<bool>("shown");

    QTest::newRow("text") << "없음"
                          << "" << true << true;
    QTest::newRow("title only") << ""
                                << "조회정보" << true << true;
    QTest::newRow("empty tip") << ""
                               << "" << true << false;
    QTest::newRow("hidden control") << "없음"
                                    << "조회정보" << false << false;
}

void TestToolTip::nothingToShow()
{
    QFETCH(QString, text);
    QFETCH(QString, title);
    QFETCH(bool, controlVisible);
    QFETCH(bool, shown);

    QWidget form;
    form.resize(200, 100);
    auto *control = new QLabel(QStringLiteral("x"), &form);
    control->setVisible(controlVisible);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ToolTip tip;
    tip.setTitle(title);
    tip.setTipText(text);
    tip.setParentControl(control);
    QVERIFY(tip.Create());
    tip.showNow();
    QCOMPARE(tip.isShown(), shown);
}

void TestToolTip::shownTipFollowsTextChange()
{
    QWidget form;
    form.resize(300, 200);
    auto *control = new QLabel(QStringLiteral("합계"), &form);
    control->setGeometry(20, 20, 100, 30);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ToolTip tip;
    QVERIFY(fnSet_ToolTip(&tip, control, ToolTip::TipStyle::Balloon, true, QStringLiteral("없음"),
                          QStringLiteral("조회정보"), ToolTip::TipIcon::Information));
    tip.showNow();
    TipWindow *window = tip.tipWindow();
    const QSize before = window->size();
    tip.setTipText(QStringLiteral("기간 : 2024/01/01 ~ 2024/12/31\r\n조회 : 2024/12/31 17:00:00\r\n건수 : 366 건"));
    QCOMPARE(tip.tipWindow(), window);
    QVERIFY(tip.isShown());
    QVERIFY(window->width() > before.width());
    QVERIFY(window->height() > before.height());
}

QTEST_MAIN(TestToolTip)
#include "tst_tooltip.moc"

void TestToolTip::noTipOnceTheMouseIsTaken_data()
{
    QTest::addColumn<bool>("modal");
    QTest::newRow("a menu opened by the control") << false;
    QTest::newRow("a modal window opened by the control") << true;
}

void TestToolTip::noTipOnceTheMouseIsTaken()
{
    QFETCH(bool, modal);
    QWidget form;
    form.setGeometry(100, 100, 320, 320);
    auto *button = new QPushButton(QStringLiteral("새로고침"), &form);
    button->setGeometry(10, 10, 90, 30);
    auto *grid = new QLabel(QStringLiteral("표"), &form);
    grid->setGeometry(10, 120, 300, 190);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    ToolTip tip;
    QVERIFY(fnSet_ToolTip(&tip, button, ToolTip::TipStyle::Balloon, false, QStringLiteral("표 높이에 맞춰 새로고침"),
                          QStringLiteral("새로고침")));
    const QPoint overGrid = grid->mapToGlobal(grid->rect().center());
    int shownWhileTaken = 0;
    // the pointer over the grid, and the Enter the window system may still hand the control when a
    // menu or a window over it opens or closes
    const auto restOverGrid = [&] {
        QCursor::setPos(overGrid);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(button, &enter);
        QTest::qWait(TipWindow::RestDelay * 3);
        return tip.isShown();
    };
    const auto watchTip = [&] { shownWhileTaken += restOverGrid() ? 1 : 0; };
    QObject::connect(button, &QPushButton::clicked, &form, [&] {
        if (modal) {
            QDialog dialog(&form);
            dialog.setGeometry(QRect(overGrid - QPoint(100, 60), QSize(200, 120)));
            QTimer::singleShot(50, &dialog, [&] {
                watchTip();
                dialog.accept();
            });
            dialog.exec();
        } else {
            QMenu menu;
            menu.addAction(QStringLiteral("10줄"));
            QTimer::singleShot(50, &menu, [&] {
                watchTip();
                QTest::keyClick(&menu, Qt::Key_Down);
                QTest::keyClick(&menu, Qt::Key_Return);
            });
            menu.exec(overGrid - QPoint(20, 20));
        }
    });
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
    QTRY_VERIFY_WITH_TIMEOUT(tip.isShown(), 2000);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(shownWhileTaken, 0);
    // closed again: the hint stays away from the grid
    QVERIFY(!restOverGrid());
    // and comes back over its own control
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
    QTRY_VERIFY_WITH_TIMEOUT(tip.isShown(), 2000);
}
