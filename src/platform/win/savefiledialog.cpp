#include "platform/win/savefiledialog.h"

#include <QFileDialog>

namespace SaveFileDialog {

std::optional<QString> askSaveFile(QWidget *parent, const SaveFileRequest &request)
{
    QFileDialog dialog(parent, request.title, request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // "description | pattern": the dialog shows "description (pattern)"
    dialog.setNameFilter(request.filter.split(u'|').value(0).trimmed());
    dialog.selectFile(request.fileName);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFiles().value(0);
}

} // namespace SaveFileDialog
