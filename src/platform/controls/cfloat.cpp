#include "platform/controls/cfloat.h"

#include "platform/controls/controlinfo.h"
#include "platform/controls/controlstyle.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QToolTip>
#include <QValidator>

#include <functional>

namespace {

// Refuses keystrokes that cannot lead to a number the box takes; the box says why.
class TypingValidator : public QValidator
{
public:
    TypingValidator(std::function<NumberText::Limits()> limits, std::function<void(NumberText::Problem)> refused,
                    QObject *parent)
        : QValidator(parent)
        , m_limits(std::move(limits))
        , m_refused(std::move(refused))
    { }

    State validate(QString &input, int &) const override
    {
        const NumberText::Problem p = NumberText::checkTyping(input, m_limits());
        if (p != NumberText::Problem::None) {
            m_refused(p);
            return Invalid;
        }
        return NumberText::parse(input, nullptr) == NumberText::Problem::None ? Acceptable : Intermediate;
    }

private:
    std::function<NumberText::Limits()> m_limits;
    std::function<void(NumberText::Problem)> m_refused;
};

// "", "-", "+", "." and the like: nothing typed yet, which the box takes as zero
bool isBlankNumber(const QString &text)
{
    for (QChar c : text.trimmed())
        if (c != QLatin1Char('-') && c != QLatin1Char('+') && c != QLatin1Char('.') && c != QLatin1Char(','))
            return false;
    return true;
}

} // namespace

cFloat::cFloat(QWidget *parent)
    : QLineEdit(parent)
{
    ControlInfo::setTypeName(this, QStringLiteral("cFloat"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setStyleSheet(ControlStyle::textBoxSheet());
    setValidator(new TypingValidator([this] { return m_limits; },
                                     [this](NumberText::Problem p) {
        // only the user's own typing is answered with a message
        if (!m_internal && hasFocus())
            refuse(p);
    },
                                     this));
    connect(this, &QLineEdit::textChanged, this, &cFloat::onTextChanged);
    connect(this, &QLineEdit::editingFinished, this, &cFloat::reformat);
    reformat();
}

QString cFloat::value() const
{
    const QString t = QLineEdit::text();
    if (isBlankNumber(t))
        return NumberText::format(NumberText::Number{}, m_limits.decimalPlaces, m_fixed, false);
    NumberText::Number n;
    if (NumberText::parse(t, &n) != NumberText::Problem::None
        || NumberText::fit(&n, m_limits) != NumberText::Problem::None)
        return m_lastGood;
    return NumberText::format(n, m_limits.decimalPlaces, m_fixed, false);
}

bool cFloat::setValue(const QString &text)
{
    return apply(text, true);
}

bool cFloat::setText(const QString &text)
{
    return apply(text, true);
}

void cFloat::setMaskdecimalplaces(int places)
{
    m_limits.decimalPlaces = qBound(0, places, 15);
    apply(m_lastGood, false);
}

void cFloat::setMaskdecimalfixed(bool fixed)
{
    m_fixed = fixed;
    apply(m_lastGood, false);
}

void cFloat::setMaskshowthousandsep(bool show)
{
    m_groups = show;
    apply(m_lastGood, false);
}

void cFloat::setMaxIntegerDigits(int digits)
{
    m_limits.maxIntegerDigits = qBound(1, digits, 28);
    if (!apply(m_lastGood, false))
        apply(QStringLiteral("0"), false);
}

void cFloat::setAllowNegative(bool allow)
{
    m_limits.allowNegative = allow;
    if (!apply(m_lastGood, false))
        apply(QStringLiteral("0"), false);
}

QString cFloat::tag() const
{
    return ControlInfo::tag(this);
}

void cFloat::setTag(const QString &tag)
{
    ControlInfo::setTag(this, tag);
}

void cFloat::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // after the mouse press that gave the focus has placed the caret
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            selectAll();
    });
}

void cFloat::focusOutEvent(QFocusEvent *event)
{
    reformat();
    QLineEdit::focusOutEvent(event);
}

void cFloat::onTextChanged(const QString &text)
{
    if (m_internal)
        return;
    if (hasFocus()) {
        // the user is typing: the value follows, the display is formatted on leaving
        const QString v = value();
        if (v != m_lastGood && !isBlankNumber(text)) {
            m_lastGood = v;
            emit valueChanged(v);
        }
        return;
    }
    // text set through QLineEdit::setText: format it, or refuse it and keep the old value
    apply(text, true);
}

void cFloat::reformat()
{
    const QString t = QLineEdit::text();
    if (!apply(isBlankNumber(t) ? QStringLiteral("0") : t, true))
        apply(m_lastGood, false);
}

bool cFloat::apply(const QString &text, bool report)
{
    NumberText::Number n;
    NumberText::Problem p = NumberText::parse(text, &n);
    if (p == NumberText::Problem::None)
        p = NumberText::fit(&n, m_limits);
    if (p != NumberText::Problem::None) {
        if (report)
            refuse(p);
        // show the kept value again (the refused text may already be in the box)
        NumberText::Number kept;
        if (NumberText::parse(m_lastGood, &kept) == NumberText::Problem::None
            && NumberText::fit(&kept, m_limits) == NumberText::Problem::None) {
            const QString shown = NumberText::format(kept, m_limits.decimalPlaces, m_fixed, m_groups);
            if (QLineEdit::text() != shown) {
                m_internal = true;
                QLineEdit::setText(shown);
                m_internal = false;
            }
        }
        return false;
    }
    const QString plain = NumberText::format(n, m_limits.decimalPlaces, m_fixed, false);
    const QString shown = NumberText::format(n, m_limits.decimalPlaces, m_fixed, m_groups);
    if (QLineEdit::text() != shown) {
        m_internal = true;
        QLineEdit::setText(shown);
        m_internal = false;
    }
    if (plain != m_lastGood) {
        m_lastGood = plain;
        emit valueChanged(plain);
    }
    return true;
}

void cFloat::refuse(NumberText::Problem problem)
{
    m_lastRefusal = NumberText::message(problem, m_limits);
    emit inputRefused(m_lastRefusal);
    if (isVisible())
        QToolTip::showText(mapToGlobal(QPoint(0, height())), m_lastRefusal, this);
}
