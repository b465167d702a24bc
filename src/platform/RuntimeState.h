#pragma once

#include "Application.h"
#include "CanvasWidget.h"
#include "Ref.h"
#include "Scheduler.h"

#include <QPointer>

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QApplication;
class QMessageBox;
class QSoundEffect;

namespace fw {

class Canvas;
class ClassInfo;
class Sound;
class Window;

// The framework's state, in one owner: RuntimeInit makes it and RuntimeExit tears it down, the
// lists first while everything they may reach still stands, then the members in reverse order,
// Qt's application last. A process that leaves another way (exit() called by Qt when the display
// is lost, or by any library) abandons it whole: nothing of it is destroyed, no thread's stack is
// unwound, and no static's destructor finds it gone.
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
    // At exit() without RuntimeExit: nothing more of the state may be freed.
    bool abandoned() const { return m_abandoned; }

    // Declared first, so destroyed last.
    std::unique_ptr<QApplication> qtApplication;
    std::map<std::string, const ClassInfo*, std::less<>> classes;
    Presenter presenter;
    Scheduler scheduler;
    // The implicit instance of each window class, and the open windows, oldest first.
    std::vector<std::pair<std::string, Ref<Window>>> implicitWindows;
    std::vector<Ref<Window>> windows;
    // The audio output of each sound that has played.
    std::map<const Sound*, QSoundEffect*> soundOutputs;
    std::vector<QPointer<QMessageBox>> showingBoxes;
    // The canvases whose Paint handlers run on the main thread, innermost last.
    std::vector<Canvas*> mainThreadPaints;

    Ref<Application> appObject;
    std::int32_t exitCode { 0 };
    bool quitting { false };
    bool loopRunning { false };
    std::exception_ptr mainThreadException;
    // A cancel press waiting for the running thread to see it.
    bool cancelPending { false };

    RuntimeState(const RuntimeState&) = delete;
    RuntimeState& operator=(const RuntimeState&) = delete;

private:
    RuntimeState();
    ~RuntimeState();
    static void abandonAtExit();

    bool m_abandoned { false };
};

}
