#pragma once

#include "Ref.h"
#include "Thread.h"

#include <cstddef>
#include <exception>
#include <vector>

class QTimer;

namespace fw {

// Runs the cooperative threads round-robin from the event loop, one slice each per round.
class Scheduler {
public:
    static Scheduler& instance();

    void start(Thread& thread);
    // In a thread: back to the scheduler. On the main thread: one round of every runnable thread,
    // then changed canvases are presented; user input waits.
    void yield();
    // Resumes every runnable thread once; on the virtual clock a round lasts a millisecond.
    void runRound();
    // Rounds for a short while, from the event loop; then the changed canvases when a frame is due.
    void runSlice();
    // The current thread yields until Microseconds passes this value. Rounds then keep the event
    // loop's visits and the frames away from that moment, so that the wait ends on time.
    void expectWake(double microseconds);
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

    // A thread yield finds less than this much stack left: it raises StackOverflowException.
    static constexpr std::size_t kStackSize = 8 * 1024 * 1024;
    static constexpr std::size_t kStackReserve = 256 * 1024;

    // The event loop gets a visit every slice, but not this close before a thread's wait ends,
    // nor while the work that follows the wait still runs; then a visit waits, never longer
    // than the two together.
    static constexpr double kSliceMicroseconds = 250;
    static constexpr double kWakeGuardMicroseconds = 200;
    static constexpr double kAfterWakeMicroseconds = 100;
    // A frame keeps the guard and its own recent cost away from a wait's end, but no more than
    // this: a slower one goes right after a wait began.
    static constexpr double kLongestFrameMarginMicroseconds = 700;

private:
    friend class RuntimeState;
    Scheduler();
    ~Scheduler();
    void resumeThread(Thread& thread);
    void finish(Thread& thread);
    void updateTimer();
    bool isRunnable(const Thread& thread) const;

    std::vector<Ref<Thread>> m_threads;
    Thread* m_current { nullptr };
    QTimer* m_timer { nullptr };
    bool m_stopped { false };
    bool m_drivenFromOutside { false };
};

}
