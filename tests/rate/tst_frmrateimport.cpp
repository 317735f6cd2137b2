// The import as a person uses it, on a real SQLite database: the right-click menu of the export
// button, the open dialog, the preview window (outcomes, counts, the apply choice), the apply with
// its re-query in "조회", a file dropped on the window, a file that cannot be read, and the mapping
// step for a file without known headers.

#include "app/clsmain.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/controls/btnbutton.h"
#include "platform/controls/ddate.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/stdmessagebox.h"
#include "rate/frmrate.h"
#include "rate/frmrateimport.h"
#include "winui/popupmenu.h"

#include "../common/dbtestenv.h"
#include "../common/programenv.h"
#include "../common/xlsxreadback.h"

#include "../common/fakeservices.h"

#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// A workbook made by tests/common/make_sheet.py.
bool makeSheet(const QString &kind, const QString &path, const QString &json)
{
    QProcess p;
    p.start(
        XlsxReadBack::python(),
        {qEnvironmentVariable("ZOZURA_SOURCE_DIR") + QStringLiteral("/tests/common/make_sheet.py"), kind, path, json});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TstFrmRateImport : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void menuPreviewApply_data();
    void menuPreviewApply();
    void droppedFileUnreadable_data();
    void droppedFileUnreadable();
    void mappingStep();
    void sheetChoice_data();
    void sheetChoice();
    void dayChangedBeforeApply();

private:
    QString day(const QString &date);
    QString writeCsv(const QString &name, const QByteArray &text);
    void drop(const QString &path);

    QTemporaryDir *m_odbc = nullptr;
    std::unique_ptr<ProgramEnv::Folders> m_dirs;
    std::unique_ptr<App::Program> m_program;
    FrmRate *m_frm = nullptr;
    QStringList m_notices; // "headline|first body line"
    QStringList m_bodies; // every body line of each, joined by LF
    QString m_file; // what the open dialog answers
    int m_menuPick = 0;
};

void TstFrmRateImport::initTestCase()
{
    QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    m_odbc = new QTemporaryDir;
    DbTestEnv::writeOdbcConfig(m_odbc->path(), {});
    MsgScr::answerHook() = [this](FrmMsgScr &screen) {
        m_notices << screen.lblTitle()->text() + u'|' + screen.lblText().value(0)->text();
        QStringList lines;
        for (const QLabel *l : screen.lblText())
            lines << l->text();
        m_bodies << lines.join(u'\n');
        MsgScr::answerWith(1)(screen);
    };
    m_fakes->messageBoxAnswer = [](const StdMessageBox::Request &) { return QMessageBox::Ok; };
    m_fakes->importFileDialog = [this] {
        return m_file.isEmpty() ? std::optional<QString>() : std::optional<QString>(m_file);
    };
    m_fakes->popupMenuAnswer = [this](QMenu *, QPoint) { return m_menuPick; };
}

void TstFrmRateImport::cleanupTestCase()
{
    m_fakes.reset();
    delete m_odbc;
}

void TstFrmRateImport::init()
{
    m_dirs = std::make_unique<ProgramEnv::Folders>();
    m_program = std::make_unique<App::Program>();
    m_program->setEndHook([](int) {});
    ProgramEnv::writeFile(
        m_dirs->sys.filePath("ZEVARU.DAT"),
        ProgramEnv::confFile(QStringLiteral("sqlite"), QStringLiteral("sa"), QString(), QStringLiteral("rates.db")));
    ProgramEnv::writeFile(m_dirs->sys.filePath("rates.db"), QByteArray());
    m_notices.clear();
    m_bodies.clear();
    m_file.clear();
    m_menuPick = 0;
    m_frm = new FrmRate;
    QVERIFY(m_frm->Form_Load());
    m_frm->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frm));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("import-check"));
    db.setDatabaseName(m_dirs->sys.filePath("rates.db"));
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("INSERT INTO EX_RATE (STD_DATE, USD, VND, KRW, REMARK, INS_SCODE) VALUES "
                                  "('2024/03/04', 1310.5, 24400, 0.0531, 'a', 'X')")));
}

void TstFrmRateImport::cleanup()
{
    delete m_frm;
    m_frm = nullptr;
    m_program.reset();
    QSqlDatabase::removeDatabase(QStringLiteral("import-check"));
    m_dirs.reset();
}

QString TstFrmRateImport::day(const QString &date)
{
    QSqlQuery q(QSqlDatabase::database(QStringLiteral("import-check")));
    q.exec(QStringLiteral("SELECT USD, REMARK, INS_SCODE FROM EX_RATE WHERE STD_DATE = '%1'").arg(date));
    return q.next() ? QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString()}.join(u'|')
                    : QString();
}

QString TstFrmRateImport::writeCsv(const QString &name, const QByteArray &text)
{
    const QString path = m_dirs->sys.filePath(name);
    ProgramEnv::writeFile(path, text);
    return path;
}

// A file dropped on the main window, as a file manager drops it.
void TstFrmRateImport::drop(const QString &path)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at = m_frm->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frm, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frm, &dropped);
    // the import starts once the drop has returned
    QTest::qWait(50);
}

void TstFrmRateImport::menuPreviewApply_data()
{
    QTest::addColumn<bool>("queried"); // the window shows a query result first
    QTest::addColumn<bool>("withChanged"); // the second choice of the window is clicked
    QTest::addColumn<QString>("day04");
    QTest::addColumn<int>("gridRows"); // rows of the grid afterwards

    QTest::newRow("new days only, 추가 mode") << false << false << "1310.5|a|X" << 1;
    QTest::newRow("new and changed, query result re-run") << true << true << "1311|a|X" << 2;
}

void TstFrmRateImport::menuPreviewApply()
{
    QFETCH(bool, queried);
    QFETCH(bool, withChanged);
    QFETCH(QString, day04);
    QFETCH(int, gridRows);
    if (queried) {
        m_frm->txtFM_DATE()->setValue(QStringLiteral("2024/03/01"));
        m_frm->txtTO_DATE()->setValue(QStringLiteral("2024/03/31"));
        QTest::mouseClick(m_frm->btnQuery(), Qt::LeftButton);
        QCOMPARE(m_frm->ScreenMode(), QStringLiteral("조회"));
        m_notices.clear();
    }
    m_file = writeCsv(QStringLiteral("bank.csv"),
                      "date,usd,vnd,krw,remark\n2024/03/04,1311,24400,0.0531,a\n"
                      "2024/03/05,1320,24500,0.0539,b\n2024/13/01,1,1,1,\n");
    m_menuPick = 2; // 파일에서 가져오기
    auto *xls = m_frm->findChild<PicButton *>(QStringLiteral("cmdSS_MOVE_XLS"));
    QTest::mousePress(xls, Qt::RightButton);
    QTest::mouseRelease(xls, Qt::RightButton);

    FrmRateImport *w = m_frm->importWindow();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->countLabel()->text(), QStringLiteral("추가 1건   수정 1건   동일 0건   거부 1건"));
    QCOMPARE(w->grid()->MaxRows(), 3);
    QCOMPARE(w->grid()->GetCellText(2, 1), QStringLiteral("수정"));
    QCOMPARE(w->grid()->GetCellText(8, 1), QStringLiteral("이전 : 1,310.50 / 24,400 / 0.053100 / a"));
    QCOMPARE(w->grid()->GetCellText(2, 3), QStringLiteral("거부"));
    QCOMPARE(w->grid()->GetCellText(8, 3), QStringLiteral("기준일이 입력되지 않았거나, 잘못 입력되었습니다."));
    if (withChanged)
        QTest::mouseClick(w->newAndChangedOption(), Qt::LeftButton, {},
                          QPoint(5, w->newAndChangedOption()->height() / 2));
    QCOMPARE(w->newAndChangedOption()->isChecked(), withChanged);
    QTest::mouseClick(w->applyButton(), Qt::LeftButton);

    QCOMPARE(m_notices.value(0), QStringLiteral("적용하였습니다.|데이타를 성공적으로 저장하였습니다."));
    // the closing words count the refused row the apply left out, as the preview did
    QVERIFY2(m_bodies.value(0).endsWith(QStringLiteral("추가 1건, 수정 %1건, 거부 1건 제외").arg(withChanged ? 1 : 0)),
             qPrintable(m_bodies.value(0)));
    QVERIFY(!w->isVisible());
    QCOMPARE(day(QStringLiteral("2024/03/05")), QStringLiteral("1320|b|U777"));
    QCOMPARE(day(QStringLiteral("2024/03/04")), day04);
    QCOMPARE(m_frm->SS()->MaxRows(), gridRows);
}

void TstFrmRateImport::droppedFileUnreadable_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("line");
    QTest::newRow("damaged archive") << QByteArray("PK\x03\x04 not really a workbook")
                                     << "파일이 손상되어 읽을 수 없습니다.";
    QTest::newRow("empty") << QByteArray() << "파일에 가져올 내용이 없습니다.";
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10)
                            << "엑셀(.xlsx, .xls) 또는 CSV 형식의 파일이 아닙니다.";
    // a small archive whose sheet would unpack to far more than any sheet
    QTemporaryDir dir;
    const QString bomb = dir.filePath(QStringLiteral("bomb.xlsx"));
    QVERIFY(makeSheet(QStringLiteral("bomb-ratio"), bomb, QStringLiteral("[]")));
    QFile f(bomb);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QTest::newRow("unpacks a thousand to one") << f.readAll()
                                               << "파일의 내용이 가져올 수 있는 한도를 넘습니다. (행 100,000개, 셀 "
                                                  "2,000,000개, 글자 50MB, 압축을 푼 크기 512MB까지)";
}

void TstFrmRateImport::droppedFileUnreadable()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, line);
    drop(writeCsv(QStringLiteral("dropped.xlsx"), content));
    QTRY_COMPARE(m_notices.size(), 1);
    QCOMPARE(m_notices[0], QStringLiteral("파일을 가져올 수 없습니다.|") + line);
    QVERIFY(!m_frm->importWindow() || !m_frm->importWindow()->isVisible());
    QCOMPARE(day(QStringLiteral("2024/03/04")), QStringLiteral("1310.5|a|X"));
}

void TstFrmRateImport::mappingStep()
{
    // no header at all: the user picks the day and the dollar columns
    drop(writeCsv(QStringLiteral("plain.csv"), "x,2024/03/06,1330,24000,0.05\ny,2024/03/07,1331,24001,0.06\n"));
    FrmRateImport *w = m_frm->importWindow();
    QVERIFY(w);
    QTRY_VERIFY(w->isVisible());
    QVERIFY(!w->mapHint()->text().isEmpty());
    QVERIFY(!w->applyButton()->isEnabled());
    QCOMPARE(w->headerRowBox()->text(), QStringLiteral("없음"));
    // the combo boxes: (없음), A열, B열, C열 - picked with the keyboard
    w->fieldBox(RateImport::FieldDate)->setFocus();
    QTest::keyClick(w->fieldBox(RateImport::FieldDate), Qt::Key_Down);
    QTest::keyClick(w->fieldBox(RateImport::FieldDate), Qt::Key_Down);
    for (int f = RateImport::FieldUsd; f <= RateImport::FieldKrw; ++f) {
        QComboBox *box = w->fieldBox(RateImport::Field(f));
        box->setFocus();
        for (int i = 0; i < f + 2; ++i) // C열, D열, E열
            QTest::keyClick(box, Qt::Key_Down);
    }
    QCOMPARE(w->fieldBox(RateImport::FieldDate)->currentText(), QStringLiteral("B열 : 2024/03/06"));
    QVERIFY(w->mapHint()->text().isEmpty());
    QCOMPARE(w->countLabel()->text(), QStringLiteral("추가 2건   수정 0건   동일 0건   거부 0건"));
    QVERIFY(w->applyButton()->isEnabled());
}

void TstFrmRateImport::sheetChoice_data()
{
    QTest::addColumn<QString>("sheets"); // make_sheet.py's JSON
    QTest::addColumn<QStringList>("choices"); // of the sheet box; none: the box is not shown
    QTest::addColumn<QString>("count"); // the preview's counts, of each choice in turn

    const QString cover = QStringLiteral(R"({"name":"표지","rows":[["환율 보고"],["은행 고시"]]})");
    const QString march = QStringLiteral(R"({"name":"3월","rows":[["date","usd","vnd","krw"],)"
                                         R"(["2024/03/04",1311,24400,0.0531],["2024/03/05",1320,24500,0.0539]]})");
    const QString april = QStringLiteral(R"({"name":"4월","rows":[["일자","미달러","베트남동","한국원화"],)"
                                         R"(["2024/04/01",1330,24600,0.054]]})");
    QTest::newRow("a cover sheet, then the table")
        << u'[' + cover + u',' + march + u']' << QStringList() << "추가 1건   수정 1건   동일 0건   거부 0건";
    QTest::newRow("two tables") << u'[' + cover + u',' + march + u',' + april + u']'
                                << QStringList{QStringLiteral("3월"), QStringLiteral("4월")}
                                << "추가 1건   수정 0건   동일 0건   거부 0건";
}

void TstFrmRateImport::sheetChoice()
{
    QFETCH(QString, sheets);
    QFETCH(QStringList, choices);
    QFETCH(QString, count);
    const QString path = m_dirs->sys.filePath(QStringLiteral("book.xlsx"));
    QVERIFY(makeSheet(QStringLiteral("openpyxl"), path, sheets));
    drop(path);
    FrmRateImport *w = m_frm->importWindow();
    QVERIFY(w);
    QTRY_VERIFY(w->isVisible());
    QCOMPARE(w->sheetBox()->isVisible(), !choices.isEmpty());
    QCOMPARE(w->grid()->GetCellText(3, 1), QStringLiteral("2024/03/04")); // the first table
    if (choices.isEmpty()) {
        QCOMPARE(w->countLabel()->text(), count);
        return;
    }
    QCOMPARE(w->sheetBox()->count(), choices.size());
    QCOMPARE(w->sheetBox()->itemText(0), choices.first());
    // the second table, chosen with the keyboard
    w->sheetBox()->setFocus();
    QTest::keyClick(w->sheetBox(), Qt::Key_Down);
    QCOMPARE(w->sheetBox()->currentText(), choices.last());
    QCOMPARE(w->countLabel()->text(), count);
    QCOMPARE(w->grid()->GetCellText(3, 1), QStringLiteral("2024/04/01"));
    QCOMPARE(w->fieldBox(RateImport::FieldUsd)->currentText(), QStringLiteral("B열 : 미달러"));
}

void TstFrmRateImport::dayChangedBeforeApply()
{
    drop(writeCsv(QStringLiteral("bank.csv"),
                  "date,usd,vnd,krw\n2024/03/04,1311,24400,0.0531\n2024/03/05,1320,24500,0.0539\n"));
    FrmRateImport *w = m_frm->importWindow();
    QVERIFY(w);
    QTRY_VERIFY(w->isVisible());
    QCOMPARE(w->countLabel()->text(), QStringLiteral("추가 1건   수정 1건   동일 0건   거부 0건"));
    // another copy of the program saves the day after the preview was made
    QVERIFY(QSqlQuery(QSqlDatabase::database(QStringLiteral("import-check")))
                .exec(QStringLiteral("UPDATE EX_RATE SET USD = 1400 WHERE STD_DATE = '2024/03/04'")));
    QTest::mouseClick(w->newAndChangedOption(), Qt::LeftButton, {}, QPoint(5, w->newAndChangedOption()->height() / 2));
    QTest::mouseClick(w->applyButton(), Qt::LeftButton);

    QCOMPARE(m_notices.value(0),
             QStringLiteral("다른 곳에서 바뀐 날짜가 있습니다.|"
                            "미리보기 후 다른 곳에서 바뀐 날짜가 있어 아무것도 저장하지 않았습니다."));
    QCOMPARE(day(QStringLiteral("2024/03/05")), QString()); // nothing written
    QCOMPARE(day(QStringLiteral("2024/03/04")), QStringLiteral("1400|a|X"));
    // the preview was made again and shows what is stored now
    QVERIFY(w->isVisible());
    QCOMPARE(w->grid()->GetCellText(8, 1), QStringLiteral("이전 : 1,400.00 / 24,400 / 0.053100 / a"));
}

QTEST_MAIN(TstFrmRateImport)
#include "tst_frmrateimport.moc"
