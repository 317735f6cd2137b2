// The first start of a user on a computer without a system folder, driven as the user drives
// it: the question on the message screen answered by a click on 예, a day saved, queried back
// into the grid and corrected from there, the window closed as a window manager closes it.
// The package check runs this same case on the installed program as an ordinary user
// (ZOZURA_E2E_PROGRAM=/usr/bin/zozura).

#include "e2edriver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

class TstE2eFirstRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_d.startDisplay(); }
    void cleanupTestCase() { m_d.stopDisplay(); }
    void init() { m_d.begin(); }
    void cleanup() { m_d.end(); }

    void firstStartMakesPersonalDatabase();

private:
    E2eDriver m_d;
};

void TstE2eFirstRun::firstStartMakesPersonalDatabase()
{
    if (QFileInfo::exists(QStringLiteral("/etc/zevaru")))
        QSKIP("this computer has an administrator's /etc/zevaru, which always comes first");
    QTemporaryDir home;
    QVERIFY(home.isValid());
    m_d.useHome(home.path());
    const QString folder = home.filePath(QStringLiteral(".local/share/zozura"));

    QProcess *p = m_d.startProgram();
    const QString question = m_d.waitNotice(p, 0);
    QVERIFY2(question.startsWith(QStringLiteral("처음 실행|")), qPrintable(m_d.programLog(p)));
    QVERIFY(question.contains(folder));
    const QString screen = m_d.waitWindow(p->processId(), E2eDriver::NoticeTitle);
    QVERIFY(!screen.isEmpty());
    QVERIFY(m_d.waitWindow(p->processId(), E2eDriver::MainTitle, 0).isEmpty());
    // the pointer has glided onto 예, the default answer: the user clicks where it rests
    E2eDriver::xdo({QStringLiteral("click"), QStringLiteral("1")});
    const QString w = m_d.waitWindow(p->processId(), E2eDriver::MainTitle);
    QVERIFY2(!w.isEmpty(), qPrintable(m_d.programLog(p)));
    for (const char *name : {"ZEVARU.DAT", "registry.ini", "zozura.db"})
        QVERIFY2(QFile::exists(folder + QLatin1Char('/') + QLatin1String(name)), name);

    // a day saved ...
    QString which;
    m_d.click(w, E2eDriver::ClearButton);
    m_d.typeInto(w, E2eDriver::StdDate, QStringLiteral("2026/12/07"));
    m_d.typeInto(w, E2eDriver::Usd, QStringLiteral("1350.25"));
    m_d.typeInto(w, E2eDriver::Vnd, QStringLiteral("25400"));
    m_d.typeInto(w, E2eDriver::Krw, QStringLiteral("1"));
    m_d.typeInto(w, E2eDriver::Remark, QStringLiteral("first day"));
    m_d.click(w, E2eDriver::SaveButton);
    QString box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(box);
    const passwd *pw = getpwuid(geteuid());
    QVERIFY(pw);
    QCOMPARE(m_d.value(QStringLiteral("SELECT INS_SCODE FROM EX_RATE WHERE STD_DATE='2026/12/07'")).toString(),
             QString::fromLocal8Bit(pw->pw_name));

    // ... queried back: the grid's row brings the day into the cleared panel, and a rate changed
    // there is saved over that day with the rest of the row as the grid showed it
    m_d.click(w, E2eDriver::ClearButton);
    m_d.queryPeriod(w, QStringLiteral("2026/12/01"), QStringLiteral("2026/12/31"));
    m_d.click(w, E2eDriver::GridRow1);
    m_d.typeInto(w, E2eDriver::Usd, QStringLiteral("1360"));
    m_d.click(w, E2eDriver::SaveButton);
    box = m_d.waitAnyBox(p->processId(), {E2eDriver::NoticeTitle, QStringLiteral("저장실패")}, &which);
    QCOMPARE(which, E2eDriver::NoticeTitle);
    m_d.answerBox(box);
    QCOMPARE(m_d.value(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")).toInt(), 1);
    QCOMPARE(m_d.value(QStringLiteral("SELECT USD FROM EX_RATE WHERE STD_DATE='2026/12/07'")).toDouble(), 1360.0);
    QCOMPARE(m_d.value(QStringLiteral("SELECT REMARK FROM EX_RATE WHERE STD_DATE='2026/12/07'")).toString(),
             QStringLiteral("first day"));

    const QString closed = m_d.closeProgram(p);
    QVERIFY2(closed.isEmpty(), qPrintable(closed));

    // the next start asks nothing and shows the window at once (closed again at the case's end)
    QProcess *again = m_d.startProgram();
    QVERIFY(!m_d.waitWindow(again->processId(), E2eDriver::MainTitle).isEmpty());
    QVERIFY(m_d.notices(again).isEmpty());
}

QTEST_MAIN(TstE2eFirstRun)
#include "tst_e2e_firstrun.moc"
