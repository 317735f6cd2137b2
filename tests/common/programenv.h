#pragma once

// Shared by the tests that start the program: the files of its system directory.

#include "app/confcodec.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

namespace ProgramEnv {

// ZEVARU.DAT content for the four connection fields, scrambled as zevaru-conf writes it.
inline QByteArray confFile(const QString &server, const QString &user, const QString &password, const QString &database)
{
    return ConfCodec::fileContent(
        ConfCodec::scramble(ConfCodec::joinRecord(QStringLiteral("0"), server, user, password, database)));
}

inline void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

// A fresh system folder and runtime folder for one start of the program, named in the environment
// it reads, with a readable registry naming the user U777. The runtime folder is private to the
// owner, as the single-instance lock expects.
struct Folders
{
    QTemporaryDir sys;
    QTemporaryDir run;

    Folders()
    {
        if (!sys.isValid() || !run.isValid())
            qFatal("no temporary folder for the program");
        QFile::setPermissions(run.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("ZEVARU_SYSTEM_DIR", sys.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", run.path().toLocal8Bit());
        writeFile(sys.filePath(QStringLiteral("registry.ini")), "[SOFTWARE\\ZEVARU]\nREG_USERID=U777\n");
    }
};

} // namespace ProgramEnv
