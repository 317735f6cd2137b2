#pragma once

#include <QList>
#include <QString>

#include <utility>

// The unixODBC configuration through its odbcinst API: system data sources live where
// unixODBC keeps them ($ODBCSYSINI/odbc.ini when that is set).
namespace OdbcConfig {

using Values = QList<std::pair<QString, QString>>;

// Writes these values into the system data source `name`. A value the program writes on other
// runs and not on this one is removed; other keys of the section stay. Returns false when a call
// failed.
bool writeSystemDsn(const QString &name, const Values &values);

// Sets one value of a system odbc.ini section (e.g. the "ODBC Data Sources" list).
bool writeSystemValue(const QString &section, const QString &key, const QString &value);

// A value of a data source (system or user), or of an installed driver section of
// odbcinst.ini (`inDrivers`); empty when missing.
QString readValue(const QString &section, const QString &key, bool inDrivers = false);

// Names of the data sources unixODBC lists (SQLDataSources).
QStringList dataSources();

// Full path of a driver library installed by the distribution (e.g. "libsqlite3odbc.so"),
// looked up in the usual ODBC driver folders; empty when not found.
QString findDriverLibrary(const QString &fileName);

// The library of the driver registered as `driverName` in odbcinst.ini, or found by file
// name as a fallback; empty when neither exists.
QString driverLibrary(const QString &driverName, const QString &fileName);

} // namespace OdbcConfig
