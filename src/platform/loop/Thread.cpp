#include <fw/Thread.h>

#include "loop/Scheduler.h"
#include "loop/ThreadFiber.h"
#include <fw/Clock.h>
#include <fw/Exceptions.h>

namespace fw {

const ClassInfo& Thread::StaticClass()
{
    static const ClassInfo info("Thread", &Object::StaticClass(), FactoryOf<Thread>());
    return info;
}

Thread::Thread() = default;
Thread::~Thread() = default;

void Thread::Run()
{
    if (m_state != State::NotStarted)
        throw RuntimeException("a thread can be started only once");
    Scheduler::instance().start(*this);
}

void Thread::Suspend()
{
    if (m_state == State::Running)
        Scheduler::instance().suspend(*this);
}

void Thread::Resume()
{
    m_wakeRequested = true;
    if (m_state == State::Suspended)
        Scheduler::instance().resume(*this);
}

void Thread::Sleep(std::int32_t milliseconds, bool wakeEarly)
{
    Scheduler& scheduler = Scheduler::instance();
    if (scheduler.current() != this)
        throw RuntimeException("a thread can only sleep on its own");
    m_wakeRequested = false;
    double until = Microseconds() + milliseconds * 1000.0;
    while (Microseconds() < until && !(wakeEarly && m_wakeRequested))
        scheduler.yield();
}

void Thread::Kill()
{
    if (isRunning())
        Scheduler::instance().kill(*this);
}

}
