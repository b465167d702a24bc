#include "loop/HandlerCall.h"

#include "loop/EventLoop.h"
#include "loop/Scheduler.h"
#include "loop/ThreadFiber.h"

namespace fw {

void CallHandler(const std::function<void()>& handler)
{
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

}
