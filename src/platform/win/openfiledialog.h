#pragma once

#include <QString>

#include <optional>

class QWidget;

// The import's open dialog: the chosen file, or nullopt for Cancel. It opens in the working
// folder, or in the home folder when that is one of the system's pseudo folders.
namespace OpenFileDialog {

// `filter`: Qt's "description (patterns);;..." list
std::optional<QString> askOpenFile(QWidget *parent, const QString &title, const QString &filter);

} // namespace OpenFileDialog
