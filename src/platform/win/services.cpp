#include "platform/win/services.h"

Services &services()
{
    static Services s;
    return s;
}

void resetServices()
{
    Services &s = services();
    SharedState shared = std::move(s.shared);
    s = Services{};
    s.shared = std::move(shared);
}
