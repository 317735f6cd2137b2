// zevaru-conf: writes ZEVARU.DAT (the scrambled connection record the program reads at start)
// and shows the fields of an existing one.
//
//   zevaru-conf write [--file PATH] --server S --user U --password P|- --database D [--flag F]
//   zevaru-conf show  [--file PATH] [--show-password]
//
// PATH defaults to ZEVARU.DAT in the system directory ($ZEVARU_SYSTEM_DIR or /etc/zevaru).
// "--password -" reads the password from the first line of standard input.
// Exit codes: 0 done, 1 a field refused, 2 the file could not be read or written, 64 usage.

#include "app/anymodule.h"
#include "app/confcodec.h"
#include "platform/win/syserror.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

const char *const FieldNames[ConfCodec::FieldCount] = {
    "플래그", "서버", "사용자 ID", "비밀번호", "데이터베이스",
};

void err(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
}

void out(const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

int usage()
{
    err(QStringLiteral("사용법: zevaru-conf write [--file 경로] --server 서버 --user 사용자ID --password 비밀번호|- "
                       "--database 데이터베이스 [--flag 문자]\n"
                       "        zevaru-conf show [--file 경로] [--show-password]"));
    return 64;
}

// Why a field cannot be written, or empty text when it can.
QString refusal(int index, const QString &value)
{
    const QString name = QString::fromUtf8(FieldNames[index]);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const ushort c = value.at(i).unicode();
        if (c < 32 || c > 126)
            return QStringLiteral("%1에 쓸 수 없는 문자가 있습니다 (%2번째 문자, 코드 %3). "
                                  "인쇄 가능한 ASCII 문자(공백~'~')만 쓸 수 있습니다.")
                .arg(name)
                .arg(i + 1)
                .arg(c);
    }
    const int width = ConfCodec::fieldWidth(index);
    if (value.size() > width)
        return QStringLiteral("%1이(가) 너무 깁니다: %2자 (최대 %3자).").arg(name).arg(value.size()).arg(width);
    if (ConfCodec::fieldTrimmed(index) && value.trimmed() != value)
        return QStringLiteral("%1의 앞뒤에 공백을 둘 수 없습니다 (프로그램이 읽을 때 잘라 냅니다).").arg(name);
    return {};
}

QString defaultFile()
{
    return fnGet_SystemDir() + QStringLiteral("/ZEVARU.DAT");
}

int writeFile(const QStringList &args)
{
    QString file = defaultFile();
    QString values[ConfCodec::FieldCount] = {QStringLiteral("0")};
    bool given[ConfCodec::FieldCount] = {true, false, false, false, false};
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (i + 1 >= args.size())
            return usage();
        const QString &v = args.at(++i);
        int index = -1;
        if (a == QLatin1String("--file"))
            file = v;
        else if (a == QLatin1String("--flag"))
            index = 0;
        else if (a == QLatin1String("--server"))
            index = 1;
        else if (a == QLatin1String("--user"))
            index = 2;
        else if (a == QLatin1String("--password"))
            index = 3;
        else if (a == QLatin1String("--database"))
            index = 4;
        else
            return usage();
        if (index < 0)
            continue;
        values[index] = v;
        given[index] = true;
        if (index == 3 && v == QLatin1String("-")) {
            std::string line;
            std::getline(std::cin, line);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            values[3] = QString::fromStdString(line);
        }
    }
    for (int k = 1; k < ConfCodec::FieldCount; ++k) {
        if (!given[k]) {
            err(QStringLiteral("%1을(를) 지정하십시오.").arg(QString::fromUtf8(FieldNames[k])));
            return usage();
        }
    }
    if (values[0].size() != 1) {
        err(QStringLiteral("플래그는 한 글자여야 합니다."));
        return 1;
    }
    for (int k = 0; k < ConfCodec::FieldCount; ++k) {
        const QString why = refusal(k, values[k]);
        if (!why.isEmpty()) {
            err(why);
            return 1;
        }
    }
    const QString record = ConfCodec::joinRecord(values[0], values[1], values[2], values[3], values[4]);

    const QByteArray content = ConfCodec::fileContent(ConfCodec::scramble(record));
    // what the program will read back must be the record, character for character
    if (ConfCodec::descramble(ConfCodec::accumulateFields(content)) != record) {
        err(QStringLiteral("내부 오류: 기록할 내용을 다시 읽을 수 없습니다."));
        return 2;
    }
    QSaveFile f(file);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size() || !f.commit()) {
        err(QStringLiteral("파일을 쓸 수 없습니다: %1 (%2)").arg(file, SystemError::textOr(errno, f.errorString())));
        return 2;
    }
    out(QStringLiteral("기록했습니다: %1").arg(file));
    return 0;
}

int showFile(const QStringList &args)
{
    QString file = defaultFile();
    bool showPassword = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--show-password"))
            showPassword = true;
        else if (args.at(i) == QLatin1String("--file") && i + 1 < args.size())
            file = args.at(++i);
        else
            return usage();
    }
    QFile f(file);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly)) {
        err(QStringLiteral("파일을 읽을 수 없습니다: %1 (%2)").arg(file, SystemError::textOr(errno, f.errorString())));
        return 2;
    }
    const QString record = ConfCodec::descramble(ConfCodec::accumulateFields(f.readAll()));
    for (int k = 0; k < ConfCodec::FieldCount; ++k) {
        QString v = ConfCodec::cutField(record, k);
        if (k == 3 && !showPassword && !v.isEmpty())
            v = QStringLiteral("******** (--show-password 로 표시)");
        out(QStringLiteral("%1: %2").arg(QString::fromUtf8(FieldNames[k]), v));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage();
    const QString cmd = args.takeFirst();
    if (cmd == QLatin1String("write"))
        return writeFile(args);
    if (cmd == QLatin1String("show"))
        return showFile(args);
    return usage();
}
