#pragma once

#include <boost/container/small_vector.hpp>

#include <optional>

namespace fw {

// How the real clock's rounds keep the threads' waits on time, decided at one moment: whether the
// event loop may sleep and until when, whether a slice of rounds goes on, and whether a frame fits
// now. The scheduler gathers what it sees and asks.
class Pacing {
public:
    // When each runnable thread's wait ends, as it told; none where it told nothing and can run.
    using Wakes = boost::container::small_vector<std::optional<double>, 4>;

    Pacing(double now, const Wakes& wakes, double sleepMargin);

    // Until when the event loop may sleep, the main thread waiting until mainThreadWake, if it
    // waits: the earliest end of a wait less the sleep margin, which the rounds spin through so
    // that the wait ends on time; none where that is not worth a sleep.
    std::optional<double> sleepUntil(std::optional<double> mainThreadWake = std::nullopt) const;
    // Whether a slice that ends at sliceEnd runs another round: while a thread can run, until the
    // slice's end, or longer where a wait is about to end.
    bool keepsSlicing(double sliceEnd) const;
    // Whether a runnable thread's wait ends within margin after now, or ended just before now.
    bool wakeIsNear(double margin) const;
    // Whether a frame that is due and takes frameCost keeps clear of every wait's end now.
    bool frameFits(bool frameDue, double frameCost) const;

    // The event loop gets a visit every slice, but not this close before a thread's wait ends,
    // nor while the work that follows the wait still runs; then a visit waits, never longer
    // than the two together.
    static constexpr double kSliceMicroseconds = 250;
    static constexpr double kWakeGuardMicroseconds = 200;
    static constexpr double kAfterWakeMicroseconds = 100;
    // A frame keeps the guard and its own recent cost away from a wait's end, but no more than
    // this: a slower one goes right after a wait began.
    static constexpr double kLongestFrameMarginMicroseconds = 700;
    // The shortest sleep worth its wake-up.
    static constexpr double kShortestSleepMicroseconds = 100;

private:
    // Where every runnable thread waits on a time it told, the earliest of those times; infinity
    // where no thread is runnable; none where a thread can run now.
    std::optional<double> threadsWaitUntil() const;

    double m_now;
    Wakes m_wakes;
    // The last part of a wait that the rounds spin through rather than sleep.
    double m_sleepMargin;
};

}
