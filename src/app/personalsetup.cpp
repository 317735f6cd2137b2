#include "personalsetup.h"

#include "confcodec.h"
#include "msgscr/msgscr.h"
#include "platform/win/syserror.h"
#include "platform/win/systemdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace PersonalSetup {

namespace {

// Writes `content` unless the file exists; empty text when done or kept.
QString writeNew(const QString &path, const QByteArray &content)
{
    if (QFileInfo::exists(path))
        return {};
    QSaveFile f(path);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size() || !f.commit())
        return QStringLiteral("%1 파일을 만들 수 없습니다. (%2)")
            .arg(path, SystemError::textOr(errno, f.errorString()));
    return {};
}

} // namespace

QString loginName()
{
    if (const passwd *pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

QString userCodeFor(const QString &login)
{
    QString code = login;
    // the code stays plain (letters, digits, . _ @ -): a line break or spaces at either end
    // would not come back from the registry file as written
    code.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9._@-]")));
    return code.isEmpty() ? QStringLiteral("USER") : code.left(50);
}

QString confUserFor(const QString &login)
{
    static const QRegularExpression printable(QStringLiteral("^[!-~]([ -~]*[!-~])?$"));
    if (login.size() <= ConfCodec::fieldWidth(2) && printable.match(login).hasMatch())
        return login;
    return QStringLiteral("zozura");
}

QString create(const QString &dir, const QString &login)
{
    if (dir.isEmpty())
        return QStringLiteral("사용자 자료 폴더(홈 폴더)를 알 수 없습니다.");
    if (!QDir().mkpath(dir) || !QFileInfo(dir).isDir())
        return QStringLiteral("%1 폴더를 만들 수 없습니다.").arg(dir);
    // the rates and the connection record are the user's alone
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QDir folder(dir);
    // an empty file is a database to SQLite; the program makes EX_RATE in it at the first open
    QString why = writeNew(folder.filePath(QString::fromLatin1(DatabaseFile)), {});
    if (why.isEmpty())
        why = writeNew(folder.filePath(QStringLiteral("registry.ini")),
                       "[SOFTWARE\\ZEVARU]\nREG_USERID=" + userCodeFor(login).toUtf8() + "\n");
    if (!why.isEmpty())
        return why;

    const QString record = ConfCodec::joinRecord(QStringLiteral("0"), QStringLiteral("sqlite"), confUserFor(login),
                                                 QString(), QString::fromLatin1(DatabaseFile));
    const QByteArray conf = ConfCodec::fileContent(ConfCodec::scramble(record));
    QSaveFile f(folder.filePath(QStringLiteral("ZEVARU.DAT")));
    errno = 0;
    if (!f.open(QIODevice::WriteOnly) || f.write(conf) != conf.size() || !f.commit())
        return QStringLiteral("%1 파일을 만들 수 없습니다. (%2)")
            .arg(f.fileName(), SystemError::textOr(errno, f.errorString()));
    return {};
}

bool offer()
{
    if (SystemDir::current().source != SystemDir::Source::None)
        return true;
    const QString dir = SystemDir::personalPath();
    const QString login = loginName();
    const MsgScr::Answer answer =
        MsgScr::question(MsgScr::Kind::Question, QStringLiteral("처음 실행"),
                         QStringLiteral("이 컴퓨터에는 환율 자료의 설정 폴더가 없습니다.\r\n"
                                        "이 사용자만 쓰는 개인 데이터베이스를 만들고 시작하시겠습니까?\r\n"
                                        "\r\n"
                                        "폴더: %1\r\n"
                                        "사용자 코드: %2\r\n"
                                        "\r\n"
                                        "회사 공용 데이터베이스를 쓰시려면 [아니오]를 누르고 관리자에게 문의하십시오.")
                             .arg(dir, userCodeFor(login)),
                         MsgScr::Answer::Yes);
    if (answer != MsgScr::Answer::Yes)
        return false;
    const QString why = create(dir, login);
    if (why.isEmpty())
        return true;
    MsgScr::notice(MsgScr::Kind::Error, QStringLiteral("설정 실패"),
                   QStringLiteral("개인 데이터베이스를 만들지 못했습니다.\r\n") + why);
    return false;
}

} // namespace PersonalSetup
