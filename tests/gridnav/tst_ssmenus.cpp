// The navigator's pop-up menus, answered through the pop-up menu's test hook: what the sizing and
// graph menus offer (greyed, checked items, texts) and what a choice does to the buttons' Tags and
// the refresh button's hint.

#include "navtestform.h"

#include "gridnav/ssmenus.h"
#include "platform/controls/controlinfo.h"
#include "platform/spread/spreadgrid.h"
#include "winui/popupmenu.h"
#include "winui/tooltip.h"

#include "../common/fakeservices.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {

struct ShownMenu
{
    QString title;
    QStringList texts;
    QList<bool> enabled;
    QList<bool> checked;
};

// Answers every menu with `pick` and records what it offered (items carry their number in data()).
ShownMenu *answerMenus(int pick)
{
    static ShownMenu shown;
    shown = ShownMenu();
    Platform::services().popupMenuAnswer = [pick](QMenu *menu, QPoint) {
        const auto actions = menu->actions();
        for (QAction *a : actions) {
            if (a->isSeparator())
                continue;
            if (a->data().toInt() == 0) {
                shown.title = a->property("zzTitle").toString();
                continue;
            }
            shown.texts << a->text();
            shown.enabled << a->isEnabled();
            shown.checked << a->isChecked();
        }
        return pick;
    };
    return &shown;
}

QList<bool> onlyAt(int count, int index)
{
    QList<bool> l;
    for (int i = 0; i < count; ++i)
        l << (i == index);
    return l;
}

} // namespace

class TstSsMenus : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the pop-up menu's answers

private slots:
    void cleanup() { m_fakes->popupMenuAnswer = nullptr; }

    void sizeMenu_data();
    void sizeMenu();
    void graphMenu_data();
    void graphMenu();
    void graphColumnInRange_data();
    void graphColumnInRange();
    void dataMenu_data();
    void dataMenu();
};

void TstSsMenus::sizeMenu_data()
{
    QTest::addColumn<bool>("allowTextFit");
    QTest::addColumn<QString>("tagBefore");
    QTest::addColumn<int>("pick");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("tagAfter");
    QTest::addColumn<int>("checkedIndex"); // item checked while the menu is shown (0-based)

    QTest::newRow("outside query item 2 greyed") << false << "1" << 0 << false << "1" << 0;
    QTest::newRow("greyed item cannot be chosen") << false << "1" << 2 << false << "1" << 0;
    QTest::newRow("same mode chosen does nothing") << true << "3" << 3 << false << "3" << 2;
    QTest::newRow("another mode") << true << "1" << 3 << true << "3" << 0;
    QTest::newRow("text fit in query mode") << true << "4" << 2 << true << "2" << 3;
    QTest::newRow("empty tag becomes 1") << true << "" << 0 << false << "1" << 0;
}

void TstSsMenus::sizeMenu()
{
    QFETCH(bool, allowTextFit);
    QFETCH(QString, tagBefore);
    QFETCH(int, pick);
    QFETCH(bool, result);
    QFETCH(QString, tagAfter);
    QFETCH(int, checkedIndex);

    NavTestForm form;
    QVERIFY(form.info.cmdRef);
    ToolTip *tip = form.info.Tips[6].get();
    QVERIFY(tip);
    const QString hintBefore = tip->TipText();
    ControlInfo::setTag(form.info.cmdRef, tagBefore);

    const ShownMenu *shown = answerMenus(pick);
    QCOMPARE(fnSS_MOVE_SizeMenu(form.info, allowTextFit), result);

    QCOMPARE(shown->title, QStringLiteral("   [ 정렬 방법 지정 ]   "));
    QCOMPARE(shown->texts,
             QStringList({QStringLiteral("시트 크기에 맞게 정렬"), QStringLiteral("글자 크기에 맞게 정렬"),
                          QStringLiteral("기준 크기로 정렬"), QStringLiteral("정렬 안함")}));
    QCOMPARE(shown->enabled, QList<bool>({true, allowTextFit, true, true}));
    QCOMPARE(shown->checked, onlyAt(4, checkedIndex));
    QCOMPARE(ControlInfo::tag(form.info.cmdRef), tagAfter);
    if (result) {
        QCOMPARE(tip->Title(), QStringLiteral("새로고침"));
        QCOMPARE(tip->TipText(),
                 shown->texts.value(pick - 1) + QStringLiteral("\r\n좌클릭 : 새로고침 실행\r\n우클릭 : 메뉴표시"));
    } else {
        QCOMPARE(tip->TipText(), hintBefore);
    }
}

void TstSsMenus::graphMenu_data()
{
    QTest::addColumn<QString>("tagBefore");
    QTest::addColumn<int>("hiddenCol"); // 0 = none
    QTest::addColumn<QString>("keyLabel");
    QTest::addColumn<int>("pick");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("tagAfter");
    QTest::addColumn<int>("checkedIndex");

    QTest::newRow("after set-up 1 becomes 2") << "1" << 0 << "" << 0 << false << "2" << 0;
    QTest::newRow("empty tag takes the first column") << "" << 0 << "" << 0 << false << "2" << 0;
    QTest::newRow("unreadable tag takes the first column") << "x" << 0 << "" << 0 << false << "2" << 0;
    QTest::newRow("above the range takes the last") << "9" << 0 << "" << 0 << false << "4" << 2;
    QTest::newRow("third item chosen") << "2" << 0 << "" << 3 << true << "4" << 0;
    QTest::newRow("checked item chosen again") << "3" << 0 << "" << 2 << true << "3" << 1;
    QTest::newRow("hidden column greyed") << "2" << 3 << "" << 2 << false << "2" << 0;
    QTest::newRow("key label given") << "2" << 0 << "기간" << 1 << true << "2" << 0;
}

void TstSsMenus::graphMenu()
{
    QFETCH(QString, tagBefore);
    QFETCH(int, hiddenCol);
    QFETCH(QString, keyLabel);
    QFETCH(int, pick);
    QFETCH(bool, result);
    QFETCH(QString, tagAfter);
    QFETCH(int, checkedIndex);

    NavTestForm form;
    form.fill(3);
    if (hiddenCol > 0) {
        form.grid->setCol(hiddenCol);
        form.grid->setRow(-1);
        form.grid->setColHidden(true);
    }
    ControlInfo::setTag(form.info.cmdGrp, tagBefore);

    const ShownMenu *shown = answerMenus(pick);
    QCOMPARE(fnSS_MOVE_GraphMenu(form.info, 1, 2, 4, keyLabel), result);

    const QString key = keyLabel.isEmpty() ? QStringLiteral("일자") : keyLabel;
    QCOMPARE(shown->title, QStringLiteral("     [ 그래프 통계 보기 ]     "));
    QCOMPARE(shown->texts,
             QStringList({key + QStringLiteral(" 별 미달러"), key + QStringLiteral(" 별 베트남동"),
                          key + QStringLiteral(" 별 한국원화")}));
    QList<bool> enabled{true, true, true};
    if (hiddenCol > 0)
        enabled[hiddenCol - 2] = false;
    QCOMPARE(shown->enabled, enabled);
    QCOMPARE(shown->checked, onlyAt(3, checkedIndex));
    QCOMPARE(ControlInfo::tag(form.info.cmdGrp), tagAfter);
}

void TstSsMenus::graphColumnInRange_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty") << "" << 2;
    QTest::newRow("below") << "1" << 2;
    QTest::newRow("first") << "2" << 2;
    QTest::newRow("inside with blanks") << " 3 " << 3;
    QTest::newRow("last") << "4" << 4;
    QTest::newRow("above") << "5" << 4;
    QTest::newRow("negative") << "-7" << 2;
}

void TstSsMenus::graphColumnInRange()
{
    QFETCH(QString, tag);
    QFETCH(int, expected);
    QCOMPARE(GridNav::graphColumnInRange(tag, 2, 4), expected);
}

void TstSsMenus::dataMenu_data()
{
    QTest::addColumn<int>("items"); // items the window adds (0..3)
    QTest::addColumn<bool>("thirdOff"); // the third item answers "not now"
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("ran"); // which items ran, in order

    QTest::newRow("no items: no menu") << 0 << false << 1 << "";
    QTest::newRow("first item") << 2 << false << 1 << "a";
    QTest::newRow("second item") << 2 << false << 2 << "b";
    QTest::newRow("dismissed") << 3 << false << 0 << "";
    QTest::newRow("greyed item cannot run") << 3 << true << 3 << "";
    QTest::newRow("third item") << 3 << false << 3 << "c";
}

void TstSsMenus::dataMenu()
{
    QFETCH(int, items);
    QFETCH(bool, thirdOff);
    QFETCH(int, pick);
    QFETCH(QString, ran);

    NavTestForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QString log;
    const QStringList texts = {QStringLiteral("엑셀로 내보내기"), QStringLiteral("파일에서 가져오기"),
                               QStringLiteral("셋째")};
    for (int i = 0; i < items; ++i)
        GridNav::addDataItem(
            form.info, texts[i], [&log, i] { log += QChar(u'a' + i); },
            i == 2 ? std::function<bool()>([thirdOff] { return !thirdOff; }) : std::function<bool()>());

    const ShownMenu *shown = answerMenus(pick);
    // the real right press on the export button, as a person gives it
    QAbstractButton *xls = form.info.cmdXls;
    QVERIFY(xls);
    QTest::mousePress(xls, Qt::RightButton);
    QTest::mouseRelease(xls, Qt::RightButton);

    QCOMPARE(shown->title.isEmpty(), items == 0); // no items: no menu at all
    QCOMPARE(log, ran);
    const QString crlf = QStringLiteral("\r\n");
    QCOMPARE(form.info.Tips[3]->TipText(),
             items > 0 ? QStringLiteral("엑셀 형식으로 파일 저장") + crlf + QStringLiteral("좌클릭 : 엑셀로 내보내기")
                     + crlf + QStringLiteral("우클릭 : 메뉴표시")
                       : QStringLiteral("엑셀 형식으로 파일 저장"));
    if (items > 0) {
        QCOMPARE(shown->title, QStringLiteral("[ 자료 관리 ]"));
        QCOMPARE(shown->texts, texts.mid(0, items));
        QCOMPARE(shown->enabled.value(2, true), !thirdOff);
    }
}

QTEST_MAIN(TstSsMenus)
#include "tst_ssmenus.moc"
