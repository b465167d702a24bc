#pragma once

#include <boost/context/fiber.hpp>

#include <exception>
#include <optional>

namespace fw {

// The execution context of one thread: its own stack, and the way back to the scheduler.
struct ThreadFiber {
    boost::context::fiber fiber;
    boost::context::fiber scheduler;
    const char* stackBottom { nullptr };
    bool blocked { false };
    std::exception_ptr deferredException;
    // When the wait that the thread is yielding in ends, on the real clock, if it said so.
    std::optional<double> wakeAt;
};

}

namespace fw {

// Raised inside a killed thread at its next yield, so that it runs no more of its code.
struct ThreadKilled { };

}
