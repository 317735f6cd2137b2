#include "rate/ratestatements.h"

#include <QTest>

using namespace RateStatements;

class TstRateStatements : public QObject
{
    Q_OBJECT

private slots:
    void oneLineStatements_data();
    void oneLineStatements();
    void insertStatement_data();
    void insertStatement();
    void updateStatement();
    void quoteText_data();
    void quoteText();
    void numberText_data();
    void numberText();
};

void TstRateStatements::oneLineStatements_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exists") << existsStatement(QStringLiteral("2024/02/29"))
                            << QStringLiteral(" SELECT * FROM EX_RATE WHERE STD_DATE = '2024/02/29' ");
    QTest::newRow("period, two spaces before FROM")
        << periodStatement(QStringLiteral("2000/01/01"), QStringLiteral("2000/12/31"))
        << QStringLiteral(" SELECT STD_DATE, USD, VND, KRW, REMARK  FROM EX_RATE WHERE STD_DATE "
                          "BETWEEN '2000/01/01' AND '2000/12/31' ORDER BY STD_DATE ");
    QTest::newRow("delete") << deleteStatement(QStringLiteral("1999/12/31"))
                            << QStringLiteral(" DELETE FROM EX_RATE WHERE STD_DATE = '1999/12/31' ");
}

void TstRateStatements::oneLineStatements()
{
    QFETCH(QString, statement);
    QFETCH(QString, expected);
    QCOMPARE(statement, expected);
    QVERIFY(!statement.contains(QLatin1Char('\r')));
    QVERIFY(!statement.contains(QLatin1Char('\n')));
}

void TstRateStatements::insertStatement_data()
{
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("userCode");
    QTest::addColumn<QString>("remarkInText");
    QTest::addColumn<QString>("userInText");
    QTest::newRow("plain") << QStringLiteral("월말 기준") << QStringLiteral("U001") << QStringLiteral("월말 기준")
                           << QStringLiteral("U001");
    QTest::newRow("quotes doubled") << QStringLiteral("it's 'x'") << QStringLiteral("o'neil")
                                    << QStringLiteral("it''s ''x''") << QStringLiteral("o''neil");
    QTest::newRow("remark kept untrimmed")
        << QStringLiteral("  a  ") << QString() << QStringLiteral("  a  ") << QString();
}

void TstRateStatements::insertStatement()
{
    QFETCH(QString, remark);
    QFETCH(QString, userCode);
    QFETCH(QString, remarkInText);
    QFETCH(QString, userInText);
    const QString s =
        RateStatements::insertStatement(QStringLiteral("2024/01/02"), QStringLiteral("1300.5"), QStringLiteral("24500"),
                                        QStringLiteral("0.0531"), remark, userCode);
    const QString expected =
        QStringLiteral(" INSERT INTO EX_RATE ( STD_DATE, USD, VND, KRW, REMARK, INS_DATE, INS_SCODE ) \r\n"
                       " VALUES ( '2024/01/02', \r\n"
                       "1300.5, 24500, 0.0531, \r\n"
                       " '%1', \r\n"
                       " GETDATE(), '%2' ) ")
            .arg(remarkInText, userInText);
    QCOMPARE(s, expected);
    QCOMPARE(s.count(QStringLiteral("\r\n")), 4);
    QCOMPARE(s.count(QLatin1Char('\n')), 4); // no bare LF anywhere
}

void TstRateStatements::updateStatement()
{
    const QString s =
        RateStatements::updateStatement(QStringLiteral("2024/01/02"), QStringLiteral("1.25"), QStringLiteral("0"),
                                        QStringLiteral("1e-07"), QStringLiteral("a'; DROP TABLE EX_RATE; --"));
    const QString expected = QStringLiteral(" UPDATE EX_RATE SET \r\n"
                                            "   USD      =  1.25, \r\n"
                                            "   VND      =  0, \r\n"
                                            "   KRW      =  1e-07, \r\n"
                                            "   REMARK   = 'a''; DROP TABLE EX_RATE; --', \r\n"
                                            "   INS_DATE =  GETDATE() \r\n"
                                            " WHERE STD_DATE = '2024/01/02' ");
    QCOMPARE(s, expected);
    QCOMPARE(s.count(QStringLiteral("\r\n")), 6);
    QVERIFY(!s.contains(QStringLiteral("INS_SCODE")));
}

void TstRateStatements::quoteText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("one quote") << QStringLiteral("'") << QStringLiteral("''");
    QTest::newRow("two adjacent") << QStringLiteral("''") << QStringLiteral("''''");
    QTest::newRow("semicolon and comment untouched") << QStringLiteral("a;--b") << QStringLiteral("a;--b");
    QTest::newRow("double quote untouched") << QStringLiteral("\"") << QStringLiteral("\"");
}

void TstRateStatements::quoteText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(RateStatements::quoteText(text), expected);
}

void TstRateStatements::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("integer") << 25000.0 << QStringLiteral("25000");
    QTest::newRow("two decimals") << 1234.56 << QStringLiteral("1234.56");
    QTest::newRow("no thousands separator") << 1234567.5 << QStringLiteral("1234567.5");
    QTest::newRow("six decimals") << 0.053421 << QStringLiteral("0.053421");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("negative") << -12.5 << QStringLiteral("-12.5");
    QTest::newRow("not finite") << qInf() << QString();
}

void TstRateStatements::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    const QString text = RateStatements::numberText(value);
    QCOMPARE(text, expected);
    if (!text.isEmpty())
        QCOMPARE(text.toDouble(), value);
}

QTEST_GUILESS_MAIN(TstRateStatements)
#include "tst_ratestatements.moc"
