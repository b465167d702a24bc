#include "loop/HandlerCall.h"

#include "loop/EventLoop.h"
#include "loop/Scheduler.h"
#include "loop/ThreadFiber.h"

#include <memory>

namespace fw {

void CallHandler(const std::function<void()>& handler)
{
    // Counted on the main thread's stack alone: a thread's handler may yield half-way through.
    int* depth = Scheduler::instance().inThread() ? nullptr : &EventLoop::instance().handlerDepth();
    if (depth)
        ++*depth;
    const std::unique_ptr<int, void (*)(int*)> counted(depth, [](int* count) { --*count; });
    try {
        handler();
    } catch (const boost::context::detail::forced_unwind&) {
        throw;
    } catch (const ThreadKilled&) {
        throw;
    } catch (...) {
        Scheduler& scheduler = Scheduler::instance();
        if (scheduler.inThread())
            scheduler.deferException(std::current_exception());
        else
            EventLoop::instance().handOn(std::current_exception());
    }
}

int MainThreadHandlerDepth()
{
    return EventLoop::instance().handlerDepth();
}

}
