#include "platform/controls/btnbutton.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/holdrepeattimer.h"
#include "platform/controls/ltitle.h"
#include "platform/controls/picbutton.h"
#include "platform/controls/pictoggle.h"
#include "platform/controls/svgpicture.h"
#include "platform/controls/xpanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// Records the order of a button's signals as text: "D1", "U1", "C" (Down/Up with the button).
template<class Button> QStringList *recordSignals(Button *b, QObject *owner)
{
    auto *log = new QStringList;
    QObject::connect(owner, &QObject::destroyed, [log] { delete log; });
    QObject::connect(b, &Button::MouseDown, owner, [log](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        *log << QStringLiteral("D%1").arg(int(button));
    });
    QObject::connect(b, &Button::MouseUp, owner, [log](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        *log << QStringLiteral("U%1").arg(int(button));
    });
    QObject::connect(b, &Button::Click, owner, [log] { *log << QStringLiteral("C"); });
    return log;
}

class TestPicButtons : public QObject
{
    Q_OBJECT

private slots:
    void mouseSignals_data();
    void mouseSignals();
    void releasedOutsideStillReportsUp();
    void mouseMoveWithoutButton();
    void disabledButtonIsSilent();
    void heldButtonDrivesRepeat();
    void facesFollowState();
    void toggleValue_data();
    void toggleValue();
    void toggleSetByProgramDoesNotClick();
    void commandButtonSignals();
    void typeNames_data();
    void typeNames();
    void tagsOnAnyControl();
    void glyphsAreReadable_data();
    void glyphsAreReadable();
};

void TestPicButtons::mouseSignals_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("left click") << int(Qt::LeftButton) << QStringList{"D1", "U1", "C"};
    QTest::newRow("right click opens menus, no Click") << int(Qt::RightButton) << QStringList{"D2", "U2"};
    QTest::newRow("middle") << int(Qt::MiddleButton) << QStringList{"D4", "U4"};
}

void TestPicButtons::mouseSignals()
{
    QFETCH(int, button);
    QFETCH(QStringList, expected);
    PicButton b;
    b.resize(22, 17);
    b.setPicture(PicButton::glyphPath(QStringLiteral("down")));
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QObject owner;
    QStringList *log = recordSignals(&b, &owner);
    QTest::mouseClick(&b, Qt::MouseButton(button), {}, QPoint(5, 5));
    QCOMPARE(*log, expected);
}

void TestPicButtons::releasedOutsideStillReportsUp()
{
    PicButton b;
    b.resize(22, 17);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QObject owner;
    QStringList *log = recordSignals(&b, &owner);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(b.isDown());
    QCOMPARE(b.shownFace(), 1);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(200, 200));
    // the repeat must stop even when the mouse left the button; no Click then
    QCOMPARE(*log, (QStringList{"D1", "U1"}));
    QVERIFY(!b.isDown());
}

void TestPicButtons::mouseMoveWithoutButton()
{
    // a hover highlight needs the moves while no mouse button is held
    QWidget form;
    auto *b = new PicButton(&form);
    b->setGeometry(10, 10, 18, 18);
    form.resize(60, 60);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QList<QPoint> moves;
    QList<int> held;
    connect(b, &PicButton::MouseMove, b, [&](Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y) {
        moves << QPoint(x, y);
        held << int(buttons);
    });
    QTest::mouseMove(b, QPoint(4, 5));
    QTest::mouseMove(b, QPoint(9, 7));
    QTRY_COMPARE(moves.size(), 2);
    QCOMPARE(moves.last(), QPoint(9, 7));
    QCOMPARE(held, (QList<int>{0, 0}));
}

void TestPicButtons::disabledButtonIsSilent()
{
    PicButton b;
    b.resize(22, 17);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    b.setEnabled(false);
    QCOMPARE(b.shownFace(), 2);
    QObject owner;
    QStringList *log = recordSignals(&b, &owner);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(log->isEmpty());
}

void TestPicButtons::heldButtonDrivesRepeat()
{
    // the way the navigator uses it: MouseDown steps once and presses the repeat timer,
    // MouseUp releases it
    PicButton b;
    b.resize(22, 17);
    b.setTag(QStringLiteral("1DN"));
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    HoldRepeatTimer repeat(20, &b);
    int steps = 0;
    QString direction;
    QElapsedTimer held;
    qint64 firstRepeatAt = -1;
    int intervalSeenByFirstTick = -1;
    connect(&repeat, &QTimer::timeout, &b, [&] {
        if (firstRepeatAt < 0) {
            firstRepeatAt = held.elapsed();
            intervalSeenByFirstTick = repeat.interval();
        }
        ++steps;
    });
    connect(&b, &PicButton::MouseDown, &b, [&](Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
        if (button != Qt::LeftButton)
            return;
        direction = b.tag();
        ++steps;
        repeat.press();
    });
    connect(&b, &PicButton::MouseUp, &b, [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) { repeat.release(); });
    held.start();
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(steps, 1);
    QCOMPARE(repeat.interval(), HoldRepeatTimer::FirstDelayMs);
    QTRY_VERIFY_WITH_TIMEOUT(steps >= 5, 3000);
    // a click is not a hold: nothing repeats before the first pause is over, then the quick rate
    QVERIFY2(firstRepeatAt >= HoldRepeatTimer::FirstDelayMs - 5, qPrintable(QString::number(firstRepeatAt)));
    QCOMPARE(intervalSeenByFirstTick, 20);
    // pressing again while it runs does not start the pause over
    repeat.press();
    QCOMPARE(repeat.interval(), 20);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!repeat.isActive());
    QCOMPARE(repeat.interval(), HoldRepeatTimer::FirstDelayMs);
    const int atRelease = steps;
    QTest::qWait(80);
    QCOMPARE(steps, atRelease);
    QCOMPARE(direction, QStringLiteral("1DN"));
}

void TestPicButtons::facesFollowState()
{
    PicToggle t;
    t.setFaces(PicButton::glyphPath(QStringLiteral("expand")), {}, {});
    t.resize(16, 16);
    QCOMPARE(t.shownFace(), 0);
    t.setValue(true);
    QCOMPARE(t.shownFace(), 1);
    t.setEnabled(false);
    QCOMPARE(t.shownFace(), 2);
    QCOMPARE(t.upFace(), PicButton::glyphPath(QStringLiteral("expand")));
    // the pressed face looks different from the raised one, the disabled one again different
    auto shot = [&t](bool enabled, bool down) {
        t.setEnabled(enabled);
        t.setValue(down);
        QImage img(t.size(), QImage::Format_ARGB32);
        img.fill(Qt::white);
        t.render(&img);
        return img;
    };
    const QImage up = shot(true, false);
    const QImage down = shot(true, true);
    const QImage disabled = shot(false, false);
    QVERIFY(up != down);
    QVERIFY(up != disabled);
}

void TestPicButtons::toggleValue_data()
{
    QTest::addColumn<bool>("stayDown");
    QTest::addColumn<bool>("startDown");
    QTest::addColumn<bool>("endDown");
    QTest::addColumn<int>("clicks");

    QTest::newRow("up goes down") << false << false << true << 1;
    QTest::newRow("down goes up") << false << true << false << 1;
    QTest::newRow("option style up goes down") << true << false << true << 1;
    QTest::newRow("option style stays down, silent") << true << true << true << 0;
}

void TestPicButtons::toggleValue()
{
    QFETCH(bool, stayDown);
    QFETCH(bool, startDown);
    QFETCH(bool, endDown);
    QFETCH(int, clicks);

    PicToggle t;
    t.resize(16, 16);
    t.setStayDown(stayDown);
    t.setValue(startDown);
    t.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t));
    QList<bool> valueAtClick;
    connect(&t, &PicToggle::Click, &t, [&] { valueAtClick << t.value(); });
    QTest::mouseClick(&t, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(t.value(), endDown);
    QCOMPARE(valueAtClick.size(), clicks);
    // Click sees the new Value
    if (clicks)
        QCOMPARE(valueAtClick.first(), endDown);
    QCOMPARE(t.property("Value").toBool(), endDown);
}

void TestPicButtons::toggleSetByProgramDoesNotClick()
{
    PicToggle t;
    QSignalSpy clicks(&t, &PicToggle::Click);
    QSignalSpy changes(&t, &PicToggle::ValueChanged);
    t.setValue(true);
    t.setValue(true);
    t.setProperty("Value", false);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(changes.count(), 2);
    QVERIFY(!t.value());
}

void TestPicButtons::commandButtonSignals()
{
    btnButton b(QStringLiteral("조  회"));
    b.resize(82, 26);
    b.show();
    QVERIFY(QTest::qWaitForWindowExposed(&b));
    QObject owner;
    QStringList *log = recordSignals(&b, &owner);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(&b, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(*log, (QStringList{"D1", "U1", "C", "D2", "U2"}));
    QCOMPARE(b.caption(), QStringLiteral("조  회"));
    b.setEnabled(false);
    log->clear();
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(log->isEmpty());
}

void TestPicButtons::typeNames_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("typeName");
    QTest::newRow("xPanel") << "xPanel"
                            << "xPanel";
    QTest::newRow("btnButton") << "btnButton"
                               << "btnButton";
    QTest::newRow("lTitle") << "lTitle"
                            << "lTitle";
    QTest::newRow("PicButton") << "PicButton"
                               << "PicButton";
    QTest::newRow("PicToggle") << "PicToggle"
                               << "PicToggle";
    QTest::newRow("combo") << "QComboBox"
                           << "ComboBox";
    QTest::newRow("label") << "QLabel"
                           << "Label";
    QTest::newRow("push button") << "QPushButton"
                                 << "CommandButton";
    QTest::newRow("check box") << "QCheckBox"
                               << "CheckBox";
    QTest::newRow("radio") << "QRadioButton"
                           << "OptionButton";
    QTest::newRow("vertical bar") << "QScrollBar"
                                  << "VScrollBar";
    QTest::newRow("group box") << "QGroupBox"
                               << "Frame";
}

void TestPicButtons::typeNames()
{
    QFETCH(QString, kind);
    QFETCH(QString, typeName);
    std::unique_ptr<QWidget> w;
    if (kind == QLatin1String("xPanel"))
        w.reset(new xPanel);
    else if (kind == QLatin1String("btnButton"))
        w.reset(new btnButton);
    else if (kind == QLatin1String("lTitle"))
        w.reset(new lTitle);
    else if (kind == QLatin1String("PicButton"))
        w.reset(new PicButton);
    else if (kind == QLatin1String("PicToggle"))
        w.reset(new PicToggle);
    else if (kind == QLatin1String("QComboBox"))
        w.reset(new QComboBox);
    else if (kind == QLatin1String("QLabel"))
        w.reset(new QLabel);
    else if (kind == QLatin1String("QPushButton"))
        w.reset(new QPushButton);
    else if (kind == QLatin1String("QCheckBox"))
        w.reset(new QCheckBox);
    else if (kind == QLatin1String("QRadioButton"))
        w.reset(new QRadioButton);
    else if (kind == QLatin1String("QScrollBar"))
        w.reset(new QScrollBar(Qt::Vertical));
    else if (kind == QLatin1String("QGroupBox"))
        w.reset(new QGroupBox);
    QVERIFY(w);
    QCOMPARE(ControlInfo::typeName(w.get()), typeName);
    // a widget can be given a type name of its own
    ControlInfo::setTypeName(w.get(), QStringLiteral("cText"));
    QCOMPARE(ControlInfo::typeName(w.get()), QStringLiteral("cText"));
}

void TestPicButtons::tagsOnAnyControl()
{
    QScrollBar bar(Qt::Vertical);
    QCOMPARE(ControlInfo::tag(&bar), QString());
    ControlInfo::setTag(&bar, QStringLiteral("PDN"));
    QCOMPARE(ControlInfo::tag(&bar), QStringLiteral("PDN"));
    PicButton b;
    b.setProperty("Tag", QStringLiteral("1"));
    QCOMPARE(b.tag(), QStringLiteral("1"));
    xPanel p;
    p.setTag(QStringLiteral("top"));
    QCOMPARE(ControlInfo::tag(&p), QStringLiteral("top"));
    QCOMPARE(ControlInfo::tag(nullptr), QString());
}

void TestPicButtons::glyphsAreReadable_data()
{
    QTest::addColumn<QString>("name");
    for (const char *n : {"top",      "pageup",  "up",       "down",     "pagedown",  "end",         "excel", "graph",
                          "find",     "refresh", "expand",   "collapse", "alignleft", "aligncenter", "ok",    "close",
                          "print",    "picture", "settings", "pick",     "first",     "prevpage",    "prev",  "next",
                          "nextpage", "last",    "zoomin",   "zoomout",  "fitall",    "redraw"})
        QTest::newRow(n) << QString::fromLatin1(n);
}

void TestPicButtons::glyphsAreReadable()
{
    QFETCH(QString, name);
    const QString path = PicButton::glyphPath(name);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QVERIFY(SvgPicture::naturalSize(path).isValid());
    const QImage img = SvgPicture::render(path, QSize(16, 16)).toImage();
    QVERIFY(!img.isNull());
    // something is drawn: not every pixel transparent
    int opaque = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            opaque += qAlpha(img.pixel(x, y)) > 0;
    QVERIFY(opaque > 10);
}

QTEST_MAIN(TestPicButtons)
#include "tst_picbuttons.moc"
