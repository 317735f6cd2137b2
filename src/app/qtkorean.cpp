#include "app/qtkorean.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace App {

QTranslator *installKoreanQtTexts(QCoreApplication *app)
{
    auto *translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace App
