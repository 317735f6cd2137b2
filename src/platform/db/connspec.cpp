#include "connspec.h"

namespace {

// A port from text; -1 when it is not a number in 1..65535.
int parsePort(const QString &text)
{
    bool ok = false;
    const int p = text.toInt(&ok);
    return ok && p > 0 && p <= 65535 ? p : -1;
}

ConnSpec invalid(ConnSpec conn, const QString &problem)
{
    conn.valid = false;
    conn.problem = problem;
    return conn;
}

} // namespace

ConnSpec ConnSpec::fromServerField(const QString &server)
{
    const QString s = server.trimmed();
    ConnSpec conn;
    if (s.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0) {
        conn.backend = Backend::Sqlite;
        return conn;
    }
    if (s.startsWith(QLatin1String("pgsql:"), Qt::CaseInsensitive)) {
        conn.backend = Backend::Postgres;
        const QString rest = s.mid(6);
        const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
        // an IPv6 literal in brackets keeps its colons
        const bool bracketed = rest.startsWith(QLatin1Char('['));
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (bracketed && close > 0) {
            conn.host = rest.mid(1, close - 1);
            if (close + 1 < rest.size()) {
                if (rest.at(close + 1) != QLatin1Char(':'))
                    return invalid(conn, QStringLiteral("서버 주소의 형식이 잘못되었습니다."));
                conn.port = parsePort(rest.mid(close + 2));
                if (conn.port < 0)
                    return invalid(conn, QStringLiteral("서버 포트 번호가 잘못되었습니다."));
            }
        } else if (colon >= 0) {
            conn.host = rest.left(colon);
            conn.port = parsePort(rest.mid(colon + 1));
            if (conn.port < 0)
                return invalid(conn, QStringLiteral("서버 포트 번호가 잘못되었습니다."));
        } else {
            conn.host = rest;
        }
        if (conn.host.isEmpty())
            return invalid(conn, QStringLiteral("서버 이름이 비어 있습니다."));
        return conn;
    }
    if (s.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive)) {
        conn.backend = Backend::Odbc;
        conn.dsn = s.mid(5).trimmed();
        if (conn.dsn.isEmpty())
            return invalid(conn, QStringLiteral("ODBC 데이터 원본 이름이 비어 있습니다."));
        return conn;
    }
    conn.backend = Backend::SqlServer;
    if (s.isEmpty())
        return invalid(conn, QStringLiteral("서버 이름이 비어 있습니다."));
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    const qsizetype slash = s.indexOf(QLatin1Char('\\'));
    if (comma >= 0) {
        conn.host = s.left(comma).trimmed();
        conn.port = parsePort(s.mid(comma + 1).trimmed());
        if (conn.port < 0)
            return invalid(conn, QStringLiteral("서버 포트 번호가 잘못되었습니다."));
    } else if (slash >= 0) {
        conn.host = s.left(slash);
        conn.instance = s.mid(slash + 1);
        if (conn.instance.isEmpty())
            return invalid(conn, QStringLiteral("서버 인스턴스 이름이 비어 있습니다."));
    } else {
        conn.host = s;
    }
    if (conn.host.isEmpty())
        return invalid(conn, QStringLiteral("서버 이름이 비어 있습니다."));
    return conn;
}

namespace OdbcText {

QString quoteValue(const QString &value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{'))
        && !value.contains(QLatin1Char('}')) && !value.contains(QLatin1Char('=')) && value.trimmed() == value;
    if (plain)
        return value;
    QString v = value;
    v.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

} // namespace OdbcText
