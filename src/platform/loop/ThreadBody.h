#pragma once

#include "loop/ThreadFiber.h"

#include <boost/context/fiber.hpp>

#include <cstddef>
#include <functional>
#include <string>

namespace fw {

class Thread;

// Told, in the thread, of a Run that ended with an exception other than a kill.
using ThreadFailure = std::function<void(const std::string& className, const std::string& message)>;

// A fiber that runs the thread's Run on a guarded stack of its own, recording in fiber where that
// stack ends.
boost::context::fiber MakeThreadFiber(Thread& thread, ThreadFiber& fiber, ThreadFailure failed);

// A thread yield finds less than the reserve left: it raises StackOverflowException.
constexpr std::size_t kThreadStackSize = 8 * 1024 * 1024;
constexpr std::size_t kThreadStackReserve = 256 * 1024;

// Whether the thread running on fiber has less than the reserve of its stack left. Inline, so
// that it measures the yield's own frame.
inline bool IsStackNearlyUsedUp(const ThreadFiber& fiber)
{
    char probe;
    return static_cast<std::size_t>(&probe - fiber.stackBottom) < kThreadStackReserve;
}

}
