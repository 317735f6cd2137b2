#include "spreadformat.h"

void SpreadFormat::overlay(const SpreadFormat &patch)
{
    const quint32 f = patch.set;
    if (f & Kind)
        kind = patch.kind;
    if (f & Decimals)
        decimals = patch.decimals;
    if (f & DecimalChar)
        decimalChar = patch.decimalChar;
    if (f & GroupChar)
        groupChar = patch.groupChar;
    if (f & ShowGroups)
        showGroups = patch.showGroups;
    if (f & HAlign)
        hAlign = patch.hAlign;
    if (f & VAlign)
        vAlign = patch.vAlign;
    if (f & BackColor)
        backColor = patch.backColor;
    if (f & ForeColor)
        foreColor = patch.foreColor;
    if (f & Locked)
        locked = patch.locked;
    if (f & BorderLeft)
        left = patch.left;
    if (f & BorderRight)
        right = patch.right;
    if (f & BorderTop)
        top = patch.top;
    if (f & BorderBottom)
        bottom = patch.bottom;
    set |= f;
}
