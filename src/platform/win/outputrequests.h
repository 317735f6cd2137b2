#pragma once

#include <QString>
#include <QStringList>

// What a window asks of the file dialog and of the print system when it saves a picture or prints,
// in a form a test can answer through the services without either.

// What the save dialog is asked for (the export's and the picture's alike).
struct SaveFileRequest
{
    QString title, filter, defaultSuffix, folder, fileName;
};

// What the print system offers: its default printer (may be empty) and every printer it has.
struct PrinterList
{
    QString defaultName;
    QStringList names;
};
