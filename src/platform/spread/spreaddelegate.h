#pragma once

#include <QSet>
#include <QStyledItemDelegate>

class SpreadModel;

// Paints data cells from the cell store: background, text by the cell's alignment, light grid lines,
// program-set borders, and the selection and the active cell over them.
class SpreadDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit SpreadDelegate(SpreadModel *store, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // A number cell refuses what is not a number and says so beside the cell.
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

    static QString notANumberText();

    // Data column (1-based) whose selected cells keep their own colour: only the active cell's frame
    // shows over them (a column of colour swatches).
    void setTinted(int col, bool tinted);

private:
    SpreadModel *m_store;
    QSet<int> m_untinted;
};
