#include "gui/PaintRuns.h"

#include "loop/EventLoop.h"
#include "loop/HandlerCall.h"
#include "loop/Scheduler.h"
#include <fw/Canvas.h>
#include <fw/Window.h>

#include <algorithm>

namespace fw {

struct PaintRuns::Run {
    Canvas* canvas;
    bool onMainThread;
    // The main thread's handler calls under way when the paint began: a yield made under more
    // of them belongs to a handler that runs inside the paint.
    int handlerDepth;
    bool startOver { false };
    bool waiting { false };
    std::optional<double> wake;
};

namespace {

// Ends an overtaken paint at its yield; caught by that paint's own run alone.
struct Overtaken {
    const void* run;
};

}

void PaintRuns::run(Canvas& canvas, const std::function<void()>& paint)
{
    if (Run* already = running(canvas)) {
        already->startOver = true;
        return;
    }
    const bool onMainThread = !Scheduler::instance().inThread();
    Run run { &canvas, onMainThread, onMainThread ? MainThreadHandlerDepth() : 0, false, false, std::nullopt };
    Ref<Canvas> keep(&canvas);
    m_runs.push_back(&run);
    // Over with the paint however it ends, an exception of the program's included.
    struct Leave {
        std::vector<Run*>& runs;
        Run* run;
        ~Leave() { std::erase(runs, run); }
    } leave { m_runs, &run };
    do {
        run.startOver = false;
        run.wake.reset();
        try {
            paint();
        } catch (const Overtaken& overtaken) {
            if (overtaken.run != &run)
                throw;
        }
    } while (run.startOver && !EventLoop::instance().isQuitting() && canvas.window() && canvas.window()->isOpen());
}

void PaintRuns::mainThreadYield()
{
    Scheduler::instance().yield();
    Run* paint = ownPaint();
    if (!paint)
        return;
    paint->waiting = true;
    struct EndWait {
        Run* run;
        ~EndWait() { run->waiting = false; }
    } endWait { paint };
    Scheduler::instance().waitOnMainThread(paint->wake);
    if (isOvertaken(*paint))
        throw Overtaken { paint };
}

void PaintRuns::expectMainThreadWake(double microseconds)
{
    if (Run* paint = ownPaint())
        paint->wake = microseconds;
}

PaintRuns::Run* PaintRuns::running(const Canvas& canvas) const
{
    auto found = std::find_if(m_runs.begin(), m_runs.end(), [&](const Run* run) { return run->canvas == &canvas; });
    return found == m_runs.end() ? nullptr : *found;
}

PaintRuns::Run* PaintRuns::ownPaint() const
{
    // The innermost paint on the main thread is the one whose handler is innermost on its stack.
    auto found = std::find_if(m_runs.rbegin(), m_runs.rend(), [](const Run* run) { return run->onMainThread; });
    if (found == m_runs.rend())
        return nullptr;
    Run* paint = *found;
    return !paint->waiting && paint->handlerDepth == MainThreadHandlerDepth() ? paint : nullptr;
}

bool PaintRuns::isOvertaken(const Run& run)
{
    const Window* window = run.canvas->window();
    return run.startOver || EventLoop::instance().isQuitting() || !window || !window->isOpen();
}

}
