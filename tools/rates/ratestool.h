#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class DataAccess;
class ConnProvider;

namespace RateImport {
struct Preview;
enum class Scope;
} // namespace RateImport

// zevaru-rates: rates in and out of EX_RATE for scheduled work, through the same system folder,
// ZEVARU.DAT and backends as the program. Each subcommand is one entry of the table in main.cpp
// and one function here; it prints its messages in the program's words and answers the exit
// status: 0 done, 1 refused or failed (nothing written), 2 wrong usage.
namespace RatesTool {

// Found: the check listed findings (missing days or jumps). NotYet: the services have published
// none of the days asked (a morning job tries again later).
enum Exit { Done = 0, Refused = 1, Usage = 2, Found = 3, NotYet = 4 };

void out(const QString &text); // one line to standard output
void err(const QString &text); // one line to standard error

// The connection of ZEVARU.DAT and a data-access object on it; null after a message on failure.
struct Database
{
    std::unique_ptr<ConnProvider> provider;
    std::unique_ptr<DataAccess> da;
    QString userCode;
    Database();
    ~Database();
};
std::unique_ptr<Database> openDatabase();

// Reads "--name value" options and plain arguments; false (after a usage message) for an unknown
// option or a missing value. `flags` take no value.
struct Options
{
    QStringList plain;
    QHash<QString, QString> values;
    QStringList flagsGiven;
    bool has(const QString &flag) const { return flagsGiven.contains(flag); }
};
bool parseOptions(const QStringList &args, const QStringList &withValue, const QStringList &flags, Options *opts);

// The preview as tab-separated lines, then the counts; the first column the file's line, or the
// row's services.
void printPreview(const RateImport::Preview &p, bool sources);
// After the preview: refused (nothing written) unless --skip-refused, --dry-run, or the apply and
// its closing line; the exit status. `notApplied` names what a refusal leaves unapplied.
int applyPreview(Database &db, const RateImport::Preview &p, RateImport::Scope scope, const Options &o,
                 const QString &notApplied);

int runImport(const QStringList &args);
int runFetch(const QStringList &args);
int runExport(const QStringList &args);
int runCheck(const QStringList &args);
int runLog(const QStringList &args);

} // namespace RatesTool
