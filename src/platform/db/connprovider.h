#pragma once

#include "dbconnection.h"

#include <QString>

#include <memory>
#include <stdexcept>

// Raised by the provider when the connection cannot be made; what() is the reason in the
// user's words (UTF-8).
class DbError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The process-wide connection provider: takes the four connection settings and opens the one
// connection that the data-access objects share.
class ConnProvider
{
public:
    ConnProvider() = default;

    void setServerName(const QString &v) { m_settings.server = v; }
    void setUserId(const QString &v) { m_settings.user = v; }
    void setUserPassword(const QString &v) { m_settings.password = v; }
    void setDatabaseName(const QString &v) { m_settings.database = v; }
    QString ServerName() const { return m_settings.server; }
    QString UserId() const { return m_settings.user; }
    QString DatabaseName() const { return m_settings.database; }

    // Where a relative SQLite file is found (the system directory).
    void setBaseDirectory(const QString &dir) { m_settings.baseDir = dir; }
    void setBusyTimeoutMs(int ms) { m_settings.busyTimeoutMs = ms; }
    void setLoginTimeoutSeconds(int s) { m_settings.loginTimeoutS = s; }
    // Statements run on every SQLite open (the embedded database makes its own table).
    void setSqliteSetup(const QStringList &statements) { m_settings.sqliteSetup = statements; }

    // Opens the connection with the current settings. Returns true when open; throws DbError
    // when the connection cannot be made (unknown server, refused login, missing file ...).
    bool OpenConnection();
    // The shared connection (null before OpenConnection).
    std::shared_ptr<DbConnection> GetConnection() const { return m_connection; }

private:
    DbConnection::Settings m_settings;
    std::shared_ptr<DbConnection> m_connection;
};
