// Export of the navigator's grid to a workbook: the dialog request, the no-data, cancel and
// empty-name paths, the overwrite question, the workbook read back with python3-openpyxl (header,
// rows, numbers as numbers, "평균" row), a failed write, a file that cannot be replaced, and the grid
// shown exactly as before in every case.

#include "../common/folderstates.h"
#include "../common/xlsxreadback.h"
#include "navtestform.h"

#include "gridnav/ssexport.h"
#include "msgscr/frmmsgscr.h"
#include "msgscr/msgscr.h"
#include "platform/spread/spreadgrid.h"

#include "../common/fakeservices.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using FolderStates::lockFolder;
using FolderStates::unlockFolder;

struct Shown
{
    QString title;
    QString text;
};

// Everything the user sees of the grid: sizes, cells with their look, merged blocks, scroll state.
QStringList snapshot(SpreadGrid *g)
{
    QStringList s;
    s << QStringLiteral("rows %1 cols %2 top %3 redraw %4 protect %5 bars %6")
             .arg(g->MaxRows())
             .arg(g->MaxCols())
             .arg(g->FirstVisibleRow())
             .arg(g->Redraw())
             .arg(g->ProtectFlag())
             .arg(g->ScrollBarMode());
    s << QStringLiteral("model rows %1").arg(g->cellModel()->rowCount());
    for (int r = 1; r <= g->MaxRows(); ++r)
        for (int c = 0; c <= g->MaxCols(); ++c) {
            g->setCol(c);
            g->setRow(r);
            s << QStringLiteral("%1,%2 %3 k%4 h%5 v%6 f%7 b%8 span%9x%10")
                     .arg(c)
                     .arg(r)
                     .arg(g->Text())
                     .arg(g->CellKind())
                     .arg(g->HAlign())
                     .arg(g->VAlign())
                     .arg(g->ForeColor())
                     .arg(g->BackColor())
                     .arg(g->view()->rowSpan(r - 1, c))
                     .arg(g->view()->columnSpan(r - 1, c));
        }
    g->setCol(1);
    g->setRow(1);
    return s;
}

} // namespace

class TstSsExport : public QObject
{
    Q_OBJECT

    FakeServices m_fakes; // the program's services, faked where a test says so

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noData_data();
    void noData();
    void proposedName_data();
    void proposedName();
    void exportReadBack();
    void exportKeepsTheView_data();
    void exportKeepsTheView();
    void cancelAndEmptyName_data();
    void cancelAndEmptyName();
    void overwrite_data();
    void overwrite();
    void unwritableFolder();
    void existingFileCannotBeReplaced();
    void fullFolder();

private:
    void answerDialogWith(std::optional<QString> file);

    QList<Shown> m_shown;
    qint32 m_answer = 1;
    QList<SaveFileRequest> m_requests;
};

void TstSsExport::initTestCase()
{
    QFont::insertSubstitution(QStringLiteral("굴림체"), QStringLiteral("NanumGothicCoding"));
    if (XlsxReadBack::python().isEmpty())
        QFAIL("python3 with openpyxl (python3-openpyxl) is needed to read the workbook back");
    MsgScr::answerHook() = [this](FrmMsgScr &screen) {
        QStringList lines;
        for (QLabel *l : screen.lblText())
            if (!l->isHidden())
                lines << l->text();
        m_shown << Shown{screen.lblTitle()->text(), lines.join(u'\n')};
        MsgScr::answerWith(m_answer)(screen);
    };
}

void TstSsExport::init()
{
    m_shown.clear();
    m_requests.clear();
    m_answer = 1;
}

void TstSsExport::cleanup()
{
    m_fakes->exportFileDialog = nullptr;
}

void TstSsExport::answerDialogWith(std::optional<QString> file)
{
    m_fakes->exportFileDialog = [this, file](const SaveFileRequest &r) {
        m_requests << r;
        return file;
    };
}

void TstSsExport::noData_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("remark"); // text put in the remark of row 1 ("" = all blank)
    QTest::addColumn<bool>("dialogShown");
    QTest::newRow("empty grid") << 0 << "" << false;
    QTest::newRow("one blank row") << 1 << "" << false;
    QTest::newRow("one row of blanks only") << 1 << "   " << false;
    QTest::newRow("one row with a remark") << 1 << "메모" << true;
}

void TstSsExport::noData()
{
    QFETCH(int, rows);
    QFETCH(QString, remark);
    QFETCH(bool, dialogShown);

    NavTestForm form;
    form.grid->setMaxRows(rows);
    if (rows > 0)
        form.grid->SetCellText(5, 1, remark);
    answerDialogWith(std::nullopt);
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);
    QCOMPARE(m_requests.size(), dialogShown ? 1 : 0);
    if (!dialogShown) {
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].title, QStringLiteral("조회된 데이타가 없습니다."));
        QCOMPARE(m_shown[0].text, QStringLiteral("저장할 데이타가 존재하지 않아 저장을 취소합니다."));
    } else {
        QVERIFY(m_shown.isEmpty()); // Cancel says nothing
    }
}

void TstSsExport::proposedName_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("expected");
    QTest::newRow("31 January 2024") << QDate(2024, 1, 31) << "환율관리 프로그램"
                                     << "20240131 환율관리 프로그램";
    QTest::newRow("leap day") << QDate(2028, 2, 29) << "X"
                              << "20280229 X";
    QTest::newRow("empty caption") << QDate(2024, 12, 1) << ""
                                   << "20241201 ";
    QTest::newRow("separators in caption") << QDate(2024, 5, 6) << "a/b\\c"
                                           << "20240506 a_b_c";
}

void TstSsExport::proposedName()
{
    QFETCH(QDate, today);
    QFETCH(QString, base);
    QFETCH(QString, expected);
    QCOMPARE(GridNav::proposedExportName(today, base), expected);
}

void TstSsExport::exportReadBack()
{
    QTemporaryDir dir;
    NavTestForm form;
    form.show();
    QAbstractItemModelTester tester(form.grid->cellModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    form.fill(40);
    // a remark that looks like the workbook's own escape
    form.grid->SetCellText(5, 1, QStringLiteral("_x0041_ and _X00e9_"));
    form.grid->setFirstVisibleRow(7);
    const QStringList before = snapshot(form.grid);

    GridNav::setLastSaveDir(QString());
    // ".xls" typed: the workbook is written and named as what it is
    const QString file = dir.filePath(QStringLiteral("out.xlsx"));
    answerDialogWith(dir.filePath(QStringLiteral("out.xls")));
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);

    QCOMPARE(m_requests.size(), 1);
    const SaveFileRequest &r = m_requests[0];
    QCOMPARE(r.title, QStringLiteral("엑셀로 내보내기"));
    QCOMPARE(r.defaultSuffix, QStringLiteral("xlsx"));
    QCOMPARE(r.filter, QStringLiteral("Excel File (*.xlsx) | *.xlsx"));
    QCOMPARE(r.fileName,
             QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(" 환율관리 프로그램"));
    QCOMPARE(r.folder, QCoreApplication::applicationDirPath() + u'/');
    QCOMPARE(GridNav::lastSaveDir(), dir.path() + u'/');

    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].title, QStringLiteral("저장하였습니다."));
    QCOMPARE(m_shown[0].text, QStringLiteral("아래 경로로 저장하였습니다.\n\n경로 : ") + file);
    QCOMPARE(snapshot(form.grid), before);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.xls"))));

    const QJsonObject book = XlsxReadBack::read(file);
    QCOMPARE(book.value("sheets").toArray().toVariantList(), QVariantList({QStringLiteral("Sheet1")}));
    QCOMPARE(book.value("maxRow").toInt(), 1 + 40 + 1);
    const QJsonObject cells = book.value("cells").toObject();
    auto cell = [&](const char *ref) { return cells.value(QLatin1String(ref)).toObject(); };
    QCOMPARE(cell("A1").value("value").toString(), QStringLiteral("일자"));
    QCOMPARE(cell("B1").value("value").toString(), QStringLiteral("미달러"));
    QCOMPARE(cell("E1").value("value").toString(), QStringLiteral("비고"));
    QCOMPARE(cell("E2").value("value").toString(), QStringLiteral("_x0041_ and _X00e9_"));
    // data rows: the date as text, the rates as numbers in the grid's formats
    QCOMPARE(cell("A2").value("value").toString(), form.grid->GetCellText(1, 1));
    QCOMPARE(cell("B2").value("type").toString(), QStringLiteral("number"));
    QCOMPARE(cell("B2").value("value").toDouble(), form.grid->GetCellText(2, 1).remove(u',').toDouble());
    QCOMPARE(cell("B2").value("format").toString(), QStringLiteral("#,##0.00"));
    QCOMPARE(cell("C41").value("type").toString(), QStringLiteral("number"));
    QCOMPARE(cell("C41").value("value").toDouble(), form.grid->GetCellText(3, 40).remove(u',').toDouble());
    QCOMPARE(cell("D41").value("value").toDouble(), form.grid->GetCellText(4, 40).toDouble());
    QCOMPARE(cell("A41").value("value").toString(), form.grid->GetCellText(1, 40));
    // the summary line, "평균" in its first cell
    QCOMPARE(cell("A42").value("value").toString(), QStringLiteral("평균"));
    QCOMPARE(cell("B42").value("value").toString(), form.sum->GetCellText(2, 1));
    QCOMPARE(cell("C42").value("value").toString(), form.sum->GetCellText(3, 1));
}

void TstSsExport::exportKeepsTheView_data()
{
    QTest::addColumn<bool>("fails");
    QTest::newRow("written") << false;
    QTest::newRow("failed after the rows went in") << true;
}

void TstSsExport::exportKeepsTheView()
{
    QFETCH(bool, fails);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    if (fails && !lockFolder(folder))
        QSKIP("this file system cannot make a folder unwritable");
    NavTestForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.fill(1200);
    // the user clicks a cell of row 13, then pages far down with the navigator
    form.grid->setFirstVisibleRow(10);
    QTableView *view = form.grid->view();
    const QModelIndex cell = form.grid->cellModel()->index(12, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
    QCOMPARE(form.grid->ActiveRow(), 13);
    form.grid->setFirstVisibleRow(1000);
    QCOMPARE(form.grid->FirstVisibleRow(), 1000);

    answerDialogWith(folder + QStringLiteral("/view.xlsx"));
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);
    if (fails)
        unlockFolder(folder);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].title, fails ? QStringLiteral("저장을 실패하였습니다.") : QStringLiteral("저장하였습니다."));
    // the grid shows the rows it showed, the active cell where it was
    QCOMPARE(form.grid->FirstVisibleRow(), 1000);
    QCOMPARE(view->rowAt(0), 999);
    QCOMPARE(form.grid->ActiveRow(), 13);
    QCOMPARE(form.grid->ActiveCol(), 2);
    QCOMPARE(form.info.txtNow->text(), QStringLiteral("1,000"));
}

void TstSsExport::cancelAndEmptyName_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancel") << true;
    QTest::newRow("empty name") << false;
}

void TstSsExport::cancelAndEmptyName()
{
    QFETCH(bool, cancel);
    NavTestForm form;
    form.fill(5);
    const QStringList before = snapshot(form.grid);
    GridNav::setLastSaveDir(QStringLiteral("/tmp/keep/"));
    answerDialogWith(cancel ? std::nullopt : std::optional<QString>(QString()));
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);
    QCOMPARE(m_requests.size(), 1);
    QCOMPARE(m_requests[0].folder, QStringLiteral("/tmp/keep/"));
    QCOMPARE(GridNav::lastSaveDir(), QStringLiteral("/tmp/keep/"));
    if (cancel) {
        QVERIFY(m_shown.isEmpty());
    } else {
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].title, QStringLiteral("작업을 취소하셨습니다."));
        QCOMPARE(m_shown[0].text, QStringLiteral("작업이 취소되거나 파일명이 정상적으로 입력되지 않았습니다."));
    }
    QCOMPARE(snapshot(form.grid), before);
}

void TstSsExport::overwrite_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("No keeps the file") << 4 << false;
    QTest::newRow("closed keeps the file") << 0 << false;
    QTest::newRow("Yes replaces it") << 3 << true;
}

void TstSsExport::overwrite()
{
    QFETCH(int, answer);
    QFETCH(bool, replaced);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("old.xlsx"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    NavTestForm form;
    form.fill(3);
    const QStringList before = snapshot(form.grid);
    m_answer = answer;
    answerDialogWith(file);
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);

    QVERIFY(!m_shown.isEmpty());
    QCOMPARE(m_shown[0].title, QStringLiteral("파일이 이미 존재합니다."));
    QCOMPARE(m_shown[0].text, QStringLiteral("파일을 덮어쓰시겠습니까?"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray content = f.readAll();
    if (replaced) {
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_shown[1].title, QStringLiteral("저장하였습니다."));
        QVERIFY(content.startsWith("PK")); // a zip container: the workbook
        QCOMPARE(XlsxReadBack::read(file).value("maxRow").toInt(), 1 + 3 + 1);
    } else {
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(content, QByteArray("old contents"));
    }
    QCOMPARE(snapshot(form.grid), before);
}

void TstSsExport::unwritableFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    if (!lockFolder(folder))
        QSKIP("this file system cannot make a folder unwritable");

    NavTestForm form;
    form.fill(12);
    form.grid->setProtectFlag(true);
    form.grid->setScrollBarMode(SpreadGrid::ScrollBarHorizontal);
    const QStringList before = snapshot(form.grid);
    answerDialogWith(folder + QStringLiteral("/new.xlsx"));
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);
    const QStringList leftOver = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    unlockFolder(folder);

    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].title, QStringLiteral("저장을 실패하였습니다."));
    QCOMPARE(m_shown[0].text, QStringLiteral("정상적으로 저장되지 않았습니다."));
    QVERIFY2(leftOver.isEmpty(), qPrintable(leftOver.join(u' ')));
    QCOMPARE(snapshot(form.grid), before);
}

void TstSsExport::fullFolder()
{
    FolderStates::FullFolder full;
    if (!full.mounted())
        QSKIP("mounting a small file system needs privileges this process lacks");
    QVERIFY(full.put(QStringLiteral("old.xlsx"), "old contents"));
    QVERIFY(full.fill());

    NavTestForm form;
    form.fill(400);
    const QStringList before = snapshot(form.grid);
    // a new file and the replacement of an old one both fail for room, and both say so
    answerDialogWith(full.filePath(QStringLiteral("new.xlsx")));
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].title, QStringLiteral("저장을 실패하였습니다."));
    QCOMPARE(full.entries(), QStringList{QStringLiteral("old.xlsx")});

    m_shown.clear();
    m_answer = 3;
    answerDialogWith(full.filePath(QStringLiteral("old.xlsx")));
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);
    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown[0].title, QStringLiteral("파일이 이미 존재합니다."));
    QCOMPARE(m_shown[1].title, QStringLiteral("저장을 실패하였습니다."));
    QCOMPARE(full.entries(), QStringList{QStringLiteral("old.xlsx")});
    QFile f(full.filePath(QStringLiteral("old.xlsx")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old contents"));
    QCOMPARE(snapshot(form.grid), before);
}

void TstSsExport::existingFileCannotBeReplaced()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/old.xlsx");
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("old contents");
    }
    if (!lockFolder(folder))
        QSKIP("this file system cannot make a folder unwritable");

    NavTestForm form;
    form.fill(4);
    const QStringList before = snapshot(form.grid);
    m_answer = 3;
    answerDialogWith(file);
    sbSS_ExportXls(form.info, QStringLiteral("환율관리 프로그램"), true);
    QFile f(file);
    const bool opened = f.open(QIODevice::ReadOnly);
    const QByteArray content = f.readAll();
    unlockFolder(folder);

    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown[1].title, QStringLiteral("오류가 발생했습니다."));
    // the system's description, then the hint on its own line
    QVERIFY2(m_shown[1].text.endsWith(QStringLiteral("\n파일이 사용중이면 닫아주십시오.")),
             qPrintable(m_shown[1].text));
    QVERIFY(m_shown[1].text.section(u'\n', 0, 0).size() > 3);
    QVERIFY(opened);
    QCOMPARE(content, QByteArray("old contents"));
    QCOMPARE(snapshot(form.grid), before);
}

QTEST_MAIN(TstSsExport)
#include "tst_ssexport.moc"
