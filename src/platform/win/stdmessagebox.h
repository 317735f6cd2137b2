#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// The standard message box: an icon, a title and a text. Tests (and the unattended mode of the
// program) install an answer in the services; then no box is shown and that answer is returned.
class StdMessageBox
{
public:
    struct Request
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    };
    using AnswerHook = std::function<QMessageBox::StandardButton(const Request &)>;

    static QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                            const QString &text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // Whether the services answer the boxes (Services::messageBoxAnswer).
    static bool hasAnswerHook();

    // Installs a hook that prints each box as one line "title|text" (LF shown as \n) to stderr
    // and answers its first button; used when ZOZURA_AUTOANSWER_BOXES is set.
    static void installStderrAnswerHook();
};
