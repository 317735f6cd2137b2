// zevaru-rates: rates in and out of EX_RATE for scheduled work.
//
//   zevaru-rates import FILE [--apply new|all] [--dry-run] [--skip-refused]
//   zevaru-rates fetch [--day YYYY/MM/DD | --from YYYY/MM/DD --to YYYY/MM/DD] [--apply new|all] [--dry-run]
//   zevaru-rates export --from YYYY/MM/DD --to YYYY/MM/DD [--format csv|xlsx] [-o FILE|-]
//   zevaru-rates check --from YYYY/MM/DD --to YYYY/MM/DD
//   zevaru-rates log --day YYYY/MM/DD
//
// A new subcommand is one line in the table below and one run function (ratestool.h).

#include "ratestool.h"

#include "app/anymodule.h"
#include "app/connopen.h"
#include "platform/db/connprovider.h"
#include "platform/db/dataaccess.h"
#include "rate/ratecheck.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>

namespace RatesTool {

namespace {

struct Command
{
    const char *name;
    const char *usage; // the line of --help, after "zevaru-rates "
    int (*run)(const QStringList &args);
};

const Command Commands[] = {
    {"import",
     "import 파일 [--apply new|all] [--dry-run] [--skip-refused]\n"
     "      파일(.xlsx, .xls, .csv)의 환율을 미리보기하고 적용합니다.\n"
     "      --apply new  새 날짜만 적용 (기본값)   --apply all  새 날짜와 바뀐 날짜 적용\n"
     "      --dry-run  적용하지 않고 미리보기만   --skip-refused  거부된 행만 빼고 적용",
     runImport},
    {"fetch",
     "fetch [--day YYYY/MM/DD | --from YYYY/MM/DD --to YYYY/MM/DD] [--apply new|all] [--dry-run] [--skip-refused]\n"
     "      인터넷에서 그날(기본값 오늘)의 환율을 받아 가져오기처럼 미리보기하고 적용합니다.\n"
     "      서비스와 규칙: 시스템 폴더의 rate-sources.ini, registry.ini 의 REG_FEED_*   한 번에 366일까지\n"
     "      종료 상태 4: 아직 게시되지 않음(다시 받을 때)",
     runFetch},
    {"export",
     "export --from YYYY/MM/DD --to YYYY/MM/DD [--format csv|xlsx] [-o 파일|-]\n"
     "      기간의 환율을 화면의 엑셀로 내보내기와 같은 모양으로 씁니다.\n"
     "      --format 이 없으면 파일 이름의 확장자를 따릅니다(.csv 는 csv, 그 밖에는 xlsx). 확장자와 다른\n"
     "      --format 은 사용법 오류입니다. -o - 는 CSV 를 표준 출력으로 씁니다.\n"
     "      CSV 에서 =, +, -, @, 탭, CR 로 시작하는 글은 앞에 ' 를 붙여 씁니다(가져오기에서 다시 뗍니다).",
     runExport},
    {"check",
     "check --from YYYY/MM/DD --to YYYY/MM/DD\n"
     "      기간의 빠진 날짜(월~금, holidays.txt 의 휴일 제외)와 급변을 탭으로 나눈 줄로 씁니다.\n"
     "      일자, 구분, 통화, 이전 값, 새 값, 변동률(%)   종료 상태 3: 점검 결과가 있음",
     runCheck},
    {"log",
     "log --day YYYY/MM/DD\n"
     "      그 날짜의 변경 이력을 최근 것부터 탭으로 나눈 줄로 씁니다.\n"
     "      변경일시, 구분(I/U/D), 이전 미달러·베트남동·한국원화·비고, 새 값 넷, 사용자, 컴퓨터, 출처",
     runLog},
};

int help(bool toErr)
{
    QString text = QStringLiteral("사용법: zevaru-rates 명령 [옵션]\n\n");
    for (const Command &c : Commands)
        text += QStringLiteral("  zevaru-rates ") + QString::fromUtf8(c.usage) + QStringLiteral("\n");
    text += QStringLiteral(
        "\n설정: 시스템 폴더의 ZEVARU.DAT와 registry.ini. 시스템 폴더는 이 순서로 찾습니다:\n"
        "  $ZEVARU_SYSTEM_DIR (설정되어 있으면)\n"
        "  /etc/zevaru (있으면)\n"
        "  개인 폴더 $XDG_DATA_HOME/zozura (~/.local/share/zozura, ZEVARU.DAT 가 있으면)\n"
        "종료 상태: 0 완료, 1 거부되었거나 실패(아무것도 저장하지 않음), 2 사용법 오류, 3 점검 결과가 있음(check),\n"
        "           4 아직 게시되지 않음(fetch)");
    (toErr ? err : out)(text);
    return toErr ? Usage : Done;
}

} // namespace

void out(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

void err(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

Database::Database() = default;
Database::~Database() = default;

std::unique_ptr<Database> openDatabase()
{
    auto db = std::make_unique<Database>();
    try {
        db->provider = App::openConnProvider();
    } catch (const std::exception &e) {
        err(QStringLiteral("데이터베이스에 연결하지 못했습니다: ") + QString::fromUtf8(e.what()));
        return nullptr;
    }
    db->userCode = fnGet_RegValue(0);
    db->da = std::make_unique<DataAccess>();
    db->da->AttachConnection(db->provider->GetConnection());
    return db;
}

bool parseOptions(const QStringList &args, const QStringList &withValue, const QStringList &flags, Options *opts)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (withValue.contains(a)) {
            if (i + 1 >= args.size()) {
                err(QStringLiteral("%1 뒤에 값이 없습니다.").arg(a));
                return false;
            }
            opts->values.insert(a, args.at(++i));
        } else if (flags.contains(a)) {
            opts->flagsGiven << a;
        } else if (a.startsWith(u'-') && a.size() > 1) {
            err(QStringLiteral("알 수 없는 옵션입니다: ") + a);
            return false;
        } else {
            opts->plain << a;
        }
    }
    return true;
}

} // namespace RatesTool

int main(int argc, char *argv[])
{
    // a scheduled job's log holds the tool's own lines only, not Qt's notes on its surroundings
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &msg) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            RatesTool::err(msg);
    });
    // no window system: the tool links the rate core only, so it runs where no screen is
    QCoreApplication app(argc, argv);
    // a setting the checks cannot use is named on standard error, once in this run
    RateCheck::setSettingsNotice([](const QString &title, const QString &text) {
        RatesTool::err(QStringLiteral("zevaru-rates: ") + title + QLatin1Char('\n')
                       + QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    });
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return RatesTool::help(true);
    const QString name = args.takeFirst();
    if (name == u"--help" || name == u"-h" || name == u"help")
        return RatesTool::help(false);
    for (const RatesTool::Command &c : RatesTool::Commands) {
        if (name != QLatin1String(c.name))
            continue;
        if (args.contains(QStringLiteral("--help"))) {
            RatesTool::out(QStringLiteral("사용법: zevaru-rates ") + QString::fromUtf8(c.usage));
            return RatesTool::Done;
        }
        return c.run(args);
    }
    RatesTool::err(QStringLiteral("알 수 없는 명령입니다: ") + name);
    return RatesTool::help(true);
}
