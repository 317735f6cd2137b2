#include "platform/win/filedialogparts.h"

#include "platform/win/filefolder.h"

#include <QDir>
#include <QFileDialog>
#include <QMimeDatabase>

namespace FileDialogParts {

NameOnlyIconProvider::NameOnlyIconProvider()
{
    setOptions(QFileIconProvider::DontUseCustomDirectoryIcons);
}

QIcon NameOnlyIconProvider::icon(IconType type) const
{
    return QFileIconProvider::icon(type);
}

QIcon NameOnlyIconProvider::icon(const QFileInfo &info) const
{
    return icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo &info) const
{
    if (!info.isFile())
        return QFileIconProvider::type(info); // folders and special files: no content is read
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    return mime.comment().isEmpty() ? mime.name() : mime.comment();
}

void useNamesOnly(QFileDialog &dialog, NameOnlyIconProvider &icons)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
    dialog.setIconProvider(&icons);
}

QString startFolder(const QString &wanted)
{
    return FileFolder::isPseudoFileSystem(wanted) ? QDir::homePath() : wanted;
}

} // namespace FileDialogParts
