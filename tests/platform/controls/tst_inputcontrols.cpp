#include "platform/controls/cfloat.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/ddate.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

// A form with a date box, a number box and a plain field to move the focus to.
struct Form
{
    QWidget window;
    dDate *date = new dDate(&window);
    cFloat *number = new cFloat(&window);
    QLineEdit *other = new QLineEdit(&window);

    Form()
    {
        auto *l = new QVBoxLayout(&window);
        l->addWidget(date);
        l->addWidget(number);
        l->addWidget(other);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
};

class TestInputControls : public QObject
{
    Q_OBJECT

private slots:
    void dateNormalize_data();
    void dateNormalize();
    void dateValue_data();
    void dateValue();
    void dateTyping_data();
    void dateTyping();
    void dateSetThroughLineEdit();
    void dateSelectsAllOnFocus();
    void datePaste_data();
    void datePaste();

    void numberValue_data();
    void numberValue();
    void numberRefusesValue_data();
    void numberRefusesValue();
    void numberTextThroughLineEdit_data();
    void numberTextThroughLineEdit();
    void numberTyping_data();
    void numberTyping();
    void numberPaste_data();
    void numberPaste();
    void numberFormatChange();
    void numberSelectsAllOnFocus();
    void numberValueSignal();

    void typeNamesAndTags();
};

void TestInputControls::dateNormalize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // "!" = refused

    QTest::newRow("full") << "2024/01/05"
                          << "2024/01/05";
    QTest::newRow("digits only") << "20240105"
                                 << "2024/01/05";
    QTest::newRow("dashes") << "2024-01-05"
                            << "2024/01/05";
    QTest::newRow("blanks around") << "  2024/01/05 "
                                   << "2024/01/05";
    QTest::newRow("year and month") << "2024/01"
                                    << "2024/01";
    QTest::newRow("year only") << "2024"
                               << "2024";
    QTest::newRow("six digits") << "202401"
                                << "2024/01";
    QTest::newRow("trailing separator") << "2024/"
                                        << "2024";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("short parts") << "2023/1/1"
                                 << "!";
    QTest::newRow("letters") << "abcd/ef/gh"
                             << "!";
    QTest::newRow("mixed separators") << "2024/01-05"
                                      << "!";
    QTest::newRow("too many digits") << "202401051"
                                     << "!";
    QTest::newRow("four parts") << "2024/01/05/07"
                                << "!";
    QTest::newRow("long day") << "2024/01/005"
                              << "!";
    QTest::newRow("dots") << "2024.01.05"
                          << "!";
}

void TestInputControls::dateNormalize()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString n = dDate::normalize(text);
    if (expected == QLatin1String("!"))
        QVERIFY2(n.isNull(), qPrintable(n));
    else
        QCOMPARE(n, expected);
}

void TestInputControls::dateValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("value");

    QTest::newRow("grid text") << "2024/02/29" << true << "2024/02/29";
    QTest::newRow("digits") << "20231231" << true << "2023/12/31";
    QTest::newRow("empty clears") << "" << true << "";
    QTest::newRow("partial") << "2024/03" << true << "2024/03/";
    QTest::newRow("letters kept out") << "2024/0a/01" << false << "2000/01/01";
    QTest::newRow("wrong shape kept out") << "2023/1/1" << false << "2000/01/01";
}

void TestInputControls::dateValue()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, value);

    dDate d;
    QVERIFY(d.setValue(QStringLiteral("2000/01/01")));
    QSignalSpy refused(&d, &dDate::inputRefused);
    QCOMPARE(d.setValue(text), accepted);
    QCOMPARE(d.value(), value);
    QCOMPARE(refused.count(), accepted ? 0 : 1);
    QCOMPARE(d.lastRefusal().isEmpty(), accepted);
    // the value property is the same thing
    QCOMPARE(d.property("value").toString(), value);
}

void TestInputControls::dateTyping_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("refused");

    QTest::newRow("eight digits") << "20240105"
                                  << "2024/01/05" << false;
    QTest::newRow("with slashes") << "2024/01/05"
                                  << "2024/01/05" << false;
    QTest::newRow("with dashes") << "2024-01-05"
                                 << "2024/01/05" << false;
    QTest::newRow("letters dropped") << "2a0b2c4d0105"
                                     << "2024/01/05" << true;
    QTest::newRow("only letters") << "abc"
                                  << "" << true;
    QTest::newRow("ninth digit has no room") << "202401059"
                                             << "2024/01/05" << false;
}

void TestInputControls::dateTyping()
{
    QFETCH(QString, keys);
    QFETCH(QString, value);
    QFETCH(bool, refused);

    Form f;
    QVERIFY(f.ready());
    f.date->setFocus();
    QTRY_VERIFY(f.date->hasFocus());
    f.date->setCursorPosition(0);
    QTest::keyClicks(f.date, keys);
    QCOMPARE(f.date->value(), value);
    QCOMPARE(!f.date->lastRefusal().isEmpty(), refused);
}

void TestInputControls::dateSetThroughLineEdit()
{
    // a routine that resets fields by kind may set the text through the QLineEdit interface
    dDate d;
    static_cast<QLineEdit *>(&d)->setText(QStringLiteral("2026/12/08"));
    QCOMPARE(d.value(), QStringLiteral("2026/12/08"));
    d.setProperty("text", QStringLiteral("2025/01/31"));
    QCOMPARE(d.value(), QStringLiteral("2025/01/31"));
    d.setProperty("value", QStringLiteral("xx"));
    QCOMPARE(d.value(), QStringLiteral("2025/01/31"));
}

void TestInputControls::dateSelectsAllOnFocus()
{
    Form f;
    QVERIFY(f.ready());
    f.date->setValue(QStringLiteral("2024/05/06"));
    f.other->setFocus();
    QTRY_VERIFY(f.other->hasFocus());
    QTest::mouseClick(f.date, Qt::LeftButton, {}, QPoint(5, f.date->height() / 2));
    QTRY_COMPARE(f.date->selectedText(), f.date->displayText());
    // typing replaces the whole date
    QTest::keyClicks(f.date, QStringLiteral("20231130"));
    QCOMPARE(f.date->value(), QStringLiteral("2023/11/30"));
}

void TestInputControls::datePaste_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<int>("keys"); // 0 Ctrl+V, 1 Shift+Insert
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("refused");

    QTest::newRow("letters, Ctrl+V") << "abcd" << 0 << "2024/05/06" << true;
    QTest::newRow("letters, Shift+Insert") << "오늘" << 1 << "2024/05/06" << true;
    QTest::newRow("a date with a letter") << "2023/11/3O" << 0 << "2024/05/06" << true;
    QTest::newRow("a whole date") << "2023/11/30" << 0 << "2023/11/30" << false;
    QTest::newRow("a date with dots") << " 2023.11.30 " << 1 << "2023/11/30" << false;
    QTest::newRow("digits") << "20231130" << 0 << "2023/11/30" << false;
}

void TestInputControls::datePaste()
{
    QFETCH(QString, clip);
    QFETCH(int, keys);
    QFETCH(QString, value);
    QFETCH(bool, refused);

    Form f;
    QVERIFY(f.ready());
    f.date->setValue(QStringLiteral("2024/05/06"));
    QTest::mouseClick(f.date, Qt::LeftButton);
    QTRY_COMPARE(f.date->selectedText(), f.date->displayText());
    QApplication::clipboard()->setText(clip);
    if (keys == 0)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(f.date->value(), value);
    QCOMPARE(!f.date->lastRefusal().isEmpty(), refused);
}

void TestInputControls::numberValue_data()
{
    QTest::addColumn<int>("places");
    QTest::addColumn<bool>("groups");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("value");

    QTest::newRow("dollar 0") << 2 << true << "0"
                              << "0.00"
                              << "0.00";
    QTest::newRow("dollar grid number") << 2 << true << "1234.5"
                                        << "1,234.50"
                                        << "1234.50";
    QTest::newRow("dollar grouped") << 2 << true << "1,234.56"
                                    << "1,234.56"
                                    << "1234.56";
    QTest::newRow("dong 0") << 0 << true << "0"
                            << "0"
                            << "0";
    QTest::newRow("dong grid number") << 0 << true << "23500"
                                      << "23,500"
                                      << "23500";
    QTest::newRow("dong exponent from grid") << 0 << true << "2.35e+07"
                                             << "23,500,000"
                                             << "23500000";
    QTest::newRow("won 0") << 6 << true << "0"
                           << "0.000000"
                           << "0.000000";
    QTest::newRow("won grid number") << 6 << true << "1.087654"
                                     << "1.087654"
                                     << "1.087654";
    QTest::newRow("won rounded to six") << 6 << true << "1.0876545"
                                        << "1.087655"
                                        << "1.087655";
    QTest::newRow("no separators shown") << 2 << false << "1234567.8"
                                         << "1234567.80"
                                         << "1234567.80";
}

void TestInputControls::numberValue()
{
    QFETCH(int, places);
    QFETCH(bool, groups);
    QFETCH(QString, text);
    QFETCH(QString, display);
    QFETCH(QString, value);

    cFloat c;
    c.setMaskdecimalplaces(places);
    c.setMaskdecimalfixed(true);
    c.setMaskshowthousandsep(groups);
    QVERIFY(c.setValue(text));
    QCOMPARE(c.text(), display);
    QCOMPARE(c.value(), value);
    // the value fed back in changes nothing
    QVERIFY(c.setValue(c.value()));
    QCOMPARE(c.text(), display);
    QCOMPARE(c.property("value").toString(), value);
}

void TestInputControls::numberRefusesValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxDigits");
    QTest::addColumn<bool>("allowNegative");
    QTest::addColumn<QString>("messagePart");

    QTest::newRow("letters") << "abc" << 12 << true << "숫자";
    QTest::newRow("empty") << "" << 12 << true << "숫자";
    QTest::newRow("two points") << "1.2.3" << 12 << true << "숫자";
    QTest::newRow("too large for the column") << "1234567890123" << 12 << true << "12자리";
    QTest::newRow("too large for a small box") << "1000" << 3 << true << "3자리";
    QTest::newRow("negative where refused") << "-1" << 12 << false << "음수";
}

void TestInputControls::numberRefusesValue()
{
    QFETCH(QString, text);
    QFETCH(int, maxDigits);
    QFETCH(bool, allowNegative);
    QFETCH(QString, messagePart);

    cFloat c;
    c.setMaskdecimalplaces(2);
    c.setMaxIntegerDigits(maxDigits);
    c.setAllowNegative(allowNegative);
    QVERIFY(c.setValue(QStringLiteral("12.5")));
    QSignalSpy refused(&c, &cFloat::inputRefused);
    QVERIFY(!c.setValue(text));
    QCOMPARE(refused.count(), 1);
    QVERIFY2(c.lastRefusal().contains(messagePart), qPrintable(c.lastRefusal()));
    // nothing lost: the old value stays, formatted as before
    QCOMPARE(c.value(), QStringLiteral("12.50"));
    QCOMPARE(c.text(), QStringLiteral("12.50"));
}

void TestInputControls::numberTextThroughLineEdit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("refused");

    QTest::newRow("zero") << "0"
                          << "0.00" << false;
    QTest::newRow("plain number") << "98765.4"
                                  << "98,765.40" << false;
    QTest::newRow("letters kept out") << "x1"
                                      << "7.00" << true;
    QTest::newRow("too large kept out") << "99999999999999"
                                        << "7.00" << true;
}

void TestInputControls::numberTextThroughLineEdit()
{
    QFETCH(QString, text);
    QFETCH(QString, display);
    QFETCH(bool, refused);

    cFloat c;
    c.setMaskdecimalplaces(2);
    c.setValue(QStringLiteral("7"));
    static_cast<QLineEdit *>(&c)->setText(text);
    QCOMPARE(c.text(), display);
    QCOMPARE(!c.lastRefusal().isEmpty(), refused);
    // and the same through the property interface
    cFloat d;
    d.setMaskdecimalplaces(2);
    d.setValue(QStringLiteral("7"));
    d.setProperty("text", text);
    QCOMPARE(d.text(), display);
}

void TestInputControls::numberTyping_data()
{
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("messagePart"); // "" = nothing refused

    QTest::newRow("plain digits") << 2 << "1234.5"
                                  << "1,234.50"
                                  << "1234.50"
                                  << "";
    QTest::newRow("typed separators") << 2 << "1,234"
                                      << "1,234.00"
                                      << "1234.00"
                                      << "";
    QTest::newRow("letters refused") << 2 << "1a2b3"
                                     << "123.00"
                                     << "123.00"
                                     << "숫자";
    QTest::newRow("third decimal refused") << 2 << "1.239"
                                           << "1.23"
                                           << "1.23"
                                           << "2자리";
    QTest::newRow("digit after the point refused without decimals") << 0 << "23456.7"
                                                                    << "23,456"
                                                                    << "23456"
                                                                    << "소수점 이하는 입력할 수 없습니다";
    QTest::newRow("thirteenth digit refused") << 0 << "1234567890123"
                                              << "123,456,789,012"
                                              << "123456789012"
                                              << "12자리";
    QTest::newRow("emptied box is zero") << 6 << ""
                                         << "0.000000"
                                         << "0.000000"
                                         << "";
    QTest::newRow("sign only is zero") << 2 << "-"
                                       << "0.00"
                                       << "0.00"
                                       << "";
    QTest::newRow("won six decimals") << 6 << "1.0876"
                                      << "1.087600"
                                      << "1.087600"
                                      << "";
}

void TestInputControls::numberTyping()
{
    QFETCH(int, places);
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(QString, value);
    QFETCH(QString, messagePart);

    Form f;
    QVERIFY(f.ready());
    f.number->setMaskdecimalplaces(places);
    f.number->setValue(QStringLiteral("55"));
    f.number->setFocus();
    QTRY_VERIFY(f.number->hasFocus());
    f.number->selectAll();
    QTest::keyClick(f.number, Qt::Key_Delete);
    QTest::keyClicks(f.number, keys);
    // leaving the box formats it
    f.other->setFocus();
    QTRY_VERIFY(f.other->hasFocus());
    QCOMPARE(f.number->text(), display);
    QCOMPARE(f.number->value(), value);
    if (messagePart.isEmpty())
        QVERIFY2(f.number->lastRefusal().isEmpty(), qPrintable(f.number->lastRefusal()));
    else
        QVERIFY2(f.number->lastRefusal().contains(messagePart), qPrintable(f.number->lastRefusal()));
}

void TestInputControls::numberPaste_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("refused");

    QTest::newRow("grouped number") << "1,234.56"
                                    << "1,234.56" << false;
    QTest::newRow("text with letters") << "12abc"
                                       << "8.00" << true;
    QTest::newRow("three decimals") << "1.234"
                                    << "8.00" << true;
    QTest::newRow("too many digits") << "98765432109876"
                                     << "8.00" << true;
}

void TestInputControls::numberPaste()
{
    QFETCH(QString, clip);
    QFETCH(QString, display);
    QFETCH(bool, refused);

    Form f;
    QVERIFY(f.ready());
    f.number->setMaskdecimalplaces(2);
    f.number->setValue(QStringLiteral("8"));
    f.number->setFocus();
    QTRY_VERIFY(f.number->hasFocus());
    QApplication::clipboard()->setText(clip);
    f.number->selectAll();
    f.number->paste();
    f.other->setFocus();
    QTRY_VERIFY(f.other->hasFocus());
    QCOMPARE(f.number->text(), display);
    QCOMPARE(!f.number->lastRefusal().isEmpty(), refused);
}

void TestInputControls::numberFormatChange()
{
    cFloat c;
    c.setMaskdecimalplaces(0);
    c.setValue(QStringLiteral("1234"));
    QCOMPARE(c.text(), QStringLiteral("1,234"));
    c.setMaskdecimalplaces(6);
    QCOMPARE(c.text(), QStringLiteral("1,234.000000"));
    c.setMaskshowthousandsep(false);
    QCOMPARE(c.text(), QStringLiteral("1234.000000"));
    c.setMaskdecimalfixed(false);
    QCOMPARE(c.text(), QStringLiteral("1234"));
    QCOMPARE(c.value(), QStringLiteral("1234"));
}

void TestInputControls::numberSelectsAllOnFocus()
{
    Form f;
    QVERIFY(f.ready());
    f.number->setMaskdecimalplaces(2);
    f.number->setValue(QStringLiteral("1234.5"));
    f.other->setFocus();
    QTRY_VERIFY(f.other->hasFocus());
    QTest::mouseClick(f.number, Qt::LeftButton, {}, QPoint(f.number->width() - 6, f.number->height() / 2));
    QTRY_COMPARE(f.number->selectedText(), QStringLiteral("1,234.50"));
    QTest::keyClicks(f.number, QStringLiteral("9"));
    QTest::keyClick(f.number, Qt::Key_Return);
    QCOMPARE(f.number->text(), QStringLiteral("9.00"));
}

void TestInputControls::numberValueSignal()
{
    cFloat c;
    c.setMaskdecimalplaces(2);
    QSignalSpy spy(&c, &cFloat::valueChanged);
    c.setValue(QStringLiteral("3"));
    c.setValue(QStringLiteral("3.00"));
    c.setValue(QStringLiteral("oops"));
    c.setValue(QStringLiteral("4"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("3.00"));
    QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("4.00"));
}

void TestInputControls::typeNamesAndTags()
{
    dDate d;
    cFloat c;
    QLineEdit plain;
    QCOMPARE(ControlInfo::typeName(&d), QStringLiteral("dDate"));
    QCOMPARE(ControlInfo::typeName(&c), QStringLiteral("cFloat"));
    QCOMPARE(ControlInfo::typeName(&plain), QStringLiteral("TextBox"));
    QCOMPARE(ControlInfo::tag(&c), QString());
    c.setTag(QStringLiteral("USD"));
    QCOMPARE(ControlInfo::tag(&c), QStringLiteral("USD"));
    QCOMPARE(c.property("Tag").toString(), QStringLiteral("USD"));
    ControlInfo::setTag(&d, QStringLiteral("FM"));
    QCOMPARE(d.tag(), QStringLiteral("FM"));
}

QTEST_MAIN(TestInputControls)
#include "tst_inputcontrols.moc"
