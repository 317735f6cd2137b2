#pragma once

#include <QChar>
#include <QtGlobal>

// Display attributes of a cell, a column or the whole grid. Only the fields whose bit is in `set`
// are meaningful in an override; overlay() lays an override over a resolved format.
struct SpreadFormat
{
    enum Field : quint32 {
        Kind = 1u << 0,
        Decimals = 1u << 1,
        DecimalChar = 1u << 2,
        GroupChar = 1u << 3,
        ShowGroups = 1u << 4,
        HAlign = 1u << 5,
        VAlign = 1u << 6,
        BackColor = 1u << 7,
        ForeColor = 1u << 8,
        Locked = 1u << 9,
        BorderLeft = 1u << 10,
        BorderRight = 1u << 11,
        BorderTop = 1u << 12,
        BorderBottom = 1u << 13,
    };
    static constexpr quint32 AllBorders = BorderLeft | BorderRight | BorderTop | BorderBottom;

    struct Border
    {
        quint8 style = 0; // 0 none, 1 solid, 2 dash, 3 dot
        int rgb = 0; // red in the low byte
        bool operator==(const Border &) const = default;
    };

    quint32 set = 0;
    int kind = 1;
    int decimals = 2;
    QChar decimalChar = QLatin1Char('.');
    QChar groupChar = QLatin1Char(',');
    bool showGroups = false;
    int hAlign = 0; // 0 left, 1 right, 2 centre
    int vAlign = 2; // 0 top, 1 bottom, 2 centre
    int backColor = 0xFFFFFF;
    int foreColor = 0;
    bool locked = false;
    Border left, right, top, bottom;

    // Copies the fields of `patch` that it sets.
    void overlay(const SpreadFormat &patch);
    // Drops the given fields from an override.
    void clear(quint32 fields) { set &= ~fields; }
    bool isEmpty() const { return set == 0; }
};
