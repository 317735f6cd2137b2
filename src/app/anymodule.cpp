#include "anymodule.h"

#include "confcodec.h"
#include "platform/win/registry.h"
#include "platform/win/smallfile.h"
#include "platform/win/spacetrim.h"
#include "platform/win/systemdir.h"

#include <array>
#include <stdexcept>

namespace {

constexpr std::array<const char *, 12> RegNames = {
    "REG_USERID",        "REG_USERNAME",      "REG_USERSET",       "REG_APPLOC",
    "REG_HTTPLOC",       "REG_HOMEPAGE",      "REG_PRTSETDEVICEA", "REG_PRTSETDEVICEB",
    "REG_PRTSETDRIVERA", "REG_PRTSETDRIVERB", "REG_PRTSETPORTA",   "REG_PRTSETPORTB",
};

[[noreturn]] void raise(const QString &description)
{
    throw std::runtime_error(description.toStdString());
}

} // namespace

QString fnGet_RegName(int index)
{
    if (index < 0 || index >= int(RegNames.size()))
        return {};
    return QString::fromLatin1(RegNames[size_t(index)]);
}

QString fnGet_RegValue(int index)
{
    bool found = false;
    const QString raw = Registry::readValue(QStringLiteral("SOFTWARE\\ZEVARU"), fnGet_RegName(index), &found);
    if (!found)
        return {};
    const qsizetype nul = raw.indexOf(QChar(0));
    if (nul >= 0)
        return raw.left(nul);
    return SpaceTrim::trimSpaces(raw);
}

QString fnGet_SystemDir()
{
    return SystemDir::path();
}

QString fnGet_ConfValue(int index)
{
    const QString path = fnGet_SystemDir() + QStringLiteral("/ZEVARU.DAT");
    QByteArray content;
    QString why;
    switch (SmallFile::read(path, &content, &why)) {
    case SmallFile::Result::Read:
        break;
    case SmallFile::Result::Missing:
        raise(QStringLiteral("설정 파일을 찾을 수 없습니다. (%1)").arg(path));
    default:
        raise(QStringLiteral("설정 파일을 읽을 수 없습니다. (%1: %2)").arg(path, why));
    }
    const QString record = fnConf_Descramble(ConfCodec::accumulateFields(content));
    return ConfCodec::cutField(record, index);
}

QString fnConf_Descramble(const QString &text)
{
    return ConfCodec::descramble(text);
}

qint32 fnConf_Hash(const QString &text)
{
    // a <= 18 and b <= 22 with c <= 255 keep every product below 2^31
    qint64 h = 0;
    int a = 0;
    int b = 0;
    for (QChar ch : text) {
        const qint64 c = ConfCodec::ansiCode(ch);
        h = h ^ (c << a) ^ (c << b);
        a = (a + 7) % 19;
        b = (b + 13) % 23;
    }
    return qint32(h);
}
