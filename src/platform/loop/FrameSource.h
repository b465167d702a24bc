#pragma once

namespace fw {

class FrameTiming;

// Whoever puts the changed canvases on screen, for the scheduler's rounds to present them
// between the threads' waits; the runtime installs it.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    // When its frames may come; the rounds tell it whether they present them.
    virtual FrameTiming& frameTiming() = 0;
    // Whether a canvas changed since the last frame.
    virtual bool hasChanges() const = 0;
    // Paints every changed canvas now.
    virtual void presentNow() = 0;
};

}
