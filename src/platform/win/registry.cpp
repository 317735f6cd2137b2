#include "registry.h"

#include "smallfile.h"
#include "systemdir.h"

#include <QStringDecoder>
#include <QStringList>

namespace Registry {

namespace {

// The file's text, or nothing when it is missing or cannot be used.
std::optional<QString> load(FileState *state)
{
    QByteArray bytes;
    switch (SmallFile::read(iniPath(), &bytes)) {
    case SmallFile::Result::Read:
        break;
    case SmallFile::Result::Missing:
        *state = FileState::Missing;
        return std::nullopt;
    default:
        *state = FileState::Unreadable;
        return std::nullopt;
    }
    std::optional<QString> text = decodeText(bytes);
    *state = text ? FileState::Readable : FileState::Unreadable;
    return text;
}

QStringView trimmed(QStringView s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && (s[b] == u' ' || s[b] == u'\t'))
        ++b;
    while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t'))
        --e;
    return s.mid(b, e - b);
}

} // namespace

QString iniPath()
{
    return SystemDir::path() + QStringLiteral("/registry.ini");
}

FileState fileState()
{
    FileState state = FileState::Missing;
    load(&state);
    return state;
}

std::optional<QString> decodeText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError())
        return std::nullopt;
    for (const QChar c : std::as_const(text)) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t' && u != u'\r' && u != u'\n') || u == 0x7F)
            return std::nullopt;
    }
    return text;
}

std::optional<QString> valueIn(const QString &text, const QString &keyPath, const QString &valueName, int *lineNo)
{
    std::optional<QString> value;
    bool inSection = false;
    int number = 0;
    if (lineNo)
        *lineNo = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const QStringView bare = trimmed(line);
        if (bare.isEmpty() || bare.startsWith(u';') || bare.startsWith(u'#'))
            continue;
        if (bare.startsWith(u'[') && bare.endsWith(u']')) {
            inSection = trimmed(bare.mid(1, bare.size() - 2)).compare(keyPath, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inSection || eq < 0)
            continue;
        if (trimmed(line.left(eq)).compare(valueName, Qt::CaseInsensitive) == 0) {
            value = trimmed(line.mid(eq + 1)).toString();
            if (lineNo)
                *lineNo = number;
        }
    }
    return value;
}

QString readValue(const QString &keyPath, const QString &valueName, bool *found, int *line)
{
    if (found)
        *found = false;
    if (line)
        *line = 0;
    FileState state = FileState::Missing;
    const std::optional<QString> text = load(&state);
    if (!text)
        return {};
    const std::optional<QString> value = valueIn(*text, keyPath, valueName, line);
    if (found)
        *found = value.has_value();
    return value.value_or(QString());
}

} // namespace Registry
