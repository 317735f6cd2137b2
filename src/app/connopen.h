#pragma once

#include <QStringList>

#include <memory>

class ConnProvider;

namespace App {

// A provider opened with the settings of ZEVARU.DAT, as the start-up opens it (the command-line
// tools share it). Throws std::exception (reason in UTF-8) when the settings or the registry file
// cannot be read or the connection cannot be made.
std::unique_ptr<ConnProvider> openConnProvider();

// The statements run on every open of the embedded SQLite database (creates EX_RATE).
QStringList sqliteSchemaStatements();

} // namespace App
