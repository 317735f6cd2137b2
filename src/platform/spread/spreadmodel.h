#pragma once

#include "spreadformat.h"

#include <QAbstractTableModel>
#include <QRect>
#include <QString>

#include <memory>
#include <vector>

// The grid's cell store. Grid addresses are used throughout (columns 0..maxCols, column 0 the row
// numbers; data rows 1..maxRows; header rows -1000..); the Qt model shows data rows as model rows
// 0..maxRows-1 and data columns 1..maxCols as model columns 0..maxCols-1.
//
// While suspended, changes are stored but not announced and rowCount()/columnCount() keep the counts
// the views last saw; resuming announces everything with one reset.
class SpreadModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int FirstHeaderRow = -1000;

    enum ValueType : quint8 { Empty = 0, Text = 1, Number = 2 };

    explicit SpreadModel(QObject *parent = nullptr);
    ~SpreadModel() override;

    // --- Qt model ---
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // --- sizes ---
    int maxRows() const { return int(m_rows.size()); }
    void setMaxRows(int rows);
    int maxCols() const { return int(m_cols.size()) - 1; }
    void setMaxCols(int cols);
    int headerRows() const { return int(m_headers.size()); }
    void setHeaderRows(int rows);
    bool isValidRow(int row) const; // data or header row
    bool isHeaderRow(int row) const { return row >= FirstHeaderRow && row < FirstHeaderRow + headerRows(); }

    // --- values ---
    void setValue(int col, int row, const QString &text); // a number cell keeps a number when the text reads as one
    void setNumber(int col, int row, double value);
    void clearValue(int col, int row);
    ValueType valueType(int col, int row) const;
    QString displayText(int col, int row) const; // as shown
    QString plainValue(int col, int row) const; // unformatted: numbers with "." and the cell's decimals
    QString rawText(int col, int row) const; // what was put, numbers in their shortest form
    double numberValue(int col, int row) const; // 0 when the cell holds no number

    // --- formats ---
    SpreadFormat format(int col, int row) const; // resolved; row -1 = the column's own format
    void applyFormat(int col1, int row1, int col2, int row2, const SpreadFormat &patch); // -1 = all
    const SpreadFormat &defaultFormat() const { return m_default; }
    const SpreadFormat &headerFormat() const { return m_headerDefault; }
    bool protect() const { return m_protect; }
    void setProtect(bool on);

    // --- columns and rows ---
    double colWidth(int col) const; // width units as set (before pixel rounding)
    void setColWidth(int col, double units);
    bool colHidden(int col) const;
    void setColHidden(int col, bool hidden);
    double rowHeight(int row) const; // row units
    void setRowHeight(int row, double units);
    double defaultRowHeight() const { return m_defaultRowHeight; }
    bool rowHidden(int row) const;
    void setRowHidden(int row, bool hidden);
    // Data rows (1-based) whose height or hidden state differs from the default.
    std::vector<int> customRows() const;

    // --- spans (grid addresses: x = col, y = row) ---
    const std::vector<QRect> &spans() const { return m_spans; }
    void addSpan(int col, int row, int numCols, int numRows);
    void removeSpan(int col, int row);
    QRect spanAt(int col, int row) const; // the span covering the cell, or a null rect

    // --- block operations ---
    void clearRange(int col1, int row1, int col2, int row2, bool dataOnly);
    void insertDataRows(int row, int count);
    void deleteDataRows(int row, int count);
    void copyRange(int col1, int row1, int col2, int row2, int toCol, int toRow);
    int searchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const;

    // --- notifications ---
    bool isSuspended() const { return m_suspended; }
    void setSuspended(bool on); // resuming resets the model once if anything changed
    static QModelIndex noIndex() { return QModelIndex(); }

signals:
    // Heights, hidden flags or spans changed (the view re-applies them).
    void rowLayoutChanged();
    void columnLayoutChanged();
    void headerTextChanged();

private:
    struct Cell
    {
        QString text;
        double number = 0;
        ValueType type = Empty;
        std::unique_ptr<SpreadFormat> format;
    };
    struct RowData
    {
        std::vector<Cell> cells; // grows up to the highest column written
        double height = 0; // row units; 0 = default
        bool hidden = false;
        bool isPlain() const { return cells.empty() && height == 0 && !hidden; }
    };
    struct ColData
    {
        SpreadFormat format; // fully resolved column format
        double width = -1; // width units; below 0 = default
        bool hidden = false;
    };

    RowData *rowData(int row); // allocates a data row's storage
    const RowData *rowData(int row) const; // null when nothing is stored
    Cell *cell(int col, int row); // allocates
    const Cell *cell(int col, int row) const;
    void storeText(Cell &c, const SpreadFormat &f, const QString &text);
    void cellChanged(int col, int row);
    void rangeChanged(int col1, int row1, int col2, int row2);
    void shiftSpans(int fromRow, int delta);
    int modelRow(int row) const { return row - 1; }

    std::vector<std::unique_ptr<RowData>> m_rows; // data rows 1..maxRows
    std::vector<RowData> m_headers; // header rows -1000..
    std::vector<ColData> m_cols; // columns 0..maxCols
    std::vector<QRect> m_spans;
    SpreadFormat m_default;
    SpreadFormat m_headerDefault;
    double m_defaultRowHeight;
    qsizetype m_cellFormats = 0; // cells carrying their own format (skips scans when 0)
    bool m_protect = true;
    bool m_suspended = false;
    bool m_dirty = false;
    int m_publishedRows = 0;
    int m_publishedCols = 0;
};
