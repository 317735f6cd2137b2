#pragma once

#include "gridnav/ss_move_info.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class SpreadGrid;

// A small window listing rows in the program's grid, with the navigator beside it. Its export
// button writes the list to an Excel file as the main window's export does; its refresh button
// sizes the columns again. The check window and the history window are made of it.
class RateListWindow : public QDialog
{
    Q_OBJECT

public:
    struct Column
    {
        QString header;
        double width; // width units (8 pixels)
        int hAlign; // SpreadGrid::Align
    };
    // `width` is the window's width in twips.
    RateListWindow(QWidget *owner, const QString &title, const QList<Column> &columns, double width = 10400);
    ~RateListWindow() override;

    // Shows the rows (each one text per column); no rows leaves one empty line.
    void setRows(const QList<QStringList> &rows);
    int rowCount() const { return m_rows; }

    SpreadGrid *grid() const { return m_grid; }
    SS_MOVE_INFO &info() { return m_info; }

signals:
    // A double click on data row `row` (1-based) of the list.
    void rowDoubleClicked(int row);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void relayout();
    void sizeColumns();

    QWidget *m_container = nullptr;
    SpreadGrid *m_grid = nullptr;
    SS_MOVE_INFO m_info;
    QList<Column> m_columns;
    int m_rows = 0;
};
