#pragma once

#include "gridnav/ss_move_info.h"

#include <QString>
#include <QWidget>

class DataAccess;
class SpreadGrid;

// The main window's grid and summary line off screen, for writing a period through the grid's
// own export: the same column definition, the rows as the query fills them, the averages in the
// summary line. What a windowless export writes (RateExport) is held to it.
class RateExportForm
{
public:
    RateExportForm();
    ~RateExportForm();

    // Rows of the period (from..to, "YYYY/MM/DD"); -1 when the query failed (error set).
    long fill(DataAccess &da, const QString &from, const QString &to, QString *error);
    // The workbook as the export button writes it: header row, rows, "평균" line.
    bool writeXlsx(const QString &file);

    SpreadGrid *grid() const { return m_grid; }

private:
    QWidget m_form;
    SpreadGrid *m_grid = nullptr;
    SpreadGrid *m_sum = nullptr;
    SS_MOVE_INFO m_info;
};
