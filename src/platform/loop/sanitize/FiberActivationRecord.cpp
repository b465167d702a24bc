// Boost.Context's ucontext backend keeps, for each system thread, the record of the context that
// runs now. The installed library is built for the fcontext backend and lacks the one function
// that reaches it, so the sanitizer build, whose fibers use the ucontext backend, defines it here.
#include <boost/context/fiber.hpp>

#if !defined(BOOST_USE_UCONTEXT) || !defined(BOOST_USE_ASAN)
#error "only the sanitizer build uses this: Boost.Context's ucontext backend with BOOST_USE_ASAN"
#endif

namespace boost::context::detail {

fiber_activation_record*& fiber_activation_record::current() noexcept
{
    // The record of the thread's own stack, made at its first switch. It is never freed: a fiber
    // abandoned at exit still points back to it.
    thread_local fiber_activation_record* running = new fiber_activation_record;
    return running;
}

}
