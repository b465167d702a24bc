#pragma once

#include <fw/Object.h>

#include <memory>

namespace fw {

struct ThreadFiber;

// A cooperative thread: a fiber with a stack of its own that runs on the GUI thread. Threads
// switch only where the running one yields (RuntimeBackgroundTask, or waiting in MsgBox).
class Thread : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    enum class State {
        NotStarted,
        Running,
        Suspended,
        Finished
    };

    Thread();
    ~Thread() override;

    // Starts the thread: the scheduler raises its Run event when it first switches to it.
    virtual void Run();
    // Keeps a running thread from being scheduled until Resume.
    virtual void Suspend();
    virtual void Resume();
    // From inside the thread: yields until that many milliseconds have passed, or until Resume
    // when wakeEarly is set.
    virtual void Sleep(std::int32_t milliseconds, bool wakeEarly = false);
    // Abandons the thread: it runs no more of its code.
    virtual void Kill();

    // The Run event; a class fills the hook with its run.
    virtual void Event_Run() { }

    State state() const { return m_state; }
    bool isRunning() const { return m_state == State::Running || m_state == State::Suspended; }

private:
    friend class Scheduler;
    State m_state { State::NotStarted };
    bool m_wakeRequested { false };
    std::unique_ptr<ThreadFiber> m_fiber;
};

}
