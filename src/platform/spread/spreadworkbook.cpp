#include "platform/spread/spreadworkbook.h"

#include "platform/sheet/sheettext.h"
#include "platform/spread/spreadnumber.h"
#include "platform/win/winrgb.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <QTextStream>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>

#include <sys/stat.h>

namespace SpreadWorkbook {

namespace {

void writeLog(const QString &logFile, const QString &line)
{
    if (logFile.isEmpty())
        return;
    QFile f(logFile);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return; // the log is a courtesy; the export's result does not depend on it
    QTextStream(&f) << QDateTime::currentDateTime().toString(Qt::ISODate) << ' ' << line << '\n';
}

// Sheet names Excel accepts: 1..31 characters, none of []:*?/\ and not starting or ending with '.
bool validSheetName(const QString &name)
{
    if (name.isEmpty() || name.size() > 31)
        return false;
    if (name.startsWith(QLatin1Char('\'')) || name.endsWith(QLatin1Char('\'')))
        return false;
    for (const QChar c : name)
        if (QStringLiteral("[]:*?/\\").contains(c))
            return false;
    return true;
}

uint32_t excelColor(int rgb)
{
    return WinColor::toRrggbb(uint32_t(rgb));
}

// One workbook format per distinct look.
class FormatCache
{
public:
    explicit FormatCache(lxw_workbook *wb)
        : m_wb(wb)
    { }

    lxw_format *get(const Look &f)
    {
        const QString key = QStringLiteral("%1|%2|%3|%4|%5")
                                .arg(f.numberFormat)
                                .arg(f.hAlign)
                                .arg(f.vAlign)
                                .arg(f.foreColor)
                                .arg(f.backColor);
        if (lxw_format *fmt = m_formats.value(key))
            return fmt;
        lxw_format *fmt = workbook_add_format(m_wb);
        if (!f.numberFormat.isEmpty())
            format_set_num_format(fmt, f.numberFormat.toUtf8().constData());
        format_set_align(fmt, f.hAlign == 1 ? LXW_ALIGN_RIGHT : (f.hAlign == 2 ? LXW_ALIGN_CENTER : LXW_ALIGN_LEFT));
        format_set_align(fmt,
                         f.vAlign == 0 ? LXW_ALIGN_VERTICAL_TOP
                                       : (f.vAlign == 1 ? LXW_ALIGN_VERTICAL_BOTTOM : LXW_ALIGN_VERTICAL_CENTER));
        if ((f.foreColor & 0xFFFFFF) != 0)
            format_set_font_color(fmt, excelColor(f.foreColor));
        if ((f.backColor & 0xFFFFFF) != 0xFFFFFF) {
            format_set_pattern(fmt, LXW_PATTERN_SOLID);
            format_set_bg_color(fmt, excelColor(f.backColor));
        }
        m_formats.insert(key, fmt);
        return fmt;
    }

private:
    lxw_workbook *m_wb;
    QHash<QString, lxw_format *> m_formats;
};

void writeCell(lxw_worksheet *ws, FormatCache &formats, const Cell &cell, lxw_row_t r, lxw_col_t c)
{
    switch (cell.type) {
    case Cell::Type::Empty:
        // an empty cell is written only for its colour
        if ((cell.look.backColor & 0xFFFFFF) != 0xFFFFFF)
            worksheet_write_blank(ws, r, c, formats.get(cell.look));
        break;
    case Cell::Type::Number:
        worksheet_write_number(ws, r, c, cell.number, formats.get(cell.look));
        break;
    case Cell::Type::Text: {
        const QByteArray utf8 = SheetText::escapeLiterals(cell.text).toUtf8();
        worksheet_write_string(ws, r, c, utf8.constData(), formats.get(cell.look));
        break;
    }
    }
}

} // namespace

void Sheet::resize(int rowCount, int colCount)
{
    rows = std::max(rowCount, 0);
    cols = std::max(colCount, 0);
    cells.assign(size_t(rows) * size_t(cols), Cell{});
    colWidths.resize(size_t(cols), 0.0);
    colHidden.resize(size_t(cols), false);
}

QString numberFormat(int decimals, bool showGroups)
{
    decimals = std::clamp(decimals, 0, SpreadNumber::MaxDecimals);
    QString f = showGroups ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (decimals > 0)
        f += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return f;
}

double excelWidth(int pixels)
{
    // Excel's default font: 7 pixels per character plus 5 pixels of padding
    return pixels <= 5 ? 0.0 : (pixels - 5) / 7.0;
}

bool write(const Sheet &sheet, const QString &file, const QString &logFile)
{
    const QString sheetName = sheet.name.isEmpty() ? QStringLiteral("Sheet1") : sheet.name;
    const QFileInfo target(file);
    if (file.isEmpty() || !validSheetName(sheetName) || target.isDir() || !target.absoluteDir().exists()
        || (target.exists() && !target.isWritable())) {
        writeLog(logFile, QStringLiteral("export failed: %1").arg(file));
        return false;
    }

    // Written under a temporary name in the same folder and renamed at the end, so a failure never
    // leaves a half-written workbook under the asked name.
    QString tempPath;
    {
        QTemporaryFile probe(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.xlsx").arg(target.fileName())));
        probe.setAutoRemove(false);
        if (!probe.open()) {
            writeLog(logFile, QStringLiteral("export failed (folder not writable): %1").arg(file));
            return false;
        }
        tempPath = probe.fileName();
    }
    const QByteArray tempName = QFile::encodeName(tempPath);

    lxw_workbook *wb = workbook_new(tempName.constData());
    if (!wb) {
        QFile::remove(tempPath);
        writeLog(logFile, QStringLiteral("export failed: %1").arg(file));
        return false;
    }
    const QByteArray sheetUtf8 = sheetName.toUtf8();
    lxw_worksheet *ws = workbook_add_worksheet(wb, sheetUtf8.constData());
    if (!ws) {
        workbook_close(wb);
        QFile::remove(tempPath);
        writeLog(logFile, QStringLiteral("export failed (sheet name): %1").arg(file));
        return false;
    }

    FormatCache formats(wb);
    for (int c = 0; c < sheet.cols; ++c) {
        lxw_row_col_options opt = {};
        opt.hidden = sheet.colHidden[size_t(c)] ? 1 : 0;
        worksheet_set_column_opt(ws, lxw_col_t(c), lxw_col_t(c), sheet.colWidths[size_t(c)], nullptr, &opt);
    }

    // merged blocks: merge, then write the block's first cell into it
    std::vector<bool> covered;
    for (const Merge &m : sheet.merges) {
        if (covered.empty())
            covered.assign(sheet.cells.size(), false);
        worksheet_merge_range(ws, lxw_row_t(m.top), lxw_col_t(m.left), lxw_row_t(m.bottom), lxw_col_t(m.right), "",
                              formats.get(m.look));
        writeCell(ws, formats, sheet.at(m.top, m.left), lxw_row_t(m.top), lxw_col_t(m.left));
        for (int r = m.top; r <= m.bottom; ++r)
            for (int c = m.left; c <= m.right; ++c)
                covered[size_t(r) * size_t(sheet.cols) + size_t(c)] = true;
    }

    for (int r = 0; r < sheet.rows; ++r) {
        for (int c = 0; c < sheet.cols; ++c) {
            if (!covered.empty() && covered[size_t(r) * size_t(sheet.cols) + size_t(c)])
                continue;
            writeCell(ws, formats, sheet.at(r, c), lxw_row_t(r), lxw_col_t(c));
        }
    }

    const lxw_error err = workbook_close(wb);
    if (err != LXW_NO_ERROR) {
        QFile::remove(tempPath);
        writeLog(logFile, QStringLiteral("export failed (%1): %2").arg(QString::fromUtf8(lxw_strerror(err)), file));
        return false;
    }
    // the temporary file was private (0600); the workbook gets what a newly saved file gets, or
    // keeps the permissions of the file it replaces
    struct stat existing;
    if (::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &existing) == 0) {
        ::chmod(tempName.constData(), existing.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(tempName.constData(), 0666 & ~mask);
    }
    // rename(2) replaces an existing file in one step
    if (std::rename(tempName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(tempPath);
        writeLog(logFile, QStringLiteral("export failed (rename): %1").arg(file));
        return false;
    }
    writeLog(logFile, QStringLiteral("exported %1 rows x %2 columns to %3").arg(sheet.rows).arg(sheet.cols).arg(file));
    return true;
}

} // namespace SpreadWorkbook
