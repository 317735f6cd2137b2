#include "cboroutines.h"

#include "platform/win/rounding.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QVariant>

#include <cmath>

namespace {

constexpr char DroppedWidthProperty[] = "zzDroppedWidth";
constexpr int ListError = -1; // the list box's error answer
constexpr int ScrollBarItemLimit = 8; // more items than this show a vertical scroll bar

QStringList itemsOf(const QComboBox *combo)
{
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

double pointSizeOf(const QComboBox *combo)
{
    const QFont &f = combo->font();
    if (f.pointSizeF() > 0)
        return f.pointSizeF();
    // a font given in pixels: points at the widget's logical dpi
    return f.pixelSize() * 72.0 / combo->logicalDpiY();
}

template<typename Pred> int searchAfter(const QStringList &items, int after, Pred matches)
{
    const int n = items.size();
    if (n == 0)
        return ListError;
    // -1 or an index outside the list searches the whole list from the top
    const int start = (after < 0 || after >= n) ? 0 : after + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (start + k) % n;
        if (matches(items.at(i)))
            return i;
    }
    return ListError;
}

} // namespace

namespace CboRoutines {

int ansiByteLength(const QString &text)
{
    int bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.unicode() < 0x80) {
            bytes += 1;
        } else if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes += 1; // outside the code page: becomes '?'
            ++i;
        } else {
            bytes += 2;
        }
    }
    return bytes;
}

long maxTextWidth(const QStringList &items, double fontPointSize)
{
    if (items.isEmpty())
        return 0;
    int n = 0;
    for (const QString &s : items)
        n = std::max(n, ansiByteLength(s));
    return long(Rounding::halfEven(n * 6.5 + (fontPointSize - 9.0) * 15.0));
}

int findStringExact(const QStringList &items, const QString &text, int after)
{
    return searchAfter(items, after, [&](const QString &s) { return s.compare(text, Qt::CaseInsensitive) == 0; });
}

int findString(const QStringList &items, const QString &text, int after)
{
    return searchAfter(items, after, [&](const QString &s) { return s.startsWith(text, Qt::CaseInsensitive); });
}

} // namespace CboRoutines

long fnCbo_MaxTextWidth(QComboBox *combo)
{
    if (!combo)
        return 0;
    return CboRoutines::maxTextWidth(itemsOf(combo), pointSizeOf(combo));
}

int CboRoutines::droppedWidth(const QComboBox *combo)
{
    return combo ? combo->property(DroppedWidthProperty).toInt() : 0;
}

long fnCbo_SendMsg(QComboBox *combo, const QString &text, CboRoutines::Op op, int index)
{
    if (!combo)
        return ListError;
    using CboRoutines::Op;
    switch (op) {
    case Op::ShowDropDown: // show the drop-down
        combo->showPopup();
        return 1;
    case Op::FindString:
        return CboRoutines::findString(itemsOf(combo), text, -1);
    case Op::FindStringExact:
        return CboRoutines::findStringExact(itemsOf(combo), text, 0);
    case Op::AddString:
        combo->addItem(text);
        return combo->count() - 1;
    case Op::InsertString: {
        const int at = index == -1 ? combo->count() : index;
        if (at < 0 || at > combo->count())
            return ListError;
        combo->insertItem(at, text);
        return at;
    }
    case Op::DeleteString:
        if (index < 0 || index >= combo->count())
            return ListError;
        combo->removeItem(index);
        return combo->count();
    case Op::SetCurSel:
        if (index < 0 || index >= combo->count()) {
            // the list box clears the selection (and the edit text) and reports an error
            combo->setCurrentIndex(-1);
            return ListError;
        }
        combo->setCurrentIndex(index);
        return index;
    case Op::SetDroppedWidth: {
        long width = fnCbo_MaxTextWidth(combo);
        if (combo->count() > ScrollBarItemLimit)
            width += combo->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, combo);
        // the list is never narrower than the box itself
        const int dropped = std::max<int>(int(width), combo->width());
        combo->setProperty(DroppedWidthProperty, dropped);
        combo->view()->setMinimumWidth(dropped);
        return dropped;
    }
    default:
        return 0;
    }
}
