#include "loop/ThreadBody.h"

#include <fw/Exceptions.h>
#include <fw/Thread.h>

#include <boost/context/protected_fixedsize_stack.hpp>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/lsan_interface.h>
#endif

namespace fw {

namespace ctx = boost::context;

namespace {

// Allocates a guarded stack and tells the thread where it ends, for the yield's depth check.
class RecordingStack {
public:
    explicit RecordingStack(ThreadFiber& fiber)
        : m_fiber(&fiber)
    {
    }
    ctx::stack_context allocate()
    {
        ctx::stack_context stack = m_allocator.allocate();
        m_fiber->stackBottom = static_cast<const char*>(stack.sp) - stack.size;
#if defined(__SANITIZE_ADDRESS__)
        // A thread abandoned at exit still holds what its stack points to: no leak.
        __lsan_register_root_region(usable(stack), usableSize(stack));
#endif
        return stack;
    }
    void deallocate(ctx::stack_context& stack) noexcept
    {
#if defined(__SANITIZE_ADDRESS__)
        // Frames left by an unwound thread stay poisoned; the next mapping there must not be.
        __lsan_unregister_root_region(usable(stack), usableSize(stack));
        ASAN_UNPOISON_MEMORY_REGION(usable(stack), usableSize(stack));
#endif
        m_allocator.deallocate(stack);
    }

private:
#if defined(__SANITIZE_ADDRESS__)
    // The stack above its guard page.
    static char* usable(const ctx::stack_context& stack) { return static_cast<char*>(stack.sp) - usableSize(stack); }
    static std::size_t usableSize(const ctx::stack_context& stack) { return stack.size - ctx::stack_traits::page_size(); }
#endif
    ThreadFiber* m_fiber;
    ctx::protected_fixedsize_stack m_allocator { kThreadStackSize };
};

void RunThreadBody(Thread& thread, const ThreadFailure& failed)
{
    std::string failedClass;
    std::string failure;
    try {
        thread.Event_Run();
    } catch (const ctx::detail::forced_unwind&) {
        throw;
    } catch (const ThreadKilled&) {
        return;
    } catch (const RuntimeException& exception) {
        failedClass = exception.className();
        failure = exception.what();
    } catch (const std::exception& exception) {
        failedClass = "RuntimeException";
        failure = exception.what();
    } catch (...) {
        failedClass = "RuntimeException";
        failure = "an unknown exception";
    }
    // Reported outside the catch: the report may wait in a message box, and no thread may
    // switch away while it is handling an exception.
    if (!failedClass.empty()) {
        try {
            failed(failedClass, failure);
        } catch (const ThreadKilled&) {
        }
    }
}

}

ctx::fiber MakeThreadFiber(Thread& thread, ThreadFiber& fiber, ThreadFailure failed)
{
    ThreadFiber* own = &fiber;
    Thread* body = &thread;
    return ctx::fiber(std::allocator_arg, RecordingStack(fiber), [own, body, failed = std::move(failed)](ctx::fiber&& scheduler) {
        own->scheduler = std::move(scheduler);
        RunThreadBody(*body, failed);
        return std::move(own->scheduler);
    });
}

}
