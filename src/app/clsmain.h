#pragma once

#include <QString>

#include <functional>
#include <memory>

class ConnProvider;
class QWidget;

// Process-wide start-up state: the single-instance lock, the connection provider and the
// user code. They live for the whole process once start-up has made them.

// True when another copy of the program already runs. Otherwise this process takes the lock
// and keeps it until it ends.
bool fnChk_PrevInstance();

// Prepares the connection provider (settings from ZEVARU.DAT, each field read anew, then the
// connection opened) and UserCode (registry REG_USERID). Any failure shows the "에러" box and
// returns false; the caller then ends the process.
bool sbInit_Program(QWidget *parent = nullptr);

// A provider opened with the settings of ZEVARU.DAT, as the start-up opens it (the command-line
// tools share it). Throws std::exception (reason in UTF-8) when the settings or the registry file
// cannot be read or the connection cannot be made.
std::unique_ptr<ConnProvider> fnOpen_ConnProvider();

// The provider made by sbInit_Program (null before).
ConnProvider *fnGet_ConnProvider();

// The user's code from the registry; empty when the value is missing.
const QString &UserCode();

// The statements run on every open of the embedded SQLite database (creates EX_RATE).
QStringList sqliteSchemaStatements();

// Ends the process with an exit code: leaves the event loop (closing every window with it).
// Tests replace this with a hook that records the code instead.
void sbEnd_Process(int code);
void setEndProcessHook(std::function<void(int)> hook);

// Forgets the provider, the user code and the lock, so a test can start the program again
// in the same process.
void resetProgramForTests();
