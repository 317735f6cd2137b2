#pragma once

#include <QString>

class QSqlError;

// What the program says of a failed statement: the database's own text, except where the database
// is busy or locked by someone else, which gets a Korean sentence that tells the user to try again.
namespace DbErrorText {

// The Korean sentence for an SQLite result code (extended codes included) that means busy or
// locked; "" for any other code.
QString sqliteSentence(int resultCode);
// The same for an error of Qt SQL's driver `driver` (QSQLITE, QPSQL, QODBC): SQLite's busy and
// locked, PostgreSQL's lock time-out and deadlock.
QString sentence(const QSqlError &error, const QString &driver);
// The text to show: sentence() where there is one, else the database's text, else the driver's.
QString describe(const QSqlError &error, const QString &driver);

} // namespace DbErrorText
