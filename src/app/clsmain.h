#pragma once

#include <QString>

#include <functional>
#include <memory>

class ConnProvider;
class QWidget;
class SingleInstance;

namespace App {

// The process-wide state of one run: the single-instance lock, the connection provider, the user
// code and the hook that ends the process. main() owns the one object, made after QApplication
// and destroyed before it, so the connection and the lock are given back while Qt still runs and
// nothing of the program is left for static destruction. The module functions below act on it.
class Program
{
public:
    Program();
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // The living object (null when there is none).
    static Program *current();

    // Gives back the connection, then the lock; the destructor does it too.
    void release();

    // Tests record the exit code instead of leaving the event loop.
    void setEndHook(std::function<void(int)> hook) { m_endHook = std::move(hook); }

private:
    friend bool isAnotherCopyRunning();
    friend bool sbInit_Program(QWidget *parent);
    friend ConnProvider *connProvider();
    friend const QString &UserCode();
    friend void endProcess(int code);

    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<ConnProvider> m_provider;
    QString m_userCode;
    std::function<void(int)> m_endHook;
};

// True when another copy of the program already runs. Otherwise this process takes the lock
// and keeps it until the Program object goes.
bool isAnotherCopyRunning();

// Prepares the connection provider (settings from ZEVARU.DAT, each field read anew, then the
// connection opened) and UserCode (registry REG_USERID). Any failure shows the "에러" box and
// returns false; the caller then ends the process.
bool sbInit_Program(QWidget *parent = nullptr);

// The provider made by sbInit_Program (null before, and without a Program).
ConnProvider *connProvider();

// The user's code from the registry; empty when the value is missing.
const QString &UserCode();

// Ends the process with an exit code: leaves the event loop (closing every window with it), or
// calls the Program's end hook when one is set.
void endProcess(int code);

// A provider opened with the settings of ZEVARU.DAT, as the start-up opens it (the command-line
// tools share it). Throws std::exception (reason in UTF-8) when the settings or the registry file
// cannot be read or the connection cannot be made.
std::unique_ptr<ConnProvider> openConnProvider();

// The statements run on every open of the embedded SQLite database (creates EX_RATE).
QStringList sqliteSchemaStatements();

} // namespace App

using App::sbInit_Program;
using App::UserCode;
