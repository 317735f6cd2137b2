#pragma once

#include "rate/ratesources.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVector>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;

// The day's rates fetched from the services that publish them: one request a service and day
// (one a run for a service whose answer holds every day), each answer read by its section of
// rate-sources.ini, each column's value by its rule, and checked against a second opinion. Every
// failure comes back in Korean with what to do, and never with a service's key in it.
namespace RateFeed {

// The limits of a run; the registry values in brackets.
struct Settings
{
    int timeoutMs = 15000; // a request's time-out (REG_FEED_TIMEOUT, seconds)
    int tries = 3;
    int backoffMs = 1000; // wait before the second try, doubled before the third (REG_FEED_BACKOFF)
    qint64 maxBytes = 5LL * 1024 * 1024;
    int maxDays = 366;
    double tolerancePercent = 1; // second opinion (REG_FEED_TOLERANCE)
    QString proxy; // "http://host:port" (REG_FEED_PROXY); empty: the system's
    QString caFile; // certificates trusted besides the system's (REG_FEED_CAFILE)
};

// Everything a run needs, read from the registry and the system folder.
struct Config
{
    Settings settings;
    QMap<QString, RateSources::Source> sources;
    RateSources::Rules rules;
    QHash<QString, QString> keys; // source id -> its key
    QStringList problems; // why the configuration cannot be used; empty when it can
};
Config configFrom(const std::function<QString(const QString &)> &registry, const QString &systemDir);

// One answer's values: day ("yyyy-MM-dd", "" = the asked day) -> currency -> field -> value.
using Values = QHash<QString, QHash<QString, QHash<QString, double>>>;

struct Parsed
{
    enum class State { Ok, Empty, Failed } state = State::Failed;
    Values values;
    QString failure;
    bool refusedByService = false; // the service's own result code: every other day alike
    QString answerDay; // "yyyy-MM-dd" the answer says it holds (Source::answerDay), else ""
};
// Reads an answer in its source's format; Empty for an answer with no rates in it (a day not
// published yet, a weekend, a holiday).
Parsed parse(const RateSources::Source &source, const QByteArray &body);
// "1,385.5" -> 1385.5 (thousands separators and blanks dropped); nullopt for no number.
std::optional<double> number(const QString &text);

// The address of a source for a day, the key put in.
QUrl urlFor(const RateSources::Source &source, const QDate &day, const QString &key);
// `text` with every key of the configuration blotted out.
QString withoutKeys(const Config &config, QString text);

struct Answer
{
    bool ok = false;
    QByteArray body;
    QString failure; // Korean, with what to do
    bool retry = false; // worth another try
};

// Requests over Qt Network: the system's certificates (and the configured CA file), the system's
// proxy or the configured one, the time-out, the tries, the size cap; only safe redirects
// (the same scheme or to https). Waits in a local event loop.
class Fetcher
{
public:
    explicit Fetcher(const Settings &settings);
    ~Fetcher();
    Fetcher(const Fetcher &) = delete;
    Fetcher &operator=(const Fetcher &) = delete;

    Answer get(const QUrl &url);
    int requestCount() const { return m_requests; }

private:
    Answer once(const QUrl &url);

    Settings m_settings;
    std::unique_ptr<QNetworkAccessManager> m_nam;
    int m_requests = 0;
};

// A second source whose value of a column differs by more than the tolerance.
struct Disagreement
{
    int column = 0;
    double other = 0;
    double percent = 0;
    QString by; // its services: "ecb"
};

// One day of a run.
struct Day
{
    QDate day;
    enum class State { Ready, Unpublished, Failed } state = State::Failed;
    std::array<std::optional<double>, RateSources::ColumnCount> value; // by the rules, unrounded
    QString sources; // the services of the values: "eximbank+vietcombank"
    QString note; // unpublished: by whom; failed: why
    QList<Disagreement> disagreements;
};

struct Run
{
    QVector<Day> days;
    QStringList problems; // the configuration's; nothing was asked then
    int requests = 0;
    double tolerancePercent = 1; // of the second opinions
    int count(Day::State state) const;
};

// Fetches from..to (at most Settings::maxDays days). Saturdays and Sundays are not asked: they are
// unpublished. progress(done, total) after each day; a true answer from `cancelled` stops the run
// (the days not reached are failed).
Run fetch(const Config &config, const QDate &from, const QDate &to, const std::function<void(int, int)> &progress = {},
          const std::function<bool()> &cancelled = {});

} // namespace RateFeed
