#include "HandlerCall.h"

#include "Runtime.h"
#include "Scheduler.h"
#include "ThreadFiber.h"

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
            DeferMainThreadException(std::current_exception());
    }
}

}
