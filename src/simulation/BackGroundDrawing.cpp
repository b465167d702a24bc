#include "simulation/BackGroundDrawing.h"

#include <fw/Clock.h>
#include <fw/Runtime.h>

#include <cstdint>

using namespace fw;

const ClassInfo& BackGroundDrawing::StaticClass()
{
    static const ClassInfo info("BackGroundDrawing", &Thread::StaticClass(), FactoryOf<BackGroundDrawing>());
    return info;
}

void BackGroundDrawing::Event_Run()
{
    Lahtoarvot();
    Track1Globe();
}

bool BackGroundDrawing::Untitled_Action()
{
    return false;
}

void BackGroundDrawing::Delay()
{
    std::int32_t start = Ticks();
    RuntimeExpectWake(TickMicroseconds(start, 8));
    while (true) {
        auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(Ticks()) - static_cast<std::uint32_t>(start));
        if (elapsed > 7)
            return;
        RuntimeBackgroundTask();
    }
}

void BackGroundDrawing::Wait()
{
    double start = Microseconds();
    RuntimeExpectWake(start + 1000.0);
    while (true) {
        if (Microseconds() - start > 1000.0)
            return;
        RuntimeBackgroundTask();
    }
}
