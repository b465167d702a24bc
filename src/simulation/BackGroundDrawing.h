#pragma once

#include "Thread.h"

// The simulation thread: one object per flight, flying it from the main window's inputs to its end.
class BackGroundDrawing : public fw::Thread {
public:
    static const fw::ClassInfo& StaticClass();
    const fw::ClassInfo& classInfo() const override { return StaticClass(); }

    // Set to end the run; never set back.
    bool Stopp { false };

    void Event_Run() override;
    virtual bool Untitled_Action();
    // Pauses for at least 8 ticks, across a wrap of the tick counter too.
    virtual void Delay();
    // Pauses for more than 1000 microseconds; the pace of the integration.
    virtual void Wait();
};
