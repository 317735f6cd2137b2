#include "platform/sheet/sheettext.h"

namespace SheetText {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The code unit of an "_xHHHH_" at `i`, or -1 when none starts there. The format's escape has a
// small x; `upperX` takes "_XHHHH_" too, which other readers may take for one.
int escapedAt(QStringView s, qsizetype i, bool upperX)
{
    if (i + 7 > s.size() || s[i] != u'_' || (s[i + 1] != u'x' && !(upperX && s[i + 1] == u'X')) || s[i + 6] != u'_')
        return -1;
    int v = 0;
    for (qsizetype k = i + 2; k < i + 6; ++k) {
        const int d = hexDigit(s[k]);
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

} // namespace

QString escapeLiterals(const QString &text)
{
    if (!text.contains(QLatin1String("_x"), Qt::CaseInsensitive))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (escapedAt(text, i, true) >= 0)
            out += QLatin1String("_x005F");
        out += text[i];
    }
    return out;
}

QString unescape(QStringView stored)
{
    if (!stored.contains(QLatin1String("_x")))
        return stored.toString();
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size();) {
        const int v = escapedAt(stored, i, false);
        if (v >= 0) {
            out += QChar(char16_t(v));
            i += 7;
        } else {
            out += stored[i++];
        }
    }
    return out;
}

} // namespace SheetText
