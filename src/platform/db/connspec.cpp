#include "connspec.h"

namespace {

// A port from text; -1 when it is not a number in 1..65535.
int parsePort(const QString &text)
{
    bool ok = false;
    const int p = text.toInt(&ok);
    return ok && p > 0 && p <= 65535 ? p : -1;
}

ConnSpec invalid(ConnSpec spec, const QString &problem)
{
    spec.valid = false;
    spec.problem = problem;
    return spec;
}

} // namespace

ConnSpec ConnSpec::fromServerField(const QString &server)
{
    const QString s = server.trimmed();
    ConnSpec spec;
    if (s.compare(QLatin1String("sqlite"), Qt::CaseInsensitive) == 0) {
        spec.backend = Backend::Sqlite;
        return spec;
    }
    if (s.startsWith(QLatin1String("pgsql:"), Qt::CaseInsensitive)) {
        spec.backend = Backend::Postgres;
        const QString rest = s.mid(6);
        const qsizetype colon = rest.lastIndexOf(QLatin1Char(':'));
        // an IPv6 literal in brackets keeps its colons
        const bool bracketed = rest.startsWith(QLatin1Char('['));
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (bracketed && close > 0) {
            spec.host = rest.mid(1, close - 1);
            if (close + 1 < rest.size()) {
                if (rest.at(close + 1) != QLatin1Char(':'))
                    return invalid(spec, QStringLiteral("서버 주소의 형식이 잘못되었습니다."));
                spec.port = parsePort(rest.mid(close + 2));
                if (spec.port < 0)
                    return invalid(spec, QStringLiteral("서버 포트 번호가 잘못되었습니다."));
            }
        } else if (colon >= 0) {
            spec.host = rest.left(colon);
            spec.port = parsePort(rest.mid(colon + 1));
            if (spec.port < 0)
                return invalid(spec, QStringLiteral("서버 포트 번호가 잘못되었습니다."));
        } else {
            spec.host = rest;
        }
        if (spec.host.isEmpty())
            return invalid(spec, QStringLiteral("서버 이름이 비어 있습니다."));
        return spec;
    }
    if (s.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive)) {
        spec.backend = Backend::Odbc;
        spec.dsn = s.mid(5).trimmed();
        if (spec.dsn.isEmpty())
            return invalid(spec, QStringLiteral("ODBC 데이터 원본 이름이 비어 있습니다."));
        return spec;
    }
    spec.backend = Backend::SqlServer;
    if (s.isEmpty())
        return invalid(spec, QStringLiteral("서버 이름이 비어 있습니다."));
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    const qsizetype slash = s.indexOf(QLatin1Char('\\'));
    if (comma >= 0) {
        spec.host = s.left(comma).trimmed();
        spec.port = parsePort(s.mid(comma + 1).trimmed());
        if (spec.port < 0)
            return invalid(spec, QStringLiteral("서버 포트 번호가 잘못되었습니다."));
    } else if (slash >= 0) {
        spec.host = s.left(slash);
        spec.instance = s.mid(slash + 1);
        if (spec.instance.isEmpty())
            return invalid(spec, QStringLiteral("서버 인스턴스 이름이 비어 있습니다."));
    } else {
        spec.host = s;
    }
    if (spec.host.isEmpty())
        return invalid(spec, QStringLiteral("서버 이름이 비어 있습니다."));
    return spec;
}

namespace OdbcText {

QString quoteValue(const QString &value)
{
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{'))
                       && !value.contains(QLatin1Char('}')) && !value.contains(QLatin1Char('='))
                       && value.trimmed() == value;
    if (plain)
        return value;
    QString v = value;
    v.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return QLatin1Char('{') + v + QLatin1Char('}');
}

} // namespace OdbcText
