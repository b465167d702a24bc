#pragma once

#include "core/RuntimeOwned.h"

#include <functional>
#include <optional>
#include <vector>

namespace fw {

class Canvas;

// The Paint handlers that run now, on any stack, and what a yield of the main thread does with
// them. The rules, all of them here:
//
// - A repaint of a canvas whose Paint handler runs does not nest a second run: the canvas is
//   erased at once, and the running paint starts over from the top.
// - A paint's own yield on the main thread runs a round of the threads, then lets the event loop
//   handle what waits, the user's input included, sleeping until the time that the paint told
//   (expectWake), if it told one.
// - A handler that the event loop runs during that wait is no part of the paint: its yields run a
//   round, as every yield of the main thread outside a paint does, and it runs to its end.
// - Back at its own yield, a paint is overtaken once its window has closed, the application
//   quits, or a repaint asked to start it over: it ends there, drawing nothing more, and a
//   repaint then runs it again. The unwinding ends at the paint's own run; nothing of it reaches
//   the program or another handler.
// - A paint on a thread's stack yields as its thread does; a repaint starts it over once its
//   handler has returned.
class PaintRuns : public RuntimeOwned<PaintRuns> {
public:
    // Runs the canvas's Paint handler, again for each repaint asked meanwhile; returns at once,
    // asking for a start over, when the canvas already paints.
    void run(Canvas& canvas, const std::function<void()>& paint);
    // A yield of the main thread (RuntimeBackgroundTask).
    void mainThreadYield();
    // The time at which the main thread's paint next wants to go on; nothing outside a paint's
    // own code, whose yields do not wait.
    void expectMainThreadWake(double microseconds);

private:
    struct Run;
    Run* running(const Canvas& canvas) const;
    // The main thread's innermost paint when the code that runs now is that paint's own, not a
    // handler that runs inside its wait; else null.
    Run* ownPaint() const;
    static bool isOvertaken(const Run& run);

    std::vector<Run*> m_runs;
};

}
