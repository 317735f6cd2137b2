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
    return writeInTransaction(da, QStringList{statement});
}

bool writeInTransaction(DataAccess &da, const QStringList &statements)
{
    // a failed BeginTrans makes Execute refuse, so no statement ever runs unbracketed
    da.BeginTrans();
    for (const QString &statement : statements) {
        if (!da.Execute(statement)) {
            da.RollbackTrans();
            return false;
        }
    }
    return da.CommitTrans();
}

} // namespace RateCalls
