#include "spreadmodel.h"

#include "platform/spread/spreadsearch.h"
#include "platform/win/wincolor.h"
#include "spreadnumber.h"
#include "spreadunits.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

Qt::Alignment toAlignment(const SpreadFormat &f)
{
    Qt::Alignment a;
    switch (f.hAlign) {
    case 1:
        a = Qt::AlignRight;
        break;
    case 2:
        a = Qt::AlignHCenter;
        break;
    default:
        a = Qt::AlignLeft;
        break;
    }
    switch (f.vAlign) {
    case 0:
        a |= Qt::AlignTop;
        break;
    case 1:
        a |= Qt::AlignBottom;
        break;
    default:
        a |= Qt::AlignVCenter;
        break;
    }
    return a;
}

// Shortest text of a number that reads back the same (no exponent for ordinary magnitudes).
QString numberText(double v)
{
    QString s = QString::number(v, 'g', 15);
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

bool nearlyEqual(double a, double b)
{
    return std::fabs(a - b) < 1e-9;
}

} // namespace

SpreadModel::SpreadModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_defaultRowHeight(SpreadUnits::DefaultRowHeight)
{
    m_default.kind = 1;
    m_default.hAlign = 0;
    m_default.vAlign = 2;
    m_headerDefault = m_default;
    m_headerDefault.kind = 5;
    m_headerDefault.hAlign = 2;
    m_headerDefault.backColor = 0xF2EFEC; // light grey-blue (RGB 236, 239, 242)
    m_headerDefault.foreColor = 0x403A33;
    m_cols.resize(1);
    m_cols[0].format = m_headerDefault; // the row-number column looks like the header
    m_headers.resize(1);
}

SpreadModel::~SpreadModel() = default;

// ---------------------------------------------------------------- Qt model

int SpreadModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_publishedRows;
}

int SpreadModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_publishedCols;
}

QVariant SpreadModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    if (row > maxRows() || col > maxCols())
        return {}; // shrunk while suspended: the view is told at the reset
    switch (role) {
    case Qt::DisplayRole:
        return displayText(col, row);
    case Qt::EditRole:
        return plainValue(col, row);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(toAlignment(format(col, row)));
    case Qt::BackgroundRole:
        return WinColor::toQColor(quint32(format(col, row).backColor));
    case Qt::ForegroundRole:
        return WinColor::toQColor(quint32(format(col, row).foreColor));
    default:
        return {};
    }
}

bool SpreadModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    if (!(flags(index) & Qt::ItemIsEditable))
        return false;
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    const QString text = value.toString();
    const SpreadFormat f = format(col, row);
    // A number cell refuses text that is not a number instead of silently keeping it.
    if (f.kind == 13 && !text.trimmed().isEmpty() && !SpreadNumber::parse(text, f.decimalChar, f.groupChar))
        return false;
    setValue(col, row, text);
    return true;
}

Qt::ItemFlags SpreadModel::flags(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return Qt::NoItemFlags;
    Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    if (row > maxRows() || col > maxCols())
        return fl;
    const SpreadFormat f = format(col, row);
    if (f.kind != 5 && !(f.locked && m_protect))
        fl |= Qt::ItemIsEditable;
    return fl;
}

QVariant SpreadModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section < 0)
        return {};
    if (orientation == Qt::Vertical) {
        if (section >= m_publishedRows)
            return {};
        if (role == Qt::DisplayRole)
            return displayText(0, section + 1);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(toAlignment(format(0, section + 1)));
        return {};
    }
    if (section >= m_publishedCols)
        return {};
    if (role == Qt::DisplayRole) {
        QStringList lines;
        for (int k = 0; k < headerRows(); ++k)
            lines << displayText(section + 1, FirstHeaderRow + k);
        return lines.join(QLatin1Char('\n'));
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(toAlignment(m_headerDefault));
    return {};
}

// ---------------------------------------------------------------- sizes

void SpreadModel::setMaxRows(int rows)
{
    rows = std::max(0, rows);
    const int old = maxRows();
    if (rows == old)
        return;
    const bool announce = !m_suspended && m_publishedRows == old;
    if (announce) {
        if (rows > old)
            beginInsertRows(QModelIndex(), old, rows - 1);
        else
            beginRemoveRows(QModelIndex(), rows, old - 1);
    }
    m_rows.resize(size_t(rows));
    if (rows < old) {
        // spans reaching past the new end are cut there
        for (auto it = m_spans.begin(); it != m_spans.end();) {
            if (it->top() >= 1 && it->top() > rows) {
                it = m_spans.erase(it);
                continue;
            }
            if (it->top() >= 1 && it->bottom() > rows)
                it->setBottom(rows);
            if (it->width() * it->height() <= 1)
                it = m_spans.erase(it);
            else
                ++it;
        }
    }
    if (announce) {
        m_publishedRows = rows;
        if (rows > old)
            endInsertRows();
        else
            endRemoveRows();
        emit rowLayoutChanged();
    } else {
        m_dirty = true;
    }
}

void SpreadModel::setMaxCols(int cols)
{
    cols = std::max(0, cols);
    const int old = maxCols();
    if (cols == old)
        return;
    const bool announce = !m_suspended && m_publishedCols == old;
    if (announce) {
        if (cols > old)
            beginInsertColumns(QModelIndex(), old, cols - 1);
        else
            beginRemoveColumns(QModelIndex(), cols, old - 1);
    }
    if (cols < old) {
        auto trim = [this, cols](RowData &r) {
            if (int(r.cells.size()) > cols + 1) {
                for (size_t c = size_t(cols) + 1; c < r.cells.size(); ++c)
                    if (r.cells[c].format)
                        --m_cellFormats;
                r.cells.resize(size_t(cols) + 1);
            }
        };
        for (auto &r : m_rows)
            if (r)
                trim(*r);
        for (auto &h : m_headers)
            trim(h);
        std::erase_if(m_spans, [cols](const QRect &s) { return s.left() > cols; });
        for (auto &s : m_spans)
            if (s.right() > cols)
                s.setRight(cols);
        std::erase_if(m_spans, [](const QRect &s) { return s.width() * s.height() <= 1; });
    }
    const size_t oldSize = m_cols.size();
    m_cols.resize(size_t(cols) + 1);
    for (size_t c = oldSize; c < m_cols.size(); ++c)
        m_cols[c].format = m_default;
    if (announce) {
        m_publishedCols = cols;
        if (cols > old)
            endInsertColumns();
        else
            endRemoveColumns();
        emit columnLayoutChanged();
        emit headerTextChanged();
    } else {
        m_dirty = true;
    }
}

void SpreadModel::setHeaderRows(int rows)
{
    rows = std::max(0, rows);
    if (rows == headerRows())
        return;
    for (size_t k = size_t(rows); k < m_headers.size(); ++k)
        for (auto &c : m_headers[k].cells)
            if (c.format)
                --m_cellFormats;
    m_headers.resize(size_t(rows));
    std::erase_if(m_spans, [rows](const QRect &s) { return s.top() < 1 && s.top() >= FirstHeaderRow + rows; });
    if (m_suspended) {
        m_dirty = true;
        return;
    }
    if (m_publishedCols > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_publishedCols - 1);
    emit headerTextChanged();
    emit rowLayoutChanged();
}

bool SpreadModel::isValidRow(int row) const
{
    return (row >= 1 && row <= maxRows()) || isHeaderRow(row);
}

// ---------------------------------------------------------------- storage

SpreadModel::RowData *SpreadModel::rowData(int row)
{
    if (isHeaderRow(row))
        return &m_headers[size_t(row - FirstHeaderRow)];
    if (row < 1 || row > maxRows())
        return nullptr;
    auto &slot = m_rows[size_t(row - 1)];
    if (!slot) {
        slot = std::make_unique<RowData>();
        slot->cells.reserve(m_cols.size()); // a row is usually written across
    }
    return slot.get();
}

const SpreadModel::RowData *SpreadModel::rowData(int row) const
{
    if (isHeaderRow(row))
        return &m_headers[size_t(row - FirstHeaderRow)];
    if (row < 1 || row > maxRows())
        return nullptr;
    return m_rows[size_t(row - 1)].get();
}

SpreadModel::Cell *SpreadModel::cell(int col, int row)
{
    if (col < 0 || col > maxCols())
        return nullptr;
    RowData *r = rowData(row);
    if (!r)
        return nullptr;
    if (r->cells.size() <= size_t(col))
        r->cells.resize(size_t(col) + 1);
    return &r->cells[size_t(col)];
}

const SpreadModel::Cell *SpreadModel::cell(int col, int row) const
{
    if (col < 0 || col > maxCols())
        return nullptr;
    const RowData *r = rowData(row);
    if (!r || r->cells.size() <= size_t(col))
        return nullptr;
    return &r->cells[size_t(col)];
}

void SpreadModel::storeText(Cell &c, const SpreadFormat &f, const QString &text)
{
    if (text.isEmpty()) {
        c.text.clear();
        c.type = Empty;
        return;
    }
    if (f.kind == 13) {
        if (const auto v = SpreadNumber::parse(text, f.decimalChar, f.groupChar)) {
            c.number = *v;
            c.text.clear();
            c.type = Number;
            return;
        }
    }
    c.text = text; // not a number: kept as typed rather than lost
    c.type = Text;
}

void SpreadModel::setValue(int col, int row, const QString &text)
{
    Cell *c = cell(col, row);
    if (!c)
        return;
    // the column format decides unless the cell has its own
    if (c->format || isHeaderRow(row))
        storeText(*c, format(col, row), text);
    else
        storeText(*c, m_cols[size_t(col)].format, text);
    cellChanged(col, row);
}

void SpreadModel::setNumber(int col, int row, double value)
{
    Cell *c = cell(col, row);
    if (!c)
        return;
    if (!std::isfinite(value)) {
        c->text.clear();
        c->type = Empty;
    } else {
        c->number = value;
        c->text.clear();
        c->type = Number;
    }
    cellChanged(col, row);
}

void SpreadModel::clearValue(int col, int row)
{
    Cell *c = cell(col, row);
    if (!c)
        return;
    c->text.clear();
    c->type = Empty;
    cellChanged(col, row);
}

SpreadModel::ValueType SpreadModel::valueType(int col, int row) const
{
    const Cell *c = cell(col, row);
    return c ? c->type : Empty;
}

QString SpreadModel::displayText(int col, int row) const
{
    const Cell *c = cell(col, row);
    if (col == 0 && row >= 1 && (!c || c->type == Empty))
        return row <= maxRows() ? QString::number(row) : QString();
    if (!c || c->type == Empty)
        return QString();
    const SpreadFormat f = format(col, row);
    if (c->type == Number) {
        if (f.kind == 13)
            return SpreadNumber::format(c->number, f.decimals, f.decimalChar, f.groupChar, f.showGroups);
        return numberText(c->number);
    }
    if (f.kind == 13) {
        // text stored before the column became a number column
        if (const auto v = SpreadNumber::parse(c->text, f.decimalChar, f.groupChar))
            return SpreadNumber::format(*v, f.decimals, f.decimalChar, f.groupChar, f.showGroups);
    }
    return c->text;
}

QString SpreadModel::plainValue(int col, int row) const
{
    const Cell *c = cell(col, row);
    if (!c || c->type == Empty)
        return col == 0 ? displayText(col, row) : QString();
    const SpreadFormat f = format(col, row);
    if (c->type == Number)
        return f.kind == 13 ? SpreadNumber::plain(c->number, f.decimals) : numberText(c->number);
    if (f.kind == 13) {
        if (const auto v = SpreadNumber::parse(c->text, f.decimalChar, f.groupChar))
            return SpreadNumber::plain(*v, f.decimals);
    }
    return c->text;
}

QString SpreadModel::rawText(int col, int row) const
{
    const Cell *c = cell(col, row);
    if (!c || c->type == Empty)
        return QString();
    return c->type == Number ? numberText(c->number) : c->text;
}

double SpreadModel::numberValue(int col, int row) const
{
    const Cell *c = cell(col, row);
    if (!c)
        return 0;
    if (c->type == Number)
        return c->number;
    if (c->type == Text) {
        const SpreadFormat f = format(col, row);
        if (const auto v = SpreadNumber::parse(c->text, f.decimalChar, f.groupChar))
            return *v;
    }
    return 0;
}

// ---------------------------------------------------------------- formats

SpreadFormat SpreadModel::format(int col, int row) const
{
    if (col < 0)
        col = maxCols() >= 1 ? 1 : 0;
    if (col > maxCols())
        return m_default;
    if (isHeaderRow(row)) {
        SpreadFormat f = m_headerDefault;
        if (const Cell *c = cell(col, row); c && c->format)
            f.overlay(*c->format);
        return f;
    }
    SpreadFormat f = m_cols[size_t(col)].format;
    if (row >= 1) {
        if (const Cell *c = cell(col, row); c && c->format)
            f.overlay(*c->format);
    }
    return f;
}

void SpreadModel::applyFormat(int col1, int row1, int col2, int row2, const SpreadFormat &patch)
{
    if (patch.set == 0)
        return;
    const bool allCols = col1 == -1;
    const bool allRows = row1 == -1;
    if (allCols) {
        col1 = 0;
        col2 = maxCols();
    }
    if (col2 < col1)
        std::swap(col1, col2);
    col1 = std::max(col1, 0);
    col2 = std::min(col2, maxCols());
    if (col1 > col2)
        return;
    if (allRows) {
        for (int c = col1; c <= col2; ++c) {
            // the row-number column keeps its header look for colours and kind set grid-wide
            if (allCols && c == 0)
                continue;
            m_cols[size_t(c)].format.overlay(patch);
        }
        if (allCols)
            m_default.overlay(patch);
        if (m_cellFormats > 0) {
            for (auto &r : m_rows) {
                if (!r)
                    continue;
                for (int c = col1; c <= col2 && size_t(c) < r->cells.size(); ++c) {
                    auto &fmt = r->cells[size_t(c)].format;
                    if (!fmt)
                        continue;
                    fmt->clear(patch.set);
                    if (fmt->isEmpty()) {
                        fmt.reset();
                        --m_cellFormats;
                    }
                }
            }
        }
        rangeChanged(col1, 1, col2, maxRows());
        return;
    }
    if (row2 < row1)
        std::swap(row1, row2);
    for (int r = row1; r <= row2; ++r) {
        if (!isValidRow(r))
            continue;
        for (int c = col1; c <= col2; ++c) {
            Cell *cl = cell(c, r);
            if (!cl)
                continue;
            if (!cl->format) {
                cl->format = std::make_unique<SpreadFormat>();
                ++m_cellFormats;
            }
            cl->format->overlay(patch);
        }
    }
    rangeChanged(col1, row1, col2, row2);
}

void SpreadModel::setProtect(bool on)
{
    m_protect = on;
}

// ---------------------------------------------------------------- columns and rows

double SpreadModel::colWidth(int col) const
{
    if (col < 0 || col > maxCols())
        return 0;
    const double w = m_cols[size_t(col)].width;
    return w >= 0 ? w : (col == 0 ? 4.0 : SpreadUnits::DefaultColWidth);
}

void SpreadModel::setColWidth(int col, double units)
{
    if (!std::isfinite(units))
        return;
    units = std::max(0.0, units);
    if (col == -1) {
        for (auto &c : m_cols)
            c.width = units;
    } else if (col >= 0 && col <= maxCols()) {
        m_cols[size_t(col)].width = units;
    } else {
        return;
    }
    emit columnLayoutChanged();
}

bool SpreadModel::colHidden(int col) const
{
    return col >= 0 && col <= maxCols() && m_cols[size_t(col)].hidden;
}

void SpreadModel::setColHidden(int col, bool hidden)
{
    if (col == -1) {
        for (auto &c : m_cols)
            c.hidden = hidden;
    } else if (col >= 0 && col <= maxCols()) {
        m_cols[size_t(col)].hidden = hidden;
    } else {
        return;
    }
    emit columnLayoutChanged();
}

double SpreadModel::rowHeight(int row) const
{
    const RowData *r = rowData(row);
    return r && r->height > 0 ? r->height : m_defaultRowHeight;
}

void SpreadModel::setRowHeight(int row, double units)
{
    if (!std::isfinite(units) || units <= 0)
        return;
    if (row == -1) {
        m_defaultRowHeight = units;
        for (auto &r : m_rows)
            if (r)
                r->height = 0;
        emit rowLayoutChanged();
        return;
    }
    if (!isValidRow(row))
        return;
    if (row >= 1 && nearlyEqual(units, m_defaultRowHeight)) {
        // the common case (every row back to the standard) allocates nothing
        if (m_rows[size_t(row - 1)] && m_rows[size_t(row - 1)]->height != 0)
            m_rows[size_t(row - 1)]->height = 0;
        else
            return;
    } else {
        RowData *r = rowData(row);
        if (nearlyEqual(r->height, units))
            return;
        r->height = units;
    }
    emit rowLayoutChanged();
}

bool SpreadModel::rowHidden(int row) const
{
    const RowData *r = rowData(row);
    return r && r->hidden;
}

void SpreadModel::setRowHidden(int row, bool hidden)
{
    if (row == -1) {
        for (int r = 1; r <= maxRows(); ++r)
            if (hidden || m_rows[size_t(r - 1)])
                rowData(r)->hidden = hidden;
        emit rowLayoutChanged();
        return;
    }
    if (!isValidRow(row))
        return;
    if (!hidden) {
        const RowData *existing = std::as_const(*this).rowData(row);
        if (!existing || !existing->hidden)
            return;
    }
    RowData *r = rowData(row);
    if (r->hidden == hidden)
        return;
    r->hidden = hidden;
    emit rowLayoutChanged();
}

std::vector<int> SpreadModel::customRows() const
{
    std::vector<int> out;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const auto &r = m_rows[i];
        if (r && (r->height > 0 || r->hidden))
            out.push_back(int(i) + 1);
    }
    return out;
}

// ---------------------------------------------------------------- spans

void SpreadModel::addSpan(int col, int row, int numCols, int numRows)
{
    if (numCols < 1 || numRows < 1 || (numCols == 1 && numRows == 1))
        return;
    if (col < 0 || col > maxCols() || !isValidRow(row))
        return;
    QRect span(col, row, std::min(numCols, maxCols() - col + 1), numRows);
    if (row >= 1)
        span.setBottom(std::min(span.bottom(), maxRows()));
    else
        span.setBottom(std::min(span.bottom(), FirstHeaderRow + headerRows() - 1));
    if (span.width() * span.height() <= 1)
        return;
    // a cell belongs to one merged block at most
    std::erase_if(m_spans, [&span](const QRect &s) { return s.intersects(span); });
    m_spans.push_back(span);
    if (m_suspended)
        m_dirty = true;
    else
        emit rowLayoutChanged();
}

void SpreadModel::removeSpan(int col, int row)
{
    const auto n = std::erase_if(m_spans, [col, row](const QRect &s) { return s.contains(col, row); });
    if (n == 0)
        return;
    if (m_suspended)
        m_dirty = true;
    else
        emit rowLayoutChanged();
}

QRect SpreadModel::spanAt(int col, int row) const
{
    for (const QRect &s : m_spans)
        if (s.contains(col, row))
            return s;
    return QRect();
}

void SpreadModel::shiftSpans(int fromRow, int delta)
{
    for (auto &s : m_spans) {
        if (s.top() < 1)
            continue; // header blocks stay
        if (s.top() >= fromRow)
            s.translate(0, delta);
        else if (s.bottom() >= fromRow)
            s.setBottom(s.bottom() + delta); // the inserted rows land inside the block
    }
}

// ---------------------------------------------------------------- block operations

void SpreadModel::clearRange(int col1, int row1, int col2, int row2, bool dataOnly)
{
    if (col1 == -1) {
        col1 = 0;
        col2 = maxCols();
    }
    if (row1 == -1) {
        row1 = 1;
        row2 = maxRows();
    }
    if (col2 < col1)
        std::swap(col1, col2);
    if (row2 < row1)
        std::swap(row1, row2);
    col1 = std::max(col1, 0);
    col2 = std::min(col2, maxCols());
    if (col1 > col2)
        return;
    for (int r = row1; r <= row2; ++r) {
        if (!isValidRow(r))
            continue;
        if (r >= 1 && !m_rows[size_t(r - 1)])
            continue;
        RowData *rd = rowData(r);
        for (int c = col1; c <= col2 && size_t(c) < rd->cells.size(); ++c) {
            Cell &cl = rd->cells[size_t(c)];
            cl.text.clear();
            cl.type = Empty;
            if (!dataOnly && cl.format) {
                cl.format.reset();
                --m_cellFormats;
            }
        }
    }
    rangeChanged(col1, row1, col2, row2);
}

void SpreadModel::insertDataRows(int row, int count)
{
    const int rows = maxRows();
    if (count < 1 || row < 1 || row > rows)
        return;
    count = std::min(count, rows - row + 1);
    for (auto it = m_rows.end() - count; it != m_rows.end(); ++it)
        if (*it)
            for (auto &c : (*it)->cells)
                if (c.format)
                    --m_cellFormats;
    std::move_backward(m_rows.begin() + (row - 1), m_rows.end() - count, m_rows.end());
    for (int i = 0; i < count; ++i)
        m_rows[size_t(row - 1) + size_t(i)].reset();
    shiftSpans(row, count);
    // blocks pushed past the end are cut there
    std::erase_if(m_spans, [rows](const QRect &s) { return s.top() > rows; });
    for (auto &s : m_spans)
        if (s.top() >= 1 && s.bottom() > rows)
            s.setBottom(rows);
    std::erase_if(m_spans, [](const QRect &s) { return s.width() * s.height() <= 1; });
    rangeChanged(0, row, maxCols(), rows);
    if (!m_suspended)
        emit rowLayoutChanged();
}

void SpreadModel::deleteDataRows(int row, int count)
{
    const int rows = maxRows();
    if (count < 1 || row < 1 || row > rows)
        return;
    count = std::min(count, rows - row + 1);
    for (int i = 0; i < count; ++i)
        if (const auto &r = m_rows[size_t(row - 1) + size_t(i)])
            for (auto &c : r->cells)
                if (c.format)
                    --m_cellFormats;
    std::move(m_rows.begin() + (row - 1 + count), m_rows.end(), m_rows.begin() + (row - 1));
    for (int i = rows - count; i < rows; ++i)
        m_rows[size_t(i)].reset();
    const int last = row + count - 1;
    for (auto it = m_spans.begin(); it != m_spans.end();) {
        QRect &s = *it;
        if (s.top() < 1 || s.bottom() < row) {
            ++it;
            continue;
        }
        if (s.top() >= row && s.bottom() <= last) {
            it = m_spans.erase(it); // the whole block went away
            continue;
        }
        const int top = s.top() > last ? s.top() - count : std::min(s.top(), row);
        const int removedInside = std::min(s.bottom(), last) - std::max(s.top(), row) + 1;
        const int height = s.height() - std::max(0, removedInside);
        s = QRect(s.left(), top, s.width(), height);
        if (s.width() * s.height() <= 1)
            it = m_spans.erase(it);
        else
            ++it;
    }
    rangeChanged(0, row, maxCols(), rows);
    if (!m_suspended)
        emit rowLayoutChanged();
}

void SpreadModel::copyRange(int col1, int row1, int col2, int row2, int toCol, int toRow)
{
    if (col1 == -1) {
        col1 = 0;
        col2 = maxCols();
    }
    if (row1 == -1) {
        row1 = 1;
        row2 = maxRows();
    }
    if (col2 < col1)
        std::swap(col1, col2);
    if (row2 < row1)
        std::swap(row1, row2);
    struct Value
    {
        ValueType type;
        QString text;
        double number;
    };
    const int w = col2 - col1 + 1;
    const int h = row2 - row1 + 1;
    if (w < 1 || h < 1)
        return;
    // read everything first: source and target may overlap
    std::vector<Value> buffer;
    buffer.reserve(size_t(w) * size_t(h));
    for (int r = row1; r <= row2; ++r)
        for (int c = col1; c <= col2; ++c) {
            const Cell *cl = isValidRow(r) ? std::as_const(*this).cell(c, r) : nullptr;
            buffer.push_back(cl ? Value{cl->type, cl->text, cl->number} : Value{Empty, QString(), 0});
        }
    for (int i = 0; i < h; ++i) {
        const int r = toRow + i;
        if (!isValidRow(r))
            continue;
        for (int j = 0; j < w; ++j) {
            const int c = toCol + j;
            if (c < 0 || c > maxCols())
                continue;
            const Value &v = buffer[size_t(i) * size_t(w) + size_t(j)];
            if (v.type == Empty && !std::as_const(*this).cell(c, r))
                continue; // nothing to clear: no storage is made for it
            Cell *cl = cell(c, r);
            if (v.type == Number) {
                cl->number = v.number;
                cl->text.clear();
                cl->type = Number;
            } else {
                storeText(*cl, format(c, r), v.text);
            }
        }
    }
    rangeChanged(toCol, toRow, toCol + w - 1, toRow + h - 1);
}

int SpreadModel::searchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const
{
    if (col < 0 || col > maxCols())
        return -1;
    const int first = std::max(rowFrom + 1, 1);
    const int last = std::min(rowTo, maxRows());
    const bool equal = flags & SpreadSearch::EqualValue;
    const bool contains = flags & SpreadSearch::Contains;
    const SpreadFormat colFormat = format(col, -1);
    const auto wanted = SpreadNumber::parse(text, colFormat.decimalChar, colFormat.groupChar);
    for (int r = first; r <= last; ++r) {
        if (col >= 1 && !m_rows[size_t(r - 1)])
            continue; // nothing stored: an empty cell matches nothing
        const QString shown = displayText(col, r);
        if (shown.isEmpty())
            continue;
        if (equal) {
            if (shown.compare(text, Qt::CaseInsensitive) == 0)
                return r;
            // a number cell also matches the same value typed without its format ("1234.5")
            if (wanted && valueType(col, r) != Empty) {
                const SpreadFormat f = format(col, r);
                if (f.kind == 13
                    && SpreadNumber::plain(numberValue(col, r), f.decimals) == SpreadNumber::plain(*wanted, f.decimals))
                    return r;
            }
        } else if (contains) {
            if (shown.contains(text, Qt::CaseInsensitive))
                return r;
        } else if (shown.startsWith(text, Qt::CaseInsensitive)) {
            return r;
        }
    }
    return -1;
}

// ---------------------------------------------------------------- notifications

void SpreadModel::cellChanged(int col, int row)
{
    if (m_suspended) {
        m_dirty = true;
        return;
    }
    if (isHeaderRow(row)) {
        if (col >= 1 && col <= m_publishedCols)
            emit headerDataChanged(Qt::Horizontal, col - 1, col - 1);
        emit headerTextChanged();
        return;
    }
    if (row < 1 || row > m_publishedRows)
        return;
    if (col == 0) {
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
        return;
    }
    if (col <= m_publishedCols) {
        const QModelIndex i = index(row - 1, col - 1);
        emit dataChanged(i, i);
    }
}

void SpreadModel::rangeChanged(int col1, int row1, int col2, int row2)
{
    if (m_suspended) {
        m_dirty = true;
        return;
    }
    if (col2 < col1)
        std::swap(col1, col2);
    if (row2 < row1)
        std::swap(row1, row2);
    if (row1 < 1) {
        emit headerTextChanged();
        if (m_publishedCols > 0)
            emit headerDataChanged(Qt::Horizontal, 0, m_publishedCols - 1);
    }
    const int r1 = std::max(row1, 1);
    const int r2 = std::min(row2, m_publishedRows);
    if (r1 > r2)
        return;
    if (col1 <= 0)
        emit headerDataChanged(Qt::Vertical, r1 - 1, r2 - 1);
    const int c1 = std::max(col1, 1);
    const int c2 = std::min(col2, m_publishedCols);
    if (c1 <= c2)
        emit dataChanged(index(r1 - 1, c1 - 1), index(r2 - 1, c2 - 1));
}

void SpreadModel::setSuspended(bool on)
{
    if (on == m_suspended)
        return;
    m_suspended = on;
    if (on)
        return;
    if (m_dirty || m_publishedRows != maxRows() || m_publishedCols != maxCols()) {
        beginResetModel();
        m_publishedRows = maxRows();
        m_publishedCols = maxCols();
        m_dirty = false;
        endResetModel();
        emit headerTextChanged();
        emit columnLayoutChanged();
        emit rowLayoutChanged();
    }
}
