#include "dataaccess.h"

#include "dbconnection.h"
#include "platform/db/dberrortext.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <sqlite3.h>

namespace {

QString sqliteError(sqlite3 *db)
{
    const QString said = DbErrorText::sqliteSentence(sqlite3_extended_errcode(db));
    return said.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(db)) : said;
}

// Every field as text: NULL is empty text, numbers as the server gave them.
QString fieldText(const QVariant &v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

// The whole result set of one statement on the embedded database, every field as text.
bool sqliteSelect(sqlite3 *db, const QString &statement, QList<QString> *cells, qsizetype *rows, int *fields,
                  QString *error)
{
    sqlite3_stmt *st = nullptr;
    const void *tail = nullptr;
    const int rc = sqlite3_prepare16_v2(db, statement.utf16(), int(statement.size() * 2), &st, &tail);
    if (rc != SQLITE_OK) {
        *error = sqliteError(db);
        sqlite3_finalize(st);
        return false;
    }
    if (!st) {
        *error = QStringLiteral("실행할 문장이 없습니다.");
        return false;
    }
    // a second statement after the first is refused, never silently left out or run; what is
    // left may only be blanks and comments (it then compiles to no statement at all)
    const auto *begin = reinterpret_cast<const char16_t *>(statement.utf16());
    const auto *rest = static_cast<const char16_t *>(tail);
    const int restBytes = int((begin + statement.size() - rest) * 2);
    if (restBytes > 0) {
        sqlite3_stmt *extra = nullptr;
        const int rc2 = sqlite3_prepare16_v2(db, rest, restBytes, &extra, nullptr);
        const bool more = rc2 != SQLITE_OK || extra;
        sqlite3_finalize(extra);
        if (more) {
            sqlite3_finalize(st);
            *error = QStringLiteral("한 번에 한 문장만 실행할 수 있습니다.");
            return false;
        }
    }
    const int n = sqlite3_column_count(st);
    QList<QString> out;
    qsizetype count = 0;
    int step;
    while ((step = sqlite3_step(st)) == SQLITE_ROW) {
        for (int i = 0; i < n; ++i) {
            if (sqlite3_column_type(st, i) == SQLITE_NULL) {
                out.emplace_back();
                continue;
            }
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
            out.emplace_back(QString::fromUtf8(text, sqlite3_column_bytes(st, i)));
        }
        ++count;
    }
    if (step != SQLITE_DONE) {
        *error = sqliteError(db);
        sqlite3_finalize(st);
        return false;
    }
    sqlite3_finalize(st);
    *cells = std::move(out);
    *rows = count;
    *fields = n;
    return true;
}

} // namespace

void DataAccess::log(const QString &op) const
{
    if (m_log)
        m_log->append(op);
}

QString DataAccess::errorText(const QSqlError &error) const
{
    return DbErrorText::describe(error, m_conn ? m_conn->database().driverName() : QString());
}

bool DataAccess::failWith(const QString &why)
{
    m_lastError = why;
    return false;
}

void DataAccess::AttachConnection(std::shared_ptr<DbConnection> connection)
{
    log(QStringLiteral("AttachConnection"));
    m_conn = std::move(connection);
}

bool DataAccess::ready()
{
    if (!m_conn)
        return failWith(QStringLiteral("데이터베이스 연결이 없습니다."));
    if (m_inTrans)
        return true; // never reopen under an open transaction
    if (!m_conn->ensureOpen())
        return failWith(m_conn->lastError());
    return true;
}

bool DataAccess::runSelect(const QString &statement)
{
    if (sqlite3 *h = m_conn->sqliteHandle()) {
        if (!sqliteSelect(h, statement, &m_cells, &m_rowCount, &m_fieldCount, &m_lastError))
            return false;
        m_row = 0;
        m_open = true;
        return true;
    }
    QSqlQuery q(m_conn->database());
    q.setForwardOnly(true);
    if (!q.exec(statement)) {
        m_lastError = errorText(q.lastError());
        return false;
    }
    QList<QString> cells;
    qsizetype rows = 0;
    const int fields = q.record().count();
    while (q.next()) {
        for (int i = 0; i < fields; ++i)
            cells << fieldText(q.value(i));
        ++rows;
    }
    if (q.lastError().isValid()) {
        m_lastError = errorText(q.lastError());
        q.finish();
        return false;
    }
    q.finish();
    m_cells = std::move(cells);
    m_rowCount = rows;
    m_fieldCount = fields;
    m_row = 0;
    m_open = true;
    return true;
}

bool DataAccess::OpenQuery(const QString &statement, int option1, int option2)
{
    Q_UNUSED(option1);
    Q_UNUSED(option2);
    log(QStringLiteral("OpenQuery"));
    // one result set at a time: a set left open by a caller is dropped, never leaked
    m_cells.clear();
    m_rowCount = 0;
    m_fieldCount = 0;
    m_open = false;
    m_lastError.clear();
    if (!ready())
        return false;
    if (runSelect(statement))
        return true;
    // a read may safely run again when it failed only because the connection was gone
    if (!m_inTrans && !m_conn->probe()) {
        const QString first = m_lastError;
        if (m_conn->open() && runSelect(statement))
            return true;
        m_conn->markBroken();
        if (m_lastError.isEmpty())
            m_lastError = first;
    }
    return false;
}

bool DataAccess::IsEof() const
{
    log(QStringLiteral("IsEof"));
    return !m_open || m_row >= m_rowCount;
}

int DataAccess::FieldCount() const
{
    log(QStringLiteral("FieldCount"));
    return m_open ? m_fieldCount : 0;
}

bool DataAccess::MoveFirst()
{
    log(QStringLiteral("MoveFirst"));
    if (!m_open)
        return false;
    m_row = 0;
    return m_rowCount > 0;
}

bool DataAccess::MoveNext()
{
    log(QStringLiteral("MoveNext"));
    if (!m_open || m_row >= m_rowCount)
        return false;
    ++m_row;
    return m_row < m_rowCount;
}

QString DataAccess::FieldValue(int index) const
{
    if (m_log) // the name is only built when someone listens
        log(QStringLiteral("FieldValue(%1)").arg(index));
    if (!m_open || m_row >= m_rowCount || index < 0 || index >= m_fieldCount)
        return {};
    return m_cells.at(m_row * m_fieldCount + index);
}

long DataAccess::RecordCount() const
{
    log(QStringLiteral("RecordCount"));
    return m_open ? long(m_rowCount) : -1;
}

bool DataAccess::CloseQuery()
{
    log(QStringLiteral("CloseQuery"));
    const bool wasOpen = m_open;
    m_cells.clear();
    m_rowCount = 0;
    m_fieldCount = 0;
    m_row = 0;
    m_open = false;
    return wasOpen;
}

bool DataAccess::BeginTrans()
{
    log(QStringLiteral("BeginTrans"));
    m_lastError.clear();
    if (m_inTrans) {
        m_transFailed = true;
        return failWith(QStringLiteral("이미 트랜잭션이 진행 중입니다."));
    }
    m_transFailed = true;
    if (!ready())
        return false;
    QSqlDatabase db = m_conn->database();
    bool ok = db.transaction();
    if (!ok && !m_conn->probe()) {
        // nothing has been sent yet that could change data: start again on a new connection
        ok = m_conn->open() && m_conn->database().transaction();
        if (!ok)
            m_conn->markBroken();
    }
    if (!ok)
        return failWith(m_conn->lastError().isEmpty() ? errorText(db.lastError()) : m_conn->lastError());
    m_inTrans = true;
    m_transFailed = false;
    return true;
}

bool DataAccess::Execute(const QString &statement)
{
    log(QStringLiteral("Execute"));
    m_lastError.clear();
    if (m_transFailed)
        return failWith(QStringLiteral("트랜잭션을 시작하지 못해 실행하지 않았습니다."));
    if (!ready())
        return false;
    QSqlQuery q(m_conn->database());
    const bool ok = q.exec(statement);
    if (!ok)
        m_lastError = errorText(q.lastError());
    q.finish();
    // outside a transaction a lost connection is noticed now and mended before the next
    // command; the statement itself is never sent again
    if (!ok && !m_inTrans && !m_conn->probe())
        m_conn->markBroken();
    return ok;
}

bool DataAccess::CommitTrans()
{
    log(QStringLiteral("CommitTrans"));
    m_transFailed = false;
    if (!m_inTrans)
        return failWith(QStringLiteral("진행 중인 트랜잭션이 없습니다."));
    m_inTrans = false;
    QSqlDatabase db = m_conn->database();
    if (db.commit())
        return true;
    m_lastError = errorText(db.lastError());
    // a failed commit must not leave the transaction open for the next command
    if (!db.rollback() && !m_conn->probe())
        m_conn->markBroken();
    return false;
}

bool DataAccess::RollbackTrans()
{
    log(QStringLiteral("RollbackTrans"));
    m_transFailed = false;
    if (!m_inTrans)
        return failWith(QStringLiteral("진행 중인 트랜잭션이 없습니다."));
    m_inTrans = false;
    QSqlDatabase db = m_conn->database();
    if (db.rollback())
        return true;
    m_lastError = errorText(db.lastError());
    if (!m_conn->probe())
        m_conn->markBroken();
    return false;
}
