#pragma once

#include "platform/win/services.h"
#include "platform/win/systemservices.h"

// A test's fakes of the program's services: the answers of message boxes and pop-up menus, the
// import's file dialog, the bell, twips per pixel, and through Platform::systemServices() the year and the
// machine's settings folder; the message screen's and the chart editor's hooks of their own
// layers go back with them. It starts from the real services and puts them back when it goes, so
// no fake outlives the test class (or test function) that holds it.
class FakeServices
{
public:
    FakeServices() { Platform::resetServices(); }
    ~FakeServices() { Platform::resetServices(); }
    FakeServices(const FakeServices &) = delete;
    FakeServices &operator=(const FakeServices &) = delete;

    Platform::Services *operator->() const { return &Platform::services(); }
    // everything real again, in the middle of a test
    void reset() const { Platform::resetServices(); }
};
