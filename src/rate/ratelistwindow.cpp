#include "rate/ratelistwindow.h"

#include "gridnav/ssexport.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "platform/controls/picbutton.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include <QAbstractButton>

namespace {

// Window height in twips: a grid of about 300 pixels, the navigator at its right.
constexpr double WindowHeight = 5200;
constexpr double Margin = 90;
constexpr double PanelWidth = 420; // the navigator and its border

} // namespace

RateListWindow::RateListWindow(QWidget *owner, const QString &title, const QList<Column> &columns, double width)
    : QDialog(owner)
    , m_columns(columns)
{
    setWindowTitle(title);
    setModal(false);
    m_container = new QWidget(this);
    m_grid = new SpreadGrid(m_container);
    m_grid->setObjectName(QStringLiteral("SS"));
    Twips::resize(this, width, WindowHeight);
    Twips::setGeometry(m_container, 0, 0, width, WindowHeight);
    Twips::setGeometry(m_grid, Margin, Margin, width - 2 * Margin - PanelWidth, WindowHeight - 2 * Margin);

    new GridNav::Navigator(m_container, m_grid);
    m_info.HasSum = false;
    m_info.SumRows = 0;
    m_info.HeaderRows = 1;
    m_info.ColCount = int(columns.size());
    m_info.LockColour = false;
    sbSS_MOVE_Bind(this, m_info, 0);
    GridNav::forwardEvents(m_info, [this] { relayout(); });
    sbSS_GridSetup(m_info);
    constexpr int centre = SpreadGrid::AlignCenter;
    sbSS_DefCol(m_info, 0, QStringLiteral("NO"), 4, SpreadGrid::KindStaticText, centre, centre, 0, false, true, false);
    for (int c = 0; c < columns.size(); ++c)
        sbSS_DefCol(m_info, c + 1, columns[c].header, columns[c].width, SpreadGrid::KindStaticText, columns[c].hAlign,
                    centre, 0, false, true, false);
    sbSS_MOVE_Arrange(m_info);
    // the list has no graph and no find of its own
    for (QAbstractButton *b : {m_info.cmdGrp, m_info.cmdFnd})
        if (b)
            b->hide();
    sbSS_ColFormat(m_info);
    sbSS_HeadText(m_info);
    sbSS_GridClear(m_info, 1);
    sizeColumns();

    if (auto *xls = qobject_cast<PicButton *>(m_info.cmdXls))
        connect(xls, &PicButton::Click, this, [this] {
            if (m_rows > 0)
                sbSS_ExportXls(m_info, windowTitle(), true);
            m_grid->setFocus();
        });
    if (auto *ref = qobject_cast<PicButton *>(m_info.cmdRef))
        connect(ref, &PicButton::Click, this, [this] {
            sizeColumns();
            m_grid->setFocus();
        });
    connect(m_grid, &SpreadGrid::DblClick, this, [this](int, int row) {
        if (row >= 1 && row <= m_rows)
            emit rowDoubleClicked(row);
    });
}

RateListWindow::~RateListWindow()
{
    sbSS_MOVE_Release(m_info);
}

void RateListWindow::setRows(const QList<QStringList> &rows)
{
    m_rows = int(rows.size());
    sbSS_GridClear(m_info, 0);
    sbSS_MOVE_Reset(m_info);
    m_grid->setRedraw(false);
    m_grid->setMaxRows(std::max(1, m_rows));
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < rows[r].size() && c < m_columns.size(); ++c)
            m_grid->SetCellText(c + 1, r + 1, rows[r][c]);
    m_grid->setRedraw(true);
    sizeColumns();
}

void RateListWindow::sizeColumns()
{
    // the last column takes what is left of the grid's width
    sbSS_ColSize(m_info, int(m_columns.size()));
    relayout();
}

void RateListWindow::relayout()
{
    sbSS_MOVE_Layout(m_info, Twips::height(m_container));
    sbSS_MOVE_LineDisp(m_info);
}

void RateListWindow::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (!m_container || !m_info.Grid)
        return;
    Twips::resize(m_container, Twips::width(this), Twips::height(this));
    Twips::resize(m_grid, Twips::width(this) - 2 * Margin - PanelWidth, Twips::height(this) - 2 * Margin);
    sizeColumns();
}
