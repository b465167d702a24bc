#pragma once

#include <string>

namespace fw {

// What the scheduler tells the layers above it of its threads; the runtime installs it.
class ThreadEvents {
public:
    virtual ~ThreadEvents() = default;
    // A thread ran to its end, was killed or was abandoned: it is no longer alive.
    virtual void threadEnded() = 0;
    // A thread's Run ended with an exception. Called in that thread, which may block here
    // while a message box shows.
    virtual void threadFailed(const std::string& className, const std::string& message) = 0;
};

}
