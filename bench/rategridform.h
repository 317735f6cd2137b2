#pragma once

// The main window's grid as the benchmarks need it: SS and SS_SUM on a form of the window's width,
// the navigator bound to them and the six rate columns defined and sized.
#include "gridnav/ssgrid.h"
#include "gridnav/ssscroll.h"
#include "platform/spread/spreadgrid.h"
#include "platform/win/twips.h"

#include <QWidget>

struct RateGridForm
{
    QWidget form;
    SpreadGrid *grid = nullptr;
    SpreadGrid *sum = nullptr;
    SS_MOVE_INFO info;

    // connectNavigator: the navigator follows the grid's scrolling as in the window
    explicit RateGridForm(bool connectNavigator)
    {
        Twips::setGeometry(&form, 0, 0, 12120, 7000);
        grid = new SpreadGrid(&form);
        grid->setObjectName(QStringLiteral("SS"));
        sum = new SpreadGrid(&form);
        sum->setObjectName(QStringLiteral("SS_SUM"));
        Twips::setGeometry(grid, 90, 810, 6840, 3570);
        new GridNav::Navigator(&form, grid, sum);
        info.HasSum = true;
        info.SumRows = 1;
        info.HeaderRows = 1;
        info.ColCount = 5;
        sbSS_MOVE_Bind(&form, info, 0);
        if (connectNavigator)
            GridNav::forwardEvents(info);
        sbSS_GridSetup(info);
        GridNav::defineRateColumns(info);
        sbSS_ColFormat(info);
        sbSS_HeadText(info);
        sbSS_ColSize(info, 5);
    }
};
