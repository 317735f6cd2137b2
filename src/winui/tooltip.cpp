#include "winui/tooltip.h"

#include "platform/win/wincolor.h"
#include "winui/tipwindow.h"

#include <QWidget>

namespace {

// RGB value with red in the low byte; 0 means the default tip colour
QColor colourOf(quint32 rgb)
{
    if (rgb == 0)
        return {};
    return WinColor::toQColor(rgb);
}

} // namespace

ToolTip::ToolTip(QObject *parent)
    : QObject(parent)
{ }

ToolTip::~ToolTip()
{
    delete m_window.data();
}

void ToolTip::setIcon(int icon)
{
    m_icon = icon;
    // an existing tip changes its title line only when both a title and an icon are given
    if (m_window && m_icon != 0 && !m_title.isEmpty())
        m_window->setTitle(m_title, m_icon);
}

void ToolTip::setTitle(const QString &title)
{
    m_title = title;
    if (m_window && m_icon != 0 && !m_title.isEmpty())
        m_window->setTitle(m_title, m_icon);
}

void ToolTip::setForeColor(quint32 rgb)
{
    m_foreColor = rgb;
    if (m_window)
        m_window->setColours(colourOf(m_foreColor), colourOf(m_backColor));
}

void ToolTip::setBackColor(quint32 rgb)
{
    m_backColor = rgb;
    if (m_window)
        m_window->setColours(colourOf(m_foreColor), colourOf(m_backColor));
}

void ToolTip::setTipText(const QString &text)
{
    m_tipText = text;
    if (m_window)
        m_window->setText(m_tipText);
}

bool ToolTip::Create()
{
    // never two windows for one tip: the old one goes at once
    delete m_window.data();
    m_window = nullptr;
    if (!m_parentControl)
        return !m_parentSet; // a control that was set but has gone away is a failure
    auto *w = new TipWindow(m_parentControl, m_style == 1, m_centered);
    w->setText(m_tipText);
    if (!m_title.isEmpty() || m_icon != 0)
        w->setTitle(m_title, m_icon);
    w->setColours(colourOf(m_foreColor), colourOf(m_backColor));
    m_window = w;
    return true;
}

TipWindow *ToolTip::tipWindow() const
{
    return m_window.data();
}

bool ToolTip::isShown() const
{
    return m_window && m_window->isVisible();
}

QString ToolTip::shownText() const
{
    return m_window ? m_window->text() : QString();
}

QString ToolTip::shownTitle() const
{
    return m_window ? m_window->title() : QString();
}

int ToolTip::shownIcon() const
{
    // the icon shows only in front of a title
    return (m_window && !m_window->title().isEmpty() && !TipWindow::iconPath(m_window->icon()).isEmpty())
        ? m_window->icon()
        : 0;
}

void ToolTip::showNow(QPoint pos)
{
    if (!m_window || !m_parentControl)
        return;
    if (pos == QPoint(-1, -1))
        pos = m_parentControl->rect().center();
    m_window->popUp(pos);
}

void ToolTip::hideNow()
{
    if (m_window)
        m_window->popDown();
}

bool fnSet_ToolTip(ToolTip *tip, QWidget *control, ToolTip::TipStyle Style, bool Centered, const QString &TipText,
                   const QString &Title, ToolTip::TipIcon Icon)
{
    if (!tip)
        return false;
    tip->setStyle(int(Style));
    tip->setCentered(Centered);
    if (!Title.trimmed().isEmpty()) {
        tip->setTitle(Title);
        tip->setIcon(int(Icon));
    }
    tip->setTipText(TipText);
    tip->setParentControl(control);
    const bool created = tip->Create();
    // without a control no tip can show: that is not a success
    return created && control != nullptr;
}
