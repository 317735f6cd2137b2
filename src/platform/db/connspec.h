#pragma once

#include <QString>

// What the server field of the connection settings selects:
//   "sqlite"            embedded SQLite; the database field is the file (relative to a base dir)
//   "pgsql:HOST[:PORT]" PostgreSQL; the database field is the database name
//   "odbc:DSN"          any ODBC data source; the database field is passed on
//   anything else       SQL Server through the FreeTDS ODBC driver: HOST, HOST,PORT or
//                       HOST\INSTANCE
struct ConnSpec
{
    enum class Backend { Sqlite, Postgres, Odbc, SqlServer };

    Backend backend = Backend::SqlServer;
    QString host; // Postgres, SqlServer
    int port = -1; // -1: the backend's default (5432, 1433)
    QString instance; // SqlServer named instance
    QString dsn; // Odbc
    bool valid = true;
    QString problem; // why the field cannot be used, in the user's words (when !valid)

    static ConnSpec fromServerField(const QString &server);

    static constexpr int DefaultPgPort = 5432;
    static constexpr int DefaultSqlServerPort = 1433;
};

namespace OdbcText {

// One attribute value of an ODBC connection string: framed in braces (a closing brace doubled)
// when it holds characters that would end or split the attribute.
QString quoteValue(const QString &value);

} // namespace OdbcText
