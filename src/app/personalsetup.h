#pragma once

#include <QString>

class QWidget;

// A personal embedded database for a computer without a system folder: the folder
// $XDG_DATA_HOME/zozura with a ZEVARU.DAT for SQLite, an empty database and a registry.ini
// naming the user by the login name. An administrator's folder or $ZEVARU_SYSTEM_DIR always
// comes first, so this only ever runs where the program could not start otherwise.
namespace PersonalSetup {

inline constexpr char DatabaseFile[] = "zozura.db";

// The login name of this process's user ($USER when the account database has no entry).
QString loginName();

// The user code written into new rows: the login name without characters the registry file
// would read differently; "USER" when nothing is left.
QString userCodeFor(const QString &login);

// The connection record's user field for a login name: printable ASCII of at most 30 characters,
// as zevaru-conf accepts it; "zozura" otherwise.
QString confUserFor(const QString &login);

// Makes the folder and its files. An existing database or registry.ini is kept as it is (no day
// is ever lost to a second set-up); ZEVARU.DAT is written last, so a set-up cut short is offered
// again at the next start. Empty text when done, else why not (Korean).
QString create(const QString &dir, const QString &login);

// At start-up, before the settings are read: when there is no system folder at all, asks on the
// message screen whether to make the personal one and makes it. True when the start may go on
// (a system folder was there, or the set-up was made); false when the user said no or the
// set-up failed (after a notice saying why); the program then ends.
bool offer();

} // namespace PersonalSetup
