#include "find/cboroutines.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QTest>

class TstCboRoutines : public QObject
{
    Q_OBJECT

private slots:
    void ansiByteLength_data();
    void ansiByteLength();
    void maxTextWidth_data();
    void maxTextWidth();
    void findStringExact_data();
    void findStringExact();
    void sendMsgEditsTheList_data();
    void sendMsgEditsTheList();
    void unknownOpsDoNothing_data();
    void unknownOpsDoNothing();
    void droppedWidth_data();
    void droppedWidth();
    void maxTextWidthUsesTheComboFont();
    void showDropDown();
};

void TstCboRoutines::ansiByteLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("ascii") << "USD 1,234.50" << 12;
    QTest::newRow("hangul syllables count two") << "미달러" << 6;
    QTest::newRow("mixed") << "USD 환율" << 8;
    QTest::newRow("compatibility jamo") << "ㄱㅏ" << 4;
    QTest::newRow("hanja") << "韓國" << 4;
    QTest::newRow("full-width letters") << "ＡＢ" << 4;
    QTest::newRow("beyond the basic plane becomes one byte") << QString::fromUtf8("a\xF0\x9F\x98\x80") << 2;
}

void TstCboRoutines::ansiByteLength()
{
    QFETCH(QString, text);
    QTEST(CboRoutines::ansiByteLength(text), "bytes");
}

void TstCboRoutines::maxTextWidth_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<double>("points");
    QTest::addColumn<long>("width");
    QTest::newRow("empty list") << QStringList{} << 12.0 << 0L;
    QTest::newRow("one letter, half goes to even") << QStringList{"a"} << 9.0 << 6L;
    QTest::newRow("three letters, half goes to even") << QStringList{"abc"} << 9.0 << 20L;
    QTest::newRow("widest in bytes, not in letters") << QStringList{"abcde", "미달러"} << 9.0 << 39L;
    QTest::newRow("larger font adds 15 per point") << QStringList{"미달러 환율"} << 11.0 << 102L;
    QTest::newRow("smaller font takes 15 per point") << QStringList{"abcd"} << 8.0 << 11L;
    QTest::newRow("empty items only") << QStringList{"", ""} << 9.0 << 0L;
}

void TstCboRoutines::maxTextWidth()
{
    QFETCH(QStringList, items);
    QFETCH(double, points);
    QTEST(CboRoutines::maxTextWidth(items, points), "width");
}

void TstCboRoutines::findStringExact_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("index");
    QTest::newRow("empty list") << QStringList{} << "a" << 0 << -1;
    QTest::newRow("other letter case") << QStringList{"usd", "Vnd"} << "VND" << 0 << 1;
    QTest::newRow("first item is searched last") << QStringList{"USD", "krw"} << "usd" << 0 << 0;
    QTest::newRow("a prefix is not equal") << QStringList{"usd rate"} << "usd" << 0 << -1;
    QTest::newRow("longer text is not equal") << QStringList{"usd"} << "usd " << 0 << -1;
    QTest::newRow("after 0 the second copy comes first") << QStringList{"a", "b", "A"} << "a" << 0 << 2;
    QTest::newRow("whole list from the top") << QStringList{"a", "b", "A"} << "a" << -1 << 0;
    QTest::newRow("Korean") << QStringList{"원화", "동화"} << "동화" << 0 << 1;
}

void TstCboRoutines::findStringExact()
{
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    QFETCH(int, after);
    QTEST(CboRoutines::findStringExact(items, text, after), "index");
}

void TstCboRoutines::sendMsgEditsTheList_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<long>("reply");
    QTest::addColumn<QStringList>("after");
    const QStringList start{"USD", "vnd", "원화"};
    QTest::newRow("1 prefix any case") << 1 << "V" << 0 << 1L << start;
    QTest::newRow("1 prefix missing") << 1 << "x" << 0 << -1L << start;
    QTest::newRow("2 exact any case") << 2 << "usd" << 0 << 0L << start;
    QTest::newRow("2 exact Korean") << 2 << "원화" << 0 << 2L << start;
    QTest::newRow("3 appends") << 3 << "KRW" << 0 << 3L << (start + QStringList{"KRW"});
    QTest::newRow("4 inserts") << 4 << "X" << 1 << 1L << QStringList{"USD", "X", "vnd", "원화"};
    QTest::newRow("4 at -1 appends") << 4 << "X" << -1 << 3L << (start + QStringList{"X"});
    QTest::newRow("4 past the end fails") << 4 << "X" << 7 << -1L << start;
    QTest::newRow("5 deletes") << 5 << "" << 0 << 2L << QStringList{"vnd", "원화"};
    QTest::newRow("5 out of range fails") << 5 << "" << 3 << -1L << start;
    QTest::newRow("6 selects") << 6 << "" << 2 << 2L << start;
    QTest::newRow("6 out of range fails") << 6 << "" << 5 << -1L << start;
}

void TstCboRoutines::sendMsgEditsTheList()
{
    QFETCH(int, op);
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QStringList, after);
    QComboBox combo;
    combo.setEditable(true);
    combo.addItems({"USD", "vnd", "원화"});
    QTEST(fnCbo_SendMsg(&combo, text, op, index), "reply");
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    QCOMPARE(items, after);
    if (op == 6 && index < combo.count())
        QCOMPARE(combo.currentText(), after.at(index));
}

void TstCboRoutines::unknownOpsDoNothing_data()
{
    QTest::addColumn<int>("op");
    QTest::newRow("7") << 7;
    QTest::newRow("8") << 8;
    QTest::newRow("10") << 10;
    QTest::newRow("-1") << -1;
}

void TstCboRoutines::unknownOpsDoNothing()
{
    QFETCH(int, op);
    QComboBox combo;
    combo.addItems({"a", "b"});
    combo.setCurrentIndex(1);
    QCOMPARE(fnCbo_SendMsg(&combo, "a", op, 0), 0L);
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(CboRoutines::droppedWidth(&combo), 0);
}

void TstCboRoutines::droppedWidth_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<bool>("scrollBar");
    QTest::newRow("short list, widest Korean item") << QStringList{"usd", "미달러 기준 환율"} << 104 << false;
    QTest::newRow("eight items: no scroll bar") << QStringList(8, "abcdefghijklmnopqrstuvwxyz") << 169 << false;
    QTest::newRow("nine items: scroll bar added") << QStringList(9, "abcdefghijklmnopqrstuvwxyz") << 169 << true;
}

void TstCboRoutines::droppedWidth()
{
    QFETCH(QStringList, items);
    QFETCH(int, textWidth);
    QFETCH(bool, scrollBar);
    QComboBox combo;
    QFont f = combo.font();
    f.setPointSizeF(9);
    combo.setFont(f);
    combo.resize(40, 20);
    combo.addItems(items);
    QCOMPARE(fnCbo_MaxTextWidth(&combo), long(textWidth));
    const int bar = combo.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &combo);
    const int expected = textWidth + (scrollBar ? bar : 0);
    QCOMPARE(fnCbo_SendMsg(&combo, {}, 9, 0), long(expected));
    QCOMPARE(CboRoutines::droppedWidth(&combo), expected);
    QVERIFY(combo.view()->minimumWidth() >= expected);

    // never narrower than the box itself
    combo.resize(400, 20);
    QCOMPARE(fnCbo_SendMsg(&combo, {}, 9, 0), 400L);
}

void TstCboRoutines::maxTextWidthUsesTheComboFont()
{
    QComboBox combo;
    combo.addItem("abcd");
    QFont f = combo.font();
    f.setPointSizeF(10);
    combo.setFont(f);
    QCOMPARE(fnCbo_MaxTextWidth(&combo), 41L); // 26 + 15
    combo.clear();
    QCOMPARE(fnCbo_MaxTextWidth(&combo), 0L);
}

void TstCboRoutines::showDropDown()
{
    QComboBox combo;
    combo.addItems({"usd", "vnd"});
    combo.show();
    QCOMPARE(fnCbo_SendMsg(&combo, {}, 0, 0), 1L);
    QTRY_VERIFY(combo.view()->isVisible());
    combo.hidePopup();
    QCOMPARE(fnCbo_SendMsg(nullptr, "x", 3, 0), -1L); // no combo: an error, not a crash
}

QTEST_MAIN(TstCboRoutines)
#include "tst_cboroutines.moc"
