#include "spreadexcelexport.h"

#include "platform/win/wincolor.h"
#include "spreadmodel.h"
#include "spreadnumber.h"
#include "spreadunits.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTextStream>

#include <xlsxwriter.h>

#include <cstdio>

#include <sys/stat.h>

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

    lxw_format *get(const SpreadFormat &f, bool number)
    {
        const QString numFmt = number ? SpreadExcelExport::numberFormat(f.decimals, f.showGroups) : QString();
        const QString key =
            QStringLiteral("%1|%2|%3|%4|%5").arg(numFmt).arg(f.hAlign).arg(f.vAlign).arg(f.foreColor).arg(f.backColor);
        if (lxw_format *fmt = m_formats.value(key))
            return fmt;
        lxw_format *fmt = workbook_add_format(m_wb);
        if (!numFmt.isEmpty())
            format_set_num_format(fmt, numFmt.toUtf8().constData());
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

// Writes one cell (grid address) at sheet position (r, c).
void writeCell(lxw_worksheet *ws, FormatCache &formats, const SpreadModel &store, int col, int row, lxw_row_t r,
               lxw_col_t c)
{
    const SpreadFormat f = store.format(col, row);
    const auto type = store.valueType(col, row);
    if (type == SpreadModel::Empty) {
        if ((f.backColor & 0xFFFFFF) != 0xFFFFFF)
            worksheet_write_blank(ws, r, c, formats.get(f, false));
        return;
    }
    bool number = false;
    double value = 0;
    if (f.kind == 13) {
        if (type == SpreadModel::Number) {
            number = true;
            value = store.numberValue(col, row);
        } else if (const auto v = SpreadNumber::parse(store.rawText(col, row), f.decimalChar, f.groupChar)) {
            number = true;
            value = *v;
        }
    }
    if (number) {
        worksheet_write_number(ws, r, c, value, formats.get(f, true));
    } else {
        const QByteArray utf8 = SpreadExcelExport::escapeText(store.displayText(col, row)).toUtf8();
        worksheet_write_string(ws, r, c, utf8.constData(), formats.get(f, false));
    }
}

} // namespace

QString SpreadExcelExport::escapeText(const QString &text)
{
    // the workbook reads "_xHHHH_" as the character HHHH; a literal one keeps its underscore as "_x005F_"
    if (!text.contains(QLatin1String("_x"), Qt::CaseInsensitive))
        return text;
    const QRegularExpression escape(QStringLiteral("_([xX][0-9A-Fa-f]{4}_)"));
    QString out = text;
    out.replace(escape, QStringLiteral("_x005F_\\1"));
    return out;
}

QString SpreadExcelExport::numberFormat(int decimals, bool showGroups)
{
    decimals = std::clamp(decimals, 0, SpreadNumber::MaxDecimals);
    QString f = showGroups ? QStringLiteral("#,##0") : QStringLiteral("0");
    if (decimals > 0)
        f += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
    return f;
}

double SpreadExcelExport::excelWidth(int pixels)
{
    // Excel's default font: 7 pixels per character plus 5 pixels of padding
    return pixels <= 5 ? 0.0 : (pixels - 5) / 7.0;
}

bool SpreadExcelExport::write(const SpreadModel &store, const QString &file, const QString &sheet,
                              const QString &logFile)
{
    const QString sheetName = sheet.isEmpty() ? QStringLiteral("Sheet1") : sheet;
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
    const int rows = store.maxRows();
    const int cols = store.maxCols();
    for (int c = 1; c <= cols; ++c) {
        lxw_row_col_options opt = {};
        opt.hidden = store.colHidden(c) ? 1 : 0;
        worksheet_set_column_opt(ws, lxw_col_t(c - 1), lxw_col_t(c - 1),
                                 excelWidth(SpreadUnits::widthToPixels(store.colWidth(c))), nullptr, &opt);
    }

    // merged blocks of the data area: merge, then write the block's first cell into it
    QHash<quint64, bool> covered;
    for (const QRect &s : store.spans()) {
        if (s.top() < 1 || s.right() < 1)
            continue;
        const int left = std::max(s.left(), 1);
        const int right = std::min(s.right(), cols);
        const int bottom = std::min(s.bottom(), rows);
        if (left > right || s.top() > bottom || (left == right && s.top() == bottom))
            continue;
        const SpreadFormat f = store.format(left, s.top());
        worksheet_merge_range(ws, lxw_row_t(s.top() - 1), lxw_col_t(left - 1), lxw_row_t(bottom - 1),
                              lxw_col_t(right - 1), "", formats.get(f, false));
        writeCell(ws, formats, store, left, s.top(), lxw_row_t(s.top() - 1), lxw_col_t(left - 1));
        for (int r = s.top(); r <= bottom; ++r)
            for (int c = left; c <= right; ++c)
                covered.insert((quint64(r) << 32) | quint64(c), true);
    }

    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= cols; ++c) {
            if (!covered.isEmpty() && covered.contains((quint64(r) << 32) | quint64(c)))
                continue;
            writeCell(ws, formats, store, c, r, lxw_row_t(r - 1), lxw_col_t(c - 1));
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
    writeLog(logFile, QStringLiteral("exported %1 rows x %2 columns to %3").arg(rows).arg(cols).arg(file));
    return true;
}
