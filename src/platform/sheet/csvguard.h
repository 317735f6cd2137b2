#pragma once

#include <QByteArrayView>
#include <QString>

// A CSV text cell that begins with "=", "+", "-", "@", a tab or a carriage return is taken by a
// spreadsheet as a formula; written with a leading apostrophe it is shown as the text it is. The
// reader takes that apostrophe off again, so a cell reads back as it was written. A text that
// already begins with apostrophes before such a character gets one more, so it comes back whole.
// Numbers are written as numbers and never guarded.
namespace CsvGuard {

// The cell text as a CSV file carries it.
QString guard(const QString &text);
// How many leading bytes of a read cell (UTF-8) are the guard: 0 or 1.
qsizetype guardLength(QByteArrayView utf8);

} // namespace CsvGuard
