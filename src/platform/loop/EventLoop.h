#pragma once

#include "core/RuntimeOwned.h"

#include <cstdint>
#include <exception>

namespace fw {

// The main thread's event loop: whether it runs, whether the application quits and with what
// status, and the exception that an event handler left for the process entry.
class EventLoop : public RuntimeOwned<EventLoop> {
public:
    // Runs Qt's event loop until quit; not at all once quitting.
    void run();
    bool isRunning() const { return m_running; }

    // Ends the event loop with that status; no thread runs again.
    void quit(std::int32_t exitCode);
    // Quitting with that status, leaving a running loop to run: for where it has already ended.
    void beginQuitting(std::int32_t exitCode);
    bool isQuitting() const { return m_quitting; }
    std::int32_t exitCode() const { return m_exitCode; }

    // An exception that left an event handler: the first one is kept for the process entry,
    // and the loop ends.
    void handOn(std::exception_ptr exception);
    // The exception kept, taking it; null when there is none.
    std::exception_ptr takeException();

    // The handler calls under way on the main thread's stack (CallHandler).
    int& handlerDepth() { return m_handlerDepth; }

private:
    void stopThreads();

    std::int32_t m_exitCode { 0 };
    bool m_quitting { false };
    bool m_running { false };
    std::exception_ptr m_exception;
    int m_handlerDepth { 0 };
};

}
