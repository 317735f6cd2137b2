#include "find/cboroutines.h"
#include "find/frmssfind.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/controls/picbutton.h"
#include "platform/controls/pictoggle.h"
#include "platform/spread/spreadgrid.h"
#include "winui/tipwindow.h"
#include "winui/tooltip.h"

#include "../common/fakeservices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QStringList Headers{"일자", "미달러", "베트남동", "원화", "비고", "F", "G"};

// A grid of `cols` x `rows` empty cells with one header row, the given cells ("col,row=text")
// and the active cell (activeCol, activeRow).
void fillGrid(SpreadGrid &grid, int cols, int rows, const QStringList &cells, int activeCol, int activeRow)
{
    grid.setRedraw(false);
    grid.setMaxCols(cols);
    grid.setMaxRows(rows);
    grid.setColHeaderRows(1);
    for (int c = 1; c <= cols; ++c)
        grid.SetCellText(c, SpreadGrid::FirstHeaderRow, Headers.value(c - 1));
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c)
            grid.SetCellText(c, r, QString());
    for (const QString &cell : cells) {
        const int eq = cell.indexOf('=');
        const QStringList at = cell.left(eq).split(',');
        grid.SetCellText(at[0].toInt(), at[1].toInt(), cell.mid(eq + 1));
    }
    grid.setRedraw(true);
    grid.setCol(activeCol);
    grid.setRow(activeRow);
    grid.setAction(0);
}

} // namespace

class TstFrmSSFind : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void init();
    void cleanup();

    void openCapturesHeadersAndShowsActiveCell();
    void openTakesTheLastHeaderRow();
    void openGlidesThePointerOntoFind();
    void findButtonTogglesTheWindow();
    void closeButtonLetsGoOfTheGrid();
    void findNext_data();
    void findNext();
    void notFoundNoticeLeavesTheActiveCell();
    void blankTextDoesNothing();
    void historyKeepsEachTextOnce();
    void heldButtonRepeats();
    void losingFocusStopsTheRepeat();
    void heldButtonStopsAtTheNotice();
    void pickButtonCopiesTheActiveCell();
    void pickButtonHoverStates();
    void gridGoneWhileOpen();

private:
    QWidget *m_owner = nullptr;
    SpreadGrid *m_grid = nullptr;
    FrmSSFind *m_find = nullptr;
    QStringList m_notices; // headlines of the message screens answered

    QComboBox *combo() const { return m_find->findChild<QComboBox *>("cboSSFind"); }
    QLabel *label(int i) const { return m_find->findChild<QLabel *>(QStringLiteral("lblSSFind_%1").arg(i)); }
    QLineEdit *content() const { return m_find->findChild<QLineEdit *>("txtSSFind"); }
    QCheckBox *check(int i) const { return m_find->findChild<QCheckBox *>(QStringLiteral("chkSSFind_%1").arg(i)); }
    PicButton *button(const char *name) const { return m_find->findChild<PicButton *>(name); }

    // Typing: Latin letters and digits as keys, Korean as the input method commits it.
    static void typeText(QWidget *w, const QString &text)
    {
        for (QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(w, c.toLatin1());
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(w, &commit);
            }
        }
    }

    // What a person does: click into the search box, replace its text by typing, press Enter (the
    // main keyboard's Return, or the keypad's Enter). The keys go where the focus is.
    void typeAndEnter(const QString &text, Qt::Key enter = Qt::Key_Return)
    {
        const Qt::KeyboardModifiers keypad = enter == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        if (!m_find->isVisible()) {
            // a closed window takes no typing; only its handler could still be reached
            combo()->setEditText(text);
            QTest::keyClick(combo(), enter, keypad);
            return;
        }
        QVERIFY(QTest::qWaitForWindowActive(m_find));
        QTest::mouseClick(combo()->lineEdit(), Qt::LeftButton);
        QVERIFY(combo()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        typeText(QApplication::focusWidget(), text);
        QCOMPARE(combo()->currentText(), text);
        QTest::keyClick(QApplication::focusWidget(), enter, keypad);
    }
};

void TstFrmSSFind::init()
{
    m_owner = new QWidget;
    m_owner->resize(600, 400);
    m_grid = new SpreadGrid(m_owner);
    m_grid->setGeometry(0, 0, 600, 400);
    m_owner->show();
    m_find = new FrmSSFind(m_owner);
    m_notices.clear();
    MsgScr::answerHook() = [this](FrmMsgScr &screen) {
        m_notices << screen.lblTitle()->text();
        MsgScr::answerWith(1)(screen);
    };
}

void TstFrmSSFind::cleanup()
{
    MsgScr::answerHook() = nullptr;
    delete m_owner; // the find window and the grid go with it
    m_owner = nullptr;
}

void TstFrmSSFind::openCapturesHeadersAndShowsActiveCell()
{
    fillGrid(*m_grid, 5, 30, {"3,5=1,234.50", "2,6=abc"}, 3, 5);
    m_find->sbSet_SSFind_Init(m_grid);
    QVERIFY(m_find->isVisible());
    QCOMPARE(m_find->windowTitle(), QString(" FindBox..."));
    QCOMPARE(m_find->parentWidget(), m_owner);
    QVERIFY(!m_find->isModal());
    QCOMPARE(m_find->size(), QSize(240, 178));
    QCOMPARE(m_find->SSFind_SS(), m_grid);
    QCOMPARE(m_find->SSFind_Header(), (QStringList{"", "일자", "미달러", "베트남동", "원화", "비고"}));
    QCOMPARE(label(0)->text(), QString("베트남동"));
    QCOMPARE(label(1)->text(), QString("5"));
    QCOMPARE(content()->text(), QString("1,234.50"));
    QCOMPARE(combo()->currentText(), QString("1,234.50"));
    QCOMPARE(m_grid->ActiveCol(), 3);
    QCOMPARE(m_grid->ActiveRow(), 5);
}

void TstFrmSSFind::openTakesTheLastHeaderRow()
{
    fillGrid(*m_grid, 3, 10, {}, 1, 1);
    m_grid->setColHeaderRows(2);
    m_grid->SetCellText(2, SpreadGrid::FirstHeaderRow, "환율");
    m_grid->SetCellText(2, SpreadGrid::FirstHeaderRow + 1, "USD");
    m_find->sbSet_SSFind_Init(m_grid);
    QCOMPARE(m_find->SSFind_Header().size(), 4);
    QCOMPARE(m_find->SSFind_Header().at(2), QString("USD"));
}

void TstFrmSSFind::openGlidesThePointerOntoFind()
{
    fillGrid(*m_grid, 5, 30, {}, 1, 1);
    QCursor::setPos(m_owner->mapToGlobal(QPoint(5, 5)));
    m_find->sbSet_SSFind_Init(m_grid);
    // 87 % across and 60 % down 찾기 (78 x 23 pixels at 74, 149)
    const QPoint target = m_find->mapToGlobal(QPoint(142, 163));
    const QPoint at = QCursor::pos();
    QVERIFY2(
        (at - target).manhattanLength() <= 1,
        qPrintable(QStringLiteral("%1,%2 instead of %3,%4").arg(at.x()).arg(at.y()).arg(target.x()).arg(target.y())));
}

void TstFrmSSFind::findButtonTogglesTheWindow()
{
    fillGrid(*m_grid, 5, 30, {"1,1=a"}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    QVERIFY(m_find->isVisible());
    m_find->sbSet_SSFind_Init(m_grid);
    QVERIFY(!m_find->isVisible());
    QVERIFY(!m_find->SSFind_SS());
    QVERIFY(m_find->SSFind_Header().isEmpty());
    m_find->sbSet_SSFind_Init(m_grid);
    QVERIFY(m_find->isVisible());
    QCOMPARE(m_find->SSFind_SS(), m_grid);
}

void TstFrmSSFind::closeButtonLetsGoOfTheGrid()
{
    fillGrid(*m_grid, 5, 30, {"1,9=abc"}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    typeAndEnter("abc");
    QTest::mouseClick(button("cmdClose"), Qt::LeftButton);
    QVERIFY(!m_find->isVisible());
    QVERIFY(!m_find->SSFind_SS());
    QCOMPARE(combo()->count(), 1); // the history lasts as long as the window
    // find next with no grid attached does nothing
    typeAndEnter("abc");
    QCOMPARE(combo()->count(), 1);
    QVERIFY(m_notices.isEmpty());
}

void TstFrmSSFind::findNext_data()
{
    QTest::addColumn<int>("cols");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<int>("hiddenCol");
    QTest::addColumn<int>("hiddenRow");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<bool>("columnOnly");
    QTest::addColumn<int>("activeCol");
    QTest::addColumn<int>("activeRow");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("enter");

    QTest::newRow("first column with a match below the active row")
        << 5 << QStringList{"1,20=abc", "2,6=abc"} << 0 << 0 << "abc" << false << false << 3 << 5 << 1 << 20
        << int(Qt::Key_Return);
    QTest::newRow("match in the active row first") << 7 << QStringList{"7,5=abc", "1,6=abc"} << 0 << 0 << "abc" << false
                                                   << false << 3 << 5 << 7 << 5 << int(Qt::Key_Enter);
    QTest::newRow("active column only wraps to a match above")
        << 5 << QStringList{"3,2=abc", "1,9=abc", "4,5=abc"} << 0 << 0 << "abc" << false << true << 3 << 5 << 3 << 2
        << int(Qt::Key_Return);
    QTest::newRow("active column only, only the active cell")
        << 5 << QStringList{"3,5=xabcx"} << 0 << 0 << "abc" << false << true << 3 << 5 << 3 << 5 << int(Qt::Key_Enter);
    QTest::newRow("whole value skips a containing cell, any case")
        << 5 << QStringList{"1,7=USD rate", "4,8=Usd"} << 0 << 0 << "uSD" << true << false << 3 << 5 << 4 << 8
        << int(Qt::Key_Return);
    QTest::newRow("partial match, any case") << 5 << QStringList{"5,12=미달러 USD 환율"} << 0 << 0 << "usd" << false
                                             << false << 3 << 5 << 5 << 12 << int(Qt::Key_Enter);
    QTest::newRow("hidden column passed over") << 5 << QStringList{"1,20=abc", "2,6=abc"} << 1 << 0 << "abc" << false
                                               << false << 3 << 5 << 2 << 6 << int(Qt::Key_Return);
    QTest::newRow("hidden row passed over, its column searched on")
        << 5 << QStringList{"1,10=abc", "1,20=abc", "2,8=abc"} << 0 << 10 << "abc" << false << false << 3 << 5 << 1
        << 20 << int(Qt::Key_Enter);
    QTest::newRow("number cell by its shown text") << 5 << QStringList{"2,14=1,234.50"} << 0 << 0 << "1,234" << false
                                                   << false << 1 << 1 << 2 << 14 << int(Qt::Key_Return);
}

void TstFrmSSFind::findNext()
{
    QFETCH(int, cols);
    QFETCH(QStringList, cells);
    QFETCH(int, hiddenCol);
    QFETCH(int, hiddenRow);
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QFETCH(bool, columnOnly);
    QFETCH(int, activeCol);
    QFETCH(int, activeRow);
    QFETCH(int, col);
    QFETCH(int, row);
    QFETCH(int, enter);

    fillGrid(*m_grid, cols, 30, cells, activeCol, activeRow);
    if (hiddenCol) {
        m_grid->setCol(hiddenCol);
        m_grid->setRow(-1);
        m_grid->setColHidden(true);
    }
    if (hiddenRow) {
        m_grid->setCol(-1);
        m_grid->setRow(hiddenRow);
        m_grid->setRowHidden(true);
    }
    m_find->sbSet_SSFind_Init(m_grid);
    if (check(0)->isChecked() != whole)
        QTest::mouseClick(check(0), Qt::LeftButton);
    if (check(1)->isChecked() != columnOnly)
        QTest::mouseClick(check(1), Qt::LeftButton);
    QCOMPARE(check(0)->isChecked(), whole);
    QCOMPARE(check(1)->isChecked(), columnOnly);
    QSignalSpy searched(m_find, &FrmSSFind::searched);
    typeAndEnter(text, Qt::Key(enter));

    QCOMPARE(searched.size(), 1);
    QCOMPARE(m_grid->ActiveCol(), col);
    QCOMPARE(m_grid->ActiveRow(), row);
    QCOMPARE(label(0)->text(), Headers.at(col - 1));
    QCOMPARE(label(1)->text(), QString::number(row));
    m_grid->setCol(col);
    m_grid->setRow(row);
    QCOMPARE(content()->text(), m_grid->Text());
    QVERIFY(m_notices.isEmpty());
}

void TstFrmSSFind::notFoundNoticeLeavesTheActiveCell()
{
    fillGrid(*m_grid, 5, 30, {"2,3=abc", "4,9=xyz"}, 4, 9);
    m_find->sbSet_SSFind_Init(m_grid);
    QTest::mouseClick(check(0), Qt::LeftButton); // whole value: "ab" is only contained
    QVERIFY(check(0)->isChecked());
    typeAndEnter("ab");
    QCOMPARE(m_notices, QStringList{"찾을 수 없습니다."});
    QCOMPARE(m_grid->ActiveCol(), 4);
    QCOMPARE(m_grid->ActiveRow(), 9);
    QCOMPARE(content()->text(), QString("xyz"));
}

void TstFrmSSFind::blankTextDoesNothing()
{
    fillGrid(*m_grid, 5, 30, {"2,3=a b"}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    typeAndEnter("   ");
    QCOMPARE(combo()->count(), 0);
    QVERIFY(m_notices.isEmpty());
    QCOMPARE(m_grid->ActiveRow(), 1);
}

void TstFrmSSFind::historyKeepsEachTextOnce()
{
    fillGrid(*m_grid, 5, 30, {"2,3=usd", "2,4=vnd"}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    combo()->resize(40, combo()->height()); // narrower than any item, so the width shows
    typeAndEnter("USD");
    typeAndEnter("usd");
    typeAndEnter("Usd");
    QCOMPARE(combo()->count(), 1);
    QCOMPARE(combo()->itemText(0), QString("USD"));
    typeAndEnter("베트남 동화 vnd");
    QCOMPARE(combo()->count(), 2);
    QCOMPARE(combo()->itemText(1), QString("베트남 동화 vnd"));
    // 15 bytes in the Korean code page at 9 points: 97.5 -> 98 pixels
    QCOMPARE(fnCbo_MaxTextWidth(combo()), 98L);
    QCOMPARE(CboRoutines::droppedWidth(combo()), 98);
}

void TstFrmSSFind::heldButtonRepeats()
{
    QStringList cells;
    for (int r = 1; r <= 60; ++r)
        cells << QStringLiteral("1,%1=x%1").arg(r);
    fillGrid(*m_grid, 2, 60, cells, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    combo()->setEditText("x");

    QElapsedTimer clock;
    QList<qint64> ticks; // when each find ran
    QList<qint64> fired; // when the repeat timer fired: the find's own work does not shift these
    connect(m_find, &FrmSSFind::searched, this, [&] { ticks << clock.elapsed(); });
    connect(m_find->timNEXT(), &QTimer::timeout, this, [&] { fired << clock.elapsed(); });
    PicButton *next = button("cmdNEXT");
    clock.start();
    QTest::mousePress(next, Qt::LeftButton);
    QTest::qWait(950);
    const qint64 held = clock.elapsed();
    const qsizetype whileHeld = ticks.size();
    QTest::mouseRelease(next, Qt::LeftButton);

    // repeats at 450 ms, then every 200 ms: 450, 650, 850 within 950 ms
    const int due = held < 450 ? 0 : int((held - 450) / 200) + 1;
    QVERIFY2(whileHeld <= due && whileHeld >= 2,
             qPrintable(QStringLiteral("%1 finds in %2 ms").arg(whileHeld).arg(held)));
    // a periodic timer does not drift, so measure from the first repeat: never faster than 200 ms
    QCOMPARE(fired.size(), whileHeld);
    QVERIFY2(fired[0] >= 449, qPrintable(QString::number(fired[0])));
    for (qsizetype i = 1; i < fired.size(); ++i)
        QVERIFY2(fired[i] - fired[0] >= 200 * i - 2,
                 qPrintable(QStringLiteral("repeat %1 at %2 ms").arg(i).arg(fired[i])));
    // plus one on release
    QCOMPARE(ticks.size(), whileHeld + 1);
    QVERIFY(!m_find->timNEXT()->isActive());
    QCOMPARE(m_find->timNEXT()->interval(), 450);
    // each find moved one match down column 1
    QCOMPARE(m_grid->ActiveRow(), 1 + int(ticks.size()));
    QTest::qWait(500);
    QCOMPARE(ticks.size(), whileHeld + 1);
}

void TstFrmSSFind::losingFocusStopsTheRepeat()
{
    fillGrid(*m_grid, 2, 30, {"1,5=x"}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    QVERIFY(QTest::qWaitForWindowActive(m_find));
    PicButton *next = button("cmdNEXT");
    QTest::mousePress(next, Qt::LeftButton);
    next->setFocus();
    QVERIFY(m_find->timNEXT()->isActive());
    combo()->setFocus();
    QVERIFY(!m_find->timNEXT()->isActive());
    QCOMPARE(m_find->timNEXT()->interval(), 450);
    QTest::mouseRelease(next, Qt::LeftButton);
}

void TstFrmSSFind::heldButtonStopsAtTheNotice()
{
    fillGrid(*m_grid, 2, 30, {"1,5=x"}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    combo()->setEditText("nothing like it");
    QTest::mousePress(button("cmdNEXT"), Qt::LeftButton);
    QTest::qWait(1100);
    QCOMPARE(m_notices.size(), 1); // one notice, not one per tick
    QVERIFY(!m_find->timNEXT()->isActive());
    QTest::mouseRelease(button("cmdNEXT"), Qt::LeftButton);
}

void TstFrmSSFind::pickButtonCopiesTheActiveCell()
{
    fillGrid(*m_grid, 5, 30, {"2,7=1,100.25", "4,3=원화"}, 2, 7);
    m_find->sbSet_SSFind_Init(m_grid);
    combo()->setEditText("something else");
    m_grid->setCol(4);
    m_grid->setRow(3);
    m_grid->setAction(0);
    auto *pick = m_find->findChild<PicToggle *>("cmdSSFind");
    QTest::mouseClick(pick, Qt::LeftButton);
    QCOMPARE(combo()->currentText(), QString("원화"));
    QCOMPARE(content()->text(), QString("원화"));
    QCOMPARE(label(0)->text(), QString("원화"));
    QCOMPARE(label(1)->text(), QString("3"));
    QVERIFY(!pick->value()); // popped back up
    QCOMPARE(m_find->SSFind_BtnState(), 0);
    QCOMPARE(m_find->pickTip()->TipText(), QString("현제 값 입력"));
}

void TstFrmSSFind::pickButtonHoverStates()
{
    fillGrid(*m_grid, 5, 30, {}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    auto *pick = m_find->findChild<PicToggle *>("cmdSSFind");
    const QString normal = pick->upFace();
    QMouseEvent over(QEvent::MouseMove, QPointF(9, 9), pick->mapToGlobal(QPointF(9, 9)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(pick, &over);
    QCOMPARE(m_find->SSFind_BtnState(), 2);
    QVERIFY(pick->upFace() != normal);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(pick, &leave);
    QCOMPARE(m_find->SSFind_BtnState(), 1);
    QCOMPARE(pick->upFace(), normal);

    // pressed and dragged off: the press keeps its state until the release
    QApplication::sendEvent(pick, &over);
    QTest::mousePress(pick, Qt::LeftButton, {}, QPoint(9, 9));
    QCOMPARE(m_find->SSFind_BtnState(), 3);
    QMouseEvent off(QEvent::MouseMove, QPointF(40, 9), pick->mapToGlobal(QPointF(40, 9)), Qt::NoButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(pick, &off);
    QCOMPARE(m_find->SSFind_BtnState(), 4);
    combo()->setEditText("kept");
    QTest::mouseRelease(pick, Qt::LeftButton, {}, QPoint(40, 9));
    QCOMPARE(m_find->SSFind_BtnState(), 0);
    QCOMPARE(combo()->currentText(), QString("kept")); // released outside: no pick
}

void TstFrmSSFind::gridGoneWhileOpen()
{
    fillGrid(*m_grid, 5, 30, {"1,9=abc"}, 1, 1);
    m_find->sbSet_SSFind_Init(m_grid);
    delete m_grid;
    m_grid = nullptr;
    typeAndEnter("abc");
    QVERIFY(m_notices.isEmpty());
    QVERIFY(!m_find->SSFind_SS());
    QTest::mouseClick(m_find->findChild<PicToggle *>("cmdSSFind"), Qt::LeftButton);
    QTest::mouseClick(button("cmdClose"), Qt::LeftButton);
    QVERIFY(!m_find->isVisible());
}

QTEST_MAIN(TstFrmSSFind)
#include "tst_frmssfind.moc"
