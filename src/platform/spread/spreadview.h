#pragma once

#include <QTableView>

class SpreadModel;

// The table view of the grid: uniform row heights, scrolling by whole rows and columns, and a corner
// that shows column 0's header cells.
class SpreadView : public QTableView
{
    Q_OBJECT

public:
    SpreadView(SpreadModel *store, QWidget *parent = nullptr);

    // Recomputes scroll ranges now, also before the view was ever shown.
    void refreshGeometry();

protected:
    void updateGeometries() override;

private:
    QWidget *m_corner = nullptr;
};
