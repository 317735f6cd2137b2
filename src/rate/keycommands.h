#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>

class QWidget;

// The keyboard command dispatcher: function keys become commands ("Data_Query" ...) that run on
// the active form of CommandHost. This program fills none of the tables, so every key ends as
// "no command" — quietly, without an error or a message.
namespace KeyCommand {

inline constexpr int Count = 11;
inline constexpr int NoCommand = 9999;

// Modifier bits as the key handlers pass them.
inline constexpr int ShiftMask = 1;
inline constexpr int CtrlMask = 2;
inline constexpr int AltMask = 4;

// Command names by index ("Data_Query", "Data_Find", ... "Data_Exit").
const std::array<QString, Count> &names();

// The tables, index 0..10: key codes as text, enabled flags, and the host whose active form
// receives the command (an object with a slot named like the command). One for the process.
struct Tables
{
    std::array<QString, Count> KeyCodes;
    std::array<bool, Count> KeyEnabled{};
    QPointer<QObject> CommandHost;
};
Tables &tables();

} // namespace KeyCommand

// Key codes are the form's virtual key numbers (F1 = 112 ... F12 = 123, letters as upper case).
void sbKey_Down(int keyCode, int shift);
void sbKey_Run(int keyCode, int shift);
int fnKey_Command(int keyCode, int shift);
void sbRun_Command(int index);

// Virtual key number of a Qt key (0 when it has none).
namespace KeyCommand {
int virtualCode(int qtKey);
} // namespace KeyCommand
