#include "platform/win/koreanfont.h"

#include <QFont>

namespace KoreanFont {

QString fixedFace()
{
    return QStringLiteral("굴림체");
}

void installSubstitutes()
{
    static const bool installed = [] {
        const QString standIn = QStringLiteral("NanumGothicCoding");
        for (const QString &face : {fixedFace(), QStringLiteral("굴림"), QStringLiteral("GulimChe")})
            QFont::insertSubstitution(face, standIn);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace KoreanFont
