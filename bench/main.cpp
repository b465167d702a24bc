// Flies a typical flight, "Near Earth Asteroid, 20 kms", "Stone", 10 m, with the diagram on, and
// reports the pace of the integration on the real clock, without the close-up entry's pause of a
// few ticks (given apart, and the pace with it), and the cost of a step on the virtual
// clock, where every wait passes at once, so that the time is the step's own work: the physics,
// the look-ups, the drawing, the diagram, the yields and the event loop between them.
// On the real clock it also reports how late each wait returns and how long a key press, posted
// from another thread as the windowing system's reader does, waits for its handler.
// The platform is the offscreen one unless QT_QPA_PLATFORM names another.
#include "about/AboutWindow.h"
#include "core/FrameworkObserver.h"
#include "gui/MessageBoxes.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/Scheduler.h"
#include "main_window/Window1.h"
#include "shell/Startup.h"
#include "simulation/BackGroundDrawing.h"
#include <fw/Canvas.h>
#include <fw/Clock.h>
#include <fw/PopupMenu.h>
#include <fw/Runtime.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDevice>
#include <QKeyEvent>
#include <QMetaObject>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <mutex>
#include <pthread.h>
#include <string>
#include <thread>
#include <vector>

namespace {

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double CpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The value with that many digits after a point, in every locale: Qt sets the C library's locale
// from the environment, and printf would write a decimal comma under de_DE.
std::string Fixed(double value, int digits)
{
    std::array<char, 512> text {};
    std::to_chars_result written = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, digits);
    return std::string(text.data(), written.ptr);
}

// One line of the figures: "name: value", with that many digits after the point.
void PrintFigure(const char* name, double value, int digits)
{
    std::printf("%s: %s\n", name, Fixed(value, digits).c_str());
}

double Mean(const std::vector<double>& values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return values.empty() ? 0 : sum / double(values.size());
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
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
        if (explosionStartWall == 0) {
            explosionStartWall = WallSeconds();
            explosionStartCpu = programCpuSeconds();
        }
        BackGroundDrawing::Explodex();
    }
    // How long after its 1000 µs each wait returns; read from the system's clock, so that the
    // virtual clock does not move.
    void Wait() override
    {
        double start = WallSeconds();
        BackGroundDrawing::Wait();
        if (stepsToOutcome == 0)
            waitOvershootsUs.push_back((WallSeconds() - start) * 1e6 - 1000);
    }
    // The close-up's entry pauses for some ticks on purpose: no part of the pace.
    void Delay() override
    {
        double start = WallSeconds();
        BackGroundDrawing::Delay();
        if (stepsToOutcome == 0)
            pauseSeconds += WallSeconds() - start;
    }
    void noteOutcome()
    {
        if (stepsToOutcome == 0) {
            stepsToOutcome = steps;
            outcome = WallSeconds();
        }
    }
    // The process's CPU time less what the benchmark's own helpers spent.
    std::function<double()> programCpuSeconds { CpuSeconds };
    double explosionStartWall { 0 };
    double explosionStartCpu { 0 };
    long steps { 0 };
    long stepsToOutcome { 0 };
    double firstStep { 0 };
    double outcome { 0 };
    double pauseSeconds { 0 };
    std::vector<double> waitOvershootsUs;
};

// A key press that carries the moment it was posted.
class ProbeKey : public QKeyEvent {
public:
    ProbeKey()
        : QKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier)
        , posted(WallSeconds())
    {
    }
    double posted;
};

// Posts a key press to a widget every few milliseconds from another thread, and notes how long
// each waits until the event loop hands it to the widget.
class KeyProbe : public QObject {
public:
    explicit KeyProbe(QObject* target)
        : m_target(target)
    {
        QInputDevice::primaryKeyboard();
        qApp->installEventFilter(this);
        m_poster = std::thread([this] {
            // Uneven gaps, so that the presses fall at every phase of a step.
            for (int press = 0; !m_done; ++press) {
                QCoreApplication::postEvent(m_target, new ProbeKey);
                std::this_thread::sleep_for(std::chrono::microseconds(2000 + 997 * (press % 3)));
            }
        });
        pthread_getcpuclockid(m_poster.native_handle(), &m_posterClock);
    }
    ~KeyProbe() override { stop(); }
    // Ends the presses; from then on the poster's own CPU time is known.
    void stop()
    {
        if (!m_poster.joinable())
            return;
        m_done = true;
        m_posterCpuSeconds = posterCpuSeconds();
        m_poster.join();
        // Presses still queued would reach the next flight's window as the user's.
        QCoreApplication::removePostedEvents(m_target, QEvent::KeyPress);
        qApp->removeEventFilter(this);
    }
    // The CPU time of the thread that stands in for the windowing system, so far: no part of the
    // program's.
    double posterCpuSeconds() const
    {
        if (!m_poster.joinable())
            return m_posterCpuSeconds;
        timespec now {};
        clock_gettime(m_posterClock, &now);
        return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
    }
    std::vector<double> latenciesMs() const
    {
        std::lock_guard lock(m_mutex);
        return m_latenciesMs;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || watched != m_target)
            return false;
        if (auto* probe = dynamic_cast<ProbeKey*>(event)) {
            std::lock_guard lock(m_mutex);
            m_latenciesMs.push_back((WallSeconds() - probe->posted) * 1e3);
            return true;
        }
        return false;
    }

private:
    QObject* m_target;
    std::atomic<bool> m_done { false };
    mutable std::mutex m_mutex;
    std::vector<double> m_latenciesMs;
    double m_posterCpuSeconds { 0 };
    clockid_t m_posterClock {};
    std::thread m_poster;
};

// Ends the flight's event loop when its outcome message comes up, without a timer that would wake
// the loop to look.
class OutcomeWatch : public fw::FrameworkObserver {
public:
    explicit OutcomeWatch(std::function<void()> shown)
        : m_shown(std::move(shown))
    {
        fw::SetFrameworkObserver(this);
    }
    ~OutcomeWatch() override { fw::SetFrameworkObserver(nullptr); }
    void messageShown(const std::string&) override { QMetaObject::invokeMethod(qApp, m_shown, Qt::QueuedConnection); }

private:
    std::function<void()> m_shown;
};

struct Measurement {
    long steps;
    double stepWallSeconds;
    double pauseSeconds;
    double cpuSeconds;
    double wallSeconds;
    double explosionCpuShare;
    std::vector<double> waitOvershootsUs;
    std::vector<double> keyLatenciesMs;
};

// One paint of the About window's trail, on the real clock: the CPU share while it waits for its
// ticks.
double AboutTrailCpuShare()
{
    fw::Ref<AboutWindow> about = AboutWindow::Instance();
    fw::Ref<fw::Canvas> canvas = fw::ControlNamed<fw::Canvas>(about, "Canvas1");
    const double cpuStart = CpuSeconds();
    const double wallStart = WallSeconds();
    canvas->Refresh(true);
    const double share = (CpuSeconds() - cpuStart) / (WallSeconds() - wallStart);
    about->Close();
    return share;
}

// Runs one flight to its outcome message and dismisses it.
Measurement Fly()
{
    fw::Ref<MeasuredFlight> flight(new MeasuredFlight);
    fw::Ref<Window1> window = NotNil(Window1::Instance(), "the main window");
    window->DrawOrbits = flight;
    const double cpuStart = CpuSeconds();
    const double wallStart = WallSeconds();
    std::vector<double> keyLatencies;
    flight->Run();
    {
        KeyProbe keys(WidgetOf(*window));
        flight->programCpuSeconds = [&keys] { return CpuSeconds() - keys.posterCpuSeconds(); };
        QEventLoop loop;
        double cpuEnd = 0;
        double wallEnd = 0;
        OutcomeWatch watch([&] {
            flight->noteOutcome();
            wallEnd = WallSeconds();
            cpuEnd = flight->programCpuSeconds();
            keys.stop();
            keyLatencies = keys.latenciesMs();
            fw::DismissMessageBox();
            loop.quit();
        });
        loop.exec();
        while (flight->isRunning())
            fw::RuntimeBackgroundTask();
        const double explosion = (cpuEnd - flight->explosionStartCpu) / (wallEnd - flight->explosionStartWall);
        return { flight->stepsToOutcome, flight->outcome - flight->firstStep, flight->pauseSeconds, cpuEnd - cpuStart,
            wallEnd - wallStart, explosion, flight->waitOvershootsUs, keyLatencies };
    }
}

}

int main()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
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
    const double sleepMargin = fw::Scheduler::instance().sleepMargin();
    const double aboutShare = AboutTrailCpuShare();
    fw::VirtualClock::enable();
    Measurement virtualClock = Fly();

    fw::Quit(0);
    finalize();
    fw::RuntimeExit();

    if (real.steps < 2 || virtualClock.steps < 2) {
        std::fprintf(stderr, "the flight did not reach its end\n");
        return 1;
    }
    std::printf("platform: %s\n", qgetenv("QT_QPA_PLATFORM").constData());
    std::printf("steps: %ld\n", real.steps);
    PrintFigure("steps_per_second", double(real.steps - 1) / (real.stepWallSeconds - real.pauseSeconds), 1);
    PrintFigure("pause_seconds", real.pauseSeconds, 3);
    PrintFigure("steps_per_second_with_pauses", double(real.steps - 1) / real.stepWallSeconds, 1);
    PrintFigure("cpu_seconds_per_1000_steps", virtualClock.cpuSeconds / double(virtualClock.steps) * 1000, 4);
    PrintFigure("cpu_share", real.cpuSeconds / real.wallSeconds, 4);
    PrintFigure("sleep_margin_us", sleepMargin, 1);
    PrintFigure("explosion_cpu_share", real.explosionCpuShare, 4);
    PrintFigure("about_trail_cpu_share", aboutShare, 4);
    PrintFigure("wait_overshoot_us_mean", Mean(real.waitOvershootsUs), 1);
    PrintFigure("wait_overshoot_us_p99", Percentile(real.waitOvershootsUs, 0.99), 1);
    PrintFigure("key_latency_ms_max", Percentile(real.keyLatenciesMs, 1.0), 2);
    PrintFigure("key_latency_ms_p99", Percentile(real.keyLatenciesMs, 0.99), 2);
    std::printf("key_presses: %zu\n", real.keyLatenciesMs.size());
    return 0;
}
