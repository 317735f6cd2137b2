#pragma once

#include <QString>
#include <QStringList>

class DataAccess;

// The call sequences around the statements that save and delete share.
namespace RateCalls {

enum class DayState { Failed, Missing, Present };

// OpenQuery(existence check), RecordCount, IsEof, CloseQuery. Failed when the check could not
// run (nothing is left open then either).
DayState checkDay(DataAccess &da, const QString &date);

// BeginTrans, Execute, then CommitTrans when it ran and RollbackTrans when it did not: exactly
// one of the two for the BeginTrans. True only when the statement ran and was committed.
bool writeInTransaction(DataAccess &da, const QString &statement);
// The same for several statements in one transaction: the first that fails rolls all back and
// the rest are not sent.
bool writeInTransaction(DataAccess &da, const QStringList &statements);

} // namespace RateCalls
