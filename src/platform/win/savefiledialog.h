#pragma once

#include "platform/win/outputrequests.h"

#include <QString>

#include <optional>

class QWidget;

// The save dialog of the export and of the graph's picture: the chosen full file name ("" when it
// gave no name), or nullopt for Cancel. It asks no overwrite question: the program asks its own.
namespace SaveFileDialog {

std::optional<QString> askSaveFile(QWidget *parent, const SaveFileRequest &request);

} // namespace SaveFileDialog
