#pragma once

#include <fw/Thread.h>

// The simulation thread: one object per flight, flying it from the main window's inputs through
// the globe view and the close-up view to its end. Its operations share the flight state in
// Variables and talk to the windows only through their accessors.
class BackGroundDrawing : public fw::Thread {
public:
    static const fw::ClassInfo& StaticClass();
    const fw::ClassInfo& classInfo() const override { return StaticClass(); }

    // Set to end the run; never set back.
    bool Stopp { false };

    // The whole run: the initial state, then the globe view until every view has seen Stopp.
    void Event_Run() override;
    virtual bool Untitled_Action();
    // One integration step: drag, gravity and ablation over dt, then the diagram's point.
    virtual void TrackComp();
    // The globe view: the track around the Earth, until the flight comes below 120 km.
    virtual void Track1Globe();
    // The close-up view: the fireball in the lower atmosphere, and the end of the flight.
    virtual void Track3Stratos();
    // The impact: a growing white fireball, the sound, five explosion frames and the message.
    virtual void Explodex();
    // The initial state from the main window's four inputs.
    virtual void Lahtoarvot();
    // Pauses for at least 8 ticks, across a wrap of the tick counter too.
    virtual void Delay();
    // Pauses for more than 1000 microseconds; the pace of the integration.
    virtual void Wait();
    // A mass loss that keeps the diameter's own loss; nothing calls it.
    virtual void Burn1();
    // The mass loss of a step, and the diameter that goes with the mass left.
    virtual void Burn2();
};
