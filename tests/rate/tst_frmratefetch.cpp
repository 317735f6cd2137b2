// The fetch as a person uses it, on a real SQLite database and services on 127.0.0.1: the
// right-click menu of the export button, the choice of the period, the preview with each row's
// services and the days not published, and the apply with its history rows.

#include "app/clsmain.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/controls/btnbutton.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/stdmessagebox.h"
#include "rate/frmrate.h"
#include "rate/frmratefetch.h"
#include "rate/frmrateimport.h"

#include "../common/dbtestenv.h"
#include "../common/fakeservices.h"
#include "../common/localhttp.h"
#include "../common/programenv.h"
#include "feedanswers.h"

#include <QDateEdit>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <memory>

class TstFrmRateFetch : public QObject
{
    Q_OBJECT

    FakeServices m_fakes;

private slots:
    void initTestCase();
    void menuPreviewApply();

private:
    QStringList m_notices;
};

void TstFrmRateFetch::initTestCase()
{
    QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    LocalHttp::dropProxyEnvironment();
    MsgScr::answerHook() = [this](FrmMsgScr &screen) {
        m_notices << screen.lblTitle()->text() + u'|' + screen.lblText().value(0)->text();
        MsgScr::answerWith(1)(screen);
    };
    m_fakes->messageBoxAnswer = [](const StdMessageBox::Request &) { return QMessageBox::Ok; };
    m_fakes->popupMenuAnswer = [](QMenu *, QPoint) { return 4; }; // 인터넷에서 환율 받기
}

void TstFrmRateFetch::menuPreviewApply()
{
    LocalHttp::Server server([](const QString &target) { return FeedAnswers::servedDay(target); });
    ProgramEnv::Folders dirs;
    App::Program program;
    program.setEndHook([](int) {});
    ProgramEnv::writeFile(dirs.sys.filePath(QStringLiteral("rate-sources.ini")),
                          FeedAnswers::localSources(server.port()));
    ProgramEnv::writeFile(dirs.sys.filePath(QStringLiteral("registry.ini")),
                          "[SOFTWARE\\ZEVARU]\nREG_USERID=U777\nREG_FEED_KEY_EXIMBANK=k\nREG_FEED_TIMEOUT=5\n");
    ProgramEnv::writeFile(
        dirs.sys.filePath("ZEVARU.DAT"),
        ProgramEnv::confFile(QStringLiteral("sqlite"), QStringLiteral("sa"), QString(), QStringLiteral("rates.db")));
    ProgramEnv::writeFile(dirs.sys.filePath("rates.db"), QByteArray());

    FrmRate frm;
    QVERIFY(frm.Form_Load());
    frm.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frm));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fetch-check"));
        db.setDatabaseName(dirs.sys.filePath("rates.db"));
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) "
                                                  "VALUES ('2024/03/04', 1310.5, 24400, 0.0531, 'a', 'X')")));
    }

    auto *xls = frm.findChild<PicButton *>(QStringLiteral("cmdSS_MOVE_XLS"));
    QTest::mousePress(xls, Qt::RightButton);
    QTest::mouseRelease(xls, Qt::RightButton);
    FrmRateFetch *choice = frm.fetchWindow();
    QVERIFY(choice);
    QVERIFY(QTest::qWaitForWindowExposed(choice));
    QCOMPARE(choice->fromBox()->date(), QDate::currentDate()); // today unless changed
    QVERIFY(!choice->toBox()->isEnabled());
    QTest::mouseClick(choice->periodOption(), Qt::LeftButton, {}, QPoint(5, choice->periodOption()->height() / 2));
    QVERIFY(choice->toBox()->isEnabled());
    choice->fromBox()->setDate(QDate(2024, 3, 1));
    choice->toBox()->setDate(QDate(2024, 3, 4));
    QTest::mouseClick(choice->fetchButton(), Qt::LeftButton);

    FrmRateImport *w = frm.fetchedWindow();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QStringLiteral("인터넷에서 환율 받기"));
    QVERIFY(!w->headerRowBox()->isVisible()); // no mapping for a fetch
    QCOMPARE(w->countLabel()->text(), QStringLiteral("추가 1건   수정 1건   동일 0건   거부 0건   게시되지 않음 2건"));
    SpreadGrid *g = w->grid();
    QCOMPARE(g->MaxRows(), 4);
    QCOMPARE(g->GetCellText(1, SpreadGrid::FirstHeaderRow), QStringLiteral("출처"));
    const QStringList row1{g->GetCellText(1, 1), g->GetCellText(2, 1), g->GetCellText(3, 1),
                           g->GetCellText(4, 1), g->GetCellText(5, 1), g->GetCellText(6, 1)};
    QCOMPARE(row1,
             (QStringList{QStringLiteral("eximbank+vietcombank"), QStringLiteral("추가"), QStringLiteral("2024/03/01"),
                          QStringLiteral("1,385.50"), QStringLiteral("24,590"), QStringLiteral("0.056338")}));
    QCOMPARE(g->GetCellText(2, 2), QStringLiteral("게시되지 않음"));
    QCOMPARE(g->GetCellText(8, 2), QStringLiteral("주말"));
    QCOMPARE(g->GetCellText(2, 4), QStringLiteral("수정"));
    QCOMPARE(g->GetCellText(8, 4), QStringLiteral("이전 : 1,310.50 / 24,400 / 0.053100 / a"));

    QTest::mouseClick(w->newAndChangedOption(), Qt::LeftButton, {}, QPoint(5, w->newAndChangedOption()->height() / 2));
    m_notices.clear();
    QTest::mouseClick(w->applyButton(), Qt::LeftButton);
    QCOMPARE(m_notices.value(0), QStringLiteral("적용하였습니다.|데이타를 성공적으로 저장하였습니다."));
    QVERIFY(!w->isVisible());

    QSqlQuery q(QSqlDatabase::database(QStringLiteral("fetch-check")));
    QVERIFY(q.exec(QStringLiteral("SELECT STD_DATE, USD, REMARK FROM EX_RATE ORDER BY STD_DATE")));
    QStringList stored;
    while (q.next())
        stored << q.value(0).toString() + u' ' + q.value(1).toString() + u' ' + q.value(2).toString();
    QCOMPARE(stored, (QStringList{QStringLiteral("2024/03/01 1385.5 "), QStringLiteral("2024/03/04 1385.5 a")}));
    QVERIFY(
        q.exec(QStringLiteral("SELECT STD_DATE, LOG_ACTION, LOG_SOURCE, USER_CODE FROM EX_RATE_LOG ORDER BY LOG_SEQ")));
    QStringList log;
    while (q.next())
        log << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()}
                   .join(u' ');
    QCOMPARE(log,
             (QStringList{QStringLiteral("2024/03/01 I eximbank+vietcombank U777"),
                          QStringLiteral("2024/03/04 U eximbank+vietcombank U777")}));
    q = QSqlQuery();
    QSqlDatabase::removeDatabase(QStringLiteral("fetch-check"));
}

QTEST_MAIN(TstFrmRateFetch)
#include "tst_frmratefetch.moc"
