#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace CboRoutines {

// The list-box messages of fnCbo_SendMsg, under the numbers the forms send them by.
enum class Op : int {
    ShowDropDown = 0, // show the drop-down
    FindString = 1, // find the first item starting with text (whole list)
    FindStringExact = 2, // find the item equal to text
    AddString = 3, // append text
    InsertString = 4, // insert text at index (-1 = end)
    DeleteString = 5, // delete item index
    SetCurSel = 6, // select item index
    SetDroppedWidth = 9, // widen the drop-down to the items
};

} // namespace CboRoutines

// List-box messages of the find window's combo box (CboRoutines::Op). Letter case is ignored by the
// look-ups. Results are those of the list box: an item index, the remaining count after a delete,
// the new dropped width, or -1 when nothing matched or the index is out of range. Ops 7, 8 and any
// number outside 0..9 do nothing and answer 0.
long fnCbo_SendMsg(QComboBox *combo, const QString &text, CboRoutines::Op op, int index);
// The same by the op's number, as the forms write it.
inline long fnCbo_SendMsg(QComboBox *combo, const QString &text, int op, int index)
{
    return fnCbo_SendMsg(combo, text, CboRoutines::Op(op), index);
}

// Width in pixels the drop-down needs for its widest item: 0 for an empty list, else
// n * 6.5 + (font size in points - 9) * 15, rounded half to even, where n is the largest byte
// length of an item in the Korean code page (a Hangul syllable counts 2).
long fnCbo_MaxTextWidth(QComboBox *combo);

namespace CboRoutines {

// Dropped width last set with op 9 (0 before that).
int droppedWidth(const QComboBox *combo);

// Bytes the text takes in the Korean (CP949) code page: ASCII 1; every other character of the
// basic plane 2 (Hangul syllables and jamo, Hanja, full-width forms, symbols); a character beyond
// it 1, as the '?' it is replaced with.
int ansiByteLength(const QString &text);

// The arithmetic of fnCbo_MaxTextWidth for a list of items and a font size in points.
long maxTextWidth(const QStringList &items, double fontPointSize);

// Exact-string look-up as the list box does it when asked to start after item `after`: the items
// following it, then from the top back to it; letter case ignored. Index or -1.
int findStringExact(const QStringList &items, const QString &text, int after);

// Prefix look-up over the same order. Index or -1.
int findString(const QStringList &items, const QString &text, int after);

} // namespace CboRoutines
