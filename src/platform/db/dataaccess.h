#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class DbConnection;

// The data-access object of a window: opens result sets, reads their fields as text, runs
// statements and brackets them in transactions on the attached connection.
//
// A result set is read whole when it is opened and the server's cursor is closed at once, so
// RecordCount is exact on every backend and no cursor stays open on any path. Every field
// comes back as text; NULL as empty text.
//
// A connection found broken is reopened before the next command. OpenQuery and BeginTrans,
// which change nothing, are retried once on a reopened connection; Execute never is, because
// the statement may already have been applied.
class QSqlError;

class DataAccess
{
public:
    DataAccess() = default;

    bool IsEof() const;
    int FieldCount() const; // 0 when no result set is open
    bool BeginTrans(); // false: no transaction could be started
    bool CommitTrans(); // false: not committed (the transaction is rolled back)
    bool RollbackTrans();
    bool MoveFirst();
    bool MoveNext();
    bool CloseQuery(); // false when no result set was open
    void AttachConnection(std::shared_ptr<DbConnection> connection);
    // option1 and option2 are always 1 and 3 in this program (a static, read-only set); the
    // set is always buffered whole, whatever they say.
    bool OpenQuery(const QString &statement, int option1 = 1, int option2 = 3);
    bool Execute(const QString &statement);
    QString FieldValue(int index) const; // empty text without a current row or for a bad index
    long RecordCount() const; // -1 when no result set is open

    // Diagnostics for the caller and for tests.
    QString lastError() const { return m_lastError; }
    bool isQueryOpen() const { return m_open; }
    bool inTransaction() const { return m_inTrans; }
    std::shared_ptr<DbConnection> connection() const { return m_conn; }
    // When set, every operation appends its name (FieldValue with its index) to the list.
    void setCallLog(QStringList *log) { m_log = log; }

private:
    bool runSelect(const QString &statement);
    bool ready();
    void log(const QString &op) const;
    bool failWith(const QString &why);
    QString errorText(const QSqlError &error) const;

    std::shared_ptr<DbConnection> m_conn;
    QList<QString> m_cells; // row after row, m_fieldCount fields each
    qsizetype m_rowCount = 0;
    int m_fieldCount = 0;
    qsizetype m_row = 0;
    bool m_open = false;
    bool m_inTrans = false;
    bool m_transFailed = false; // BeginTrans failed; Execute refuses until Commit/Rollback
    QString m_lastError;
    QStringList *m_log = nullptr;
};
