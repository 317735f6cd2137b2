#include "platform/win/savefiledialog.h"

#include "platform/win/filefolder.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QLineEdit>
#include <QMimeDatabase>

namespace {

// Icons and types from the names alone: reading a file to tell its type can block for good (a
// kernel log under /proc) and would hold the dialog with it.
class NameOnlyIconProvider : public QFileIconProvider
{
public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo &info) const override { return icon(info.isDir() ? Folder : File); }
    QString type(const QFileInfo &info) const override
    {
        if (!info.isFile())
            return QFileIconProvider::type(info); // folders and special files: no content is read
        const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }
};

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
    // a folder of the system's own pseudo files is never where a dialog opens
    const QString folder = FileFolder::isPseudoFileSystem(request.folder) ? QDir::homePath() : request.folder;
    SaveDialog dialog(parent, request.title, folder);
    NameOnlyIconProvider icons;
    icons.setOptions(QFileIconProvider::DontUseCustomDirectoryIcons);
    // the dialog of our own, so that the icons and the name box above are the ones in use
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&icons);
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
