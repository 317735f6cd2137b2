#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include <vector>

class QAbstractItemModel;
class QTableView;
class SpreadModel;
class SpreadView;

// SpreadGrid: the spreadsheet grid of the program (data grid, summary grid, graph item grid).
//
// Addressing
//   Cell properties (Text, CellValue, CellKind, HAlign, ..., CellLocked) act on the cell (Col, Row).
//   Col/Row = -1 means all columns / all rows. Column 0 is the row-number column; data columns are
//   1..MaxCols. Data rows are 1..MaxRows; header rows are -1000, -999, ... (-1000 + ColHeaderRows - 1).
//   With BlockMode true they act on the block (Col, Row)..(CursorCol2, CursorRow2) instead.
//   Reading a property on a range (-1 or a block) reads its first cell.
//
// Units
//   ColWidth is in width units of 8 pixels; the column's grid line adds one pixel on top, so a
//   column of width w occupies round(w * 8) + 1 pixels.
//   RowHeight is in row units: one pixel is 0.637 units (a data row of 10.22 is 16 pixels, a single
//   header row of 21.077 is 33 pixels); the row's grid line is inside that height.
//   MaxTextWidth is in width units too. Colours are Windows-style ints with red in the low byte
//   (0x00BBGGRR); colorFromRgb/rgbFromColor convert.
//
// Painting
//   setRedraw(false) suspends painting and the model's notifications; setRedraw(true) publishes every
//   change since with one model reset. Bulk fills must run with Redraw off.
class SpreadGrid : public QWidget
{
    Q_OBJECT

public:
    // CellKind values the program uses; other values are kept and shown as plain editable text.
    enum Kind { KindEdit = 1, KindStaticText = 5, KindNumber = 13 };
    // HAlign values (VAlign: 0 top, 1 bottom, 2 centre).
    enum Align { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };
    // ScrollBarMode values: bit 1 horizontal, bit 2 vertical.
    enum ScrollBars { ScrollBarsNone = 0, ScrollBarHorizontal = 1, ScrollBarVertical = 2, ScrollBarsBoth = 3 };
    // SetCellBorder kinds (may be or-ed) and styles.
    enum BorderKind { BorderLeft = 1, BorderRight = 2, BorderTop = 4, BorderBottom = 8, BorderOutline = 16 };
    enum BorderStyle { BorderNone = 0, BorderSolid = 1, BorderDash = 2, BorderDot = 3 };

    static constexpr int FirstHeaderRow = -1000;
    static constexpr int AllCells = -1;

    explicit SpreadGrid(QWidget *parent = nullptr);
    ~SpreadGrid() override;

    // --- sizes ---
    int MaxRows() const;
    void setMaxRows(int rows); // rows dropped lose their cells; new rows are empty
    int MaxCols() const;
    void setMaxCols(int cols);
    int ColHeaderRows() const;
    void setColHeaderRows(int rows); // at least 0; header rows start at -1000

    // --- addressing ---
    int Col() const;
    void setCol(int col);
    int Row() const;
    void setRow(int row);
    bool BlockMode() const;
    void setBlockMode(bool on);
    int CursorCol2() const;
    void setCursorCol2(int col);
    int CursorRow2() const;
    void setCursorRow2(int row);

    // --- active cell ---
    int ActiveCol() const; // 0 when no cell is active
    int ActiveRow() const;
    int Action() const;
    void setAction(int action); // 0: (Col, Row) becomes the active cell and is scrolled into view

    // --- scrolling ---
    int FirstVisibleRow() const;
    void setFirstVisibleRow(int row); // below 1 is taken as 1; emits TopLeftChange when it moves
    int FirstVisibleCol() const;
    void setFirstVisibleCol(int col);
    int ScrollBarMode() const;
    void setScrollBarMode(int mode); // the navigator passes 0 or 1 and moves the rows itself

    // --- geometry (units above) ---
    double ColWidth(int col) const;
    void setColWidth(int col, double units); // col -1 = every column including 0
    double RowHeight(int row) const;
    void setRowHeight(int row, double units); // row -1 = every data row (the default height)
    double MaxTextWidth(int col) const; // widest displayed text of the column, header rows included

    // --- cell properties on (Col, Row) / the block ---
    bool ColHidden() const;
    void setColHidden(bool hidden);
    bool RowHidden() const;
    void setRowHidden(bool hidden);
    bool CellLocked() const;
    void setCellLocked(bool locked);

    QString Text() const; // displayed text ("1,234.50" for a number cell)
    void setText(const QString &text);
    QString CellValue() const; // unformatted value: a number with "." and no separators ("1234.50")
    void setCellValue(const QString &value);

    int CellKind() const;
    void setCellKind(int value);
    int HAlign() const;
    void setHAlign(int value);
    int VAlign() const;
    void setVAlign(int value);
    int NumberDecimals() const;
    void setNumberDecimals(int value); // 0..6 shown
    QString NumberDecimalChar() const;
    void setNumberDecimalChar(const QString &ch);
    QString NumberGroupChar() const;
    void setNumberGroupChar(const QString &ch);
    bool NumberShowGroups() const;
    void setNumberShowGroups(bool value);
    int BackColor() const;
    void setBackColor(int value);
    int ForeColor() const;
    void setForeColor(int value);

    static QColor colorFromRgb(int rgb);
    static int rgbFromColor(const QColor &color);

    // --- grid-wide ---
    bool Redraw() const;
    void setRedraw(bool on);
    QString FontName() const;
    void setFontName(const QString &family); // "굴림체" is shown with NanumGothicCoding
    double FontSize() const;
    void setFontSize(double points);
    // The selection tints the cells it covers, except in a column set untinted (colour swatches).
    void setColSelectionTint(int col, bool tinted);
    int TextTipMode() const;
    void setTextTipMode(int mode); // 0 off; otherwise a cell's full text is shown while the mouse rests on it
    void SetTextTipStyle(const QString &fontName, double fontSize, bool bold, bool italic, int backRgb, int foreRgb);
    bool ProtectFlag() const;
    void setProtectFlag(bool on); // locked cells cannot be edited while it is set

    // --- methods ---
    void SetCellText(int col, int row, const QString &value);
    void SetCellText(int col, int row, double value);
    QString GetCellText(int col, int row) const; // displayed text of one cell
    // The same reads by column and row, without moving (Col, Row): the cell's unformatted value
    // (as CellValue), and whether a column or a row is hidden (as ColHidden, RowHidden).
    QString cellValue(int col, int row) const;
    bool colHidden(int col) const;
    bool rowHidden(int row) const;
    void ClearRange(int col, int row, int col2, int row2, bool dataOnly); // dataOnly false: formats too
    void AddCellSpan(int col, int row, int numCols, int numRows);
    void RemoveCellSpan(int col, int row);
    void SetCellBorder(int col, int row, int col2, int row2, int kind, int rgb, int style);
    void InsertRows(int row, int count); // rows shift down within MaxRows; the last ones fall off
    void DeleteRows(int row, int count); // rows shift up within MaxRows; empty rows come in at the end
    void CopyRange(int col, int row, int col2, int row2, int toCol, int toRow); // values; header rows allowed
    // First row r with rowFrom < r <= rowTo whose cell in col matches text (case ignored):
    // flags & 4 equal value, flags & 2 contains, otherwise starts with. -1 when none.
    // flags: SpreadSearch::Flag
    int SearchCol(int col, int rowFrom, int rowTo, const QString &text, int flags) const;
    // Writes data rows 1..MaxRows and columns 1..MaxCols as an .xlsx workbook with one sheet.
    // False when the file cannot be written; no partial file is left then. logFile may be empty.
    bool ExportToExcel(const QString &file, const QString &sheet, const QString &logFile);

    // --- for tests and owners ---
    QTableView *view() const;
    QAbstractItemModel *cellModel() const;

signals:
    // First visible data column and row; also raised after the program's own changes.
    void TopLeftChange(int oldLeft, int oldTop, int newLeft, int newTop);
    // Raised when the user drags a column's width.
    void ColWidthChange(int col1, int col2);
    // Mouse click on a cell: data rows 1.., header rows -1000.., column 0 = row numbers.
    void Click(int col, int row);
    void DblClick(int col, int row);

private:
    // The cells the addressing (Col, Row, BlockMode) points at, clipped to the grid.
    struct Range
    {
        int col1, row1, col2, row2;
    };
    Range addressed() const;
    void applyFont();
    void syncColumnsToView();
    void syncRowsToView();
    void publishTopLeft();
    void showTextTip(const QPoint &viewportPos);
    void hideTextTip();
    void restoreAfterReset();
    int visibleIndexOfRow(int row) const;
    int visibleIndexOfCol(int col) const;
    void setTextOnRange(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    SpreadModel *m_model = nullptr;
    SpreadView *m_view = nullptr;
    QWidget *m_tip = nullptr;
    int m_col = 1;
    int m_row = 1;
    int m_col2 = 1;
    int m_row2 = 1;
    bool m_blockMode = false;
    bool m_redraw = true;
    bool m_protect = true;
    int m_scrollBarMode = ScrollBarsBoth;
    int m_textTipMode = 0;
    QString m_fontName;
    double m_fontSize = 9;
    QString m_tipFontName;
    double m_tipFontSize = 9;
    bool m_tipBold = false;
    bool m_tipItalic = false;
    int m_tipBack = 0xC0FFFF; // light yellow
    int m_tipFore = 0;
    int m_lastLeft = 1; // top-left last reported through TopLeftChange
    int m_lastTop = 1;
    int m_pendingTop = 0; // first row asked for while Redraw is off (0 = none)
    int m_pendingLeft = 0;
    int m_activeCol = 0;
    int m_activeRow = 0;
    bool m_settingWidths = false; // program changes widths: no ColWidthChange
    bool m_activePending = false; // Action 0 while painting was off, for a row not there yet
    bool m_scrollToActive = false; // Action 0 before the grid was shown: scroll when it is
    std::vector<int> m_viewRows; // data rows the view shows with a height or hidden state of their own
};
