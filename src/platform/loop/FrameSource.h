#pragma once

namespace fw {

// What the scheduler asks of whoever puts the changed canvases on screen, so that frames come
// between the threads' waits; the runtime installs it.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    // Whether a canvas changed and the next frame's time has come at that moment of the clock.
    virtual bool frameDueAt(double now) const = 0;
    // How long a frame takes to paint, of late.
    virtual double expectedCostMicroseconds() const = 0;
    virtual void presentIfDue() = 0;
    virtual void presentNow() = 0;
};

}
