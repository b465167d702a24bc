#pragma once

#include "gui/WindowEvents.h"
#include "loop/ThreadEvents.h"

namespace fw {

// What the runtime does when a thread ends or fails, the windows change or the user presses
// cancel: it reports failures, keeps the cancel press for the run in progress, and quits once
// nothing is left.
class RuntimeEvents final : public ThreadEvents, public WindowEvents {
public:
    void threadEnded() override;
    void threadFailed(const std::string& className, const std::string& message) override;
    void windowListChanged() override;
    void cancelPressed() override;

    // Whether a cancel press waits for the running thread, forgetting it.
    bool takeCancelPress();

private:
    void quitWhenNothingIsLeft();

    // A cancel press waiting for the running thread to see it.
    bool m_cancelPending { false };
};

// No window is open and no thread is alive: the program has nothing left to do.
bool NothingIsLeft();

}
