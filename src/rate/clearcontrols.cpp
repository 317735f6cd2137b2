#include "rate/clearcontrols.h"

#include "platform/controls/cfloat.h"
#include "platform/controls/controlinfo.h"
#include "platform/controls/ddate.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace {

bool isExcepted(const QString &name, const QStringList &exceptNames)
{
    for (const QString &e : exceptNames)
        if (name.compare(e, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void setTextOf(QWidget *w, const QString &text)
{
    if (auto *date = qobject_cast<dDate *>(w))
        date->setValue(text);
    else if (auto *number = qobject_cast<cFloat *>(w))
        number->setValue(text);
    else if (auto *line = qobject_cast<QLineEdit *>(w))
        line->setText(text);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        plain->setPlainText(text);
    else if (auto *rich = qobject_cast<QTextEdit *>(w))
        rich->setPlainText(text);
}

} // namespace

void fnClear_Controls(QWidget *form, const QStringList &exceptNames)
{
    if (!form)
        return;
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    const auto controls = form->findChildren<QWidget *>();
    for (QWidget *w : controls) {
        if (isExcepted(w->objectName(), exceptNames))
            continue;
        const QString type = ControlInfo::typeName(w);
        if (type == u"dDate")
            setTextOf(w, today);
        else if (type == u"cText" || type == u"TextBox")
            setTextOf(w, QString());
        else if (type == u"cFloat")
            setTextOf(w, QStringLiteral("0"));
        else if (type == u"ComboBox") {
            if (auto *combo = qobject_cast<QComboBox *>(w))
                combo->setCurrentIndex(-1);
        }
    }
}
