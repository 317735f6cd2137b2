#pragma once

#include "platform/db/odbcconfig.h"

#include <QString>

// The report data source ZEVARU: a system ODBC data source for the database of the connection
// settings, so report tools of the installation reach the same data. Rewritten at every start.

namespace App {

// The values of the data source for the given settings, in the order they are written. The
// password is never among them. sqliteBaseDir turns a relative SQLite file into a full path;
// a SQLite source also loads sqliteExtension (GETDATE()) when one is given.
OdbcConfig::Values reportDsnValues(const QString &server, const QString &user, const QString &database,
                                   const QString &sqliteBaseDir, const QString &sqliteExtension = QString());

// The GETDATE() extension for SQLite sources beside the program (a build folder) or in the
// program's library folder of an installation (../lib/<arch>/zozura or ../lib/zozura from the
// program's folder); empty when none has it.
QString getdateExtensionPath(const QString &programDir, const QString &arch);

// The driver kind listed for ZEVARU under "ODBC Data Sources" ("SQL Server" for SQL Server).
QString reportDsnKind(const QString &server);

} // namespace App

// Reads the settings (database, system directory, user, server), then replaces the system
// data source ZEVARU. ODBC failures are passed over; a configuration file that cannot be read
// raises std::runtime_error to the caller.
void sbSet_ReportDSN();
