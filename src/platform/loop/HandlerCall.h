#pragma once

#include <functional>

namespace fw {

// Runs program code that the framework calls from a Qt event. An exception must not cross Qt's
// frames: on the main thread it ends the event loop and reaches the process entry; inside a
// thread it is raised again at that thread's next yield. Control::raiseEvent runs every control's
// handler through it.
void CallHandler(const std::function<void()>& handler);

// How many handler calls are under way on the main thread's stack, innermost included.
int MainThreadHandlerDepth();

}
