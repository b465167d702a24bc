#pragma once

namespace fw {

// Ends the process with a word on how the framework was misused: a state reached outside the
// runtime, or a second runtime made while one runs. Both are faults of the code, not of input.
[[noreturn]] void AbortOutsideRuntime();
[[noreturn]] void AbortSecondRuntime();

// The state of one subsystem, made and owned by the runtime between RuntimeInit and RuntimeExit;
// the subsystem reaches it through instance(). The runtime decides the order in which the states
// are made and torn down; a subsystem knows only its own.
template<typename T>
class RuntimeOwned {
public:
    // The running state; only between RuntimeInit and RuntimeExit.
    static T& instance()
    {
        if (!s_current)
            AbortOutsideRuntime();
        return *static_cast<T*>(s_current);
    }
    // Null outside the runtime, and for a state that has begun its teardown.
    static T* find() { return static_cast<T*>(s_current); }

    RuntimeOwned(const RuntimeOwned&) = delete;
    RuntimeOwned& operator=(const RuntimeOwned&) = delete;

protected:
    RuntimeOwned()
    {
        // One runtime at a time, so one of each state.
        if (s_current)
            AbortSecondRuntime();
        // Kept as the base: the T is not made yet.
        s_current = this;
    }
    ~RuntimeOwned() { s_current = nullptr; }
    // A state whose members reach back to it while they go calls this first in its destructor.
    void beginTeardown() { s_current = nullptr; }

private:
    static inline RuntimeOwned* s_current = nullptr;
};

}
