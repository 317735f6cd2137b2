#include "rate/keycommands.h"

#include <QMetaObject>
#include <Qt>

namespace KeyCommand {

Tables &tables()
{
    static Tables t;
    return t;
}

const std::array<QString, Count> &names()
{
    static const std::array<QString, Count> n = {
        QStringLiteral("Data_Query"),    QStringLiteral("Data_Find"), QStringLiteral("Data_Top"),
        QStringLiteral("Data_Previous"), QStringLiteral("Data_Next"), QStringLiteral("Data_Bottom"),
        QStringLiteral("Data_Insert"),   QStringLiteral("Data_Save"), QStringLiteral("Data_del"),
        QStringLiteral("Data_Print"),    QStringLiteral("Data_Exit")};
    return n;
}

} // namespace KeyCommand

using namespace KeyCommand;

void sbKey_Down(int keyCode, int shift)
{
    switch (shift) {
    case ShiftMask:
        if (keyCode == 113 || keyCode == 122 || keyCode == 123)
            sbKey_Run(keyCode, shift);
        return;
    case CtrlMask:
        if (keyCode == 80) { // Ctrl+P: print
            sbKey_Run(keyCode, shift);
            sbKey_Run(121, 0);
        }
        return;
    case AltMask:
        if (keyCode == 88) // Alt+X: exit
            sbKey_Run(keyCode, shift);
        return;
    default:
        if ((keyCode >= 112 && keyCode <= 119) || (keyCode >= 121 && keyCode <= 123))
            sbKey_Run(keyCode, shift);
        return;
    }
}

void sbKey_Run(int keyCode, int shift)
{
    const int index = fnKey_Command(keyCode, shift);
    if (index != NoCommand)
        sbRun_Command(index);
}

int fnKey_Command(int keyCode, int shift)
{
    const bool shiftHeld = shift & ShiftMask;
    const bool altHeld = shift & AltMask;
    for (int i = 0; i < Count; ++i) {
        bool ok = false;
        const int code = KeyCommand::tables().KeyCodes[size_t(i)].trimmed().toInt(&ok);
        if (!ok || code != keyCode)
            continue; // an entry that is no number is passed over
        const bool enabled = KeyCommand::tables().KeyEnabled[size_t(i)];
        const bool shiftCommand = i == 1 || i == 2 || i == 5;
        if (shiftHeld) {
            if (shiftCommand && enabled)
                return i;
        } else if (altHeld) {
            if (i == 10 && enabled)
                return i;
        } else if (!shiftCommand && enabled) {
            return i;
        }
    }
    return NoCommand;
}

void sbRun_Command(int index)
{
    QObject *host = KeyCommand::tables().CommandHost;
    if (index < 0 || index >= Count || !host)
        return;
    QMetaObject::invokeMethod(host, names()[size_t(index)].toLatin1().constData());
}

int KeyCommand::virtualCode(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // same as the upper-case letters
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
        return 9;
    default:
        return 0;
    }
}
