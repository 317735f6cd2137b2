#include "clsmain.h"

#include "anymodule.h"
#include "platform/db/connprovider.h"
#include "platform/win/registry.h"
#include "platform/win/singleinstance.h"
#include "platform/win/stdmessagebox.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

#include <exception>
#include <memory>
#include <stdexcept>

std::unique_ptr<ConnProvider> App::openConnProvider()
{
    // a registry file that is there but cannot be read would leave every new row without
    // its user code: refused before anything is opened or written
    if (Registry::fileState() == Registry::FileState::Unreadable)
        throw std::runtime_error("registry.ini 파일을 읽을 수 없습니다.");
    auto provider = std::make_unique<ConnProvider>();
    provider->setUserId(fnGet_ConfValue(2));
    provider->setUserPassword(fnGet_ConfValue(3));
    provider->setDatabaseName(fnGet_ConfValue(4));
    provider->setServerName(fnGet_ConfValue(1));
    provider->setBaseDirectory(fnGet_SystemDir());
    provider->setSqliteSetup(sqliteSchemaStatements());
    // a connection that cannot be made is raised, not answered with false
    provider->OpenConnection();
    return provider;
}

namespace App {

QStringList sqliteSchemaStatements()
{
    QFile f(QStringLiteral(":/sql/sqlite.sql"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    text.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList out;
    for (const QString &s : text.split(QLatin1Char(';'))) {
        if (!s.trimmed().isEmpty())
            out << s.trimmed();
    }
    return out;
}

namespace {

// The application object itself, which main() owns; this only finds it.
Program *g_current = nullptr; // NOLINT(cppcoreguidelines-avoid-non-const-global-variables)

Program &program()
{
    if (!g_current)
        qFatal("the program's state is used before main() made it");
    return *g_current;
}

} // namespace

Program::Program()
{
    if (g_current)
        qFatal("one Program per process");
    g_current = this;
}

Program::~Program()
{
    release();
    g_current = nullptr;
}

Program *Program::current()
{
    return g_current;
}

void Program::release()
{
    // the connection goes first: it still needs the running Qt SQL; the lock is given back last
    m_provider.reset();
    m_userCode.clear();
    m_instance.reset();
}

bool isAnotherCopyRunning()
{
    Program &p = program();
    if (!p.m_instance)
        p.m_instance = std::make_unique<SingleInstance>();
    return !p.m_instance->tryLock();
}

bool sbInit_Program(QWidget *parent)
{
    try {
        Program &p = program();
        p.m_provider = openConnProvider();
        p.m_userCode = fnGet_RegValue(0);
        return true;
    } catch (...) {
        // whatever failed (file, settings, connection), the user sees the one message
        StdMessageBox::show(parent, QMessageBox::Warning, QStringLiteral("에러"),
                            QStringLiteral("프로그램 초기화에 실패하여 강제종료됩니다.\n"
                                           "프로그램 종료후 다시 시도해 주십시요."));
        return false;
    }
}

ConnProvider *connProvider()
{
    return g_current ? g_current->m_provider.get() : nullptr;
}

const QString &UserCode()
{
    return program().m_userCode;
}

void endProcess(int code)
{
    if (g_current && g_current->m_endHook) {
        g_current->m_endHook(code);
        return;
    }
    QCoreApplication::exit(code);
}

} // namespace App
