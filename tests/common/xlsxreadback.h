#pragma once

// Shared by the tests that read a written workbook back: python3 with openpyxl prints it as JSON
// (tests/common/read_xlsx.py: sheet names, sizes, every non-empty cell with value, type, number
// format, colours and alignment, merged ranges, hidden columns and widths).

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace XlsxReadBack {

// The Python with openpyxl (Debian's python3-openpyxl lives beside /usr/bin/python3, which a
// python3 earlier on the PATH may not see); empty text when there is none.
inline QString python()
{
    for (const QString &py : {QStringLiteral("/usr/bin/python3"), QStringLiteral("python3")}) {
        QProcess p;
        p.start(py, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
        if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return py;
    }
    return QString();
}

// The workbook as JSON; an empty object when it cannot be read (the reason goes to the log).
inline QJsonObject read(const QString &file)
{
    const QString py = python();
    if (py.isEmpty()) {
        qWarning() << "python3 with openpyxl (python3-openpyxl) is missing";
        return {};
    }
    QProcess p;
    const QString script = qEnvironmentVariable("ZOZURA_SOURCE_DIR") + QStringLiteral("/tests/common/read_xlsx.py");
    p.start(py, {script, file});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return {};
    }
    return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

} // namespace XlsxReadBack
