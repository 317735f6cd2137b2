#include "platform/win/services.h"

#include "platform/win/systemservices.h"

#include <vector>

namespace Platform {

namespace {

std::vector<std::function<void()>> &resets()
{
    static std::vector<std::function<void()>> r;
    return r;
}

} // namespace

Services &services()
{
    static Services s;
    return s;
}

void resetServices()
{
    Services &s = services();
    const SharedState shared = s.shared;
    s = Services{};
    s.shared = shared;
    Platform::resetSystemServices();
    for (const std::function<void()> &reset : resets())
        reset();
}

void onResetServices(std::function<void()> reset)
{
    resets().push_back(std::move(reset));
}

} // namespace Platform
