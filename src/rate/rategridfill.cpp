#include "rate/rategridfill.h"

#include "rate/ratevalue.h"

#include "platform/db/dataaccess.h"
#include "platform/spread/spreadgrid.h"

namespace RateGridFill {

long fillRows(DataAccess &da, SpreadGrid *grid, double sums[3])
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
                grid->SetCellText(j + 1, row, QString()); // NULL or text from another program: empty
        }
        for (int k = 0; k < 3; ++k) {
            double rate = 0;
            RateValue::parse(da.FieldValue(k + 1), &rate);
            sums[k] += rate;
        }
        da.MoveNext();
    }
    return n;
}

} // namespace RateGridFill
