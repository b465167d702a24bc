#pragma once

#include "core/RuntimeOwned.h"
#include <fw/Ref.h>
#include <fw/Thread.h>

#include <cstddef>
#include <exception>
#include <optional>
#include <vector>

class QTimer;

namespace fw {

class FrameSource;
class Pacing;
class ThreadEvents;
class WakeTimer;

// Runs the cooperative threads round-robin from the event loop, one slice each per round, and
// asks its Pacing when to sleep, when a slice ends and when a frame fits.
class Scheduler : public RuntimeOwned<Scheduler> {
public:
    Scheduler();
    ~Scheduler();

    // Where the scheduler tells of threads that end or fail, and what presents the frames.
    void setThreadEvents(ThreadEvents* events) { m_events = events; }
    void setFrameSource(FrameSource* frames);

    void start(Thread& thread);
    // In a thread: back to the scheduler. On the main thread: one round of every runnable thread,
    // then changed canvases are presented; user input waits.
    void yield();
    // Resumes every runnable thread once; on the virtual clock a round lasts a millisecond.
    void runRound();
    // Rounds for a short while, from the event loop; then the changed canvases when a frame fits.
    void runSlice();
    // The current thread yields until Microseconds passes this value. Rounds then keep the event
    // loop's visits and the frames away from that moment, so that the wait ends on time, and while
    // every thread waits so, the event loop sleeps.
    void expectWake(double microseconds);
    // Until when the event loop sleeps, while it sleeps until the earliest wait is nearly over.
    std::optional<double> sleepingUntil() const;
    // On the main thread, in a handler that waits (a Paint handler's yield): handles the events
    // that wait, sleeping in the event loop until shortly before the main thread's wake, if it
    // has one, while every thread waits too.
    void waitOnMainThread(std::optional<double> mainThreadWake);
    // A driver that runs every round itself keeps the event loop from running any.
    void setDrivenFromOutside(bool driven);

    // The current thread stops being scheduled until unblock; yields.
    void blockCurrent();
    void unblock(Thread& thread);
    void suspend(Thread& thread);
    void resume(Thread& thread);
    void kill(Thread& thread);

    Thread* current() const { return m_current; }
    bool inThread() const { return m_current != nullptr; }
    std::size_t liveThreadCount() const { return m_threads.size(); }
    // An exception that the current thread must raise at its next yield.
    void deferException(std::exception_ptr exception);

    // Quitting: no thread runs again; abandon destroys their stacks.
    void stop();
    void abandonAll();

    // The last part of a wait that the rounds spin through rather than sleep: a sleeping loop
    // wakes late by some tens of microseconds, as much as the wake-ups of late have shown.
    double sleepMargin() const;

private:
    Pacing pacingAt(double now) const;
    bool frameDueAt(double now) const;
    void resumeThread(Thread& thread);
    void sleepUntilMoment(double moment);
    void wokeUp();
    void finish(Thread& thread);
    void updateTimer();
    void tellFramesWhetherRoundsPresent();
    bool isRunnable(const Thread& thread) const;
    bool hasRunnableThreads() const;

    std::vector<Ref<Thread>> m_threads;
    Thread* m_current { nullptr };
    QTimer* m_timer { nullptr };
    WakeTimer* m_wakeTimer { nullptr };
    ThreadEvents* m_events { nullptr };
    FrameSource* m_frames { nullptr };
    bool m_stopped { false };
    bool m_drivenFromOutside { false };
};

}
