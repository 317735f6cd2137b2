#include "stdmessagebox.h"

#include "platform/win/services.h"

#include <cstdio>

namespace {

QMessageBox::StandardButton firstButton(QMessageBox::StandardButtons buttons)
{
    for (unsigned b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1) {
        if (buttons & b)
            return QMessageBox::StandardButton(b);
    }
    return QMessageBox::NoButton;
}

} // namespace

QMessageBox::StandardButton StdMessageBox::show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                                const QString &text, QMessageBox::StandardButtons buttons)
{
    if (const AnswerHook &answer = Platform::services().messageBoxAnswer)
        return answer(Request{icon, title, text, buttons});
    QMessageBox box(icon, title, text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

bool StdMessageBox::hasAnswerHook()
{
    return bool(Platform::services().messageBoxAnswer);
}

void StdMessageBox::installStderrAnswerHook()
{
    Platform::services().messageBoxAnswer = [](const Request &r) {
        QString text = r.text;
        text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        const QByteArray line =
            (QStringLiteral("msgbox:") + r.title + QLatin1Char('|') + text + QLatin1Char('\n')).toUtf8();
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        return firstButton(r.buttons);
    };
}
