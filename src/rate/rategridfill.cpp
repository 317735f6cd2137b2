#include "rate/rategridfill.h"

#include "rate/rateexport.h"
#include "rate/ratevalue.h"

#include "platform/db/dataaccess.h"
#include "platform/spread/spreadgrid.h"

namespace RateGridFill {

long fillRows(DataAccess &da, SpreadGrid *grid, long double sums[3])
{
    da.MoveFirst();
    const long n = da.RecordCount();
    for (long i = 1; i <= n; ++i) {
        const int row = grid->MaxRows() + 1;
        grid->setMaxRows(row);
        const int fields = da.FieldCount();
        for (int j = 0; j < fields; ++j) {
            const QString value = da.FieldValue(j);
            double rate = 0;
            if (j < 1 || j > 3)
                grid->SetCellText(j + 1, row, value);
            else if (RateValue::parse(value, &rate))
                grid->SetCellText(j + 1, row, rate); // the number once parsed, not its text again
            else
                grid->SetCellText(j + 1, row, QString()); // NULL, inf, nan or text: empty, counted 0
            if (j >= 1 && j <= 3)
                sums[j - 1] += rate;
        }
        da.MoveNext();
    }
    return n;
}

double average(long double sum, long count)
{
    return RateExport::average(sum, count);
}

} // namespace RateGridFill
