#pragma once

#include <QString>

// Where the machine-wide files of the program live (ZEVARU.DAT, registry.ini); never with a
// trailing slash. In this order:
//   $ZEVARU_SYSTEM_DIR when set;
//   /etc/zevaru when it exists (an administrator's folder, even a broken one, is never passed over);
//   the personal folder $XDG_DATA_HOME/zozura (~/.local/share/zozura) once it holds ZEVARU.DAT;
//   else /etc/zevaru, which does not exist: the first start may then offer the personal folder.
namespace SystemDir {

enum class Source { Environment, Machine, Personal, None };

struct Choice
{
    QString path;
    Source source;
};

// The rule above on given facts, so it can be checked without touching /etc.
Choice choose(const QString &envValue, bool envSet, const QString &machineDir, bool machineExists,
              const QString &personalDir, bool personalConfExists);

// The rule applied to this process's environment and file system.
Choice current();
QString path();

// The personal folder, whether it exists or not.
QString personalPath();

} // namespace SystemDir
