#include "spreaddelegate.h"

#include "spreadmodel.h"
#include "spreadpaint.h"

#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

SpreadDelegate::SpreadDelegate(SpreadModel *store, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_store(store)
{ }

void SpreadDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    if (row > m_store->maxRows() || col > m_store->maxCols())
        return;
    painter->save();
    const SpreadFormat f = m_store->format(col, row);
    SpreadPaint::paintCell(painter, option.rect, m_store->displayText(col, row), f, false);
    SpreadPaint::paintBorders(painter, option.rect, f);
    if ((option.state & QStyle::State_Selected) && !m_untinted.contains(col)) {
        // translucent so the cell's own colour still shows
        painter->fillRect(option.rect.adjusted(0, 0, -1, -1), QColor(0x33, 0x7A, 0xE0, 40));
    }
    if (option.state & QStyle::State_HasFocus) {
        QPen pen(QColor(0x2F, 0x6F, 0xD0));
        pen.setWidth(2);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    }
    painter->restore();
}

void SpreadDelegate::setTinted(int col, bool tinted)
{
    if (tinted)
        m_untinted.remove(col);
    else
        m_untinted.insert(col);
}

QSize SpreadDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    // never asked per row: rows are uniform and sized by the grid
    return option.rect.size();
}

QString SpreadDelegate::notANumberText()
{
    return QStringLiteral("숫자만 입력할 수 있습니다. 입력한 값은 저장되지 않았습니다.");
}

void SpreadDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    if (!model->setData(index, line->text(), Qt::EditRole)) {
        // shown once the editor has closed: the focus change of closing would take a tip away at once
        QWidget *area = editor->parentWidget() ? editor->parentWidget() : editor;
        const QPoint at = editor->mapToGlobal(QPoint(0, editor->height()));
        QTimer::singleShot(0, area, [area, at] { QToolTip::showText(at, notANumberText(), area); });
    }
}
