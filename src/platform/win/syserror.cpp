#include "platform/win/syserror.h"

#include <clocale>
#include <cstring>
#include <locale.h>

namespace {

// Messages and their characters from the Korean locale; only strerror_l sees it.
locale_t koreanMessages()
{
    static const locale_t loc = [] {
        for (const char *name : {"ko_KR.UTF-8", "ko_KR.utf8"})
            if (const locale_t l = ::newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, name, locale_t(nullptr)))
                return l;
        return locale_t(nullptr);
    }();
    return loc;
}

} // namespace

namespace SystemError {

QString text(int errorNumber)
{
    if (const locale_t ko = koreanMessages())
        return QString::fromUtf8(::strerror_l(errorNumber, ko));
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString textOr(int errorNumber, const QString &otherwise)
{
    return errorNumber != 0 ? text(errorNumber) : otherwise;
}

} // namespace SystemError
