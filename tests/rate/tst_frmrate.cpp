// The main window end to end on a real database (SQLite, and PostgreSQL when the test server
// runs): start-up defaults, save as insert then update, query with averages and statistics,
// the grid click, delete, clear, the refusals of bad input, and the window's geometry and keys.

#include "app/clsmain.h"
#include "app/confcodec.h"
#include "gridnav/ss_move_info.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/controls/btnbutton.h"
#include "platform/controls/cfloat.h"
#include "platform/controls/ddate.h"
#include "platform/controls/pictoggle.h"
#include "platform/controls/xpanel.h"
#include "platform/db/dataaccess.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/stdmessagebox.h"
#include "platform/win/twips.h"
#include "rate/frmrate.h"
#include "rate/ratelistwindow.h"
#include "winui/tipwindow.h"
#include "winui/tooltip.h"

#include "../common/dbtestenv.h"
#include "../common/programenv.h"

#include "../common/fakeservices.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using ProgramEnv::writeFile;

QByteArray confFile(const QString &server, const QString &database, const QString &user = QStringLiteral("sa"))
{
    return ProgramEnv::confFile(server, user, QString(), database);
}

const QString Today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));

} // namespace

class TstFrmRate : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void backendWorkflow_data();
    void backendWorkflow();
    void backendBadRowsFromOtherPrograms_data();
    void backendBadRowsFromOtherPrograms();
    void backendCounts_data();
    void backendCounts();
    void backendFailedQuery_data();
    void backendFailedQuery();

    void clicksDuringQueryAreDropped();
    void rowTheBoxesCannotHold();
    void rowWithAnotherProgramsDay();
    void twelveDigitWonShownAsStored();
    void hugeAndNonFiniteRates();
    void pastedRemark_data();
    void pastedRemark();
    void startDefaults();
    void badInputSendsNothing();
    void periodNoticeKeepsGrid();
    void clickOnlyInQueryMode();
    void enterWalksTabOrder_data();
    void enterWalksTabOrder();
    void altKeyReachesNoBox();
    void emptyQueryLeavesLineBoxesEmpty();
    void collapseAndExpand();
    void widerWindow();
    void alignToggle();
    void jumpQuestionAtSave_data();
    void jumpQuestionAtSave();
    void userCodeStoredAsWritten_data();
    void userCodeStoredAsWritten();
    void historyWindowOnRightPress();
    void checkWindowListsFindings();
    void noticeWithoutHistoryTable();

private:
    bool startWindow(const QString &backend);
    QSqlDatabase check();
    void exec(const QString &sql);
    int count(const QString &where = {});
    void setDay(const QString &date, const QString &usd, const QString &vnd, const QString &krw, const QString &remark);
    void setPeriod(const QString &from, const QString &to);
    // A person's click on a control of the window, and on a cell of the grid.
    void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    void clickCell(int col, int row);

    QTemporaryDir *m_odbc = nullptr;
    std::unique_ptr<ProgramEnv::Folders> m_dirs;
    std::unique_ptr<App::Program> m_program;
    FrmRate *m_frm = nullptr;
    QString m_backend;
    QStringList m_notices; // headlines of the message screens answered
    QStringList m_texts; // their body lines, joined by CR LF
    qint32 m_answer = 4; // what a Yes/No question is answered with (3 예, 4 아니오)
    QList<StdMessageBox::Request> m_boxes;
};

void TstFrmRate::initTestCase()
{
    QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    m_odbc = new QTemporaryDir;
    DbTestEnv::writeOdbcConfig(m_odbc->path(), {});
    MsgScr::answerHook() = [this](FrmMsgScr &screen) {
        m_notices << screen.lblTitle()->text();
        QStringList lines;
        for (const QLabel *label : screen.lblText())
            lines << label->text();
        m_texts << lines.join(QStringLiteral("\r\n"));
        // a question is answered with the mouse on its 예 or 아니오 button
        if (screen.cmdClose(2)->isVisible()) {
            QTest::mouseClick(screen.cmdClose(m_answer == 3 ? 2 : 3), Qt::LeftButton);
            return;
        }
        MsgScr::answerWith(1)(screen);
    };
    m_fakes->messageBoxAnswer = [this](const StdMessageBox::Request &r) {
        m_boxes << r;
        return QMessageBox::Ok;
    };
}

void TstFrmRate::cleanupTestCase()
{
    m_fakes.reset();
    delete m_odbc;
}

void TstFrmRate::init()
{
    m_dirs = std::make_unique<ProgramEnv::Folders>();
    m_program = std::make_unique<App::Program>();
    m_program->setEndHook([](int) {});
    m_notices.clear();
    m_texts.clear();
    m_answer = 4;
    m_boxes.clear();
    m_fakes->popupMenuAnswer = nullptr; // a test that opens a menu picks its item itself
}

void TstFrmRate::cleanup()
{
    delete m_frm;
    m_frm = nullptr;
    m_program.reset();
    for (const QString &name : QSqlDatabase::connectionNames())
        if (name.startsWith(QStringLiteral("check-")))
            QSqlDatabase::removeDatabase(name);
    m_dirs.reset();
}

bool TstFrmRate::startWindow(const QString &backend)
{
    m_backend = backend;
    if (backend == u"pgsql") {
        const QString problem = DbTestEnv::pgProblem();
        if (!problem.isEmpty()) {
            if (DbTestEnv::requirePg())
                qFatal("PostgreSQL required: %s", qPrintable(problem));
            return false;
        }
        const QString fresh = DbTestEnv::freshPgDatabase(QStringLiteral("zz_frmrate"));
        if (!fresh.isEmpty())
            qFatal("PostgreSQL database: %s", qPrintable(fresh));
        const DbTestEnv::Pg pg;
        writeFile(
            m_dirs->sys.filePath("ZEVARU.DAT"),
            confFile(QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port), QStringLiteral("zz_frmrate"), pg.user));
    } else {
        writeFile(m_dirs->sys.filePath("ZEVARU.DAT"), confFile(QStringLiteral("sqlite"), QStringLiteral("rates.db")));
        writeFile(m_dirs->sys.filePath("rates.db"), QByteArray()); // the program opens, never creates, its file
    }
    m_frm = new FrmRate;
    if (!m_frm->Form_Load())
        qFatal("the window did not start: %s", qPrintable(m_boxes.isEmpty() ? QString() : m_boxes.last().text));
    m_frm->show();
    return true;
}

QSqlDatabase TstFrmRate::check()
{
    const QString name = QStringLiteral("check-") + m_backend;
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db;
    if (m_backend == u"pgsql") {
        const DbTestEnv::Pg pg;
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(pg.host);
        db.setPort(pg.port);
        db.setUserName(pg.user);
        db.setDatabaseName(QStringLiteral("zz_frmrate"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(m_dirs->sys.filePath("rates.db"));
    }
    if (!db.open())
        qFatal("check connection: %s", qPrintable(db.lastError().text()));
    return db;
}

void TstFrmRate::exec(const QString &sql)
{
    QSqlQuery q(check());
    if (!q.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

int TstFrmRate::count(const QString &where)
{
    QSqlQuery q(check());
    q.exec(QStringLiteral("SELECT COUNT(*) FROM EX_RATE")
           + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    return q.next() ? q.value(0).toInt() : -1;
}

void TstFrmRate::setDay(const QString &date, const QString &usd, const QString &vnd, const QString &krw,
                        const QString &remark)
{
    m_frm->txtSTD_DATE()->setValue(date);
    m_frm->txtUSD()->setValue(usd);
    m_frm->txtVND()->setValue(vnd);
    m_frm->txtKRW()->setValue(krw);
    m_frm->txtREMARK()->setText(remark);
}

void TstFrmRate::setPeriod(const QString &from, const QString &to)
{
    m_frm->txtFM_DATE()->setValue(from);
    m_frm->txtTO_DATE()->setValue(to);
}

void TstFrmRate::clickCell(int col, int row)
{
    QTableView *view = m_frm->SS()->view();
    const QModelIndex cell = m_frm->SS()->cellModel()->index(row - 1, col - 1);
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
}

void TstFrmRate::backendWorkflow_data()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << "sqlite";
    QTest::newRow("postgresql") << "pgsql";
}

void TstFrmRate::backendWorkflow()
{
    QFETCH(QString, backend);
    if (!startWindow(backend))
        QSKIP("no PostgreSQL server (scripts/test.sh starts one)");
    const QString remark = QStringLiteral("it's 환율 -- ; DROP TABLE EX_RATE; '");

    // a new day is inserted with the user code
    setDay(QStringLiteral("2024/03/05"), QStringLiteral("1320.5"), QStringLiteral("24500"), QStringLiteral("0.053912"),
           remark);
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QCOMPARE(m_notices, QStringList{QStringLiteral("저장하였습니다.")});
    QSqlQuery q(check());
    QVERIFY(q.exec(QStringLiteral("SELECT USD, VND, KRW, REMARK, INS_SCODE, INS_DATE FROM EX_RATE "
                                  "WHERE STD_DATE = '2024/03/05'")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), 1320.5);
    QCOMPARE(q.value(1).toDouble(), 24500.0);
    QCOMPARE(q.value(2).toDouble(), 0.053912);
    QCOMPARE(q.value(3).toString(), remark);
    QCOMPARE(q.value(4).toString(), QStringLiteral("U777"));
    const QString firstStamp = q.value(5).toString();
    QVERIFY(!firstStamp.isEmpty());
    q.finish();

    // the same day again is an update; the user code stays, the stamp is refreshed
    exec(QStringLiteral("UPDATE EX_RATE SET INS_SCODE = 'OTHER' WHERE STD_DATE = '2024/03/05'"));
    QTest::qWait(20);
    m_frm->txtUSD()->setValue(QStringLiteral("1333.26"));
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QCOMPARE(m_notices.last(), QStringLiteral("수정하였습니다."));
    QCOMPARE(count(), 1);
    QVERIFY(q.exec(QStringLiteral("SELECT USD, INS_SCODE, INS_DATE FROM EX_RATE WHERE STD_DATE = '2024/03/05'")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), 1333.26);
    QCOMPARE(q.value(1).toString(), QStringLiteral("OTHER"));
    QVERIFY(q.value(2).toString() >= firstStamp);
    q.finish();

    // a one-day query: one row, averages equal the row, one record and one line
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) "
                        "VALUES ('2024/04/01', 1300, 24000, 0.05, '', 'X')"));
    setPeriod(QStringLiteral("2024/03/05"), QStringLiteral("2024/03/05"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    QCOMPARE(m_frm->SS()->MaxRows(), 1);
    QCOMPARE(m_frm->SS()->GetCellText(1, 1), QStringLiteral("2024/03/05"));
    QCOMPARE(m_frm->SS()->GetCellText(2, 1), QStringLiteral("1,333.26"));
    QCOMPARE(m_frm->SS()->GetCellText(5, 1), remark);
    QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), QStringLiteral("1,333.26"));
    QCOMPARE(m_frm->SS_SUM()->GetCellText(3, 1), QStringLiteral("24,500"));
    QCOMPARE(m_frm->SS_SUM()->GetCellText(4, 1), QStringLiteral("0.053912"));
    const QString stats = m_frm->gridInfo().Tips[0]->TipText();
    QVERIFY2(stats.contains(QStringLiteral("레코드수 : 1 건 (라인수 : 1 라인)")), qPrintable(stats));
    QVERIFY(stats.startsWith(QStringLiteral("조회기간 : 2024/03/05 ~ 2024/03/05\r\n")));
    QCOMPARE(m_frm->gridInfo().Tips[0]->Title(), QStringLiteral("조회정보"));

    // averages over two rows; the click copies the whole row whatever the column
    setPeriod(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/30"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->SS()->MaxRows(), 2);
    QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), QStringLiteral("1,316.63"));
    int row = m_frm->SS()->SearchCol(1, 0, 2, QStringLiteral("2024/03/05"), 4);
    QVERIFY(row > 0);
    click(m_frm->btnClear());
    QCOMPARE(m_frm->SS()->MaxRows(), 1);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("추가"));
    setPeriod(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/30"));
    click(m_frm->btnQuery());
    row = m_frm->SS()->SearchCol(1, 0, 2, QStringLiteral("2024/03/05"), 4);
    clickCell(5, row);
    QCOMPARE(m_frm->txtSTD_DATE()->value(), QStringLiteral("2024/03/05"));
    QCOMPARE(m_frm->txtUSD()->value().toDouble(), 1333.26);
    QCOMPARE(m_frm->txtVND()->value().toDouble(), 24500.0);
    QCOMPARE(m_frm->txtKRW()->value().toDouble(), 0.053912);
    QCOMPARE(m_frm->txtREMARK()->text(), remark.trimmed());

    // delete in query mode: row gone, the grid queried again over the same period
    m_notices.clear();
    QTest::mouseClick(m_frm->btnDelete(), Qt::LeftButton);
    QCOMPARE(m_notices.value(0), QStringLiteral("삭제 하였습니다."));
    QCOMPARE(count(QStringLiteral("STD_DATE = '2024/03/05'")), 0);
    QCOMPARE(m_frm->SS()->MaxRows(), 1);
    QCOMPARE(m_frm->SS()->GetCellText(1, 1), QStringLiteral("2024/04/01"));
    QCOMPARE(m_frm->txtSTD_DATE()->value(), QStringLiteral("2024/03/05")); // the panel keeps the day

    // deleting it again: nothing to delete, no transaction started
    QStringList calls;
    m_frm->dataAccess()->setCallLog(&calls);
    QTest::mouseClick(m_frm->btnDelete(), Qt::LeftButton);
    m_frm->dataAccess()->setCallLog(nullptr);
    QCOMPARE(m_notices.last(), QStringLiteral("데이타가 없습니다."));
    QVERIFY(!calls.contains(QStringLiteral("BeginTrans")));
    QVERIFY(m_boxes.isEmpty());

    // a period without rows: one empty line, the notice, tip "없음", back to adding
    setPeriod(QStringLiteral("1999/01/01"), QStringLiteral("1999/12/31"));
    click(m_frm->btnQuery());
    QCOMPARE(m_notices.last(), QStringLiteral("조회된 데이타가 없습니다."));
    QCOMPARE(m_frm->SS()->MaxRows(), 1);
    QCOMPARE(m_frm->SS()->GetCellText(1, 1), QString());
    QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), QString());
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("추가"));
    QCOMPARE(m_frm->gridInfo().Tips[0]->TipText(), QStringLiteral("없음"));
}

void TstFrmRate::backendBadRowsFromOtherPrograms_data()
{
    backendWorkflow_data();
}

void TstFrmRate::backendBadRowsFromOtherPrograms()
{
    QFETCH(QString, backend);
    if (!startWindow(backend))
        QSKIP("no PostgreSQL server (scripts/test.sh starts one)");
    // rates left empty or written as text by another program do not stop the query halfway
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/01', NULL, 24000, 0.05, NULL)"));
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/02', 1300, NULL, 0.07, 'b')"));
    if (backend == u"sqlite")
        exec(QStringLiteral(
            "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/03', 'abc', 'x', '', 'c')"));
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/31"));
    click(m_frm->btnQuery());
    QVERIFY(m_boxes.isEmpty());
    const int rows = backend == u"sqlite" ? 3 : 2;
    QCOMPARE(m_frm->SS()->MaxRows(), rows);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    const int nullRow = m_frm->SS()->SearchCol(1, 0, rows, QStringLiteral("2024/01/01"), 4);
    QCOMPARE(m_frm->SS()->GetCellText(2, nullRow), QString());
    // the missing rates count as 0 in the sums
    QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), rows == 3 ? QStringLiteral("433.33") : QStringLiteral("650.00"));
}

void TstFrmRate::backendCounts_data()
{
    backendWorkflow_data();
}

void TstFrmRate::backendCounts()
{
    QFETCH(QString, backend);
    if (!startWindow(backend))
        QSKIP("no PostgreSQL server (scripts/test.sh starts one)");
    QSqlDatabase db = check();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES (?, ?, ?, ?, '')"));
    QDate day(2020, 1, 1);
    for (int i = 0; i < 1234; ++i, day = day.addDays(1)) {
        q.bindValue(0, day.toString(QStringLiteral("yyyy/MM/dd")));
        q.bindValue(1, 1000 + i);
        q.bindValue(2, 20000);
        q.bindValue(3, 0.05);
        QVERIFY(q.exec());
    }
    db.commit();
    setPeriod(QStringLiteral("2020/01/01"), QStringLiteral("2024/12/31"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->SS()->MaxRows(), 1234);
    QVERIFY(m_frm->gridInfo().Tips[0]->TipText().contains(QStringLiteral("레코드수 : 1,234 건 (라인수 : 1,234 라인)")));
    QCOMPARE(m_frm->gridInfo().txtMax->text(), QStringLiteral("1,234"));

    // a narrower period empties both grids before its rows arrive
    setPeriod(QStringLiteral("2020/01/01"), QStringLiteral("2020/01/03"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->SS()->MaxRows(), 3);
    QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), QStringLiteral("1,001.00"));
}

void TstFrmRate::clicksDuringQueryAreDropped()
{
    // a century of days; while the wait notice of a query is up, clicks on 조회 and then on 초기화
    // come 30 ms apart: none of them may start a command inside the running query
    startWindow(QStringLiteral("sqlite"));
    QSqlDatabase db = check();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES (?, ?, 20000, 0.05, '')"));
    QDate day(1930, 1, 1);
    for (int i = 0; i < 36525; ++i, day = day.addDays(1)) {
        q.bindValue(0, day.toString(QStringLiteral("yyyy/MM/dd")));
        q.bindValue(1, 1000 + i % 100);
        QVERIFY(q.exec());
    }
    db.commit();
    setPeriod(QStringLiteral("1930/01/01"), QStringLiteral("2029/12/31"));

    QList<QWidget *> stray;
    for (int i = 0; i < 20; ++i)
        stray << m_frm->btnQuery();
    for (int i = 0; i < 20; ++i)
        stray << m_frm->btnClear();
    qsizetype sent = 0;
    QTimer pace;
    pace.setInterval(30);
    connect(&pace, &QTimer::timeout, this, [&] {
        if (sent < stray.size() && MsgScr::current())
            click(stray[sent++]);
    });
    pace.start();
    // the clicks land where the query lets events through; query again until all were made
    for (int round = 0; round < 100 && sent < stray.size(); ++round) {
        click(m_frm->btnQuery());
        QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
        QCOMPARE(m_frm->SS()->MaxRows(), 36525);
        QCOMPARE(m_frm->SS()->GetCellText(1, 1), QStringLiteral("1930/01/01"));
        QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), QStringLiteral("1,049.47"));
        QCOMPARE(m_frm->SS_SUM()->GetCellText(3, 1), QStringLiteral("20,000"));
        QVERIFY(m_frm->gridInfo().Tips[0]->TipText().contains(
            QStringLiteral("레코드수 : 36,525 건 (라인수 : 36,525 라인)")));
        QCOMPARE(m_frm->txtFM_DATE()->value(), QStringLiteral("1930/01/01"));
    }
    QCOMPARE(sent, stray.size());
}

void TstFrmRate::rowTheBoxesCannotHold()
{
    // a day whose dollar rate has more integer digits than the box takes never lends the panel
    // another day's rates, so a save cannot write them over it
    startWindow(QStringLiteral("sqlite"));
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/02', 1300, 24000, 0.05, 'a')"));
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/03', 1e13, 25000, 0.06, 'b')"));
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/31"));
    click(m_frm->btnQuery());
    clickCell(1, 1);
    QCOMPARE(m_frm->txtUSD()->value(), QStringLiteral("1300.00"));
    clickCell(1, 2);
    QCOMPARE(m_notices.last(), QStringLiteral("환율을 확인하십시오."));
    QCOMPARE(m_frm->txtSTD_DATE()->value(), QStringLiteral("2024/01/02"));
    QCOMPARE(m_frm->txtUSD()->value(), QStringLiteral("1300.00"));
    QCOMPARE(m_frm->txtVND()->value(), QStringLiteral("24000"));
    QCOMPARE(m_frm->txtREMARK()->text(), QStringLiteral("a"));
    click(m_frm->btnSave());
    QSqlQuery q(check());
    QVERIFY(q.exec(QStringLiteral("SELECT USD, VND FROM EX_RATE WHERE STD_DATE = '2024/01/03'")) && q.next());
    QCOMPARE(q.value(0).toDouble(), 1e13);
    QCOMPARE(q.value(1).toDouble(), 25000.0);
}

void TstFrmRate::rowWithAnotherProgramsDay()
{
    // a day another program wrote in another form fills nothing: the rates of that row never sit
    // under the previous day, where a save would write them
    startWindow(QStringLiteral("sqlite"));
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES "
                        "('2026/12/16', 1300, 24000, 0.05, 'a'), ('2026/12/17x', 1400, 25000, 0.06, 'b')"));
    setPeriod(QStringLiteral("2026/12/01"), QStringLiteral("2026/12/31"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->SS()->MaxRows(), 2);
    clickCell(2, m_frm->SS()->SearchCol(1, 0, 2, QStringLiteral("2026/12/16"), 4));
    m_notices.clear();
    clickCell(3, m_frm->SS()->SearchCol(1, 0, 2, QStringLiteral("2026/12/17x"), 4));
    QCOMPARE(m_notices, QStringList{QStringLiteral("조회일자를 확인하십시오.")});
    QVERIFY2(m_texts.last().startsWith(QStringLiteral("기준일이 입력되지 않았거나, 잘못 입력되었습니다.\r\n")),
             qPrintable(m_texts.last()));
    QCOMPARE(m_frm->txtSTD_DATE()->value(), QStringLiteral("2026/12/16"));
    QCOMPARE(m_frm->txtUSD()->value(), QStringLiteral("1300.00"));
    QCOMPARE(m_frm->txtREMARK()->text(), QStringLiteral("a"));
    click(m_frm->btnSave());
    QSqlQuery q(check());
    QVERIFY(q.exec(QStringLiteral("SELECT USD, REMARK FROM EX_RATE WHERE STD_DATE = '2026/12/16'")) && q.next());
    QCOMPARE(q.value(0).toDouble(), 1300.0);
    QCOMPARE(q.value(1).toString(), QStringLiteral("a"));
}

void TstFrmRate::twelveDigitWonShownAsStored()
{
    // the stored decimal, not a double's tail past its 15th digit
    startWindow(QStringLiteral("sqlite"));
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES "
                        "('2024/01/02', 999999999999.99, 999999999999, 999999999999, ''), "
                        "('2024/01/03', 1300, 24000, 123456789012.123, '')"));
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/31"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->SS()->GetCellText(2, 1), QStringLiteral("999,999,999,999.99"));
    QCOMPARE(m_frm->SS()->GetCellText(4, 1), QStringLiteral("999,999,999,999.000000"));
    QCOMPARE(m_frm->SS()->GetCellText(4, 2), QStringLiteral("123,456,789,012.123000"));
    clickCell(1, 1);
    QCOMPARE(m_frm->txtKRW()->text(), QStringLiteral("999,999,999,999.000000"));
}

void TstFrmRate::hugeAndNonFiniteRates()
{
    // large stored rates show in full; inf and nan (a real's overflow, or text another program
    // wrote) show empty and count 0 in the averages, as other text does
    startWindow(QStringLiteral("sqlite"));
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES "
                        "('2024/01/02', 1e13, 1e15, 1e20, 'a'), "
                        "('2024/01/03', 2e13, 1.5e308, 'Infinity', 'b'), "
                        "('2024/01/04', 9e999, 1.5e308, 'NaN', 'c'), "
                        "('2024/01/05', '-Inf', 'inf', 2e20, 'd')"));
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/31"));
    click(m_frm->btnQuery());
    SpreadGrid *ss = m_frm->SS();
    QCOMPARE(ss->MaxRows(), 4);
    QCOMPARE(ss->GetCellText(2, 1), QStringLiteral("10,000,000,000,000.00"));
    QCOMPARE(ss->GetCellText(3, 1), QStringLiteral("1,000,000,000,000,000"));
    QCOMPARE(ss->GetCellText(4, 1), QStringLiteral("100,000,000,000,000,000,000.000000"));
    QCOMPARE(ss->GetCellText(2, 2), QStringLiteral("20,000,000,000,000.00"));
    const QString huge = ss->GetCellText(3, 2); // every digit of the double, grouped
    QCOMPARE(huge.size(), 309 + 102);
    QCOMPARE(QString(huge).remove(QLatin1Char(',')).toDouble(), 1.5e308);
    for (const auto &[col, row] : {std::pair{4, 2}, {2, 3}, {4, 3}, {2, 4}, {3, 4}})
        QCOMPARE(ss->GetCellText(col, row), QString());
    QCOMPARE(ss->GetCellText(4, 4), QStringLiteral("200,000,000,000,000,000,000.000000"));
    // averages over the 4 rows; the dong sum passes the largest double on its way
    QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), QStringLiteral("7,500,000,000,000.00"));
    bool ok = false;
    const double vnd = m_frm->SS_SUM()->GetCellText(3, 1).remove(QLatin1Char(',')).toDouble(&ok);
    QVERIFY(ok && qFuzzyCompare(vnd, 7.5e307));
    QCOMPARE(m_frm->SS_SUM()->GetCellText(4, 1), QStringLiteral("75,000,000,000,000,000,000.000000"));
}

void TstFrmRate::pastedRemark_data()
{
    QTest::addColumn<QString>("remark");
    QTest::addColumn<QString>("refusal"); // a line of the notice; empty: saved as pasted
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("101 emoji: 101 characters") << emoji.repeated(101) << QString();
    QTest::newRow("200 emoji") << emoji.repeated(200) << QString();
    QTest::newRow("201 emoji") << emoji.repeated(201) << QStringLiteral("현재 201자가 입력되어 있습니다.");
    QTest::newRow("NUL inside") << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b")
                                << QStringLiteral("비고에 NUL 문자(U+0000)가 들어 있습니다.");
}

void TstFrmRate::pastedRemark()
{
    QFETCH(QString, remark);
    QFETCH(QString, refusal);
    startWindow(QStringLiteral("sqlite"));
    setDay(QStringLiteral("2024/01/02"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString());
    QApplication::clipboard()->setText(remark);
    m_frm->txtREMARK()->setFocus();
    QTest::keyClick(m_frm->txtREMARK(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_frm->txtREMARK()->text(), remark);
    click(m_frm->btnSave());
    if (refusal.isEmpty()) {
        QCOMPARE(m_notices.last(), QStringLiteral("저장하였습니다."));
        QSqlQuery q(check());
        QVERIFY(q.exec(QStringLiteral("SELECT REMARK FROM EX_RATE")) && q.next());
        QCOMPARE(q.value(0).toString(), remark);
    } else {
        QCOMPARE(m_notices.last(), QStringLiteral("비고를 확인하십시오."));
        QVERIFY2(m_texts.last().split(QStringLiteral("\r\n")).contains(refusal), qPrintable(m_texts.last()));
        QCOMPARE(count(), 0);
    }
}

void TstFrmRate::backendFailedQuery_data()
{
    backendWorkflow_data();
}

void TstFrmRate::backendFailedQuery()
{
    QFETCH(QString, backend);
    if (!startWindow(backend))
        QSKIP("no PostgreSQL server (scripts/test.sh starts one)");
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/02', 1300, 24000, 0.05, 'a')"));
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/31"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    QCOMPARE(m_frm->SS_SUM()->GetCellText(2, 1), QStringLiteral("1,300.00"));

    const QString lastStats = m_frm->gridInfo().Tips[0]->TipText();
    QVERIFY(lastStats.contains(QStringLiteral("레코드수 : 1 건")));

    // the table taken away under the running program: the failed read is said so, the grid stays
    // empty, and the tip still describes the last query that did read
    exec(QStringLiteral("ALTER TABLE EX_RATE RENAME TO EX_RATE_AWAY"));
    click(m_frm->btnQuery());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().title, QStringLiteral("자료 관리"));
    // a sentence in the user's language first, then what the database said
    const QStringList lines = m_boxes.first().text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.first(), QStringLiteral("조회중 에러가 발생하여 실행하지 못했습니다."));
    QVERIFY2(lines.last().contains(QStringLiteral("ex_rate"), Qt::CaseInsensitive), qPrintable(lines.last()));
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("추가"));
    QCOMPARE(m_frm->SS()->MaxRows(), 0);
    for (int col = 2; col <= 4; ++col)
        QCOMPARE(m_frm->SS_SUM()->GetCellText(col, 1), QString());
    QCOMPARE(m_frm->gridInfo().Tips[0]->TipText(), lastStats);
    QVERIFY(m_frm->SS()->Redraw());
    QVERIFY(!m_frm->dataAccess()->isQueryOpen());
    QVERIFY(!m_notices.contains(QStringLiteral("조회된 데이타가 없습니다."))); // not passed off as an empty period

    // with the table back, the same window queries again
    exec(QStringLiteral("ALTER TABLE EX_RATE_AWAY RENAME TO EX_RATE"));
    click(m_frm->btnQuery());
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    QCOMPARE(m_frm->SS()->GetCellText(5, 1), QStringLiteral("a"));
    QVERIFY(m_frm->gridInfo().Tips[0]->TipText().contains(QStringLiteral("레코드수 : 1 건")));
}

void TstFrmRate::startDefaults()
{
    startWindow(QStringLiteral("sqlite"));
    QCOMPARE(m_frm->windowTitle(), QStringLiteral("환율관리 프로그램"));
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("추가"));
    for (dDate *d : {m_frm->txtSTD_DATE(), m_frm->txtFM_DATE(), m_frm->txtTO_DATE()})
        QCOMPARE(d->value(), Today);
    QCOMPARE(m_frm->txtUSD()->text(), QStringLiteral("0.00"));
    QCOMPARE(m_frm->txtVND()->text(), QStringLiteral("0"));
    QCOMPARE(m_frm->txtKRW()->text(), QStringLiteral("0.000000"));
    QCOMPARE(m_frm->txtREMARK()->text(), QString());
    QCOMPARE(m_frm->SS()->MaxRows(), 1);
    QCOMPARE(m_frm->gridInfo().Tips[0]->TipText(), QStringLiteral("없음"));
    QCOMPARE(m_frm->gridInfo().txtNow->text(), QStringLiteral("1"));
    QCOMPARE(m_frm->SS()->GetCellText(2, -1000), QStringLiteral("미달러"));
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_notices.isEmpty());
}

void TstFrmRate::badInputSendsNothing()
{
    startWindow(QStringLiteral("sqlite"));
    QStringList calls;
    m_frm->dataAccess()->setCallLog(&calls);

    setDay(QStringLiteral("2023/02/30"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString());
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QTest::mouseClick(m_frm->btnDelete(), Qt::LeftButton);
    QCOMPARE(m_notices,
             (QStringList{QStringLiteral("조회일자를 확인하십시오."), QStringLiteral("조회일자를 확인하십시오.")}));

    // a remark longer than the column is refused, never cut
    setDay(QStringLiteral("2024/01/02"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
           QString(201, u'가'));
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QCOMPARE(m_notices.last(), QStringLiteral("비고를 확인하십시오."));
    QVERIFY(calls.isEmpty());
    QCOMPARE(count(), 0);

    // a rate below zero is refused in each of the three boxes, whichever holds it
    const QStringList negative[] = {{"-1250.5", "1", "1"}, {"1", "-1", "1"}, {"1", "1", "-0.000001"}};
    for (const QStringList &r : negative) {
        setDay(QStringLiteral("2024/01/02"), r[0], r[1], r[2], QString());
        QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
        QCOMPARE(m_notices.last(), QStringLiteral("환율을 확인하십시오."));
    }
    QVERIFY(calls.isEmpty());
    QCOMPARE(count(), 0);
    setDay(QStringLiteral("2024/01/02"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString());

    // rates that are not numbers never reach a statement: the box keeps its last good value
    QVERIFY(!m_frm->txtUSD()->setValue(QStringLiteral("12a4")));
    QVERIFY(!m_frm->txtVND()->setValue(QStringLiteral("99999999999999999999")));
    m_frm->txtREMARK()->setText(QString(200, u'가'));
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QCOMPARE(m_notices.last(), QStringLiteral("저장하였습니다."));
    QSqlQuery q(check());
    QVERIFY(q.exec(QStringLiteral("SELECT USD, VND, REMARK FROM EX_RATE")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toDouble(), 1.0);
    QCOMPARE(q.value(1).toDouble(), 1.0);
    QCOMPARE(q.value(2).toString().size(), 200);
}

void TstFrmRate::periodNoticeKeepsGrid()
{
    startWindow(QStringLiteral("sqlite"));
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW) VALUES ('2000/01/15', 1, 2, 3)"));
    setPeriod(QStringLiteral("2000/01/01"), QStringLiteral("2000/01/31"));
    click(m_frm->btnQuery());
    QCOMPARE(m_frm->SS()->MaxRows(), 1);
    setPeriod(QStringLiteral("2000/02/01"), QStringLiteral("2000/01/31"));
    click(m_frm->btnQuery());
    QCOMPARE(m_notices.last(), QStringLiteral("조회일자를 확인하십시오."));
    QCOMPARE(m_frm->SS()->GetCellText(1, 1), QStringLiteral("2000/01/15"));
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
}

void TstFrmRate::clickOnlyInQueryMode()
{
    startWindow(QStringLiteral("sqlite"));
    m_frm->SS()->SetCellText(1, 1, QStringLiteral("2024/01/01"));
    m_frm->SS()->SetCellText(2, 1, 1234.5);
    clickCell(1, 1);
    QCOMPARE(m_frm->txtSTD_DATE()->value(), Today);
    QCOMPARE(m_frm->txtUSD()->value().toDouble(), 0.0);
}

void TstFrmRate::enterWalksTabOrder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    const int ret = Qt::Key_Return, enter = Qt::Key_Enter, tab = Qt::Key_Tab;
    QTest::newRow("day, Enter: dollar") << "txtSTD_DATE" << ret << "txtUSD";
    QTest::newRow("dollar, Enter: dong") << "txtUSD" << ret << "txtVND";
    QTest::newRow("dong, keypad Enter: won") << "txtVND" << enter << "txtKRW";
    QTest::newRow("won, Tab: remark") << "txtKRW" << tab << "txtREMARK";
    QTest::newRow("remark, Enter: period from") << "txtREMARK" << ret << "txtFM_DATE";
    QTest::newRow("period from, Enter: period to") << "txtFM_DATE" << ret << "txtTO_DATE";
    QTest::newRow("period to, Enter: grid") << "txtTO_DATE" << ret << "SS";
    QTest::newRow("period to, Tab: grid") << "txtTO_DATE" << tab << "SS";
    QTest::newRow("period to, keypad Enter: grid") << "txtTO_DATE" << enter << "SS";
    // Enter in the grid keeps its own meaning
    QTest::newRow("grid, Enter: stays") << "SS" << ret << "SS";
}

void TstFrmRate::enterWalksTabOrder()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    startWindow(QStringLiteral("sqlite"));
    m_frm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frm));
    auto *start = m_frm->findChild<QWidget *>(from);
    QVERIFY(start);
    QWidget *target = start;
    if (auto *grid = qobject_cast<SpreadGrid *>(start))
        target = grid->view()->viewport();
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(start == QApplication::focusWidget() || start->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    auto *expected = m_frm->findChild<QWidget *>(to);
    QWidget *now = QApplication::focusWidget();
    QVERIFY2(now == expected || expected->isAncestorOf(now),
             qPrintable(QStringLiteral("focus on %1").arg(now ? now->objectName() : QStringLiteral("nothing"))));
}

void TstFrmRate::altKeyReachesNoBox()
{
    startWindow(QStringLiteral("sqlite"));
    m_frm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frm));
    QTest::mouseClick(m_frm->txtREMARK(), Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
    // Alt+X goes to the key dispatcher, which has no command for it; the box gets no "x"
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("c"));
    QCOMPARE(m_frm->txtREMARK()->text(), QStringLiteral("abc"));
    QVERIFY(m_notices.isEmpty());
    QVERIFY(m_boxes.isEmpty());
}

void TstFrmRate::emptyQueryLeavesLineBoxesEmpty()
{
    startWindow(QStringLiteral("sqlite"));
    m_frm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frm));
    setPeriod(QStringLiteral("1999/01/01"), QStringLiteral("1999/12/31"));
    QTest::mouseClick(m_frm->btnQuery(), Qt::LeftButton);
    QCOMPARE(m_notices, QStringList{QStringLiteral("조회된 데이타가 없습니다.")});
    QCOMPARE(m_frm->SS()->MaxRows(), 1);
    QCOMPARE(m_frm->gridInfo().txtNow->text(), QString());
    QCOMPARE(m_frm->gridInfo().txtMax->text(), QString());
    QVERIFY(!m_frm->gridInfo().cmd1Dn->isEnabled());
    QVERIFY(!m_frm->gridInfo().sclMove->isEnabled());
}

void TstFrmRate::collapseAndExpand()
{
    startWindow(QStringLiteral("sqlite"));
    const double panelHeight = Twips::height(m_frm->xPanel1());
    const double openHeight = Twips::height(m_frm->xPanel2());
    QCOMPARE(Twips::top(m_frm->xPanel2()), panelHeight + 90);
    click(m_frm->optTOP_UpDown()[1]);
    QVERIFY(!m_frm->xPanel1()->isVisible());
    QCOMPARE(Twips::top(m_frm->xPanel2()), 45.0);
    QCOMPARE(Twips::height(m_frm->xPanel2()), openHeight + panelHeight + 45);
    QVERIFY(m_frm->optTOP_UpDown()[0]->isEnabled());
    QVERIFY(!m_frm->optTOP_UpDown()[1]->isEnabled());
    QVERIFY(!m_frm->optTOP_UpDown1()[0]->isEnabled());
    click(m_frm->optTOP_UpDown()[0]);
    QVERIFY(m_frm->xPanel1()->isVisible());
    QVERIFY(m_frm->fmeTOP_BACK()->isVisible());
    QCOMPARE(Twips::height(m_frm->xPanel1()), panelHeight);
    QCOMPARE(Twips::top(m_frm->xPanel2()), panelHeight + 90);
    QCOMPARE(Twips::height(m_frm->xPanel2()), openHeight);
}

void TstFrmRate::widerWindow()
{
    startWindow(QStringLiteral("sqlite"));
    const double panel = Twips::width(m_frm->xPanel1());
    const double grid = Twips::width(m_frm->SS());
    Twips::resize(m_frm, Twips::width(m_frm) + 1005, Twips::height(m_frm));
    QCOMPARE(Twips::width(m_frm->xPanel1()), panel + 1005);
    QCOMPARE(Twips::width(m_frm->xPanel2()), panel + 1005);
    QCOMPARE(Twips::width(m_frm->SS()), grid + 1005);
    // the toggles stand 105 twips inside the top panel's right edge (to the pixel)
    const QWidget *collapse = m_frm->optTOP_UpDown()[1];
    const int panelRight = m_frm->xPanel1()->geometry().right();
    QCOMPARE(panelRight - collapse->geometry().right(), Twips::toPixels(105));
    QCOMPARE(m_frm->optTOP_UpDown()[0]->geometry().right() + 1, collapse->x());
    QCOMPARE(m_frm->optTOP_UpDown1()[0]->geometry().right() + 1, m_frm->optTOP_UpDown()[0]->x());
    // sizing mode 1: the columns end flush with the grid's right edge after the resize as well
    QVERIFY(m_frm->SS()->ColWidth(5) > 0);
}

void TstFrmRate::alignToggle()
{
    startWindow(QStringLiteral("sqlite"));
    click(m_frm->optTOP_UpDown1()[0]);
    QVERIFY(m_frm->CenterFrame());
    QCOMPARE(Twips::toPixels(Twips::left(m_frm->fmeTOP_BACK())),
             Twips::toPixels((Twips::width(m_frm->xPanel1()) - Twips::width(m_frm->fmeTOP_BACK())) / 2));
    QVERIFY(m_frm->optTOP_UpDown1()[1]->isVisibleTo(m_frm));
    QVERIFY(!m_frm->optTOP_UpDown1()[0]->isVisibleTo(m_frm));
    click(m_frm->optTOP_UpDown1()[1]);
    QVERIFY(!m_frm->CenterFrame());
    QCOMPARE(Twips::left(m_frm->fmeTOP_BACK()), 135.0);
    QVERIFY(m_frm->optTOP_UpDown1()[0]->isVisibleTo(m_frm));
    QVERIFY(!m_frm->optTOP_UpDown1()[1]->isVisibleTo(m_frm));
}

void TstFrmRate::userCodeStoredAsWritten_data()
{
    QTest::addColumn<QByteArray>("registry");
    QTest::addColumn<QString>("code");
    const QByteArray head = "[SOFTWARE\\ZEVARU]\n";
    QTest::newRow("comma") << head + "REG_USERID=AB,CD\n"
                           << "AB,CD";
    QTest::newRow("semicolon") << head + "REG_USERID=A;B\n"
                               << "A;B";
    QTest::newRow("backslash") << head + "REG_USERID=A\\B\n"
                               << "A\\B";
    QTest::newRow("quotes") << head + "REG_USERID=\"Q\"'s\n"
                            << "\"Q\"'s";
    QTest::newRow("UTF-8") << head + "REG_USERID=caf\xC3\xA9\n" << QStringLiteral("café");
    QTest::newRow("UTF-8 with BOM, CR LF")
        << QByteArray("\xEF\xBB\xBF[SOFTWARE\\ZEVARU]\r\nREG_USERID=홍길동\r\n") << QStringLiteral("홍길동");
    QTest::newRow("names in other letter case") << QByteArray("[Software\\zevaru]\nreg_userid=low\n") << "low";
    QTest::newRow("spaces around") << head + "REG_USERID =  U 1  \n"
                                   << "U 1";
    const QByteArray full = head + "REG_USERID=BIG\n;";
    QTest::newRow("64 KiB file") << full + QByteArray(64 * 1024 - full.size() - 1, 'x') + "\n"
                                 << "BIG";
}

void TstFrmRate::userCodeStoredAsWritten()
{
    QFETCH(QByteArray, registry);
    QFETCH(QString, code);
    writeFile(m_dirs->sys.filePath("registry.ini"), registry);
    startWindow(QStringLiteral("sqlite"));
    setDay(QStringLiteral("2024/03/05"), QStringLiteral("1320.5"), QStringLiteral("24500"), QStringLiteral("0.05"),
           QString());
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QCOMPARE(m_notices, QStringList{QStringLiteral("저장하였습니다.")});
    QSqlQuery q(check());
    QVERIFY(q.exec(QStringLiteral("SELECT INS_SCODE FROM EX_RATE WHERE STD_DATE = '2024/03/05'")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), code);
}

void TstFrmRate::jumpQuestionAtSave_data()
{
    QTest::addColumn<QString>("registry"); // extra registry.ini lines, from line 3 on
    QTest::addColumn<QStringList>("stored"); // "day|usd|vnd|krw|remark"
    QTest::addColumn<QString>("day");
    QTest::addColumn<QStringList>("rates"); // usd, vnd, krw, remark
    QTest::addColumn<qint32>("answer");
    QTest::addColumn<QString>("settings"); // the notice of unusable settings; empty: none
    QTest::addColumn<QString>("question"); // empty: none asked
    QTest::addColumn<QString>("focus"); // the box holding the focus after 아니오
    QTest::addColumn<int>(
        "reads"); // OpenQuery of the save: neighbours, the day's check, the history and source-column probes
    QTest::addColumn<bool>("saved");

    const QString again = QStringLiteral("\r\n그래도 저장하시겠습니까?");
    // 2024/01/03 between them is a holiday: no reference
    const QStringList around{"2024/01/02|1000|20000|0.05|", "2024/01/03|0|0|0|신정 휴일",
                             "2024/01/05|1000|20000|0.05|"};
    const QStringList before{"2024/01/02|1000|20000|0.05|"};
    const QString usd2 = QStringLiteral("미달러 환율이 2024/01/02 의 1,000.00 보다 ");
    const QString usd5 = QStringLiteral("미달러 환율이 2024/01/05 의 1,000.00 보다 ");
    const QString badValue = QStringLiteral("\r\n  → 0 이상의 숫자(%)가 아니어서 기본값 5로 봅니다.");

    QTest::newRow("exactly the limit saves unasked")
        << "" << around << "2024/01/04" << QStringList{"1050", "20000", "0.05", ""} << 4 << ""
        << ""
        << "" << 4 << true;
    QTest::newRow("both neighbours in one question, 예 saves")
        << "" << around << "2024/01/04" << QStringList{"1102", "20000", "0.05", ""} << 3 << ""
        << usd2 + "10.2% 높습니다.\r\n" + usd5 + "10.2% 높습니다." + again << "" << 4 << true;
    QTest::newRow("every currency in one question, 아니오 keeps all")
        << "" << before << "2024/01/04" << QStringList{"900", "30000", "0.04", ""} << 4 << ""
        << usd2
            + "10.0% 낮습니다.\r\n베트남동 환율이 2024/01/02 의 20,000 보다 50.0% 높습니다.\r\n"
              "한국원화 환율이 2024/01/02 의 0.050000 보다 20.0% 낮습니다."
            + again
        << "txtUSD" << 1 << false;
    QTest::newRow("only the later day exists")
        << "" << QStringList{"2024/01/05|1000|20000|0.05|"} << "2024/01/01" << QStringList{"1000", "20000", "0.06", ""}
        << 4 << ""
        << "한국원화 환율이 2024/01/05 의 0.050000 보다 20.0% 높습니다." + again << "txtKRW" << 1 << false;
    QTest::newRow("31 days away is compared, thousands in the percentage")
        << "" << before << "2024/02/02" << QStringList{"12000", "20000", "0.05", ""} << 4 << ""
        << usd2 + "1,100.0% 높습니다." + again << "txtUSD" << 1 << false;
    QTest::newRow("32 days away is not") << "" << before << "2024/02/03" << QStringList{"5000", "20000", "0.05", ""}
                                         << 4 << ""
                                         << ""
                                         << "" << 4 << true;
    QTest::newRow("a stored zero is passed over for the day before it")
        << "" << QStringList{"2024/01/02|1000|20000|0.05|", "2024/01/03|0|20000|0.05|"} << "2024/01/04"
        << QStringList{"1200", "20000", "0.05", ""} << 4 << "" << usd2 + "20.0% 높습니다." + again << "txtUSD" << 1
        << false;
    QTest::newRow("higher than a negative neighbour is 높습니다")
        << "" << QStringList{"2024/01/02|-1000|20000|0.05|"} << "2024/01/04" << QStringList{"1000", "20000", "0.05", ""}
        << 4 << ""
        << "미달러 환율이 2024/01/02 의 -1,000.00 보다 200.0% 높습니다." + again << "txtUSD" << 1 << false;
    QTest::newRow("zero against a stored rate") << "REG_JUMP_VND=500\n"
                                                << around << "2024/01/04" << QStringList{"1000", "0", "0.05", ""} << 4
                                                << ""
                                                << "베트남동 환율이 2024/01/02 의 20,000 보다 100.0% 낮습니다.\r\n"
                                                   "베트남동 환율이 2024/01/05 의 20,000 보다 100.0% 낮습니다."
            + again << "txtVND" << 1 << false;
    QTest::newRow("a small limit shows the decimals it needs")
        << "REG_JUMP_USD=0.01\n"
        << before << "2024/01/04" << QStringList{"1000.2", "20000", "0.05", ""} << 4 << ""
        << usd2 + "0.02% 높습니다." + again << "txtUSD" << 1 << false;
    QTest::newRow("twelve-digit won as stored")
        << "" << QStringList{"2024/01/02|1000|20000|999999999999|"} << "2024/01/04"
        << QStringList{"1000", "20000", "1", ""} << 4 << ""
        << "한국원화 환율이 2024/01/02 의 999,999,999,999.000000 보다 100.0% 낮습니다." + again << "txtKRW" << 1
        << false;
    QTest::newRow("limit 0 in the registry turns it off")
        << "REG_JUMP_USD=0\n"
        << around << "2024/01/04" << QStringList{"5000", "20000", "0.05", ""} << 4 << ""
        << ""
        << "" << 4 << true;
    QTest::newRow("every limit 0: no neighbour read")
        << "REG_JUMP_USD=0\nREG_JUMP_VND=0\nREG_JUMP_KRW=0\n"
        << around << "2024/01/04" << QStringList{"5000", "1", "9", ""} << 4 << ""
        << ""
        << "" << 3 << true;
    QTest::newRow("unusable limits named once, the default used")
        << "REG_JUMP_USD=abc\nREG_JUMP_VND=-3\nREG_JUMP_KRW=1.0%\n"
        << before << "2024/01/04" << QStringList{"1102", "20000", "0.05", ""} << 3
        << "registry.ini 3번째 줄: REG_JUMP_USD=abc" + badValue + "\r\nregistry.ini 4번째 줄: REG_JUMP_VND=-3"
            + badValue + "\r\nregistry.ini 5번째 줄: REG_JUMP_KRW=1.0%" + badValue
        << usd2 + "10.2% 높습니다." + again << "" << 4 << true;
    QTest::newRow("a holiday row is not asked")
        << "" << around << "2024/01/04" << QStringList{"0", "0", "0", "휴일"} << 4 << ""
        << ""
        << "" << 3 << true;
}

void TstFrmRate::jumpQuestionAtSave()
{
    QFETCH(QString, registry);
    QFETCH(QStringList, stored);
    QFETCH(QString, day);
    QFETCH(QStringList, rates);
    QFETCH(qint32, answer);
    QFETCH(QString, settings);
    QFETCH(QString, question);
    QFETCH(QString, focus);
    QFETCH(int, reads);
    QFETCH(bool, saved);
    writeFile(m_dirs->sys.filePath("registry.ini"), ("[SOFTWARE\\ZEVARU]\nREG_USERID=U777\n" + registry).toUtf8());
    startWindow(QStringLiteral("sqlite"));
    for (const QString &row : std::as_const(stored)) {
        const QStringList f = row.split(QLatin1Char('|'));
        exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('%1', %2, %3, %4, '%5')")
                 .arg(f[0], f[1], f[2], f[3], f[4]));
    }
    setDay(day, rates[0], rates[1], rates[2], rates[3]);
    m_answer = answer;
    m_frm->activateWindow();
    QStringList calls;
    m_frm->dataAccess()->setCallLog(&calls);
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    m_frm->dataAccess()->setCallLog(nullptr);

    QStringList expected;
    if (!settings.isEmpty())
        expected << QStringLiteral("설정을 확인하십시오.");
    if (!question.isEmpty())
        expected << QStringLiteral("환율 변동을 확인하십시오.");
    if (saved)
        expected << QStringLiteral("저장하였습니다.");
    QCOMPARE(m_notices, expected);
    if (!settings.isEmpty())
        QCOMPARE(m_texts.value(0), settings);
    if (!question.isEmpty())
        QCOMPARE(m_texts.value(settings.isEmpty() ? 0 : 1), question);
    QCOMPARE(calls.count(QStringLiteral("OpenQuery")), reads);
    QCOMPARE(count(QStringLiteral("STD_DATE = '%1'").arg(day)), saved ? 1 : 0);
    QSqlQuery q(check());
    QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM EX_RATE_LOG")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), saved ? 1 : 0);
    q.finish();
    if (!focus.isEmpty()) {
        // 아니오: the panel as it was, the focus on the first rate in question
        QCOMPARE(m_frm->txtSTD_DATE()->value(), day);
        QCOMPARE(m_frm->txtUSD()->value().toDouble(), rates[0].toDouble());
        QCOMPARE(m_frm->focusWidget() ? m_frm->focusWidget()->objectName() : QString(), focus);
    }
    if (!settings.isEmpty()) {
        // once in a run: the next save only asks its question
        m_notices.clear();
        QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
        QCOMPARE(m_notices,
                 (QStringList{QStringLiteral("환율 변동을 확인하십시오."), QStringLiteral("수정하였습니다.")}));
    }
}
void TstFrmRate::historyWindowOnRightPress()
{
    startWindow(QStringLiteral("sqlite"));
    m_answer = 3;
    setDay(QStringLiteral("2024/02/01"), QStringLiteral("1300"), QStringLiteral("24000"), QStringLiteral("0.05"),
           QStringLiteral("처음"));
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    m_frm->txtUSD()->setValue(QStringLiteral("1310.5"));
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QCOMPARE(m_notices, (QStringList{QStringLiteral("저장하였습니다."), QStringLiteral("수정하였습니다.")}));

    // before a query the grid row is no day: nothing opens
    QWidget *viewport = m_frm->SS()->view()->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(20, 8));
    QVERIFY(!m_frm->logWindow());

    setPeriod(QStringLiteral("2024/02/01"), QStringLiteral("2024/02/29"));
    QTest::mouseClick(m_frm->btnQuery(), Qt::LeftButton);
    const QRect cell = m_frm->SS()->view()->visualRect(m_frm->SS()->view()->model()->index(0, 1));
    QTest::mouseClick(viewport, Qt::RightButton, {}, cell.center());
    QVERIFY(m_frm->logWindow());
    QVERIFY(m_frm->logWindow()->isVisible());
    QCOMPARE(m_frm->logWindow()->windowTitle(), QStringLiteral("변경 이력 - 2024/02/01"));
    SpreadGrid *g = m_frm->logWindow()->grid();
    QCOMPARE(m_frm->logWindow()->rowCount(), 2);
    QCOMPARE(g->GetCellText(2, 1), QStringLiteral("수정"));
    QCOMPARE(g->GetCellText(3, 1), QStringLiteral("1,300.00 → 1,310.50"));
    QCOMPARE(g->GetCellText(6, 1), QStringLiteral("U777"));
    QCOMPARE(g->GetCellText(2, 2), QStringLiteral("입력"));
    QCOMPARE(g->GetCellText(8, 2), QStringLiteral("처음"));

    // a day written by another program has no history: the notice says so, no empty list opens
    m_frm->logWindow()->hide();
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/02/02', 1301, 24000, 0.05, '')"));
    QTest::mouseClick(m_frm->btnQuery(), Qt::LeftButton);
    m_notices.clear();
    m_texts.clear();
    const QRect second = m_frm->SS()->view()->visualRect(m_frm->SS()->view()->model()->index(1, 1));
    QTest::mouseClick(viewport, Qt::RightButton, {}, second.center());
    QCOMPARE(m_notices, QStringList{QStringLiteral("변경 이력이 없습니다.")});
    QCOMPARE(m_texts.value(0).section(QStringLiteral("\r\n"), 0, 0), QStringLiteral("변경 이력이 없습니다."));
    QVERIFY(!m_frm->logWindow()->isVisible());
}

void TstFrmRate::checkWindowListsFindings()
{
    startWindow(QStringLiteral("sqlite"));
    writeFile(m_dirs->sys.filePath("holidays.txt"), "# 신정\n2024/01/01\n");
    // Monday 1st a holiday, Wednesday 3rd missing, a typo on Thursday 4th
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/02', 1166.52, 24000, 0.05, '')"));
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/04', 11665.2, 24000, 0.05, 'typo')"));
    exec(QStringLiteral(
        "INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/05', 1166.52, 24000, 0.05, '')"));
    // the check is the third item of the export button's right-click menu
    m_fakes->popupMenuAnswer = [](QMenu *, QPoint) { return 3; };
    QWidget *xls = m_frm->findChild<QWidget *>(QStringLiteral("cmdSS_MOVE_XLS"));
    QVERIFY(xls);
    const auto openCheck = [xls] {
        QTest::mousePress(xls, Qt::RightButton);
        QTest::mouseRelease(xls, Qt::RightButton);
    };
    // before a query there is no period to check
    openCheck();
    QVERIFY(!m_frm->checkWindow());
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/07"));
    QTest::mouseClick(m_frm->btnQuery(), Qt::LeftButton);
    openCheck();
    RateListWindow *w = m_frm->checkWindow();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->rowCount(), 3);
    SpreadGrid *g = w->grid();
    QStringList rows;
    for (int r = 1; r <= 3; ++r) {
        QStringList cells;
        for (int c = 1; c <= 6; ++c)
            cells << g->GetCellText(c, r);
        rows << cells.join(QLatin1Char('|'));
    }
    QCOMPARE(rows,
             (QStringList{"2024/01/03|빠진 날짜||||", "2024/01/04|급변|미달러|1,166.52|11,665.20|+900.0",
                          "2024/01/05|급변|미달러|11,665.20|1,166.52|-90.0"}));
    // a double click on a jump puts that day into the input panel
    const QRect cell = g->view()->visualRect(g->view()->model()->index(1, 1));
    // as the system delivers a double click: a click, then the second press as a double click
    QTest::mouseClick(g->view()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(g->view()->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_frm->txtSTD_DATE()->value(), QStringLiteral("2024/01/04"));
    QCOMPARE(m_frm->txtUSD()->value().toDouble(), 11665.2);
    QCOMPARE(m_frm->txtREMARK()->text(), QStringLiteral("typo"));
    // one on the missing day does not
    const QRect missing = g->view()->visualRect(g->view()->model()->index(0, 1));
    QTest::mouseClick(g->view()->viewport(), Qt::LeftButton, {}, missing.center());
    QTest::mouseDClick(g->view()->viewport(), Qt::LeftButton, {}, missing.center());
    QCOMPARE(m_frm->txtSTD_DATE()->value(), QStringLiteral("2024/01/04"));
}

void TstFrmRate::noticeWithoutHistoryTable()
{
    const QString problem = DbTestEnv::pgProblem();
    if (!problem.isEmpty()) {
        if (DbTestEnv::requirePg())
            QFAIL(qPrintable(problem));
        QSKIP("no PostgreSQL server (scripts/test.sh starts one)");
    }
    QVERIFY(DbTestEnv::freshPgDatabase(QStringLiteral("zz_frmrate")).isEmpty());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("drop-log"));
        const DbTestEnv::Pg pg;
        db.setHostName(pg.host);
        db.setPort(pg.port);
        db.setUserName(pg.user);
        db.setDatabaseName(QStringLiteral("zz_frmrate"));
        QVERIFY(db.open());
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE EX_RATE_LOG"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("drop-log"));
    const DbTestEnv::Pg pg;
    writeFile(m_dirs->sys.filePath("ZEVARU.DAT"),
              confFile(QStringLiteral("pgsql:%1:%2").arg(pg.host).arg(pg.port), QStringLiteral("zz_frmrate"), pg.user));
    m_backend = QStringLiteral("pgsql");
    m_frm = new FrmRate;
    QVERIFY(m_frm->Form_Load());
    QCOMPARE(m_notices, QStringList{QStringLiteral("변경 이력이 기록되지 않습니다.")});
    QVERIFY(m_texts.first().contains(QStringLiteral("sql/postgresql.sql")));
    // the program works as before: a save is a save, once more without a word about history
    m_frm->show();
    setDay(QStringLiteral("2024/03/05"), QStringLiteral("1300"), QStringLiteral("24000"), QStringLiteral("0.05"),
           QString());
    QTest::mouseClick(m_frm->btnSave(), Qt::LeftButton);
    QCOMPARE(m_notices.last(), QStringLiteral("저장하였습니다."));
    QCOMPARE(count(), 1);
}

QTEST_MAIN(TstFrmRate)
#include "tst_frmrate.moc"
