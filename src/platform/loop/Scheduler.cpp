#include "loop/Scheduler.h"

#include "loop/FrameSource.h"
#include "loop/FrameTiming.h"
#include "loop/Pacing.h"
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

void Scheduler::setFrameSource(FrameSource* frames)
{
    m_frames = frames;
    tellFramesWhetherRoundsPresent();
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
        if (frameDueAt(ClockMicroseconds()))
            m_frames->presentNow();
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
    const double end = Microseconds() + Pacing::kSliceMicroseconds;
    while (true) {
        runRound();
        const double now = Microseconds();
        const Pacing pacing = pacingAt(now);
        if (!m_stopped && pacing.keepsSlicing(end))
            continue;
        if (m_frames && pacing.frameFits(frameDueAt(now), m_frames->frameTiming().expectedCost()))
            m_frames->presentNow();
        // Every thread waits: the loop sleeps, and input wakes it as ever. The frame may have
        // taken what the sleep had.
        const std::optional<double> sleep = pacing.sleepUntil();
        if (sleep && !m_stopped && pacingAt(Microseconds()).sleepUntil() == sleep)
            sleepUntilMoment(*sleep);
        return;
    }
}

Pacing Scheduler::pacingAt(double now) const
{
    Pacing::Wakes wakes;
    for (const Ref<Thread>& thread : m_threads)
        if (isRunnable(*thread))
            wakes.push_back(thread->m_fiber->wakeAt);
    return Pacing(now, wakes, sleepMargin());
}

bool Scheduler::frameDueAt(double now) const
{
    return m_frames && m_frames->hasChanges() && m_frames->frameTiming().isDueAt(now);
}

void Scheduler::sleepUntilMoment(double moment)
{
    m_timer->stop();
    if (!m_wakeTimer->armAt(moment))
        updateTimer();
    tellFramesWhetherRoundsPresent();
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

std::optional<double> Scheduler::sleepingUntil() const
{
    if (!m_wakeTimer->isArmed())
        return std::nullopt;
    return m_wakeTimer->moment();
}

void Scheduler::waitOnMainThread(std::optional<double> mainThreadWake)
{
    std::optional<double> sleep;
    if (!m_current && !VirtualClock::isEnabled() && mainThreadWake && !m_stopped)
        sleep = pacingAt(Microseconds()).sleepUntil(mainThreadWake);
    if (!sleep) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    sleepUntilMoment(*sleep);
    // Returns after the first event that it handled: the wake-up, or input. Without a timer to
    // wake it, it only looks.
    QCoreApplication::processEvents(m_wakeTimer->isArmed() ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    updateTimer();
}

void Scheduler::expectWake(double microseconds)
{
    if (m_current)
        m_current->m_fiber->wakeAt = microseconds;
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
    tellFramesWhetherRoundsPresent();
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
    tellFramesWhetherRoundsPresent();
}

void Scheduler::tellFramesWhetherRoundsPresent()
{
    if (m_frames)
        m_frames->frameTiming().setRoundsPresent(m_timer->isActive() || m_wakeTimer->isArmed());
}

}
