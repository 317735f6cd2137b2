#pragma once

#include <QFileIconProvider>
#include <QString>

class QFileDialog;

// What the program's file dialogs (the save dialog of the export and the picture, the import's
// open dialog) share so that no folder can hold them.
namespace FileDialogParts {

// Icons and types from the names alone: reading a file to tell its type can block for good (a
// kernel log under /proc) and would hold the dialog with it.
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    NameOnlyIconProvider();
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo &info) const override;
    QString type(const QFileInfo &info) const override;
};

// The dialog of our own (so that `icons` is the one in use), told file types by name only.
// `icons` must outlive the dialog.
void useNamesOnly(QFileDialog &dialog, NameOnlyIconProvider &icons);

// Where a dialog opens: `wanted`, or the home folder when that lies on a pseudo file system.
QString startFolder(const QString &wanted);

} // namespace FileDialogParts
