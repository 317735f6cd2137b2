#pragma once

class HoldRepeatTimer;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWidget;

namespace GridNav {

// The controls of one navigator, as its GridNav::Navigator makes them. The navigator keeps this
// record, and an SS_MOVE_INFO bound to it carries the same record (it is the record's control part),
// so the list of controls is written once. None of the pointers owns its control.
struct NavControls
{
    QWidget *picBack = nullptr; // picSS_BACK, the panel
    QWidget *fmeMove = nullptr; // fmeSS_MOVE, the bottom group of the panel
    QScrollBar *sclMove = nullptr; // sclSS_MOVE, Min 1, Max 10000; its "Tag" property holds the repeating direction

    QLineEdit *txtNow = nullptr; // txtSS_MOVE_NOW: first visible line
    QWidget *picNow = nullptr; // picSS_MOVE_NOW: its box
    QLineEdit *txtMax = nullptr; // txtSS_MOVE_MAX: number of lines
    QWidget *picMax = nullptr; // picSS_MOVE_MAX: its box

    QAbstractButton *cmdXls = nullptr; // cmdSS_MOVE_XLS: export
    QAbstractButton *cmdGrp = nullptr; // cmdSS_MOVE_GRP: graph; "Tag" = value column
    QAbstractButton *cmdFnd = nullptr; // cmdSS_MOVE_FND: find
    QAbstractButton *cmdRef = nullptr; // cmdSS_MOVE_REF: refresh; "Tag" = sizing mode "1".."4"

    // move buttons; their "Tag" properties are "TOP", "PUP", "1UP", "1DN", "PDN", "END"
    QAbstractButton *cmdTop = nullptr;
    QAbstractButton *cmdPup = nullptr;
    QAbstractButton *cmd1Up = nullptr;
    QAbstractButton *cmd1Dn = nullptr;
    QAbstractButton *cmdPdn = nullptr;
    QAbstractButton *cmdEnd = nullptr;

    QWidget *picGo = nullptr; // picSS_MOVE_GO: the go-to box
    QLabel *lblGo = nullptr; // lblSS_MOVE_GO: its range "(1 ~ 1,234)"
    QLineEdit *txtGo = nullptr; // txtSS_MOVE_GO: the line to go to (digits only)

    // The repeat timer timSS_MOVE (first repeat after 450 ms, then every 60 ms).
    HoldRepeatTimer *timMove = nullptr;
};

} // namespace GridNav
