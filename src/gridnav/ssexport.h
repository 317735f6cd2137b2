#pragma once

#include "gridnav/ss_move_info.h"

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

// Export of a data grid to an .xlsx workbook (sheet "Sheet1") with its header rows and summary rows,
// reported through the message screen.

// The file name comes from the save dialog (SaveFileDialog::askSaveFile), or from the services' exportFileDialog
// when a test sets it.

namespace GridNav {

// The folder the export dialog opens in: empty at start, the program's folder on first use, then
// the folder of the last chosen file (with its trailing "/").
QString lastSaveDir();
void setLastSaveDir(const QString &folder);

// "YYYYMMDD" of `today`, a blank, then `baseName` ("/" and "\" become "_": they would name a folder).
QString proposedExportName(const QDate &today, const QString &baseName);

// Writes the grid of `info` as the export does (below) to `file`, without a dialog or a message,
// and gives the grid back as it was. False when the workbook could not be written.
bool writeExport(SS_MOVE_INFO &info, const QString &file, bool withHeaders);

} // namespace GridNav

// Writes the grid of `info` (all data rows, with the header rows when `withHeaders`, and the summary
// rows of its summary grid with "평균" in the first cell) to a file chosen in the save dialog, then
// gives the grid back exactly as it was. Tells the user the outcome through the message screen;
// Cancel in the dialog ends silently.
void sbSS_ExportXls(SS_MOVE_INFO &info, const QString &baseName, bool withHeaders);
