#include "platform/win/beep.h"
#include "platform/win/pointer.h"
#include "platform/win/tickcount.h"

#include "../../common/fakeservices.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtTest>

// The whole-screen pointer, the kind beeps and the millisecond tick.
class TstPointer : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so
private slots:
    void cleanup();
    void shapes_data();
    void shapes();
    void defaultGivesBack();
    void leavesOthersOverride();
    void positionAndClientToScreen();
    void beepsSeen();
    void tickIsMonotonic();
    void waitLetsMessagesRun();
};

void TstPointer::cleanup()
{
    Pointer::setShape(Pointer::Shape::Default);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TstPointer::shapes_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("shape");
    QTest::newRow("arrow") << 1 << int(Qt::ArrowCursor);
    QTest::newRow("cross") << 2 << int(Qt::CrossCursor);
    QTest::newRow("I-beam") << 3 << int(Qt::IBeamCursor);
    QTest::newRow("size N-S") << 7 << int(Qt::SizeVerCursor);
    QTest::newRow("size W-E") << 9 << int(Qt::SizeHorCursor);
    QTest::newRow("hourglass") << 11 << int(Qt::WaitCursor);
    QTest::newRow("no drop") << 12 << int(Qt::ForbiddenCursor);
    QTest::newRow("arrow and hourglass") << 13 << int(Qt::BusyCursor);
    QTest::newRow("unknown number: arrow") << 42 << int(Qt::ArrowCursor);
}

void TstPointer::shapes()
{
    QFETCH(int, number);
    QFETCH(int, shape);
    Pointer::setShape(Pointer::Shape(number));
    QCOMPARE(int(Pointer::shape()), number);
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(int(QGuiApplication::overrideCursor()->shape()), shape);
}

void TstPointer::defaultGivesBack()
{
    // changing shapes replaces the override instead of stacking it, so one 0 gives the pointer back
    Pointer::setShape(Pointer::Shape::Hourglass);
    Pointer::setShape(Pointer::Shape::Cross);
    Pointer::setShape(Pointer::Shape::Hourglass);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Pointer::setShape(Pointer::Shape::Default);
    QCOMPARE(Pointer::shape(), Pointer::Shape::Default);
    QVERIFY(!QGuiApplication::overrideCursor());
    // a second 0 does nothing
    Pointer::setShape(Pointer::Shape::Default);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TstPointer::leavesOthersOverride()
{
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    Pointer::setShape(Pointer::Shape::Default); // ours was never set: someone else's stays
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
}

void TstPointer::positionAndClientToScreen()
{
    QWidget w;
    w.setGeometry(120, 80, 200, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint screen = Pointer::clientToScreen(&w, QPoint(10, 20));
    QCOMPARE(screen, w.mapToGlobal(QPoint(10, 20)));
    QCOMPARE(Pointer::clientToScreen(nullptr, QPoint(5, 6)), QPoint(5, 6));
    Pointer::setPosition(screen);
    QCOMPARE(Pointer::position(), screen);
}

void TstPointer::beepsSeen()
{
    QList<unsigned> seen;
    m_fakes->beepObserver = [&](unsigned t) { seen.append(t); };
    Beep::message(Beep::Warning);
    Beep::message(Beep::Error);
    m_fakes->beepObserver = nullptr;
    Beep::message(Beep::Question); // no observer any more: not seen, no crash
    QCOMPARE(seen, (QList<unsigned>{48, 16}));
}

void TstPointer::tickIsMonotonic()
{
    qint64 last = TickCount::now();
    for (int i = 0; i < 1000; ++i) {
        const qint64 t = TickCount::now();
        QVERIFY(t >= last);
        last = t;
    }
}

void TstPointer::waitLetsMessagesRun()
{
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    const qint64 t0 = TickCount::now();
    TickCount::waitMoreThan(10);
    QVERIFY(TickCount::now() - t0 > 10);
    QVERIFY(ran);
}

QTEST_MAIN(TstPointer)
#include "tst_pointer.moc"
