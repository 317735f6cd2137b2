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
#include "winui/tipwindow.h"
#include "winui/tooltip.h"

#include "../common/dbtestenv.h"
#include "../common/programenv.h"

#include <QApplication>
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

private:
    bool startWindow(const QString &backend);
    QSqlDatabase check();
    void exec(const QString &sql);
    int count(const QString &where = {});
    void setDay(const QString &date, const QString &usd, const QString &vnd, const QString &krw,
                const QString &remark);
    void setPeriod(const QString &from, const QString &to);
    // A person's click on a control of the window, and on a cell of the grid.
    void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton); }
    void clickCell(int col, int row);

    QTemporaryDir *m_odbc = nullptr;
    std::unique_ptr<ProgramEnv::Folders> m_dirs;
    FrmRate *m_frm = nullptr;
    QString m_backend;
    QStringList m_notices;             // headlines of the message screens answered
    QList<StdMessageBox::Request> m_boxes;
};

void TstFrmRate::initTestCase()
{
    QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    m_odbc = new QTemporaryDir;
    DbTestEnv::writeOdbcConfig(m_odbc->path(), {});
    sbMsgScr_SetAnswerHook([this](FrmMsgScr &screen) {
        m_notices << screen.lblTitle()->text();
        fnMsgScr_AnswerWith(1)(screen);
    });
    StdMessageBox::setAnswerHook([this](const StdMessageBox::Request &r) {
        m_boxes << r;
        return QMessageBox::Ok;
    });
    setEndProcessHook([](int) {});
}

void TstFrmRate::cleanupTestCase()
{
    sbMsgScr_SetAnswerHook({});
    StdMessageBox::setAnswerHook({});
    setEndProcessHook({});
    delete m_odbc;
}

void TstFrmRate::init()
{
    m_dirs = std::make_unique<ProgramEnv::Folders>();
    m_notices.clear();
    m_boxes.clear();
}

void TstFrmRate::cleanup()
{
    delete m_frm;
    m_frm = nullptr;
    resetProgramForTests();
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
        writeFile(m_dirs->sys.filePath("ZEVARU.DAT"),
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
    q.exec(QStringLiteral("SELECT COUNT(*) FROM EX_RATE") + (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    return q.next() ? q.value(0).toInt() : -1;
}

void TstFrmRate::setDay(const QString &date, const QString &usd, const QString &vnd, const QString &krw,
                        const QString &remark)
{
    m_frm->txtSTD_DATE->setValue(date);
    m_frm->txtUSD->setValue(usd);
    m_frm->txtVND->setValue(vnd);
    m_frm->txtKRW->setValue(krw);
    m_frm->txtREMARK->setText(remark);
}

void TstFrmRate::setPeriod(const QString &from, const QString &to)
{
    m_frm->txtFM_DATE->setValue(from);
    m_frm->txtTO_DATE->setValue(to);
}

void TstFrmRate::clickCell(int col, int row)
{
    QTableView *view = m_frm->SS->view();
    const QModelIndex cell = m_frm->SS->cellModel()->index(row - 1, col - 1);
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
    setDay(QStringLiteral("2024/03/05"), QStringLiteral("1320.5"), QStringLiteral("24500"),
           QStringLiteral("0.053912"), remark);
    click(m_frm->btnSave);
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
    m_frm->txtUSD->setValue(QStringLiteral("1333.26"));
    click(m_frm->btnSave);
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
    click(m_frm->btnQuery);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    QCOMPARE(m_frm->SS->MaxRows(), 1);
    QCOMPARE(m_frm->SS->GetCellText(1, 1), QStringLiteral("2024/03/05"));
    QCOMPARE(m_frm->SS->GetCellText(2, 1), QStringLiteral("1,333.26"));
    QCOMPARE(m_frm->SS->GetCellText(5, 1), remark);
    QCOMPARE(m_frm->SS_SUM->GetCellText(2, 1), QStringLiteral("1,333.26"));
    QCOMPARE(m_frm->SS_SUM->GetCellText(3, 1), QStringLiteral("24,500"));
    QCOMPARE(m_frm->SS_SUM->GetCellText(4, 1), QStringLiteral("0.053912"));
    const QString stats = m_frm->gridInfo().Tips[0]->TipText();
    QVERIFY2(stats.contains(QStringLiteral("레코드수 : 1 건 (라인수 : 1 라인)")), qPrintable(stats));
    QVERIFY(stats.startsWith(QStringLiteral("조회기간 : 2024/03/05 ~ 2024/03/05\r\n")));
    QCOMPARE(m_frm->gridInfo().Tips[0]->Title(), QStringLiteral("조회정보"));

    // averages over two rows; the click copies the whole row whatever the column
    setPeriod(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/30"));
    click(m_frm->btnQuery);
    QCOMPARE(m_frm->SS->MaxRows(), 2);
    QCOMPARE(m_frm->SS_SUM->GetCellText(2, 1), QStringLiteral("1,316.63"));
    int row = m_frm->SS->SearchCol(1, 0, 2, QStringLiteral("2024/03/05"), 4);
    QVERIFY(row > 0);
    click(m_frm->btnClear);
    QCOMPARE(m_frm->SS->MaxRows(), 1);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("추가"));
    setPeriod(QStringLiteral("2024/03/01"), QStringLiteral("2024/04/30"));
    click(m_frm->btnQuery);
    row = m_frm->SS->SearchCol(1, 0, 2, QStringLiteral("2024/03/05"), 4);
    clickCell(5, row);
    QCOMPARE(m_frm->txtSTD_DATE->value(), QStringLiteral("2024/03/05"));
    QCOMPARE(m_frm->txtUSD->value().toDouble(), 1333.26);
    QCOMPARE(m_frm->txtVND->value().toDouble(), 24500.0);
    QCOMPARE(m_frm->txtKRW->value().toDouble(), 0.053912);
    QCOMPARE(m_frm->txtREMARK->text(), remark.trimmed());

    // delete in query mode: row gone, the grid queried again over the same period
    m_notices.clear();
    click(m_frm->btnDelete);
    QCOMPARE(m_notices.value(0), QStringLiteral("삭제 하였습니다."));
    QCOMPARE(count(QStringLiteral("STD_DATE = '2024/03/05'")), 0);
    QCOMPARE(m_frm->SS->MaxRows(), 1);
    QCOMPARE(m_frm->SS->GetCellText(1, 1), QStringLiteral("2024/04/01"));
    QCOMPARE(m_frm->txtSTD_DATE->value(), QStringLiteral("2024/03/05")); // the panel keeps the day

    // deleting it again: nothing to delete, no transaction started
    QStringList calls;
    m_frm->dataAccess()->setCallLog(&calls);
    click(m_frm->btnDelete);
    m_frm->dataAccess()->setCallLog(nullptr);
    QCOMPARE(m_notices.last(), QStringLiteral("데이타가 없습니다."));
    QVERIFY(!calls.contains(QStringLiteral("BeginTrans")));
    QVERIFY(m_boxes.isEmpty());

    // a period without rows: one empty line, the notice, tip "없음", back to adding
    setPeriod(QStringLiteral("1999/01/01"), QStringLiteral("1999/12/31"));
    click(m_frm->btnQuery);
    QCOMPARE(m_notices.last(), QStringLiteral("조회된 데이타가 없습니다."));
    QCOMPARE(m_frm->SS->MaxRows(), 1);
    QCOMPARE(m_frm->SS->GetCellText(1, 1), QString());
    QCOMPARE(m_frm->SS_SUM->GetCellText(2, 1), QString());
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
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/01', NULL, 24000, 0.05, NULL)"));
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/02', 1300, NULL, 0.07, 'b')"));
    if (backend == u"sqlite")
        exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/03', 'abc', 'x', '', 'c')"));
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/31"));
    click(m_frm->btnQuery);
    QVERIFY(m_boxes.isEmpty());
    const int rows = backend == u"sqlite" ? 3 : 2;
    QCOMPARE(m_frm->SS->MaxRows(), rows);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    const int nullRow = m_frm->SS->SearchCol(1, 0, rows, QStringLiteral("2024/01/01"), 4);
    QCOMPARE(m_frm->SS->GetCellText(2, nullRow), QString());
    // the missing rates count as 0 in the sums
    QCOMPARE(m_frm->SS_SUM->GetCellText(2, 1), rows == 3 ? QStringLiteral("433.33") : QStringLiteral("650.00"));
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
    click(m_frm->btnQuery);
    QCOMPARE(m_frm->SS->MaxRows(), 1234);
    QVERIFY(m_frm->gridInfo().Tips[0]->TipText().contains(QStringLiteral("레코드수 : 1,234 건 (라인수 : 1,234 라인)")));
    QCOMPARE(m_frm->gridInfo().txtMax->text(), QStringLiteral("1,234"));

    // a narrower period empties both grids before its rows arrive
    setPeriod(QStringLiteral("2020/01/01"), QStringLiteral("2020/01/03"));
    click(m_frm->btnQuery);
    QCOMPARE(m_frm->SS->MaxRows(), 3);
    QCOMPARE(m_frm->SS_SUM->GetCellText(2, 1), QStringLiteral("1,001.00"));
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
    exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK) VALUES ('2024/01/02', 1300, 24000, 0.05, 'a')"));
    setPeriod(QStringLiteral("2024/01/01"), QStringLiteral("2024/01/31"));
    click(m_frm->btnQuery);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    QCOMPARE(m_frm->SS_SUM->GetCellText(2, 1), QStringLiteral("1,300.00"));

    const QString lastStats = m_frm->gridInfo().Tips[0]->TipText();
    QVERIFY(lastStats.contains(QStringLiteral("레코드수 : 1 건")));

    // the table taken away under the running program: the failed read is said so, the grid stays
    // empty, and the tip still describes the last query that did read
    exec(QStringLiteral("ALTER TABLE EX_RATE RENAME TO EX_RATE_AWAY"));
    click(m_frm->btnQuery);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes.first().title, QStringLiteral("자료 관리"));
    // a sentence in the user's language first, then what the database said
    const QStringList lines = m_boxes.first().text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.first(), QStringLiteral("조회중 에러가 발생하여 실행하지 못했습니다."));
    QVERIFY2(lines.last().contains(QStringLiteral("ex_rate"), Qt::CaseInsensitive), qPrintable(lines.last()));
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("추가"));
    QCOMPARE(m_frm->SS->MaxRows(), 0);
    for (int col = 2; col <= 4; ++col)
        QCOMPARE(m_frm->SS_SUM->GetCellText(col, 1), QString());
    QCOMPARE(m_frm->gridInfo().Tips[0]->TipText(), lastStats);
    QVERIFY(m_frm->SS->Redraw());
    QVERIFY(!m_frm->dataAccess()->isQueryOpen());
    QVERIFY(!m_notices.contains(QStringLiteral("조회된 데이타가 없습니다."))); // not passed off as an empty period

    // with the table back, the same window queries again
    exec(QStringLiteral("ALTER TABLE EX_RATE_AWAY RENAME TO EX_RATE"));
    click(m_frm->btnQuery);
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    QCOMPARE(m_frm->SS->GetCellText(5, 1), QStringLiteral("a"));
    QVERIFY(m_frm->gridInfo().Tips[0]->TipText().contains(QStringLiteral("레코드수 : 1 건")));
}

void TstFrmRate::startDefaults()
{
    startWindow(QStringLiteral("sqlite"));
    QCOMPARE(m_frm->windowTitle(), QStringLiteral("환율관리 프로그램"));
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("추가"));
    for (dDate *d : {m_frm->txtSTD_DATE, m_frm->txtFM_DATE, m_frm->txtTO_DATE})
        QCOMPARE(d->value(), Today);
    QCOMPARE(m_frm->txtUSD->text(), QStringLiteral("0.00"));
    QCOMPARE(m_frm->txtVND->text(), QStringLiteral("0"));
    QCOMPARE(m_frm->txtKRW->text(), QStringLiteral("0.000000"));
    QCOMPARE(m_frm->txtREMARK->text(), QString());
    QCOMPARE(m_frm->SS->MaxRows(), 1);
    QCOMPARE(m_frm->gridInfo().Tips[0]->TipText(), QStringLiteral("없음"));
    QCOMPARE(m_frm->gridInfo().txtNow->text(), QStringLiteral("1"));
    QCOMPARE(m_frm->SS->GetCellText(2, -1000), QStringLiteral("미달러"));
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(m_notices.isEmpty());
}

void TstFrmRate::badInputSendsNothing()
{
    startWindow(QStringLiteral("sqlite"));
    QStringList calls;
    m_frm->dataAccess()->setCallLog(&calls);

    setDay(QStringLiteral("2023/02/30"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString());
    click(m_frm->btnSave);
    click(m_frm->btnDelete);
    QCOMPARE(m_notices, (QStringList{QStringLiteral("조회일자를 확인하십시오."), QStringLiteral("조회일자를 확인하십시오.")}));

    // a remark longer than the column is refused, never cut
    setDay(QStringLiteral("2024/01/02"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString(201, u'가'));
    click(m_frm->btnSave);
    QCOMPARE(m_notices.last(), QStringLiteral("비고를 확인하십시오."));
    QVERIFY(calls.isEmpty());
    QCOMPARE(count(), 0);

    // a rate below zero is refused in each of the three boxes, whichever holds it
    const QStringList negative[] = {{"-1250.5", "1", "1"}, {"1", "-1", "1"}, {"1", "1", "-0.000001"}};
    for (const QStringList &r : negative) {
        setDay(QStringLiteral("2024/01/02"), r[0], r[1], r[2], QString());
        click(m_frm->btnSave);
        QCOMPARE(m_notices.last(), QStringLiteral("환율을 확인하십시오."));
    }
    QVERIFY(calls.isEmpty());
    QCOMPARE(count(), 0);
    setDay(QStringLiteral("2024/01/02"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QString());

    // rates that are not numbers never reach a statement: the box keeps its last good value
    QVERIFY(!m_frm->txtUSD->setValue(QStringLiteral("12a4")));
    QVERIFY(!m_frm->txtVND->setValue(QStringLiteral("99999999999999999999")));
    m_frm->txtREMARK->setText(QString(200, u'가'));
    click(m_frm->btnSave);
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
    click(m_frm->btnQuery);
    QCOMPARE(m_frm->SS->MaxRows(), 1);
    setPeriod(QStringLiteral("2000/02/01"), QStringLiteral("2000/01/31"));
    click(m_frm->btnQuery);
    QCOMPARE(m_notices.last(), QStringLiteral("조회일자를 확인하십시오."));
    QCOMPARE(m_frm->SS->GetCellText(1, 1), QStringLiteral("2000/01/15"));
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
}

void TstFrmRate::clickOnlyInQueryMode()
{
    startWindow(QStringLiteral("sqlite"));
    m_frm->SS->SetCellText(1, 1, QStringLiteral("2024/01/01"));
    m_frm->SS->SetCellText(2, 1, 1234.5);
    clickCell(1, 1);
    QCOMPARE(m_frm->txtSTD_DATE->value(), Today);
    QCOMPARE(m_frm->txtUSD->value().toDouble(), 0.0);
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
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
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
    QTest::mouseClick(m_frm->txtREMARK, Qt::LeftButton);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ab"));
    // Alt+X goes to the key dispatcher, which has no command for it; the box gets no "x"
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("c"));
    QCOMPARE(m_frm->txtREMARK->text(), QStringLiteral("abc"));
    QVERIFY(m_notices.isEmpty());
    QVERIFY(m_boxes.isEmpty());
}

void TstFrmRate::emptyQueryLeavesLineBoxesEmpty()
{
    startWindow(QStringLiteral("sqlite"));
    m_frm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frm));
    setPeriod(QStringLiteral("1999/01/01"), QStringLiteral("1999/12/31"));
    QTest::mouseClick(m_frm->btnQuery, Qt::LeftButton);
    QCOMPARE(m_notices, QStringList{QStringLiteral("조회된 데이타가 없습니다.")});
    QCOMPARE(m_frm->SS->MaxRows(), 1);
    QCOMPARE(m_frm->gridInfo().txtNow->text(), QString());
    QCOMPARE(m_frm->gridInfo().txtMax->text(), QString());
    QVERIFY(!m_frm->gridInfo().cmd1Dn->isEnabled());
    QVERIFY(!m_frm->gridInfo().sclMove->isEnabled());
}

void TstFrmRate::collapseAndExpand()
{
    startWindow(QStringLiteral("sqlite"));
    const double panelHeight = Twips::height(m_frm->xPanel1);
    const double openHeight = Twips::height(m_frm->xPanel2);
    QCOMPARE(Twips::top(m_frm->xPanel2), panelHeight + 90);
    click(m_frm->optTOP_UpDown[1]);
    QVERIFY(!m_frm->xPanel1->isVisible());
    QCOMPARE(Twips::top(m_frm->xPanel2), 45.0);
    QCOMPARE(Twips::height(m_frm->xPanel2), openHeight + panelHeight + 45);
    QVERIFY(m_frm->optTOP_UpDown[0]->isEnabled());
    QVERIFY(!m_frm->optTOP_UpDown[1]->isEnabled());
    QVERIFY(!m_frm->optTOP_UpDown1[0]->isEnabled());
    click(m_frm->optTOP_UpDown[0]);
    QVERIFY(m_frm->xPanel1->isVisible());
    QVERIFY(m_frm->fmeTOP_BACK->isVisible());
    QCOMPARE(Twips::height(m_frm->xPanel1), panelHeight);
    QCOMPARE(Twips::top(m_frm->xPanel2), panelHeight + 90);
    QCOMPARE(Twips::height(m_frm->xPanel2), openHeight);
}

void TstFrmRate::widerWindow()
{
    startWindow(QStringLiteral("sqlite"));
    const double panel = Twips::width(m_frm->xPanel1);
    const double grid = Twips::width(m_frm->SS);
    Twips::resize(m_frm, Twips::width(m_frm) + 1005, Twips::height(m_frm));
    QCOMPARE(Twips::width(m_frm->xPanel1), panel + 1005);
    QCOMPARE(Twips::width(m_frm->xPanel2), panel + 1005);
    QCOMPARE(Twips::width(m_frm->SS), grid + 1005);
    // the toggles stand 105 twips inside the top panel's right edge (to the pixel)
    const QWidget *collapse = m_frm->optTOP_UpDown[1];
    const int panelRight = m_frm->xPanel1->geometry().right();
    QCOMPARE(panelRight - collapse->geometry().right(), Twips::toPixels(105));
    QCOMPARE(m_frm->optTOP_UpDown[0]->geometry().right() + 1, collapse->x());
    QCOMPARE(m_frm->optTOP_UpDown1[0]->geometry().right() + 1, m_frm->optTOP_UpDown[0]->x());
    // sizing mode 1: the columns end flush with the grid's right edge after the resize as well
    QVERIFY(m_frm->SS->ColWidth(5) > 0);
}

void TstFrmRate::alignToggle()
{
    startWindow(QStringLiteral("sqlite"));
    click(m_frm->optTOP_UpDown1[0]);
    QVERIFY(m_frm->CenterFrame());
    QCOMPARE(Twips::toPixels(Twips::left(m_frm->fmeTOP_BACK)),
             Twips::toPixels((Twips::width(m_frm->xPanel1) - Twips::width(m_frm->fmeTOP_BACK)) / 2));
    QVERIFY(m_frm->optTOP_UpDown1[1]->isVisibleTo(m_frm));
    QVERIFY(!m_frm->optTOP_UpDown1[0]->isVisibleTo(m_frm));
    click(m_frm->optTOP_UpDown1[1]);
    QVERIFY(!m_frm->CenterFrame());
    QCOMPARE(Twips::left(m_frm->fmeTOP_BACK), 135.0);
    QVERIFY(m_frm->optTOP_UpDown1[0]->isVisibleTo(m_frm));
    QVERIFY(!m_frm->optTOP_UpDown1[1]->isVisibleTo(m_frm));
}

QTEST_MAIN(TstFrmRate)
#include "tst_frmrate.moc"
