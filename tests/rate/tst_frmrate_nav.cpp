// The rate window's navigator buttons on a real SQLite database: export, find and graph act only on
// a query result, the right button shows the sizing and graph menus, a new choice acts at once.

#include "app/clsmain.h"
#include "app/confcodec.h"
#include "find/frmssfind.h"
#include "graph/frmssgraph.h"
#include "gridnav/ssexport.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/controls/btnbutton.h"
#include "platform/controls/cfloat.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/ddate.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/stdmessagebox.h"
#include "rate/frmrate.h"
#include "rate/ratelistwindow.h"
#include "winui/popupmenu.h"
#include "winui/tooltip.h"

#include "../common/dbtestenv.h"
#include "../common/programenv.h"
#include "../common/scrollbarparts.h"

#include "../common/fakeservices.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using ProgramEnv::writeFile;

QByteArray confFile(const QString &server, const QString &database)
{
    return ProgramEnv::confFile(server, QStringLiteral("sa"), QString(), database);
}

bool focusInGrid(const SpreadGrid *grid)
{
    const QWidget *w = QApplication::focusWidget();
    return w && (w == grid || grid->isAncestorOf(w));
}

} // namespace

class TstFrmRateNav : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void beforeQueryOnlyFocus_data();
    void beforeQueryOnlyFocus();
    void graphLeftClickBeforeMenuUse();
    void graphMenuChoiceOpensGraph();
    void findOpensOnQueryResult();
    void exportProposesCaption();
    void refreshMenu_data();
    void refreshMenu();
    void rowClickFillsThePanel_data();
    void summaryScrollTakesTheGrid();
    void rowClickFillsThePanel();
    void dataMenu_data();
    void dataMenu();

private:
    void query();
    PicButton *button(const char *name) const;

    QTemporaryDir *m_odbc = nullptr;
    std::unique_ptr<ProgramEnv::Folders> m_dirs;
    std::unique_ptr<App::Program> m_program;
    FrmRate *m_frm = nullptr;
    QStringList m_notices;
    QList<SaveFileRequest> m_requests;
    int m_menuPick = 0;
    QList<QList<bool>> m_menuEnabled;
};

void TstFrmRateNav::initTestCase()
{
    QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    m_odbc = new QTemporaryDir;
    DbTestEnv::writeOdbcConfig(m_odbc->path(), {});
    MsgScr::answerHook() = [this](FrmMsgScr &screen) {
        m_notices << screen.lblTitle()->text();
        MsgScr::answerWith(1)(screen);
    };
    m_fakes->messageBoxAnswer = [](const StdMessageBox::Request &) { return QMessageBox::Ok; };
    m_fakes->exportFileDialog = [this](const SaveFileRequest &r) {
        m_requests << r;
        return std::optional<QString>(); // Cancel
    };
    m_fakes->popupMenuAnswer = [this](QMenu *menu, QPoint) {
        QList<bool> enabled;
        for (QAction *a : menu->actions())
            if (a->data().toInt() > 0)
                enabled << a->isEnabled();
        m_menuEnabled << enabled;
        return m_menuPick;
    };
}

void TstFrmRateNav::cleanupTestCase()
{
    m_fakes.reset();
    m_fakes->exportFileDialog = nullptr;
    delete m_odbc;
}

void TstFrmRateNav::init()
{
    m_dirs = std::make_unique<ProgramEnv::Folders>();
    m_program = std::make_unique<App::Program>();
    m_program->setEndHook([](int) {});
    writeFile(m_dirs->sys.filePath("ZEVARU.DAT"), confFile(QStringLiteral("sqlite"), QStringLiteral("rates.db")));
    writeFile(m_dirs->sys.filePath("rates.db"), QByteArray());
    m_notices.clear();
    m_requests.clear();
    m_menuEnabled.clear();
    m_menuPick = 0;
    m_frm = new FrmRate;
    QVERIFY(m_frm->Form_Load());
    m_frm->show();
    m_frm->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(m_frm));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("nav-check"));
    db.setDatabaseName(m_dirs->sys.filePath("rates.db"));
    QVERIFY(db.open());
    QSqlQuery q(db);
    const char *rows[] = {"('2024/03/04', 1310.5, 24400, 0.0531, 'a', 'X')",
                          "('2024/03/05', 1320.25, 24500, 0.0539, '', 'X')",
                          "('2024/03/06', 1330, 24600, 0.0541, 'c', 'X')"};
    for (const char *r : rows)
        QVERIFY2(q.exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES ")
                        + QString::fromLatin1(r)),
                 qPrintable(q.lastError().text()));
}

void TstFrmRateNav::cleanup()
{
    delete m_frm;
    m_frm = nullptr;
    m_program.reset();
    QSqlDatabase::removeDatabase(QStringLiteral("nav-check"));
    m_dirs.reset();
}

void TstFrmRateNav::query()
{
    m_frm->txtFM_DATE()->setValue(QStringLiteral("2024/03/01"));
    m_frm->txtTO_DATE()->setValue(QStringLiteral("2024/03/31"));
    QTest::mouseClick(m_frm->btnQuery(), Qt::LeftButton);
    QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
    QCOMPARE(m_frm->SS()->MaxRows(), 3);
    m_notices.clear();
    m_frm->activateWindow(); // the wait notice had the activation
    QVERIFY(QTest::qWaitForWindowActive(m_frm));
    m_frm->txtFM_DATE()->setFocus();
}

PicButton *TstFrmRateNav::button(const char *name) const
{
    return m_frm->findChild<PicButton *>(QString::fromLatin1(name));
}

void TstFrmRateNav::beforeQueryOnlyFocus_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("graph") << "cmdSS_MOVE_GRP";
    QTest::newRow("find") << "cmdSS_MOVE_FND";
    QTest::newRow("export") << "cmdSS_MOVE_XLS";
}

void TstFrmRateNav::beforeQueryOnlyFocus()
{
    QFETCH(QString, name);
    PicButton *b = button(name.toLatin1().constData());
    QVERIFY(b);
    m_frm->txtFM_DATE()->setFocus();
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!m_frm->graphWindow());
    QVERIFY(!m_frm->findWindow());
    QVERIFY(m_requests.isEmpty());
    QVERIFY(m_notices.isEmpty());
    QTRY_VERIFY(focusInGrid(m_frm->SS()));
}

void TstFrmRateNav::graphLeftClickBeforeMenuUse()
{
    query();
    QCOMPARE(ControlInfo::tag(button("cmdSS_MOVE_GRP")), QStringLiteral("1"));
    QTest::mouseClick(button("cmdSS_MOVE_GRP"), Qt::LeftButton);
    QVERIFY(m_frm->graphWindow());
    QVERIFY(m_frm->graphWindow()->isVisible());
    // value column 1: the dates are no numbers, so no item is drawn from them
    QCOMPARE(m_frm->graphWindow()->dataSet().GraphCount, 0);
    QVERIFY(m_menuEnabled.isEmpty());
}

void TstFrmRateNav::graphMenuChoiceOpensGraph()
{
    query();
    m_menuPick = 1; // 일자 별 미달러
    QTest::mousePress(button("cmdSS_MOVE_GRP"), Qt::RightButton);
    QTest::mouseRelease(button("cmdSS_MOVE_GRP"), Qt::RightButton);
    QCOMPARE(m_menuEnabled.size(), 1);
    QCOMPARE(ControlInfo::tag(button("cmdSS_MOVE_GRP")), QStringLiteral("2"));
    FrmSSGraph *graph = m_frm->graphWindow();
    QVERIFY(graph);
    QVERIFY(graph->isVisible());
    const GraphDataSet &data = graph->dataSet();
    QCOMPARE(data.GraphCount, 3);
    QCOMPARE(data.GraphLabels,
             QStringList({QStringLiteral("2024/03/04"), QStringLiteral("2024/03/05"), QStringLiteral("2024/03/06")}));
    QCOMPARE(data.GraphValues, QVector<double>({1310.5, 1320.25, 1330}));

    // dismissing the menu leaves the graph as it is and opens nothing new
    m_menuPick = 0;
    QTest::mousePress(button("cmdSS_MOVE_GRP"), Qt::RightButton);
    QCOMPARE(ControlInfo::tag(button("cmdSS_MOVE_GRP")), QStringLiteral("2"));
    QCOMPARE(m_frm->graphWindow(), graph);
}

void TstFrmRateNav::findOpensOnQueryResult()
{
    query();
    QTest::mouseClick(button("cmdSS_MOVE_FND"), Qt::LeftButton);
    FrmSSFind *find = m_frm->findWindow();
    QVERIFY(find);
    QVERIFY(find->isVisible());
    QCOMPARE(find->SSFind_SS(), m_frm->SS());
}

void TstFrmRateNav::exportProposesCaption()
{
    query();
    QTest::mouseClick(button("cmdSS_MOVE_XLS"), Qt::LeftButton);
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests[0].fileName,
             QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(" 환율관리 프로그램"));
    QVERIFY(m_notices.isEmpty()); // cancelled in the dialog: nothing said
    QTRY_VERIFY(focusInGrid(m_frm->SS()));
}

void TstFrmRateNav::refreshMenu_data()
{
    QTest::addColumn<bool>("queried");
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("tag");
    QTest::newRow("outside query: item 2 greyed, mode 3") << false << 3 << "3";
    QTest::newRow("query result: text fit") << true << 2 << "2";
    QTest::newRow("same mode: nothing") << true << 1 << "1";
}

void TstFrmRateNav::refreshMenu()
{
    QFETCH(bool, queried);
    QFETCH(int, pick);
    QFETCH(QString, tag);
    if (queried)
        query();
    SpreadGrid *ss = m_frm->SS();
    // a width of the user's own, which only a re-sizing undoes
    ss->setColWidth(1, 25);
    m_menuPick = pick;
    QTest::mousePress(button("cmdSS_MOVE_REF"), Qt::RightButton);
    QCOMPARE(m_menuEnabled.size(), 1);
    QCOMPARE(m_menuEnabled[0], QList<bool>({true, queried, true, true}));
    QCOMPARE(ControlInfo::tag(button("cmdSS_MOVE_REF")), tag);
    if (pick == 1) {
        // the same mode chosen again changes nothing; the left click re-sizes in the mode held
        QCOMPARE(ss->ColWidth(1), 25.0);
        QTest::mouseClick(button("cmdSS_MOVE_REF"), Qt::LeftButton);
        QVERIFY(ss->ColWidth(1) != 25.0);
        QTRY_VERIFY(focusInGrid(ss));
        return;
    }
    if (tag == u"3")
        QCOMPARE(ss->ColWidth(1), 10.0); // the definition width
    else
        QVERIFY(qAbs(ss->ColWidth(1) - (ss->MaxTextWidth(1) + 0.5)) < 0.2);
    QVERIFY(button("cmdSS_MOVE_REF")->isEnabled());
}

void TstFrmRateNav::rowClickFillsThePanel_data()
{
    QTest::addColumn<int>("row"); // 4: the empty space under the last row
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("usd");
    QTest::newRow("first row") << 1 << 1 << "2024/03/04"
                               << "1310.50";
    QTest::newRow("last row, remark cell") << 3 << 5 << "2024/03/06"
                                           << "1330.00";
    QTest::newRow("below the last row") << 4 << 2 << ""
                                        << "0.00";
}

void TstFrmRateNav::rowClickFillsThePanel()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, day);
    QFETCH(QString, usd);
    query();
    // a day of its own in the panel, so that a click that copies nothing leaves it
    const QString before = m_frm->txtSTD_DATE()->value();
    QTableView *view = m_frm->SS()->view();
    QRect cell = view->visualRect(m_frm->SS()->cellModel()->index(std::min(row, 3) - 1, col - 1));
    if (row > 3)
        cell.translate(0, cell.height() * (row - 3));
    QVERIFY(view->viewport()->rect().contains(cell.center()));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(m_frm->txtSTD_DATE()->value(), day.isEmpty() ? before : day);
    QCOMPARE(m_frm->txtUSD()->text().remove(u','), usd);
}

void TstFrmRateNav::summaryScrollTakesTheGrid()
{
    query();
    // a small window, the columns at their design widths: the summary line carries the bar
    m_frm->resize(560, 420);
    m_menuPick = 3; // 기준 크기로 정렬
    QTest::mousePress(button("cmdSS_MOVE_REF"), Qt::RightButton);
    QTest::mouseRelease(button("cmdSS_MOVE_REF"), Qt::RightButton);
    QCOMPARE(ControlInfo::tag(button("cmdSS_MOVE_REF")), QStringLiteral("3"));
    QScrollBar *bar = m_frm->SS_SUM()->view()->horizontalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->maximum() >= 3);
    const QRect right = ScrollBarParts::rect(bar, QStyle::SC_ScrollBarAddLine);
    QVERIFY(!right.isEmpty());
    for (int k = 1; k <= bar->maximum() + 1; ++k) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, right.center());
        QCOMPARE(m_frm->SS_SUM()->FirstVisibleCol(), std::min(k, bar->maximum()) + 1);
        // the grid takes the same first column: the averages stay under their headers
        QCOMPARE(m_frm->SS()->FirstVisibleCol(), m_frm->SS_SUM()->FirstVisibleCol());
        QCOMPARE(m_frm->SS()->view()->horizontalHeader()->offset(),
                 m_frm->SS_SUM()->view()->horizontalHeader()->offset());
    }
}

void TstFrmRateNav::dataMenu_data()
{
    QTest::addColumn<bool>("queried");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("dialogs"); // save dialogs the choice opened
    QTest::addColumn<bool>("checked"); // the check window opened
    QTest::newRow("outside query: export greyed") << false << 1 << 0 << false;
    QTest::newRow("query result: export") << true << 1 << 1 << false;
    QTest::newRow("dismissed") << true << 0 << 0 << false;
    QTest::newRow("outside query: check greyed") << false << 3 << 0 << false;
    QTest::newRow("query result: missing days and jumps") << true << 3 << 0 << true;
}

void TstFrmRateNav::dataMenu()
{
    QFETCH(bool, queried);
    QFETCH(int, pick);
    QFETCH(int, dialogs);
    QFETCH(bool, checked);
    if (queried)
        query();
    QCOMPARE(m_frm->gridInfo().Tips[3]->TipText(),
             QStringLiteral("엑셀 형식으로 파일 저장\r\n좌클릭 : 엑셀로 내보내기\r\n우클릭 : 메뉴표시"));
    m_menuPick = pick;
    QTest::mousePress(button("cmdSS_MOVE_XLS"), Qt::RightButton);
    QTest::mouseRelease(button("cmdSS_MOVE_XLS"), Qt::RightButton);
    QCOMPARE(m_menuEnabled.size(), 1);
    QCOMPARE(m_menuEnabled[0].value(0), queried);
    QCOMPARE(m_menuEnabled[0].value(2), queried);
    QCOMPARE(m_requests.size(), dialogs);
    QCOMPARE(m_frm->checkWindow() && m_frm->checkWindow()->isVisible(), checked);
    if (checked) // the query's rows of March: its weekdays without a row
        QCOMPARE(m_frm->checkWindow()->rowCount(), 21 - 3);
    // the left click stays the export alone: no menu
    QTest::mouseClick(button("cmdSS_MOVE_XLS"), Qt::LeftButton);
    QCOMPARE(m_menuEnabled.size(), 1);
}

QTEST_MAIN(TstFrmRateNav)
#include "tst_frmrate_nav.moc"
