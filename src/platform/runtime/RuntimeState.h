#pragma once

#include "core/ClassRegistry.h"
#include "core/ClockState.h"
#include "core/OnlookerSlot.h"
#include "files/FolderRoots.h"
#include "gui/MessageBoxes.h"
#include "gui/PaintRuns.h"
#include "gui/Presenter.h"
#include "gui/Stacking.h"
#include "gui/WindowSystem.h"
#include "loop/EventLoop.h"
#include "loop/Scheduler.h"
#include "runtime/RuntimeEvents.h"
#include "sound/SoundOutputs.h"

#include <memory>

class QApplication;

namespace fw {

// The framework's state, in one owner: RuntimeInit makes it and RuntimeExit tears it down, the
// lists first while everything they may reach still stands, then the subsystems in reverse order
// of their making, Qt's application last. A process that leaves another way (exit() called by Qt
// when the display is lost, or by any library) abandons it whole: nothing of it is destroyed, no
// thread's stack is unwound, and no static's destructor finds it gone.
class RuntimeState {
public:
    // The running state; only between RuntimeInit and RuntimeExit.
    static RuntimeState& instance();
    // Null before RuntimeInit, after RuntimeExit, and while the state is being destroyed.
    static RuntimeState* find();
    static void create();
    // Releases the lists, then destroys the state.
    static void destroy();

    // Threads abandoned, windows forgotten without events, sounds' audio outputs and the class
    // registry let go; the state itself stays.
    void releaseLists();

    RuntimeEvents& events() { return m_events; }

    RuntimeState(const RuntimeState&) = delete;
    RuntimeState& operator=(const RuntimeState&) = delete;

private:
    RuntimeState();
    ~RuntimeState();
    static void abandonAtExit();

    // Made in this order, torn down in the reverse.
    std::unique_ptr<QApplication> m_qtApplication;
    RuntimeEvents m_events;
    ClockState m_clock;
    OnlookerSlot m_onlooker;
    ClassRegistry m_classes;
    Presenter m_presenter;
    Scheduler m_scheduler;
    EventLoop m_eventLoop;
    Stacking m_stacking;
    WindowSystem m_windows;
    PaintRuns m_paints;
    FolderRoots m_folderRoots;
    SoundOutputs m_soundOutputs;
    MessageBoxes m_messageBoxes;
};

}
