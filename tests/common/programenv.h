#pragma once

// Shared by the tests that start the program: the files of its system directory.

#include "app/confcodec.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

namespace ProgramEnv {

// ZEVARU.DAT content for the four connection fields, scrambled as zevaru-conf writes it.
inline QByteArray confFile(const QString &server, const QString &user, const QString &password,
                           const QString &database)
{
    const QString rec = QStringLiteral("0") + server.leftJustified(30) + user.leftJustified(30)
                        + password.leftJustified(30) + database.leftJustified(30);
    return ConfCodec::fileContent(ConfCodec::scramble(rec));
}

inline void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), content.size());
}

} // namespace ProgramEnv
