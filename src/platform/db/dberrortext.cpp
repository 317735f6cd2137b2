#include "platform/db/dberrortext.h"

#include <QSqlError>

#include <sqlite3.h>

namespace DbErrorText {

QString sqliteSentence(int resultCode)
{
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
        return QStringLiteral("다른 사용자가 데이터베이스를 사용중입니다. 잠시 후 다시 시도하여 주십시오.");
    case SQLITE_LOCKED:
        return QStringLiteral("데이터베이스의 표가 잠겨 있습니다. 잠시 후 다시 시도하여 주십시오.");
    default:
        return {};
    }
}

QString sentence(const QSqlError &error, const QString &driver)
{
    const QString code = error.nativeErrorCode().trimmed();
    if (driver == QLatin1String("QSQLITE")) {
        bool ok = false;
        const int n = code.toInt(&ok);
        return ok ? sqliteSentence(n) : QString();
    }
    if (driver == QLatin1String("QPSQL")) {
        if (code == QLatin1String("55P03")) // lock_not_available: the lock wait ran out
            return QStringLiteral(
                "다른 사용자가 같은 데이타를 사용중이어서 기다리는 시간이 지났습니다. 잠시 후 다시 시도하여 주십시오.");
        if (code == QLatin1String("40P01")) // deadlock_detected
            return QStringLiteral("다른 사용자의 작업과 서로 기다리게 되어 취소되었습니다. 다시 시도하여 주십시오.");
    }
    return {};
}

QString describe(const QSqlError &error, const QString &driver)
{
    QString said = sentence(error, driver);
    if (!said.isEmpty())
        return said;
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.driverText().trimmed() : db;
}

} // namespace DbErrorText
