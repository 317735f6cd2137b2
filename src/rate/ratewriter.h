#pragma once

#include "rate/ratecalls.h"

#include <QList>
#include <QString>
#include <QStringList>

class DataAccess;

// The one way a day's rates are changed: the window's save and delete, the import and the
// command line all come through here, so each change goes with its history row (EX_RATE_LOG)
// in the same transaction. A database without EX_RATE_LOG gets the change alone, as before.
namespace RateHistory {

// A day's values as statements take them: numbers in the plain form of
// RateStatements::numberText, the remark as typed.
struct DayValues
{
    QString usd, vnd, krw, remark;
};

enum class Action : char { Insert = 'I', Update = 'U', Delete = 'D' };

// Existence check of the history table (no row read): it opens only when the table is there.
QString probeStatement();
// The statements of one change, in order, for one transaction. With history, an update or delete
// first takes the day's row lock (so two copies changing one day log in the order they commit),
// then copies the stored values into the history row, then changes the day; an insert writes the
// day first, then its history row. `host` and `user` go into the history row, and `source`
// (where the values came from) into its LOG_SOURCE when given.
QStringList changeStatements(Action action, const QString &day, const DayValues &values, const QString &user,
                             const QString &host, bool withHistory, const QString &source = {});
// The history table's source column: its check, and the statement that adds it to a table made
// before it was there.
QString sourceProbeStatement();
QString addSourceStatement();

// One history row as the history window and `zevaru-rates log` show it.
struct Entry
{
    QString when; // "YYYY/MM/DD HH:MM:SS" of the database server
    QString action; // "I", "U", "D"
    DayValues before, after;
    QString user, host;
    QString source; // "" when the database keeps none
};
// The history rows of one day, newest first.
QString dayStatement(const QString &day, bool withSource = false);
// A server's time stamp ("2026-12-08 14:03:05.123", "2026-12-08T14:03:05.123") as
// "2026/12/08 14:03:05".
QString stampText(const QString &raw);
// The columns of one history row for a tab-separated line: time, action (I, U, D), the old and
// the new USD, VND, KRW and remark, user code, host, source. Tabs and line breaks become blanks.
QStringList entryColumns(const Entry &e);
// "입력", "수정", "삭제".
QString actionText(const QString &action);

// This machine's name for the history rows.
QString hostName();

} // namespace RateHistory

class RateWriter
{
public:
    enum class Result { Failed, Inserted, Updated, Deleted, Missing };

    // `userCode` is written into INS_SCODE of an insert and into every history row.
    RateWriter(DataAccess &da, const QString &userCode);

    // Whether this database keeps the history table; asked once, on first use. A history table
    // without the source column gets it then (a database made by an older script).
    bool historyOn();
    // Where the values of the following changes came from (a file's name, the services of a
    // fetch); "" for the user's own typing.
    void setSource(const QString &source) { m_source = source; }

    // Saves the day: the existence check, then an insert (a new day) or an update in one
    // transaction with its history row. Failed: the check or the write did not run; nothing
    // changed then.
    Result save(const QString &day, const RateHistory::DayValues &values);
    // Deletes the day with its history row; Missing when it is not stored.
    Result remove(const QString &day);
    // The change alone, after the caller's own existence check: one transaction.
    bool apply(RateHistory::Action action, const QString &day, const RateHistory::DayValues &values);
    // The change inside a transaction the caller opened and ends itself (a batch).
    bool applyInTransaction(RateHistory::Action action, const QString &day, const RateHistory::DayValues &values);

    // History rows of one day, newest first; false when they could not be read (no table).
    bool readDay(const QString &day, QList<RateHistory::Entry> *entries);

private:
    DataAccess &m_da;
    QString m_user;
    QString m_host;
    int m_history = -1; // -1 not asked yet, 0 no table, 1 kept
    bool m_sourceColumn = false;
    // the source the history notes, or "" while its table has no column for it
    QString loggedSource() const { return m_sourceColumn ? m_source : QString(); }
    QString m_source;
};
