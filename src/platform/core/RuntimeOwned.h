#pragma once

namespace fw {

[[noreturn]] void AbortOutsideRuntime();

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
        return *s_current;
    }
    // Null outside the runtime and once the state's teardown has begun.
    static T* find() { return s_current; }

    RuntimeOwned(const RuntimeOwned&) = delete;
    RuntimeOwned& operator=(const RuntimeOwned&) = delete;

protected:
    RuntimeOwned() { s_current = static_cast<T*>(this); }
    ~RuntimeOwned() { s_current = nullptr; }
    // A state whose members reach back to it while they go calls this first in its destructor.
    void beginTeardown() { s_current = nullptr; }

private:
    static inline T* s_current = nullptr;
};

}
