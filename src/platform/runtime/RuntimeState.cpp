#include "runtime/RuntimeState.h"

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
    if (!g_state)
        AbortOutsideRuntime();
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
    g_state->m_windows.setApplicationObject(nullptr);
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
    g_state->m_soundOutputs.abandon();
#if defined(__SANITIZE_ADDRESS__)
    // Left from a thread's stack: the main stack, suspended beneath it, still holds what it
    // points to, but LeakSanitizer scans only the stack that runs.
    if (g_state->m_scheduler.inThread()) {
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
    : m_qtApplication(NewQtApplication())
{
    m_scheduler.setThreadEvents(&m_events);
    m_scheduler.setFrameSource(&m_presenter);
    m_windows.setEvents(&m_events);
}

RuntimeState::~RuntimeState()
{
    m_windows.setEvents(nullptr);
    m_scheduler.setFrameSource(nullptr);
    m_scheduler.setThreadEvents(nullptr);
}

void RuntimeState::releaseLists()
{
    // Unwinding a thread runs its destructors, which may reach any of the lists.
    m_scheduler.abandonAll();
    m_windows.forgetAll();
    // Audio output cannot outlive the runtime, whoever still holds a sound.
    m_soundOutputs.releaseAll();
    m_classes.clear();
}

}
