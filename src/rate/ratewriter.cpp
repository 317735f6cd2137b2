#include "rate/ratewriter.h"

#include "rate/ratestatements.h"

#include "platform/db/dataaccess.h"

#include <QSysInfo>

namespace {

using RateStatements::quoteText;

QString literal(const QString &text)
{
    return QLatin1Char('\'') + quoteText(text) + QLatin1Char('\'');
}

// The part every history row ends with: who, where, and the server's time.
QString signature(const QString &user, const QString &host)
{
    return literal(user) + QStringLiteral(", ") + literal(host) + QStringLiteral(", GETDATE()");
}

QString newValues(const RateHistory::DayValues &v)
{
    return v.usd + QStringLiteral(", ") + v.vnd + QStringLiteral(", ") + v.krw + QStringLiteral(", ")
        + literal(v.remark);
}

} // namespace

namespace RateHistory {

QString probeStatement()
{
    return QStringLiteral(" SELECT COUNT(*) FROM EX_RATE_LOG WHERE 1 = 0 ");
}

QString sourceProbeStatement()
{
    return QStringLiteral(" SELECT COUNT(LOG_SOURCE) FROM EX_RATE_LOG WHERE 1 = 0 ");
}

QString addSourceStatement()
{
    return QStringLiteral(" ALTER TABLE EX_RATE_LOG ADD LOG_SOURCE VARCHAR(100) ");
}

QStringList changeStatements(Action action, const QString &day, const DayValues &values, const QString &user,
                             const QString &host, bool withHistory, const QString &source)
{
    const QString where = QStringLiteral(" WHERE STD_DATE = ") + literal(day) + QLatin1Char(' ');
    QString change;
    switch (action) {
    case Action::Insert:
        change = RateStatements::insertStatement(day, values.usd, values.vnd, values.krw, values.remark, user);
        break;
    case Action::Update:
        change = RateStatements::updateStatement(day, values.usd, values.vnd, values.krw, values.remark);
        break;
    case Action::Delete:
        change = RateStatements::deleteStatement(day);
        break;
    }
    if (!withHistory)
        return {change};

    const QString code = QString(QChar::fromLatin1(char(action)));
    const QString head = source.isEmpty()
        ? QStringLiteral(" INSERT INTO EX_RATE_LOG ( STD_DATE, LOG_ACTION, ")
        : QStringLiteral(" INSERT INTO EX_RATE_LOG ( LOG_SOURCE, STD_DATE, LOG_ACTION, ");
    const QString from = source.isEmpty() ? QString() : literal(source.left(100)) + QStringLiteral(", ");
    if (action == Action::Insert) {
        return {
            change,
            head + QStringLiteral("NEW_USD, NEW_VND, NEW_KRW, NEW_REMARK, USER_CODE, HOST_NAME, LOG_DATE ) VALUES ( ")
                + from + literal(day) + QStringLiteral(", ") + literal(code) + QStringLiteral(", ") + newValues(values)
                + QStringLiteral(", ") + signature(user, host) + QStringLiteral(" ) ")};
    }
    // the stored values are copied by the server under the row lock the first statement takes
    const QString lock = QStringLiteral(" UPDATE EX_RATE SET INS_DATE = INS_DATE") + where;
    QString copy = head + QStringLiteral("OLD_USD, OLD_VND, OLD_KRW, OLD_REMARK, ");
    if (action == Action::Update)
        copy += QStringLiteral("NEW_USD, NEW_VND, NEW_KRW, NEW_REMARK, ");
    copy += QStringLiteral("USER_CODE, HOST_NAME, LOG_DATE ) SELECT ") + from + QStringLiteral("STD_DATE, ")
        + literal(code) + QStringLiteral(", USD, VND, KRW, REMARK, ");
    if (action == Action::Update)
        copy += newValues(values) + QStringLiteral(", ");
    copy += signature(user, host) + QStringLiteral(" FROM EX_RATE") + where;
    return {lock, copy, change};
}

QString dayStatement(const QString &day, bool withSource)
{
    return QStringLiteral(" SELECT LOG_DATE, LOG_ACTION, OLD_USD, OLD_VND, OLD_KRW, OLD_REMARK,"
                          " NEW_USD, NEW_VND, NEW_KRW, NEW_REMARK, USER_CODE, HOST_NAME")
        + (withSource ? QStringLiteral(", LOG_SOURCE") : QString())
        + QStringLiteral(" FROM EX_RATE_LOG WHERE STD_DATE = ") + literal(day)
        + QStringLiteral(" ORDER BY LOG_SEQ DESC ");
}

QString stampText(const QString &raw)
{
    QString t = raw.left(19);
    t.replace(QLatin1Char('T'), QLatin1Char(' '));
    if (t.size() >= 10) {
        t[4] = QLatin1Char('/');
        t[7] = QLatin1Char('/');
    }
    return t;
}

QStringList entryColumns(const Entry &e)
{
    QStringList cols{e.when,      e.action,    e.before.usd,   e.before.vnd, e.before.krw, e.before.remark, e.after.usd,
                     e.after.vnd, e.after.krw, e.after.remark, e.user,       e.host,       e.source};
    for (QString &c : cols)
        for (QChar &ch : c)
            if (ch == u'\t' || ch == u'\r' || ch == u'\n')
                ch = u' ';
    return cols;
}

QString actionText(const QString &action)
{
    if (action == u"I")
        return QStringLiteral("입력");
    if (action == u"U")
        return QStringLiteral("수정");
    if (action == u"D")
        return QStringLiteral("삭제");
    return action;
}

QString hostName()
{
    return QSysInfo::machineHostName().left(100);
}

} // namespace RateHistory

RateWriter::RateWriter(DataAccess &da, const QString &userCode)
    : m_da(da)
    , m_user(userCode)
    , m_host(RateHistory::hostName())
{ }

bool RateWriter::historyOn()
{
    if (m_history < 0) {
        // asked outside any transaction: a failed statement would spoil an open one
        if (m_da.inTransaction())
            return false;
        m_history = m_da.OpenQuery(RateHistory::probeStatement(), 1, 3) ? 1 : 0;
        m_da.CloseQuery();
        if (m_history == 1) {
            m_sourceColumn = m_da.OpenQuery(RateHistory::sourceProbeStatement(), 1, 3);
            m_da.CloseQuery();
            // a user without the right to alter the table keeps the history without its source
            if (!m_sourceColumn && m_da.Execute(RateHistory::addSourceStatement())) {
                m_sourceColumn = m_da.OpenQuery(RateHistory::sourceProbeStatement(), 1, 3);
                m_da.CloseQuery();
            }
        }
    }
    return m_history == 1;
}

bool RateWriter::apply(RateHistory::Action action, const QString &day, const RateHistory::DayValues &values)
{
    const bool history = historyOn();
    return RateCalls::writeInTransaction(
        m_da, RateHistory::changeStatements(action, day, values, m_user, m_host, history, loggedSource()));
}

bool RateWriter::applyInTransaction(RateHistory::Action action, const QString &day,
                                    const RateHistory::DayValues &values)
{
    // the history table must be known before the caller's transaction began
    const bool history = m_history == 1;
    for (const QString &s : RateHistory::changeStatements(action, day, values, m_user, m_host, history, loggedSource()))
        if (!m_da.Execute(s))
            return false;
    return true;
}

RateWriter::Result RateWriter::save(const QString &day, const RateHistory::DayValues &values)
{
    historyOn();
    switch (RateCalls::checkDay(m_da, day)) {
    case RateCalls::DayState::Failed:
        return Result::Failed;
    case RateCalls::DayState::Missing:
        return apply(RateHistory::Action::Insert, day, values) ? Result::Inserted : Result::Failed;
    case RateCalls::DayState::Present:
        break;
    }
    return apply(RateHistory::Action::Update, day, values) ? Result::Updated : Result::Failed;
}

RateWriter::Result RateWriter::remove(const QString &day)
{
    historyOn();
    switch (RateCalls::checkDay(m_da, day)) {
    case RateCalls::DayState::Failed:
        return Result::Failed;
    case RateCalls::DayState::Missing:
        return Result::Missing;
    case RateCalls::DayState::Present:
        break;
    }
    return apply(RateHistory::Action::Delete, day, {}) ? Result::Deleted : Result::Failed;
}

bool RateWriter::readDay(const QString &day, QList<RateHistory::Entry> *entries)
{
    entries->clear();
    historyOn();
    if (!m_da.OpenQuery(RateHistory::dayStatement(day, m_sourceColumn), 1, 3))
        return false;
    const long n = m_da.RecordCount();
    m_da.MoveFirst();
    for (long i = 0; i < n; ++i) {
        auto f = [this](int k) { return m_da.FieldValue(k); };
        entries->append({RateHistory::stampText(f(0)),
                         f(1),
                         {f(2), f(3), f(4), f(5)},
                         {f(6), f(7), f(8), f(9)},
                         f(10),
                         f(11),
                         m_sourceColumn ? f(12) : QString()});
        m_da.MoveNext();
    }
    m_da.CloseQuery();
    return true;
}
