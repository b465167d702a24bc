// Flies a typical flight, "Near Earth Asteroid, 20 kms", "Stone", 10 m, with the diagram on, and
// reports the pace of the integration on the real clock and the cost of a step on the virtual
// clock, where every wait passes at once, so that the time is the step's own work: the physics,
// the look-ups, the drawing, the diagram, the yields and the event loop between them.
#include "Clock.h"
#include "MessageBox.h"
#include "PopupMenu.h"
#include "Runtime.h"
#include "TextField.h"
#include "main_window/Window1.h"
#include "shell/Startup.h"
#include "simulation/BackGroundDrawing.h"

#include <QByteArray>
#include <QEventLoop>
#include <QTimer>
#include <QtGlobal>

#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double CpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// The flight of the Start button, noting when its first step begins and when its outcome comes:
// the explosion's animation and the steps of the unwinding after it are no part of the pace.
class MeasuredFlight : public BackGroundDrawing {
public:
    void TrackComp() override
    {
        if (steps++ == 0)
            firstStep = WallSeconds();
        BackGroundDrawing::TrackComp();
    }
    void Explodex() override
    {
        noteOutcome();
        BackGroundDrawing::Explodex();
    }
    void noteOutcome()
    {
        if (stepsToOutcome == 0) {
            stepsToOutcome = steps;
            outcome = WallSeconds();
        }
    }
    long steps { 0 };
    long stepsToOutcome { 0 };
    double firstStep { 0 };
    double outcome { 0 };
};

struct Measurement {
    long steps;
    double stepWallSeconds;
    double cpuSeconds;
};

// Runs one flight to its outcome message and dismisses it.
Measurement Fly()
{
    fw::Ref<MeasuredFlight> flight(new MeasuredFlight);
    NotNil(Window1::Instance(), "the main window")->DrawOrbits = flight;
    double cpuStart = CpuSeconds();
    flight->Run();
    QEventLoop loop;
    QTimer watch;
    double cpuEnd = 0;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (fw::IsMessageBoxShowing()) {
            flight->noteOutcome();
            cpuEnd = CpuSeconds();
            fw::DismissMessageBox();
            loop.quit();
        }
    });
    watch.start(1);
    loop.exec();
    while (flight->isRunning())
        fw::RuntimeBackgroundTask();
    return { flight->stepsToOutcome, flight->outcome - flight->firstStep, cpuEnd - cpuStart };
}

}

int main()
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    fw::RuntimeInit();
    initialize();
    fw::RunFrameworkInitialization(&Startup);

    {
        // Held no longer than the runtime stands.
        fw::Ref<Window1> window = Window1::Instance();
        fw::ControlNamed<fw::TextField>(window, "EditFieldDia")->type("10");
        fw::ControlNamed<fw::PopupMenu>(window, "PopupMenuType")->choose("Stone");
        fw::ControlNamed<fw::PopupMenu>(window, "PopupMenuOrigin")->choose("Near Earth Asteroid, 20 kms");
    }

    Measurement real = Fly();
    fw::VirtualClock::enable();
    Measurement virtualClock = Fly();

    fw::Quit(0);
    finalize();
    fw::RuntimeExit();

    if (real.steps < 2 || virtualClock.steps < 2) {
        std::fprintf(stderr, "the flight did not reach its end\n");
        return 1;
    }
    std::printf("steps: %ld\n", real.steps);
    std::printf("steps_per_second: %.1f\n", (real.steps - 1) / real.stepWallSeconds);
    std::printf("cpu_seconds_per_1000_steps: %.4f\n", virtualClock.cpuSeconds / virtualClock.steps * 1000);
    return 0;
}
