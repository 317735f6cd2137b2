#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class QImage;

// Saving the chart as a picture: the proposed file name, the remembered folder and a writer that never
// leaves a partial file behind.

// Outcome of writing the picture.
struct PictureWrite
{
    bool ok = false;
    bool permissionDenied = false; // the system refused access (the "file in use" case)
    QString description; // the system's description of the failure
};

namespace GraphPicture {

// Texts of the save dialog.
QString saveTitle(); // "파일로 저장하기"
QString saveFilter(); // "JPEG File (*.jpg) | *.jpg": description and pattern
QString saveSuffix(); // "jpg"

// "YYYYMMDD" & " " & heading; a path separator in the heading would name another folder, so it is
// replaced by "_" in the proposal.
QString proposedName(const QDate &day, const QString &heading);

// Writes the image as JPEG at quality 100. The picture goes to a temporary file in the same folder that
// replaces the target only when complete, so a failure leaves any old file as it was and no partial file.
PictureWrite writeJpeg(const QImage &image, const QString &fileName);

// Message texts.
QString savedText(const QString &fileName); // "아래 경로로 저장하였습니다." CR LF CR LF "경로 : " & name
QString saveErrorText(const PictureWrite &result);

// The printer a chart goes to: the system's default, else the first printer the system has (a
// working queue that nobody made the default), else none (empty text).
QString printerName(const QString &defaultName, const QStringList &available);

} // namespace GraphPicture
