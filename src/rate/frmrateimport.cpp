#include "rate/frmrateimport.h"

#include "rate/rateinputcheck.h"

#include "msgscr/msgscr.h"
#include "platform/controls/btnbutton.h"
#include "platform/controls/ltitle.h"
#include "platform/controls/numbertext.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/inputhold.h"
#include "platform/win/openfiledialog.h"
#include "platform/win/pointer.h"
#include "platform/win/services.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const QString CrLf = QStringLiteral("\r\n");

// grid columns
enum { ColLine = 1, ColOutcome, ColDate, ColUsd, ColVnd, ColKrw, ColRemark, ColNote, ColCount = ColNote };

// colours of the outcome cell (0x00BBGGRR)
int outcomeColour(RateImport::Outcome o)
{
    switch (o) {
    case RateImport::Outcome::Add:
        return 0xD8F5D8; // light green
    case RateImport::Outcome::Change:
        return 0xC0F0FF; // light yellow
    case RateImport::Outcome::Same:
        return 0xEEEEEE; // light grey
    case RateImport::Outcome::Refused:
        return 0xD0D0FF; // light red
    case RateImport::Outcome::Unpublished:
        return 0xF6F6F6; // paler than 동일: nothing to write
    }
    return 0xFFFFFF;
}

QString columnName(int c)
{
    QString s;
    for (int n = c + 1; n > 0; n = (n - 1) / 26)
        s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

// A plain value with the panel's thousands separators ("1310.50" -> "1,310.50").
QString shown(int index, const QString &plain)
{
    NumberText::Number n;
    if (plain.isEmpty() || NumberText::parse(plain, &n) != NumberText::Problem::None)
        return plain;
    return NumberText::format(n, RateInputCheck::rateDecimals(index), true, true);
}

} // namespace

std::optional<QString> FrmRateImport::chooseFile(QWidget *parent)
{
    if (Platform::services().importFileDialog)
        return Platform::services().importFileDialog();
    return OpenFileDialog::askOpenFile(parent, QStringLiteral("파일에서 가져오기"),
                                       QStringLiteral("환율 파일 (*.xlsx *.xls *.csv *.txt);;모든 파일 (*)"));
}

FrmRateImport::FrmRateImport(DataAccess *da, RateWriter *writer, QWidget *parent)
    : QDialog(parent)
    , m_da(da)
    , m_writer(writer)
{
    setObjectName(QStringLiteral("FrmRateImport"));
    setWindowTitle(QStringLiteral("파일에서 가져오기"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose, false);
    createControls();
}

void FrmRateImport::createControls()
{
    auto *top = new QVBoxLayout(this);
    m_fileLabel = new QLabel(this);
    m_fileLabel->setObjectName(QStringLiteral("fileLabel"));
    m_fileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(m_fileLabel);

    // the mapping step: which sheet, and which column holds which field
    auto *map = new QHBoxLayout;
    m_sheetTitle = new lTitle(QStringLiteral("시트"), this);
    map->addWidget(m_sheetTitle);
    m_sheetBox = new QComboBox(this);
    m_sheetBox->setObjectName(QStringLiteral("sheetBox"));
    map->addWidget(m_sheetBox, 1);
    m_mapWidgets << new lTitle(QStringLiteral("제목 행"), this);
    map->addWidget(m_mapWidgets.last());
    m_headerRow = new QSpinBox(this);
    m_headerRow->setObjectName(QStringLiteral("headerRowBox"));
    m_headerRow->setRange(0, 20);
    m_headerRow->setSpecialValueText(QStringLiteral("없음"));
    map->addWidget(m_headerRow);
    for (int f = 0; f < RateImport::FieldCount; ++f) {
        m_mapWidgets << new lTitle(RateImport::fieldCaption(f), this);
        map->addWidget(m_mapWidgets.last());
        m_fieldBoxes[size_t(f)] = new QComboBox(this);
        m_fieldBoxes[size_t(f)]->setObjectName(QStringLiteral("fieldBox%1").arg(f));
        map->addWidget(m_fieldBoxes[size_t(f)], 1);
    }
    top->addLayout(map);
    m_mapWidgets << m_headerRow;
    for (QComboBox *box : m_fieldBoxes)
        m_mapWidgets << box;
    m_mapHint = new QLabel(this);
    m_mapHint->setObjectName(QStringLiteral("mapHint"));
    m_mapHint->setStyleSheet(QStringLiteral("color: #C04000;"));
    top->addWidget(m_mapHint);

    m_grid = new SpreadGrid(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->setFontName(QStringLiteral("굴림체"));
    m_grid->setFontSize(9);
    m_grid->setColHeaderRows(1);
    m_grid->setMaxCols(ColCount);
    m_grid->setMaxRows(0);
    m_grid->setTextTipMode(1);
    const struct
    {
        const char *header;
        double width;
        int align;
    } cols[ColCount] = {
        {"행", 6, SpreadGrid::AlignRight},        {"결과", 5, SpreadGrid::AlignCenter},
        {"일자", 10, SpreadGrid::AlignCenter},    {"미달러", 11, SpreadGrid::AlignRight},
        {"베트남동", 11, SpreadGrid::AlignRight}, {"한국원화", 11, SpreadGrid::AlignRight},
        {"비고", 16, SpreadGrid::AlignLeft},      {"이전 값 / 사유", 44, SpreadGrid::AlignLeft},
    };
    m_grid->setColWidth(0, 4);
    for (int c = 1; c <= ColCount; ++c) {
        m_grid->SetCellText(c, SpreadGrid::FirstHeaderRow, QString::fromUtf8(cols[c - 1].header));
        m_grid->setColWidth(c, cols[c - 1].width);
        m_grid->setCol(c);
        m_grid->setRow(SpreadGrid::AllCells);
        m_grid->setCellKind(SpreadGrid::KindStaticText);
        m_grid->setHAlign(cols[c - 1].align);
        m_grid->setVAlign(2);
    }
    top->addWidget(m_grid, 1);

    auto *bottom = new QHBoxLayout;
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    bottom->addWidget(m_countLabel, 1);
    m_newOnly = new QRadioButton(QStringLiteral("새 날짜만 적용"), this);
    m_newOnly->setObjectName(QStringLiteral("newOnlyOption"));
    m_newAndChanged = new QRadioButton(QStringLiteral("새 날짜와 바뀐 날짜 적용"), this);
    m_newAndChanged->setObjectName(QStringLiteral("newAndChangedOption"));
    m_newOnly->setChecked(true);
    bottom->addWidget(m_newOnly);
    bottom->addWidget(m_newAndChanged);
    m_applyButton = new btnButton(QStringLiteral("적  용"), this);
    m_applyButton->setObjectName(QStringLiteral("applyButton"));
    m_closeButton = new btnButton(QStringLiteral("닫  기"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    for (btnButton *b : {m_applyButton, m_closeButton})
        b->setMinimumSize(82, 26);
    bottom->addWidget(m_applyButton);
    bottom->addWidget(m_closeButton);
    top->addLayout(bottom);

    connect(m_applyButton, &btnButton::Click, this, &FrmRateImport::apply);
    connect(m_closeButton, &btnButton::Click, this, &QDialog::reject);
    connect(m_sheetBox, &QComboBox::currentIndexChanged, this, &FrmRateImport::sheetChanged);
    connect(m_headerRow, &QSpinBox::valueChanged, this, &FrmRateImport::mappingChanged);
    for (QComboBox *c : m_fieldBoxes)
        connect(c, &QComboBox::currentIndexChanged, this, &FrmRateImport::mappingChanged);
    for (QRadioButton *o : {m_newOnly, m_newAndChanged})
        connect(o, &QRadioButton::toggled, this, &FrmRateImport::updateApply);
    resize(980, 600);
}

void FrmRateImport::updateApply()
{
    // something to write under the chosen scope
    int rows = 0;
    for (const RateImport::Row &r : std::as_const(m_preview.rows))
        rows += RateImport::chosen(r, scope()) ? 1 : 0;
    m_applyButton->setEnabled(rows > 0);
}

RateImport::Scope FrmRateImport::scope() const
{
    return m_newAndChanged->isChecked() ? RateImport::Scope::NewAndChanged : RateImport::Scope::NewOnly;
}

bool FrmRateImport::load(const QString &path)
{
    m_path = path;
    {
        const MsgScr::WaitNotice wait(MsgScr::Kind::Info, QStringLiteral("파일을 읽고 있습니다."),
                                      QStringLiteral("파일의 환율을 읽어 미리보기를 만들고 있습니다."),
                                      MsgScr::PointerShape::Hourglass);
        m_file = SheetReader::read(path);
    }
    if (m_file.failure != SheetReader::Failure::None) {
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("파일을 가져올 수 없습니다."),
                       RateImport::failureText(m_file.failure) + CrLf + QStringLiteral("아무것도 저장하지 않았습니다.")
                           + CrLf + CrLf + QStringLiteral("경로 : ") + path);
        return false;
    }
    const char *formats[] = {"", "xlsx", "xls", "CSV"};
    QString what = QString::fromLatin1(formats[int(m_file.format)]);
    if (!m_file.encoding.isEmpty())
        what += QStringLiteral(", ") + m_file.encoding;
    m_fileLabel->setText(QStringLiteral("파일 : ") + path + QStringLiteral("  (") + what + u')');
    // the first sheet with a rate table; a choice only when there are several
    const QList<int> fit = RateImport::fittingSheets(m_file);
    m_sheet = fit.isEmpty() ? 0 : fit.first();
    m_filling = true;
    m_sheetBox->clear();
    for (const int i : fit)
        m_sheetBox->addItem(m_file.sheets[size_t(i)].name, i);
    m_filling = false;
    m_sheetTitle->setVisible(fit.size() > 1);
    m_sheetBox->setVisible(fit.size() > 1);
    m_preview.map = RateImport::findColumns(table());
    fillMapping();
    recompute();
    m_grid->setFocus(); // the rows first; the mapping is there when needed
    return m_da != nullptr;
}

const SheetTable &FrmRateImport::table() const
{
    return m_sheet < int(m_file.sheets.size()) ? m_file.sheets[size_t(m_sheet)].table : m_file.table();
}

void FrmRateImport::sheetChanged()
{
    if (m_filling || m_sheetBox->currentIndex() < 0)
        return;
    const InputHold::Scope hold;
    m_sheet = m_sheetBox->currentData().toInt();
    m_preview.map = RateImport::findColumns(table());
    fillMapping();
    recompute();
}

bool FrmRateImport::loadFetched(const RateImport::Preview &preview, const QString &what)
{
    m_fetched = true;
    m_path.clear();
    setWindowTitle(QStringLiteral("인터넷에서 환율 받기"));
    for (QWidget *w : std::as_const(m_mapWidgets))
        w->hide();
    m_sheetTitle->hide();
    m_sheetBox->hide();
    m_fileLabel->setText(QStringLiteral("인터넷에서 받은 환율 : ") + what);
    // the first column names each row's services instead of a file's line
    m_grid->SetCellText(ColLine, SpreadGrid::FirstHeaderRow, QStringLiteral("출처"));
    m_grid->setColWidth(ColLine, 20);
    m_grid->setColWidth(ColOutcome, 11); // "게시되지 않음"
    m_grid->setCol(ColLine);
    m_grid->setRow(SpreadGrid::AllCells);
    m_grid->setHAlign(SpreadGrid::AlignLeft);
    m_preview = preview;
    recompute();
    m_grid->setFocus();
    return m_da != nullptr;
}

void FrmRateImport::fillMapping()
{
    m_filling = true;
    const SheetTable &t = table();
    const int header = m_preview.map.headerRow;
    m_headerRow->setValue(header + 1);
    for (int f = 0; f < RateImport::FieldCount; ++f) {
        QComboBox *box = m_fieldBoxes[size_t(f)];
        box->clear();
        box->addItem(QStringLiteral("(없음)"), -1);
        for (int c = 0; c < t.maxColumns(); ++c) {
            const QString head = header >= 0 ? t.text(header, c).trimmed() : t.text(0, c).trimmed();
            box->addItem(columnName(c) + QStringLiteral("열")
                             + (head.isEmpty() ? QString() : QStringLiteral(" : ") + head.left(20)),
                         c);
        }
        box->setCurrentIndex(m_preview.map.col[size_t(f)] + 1);
    }
    m_filling = false;
}

void FrmRateImport::mappingChanged()
{
    if (m_filling)
        return;
    const InputHold::Scope hold;
    RateImport::ColumnMap m;
    m.headerRow = m_headerRow->value() - 1;
    for (int f = 0; f < RateImport::FieldCount; ++f)
        m.col[size_t(f)] = m_fieldBoxes[size_t(f)]->currentData().toInt();
    m_preview.map = m;
    recompute();
}

void FrmRateImport::recompute()
{
    const RateImport::ColumnMap map = m_preview.map;
    if (!m_fetched && !map.usable()) {
        m_preview = RateImport::Preview();
        m_preview.map = map;
        m_mapHint->setText(QStringLiteral(
            "제목 행에서 일자와 환율 열을 찾지 못했습니다. 일자와 환율 하나 이상의 열을 골라 주십시오."));
        fillGrid();
        return;
    }
    m_mapHint->clear();
    QString error;
    bool compared = false;
    {
        const Pointer::Busy busy;
        if (!m_fetched) { // a fetch's rows come read; a file's are read again with the mapping
            m_preview = RateImport::readRows(table(), map);
            m_preview.source = QFileInfo(m_path).fileName(); // the history names the file
        }
        compared = m_da && RateImport::compareWithStored(*m_da, m_preview, &error);
    }
    if (!compared) {
        m_mapHint->setText(QStringLiteral("데이타베이스를 읽지 못해 저장된 값과 비교하지 못했습니다."));
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("조회를 실패하였습니다."),
                       QStringLiteral("저장된 환율을 읽지 못해 미리보기를 만들 수 없습니다.")
                           + (error.isEmpty() ? QString() : CrLf + error));
        for (RateImport::Row &r : m_preview.rows)
            if (RateImport::comparable(r.outcome))
                r.outcome = RateImport::Outcome::Same; // nothing may be applied unseen
        RateImport::recount(m_preview);
    }
    fillGrid();
}

void FrmRateImport::fillGrid()
{
    m_grid->setRedraw(false);
    m_grid->setMaxRows(0);
    m_grid->setMaxRows(int(m_preview.rows.size()));
    int row = 0;
    for (const RateImport::Row &r : std::as_const(m_preview.rows)) {
        ++row;
        m_grid->SetCellText(ColLine, row, m_fetched ? r.source : QString::number(r.line));
        m_grid->SetCellText(ColOutcome, row, RateImport::outcomeText(r.outcome));
        m_grid->SetCellText(ColDate, row, r.date);
        for (int i = 0; i < 3; ++i)
            m_grid->SetCellText(ColUsd + i, row,
                                r.outcome == RateImport::Outcome::Refused ? r.rate[size_t(i)]
                                                                          : shown(i, r.rateToWrite(i)));
        m_grid->SetCellText(ColRemark, row, r.outcome == RateImport::Outcome::Refused ? r.remark : r.remarkToWrite());
        QString note = r.reason;
        if (r.outcome == RateImport::Outcome::Change) {
            QStringList old;
            for (int i = 0; i < 3; ++i)
                old << shown(i, r.oldRate[size_t(i)]);
            old << r.oldRemark;
            note = QStringLiteral("이전 : ") + old.join(QStringLiteral(" / "));
        }
        if (!r.jump.isEmpty())
            note = r.jump + (note.isEmpty() ? QString() : QStringLiteral("  ") + note);
        m_grid->SetCellText(ColNote, row, note);
        m_grid->setCol(ColOutcome);
        m_grid->setRow(row);
        m_grid->setBackColor(outcomeColour(r.outcome));
    }
    m_grid->setRedraw(true);
    m_countLabel->setText(RateImport::countText(m_preview));
    updateApply();
}

void FrmRateImport::apply()
{
    // the progress notice lets events run: no second apply, no other command inside this one
    const InputHold::Scope hold;
    if (!m_da || !m_writer)
        return;
    MsgScr::WaitNotice wait(MsgScr::Kind::Info, QStringLiteral("적용중입니다."),
                            m_fetched ? QStringLiteral("받은 환율을 데이타베이스에 저장하고 있습니다.")
                                      : QStringLiteral("파일의 환율을 데이타베이스에 저장하고 있습니다."),
                            MsgScr::PointerShape::Hourglass, MsgScr::WaitNotice::Progress::Bar);
    const RateImport::ApplyResult res =
        RateImport::apply(*m_da, *m_writer, m_preview, scope(),
                          [&wait](int done, int total) { wait.setPercent(float(done) * 100.0f / float(total)); });
    wait.close();
    if (res.ok) {
        MsgScr::notice(MsgScr::Kind::Info, QStringLiteral("적용하였습니다."),
                       QStringLiteral("데이타를 성공적으로 저장하였습니다.") + CrLf + CrLf
                           + RateImport::appliedText(m_preview, res.inserted, res.updated));
        accept();
        emit applied();
        return;
    }
    if (!res.movedDays.isEmpty()) {
        QStringList days = res.movedDays.mid(0, 8);
        if (res.movedDays.size() > 8)
            days << QStringLiteral("외 %L1일").arg(res.movedDays.size() - 8);
        MsgScr::notice(MsgScr::Kind::Warning, QStringLiteral("다른 곳에서 바뀐 날짜가 있습니다."),
                       QStringLiteral("미리보기 후 다른 곳에서 바뀐 날짜가 있어 아무것도 저장하지 않았습니다.") + CrLf
                           + QStringLiteral("바뀐 날짜 : ") + days.join(QStringLiteral(", ")) + CrLf + CrLf
                           + QStringLiteral("미리보기를 다시 만들었습니다. 확인 후 다시 적용하여 주십시오."));
        recompute();
        return;
    }
    MsgScr::notice(MsgScr::Kind::Error, QStringLiteral("저장을 실패하였습니다."),
                   QStringLiteral("저장중 에러가 발생하여 아무것도 저장하지 않았습니다.")
                       + (res.error.trimmed().isEmpty() ? QString() : CrLf + CrLf + res.error.trimmed().left(200)));
}
