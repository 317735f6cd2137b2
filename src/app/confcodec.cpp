#include "confcodec.h"

#include "anymodule.h"
#include "confrandom.h"
#include "platform/win/spacetrim.h"

#include <QStringList>

namespace {

constexpr int FieldCut = 255;

bool isPrintable(int c)
{
    return c >= 32 && c <= 126;
}

App::ConfRandom seededGenerator()
{
    App::ConfRandom rnd;
    rnd.reset();
    rnd.seed(fnConf_Hash(QString::fromLatin1(ConfCodec::KeyString)));
    return rnd;
}

} // namespace

namespace ConfCodec {

int fieldStart(int index)
{
    if (index == 0)
        return 0;
    if (index >= 1 && index <= 4)
        return 1 + (index - 1) * 30;
    return -1;
}

int fieldWidth(int index)
{
    if (index == 0)
        return 1;
    if (index >= 1 && index <= 4)
        return 30;
    return 0;
}

bool fieldTrimmed(int index)
{
    return index >= 1 && index <= 4;
}

QString cutField(const QString &record, int index)
{
    const int start = fieldStart(index);
    if (start < 0 || start >= record.size())
        return {};
    const QString f = record.mid(start, fieldWidth(index));
    return fieldTrimmed(index) ? SpaceTrim::trimSpaces(f) : f;
}

int ansiCode(QChar c)
{
    return c.unicode() <= 0xFF ? c.unicode() : '?';
}

QString descramble(const QString &text)
{
    App::ConfRandom rnd = seededGenerator();
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        // a character beyond Latin-1 has only codes above 126 in any ANSI code page
        const int c = ch.unicode();
        if (!isPrintable(c))
            continue;
        int v = c - rnd.nextShift();
        if (v < 32)
            v += 95;
        out.append(QChar(v));
    }
    return out;
}

QString scramble(const QString &plain)
{
    App::ConfRandom rnd = seededGenerator();
    QString out;
    out.reserve(plain.size());
    for (QChar ch : plain) {
        const int c = ch.unicode();
        if (!isPrintable(c))
            continue;
        int v = c + rnd.nextShift();
        if (v > 126)
            v -= 95;
        out.append(QChar(v));
    }
    return out;
}

QString accumulateFields(const QByteArray &content)
{
    const QString s = QString::fromLatin1(content);
    const qsizetype n = s.size();
    auto isLineEnd = [&](qsizetype i) { return s.at(i) == QLatin1Char('\r') || s.at(i) == QLatin1Char('\n'); };
    // consumes one delimiter at i (a comma, CR LF, CR or LF) and returns the position after it
    auto skipDelimiter = [&](qsizetype i) {
        if (i >= n)
            return i;
        if (s.at(i) == QLatin1Char('\r') && i + 1 < n && s.at(i + 1) == QLatin1Char('\n'))
            return i + 2;
        return i + 1;
    };

    QString acc;
    bool first = true;
    qsizetype i = 0;
    while (i < n) {
        while (i < n && s.at(i) == QLatin1Char(' '))
            ++i;
        QString field;
        if (i < n && s.at(i) == QLatin1Char('"')) {
            const qsizetype close = s.indexOf(QLatin1Char('"'), i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = s.mid(i + 1, end - i - 1);
            i = close < 0 ? n : close + 1;
            // anything between the closing quote and the delimiter is not part of the field
            while (i < n && s.at(i) != QLatin1Char(',') && !isLineEnd(i))
                ++i;
        } else {
            const qsizetype b = i;
            while (i < n && s.at(i) != QLatin1Char(',') && !isLineEnd(i))
                ++i;
            field = s.mid(b, i - b);
        }
        i = skipDelimiter(i);
        field = SpaceTrim::trimSpaces(field.left(FieldCut));
        if (!first)
            acc += QLatin1Char(',');
        acc += field;
        first = false;
    }
    return acc;
}

QByteArray fileContent(const QString &scrambled)
{
    const QStringList pieces = scrambled.split(QLatin1Char(','));
    QByteArray out;
    for (qsizetype k = 0; k < pieces.size(); ++k) {
        if (k)
            out += ',';
        out += '\t';
        out += pieces.at(k).toLatin1();
        out += '\t';
    }
    out += "\r\n";
    return out;
}

QString joinRecord(const QString &flag, const QString &server, const QString &user, const QString &password,
                   const QString &database)
{
    const QString fields[FieldCount] = {flag, server, user, password, database};
    QString record;
    for (int k = 0; k < FieldCount; ++k)
        record += fields[k].leftJustified(fieldWidth(k), QLatin1Char(' '));
    return record;
}

} // namespace ConfCodec
