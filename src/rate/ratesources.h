#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// Where each column's value of a day comes from: the services as data (rate-sources.ini, the
// program's own overridden key by key by one in the system folder) and a rule per column
// (registry.ini) that picks a value out of a service's answer, or divides two. No network here.
namespace RateSources {

enum class Format { Json, Xml, Csv };

struct Source
{
    QString id; // the section's name: "eximbank"
    QString name; // for messages
    QString url; // with {key}, {yyyyMMdd}, {yyyy-MM-dd}
    QString keyValue; // registry value holding the key; "" = none needed
    Format format = Format::Json;
    QString rows; // json: path to the list; xml: the element of one rate
    QString code; // field naming the currency
    QString day; // field giving a rate's day; "" = the asked day
    QString answerDay; // json: the top field giving the day of the whole answer (another day's
                       // table for a holiday is then not this day's)
    QString status; // json: the field of the service's result code
    QString statusOk;
    QMap<QString, QString> statusText; // code -> the words for it

    // One answer holds every day: the address names no day.
    bool wholePeriod() const;
};

// An ini text as sections of name=value lines (names in lower case; ';' and '#' start comments).
QMap<QString, QMap<QString, QString>> parseIni(const QString &text);

// The program's sources with the system folder's file laid over them key by key. Problems (an
// unknown format, a section without url or code) are named in Korean, and such a section left out.
QMap<QString, Source> sourcesFrom(const QString &builtInText, const QString &overrideText, QStringList *problems);
// The text of the rate-sources.ini that ships with the program.
QString builtInText();

// One operand of a rule: a constant, or a service's value of a currency.
struct Term
{
    double constant = 0;
    QString source; // empty: the constant
    QString code;
    QString field;
    QString text() const;
};
// A value or a ratio of two: "eximbank USD deal_bas_r", "1 / vietcombank KRW transfer".
struct Rule
{
    Term top;
    std::optional<Term> bottom;
    QString text() const;
    QStringList sources() const; // the services it reads, in order
};
// Reads a rule; nullopt with the Korean words for what is wrong.
std::optional<Rule> parseRule(const QString &text, QString *problem);

// The registry values that configure a fetch, and their defaults.
enum Column { Usd, Vnd, Krw, ColumnCount };
QString ruleValueName(int column); // REG_FEED_USD ...
QString checkValueName(int column); // REG_FEED_CHECK_USD ...
QString defaultRule(int column);
QString defaultChecks(int column); // second opinions, ';' between them

struct Rules
{
    std::array<Rule, ColumnCount> value;
    std::array<QList<Rule>, ColumnCount> checks;
};
// The rules in `registry` (value name -> text, empty = the default). Nullopt with the problems.
std::optional<Rules> rulesFrom(const std::function<QString(const QString &)> &registry, QStringList *problems);

} // namespace RateSources
