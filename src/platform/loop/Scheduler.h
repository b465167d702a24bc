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
class ThreadEvents;
class WakeTimer;

// Runs the cooperative threads round-robin from the event loop, one slice each per round.
class Scheduler : public RuntimeOwned<Scheduler> {
public:
    Scheduler();
    ~Scheduler();

    // Where the scheduler tells of threads that end or fail, and where it asks for frames.
    void setThreadEvents(ThreadEvents* events) { m_events = events; }
    void setFrameSource(FrameSource* frames) { m_frames = frames; }

    void start(Thread& thread);
    // In a thread: back to the scheduler. On the main thread: one round of every runnable thread,
    // then changed canvases are presented; user input waits.
    void yield();
    // Resumes every runnable thread once; on the virtual clock a round lasts a millisecond.
    void runRound();
    // Rounds for a short while, from the event loop; then the changed canvases when a frame is due.
    void runSlice();
    // The current thread yields until Microseconds passes this value. Rounds then keep the event
    // loop's visits and the frames away from that moment, so that the wait ends on time, and while
    // every thread waits so, the event loop sleeps.
    void expectWake(double microseconds);
    // Where every runnable thread waits on a time it told, the earliest of those times; infinity
    // where no thread is runnable; none where a thread can run now.
    std::optional<double> threadsWaitUntil(double now) const;
    // Until when the event loop may sleep at now, the main thread waiting until mainThreadWake, if
    // it waits: the earliest end of a wait less the sleep margin, which the rounds spin through
    // so that the wait ends on time; none where that is not worth a sleep.
    std::optional<double> sleepUntil(double now, std::optional<double> mainThreadWake = std::nullopt) const;
    // Whether the event loop sleeps until the earliest wait is nearly over, and until when.
    bool isSleeping() const;
    std::optional<double> sleepingUntil() const;
    // On the main thread, in a handler that waits (a Paint handler's yield): handles the events
    // that wait, sleeping in the event loop until shortly before the main thread's wake, if it
    // has one, while every thread waits too.
    void waitOnMainThread(std::optional<double> mainThreadWake);
    // Whether the rounds of the event loop's visits present the frames.
    bool presentsFrames() const;
    // Whether a runnable thread's wait ends within margin after now, or ended just before now.
    bool wakeIsNear(double now, double margin) const;
    // Whether a frame is due and presenting it at now keeps clear of every wait's end.
    bool frameFitsAt(double now) const;
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
    bool hasRunnableThreads() const;
    // An exception that the current thread must raise at its next yield.
    void deferException(std::exception_ptr exception);

    // Quitting: no thread runs again; abandon destroys their stacks.
    void stop();
    void abandonAll();

    // The event loop gets a visit every slice, but not this close before a thread's wait ends,
    // nor while the work that follows the wait still runs; then a visit waits, never longer
    // than the two together.
    static constexpr double kSliceMicroseconds = 250;
    static constexpr double kWakeGuardMicroseconds = 200;
    static constexpr double kAfterWakeMicroseconds = 100;
    // A frame keeps the guard and its own recent cost away from a wait's end, but no more than
    // this: a slower one goes right after a wait began.
    static constexpr double kLongestFrameMarginMicroseconds = 700;
    // The last part of a wait that the rounds spin through rather than sleep: a sleeping loop
    // wakes late by some tens of microseconds, as much as the wake-ups of late have shown.
    double sleepMargin() const;
    // The shortest sleep worth its wake-up.
    static constexpr double kShortestSleepMicroseconds = 100;

private:
    void resumeThread(Thread& thread);
    void sleepUntilMoment(double moment);
    void wokeUp();
    void finish(Thread& thread);
    void updateTimer();
    bool isRunnable(const Thread& thread) const;

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
