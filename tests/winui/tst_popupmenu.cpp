#include "winui/popupmenu.h"

#include "../common/fakeservices.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWidgetAction>

namespace {

// One line per menu entry as the user sees it: "title:T", "sep", "item:TEXT[,off][,checked]#k".
QStringList describe(QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions()) {
        if (a->isSeparator()) {
            out << QStringLiteral("sep");
        } else if (qobject_cast<QWidgetAction *>(a)) {
            out << QStringLiteral("title:") + a->property("zzTitle").toString();
        } else {
            QString s = QStringLiteral("item:") + a->text();
            if (!a->isEnabled())
                s += QStringLiteral(",off");
            if (a->isChecked())
                s += QStringLiteral(",checked");
            out << s + QStringLiteral("#%1").arg(a->data().toInt());
        }
    }
    return out;
}

const QString SizeTitle = QStringLiteral("   [ 정렬 방법 지정 ]   ");

} // namespace

class TestPopupMenu : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the pop-up menu's answers

private slots:
    void cleanup() { m_fakes->popupMenuAnswer = nullptr; }
    void menuShape_data();
    void menuShape();
    void answers_data();
    void answers();
    void positionFromPointer();
    void unusableListsAnswerZero();
    void realMenuPicksWithKeyboard();
    void realMenuEscapeAnswersZero();
};

void TestPopupMenu::menuShape_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QList<bool>>("enabled");
    QTest::addColumn<QList<bool>>("checked");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("shape");

    QTest::newRow("separator between") << QStringList{"A", "-", "B"} << QList<bool>{true, true, true}
                                       << QList<bool>{false, false, false} << QString()
                                       << QStringList{"item:A#1", "sep", "item:B#3"};
    QTest::newRow("separator with blanks")
        << QStringList{"A", "  -  ", "B"} << QList<bool>{true, true, true} << QList<bool>{false, false, false}
        << QString() << QStringList{"item:A#1", "sep", "item:B#3"};
    QTest::newRow("title keeps numbers") << QStringList{"1. 시트 크기에 맞게", "2. 문자 길이에 맞게"}
                                         << QList<bool>{true, true} << QList<bool>{true, false} << SizeTitle
                                         << QStringList{"title:" + SizeTitle, "sep",
                                                        "item:1. 시트 크기에 맞게,checked#1",
                                                        "item:2. 문자 길이에 맞게#2"};
    QTest::newRow("blank title is none") << QStringList{"A"} << QList<bool>{true} << QList<bool>{false} << "    "
                                         << QStringList{"item:A#1"};
    QTest::newRow("disabled and checked")
        << QStringList{"A", "B"} << QList<bool>{false, true} << QList<bool>{true, true} << QString()
        << QStringList{"item:A,off,checked#1", "item:B,checked#2"};
    QTest::newRow("texts untrimmed") << QStringList{"  일자 별 미달러  "} << QList<bool>{true} << QList<bool>{false}
                                     << QString() << QStringList{"item:  일자 별 미달러  #1"};
    QTest::newRow("longer flag lists are fine") << QStringList{"A"} << QList<bool>{true, false}
                                                << QList<bool>{false, true} << QString() << QStringList{"item:A#1"};
}

void TestPopupMenu::menuShape()
{
    QFETCH(QStringList, items);
    QFETCH(QList<bool>, enabled);
    QFETCH(QList<bool>, checked);
    QFETCH(QString, title);
    QFETCH(QStringList, shape);

    std::unique_ptr<QMenu> menu(PopupMenu::buildMenu(items, enabled, checked, title));
    QVERIFY(menu);
    QCOMPARE(describe(menu.get()), shape);
    // the title line cannot be picked but is not greyed
    for (QAction *a : menu->actions()) {
        if (auto *wa = qobject_cast<QWidgetAction *>(a)) {
            QVERIFY(!wa->isEnabled());
            QWidget *label = wa->defaultWidget();
            QVERIFY(label);
            QVERIFY(label->styleSheet().contains(QLatin1String("color")));
        }
    }
}

void TestPopupMenu::answers_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("result");

    // items: A, -, B (disabled), C (checked)
    QTest::newRow("first item") << QString() << 1 << 1;
    QTest::newRow("after separator") << QString() << 4 << 4;
    QTest::newRow("separator cannot be picked") << QString() << 2 << 0;
    QTest::newRow("disabled cannot be picked") << QString() << 3 << 0;
    QTest::newRow("dismissed") << QString() << 0 << 0;
    QTest::newRow("out of range") << QString() << 5 << 0;
    QTest::newRow("negative") << QString() << -1 << 0;
    QTest::newRow("with title, same numbers") << SizeTitle << 4 << 4;
    QTest::newRow("with title, first item") << SizeTitle << 1 << 1;
}

void TestPopupMenu::answers()
{
    QFETCH(QString, title);
    QFETCH(int, pick);
    QFETCH(int, result);

    int calls = 0;
    m_fakes->popupMenuAnswer = [&](QMenu *menu, QPoint) {
        ++calls;
        return menu ? pick : -99;
    };
    QCOMPARE(PopupMenu::CreatPopup({"A", "-", "B", "C"}, {true, true, false, true}, {false, false, false, true}, title,
                                   10, 20),
             result);
    QCOMPARE(calls, 1);
}

void TestPopupMenu::positionFromPointer()
{
    QPoint seen;
    m_fakes->popupMenuAnswer = [&](QMenu *, QPoint p) {
        seen = p;
        return 1;
    };
    QCursor::setPos(QPoint(123, 45));
    const QPoint pointer = QCursor::pos();
    PopupMenu::CreatPopup({"A"}, {true}, {false}, QString(), 300, 400);
    QCOMPARE(seen, QPoint(300, 400));
    PopupMenu::CreatPopup({"A"}, {true}, {false}, QString(), -1, 400);
    QCOMPARE(seen, pointer);
    PopupMenu::CreatPopup({"A"}, {true}, {false}, QString(), 300, -1);
    QCOMPARE(seen, pointer);
    PopupMenu::CreatPopup({"A"}, {true}, {false});
    QCOMPARE(seen, pointer);
}

void TestPopupMenu::unusableListsAnswerZero()
{
    int calls = 0;
    m_fakes->popupMenuAnswer = [&](QMenu *, QPoint) {
        ++calls;
        return 1;
    };
    QCOMPARE(PopupMenu::CreatPopup({"A", "B"}, {true}, {false, false}), 0);
    QCOMPARE(PopupMenu::CreatPopup({"A", "B"}, {true, true}, {false}), 0);
    QCOMPARE(calls, 0); // nothing was shown
    QVERIFY(!PopupMenu::buildMenu({"A"}, {}, {false}));
    // an empty menu is still a menu; nothing can be picked
    QCOMPARE(PopupMenu::CreatPopup({}, {}, {}), 0);
}

void TestPopupMenu::realMenuPicksWithKeyboard()
{
    // the real menu, answered by the keyboard: the title, the separator and the disabled item
    // are skipped, so two steps down from the first pickable item reach "D"
    QTimer::singleShot(100, [] {
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyClick(popup, Qt::Key_Down); // A
        QTest::keyClick(popup, Qt::Key_Down); // C (B is disabled)
        QTest::keyClick(popup, Qt::Key_Down); // D
        QTest::keyClick(popup, Qt::Key_Return);
    });
    const int k = PopupMenu::CreatPopup({"A", "B", "C", "-", "D"}, {true, false, true, true, true},
                                        {false, false, true, false, false}, SizeTitle, 100, 100);
    QCOMPARE(k, 5);
}

void TestPopupMenu::realMenuEscapeAnswersZero()
{
    QTimer::singleShot(100, [] {
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QCOMPARE(PopupMenu::CreatPopup({"A", "B"}, {true, true}, {false, false}, QString(), 100, 100), 0);
}

QTEST_MAIN(TestPopupMenu)
#include "tst_popupmenu.moc"
