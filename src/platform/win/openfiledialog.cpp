#include "platform/win/openfiledialog.h"

#include "platform/win/filedialogparts.h"

#include <QDir>
#include <QFileDialog>

namespace OpenFileDialog {

std::optional<QString> askOpenFile(QWidget *parent, const QString &title, const QString &filter)
{
    FileDialogParts::NameOnlyIconProvider icons; // before the dialog: it is used until the dialog is gone
    QFileDialog dialog(parent, title, FileDialogParts::startFolder(QDir::currentPath()), filter);
    FileDialogParts::useNamesOnly(dialog, icons);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QString file = dialog.selectedFiles().value(0);
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

} // namespace OpenFileDialog
