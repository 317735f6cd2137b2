#include "rate/rateexportform.h"

#include "rate/rategridfill.h"
#include "rate/ratestatements.h"

#include "gridnav/ssexport.h"
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "platform/db/dataaccess.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

RateExportForm::RateExportForm()
{
    // the window's grid size, so that the sizing gives the widths the window's export writes
    Twips::setGeometry(&m_form, 0, 0, 12120, 7000);
    m_grid = new SpreadGrid(&m_form);
    m_grid->setObjectName(QStringLiteral("SS"));
    m_sum = new SpreadGrid(&m_form);
    m_sum->setObjectName(QStringLiteral("SS_SUM"));
    Twips::setGeometry(m_grid, 90, 810, 11715, 3570);
    new GridNav::Navigator(&m_form, m_grid, m_sum);
    m_info.HasSum = true;
    m_info.SumRows = 1;
    m_info.HeaderRows = 1;
    m_info.ColCount = 5;
    sbSS_MOVE_Bind(&m_form, m_info, 0);
    sbSS_GridSetup(m_info);
    GridNav::defineRateColumns(m_info);
    sbSS_ColFormat(m_info);
    sbSS_HeadText(m_info);
    sbSS_ColSize(m_info, 5);
    sbSS_GridClear(m_info, 0);
}

RateExportForm::~RateExportForm()
{
    sbSS_MOVE_Release(m_info);
}

long RateExportForm::fill(DataAccess &da, const QString &from, const QString &to, QString *error)
{
    sbSS_GridClear(m_info, 0);
    if (!da.OpenQuery(RateStatements::periodStatement(from, to), 1, 3)) {
        *error = da.lastError();
        return -1;
    }
    long n = 0;
    if (!da.IsEof()) {
        m_grid->setRedraw(false);
        long double sums[3] = {0, 0, 0};
        n = RateGridFill::fillRows(da, m_grid, sums);
        sbSS_ColSize(m_info, 5);
        m_grid->setRedraw(true);
        for (int k = 0; k < 3; ++k)
            m_sum->SetCellText(k + 2, 1, RateGridFill::average(sums[k], n));
    }
    da.CloseQuery();
    return n;
}

bool RateExportForm::writeXlsx(const QString &file)
{
    return GridNav::writeExport(m_info, file, true);
}
