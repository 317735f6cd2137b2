#include "ratecalls.h"

#include "ratestatements.h"

#include "platform/db/dataaccess.h"

namespace RateCalls {

DayState checkDay(DataAccess &da, const QString &date)
{
    if (!da.OpenQuery(RateStatements::existsStatement(date), 1, 3))
        return DayState::Failed;
    const long count = da.RecordCount();
    const bool exists = !da.IsEof() && count != 0;
    da.CloseQuery();
    return exists ? DayState::Present : DayState::Missing;
}

bool writeInTransaction(DataAccess &da, const QString &statement)
{
    // a failed BeginTrans makes Execute refuse, so the statement never runs unbracketed
    da.BeginTrans();
    if (da.Execute(statement))
        return da.CommitTrans();
    da.RollbackTrans();
    return false;
}

} // namespace RateCalls
