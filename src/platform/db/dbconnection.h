#pragma once

#include "connspec.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The one database connection of the process, as handed from the provider to the data-access
// objects. It keeps what it needs to open itself again, so a connection found broken (a
// restarted server) is reopened before the next command instead of failing for good.
class DbConnection
{
public:
    struct Settings
    {
        QString server;
        QString user;
        QString password;
        QString database;
        QString baseDir; // a relative SQLite file is taken from here
        int busyTimeoutMs = 5000; // SQLite: how long a locked database is waited for (ms)
        int loginTimeoutS = 10; // server backends: how long a connect may take (s)
        QStringList sqliteSetup; // run on every SQLite open (e.g. CREATE TABLE IF NOT EXISTS)
    };

    explicit DbConnection(const Settings &settings);
    ~DbConnection();
    DbConnection(const DbConnection &) = delete;
    DbConnection &operator=(const DbConnection &) = delete;

    // Opens (or reopens) the connection. On failure lastError() tells why in the user's words.
    bool open();
    void close();
    bool isOpen() const;

    // A command found the connection unusable; the next command reopens it first.
    void markBroken() { m_broken = true; }
    bool isBroken() const { return m_broken; }
    // Reopens when marked broken or closed; true when the connection is open afterwards.
    bool ensureOpen();
    // A trivial statement that only fails when the connection itself is gone. Never call it
    // inside a transaction: an aborted transaction fails it as well.
    bool probe();

    QSqlDatabase database() const;
    // The embedded database's own handle while open (null for the other backends): reading a
    // large result set through it skips a QVariant per field.
    struct sqlite3 *sqliteHandle() const;
    QString connectionName() const { return m_name; }
    const ConnSpec &conn() const { return m_spec; }
    const Settings &settings() const { return m_settings; }
    QString lastError() const { return m_lastError; }
    // How many times the connection was opened (1 after the first open); reopens add to it.
    int openCount() const { return m_openCount; }

    // The absolute SQLite database file for the settings.
    QString sqliteFile() const;
    // The ODBC connection string for the Odbc and SqlServer backends, as Qt's ODBC driver takes it.
    QString odbcConnectString() const;

private:
    bool openSqlite(QSqlDatabase &db);
    bool fail(const QString &why);

    Settings m_settings;
    ConnSpec m_spec;
    QString m_name;
    QString m_lastError;
    bool m_broken = false;
    int m_openCount = 0;
};
