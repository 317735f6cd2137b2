#pragma once

#include <QTranslator> // complete, so a caller may delete what it gets

class QCoreApplication;

// Qt's own texts (the standard buttons "확인"/"취소"/"예"/"아니요", the file dialog) in Korean, as
// every other text of the program, whatever the desktop's language. The translator belongs to
// `app`; null when Qt's Korean translation is not installed, and those texts stay in English.
namespace App {

QTranslator *installKoreanQtTexts(QCoreApplication *app);

} // namespace App
