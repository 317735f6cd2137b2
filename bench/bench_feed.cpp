// The fetch of a year's rates from services on 127.0.0.1, each figure against a baseline measured
// in the same run:
//  1. fetch and preview of 250 working days from two services (500 requests, every answer read
//     by its rules, the second opinion, the rows checked and compared with a table holding half of
//     the days) vs. the plain transfer of the same answers with the same requests, one after the
//     other through the same network classes; target <= 2x.
//  2. the apply of those days into an empty SQLite table (each with its history row naming the
//     services) vs. the same statements sent in one transaction straight through Qt SQL; target
//     <= 2x, as the import's.
#include "app/clsmain.h"
#include "benchdb.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/ratefeed.h"
#include "rate/ratefeedimport.h"
#include "rate/rateimport.h"
#include "rate/ratestatements.h"
#include "rate/ratewriter.h"

#include "../tests/common/localhttp.h"
#include "../tests/rate/feedanswers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// The same requests, each answer read whole and kept, nothing else.
qint64 plainTransfer(const QList<QUrl> &urls)
{
    QNetworkAccessManager nam;
    qint64 bytes = 0;
    for (const QUrl &u : urls) {
        QNetworkReply *reply = nam.get(QNetworkRequest(u));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        bytes += reply->readAll().size();
        reply->deleteLater();
    }
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    LocalHttp::dropProxyEnvironment();
    QTemporaryDir dir;
    const QByteArray exim = FeedAnswers::exim();
    LocalHttp::Server server([&](const QString &target) {
        LocalHttp::Reply r;
        r.body = target.startsWith(QLatin1String("/exim?")) ? exim : FeedAnswers::vcbFor(target);
        return r;
    });
    const QByteArray base = "http://127.0.0.1:" + QByteArray::number(server.port());
    {
        QFile f(dir.filePath(QStringLiteral("rate-sources.ini")));
        f.open(QIODevice::WriteOnly);
        f.write("[eximbank]\nurl=" + base + "/exim?authkey={key}&searchdate={yyyyMMdd}\n[vietcombank]\nurl=" + base
                + "/vcb?date={yyyy-MM-dd}\n");
    }
    const QHash<QString, QString> reg{
        {QStringLiteral("REG_FEED_KEY_EXIMBANK"), QStringLiteral("bench")},
        {QStringLiteral("REG_FEED_CHECK_USD"), QStringLiteral("vietcombank USD transfer / vietcombank KRW transfer")},
        {QStringLiteral("REG_FEED_CHECK_KRW"), QStringLiteral("eximbank USD deal_bas_r / vietcombank USD transfer")}};
    const RateFeed::Config config = RateFeed::configFrom([&reg](const QString &n) { return reg.value(n); }, dir.path());
    if (!config.problems.isEmpty())
        return 1;

    // 250 working days from 2024/01/01 on
    const QDate from(2024, 1, 1);
    QDate to = from;
    QList<QUrl> urls;
    for (int n = 0;; to = to.addDays(1)) {
        if (to.dayOfWeek() >= 6)
            continue;
        urls << RateFeed::urlFor(config.sources[QStringLiteral("eximbank")], to, QStringLiteral("bench"))
             << RateFeed::urlFor(config.sources[QStringLiteral("vietcombank")], to, QString());
        if (++n == 250)
            break;
    }

    auto provider = freshSqlite(dir.filePath(QStringLiteral("half.db")));
    DataAccess da;
    da.AttachConnection(provider->GetConnection());
    da.BeginTrans();
    for (QDate d = from; d <= to; d = d.addDays(2))
        da.Execute(RateStatements::insertStatement(d.toString(QStringLiteral("yyyy/MM/dd")), QStringLiteral("1300.00"),
                                                   QStringLiteral("24000"), QStringLiteral("0.054"), QString(),
                                                   QStringLiteral("B")));
    da.CommitTrans();

    double plainMs = 1e9, fetchMs = 1e9;
    RateImport::Preview preview;
    int requests = 0;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        const qint64 bytes = plainTransfer(urls);
        plainMs = std::min(plainMs, t.nsecsElapsed() / 1e6);
        t.restart();
        const RateFeed::Run run = RateFeed::fetch(config, from, to);
        preview = RateFeedImport::preview(run);
        RateImport::compareWithStored(da, preview);
        fetchMs = std::min(fetchMs, t.nsecsElapsed() / 1e6);
        requests = run.requests;
        if (bytes == 0 || run.count(RateFeed::Day::State::Ready) != 250 || run.requests != urls.size())
            return 1;
    }
    std::printf("fetch and preview of 250 working days from 2 services (%d requests; %s): %.1f ms; the plain "
                "transfer of the same answers: %.1f ms; ratio %.2f (target <= 2)\n",
                requests, qPrintable(RateImport::countText(preview)), fetchMs, plainMs, fetchMs / plainMs);

    // 2. apply into an empty table
    auto empty = freshSqlite(dir.filePath(QStringLiteral("apply.db")));
    DataAccess da2;
    da2.AttachConnection(empty->GetConnection());
    RateImport::Preview all = RateFeedImport::preview(RateFeed::fetch(config, from, to));
    RateImport::compareWithStored(da2, all);
    RateWriter writer(da2, QStringLiteral("BENCH"));
    writer.historyOn();
    QElapsedTimer t;
    t.start();
    const RateImport::ApplyResult res = RateImport::apply(da2, writer, all, RateImport::Scope::NewOnly);
    const double applyMs = t.nsecsElapsed() / 1e6;
    if (!res.ok || res.inserted != 250)
        return 1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("direct"));
        db.setDatabaseName(dir.filePath(QStringLiteral("direct.db")));
        db.open();
        for (const QString &s : App::sqliteSchemaStatements())
            QSqlQuery(db).exec(s);
        QStringList statements;
        const QString host = RateHistory::hostName();
        for (const RateImport::Row &row : all.rows)
            if (row.outcome == RateImport::Outcome::Add)
                statements << RateHistory::changeStatements(
                    RateHistory::Action::Insert, row.date,
                    {row.rateToWrite(0), row.rateToWrite(1), row.rateToWrite(2), row.remarkToWrite()},
                    QStringLiteral("BENCH"), host, true, row.source);
        for (QString &s : statements)
            s.replace(QStringLiteral("GETDATE()"), QStringLiteral("datetime('now','localtime')"));
        t.restart();
        db.transaction();
        QSqlQuery q(db);
        for (const QString &s : statements)
            q.exec(s);
        db.commit();
        const double directMs = t.nsecsElapsed() / 1e6;
        std::printf("apply of 250 fetched days (SQLite, one transaction): %.1f ms; the same inserts directly: %.1f ms; "
                    "ratio %.2f (target <= 2)\n",
                    applyMs, directMs, applyMs / directMs);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("direct"));
    return 0;
}
