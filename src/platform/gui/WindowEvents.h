#pragma once

namespace fw {

// What the windows tell the layer above them; the runtime installs it.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // A window opened or closed with its events: the program may have nothing left to do.
    virtual void windowListChanged() = 0;
    // Escape or Ctrl+Period in one of the windows.
    virtual void cancelPressed() = 0;
};

}
