#include "find/ssfindpickstate.h"

#include <QTest>

// Events: "in" / "out" = mouse move inside / outside, "down" / "up" = left button,
// "rdown" / "rup" = right button. Expected: state, highlighted face, hover hold after the last.
class TstSSFindPickState : public QObject
{
    Q_OBJECT

private slots:
    void sequence_data();
    void sequence();
};

void TstSSFindPickState::sequence_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("highlighted");
    QTest::addColumn<bool>("captured");

    QTest::newRow("start") << QStringList{} << 0 << false << false;
    QTest::newRow("hover highlights and holds") << QStringList{"in"} << 2 << true << true;
    QTest::newRow("moving inside keeps the highlight") << QStringList{"in", "in", "in"} << 2 << true << true;
    QTest::newRow("leaving restores the normal face") << QStringList{"in", "out"} << 1 << false << false;
    QTest::newRow("coming back highlights again") << QStringList{"in", "out", "in"} << 2 << true << true;
    QTest::newRow("press") << QStringList{"in", "down"} << 3 << true << true;
    QTest::newRow("press and release pops up") << QStringList{"in", "down", "up"} << 0 << false << false;
    QTest::newRow("after a release the next move highlights")
        << QStringList{"in", "down", "up", "in"} << 2 << true << true;
    QTest::newRow("pressed and dragged off") << QStringList{"in", "down", "out"} << 4 << false << true;
    QTest::newRow("dragged off: moves change nothing")
        << QStringList{"in", "down", "out", "in", "out", "in"} << 4 << false << true;
    QTest::newRow("dragged off and released") << QStringList{"in", "down", "out", "up"} << 0 << false << false;
    QTest::newRow("right button is ignored") << QStringList{"in", "rdown", "out"} << 1 << false << false;
    QTest::newRow("right release keeps the press") << QStringList{"in", "down", "rup"} << 3 << true << true;
}

void TstSSFindPickState::sequence()
{
    QFETCH(QStringList, events);
    SSFindPickState s;
    for (const QString &e : events) {
        if (e == "in" || e == "out")
            s.mouseMove(e == "in");
        else if (e.endsWith("down"))
            s.mouseDown(e == "down");
        else
            s.mouseUp(e == "up");
    }
    QTEST(s.state(), "state");
    QTEST(s.highlighted(), "highlighted");
    QTEST(s.captured(), "captured");
}

QTEST_GUILESS_MAIN(TstSSFindPickState)
#include "tst_ssfindpickstate.moc"
