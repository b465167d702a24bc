#include "loop/Scheduler.h"

#include "loop/FrameSource.h"
#include "loop/ThreadBody.h"
#include "loop/ThreadEvents.h"
#include "loop/ThreadFiber.h"
#include "loop/WakeTimer.h"
#include <fw/Clock.h>
#include <fw/Exceptions.h>

#include <boost/container/small_vector.hpp>

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace fw {

Scheduler::Scheduler()
    : m_timer(new QTimer)
    , m_wakeTimer(new WakeTimer([this] { wokeUp(); }))
{
    m_timer->setInterval(0);
    QObject::connect(m_timer, &QTimer::timeout, [this] { runSlice(); });
}

Scheduler::~Scheduler()
{
    delete m_wakeTimer;
    delete m_timer;
}

void Scheduler::start(Thread& thread)
{
    thread.m_fiber = std::make_unique<ThreadFiber>();
    thread.m_fiber->fiber = MakeThreadFiber(thread, *thread.m_fiber, [this](const std::string& className, const std::string& message) {
        if (m_events)
            m_events->threadFailed(className, message);
    });
    thread.m_state = Thread::State::Running;
    m_threads.emplace_back(&thread);
    updateTimer();
}

void Scheduler::yield()
{
    if (!m_current) {
        runRound();
        if (m_frames)
            m_frames->presentIfDue();
        return;
    }
    Thread* thread = m_current;
    ThreadFiber& fiber = *thread->m_fiber;
    if (IsStackNearlyUsedUp(fiber))
        throw StackOverflowException("the thread's stack is nearly used up: it is nested too deeply");
    fiber.scheduler = std::move(fiber.scheduler).resume();
    if (thread->m_state == Thread::State::Finished)
        throw ThreadKilled {};
    if (fiber.deferredException)
        std::rethrow_exception(std::exchange(fiber.deferredException, nullptr));
}

void Scheduler::runRound()
{
    if (m_stopped)
        return;
    // The round's own copy, since a thread may start or end others; on the stack, as rounds
    // run thousands of times a millisecond while a thread waits.
    boost::container::small_vector<Ref<Thread>, 4> threads(m_threads.begin(), m_threads.end());
    for (const Ref<Thread>& thread : threads) {
        if (m_stopped)
            break;
        if (isRunnable(*thread))
            resumeThread(*thread);
    }
    VirtualClock::advance(VirtualClock::kRoundMicroseconds);
    updateTimer();
}

void Scheduler::runSlice()
{
    // On the virtual clock a visit of the event loop is one round, so that time moves evenly.
    if (VirtualClock::isEnabled()) {
        runRound();
        return;
    }
    // Several rounds per visit of the event loop, since its poll costs more than a round, and
    // input still waits little longer than a slice. Leaving just before a wait ends would make
    // it late by the visit.
    const double end = Microseconds() + kSliceMicroseconds;
    const double latest = end + kWakeGuardMicroseconds + kAfterWakeMicroseconds;
    double now = 0;
    std::optional<double> sleep;
    do {
        runRound();
        now = Microseconds();
        sleep = sleepUntil(now);
    } while (!sleep && !m_stopped && hasRunnableThreads() && (now < end || (now < latest && wakeIsNear(now, kWakeGuardMicroseconds))));
    if (frameFitsAt(now))
        m_frames->presentNow();
    // Every thread waits: the loop sleeps, and input wakes it as ever. The frame may have taken
    // what the sleep had.
    if (sleep && !m_stopped && sleepUntil(Microseconds()) == sleep)
        sleepUntilMoment(*sleep);
}

std::optional<double> Scheduler::threadsWaitUntil(double now) const
{
    double earliest = std::numeric_limits<double>::infinity();
    for (const Ref<Thread>& thread : m_threads) {
        if (!isRunnable(*thread))
            continue;
        const std::optional<double>& wake = thread->m_fiber->wakeAt;
        if (!wake || *wake <= now)
            return std::nullopt;
        earliest = std::min(earliest, *wake);
    }
    return earliest;
}

std::optional<double> Scheduler::sleepUntil(double now, std::optional<double> mainThreadWake) const
{
    std::optional<double> wake = threadsWaitUntil(now);
    if (!wake)
        return std::nullopt;
    if (mainThreadWake)
        wake = std::min(*wake, *mainThreadWake);
    const double until = *wake - sleepMargin();
    if (!std::isfinite(until) || until - now < kShortestSleepMicroseconds)
        return std::nullopt;
    return until;
}

void Scheduler::sleepUntilMoment(double moment)
{
    m_timer->stop();
    if (!m_wakeTimer->armAt(moment))
        updateTimer();
}

void Scheduler::wokeUp()
{
    updateTimer();
    // Straight to the rounds: one more pass of the event loop would take from the margin.
    if (m_timer->isActive() && !m_drivenFromOutside)
        runSlice();
}

double Scheduler::sleepMargin() const
{
    return m_wakeTimer->lateness();
}

bool Scheduler::isSleeping() const
{
    return m_wakeTimer->isArmed();
}

std::optional<double> Scheduler::sleepingUntil() const
{
    if (!isSleeping())
        return std::nullopt;
    return m_wakeTimer->moment();
}

void Scheduler::waitOnMainThread(std::optional<double> mainThreadWake)
{
    std::optional<double> sleep;
    if (!m_current && !VirtualClock::isEnabled() && mainThreadWake && !m_stopped)
        sleep = sleepUntil(Microseconds(), mainThreadWake);
    if (!sleep) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    sleepUntilMoment(*sleep);
    // Returns after the first event that it handled: the wake-up, or input. Without a timer to
    // wake it, it only looks.
    QCoreApplication::processEvents(isSleeping() ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    updateTimer();
}

bool Scheduler::frameFitsAt(double now) const
{
    // A frame goes where the waits have time to spare for it. One that takes longer than they
    // have goes right after a wait began, and the presenter makes such frames rarer.
    if (!m_frames)
        return false;
    double margin = std::min(kWakeGuardMicroseconds + m_frames->expectedCostMicroseconds(), kLongestFrameMarginMicroseconds);
    return m_frames->frameDueAt(now) && !wakeIsNear(now, margin);
}

void Scheduler::expectWake(double microseconds)
{
    if (m_current)
        m_current->m_fiber->wakeAt = microseconds;
}

bool Scheduler::wakeIsNear(double now, double margin) const
{
    return std::any_of(m_threads.begin(), m_threads.end(), [&](const Ref<Thread>& thread) {
        if (!isRunnable(*thread))
            return false;
        const std::optional<double>& wake = thread->m_fiber->wakeAt;
        return wake && now > *wake - margin && now < *wake + kAfterWakeMicroseconds;
    });
}

bool Scheduler::presentsFrames() const
{
    return (m_timer->isActive() || isSleeping()) && !VirtualClock::isEnabled();
}

bool Scheduler::isRunnable(const Thread& thread) const
{
    return thread.m_state == Thread::State::Running && thread.m_fiber && !thread.m_fiber->blocked && &thread != m_current;
}

bool Scheduler::hasRunnableThreads() const
{
    return std::any_of(m_threads.begin(), m_threads.end(), [this](const Ref<Thread>& thread) { return isRunnable(*thread); });
}

void Scheduler::resumeThread(Thread& thread)
{
    Thread* previous = m_current;
    m_current = &thread;
    thread.m_fiber->fiber = std::move(thread.m_fiber->fiber).resume();
    m_current = previous;
    if (!thread.m_fiber->fiber)
        finish(thread);
}

void Scheduler::finish(Thread& thread)
{
    Ref<Thread> keep(&thread);
    thread.m_state = Thread::State::Finished;
    m_threads.erase(std::remove(m_threads.begin(), m_threads.end(), keep), m_threads.end());
    updateTimer();
    if (m_events)
        m_events->threadEnded();
}

void Scheduler::blockCurrent()
{
    if (!m_current)
        return;
    m_current->m_fiber->blocked = true;
    yield();
}

void Scheduler::unblock(Thread& thread)
{
    if (thread.m_fiber)
        thread.m_fiber->blocked = false;
    updateTimer();
}

void Scheduler::suspend(Thread& thread)
{
    thread.m_state = Thread::State::Suspended;
    if (&thread == m_current)
        yield();
    updateTimer();
}

void Scheduler::resume(Thread& thread)
{
    thread.m_state = Thread::State::Running;
    updateTimer();
}

void Scheduler::kill(Thread& thread)
{
    if (&thread == m_current) {
        thread.m_state = Thread::State::Finished;
        throw ThreadKilled {};
    }
    Ref<Thread> keep(&thread);
    Thread* previous = m_current;
    m_current = &thread;
    // Destroying a suspended fiber unwinds its stack.
    thread.m_fiber->fiber = boost::context::fiber {};
    m_current = previous;
    finish(thread);
}

void Scheduler::deferException(std::exception_ptr exception)
{
    if (m_current)
        m_current->m_fiber->deferredException = exception;
}

void Scheduler::stop()
{
    m_stopped = true;
    m_timer->stop();
    m_wakeTimer->disarm();
}

void Scheduler::abandonAll()
{
    stop();
    std::vector<Ref<Thread>> threads;
    threads.swap(m_threads);
    for (const Ref<Thread>& thread : threads) {
        thread->m_state = Thread::State::Finished;
        if (thread->m_fiber && thread->m_fiber->fiber) {
            m_current = thread.get();
            thread->m_fiber->fiber = boost::context::fiber {};
            m_current = nullptr;
        }
    }
}

void Scheduler::setDrivenFromOutside(bool driven)
{
    m_drivenFromOutside = driven;
    updateTimer();
}

void Scheduler::updateTimer()
{
    // Whatever changed may let a thread run before the sleep would end: the rounds decide again.
    m_wakeTimer->disarm();
    if (!m_stopped && !m_drivenFromOutside && hasRunnableThreads()) {
        if (!m_timer->isActive())
            m_timer->start();
    } else {
        m_timer->stop();
    }
}

}
