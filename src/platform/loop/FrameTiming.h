#pragma once

#include <optional>

namespace fw {

// When frames may come: about sixty a second at most, and fewer for a display that is slow to
// take them, so that they cost the threads little of their time. While the scheduler's rounds
// run they choose the moment, between the threads' waits; the presenter's own timer only stands
// by for when they let a whole frame go by.
class FrameTiming {
public:
    // How long after the last frame the next may come.
    double interval() const;
    // Whether the next frame's time has come at now.
    bool isDueAt(double now) const;
    // How long from now until the next frame's time, at most an interval.
    double delayUntilDue(double now) const;
    // How long a frame takes to paint, of late.
    double expectedCost() const { return m_costMicroseconds; }

    // The scheduler tells whether its rounds run, and so present the frames.
    void setRoundsPresent(bool present) { m_roundsPresent = present; }
    // Whether the presenter's own timer leaves the frame at now to the rounds.
    bool leavesFrameToRounds(double now) const;

    // A frame ended at end; took is its cost, where it was painted then and there.
    void framePresented(double end, std::optional<double> took);

    static constexpr double kFrameMicroseconds = 16000;
    // Frames take at most about this share of the time.
    static constexpr double kMostShare = 0.05;

private:
    double m_lastPresent { -kFrameMicroseconds };
    double m_costMicroseconds { 0 };
    bool m_roundsPresent { false };
};

}
