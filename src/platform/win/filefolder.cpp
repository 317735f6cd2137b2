#include "filefolder.h"

namespace FileFolder {

QString folderOfFile(const QString &fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
    return slash < 0 ? QString() : fileName.left(slash + 1);
}

} // namespace FileFolder
