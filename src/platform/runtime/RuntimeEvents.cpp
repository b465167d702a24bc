#include "runtime/RuntimeEvents.h"

#include "core/FrameworkObserver.h"
#include "loop/EventLoop.h"
#include "loop/Scheduler.h"
#include <fw/MessageBox.h>
#include <fw/Window.h>

#include <cstdio>
#include <utility>

namespace fw {

void RuntimeEvents::threadEnded()
{
    if (Scheduler::instance().liveThreadCount() == 0)
        m_cancelPending = false;
    quitWhenNothingIsLeft();
}

void RuntimeEvents::threadFailed(const std::string& className, const std::string& message)
{
    std::fprintf(stderr, "quendal: a simulation thread ended with %s: %s\n", className.c_str(), message.c_str());
    CurrentFrameworkObserver()->exceptionReported(className, message);
    MsgBox("The simulation stopped after an error.\n\n" + className + ": " + message);
}

void RuntimeEvents::windowListChanged()
{
    quitWhenNothingIsLeft();
}

void RuntimeEvents::cancelPressed()
{
    // A press is meant for the run in progress: with none, there is nothing to cancel, and a
    // remembered press would end some later run unasked.
    if (Scheduler::instance().liveThreadCount() > 0)
        m_cancelPending = true;
}

bool RuntimeEvents::takeCancelPress()
{
    return std::exchange(m_cancelPending, false);
}

void RuntimeEvents::quitWhenNothingIsLeft()
{
    EventLoop& loop = EventLoop::instance();
    if (loop.isRunning() && !loop.isQuitting() && NothingIsLeft())
        loop.quit(0);
}

bool NothingIsLeft()
{
    return OpenWindows().empty() && Scheduler::instance().liveThreadCount() == 0;
}

}
