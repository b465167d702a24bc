#include "loop/EventLoop.h"

#include "loop/Scheduler.h"

#include <QApplication>

#include <utility>

namespace fw {

void EventLoop::run()
{
    if (!m_quitting) {
        m_running = true;
        QApplication::exec();
        m_running = false;
    }
    Scheduler::instance().stop();
}

void EventLoop::quit(std::int32_t exitCode)
{
    beginQuitting(exitCode);
    QCoreApplication::exit(exitCode);
}

void EventLoop::beginQuitting(std::int32_t exitCode)
{
    m_exitCode = exitCode;
    stopThreads();
}

void EventLoop::handOn(std::exception_ptr exception)
{
    if (!m_exception)
        m_exception = std::move(exception);
    stopThreads();
    QCoreApplication::exit(1);
}

std::exception_ptr EventLoop::takeException()
{
    return std::exchange(m_exception, nullptr);
}

void EventLoop::stopThreads()
{
    m_quitting = true;
    Scheduler::instance().stop();
}

}
