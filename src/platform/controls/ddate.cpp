#include "platform/controls/ddate.h"

#include "platform/controls/controlinfo.h"
#include "platform/controls/controlstyle.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QToolTip>

namespace {

// Qt's mask: 9 = a required digit, "_" marks a position still to be typed
const QString QtMask = QStringLiteral("9999/99/99;_");

bool allDigits(const QString &s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

dDate::dDate(QWidget *parent)
    : QLineEdit(parent)
{
    ControlInfo::setTypeName(this, QStringLiteral("dDate"));
    setInputMask(QtMask);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(ControlStyle::textBoxSheet());
    connect(this, &QLineEdit::textChanged, this, [this] { emit valueChanged(value()); });
}

QString dDate::value() const
{
    QString t = QLineEdit::text(); // mask blanks already left out, separators kept
    for (QChar c : t)
        if (c.isDigit())
            return t;
    return QString(QLatin1String(""));
}

bool dDate::setValue(const QString &text)
{
    const QString n = normalize(text);
    if (n.isNull()) {
        refuse(QStringLiteral("날짜는 YYYY/MM/DD 형식의 숫자로 입력하십시오."));
        return false;
    }
    QLineEdit::setText(n);
    return true;
}

QString dDate::tag() const
{
    return ControlInfo::tag(this);
}

void dDate::setTag(const QString &tag)
{
    ControlInfo::setTag(this, tag);
}

QString dDate::normalize(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QString(QLatin1String(""));
    QStringList parts;
    if (allDigits(t)) {
        if (t.size() > 8)
            return {};
        parts << t.left(4);
        if (t.size() > 4)
            parts << t.mid(4, 2);
        if (t.size() > 6)
            parts << t.mid(6, 2);
    } else {
        const QChar sep = t.contains(QLatin1Char('/')) ? QLatin1Char('/') : QLatin1Char('-');
        parts = t.split(sep);
        if (parts.size() > 3)
            return {};
        const int full[3] = {4, 2, 2};
        for (int i = 0; i < parts.size(); ++i) {
            const QString &p = parts.at(i);
            if (!allDigits(p))
                return {}; // letters, or the other separator mixed in
            const bool last = i == parts.size() - 1;
            // every part before a separator is complete: "2023/1/1" is not this box's shape
            if (p.size() > full[i] || (!last && p.size() != full[i]))
                return {};
        }
        while (!parts.isEmpty() && parts.last().isEmpty())
            parts.removeLast();
    }
    return parts.join(QLatin1Char('/'));
}

void dDate::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // after the mouse press that gave the focus has placed the caret
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            selectAll();
    });
}

bool dDate::pasteFits(const QString &text)
{
    // digits, the separators a date is written with, blanks around: anything else refuses the paste
    for (QChar c : text.trimmed())
        if (!(c.isDigit() && c.unicode() <= 127) && c != QLatin1Char('/') && c != QLatin1Char('-')
            && c != QLatin1Char('.'))
            return false;
    return true;
}

void dDate::pasteChecked()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!pasteFits(text)) {
        // refused whole: the mask would blank every letter and leave the box empty
        refuse(QStringLiteral("날짜는 숫자만 입력할 수 있습니다."));
        return;
    }
    // a whole date replaces the whole text; a piece goes in where the caret is
    const QString whole = normalize(QString(text).replace(QLatin1Char('.'), QLatin1Char('-')));
    if (!whole.isNull() && whole.size() == 10) {
        setValue(whole);
        return;
    }
    paste();
}

void dDate::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    // the menu's paste goes through the same check as the keys
    for (QAction *a : menu->actions()) {
        if (a->objectName() == u"edit-paste") {
            disconnect(a, &QAction::triggered, nullptr, nullptr);
            connect(a, &QAction::triggered, this, &dDate::pasteChecked);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void dDate::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            pasteChecked();
        event->accept();
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const QChar c = typed.at(0);
        if (c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.')) {
            // a typed separator ends the year or month part: the caret goes to the next part
            // (unless it already stands at the start of one, after the part was typed in full)
            const int at = cursorPosition();
            if (at != 5 && at != 8) {
                const int next = displayText().indexOf(QLatin1Char('/'), at);
                if (next >= 0)
                    setCursorPosition(next + 1);
            }
            event->accept();
            return;
        }
        if (!c.isDigit() || c.unicode() > 127) {
            refuse(QStringLiteral("날짜는 숫자만 입력할 수 있습니다."));
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void dDate::refuse(const QString &message)
{
    m_lastRefusal = message;
    emit inputRefused(message);
    if (isVisible())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), message, this);
}
