#include "platform/win/savefiledialog.h"

#include "platform/win/filedialogparts.h"

#include <QFileDialog>
#include <QLineEdit>

namespace {

// The dialog's name box reads double quotes as a list of names ("a" "b") and keeps only the first
// quoted part: a typed name with a quote in it is taken whole instead.
class SaveDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    std::optional<QString> typedName() const { return m_typed; }

    void accept() override
    {
        const QLineEdit *box = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        const QString typed = box ? box->text() : QString();
        if (!typed.contains(u'"')) {
            QFileDialog::accept();
            return;
        }
        QString name = directory().absoluteFilePath(typed);
        if (!defaultSuffix().isEmpty() && !typed.contains(u'.'))
            name += u'.' + defaultSuffix();
        m_typed = name;
        // NOLINTNEXTLINE(bugprone-parent-virtual-call): the file dialog's own would split the name again
        QDialog::accept();
    }

private:
    std::optional<QString> m_typed;
};

} // namespace

namespace SaveFileDialog {

std::optional<QString> askSaveFile(QWidget *parent, const SaveFileRequest &request)
{
    FileDialogParts::NameOnlyIconProvider icons; // before the dialog: it is used until the dialog is gone
    SaveDialog dialog(parent, request.title, FileDialogParts::startFolder(request.folder));
    // the dialog of our own, so that the name box above is the one in use
    FileDialogParts::useNamesOnly(dialog, icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // "description | pattern": the dialog shows "description (pattern)"
    dialog.setNameFilter(request.filter.split(u'|').value(0).trimmed());
    dialog.selectFile(request.fileName);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    if (std::optional<QString> typed = dialog.typedName())
        return typed;
    return dialog.selectedFiles().value(0);
}

} // namespace SaveFileDialog
