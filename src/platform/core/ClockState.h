#pragma once

#include "core/RuntimeOwned.h"

namespace fw {

// The runtime's clock: the real one, or the virtual one that a test switches on, with the moment
// it shows and how far each reading moves it. Outside the runtime the clock is the real one.
class ClockState : public RuntimeOwned<ClockState> {
public:
    bool isVirtual() const { return m_virtual; }
    void startVirtual(double microseconds);
    void stopVirtual() { m_virtual = false; }
    double virtualMicroseconds() const { return m_microseconds; }
    void advance(double microseconds) { m_microseconds += microseconds; }
    double readStep() const { return m_readStep; }
    void setReadStep(double microseconds) { m_readStep = microseconds; }

private:
    bool m_virtual { false };
    double m_microseconds { 0 };
    double m_readStep { 1 };
};

}
