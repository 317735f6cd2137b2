#pragma once

#include <QString>

// Where the machine-wide files of the program live (ZEVARU.DAT, registry.ini):
// $ZEVARU_SYSTEM_DIR when set, else /etc/zevaru; never with a trailing slash.
namespace SystemDir {

QString path();

} // namespace SystemDir
