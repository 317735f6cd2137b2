#include "spreadgrid.h"

#include "spreaddelegate.h"
#include "spreadexcelexport.h"
#include "spreadheaderview.h"
#include "spreadmodel.h"
#include "spreadnumber.h"
#include "spreadpaint.h"
#include "spreadunits.h"
#include "spreadview.h"

#include "platform/win/koreanfont.h"
#include "platform/win/wincolor.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

SpreadFormat patch(SpreadFormat::Field field)
{
    SpreadFormat f;
    f.set = field;
    return f;
}

// A grid not shown yet still has to know how many rows fit, for scrolling asked by the program.
void layOutNow(QWidget *grid, SpreadView *view)
{
    if (!grid->isVisible() && grid->layout())
        grid->layout()->activate();
    view->refreshGeometry();
}

QChar firstChar(const QString &s)
{
    return s.isEmpty() ? QChar() : s.at(0);
}

} // namespace

SpreadGrid::SpreadGrid(QWidget *parent)
    : QWidget(parent)
{
    KoreanFont::installSubstitutes();
    m_model = new SpreadModel(this);
    m_view = new SpreadView(m_model, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1); // one-pixel frame painted by the grid itself
    layout->setSpacing(0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { publishTopLeft(); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { publishTopLeft(); });
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { hideTextTip(); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { hideTextTip(); });
    connect(m_model, &SpreadModel::columnLayoutChanged, this, [this] { syncColumnsToView(); });
    connect(m_model, &SpreadModel::rowLayoutChanged, this, [this] { syncRowsToView(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { restoreAfterReset(); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { publishTopLeft(); });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] { publishTopLeft(); });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &cur) {
        if (cur.isValid()) {
            m_activeCol = cur.column() + 1;
            m_activeRow = cur.row() + 1;
        }
    });
    connect(m_view, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &i) { emit Click(i.column() + 1, i.row() + 1); });
    connect(m_view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &i) { emit DblClick(i.column() + 1, i.row() + 1); });
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int logical, int, int newSize) {
        if (m_settingWidths)
            return;
        m_settingWidths = true;
        m_model->setColWidth(logical + 1, SpreadUnits::pixelsToWidth(newSize));
        m_settingWidths = false;
        emit ColWidthChange(logical + 1, logical + 1);
    });

    m_view->viewport()->installEventFilter(this);
    m_view->viewport()->setMouseTracking(true);
    m_view->horizontalHeader()->viewport()->installEventFilter(this);
    m_view->verticalHeader()->viewport()->installEventFilter(this);

    setMaxCols(4);
    setMaxRows(0);
    syncColumnsToView();
    syncRowsToView();
}

SpreadGrid::~SpreadGrid()
{
    // QWidget's destructor, which runs after this one, hides the children; that can move the
    // scroll bars. Nothing may call back into the grid once its own part is gone.
    for (QObject *source :
         std::initializer_list<QObject *>{m_view->verticalScrollBar(), m_view->horizontalScrollBar(),
                                          m_view->horizontalHeader(), m_view->selectionModel(), m_view, m_model})
        source->disconnect(this);
    m_view->viewport()->removeEventFilter(this);
    m_view->horizontalHeader()->viewport()->removeEventFilter(this);
    m_view->verticalHeader()->viewport()->removeEventFilter(this);
    delete m_tip;
    m_tip = nullptr;
}

// ---------------------------------------------------------------- sizes

int SpreadGrid::MaxRows() const
{
    return m_model->maxRows();
}

void SpreadGrid::setMaxRows(int rows)
{
    m_model->setMaxRows(rows);
}

int SpreadGrid::MaxCols() const
{
    return m_model->maxCols();
}

void SpreadGrid::setMaxCols(int cols)
{
    m_model->setMaxCols(cols);
}

int SpreadGrid::ColHeaderRows() const
{
    return m_model->headerRows();
}

void SpreadGrid::setColHeaderRows(int rows)
{
    m_model->setHeaderRows(rows);
    syncColumnsToView();
}

// ---------------------------------------------------------------- addressing

int SpreadGrid::Col() const
{
    return m_col;
}

void SpreadGrid::setCol(int col)
{
    m_col = col;
}

int SpreadGrid::Row() const
{
    return m_row;
}

void SpreadGrid::setRow(int row)
{
    m_row = row;
}

bool SpreadGrid::BlockMode() const
{
    return m_blockMode;
}

void SpreadGrid::setBlockMode(bool on)
{
    m_blockMode = on;
}

int SpreadGrid::CursorCol2() const
{
    return m_col2;
}

void SpreadGrid::setCursorCol2(int col)
{
    m_col2 = col;
}

int SpreadGrid::CursorRow2() const
{
    return m_row2;
}

void SpreadGrid::setCursorRow2(int row)
{
    m_row2 = row;
}

SpreadGrid::Range SpreadGrid::addressed() const
{
    Range r{m_col, m_row, m_col, m_row};
    if (m_blockMode && m_col != -1 && m_row != -1) {
        r.col2 = m_col2;
        r.row2 = m_row2;
        if (r.col2 < r.col1)
            std::swap(r.col1, r.col2);
        if (r.row2 < r.row1)
            std::swap(r.row1, r.row2);
    } else if (m_blockMode) {
        // a whole column or row block: the -1 keeps its meaning
        if (m_col != -1) {
            r.col1 = std::min(m_col, m_col2);
            r.col2 = std::max(m_col, m_col2);
        }
        if (m_row != -1) {
            r.row1 = std::min(m_row, m_row2);
            r.row2 = std::max(m_row, m_row2);
        }
    }
    return r;
}

// ---------------------------------------------------------------- active cell

int SpreadGrid::ActiveCol() const
{
    return m_activeCol;
}

int SpreadGrid::ActiveRow() const
{
    return m_activeRow;
}

int SpreadGrid::Action() const
{
    return 0;
}

void SpreadGrid::setAction(int action)
{
    if (action != 0)
        return; // other actions of the grid are not used by the program
    const int col = std::clamp(m_col, 1, std::max(1, MaxCols()));
    const int row = m_row;
    if (row < 1 || row > MaxRows() || MaxCols() < 1)
        return;
    m_activeCol = col;
    m_activeRow = row;
    if (m_model->isSuspended() && row > m_model->rowCount()) {
        m_activePending = true; // applied, and scrolled into view, when painting resumes
        return;
    }
    m_activePending = false;
    const QModelIndex idx = m_model->index(row - 1, col - 1);
    m_view->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
    if (!isVisible()) {
        // how many rows fit is known once the window is laid out and shown
        m_scrollToActive = true;
        return;
    }
    layOutNow(this, m_view);
    m_view->scrollTo(idx);
}

// ---------------------------------------------------------------- scrolling

int SpreadGrid::visibleIndexOfRow(int row) const
{
    // the scroll value counts only rows that are shown
    int hiddenBefore = 0;
    for (int r : m_viewRows)
        if (r < row && m_view->isRowHidden(r - 1))
            ++hiddenBefore;
    return row - 1 - hiddenBefore;
}

int SpreadGrid::visibleIndexOfCol(int col) const
{
    int hiddenBefore = 0;
    for (int c = 1; c < col && c <= MaxCols(); ++c)
        if (m_view->isColumnHidden(c - 1))
            ++hiddenBefore;
    return col - 1 - hiddenBefore;
}

int SpreadGrid::FirstVisibleRow() const
{
    if (m_pendingTop > 0)
        return m_pendingTop;
    const int logical = m_view->verticalHeader()->logicalIndexAt(0);
    return logical < 0 ? 1 : logical + 1;
}

void SpreadGrid::setFirstVisibleRow(int row)
{
    // the navigator may ask for a row below 1 when the grid holds fewer rows than a page
    row = std::max(row, 1);
    if (MaxRows() >= 1)
        row = std::min(row, MaxRows());
    if (m_model->isSuspended() && row > m_model->rowCount()) {
        m_pendingTop = row;
        return;
    }
    m_pendingTop = 0;
    layOutNow(this, m_view);
    m_view->verticalScrollBar()->setValue(visibleIndexOfRow(row));
    publishTopLeft();
}

int SpreadGrid::FirstVisibleCol() const
{
    if (m_pendingLeft > 0)
        return m_pendingLeft;
    // Columns scroll whole: the bar's value counts the visible columns scrolled past. At the end
    // of the range the view shows the last column flush with its right edge, so the column cut at
    // the left edge is not the first one scrolled to; two grids scrolled together by this number
    // stay in step.
    int value = m_view->horizontalScrollBar()->value();
    for (int c = 1; c <= MaxCols(); ++c) {
        if (m_view->isColumnHidden(c - 1))
            continue;
        if (value-- == 0)
            return c;
    }
    const int logical = m_view->horizontalHeader()->logicalIndexAt(0);
    return logical < 0 ? 1 : logical + 1;
}

void SpreadGrid::setFirstVisibleCol(int col)
{
    col = std::max(col, 1);
    if (MaxCols() >= 1)
        col = std::min(col, MaxCols());
    if (m_model->isSuspended() && col > m_model->columnCount()) {
        m_pendingLeft = col;
        return;
    }
    m_pendingLeft = 0;
    layOutNow(this, m_view);
    m_view->horizontalScrollBar()->setValue(visibleIndexOfCol(col));
    publishTopLeft();
}

void SpreadGrid::publishTopLeft()
{
    const int left = FirstVisibleCol();
    const int top = FirstVisibleRow();
    if (left == m_lastLeft && top == m_lastTop)
        return;
    const int oldLeft = m_lastLeft;
    const int oldTop = m_lastTop;
    m_lastLeft = left;
    m_lastTop = top;
    emit TopLeftChange(oldLeft, oldTop, left, top);
}

int SpreadGrid::ScrollBarMode() const
{
    return m_scrollBarMode;
}

void SpreadGrid::setScrollBarMode(int mode)
{
    m_scrollBarMode = mode;
    m_view->setHorizontalScrollBarPolicy((mode & ScrollBarHorizontal) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy((mode & ScrollBarVertical) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// ---------------------------------------------------------------- geometry

double SpreadGrid::ColWidth(int col) const
{
    if (col < 0 || col > MaxCols())
        return 0;
    // as shown: whole pixels, which is what lets callers fit columns flush to the grid's edge
    return SpreadUnits::pixelsToWidth(SpreadUnits::widthToPixels(m_model->colWidth(col)));
}

void SpreadGrid::setColWidth(int col, double units)
{
    m_model->setColWidth(col, units);
}

double SpreadGrid::RowHeight(int row) const
{
    if (row != -1 && !m_model->isValidRow(row))
        return 0;
    return row == -1 ? m_model->defaultRowHeight() : m_model->rowHeight(row);
}

void SpreadGrid::setRowHeight(int row, double units)
{
    const bool header = m_model->isHeaderRow(row);
    m_model->setRowHeight(row, units);
    if (header)
        syncColumnsToView(); // the header's height follows its rows
}

double SpreadGrid::MaxTextWidth(int col) const
{
    if (col < 0 || col > MaxCols())
        return 0;
    const QFontMetrics fm(m_view->font());
    int widest = 0;
    auto measure = [&](int row) {
        const QString t = m_model->displayText(col, row);
        if (!t.isEmpty())
            widest = std::max(widest, fm.horizontalAdvance(t));
    };
    for (int k = 0; k < ColHeaderRows(); ++k)
        measure(FirstHeaderRow + k);
    for (int r = 1; r <= MaxRows(); ++r)
        measure(r);
    if (widest == 0)
        return 0;
    return (widest + 2 * SpreadPaint::TextPadding) / SpreadUnits::PixelsPerWidthUnit;
}

// ---------------------------------------------------------------- cell properties

bool SpreadGrid::ColHidden() const
{
    return m_model->colHidden(m_col == -1 ? 1 : m_col);
}

void SpreadGrid::setColHidden(bool hidden)
{
    const Range r = addressed();
    if (r.col1 == -1) {
        for (int c = 1; c <= MaxCols(); ++c)
            m_model->setColHidden(c, hidden);
        return;
    }
    for (int c = r.col1; c <= r.col2; ++c)
        m_model->setColHidden(c, hidden);
}

bool SpreadGrid::RowHidden() const
{
    return m_model->rowHidden(m_row == -1 ? 1 : m_row);
}

void SpreadGrid::setRowHidden(bool hidden)
{
    const Range r = addressed();
    if (r.row1 == -1) {
        m_model->setRowHidden(-1, hidden);
        return;
    }
    for (int row = r.row1; row <= r.row2; ++row)
        m_model->setRowHidden(row, hidden);
}

bool SpreadGrid::CellLocked() const
{
    return m_model->format(m_col, m_row).locked;
}

void SpreadGrid::setCellLocked(bool locked)
{
    SpreadFormat p = patch(SpreadFormat::Locked);
    p.locked = locked;
    const Range r = addressed();
    m_model->applyFormat(r.col1, r.row1, r.col2, r.row2, p);
}

void SpreadGrid::setTextOnRange(const QString &text)
{
    const Range r = addressed();
    const int c1 = r.col1 == -1 ? 1 : r.col1;
    const int c2 = r.col1 == -1 ? MaxCols() : r.col2;
    const int r1 = r.row1 == -1 ? 1 : r.row1;
    const int r2 = r.row1 == -1 ? MaxRows() : r.row2;
    for (int row = r1; row <= r2; ++row)
        for (int col = c1; col <= c2; ++col)
            m_model->setValue(col, row, text);
}

QString SpreadGrid::Text() const
{
    return m_model->displayText(m_col == -1 ? 1 : m_col, m_row == -1 ? 1 : m_row);
}

void SpreadGrid::setText(const QString &text)
{
    setTextOnRange(text);
}

QString SpreadGrid::CellValue() const
{
    return m_model->plainValue(m_col == -1 ? 1 : m_col, m_row == -1 ? 1 : m_row);
}

void SpreadGrid::setCellValue(const QString &value)
{
    setTextOnRange(value);
}

#define SPREAD_FORMAT_PROPERTY(Getter, Setter, Type, Field, member, convertIn, convertOut)                             \
    Type SpreadGrid::Getter() const                                                                                    \
    {                                                                                                                  \
        const SpreadFormat f = m_model->format(m_col, m_row);                                                          \
        return convertOut(f.member);                                                                                   \
    }                                                                                                                  \
    void SpreadGrid::Setter(Type value)                                                                                \
    {                                                                                                                  \
        SpreadFormat p = patch(SpreadFormat::Field);                                                                   \
        p.member = convertIn(value);                                                                                   \
        const Range r = addressed();                                                                                   \
        m_model->applyFormat(r.col1, r.row1, r.col2, r.row2, p);                                                       \
    }

namespace {
template<typename T> T same(T v)
{
    return v;
}
QString charText(QChar c)
{
    return c.isNull() ? QString() : QString(c);
}
int clampDecimals(int d)
{
    return std::clamp(d, 0, SpreadNumber::MaxDecimals);
}
} // namespace

SPREAD_FORMAT_PROPERTY(CellKind, setCellKind, int, Kind, kind, same, same)
SPREAD_FORMAT_PROPERTY(HAlign, setHAlign, int, HAlign, hAlign, same, same)
SPREAD_FORMAT_PROPERTY(VAlign, setVAlign, int, VAlign, vAlign, same, same)
SPREAD_FORMAT_PROPERTY(NumberDecimals, setNumberDecimals, int, Decimals, decimals, clampDecimals, same)
SPREAD_FORMAT_PROPERTY(NumberShowGroups, setNumberShowGroups, bool, ShowGroups, showGroups, same, same)
SPREAD_FORMAT_PROPERTY(BackColor, setBackColor, int, BackColor, backColor, same, same)
SPREAD_FORMAT_PROPERTY(ForeColor, setForeColor, int, ForeColor, foreColor, same, same)

QString SpreadGrid::NumberDecimalChar() const
{
    return charText(m_model->format(m_col, m_row).decimalChar);
}

void SpreadGrid::setNumberDecimalChar(const QString &ch)
{
    SpreadFormat p = patch(SpreadFormat::DecimalChar);
    p.decimalChar = ch.isEmpty() ? QLatin1Char('.') : ch.at(0);
    const Range r = addressed();
    m_model->applyFormat(r.col1, r.row1, r.col2, r.row2, p);
}

QString SpreadGrid::NumberGroupChar() const
{
    return charText(m_model->format(m_col, m_row).groupChar);
}

void SpreadGrid::setNumberGroupChar(const QString &ch)
{
    SpreadFormat p = patch(SpreadFormat::GroupChar);
    p.groupChar = firstChar(ch);
    const Range r = addressed();
    m_model->applyFormat(r.col1, r.row1, r.col2, r.row2, p);
}

QColor SpreadGrid::colorFromRgb(int rgb)
{
    return WinColor::toQColor(quint32(rgb));
}

int SpreadGrid::rgbFromColor(const QColor &color)
{
    return WinColor::fromQColor(color);
}

// ---------------------------------------------------------------- grid-wide

bool SpreadGrid::Redraw() const
{
    return m_redraw;
}

void SpreadGrid::setRedraw(bool on)
{
    if (on == m_redraw)
        return;
    m_redraw = on;
    if (!on) {
        hideTextTip();
        m_view->setUpdatesEnabled(false);
        m_model->setSuspended(true);
        return;
    }
    m_model->setSuspended(false); // one reset when anything changed; restoreAfterReset follows
    m_view->setUpdatesEnabled(true);
    if (m_pendingTop > 0 || m_pendingLeft > 0)
        restoreAfterReset();
    m_view->viewport()->update();
    publishTopLeft();
}

void SpreadGrid::restoreAfterReset()
{
    syncColumnsToView();
    syncRowsToView();
    // The grid shows what it showed before the reset (or what was asked while painting was off);
    // making the active cell current again must not scroll it into view, unless an Action asked
    // for that while painting was off.
    const int left = m_pendingLeft > 0 ? m_pendingLeft : m_lastLeft;
    const int top = m_pendingTop > 0 ? m_pendingTop : m_lastTop;
    const bool scrollToActive = m_activePending;
    m_activePending = false;
    const bool hasActive = m_activeRow >= 1 && m_activeRow <= m_model->rowCount() && m_activeCol >= 1
        && m_activeCol <= m_model->columnCount();
    if (hasActive) {
        const bool autoScroll = m_view->hasAutoScroll();
        m_view->setAutoScroll(scrollToActive && autoScroll);
        m_view->selectionModel()->setCurrentIndex(m_model->index(m_activeRow - 1, m_activeCol - 1),
                                                  QItemSelectionModel::ClearAndSelect);
        m_view->setAutoScroll(autoScroll);
    }
    if (hasActive && scrollToActive) {
        m_pendingLeft = m_pendingTop = 0;
        layOutNow(this, m_view);
        m_view->scrollTo(m_model->index(m_activeRow - 1, m_activeCol - 1));
    } else {
        setFirstVisibleCol(left);
        setFirstVisibleRow(top);
    }
    publishTopLeft();
}

void SpreadGrid::setColSelectionTint(int col, bool tinted)
{
    if (auto *d = qobject_cast<SpreadDelegate *>(m_view->itemDelegate()))
        d->setTinted(col, tinted);
    m_view->viewport()->update();
}

QString SpreadGrid::FontName() const
{
    return m_fontName.isEmpty() ? m_view->font().family() : m_fontName;
}

void SpreadGrid::setFontName(const QString &family)
{
    m_fontName = family;
    applyFont();
}

double SpreadGrid::FontSize() const
{
    return m_fontSize;
}

void SpreadGrid::setFontSize(double points)
{
    if (points > 0)
        m_fontSize = points;
    applyFont();
}

void SpreadGrid::applyFont()
{
    QFont f = m_view->font();
    if (!m_fontName.isEmpty())
        f.setFamilies({m_fontName});
    f.setPointSizeF(m_fontSize);
    m_view->setFont(f);
    m_view->viewport()->update();
}

int SpreadGrid::TextTipMode() const
{
    return m_textTipMode;
}

void SpreadGrid::setTextTipMode(int mode)
{
    m_textTipMode = mode;
    if (mode == 0)
        hideTextTip();
}

void SpreadGrid::SetTextTipStyle(const QString &fontName, double fontSize, bool bold, bool italic, int backRgb,
                                 int foreRgb)
{
    m_tipFontName = fontName;
    m_tipFontSize = fontSize > 0 ? fontSize : 9;
    m_tipBold = bold;
    m_tipItalic = italic;
    m_tipBack = backRgb;
    m_tipFore = foreRgb;
}

bool SpreadGrid::ProtectFlag() const
{
    return m_protect;
}

void SpreadGrid::setProtectFlag(bool on)
{
    m_protect = on;
    m_model->setProtect(on);
}

// ---------------------------------------------------------------- methods

void SpreadGrid::SetCellText(int col, int row, const QString &value)
{
    m_model->setValue(col, row, value);
}

void SpreadGrid::SetCellText(int col, int row, double value)
{
    m_model->setNumber(col, row, value);
}

QString SpreadGrid::GetCellText(int col, int row) const
{
    return m_model->displayText(col, row);
}

QString SpreadGrid::cellValue(int col, int row) const
{
    return m_model->plainValue(col, row);
}

bool SpreadGrid::colHidden(int col) const
{
    return m_model->colHidden(col);
}

bool SpreadGrid::rowHidden(int row) const
{
    return m_model->rowHidden(row);
}

void SpreadGrid::ClearRange(int col, int row, int col2, int row2, bool dataOnly)
{
    m_model->clearRange(col, row, col2, row2, dataOnly);
}

void SpreadGrid::AddCellSpan(int col, int row, int numCols, int numRows)
{
    m_model->addSpan(col, row, numCols, numRows);
}

void SpreadGrid::RemoveCellSpan(int col, int row)
{
    m_model->removeSpan(col, row);
}

void SpreadGrid::SetCellBorder(int col, int row, int col2, int row2, int kind, int rgb, int style)
{
    SpreadFormat::Border b;
    b.style = quint8(std::clamp(style, 0, 3));
    b.rgb = rgb;
    auto apply =
        [&](int c1, int r1, int c2, int r2, SpreadFormat::Field field, SpreadFormat::Border SpreadFormat::*side) {
        SpreadFormat p = patch(field);
        p.*side = b;
        m_model->applyFormat(c1, r1, c2, r2, p);
    };
    if (kind & BorderLeft)
        apply(col, row, col2, row2, SpreadFormat::BorderLeft, &SpreadFormat::left);
    if (kind & BorderRight)
        apply(col, row, col2, row2, SpreadFormat::BorderRight, &SpreadFormat::right);
    if (kind & BorderTop)
        apply(col, row, col2, row2, SpreadFormat::BorderTop, &SpreadFormat::top);
    if (kind & BorderBottom)
        apply(col, row, col2, row2, SpreadFormat::BorderBottom, &SpreadFormat::bottom);
    if ((kind & BorderOutline) && col != -1 && row != -1) {
        const int c1 = std::min(col, col2);
        const int c2 = std::max(col, col2);
        const int r1 = std::min(row, row2);
        const int r2 = std::max(row, row2);
        apply(c1, r1, c1, r2, SpreadFormat::BorderLeft, &SpreadFormat::left);
        apply(c2, r1, c2, r2, SpreadFormat::BorderRight, &SpreadFormat::right);
        apply(c1, r1, c2, r1, SpreadFormat::BorderTop, &SpreadFormat::top);
        apply(c1, r2, c2, r2, SpreadFormat::BorderBottom, &SpreadFormat::bottom);
    }
}

void SpreadGrid::InsertRows(int row, int count)
{
    m_model->insertDataRows(row, count);
}

void SpreadGrid::DeleteRows(int row, int count)
{
    m_model->deleteDataRows(row, count);
}

void SpreadGrid::CopyRange(int col, int row, int col2, int row2, int toCol, int toRow)
{
    m_model->copyRange(col, row, col2, row2, toCol, toRow);
}

int SpreadGrid::SearchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const
{
    return m_model->searchCol(col, rowFrom, rowTo, text, flags);
}

bool SpreadGrid::ExportToExcel(const QString &file, const QString &sheet, const QString &logFile)
{
    return SpreadExcelExport::write(*m_model, file, sheet, logFile);
}

QTableView *SpreadGrid::view() const
{
    return m_view;
}

QAbstractItemModel *SpreadGrid::cellModel() const
{
    return m_model;
}

// ---------------------------------------------------------------- view synchronisation

void SpreadGrid::syncColumnsToView()
{
    QHeaderView *hh = m_view->horizontalHeader();
    QHeaderView *vh = m_view->verticalHeader();
    m_settingWidths = true;
    const int shown = std::min(MaxCols(), hh->count());
    for (int c = 1; c <= shown; ++c) {
        const bool hidden = m_model->colHidden(c);
        if (!hidden)
            hh->resizeSection(c - 1, SpreadUnits::widthToPixels(m_model->colWidth(c)));
        if (m_view->isColumnHidden(c - 1) != hidden)
            m_view->setColumnHidden(c - 1, hidden);
    }
    m_settingWidths = false;
    // column 0 is the row-number header; the column header is as tall as its header rows
    const int numberWidth = SpreadUnits::widthToPixels(m_model->colWidth(0));
    const bool numbersShown = !m_model->colHidden(0) && numberWidth > 0;
    vh->setVisible(numbersShown);
    if (numbersShown)
        vh->setFixedWidth(numberWidth);
    int headerHeight = 0;
    for (int k = 0; k < ColHeaderRows(); ++k)
        headerHeight += SpreadUnits::heightToPixels(m_model->rowHeight(FirstHeaderRow + k));
    hh->setVisible(headerHeight > 0);
    if (headerHeight > 0)
        hh->setFixedHeight(headerHeight);
    hh->viewport()->update();
    m_view->refreshGeometry();
}

void SpreadGrid::syncRowsToView()
{
    QHeaderView *vh = m_view->verticalHeader();
    const int rowsShown = vh->count();
    const int defaultPx = SpreadUnits::heightToPixels(m_model->defaultRowHeight());
    if (vh->defaultSectionSize() != defaultPx)
        vh->setDefaultSectionSize(defaultPx);
    // rows that had their own size or were hidden go back to the default first
    for (int r : m_viewRows) {
        if (r > rowsShown)
            continue;
        if (m_view->isRowHidden(r - 1))
            m_view->setRowHidden(r - 1, false);
        if (vh->sectionSize(r - 1) != defaultPx)
            vh->resizeSection(r - 1, defaultPx);
    }
    m_viewRows = m_model->customRows();
    for (int r : m_viewRows) {
        if (r > rowsShown)
            continue;
        const int px = SpreadUnits::heightToPixels(m_model->rowHeight(r));
        if (vh->sectionSize(r - 1) != px)
            vh->resizeSection(r - 1, px);
        if (m_model->rowHidden(r))
            m_view->setRowHidden(r - 1, true);
    }
    // merged blocks of the data area (column 0 blocks are drawn by the row-number header)
    m_view->clearSpans();
    const int colsShown = std::min(MaxCols(), m_model->columnCount());
    for (const QRect &s : m_model->spans()) {
        if (s.top() < 1 || s.right() < 1)
            continue;
        const int left = std::max(1, s.left());
        const int right = std::min(s.right(), colsShown);
        const int bottom = std::min(s.bottom(), rowsShown);
        if (left > right || s.top() > bottom || (left == right && s.top() == bottom))
            continue;
        m_view->setSpan(s.top() - 1, left - 1, bottom - s.top() + 1, right - left + 1);
    }
    vh->viewport()->update();
    m_view->horizontalHeader()->viewport()->update(); // merged header cells
    m_view->viewport()->update();
    publishTopLeft();
}

// ---------------------------------------------------------------- events

void SpreadGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QColor(0xB4, 0xBC, 0xC8));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SpreadGrid::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_scrollToActive)
        return;
    m_scrollToActive = false;
    layOutNow(this, m_view);
    const QModelIndex cur = m_view->currentIndex();
    if (cur.isValid())
        m_view->scrollTo(cur);
}

bool SpreadGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport()) {
        switch (event->type()) {
        case QEvent::ToolTip:
            if (m_textTipMode != 0) {
                showTextTip(static_cast<QHelpEvent *>(event)->pos());
                return true;
            }
            break;
        case QEvent::MouseMove:
            if (m_tip && m_tip->isVisible()) {
                const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
                const QModelIndex at = m_view->indexAt(pos);
                if (!at.isValid() || QPoint(at.column() + 1, at.row() + 1) != m_tip->property("tipCell").toPoint())
                    hideTextTip();
            }
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
            hideTextTip();
            break;
        default:
            break;
        }
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        const QPoint pos = me->position().toPoint();
        if (watched == m_view->horizontalHeader()->viewport()) {
            auto *hh = static_cast<SpreadHeaderView *>(m_view->horizontalHeader());
            const int logical = hh->logicalIndexAt(pos);
            const int row = hh->headerRowAt(pos.y());
            if (logical >= 0 && row != 0)
                emit Click(logical + 1, row);
        } else if (watched == m_view->verticalHeader()->viewport()) {
            const int logical = m_view->verticalHeader()->logicalIndexAt(pos);
            if (logical >= 0)
                emit Click(0, logical + 1);
        }
    }
    return false;
}

void SpreadGrid::showTextTip(const QPoint &viewportPos)
{
    const QModelIndex idx = m_view->indexAt(viewportPos);
    if (!idx.isValid()) {
        hideTextTip();
        return;
    }
    const int col = idx.column() + 1;
    const int row = idx.row() + 1;
    const QString text = m_model->displayText(col, row);
    const QRect cellRect = m_view->visualRect(idx);
    const QFontMetrics fm(m_view->font());
    // only a cut-off text needs its tip
    if (text.isEmpty() || fm.horizontalAdvance(text) + 2 * SpreadPaint::TextPadding <= cellRect.width()) {
        hideTextTip();
        return;
    }
    if (!m_tip) {
        auto *label = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        label->setMargin(3);
        label->setTextFormat(Qt::PlainText);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_tip = label;
    }
    auto *label = static_cast<QLabel *>(m_tip);
    QFont f(m_tipFontName.isEmpty() ? m_view->font().family() : m_tipFontName);
    f.setPointSizeF(m_tipFontSize);
    f.setBold(m_tipBold);
    f.setItalic(m_tipItalic);
    label->setFont(f);
    label->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border: 1px solid #8a8f99; }")
                             .arg(colorFromRgb(m_tipBack).name(), colorFromRgb(m_tipFore).name()));
    label->setText(text);
    label->setProperty("tipCell", QPoint(col, row));
    label->adjustSize();
    label->move(m_view->viewport()->mapToGlobal(cellRect.bottomLeft() + QPoint(0, 2)));
    label->show();
}

void SpreadGrid::hideTextTip()
{
    if (m_tip)
        m_tip->hide();
}
