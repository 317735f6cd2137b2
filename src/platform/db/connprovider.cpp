#include "connprovider.h"

bool ConnProvider::OpenConnection()
{
    auto conn = std::make_shared<DbConnection>(m_settings);
    if (!conn->open())
        throw DbError(conn->lastError().toStdString());
    m_connection = std::move(conn);
    return true;
}
