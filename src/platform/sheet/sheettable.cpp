#include "platform/sheet/sheettable.h"

int SheetTable::columnCount(int row) const
{
    if (row < 0 || row >= rowCount())
        return 0;
    const std::size_t end =
        std::size_t(row) + 1 < m_rowStart.size() ? m_rowStart[std::size_t(row) + 1] : m_cells.size();
    return int(end - m_rowStart[std::size_t(row)]);
}

const SheetTable::Cell *SheetTable::cell(int row, int col) const
{
    if (col < 0 || col >= columnCount(row))
        return nullptr;
    return &m_cells[m_rowStart[std::size_t(row)] + std::size_t(col)];
}

SheetTable::Kind SheetTable::kind(int row, int col) const
{
    const Cell *c = cell(row, col);
    return c ? Kind(c->kind) : Kind::Empty;
}

QByteArrayView SheetTable::utf8(int row, int col) const
{
    const Cell *c = cell(row, col);
    if (!c || Kind(c->kind) != Kind::Text)
        return {};
    return QByteArrayView(m_text.constData() + c->pos, qsizetype(c->len));
}

QString SheetTable::text(int row, int col) const
{
    const Cell *c = cell(row, col);
    if (!c)
        return {};
    switch (Kind(c->kind)) {
    case Kind::Empty:
        return {};
    case Kind::Text:
        return QString::fromUtf8(utf8(row, col));
    case Kind::Number:
        return QString::number(c->number, 'g', 15);
    case Kind::Date:
        return date(row, col).toString(QStringLiteral("yyyy/MM/dd"));
    }
    return {};
}

double SheetTable::number(int row, int col) const
{
    const Cell *c = cell(row, col);
    return c && Kind(c->kind) == Kind::Number ? c->number : 0.0;
}

QDate SheetTable::date(int row, int col) const
{
    const Cell *c = cell(row, col);
    return c && Kind(c->kind) == Kind::Date ? QDate::fromJulianDay(qint64(c->number)) : QDate();
}

void SheetTable::beginRow()
{
    m_rowStart.push_back(std::uint32_t(m_cells.size()));
}

int SheetTable::currentColumns() const
{
    return m_rowStart.empty() ? 0 : int(m_cells.size() - m_rowStart.back());
}

void SheetTable::padTo(int col)
{
    while (currentColumns() < col)
        addEmpty();
}

void SheetTable::addEmpty()
{
    Cell c;
    c.len = 0;
    c.kind = std::uint32_t(Kind::Empty);
    m_cells.push_back(c);
    m_maxCols = std::max(m_maxCols, currentColumns());
}

void SheetTable::addNumber(double value)
{
    Cell c;
    c.number = value;
    c.len = 0;
    c.kind = std::uint32_t(Kind::Number);
    m_cells.push_back(c);
    m_maxCols = std::max(m_maxCols, currentColumns());
}

void SheetTable::addDate(const QDate &day)
{
    if (!day.isValid()) {
        addEmpty();
        return;
    }
    Cell c;
    c.number = double(day.toJulianDay());
    c.len = 0;
    c.kind = std::uint32_t(Kind::Date);
    m_cells.push_back(c);
    m_maxCols = std::max(m_maxCols, currentColumns());
}

void SheetTable::addText(QByteArrayView utf8)
{
    const qsizetype pos = m_text.size();
    m_text.append(utf8);
    addTextAt(pos, utf8.size());
}

void SheetTable::addTextAt(qsizetype pos, qsizetype len)
{
    if (len <= 0) {
        addEmpty();
        return;
    }
    Cell c;
    c.pos = std::uint32_t(pos);
    c.len = std::uint32_t(std::min<qsizetype>(len, (1 << 30) - 1));
    c.kind = std::uint32_t(Kind::Text);
    m_cells.push_back(c);
    m_maxCols = std::max(m_maxCols, currentColumns());
}

void SheetTable::trimEmptyRows()
{
    while (!m_rowStart.empty()) {
        const int last = rowCount() - 1;
        bool empty = true;
        for (int c = 0; c < columnCount(last) && empty; ++c)
            empty = kind(last, c) == Kind::Empty;
        if (!empty)
            break;
        m_cells.resize(m_rowStart.back());
        m_rowStart.pop_back();
    }
}
