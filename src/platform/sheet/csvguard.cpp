#include "platform/sheet/csvguard.h"

namespace {

bool startsFormula(char c)
{
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Whether the text, past any leading apostrophes, begins like a formula.
template<typename Text> bool needsGuard(const Text &t)
{
    qsizetype i = 0;
    while (i < t.size() && t[i] == '\'')
        ++i;
    return i < t.size() && startsFormula(char(t[i]));
}

} // namespace

QString CsvGuard::guard(const QString &text)
{
    const QByteArray utf8 = text.left(64).toUtf8();
    return needsGuard(QByteArrayView(utf8)) ? u'\'' + text : text;
}

qsizetype CsvGuard::guardLength(QByteArrayView utf8)
{
    return utf8.startsWith('\'') && needsGuard(utf8.sliced(1)) ? 1 : 0;
}
