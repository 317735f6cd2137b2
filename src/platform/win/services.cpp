#include "platform/win/services.h"

Services &services()
{
    static Services s;
    return s;
}

void resetServices()
{
    services() = Services{};
}
