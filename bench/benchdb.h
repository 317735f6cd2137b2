#pragma once

#include "app/connopen.h"
#include "platform/db/connprovider.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

// A new, empty SQLite database at `file` (whatever was there is removed), opened with `schema`:
// the program's own statements unless a benchmark compares another.
inline std::unique_ptr<ConnProvider> freshSqlite(const QString &file,
                                                 const QStringList &schema = App::sqliteSchemaStatements())
{
    QFile::remove(file);
    QFile f(file);
    f.open(QIODevice::WriteOnly);
    f.close();
    auto p = std::make_unique<ConnProvider>();
    p->setServerName(QStringLiteral("sqlite"));
    p->setDatabaseName(file);
    p->setSqliteSetup(schema);
    p->OpenConnection();
    return p;
}
