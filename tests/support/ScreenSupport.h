#pragma once

// What the screen shows of a canvas, seen three ways on the offscreen platform, each compared with
// the canvas's retained picture: the canvas widget's own grab(), the grab() of its whole window,
// and the window's backing store, which holds what was last painted and flushed: the screen.

#include <fw/Canvas.h>

#include <string>

namespace testing_support {

// For each view that differs from the picture, how many pixels differ and the first of them; empty
// when every view shows the picture exactly. Pixels where another control lies over the canvas
// are left out.
std::string ScreenDifferences(const fw::Canvas& canvas);
// The same for the screen alone, cheap enough to poll.
std::string ScreenDifference(const fw::Canvas& canvas);
// Handles events, in real time since presenting follows a real clock, until the screen shows the
// canvas's picture or the time is up; true when it does.
bool WaitUntilScreenShowsPicture(const fw::Canvas& canvas, int milliseconds = 3000);

}
