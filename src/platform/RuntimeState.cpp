#include "RuntimeState.h"

#include "Object.h"
#include "Sound.h"
#include "Window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <pthread.h>
#include <sanitizer/lsan_interface.h>
#endif

namespace fw {

namespace {

// Trivially destructible, so that no static's destructor takes the state away at exit.
RuntimeState* g_state = nullptr;

QApplication* NewQtApplication()
{
    // Qt keeps these for its whole life.
    static int argc = 1;
    static char name[] = "quendal";
    static char* argv[] = { name, nullptr };
    auto* application = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return application;
}

}

RuntimeState& RuntimeState::instance()
{
    if (!g_state) {
        std::fputs("quendal: the framework was used outside RuntimeInit and RuntimeExit\n", stderr);
        std::abort();
    }
    return *g_state;
}

RuntimeState* RuntimeState::find()
{
    return g_state;
}

void RuntimeState::create()
{
    if (g_state)
        return;
    static bool exitHandlerRegistered = false;
    if (!std::exchange(exitHandlerRegistered, true))
        std::atexit(&RuntimeState::abandonAtExit);
    g_state = new RuntimeState;
}

void RuntimeState::destroy()
{
    if (!g_state)
        return;
    g_state->releaseLists();
    g_state->appObject = nullptr;
    // Queued calls would never run now; dropping them lets go of the windows they hold. Then
    // the windows that were closed finish going away, before Qt's application does.
    QCoreApplication::removePostedEvents(nullptr, QEvent::MetaCall);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete std::exchange(g_state, nullptr);
}

void RuntimeState::abandonAtExit()
{
    if (!g_state)
        return;
    g_state->m_abandoned = true;
#if defined(__SANITIZE_ADDRESS__)
    // Left from a thread's stack: the main stack, suspended beneath it, still holds what it
    // points to, but LeakSanitizer scans only the stack that runs.
    if (g_state->scheduler.inThread()) {
        pthread_attr_t attributes;
        void* bottom = nullptr;
        std::size_t size = 0;
        if (pthread_getattr_np(pthread_self(), &attributes) == 0) {
            pthread_attr_getstack(&attributes, &bottom, &size);
            pthread_attr_destroy(&attributes);
            __lsan_register_root_region(bottom, size);
        }
    }
#endif
}

RuntimeState::RuntimeState()
    : qtApplication(NewQtApplication())
{
}

RuntimeState::~RuntimeState() = default;

void RuntimeState::releaseLists()
{
    // Unwinding a thread runs its destructors, which may reach any of the lists.
    scheduler.abandonAll();
    ForgetAllWindows();
    // Audio output cannot outlive the runtime, whoever still holds a sound.
    Sound::releaseAllOutputs();
    ClearClassRegistry();
}

}
