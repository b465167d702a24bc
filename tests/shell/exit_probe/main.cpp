// The program as its process entry runs it, left one way that a test names: through the
// program's own ways out, or through exit() called as a library calls it (Qt, when the display
// connection breaks). ExitPathsTest runs it and checks the exit status and its standard error.
#include "gui/MessageBoxes.h"
#include "loop/HandlerCall.h"
#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "shell/Startup.h"
#include "simulation/Variables.h"
#include <fw/Clock.h>
#include <fw/Exceptions.h>
#include <fw/PopupMenu.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/TextField.h>
#include <fw/Thread.h>
#include <fw/Window.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>

namespace {

// The status of a process that a library ends, and of one whose flight ended too soon.
constexpr int kLibraryExitStatus = 3;
constexpr int kFlightEndedTooSoon = 4;

void Every(int milliseconds, std::function<void()> action)
{
    auto* timer = new QTimer(QCoreApplication::instance());
    timer->setInterval(milliseconds);
    QObject::connect(timer, &QTimer::timeout, std::move(action));
    timer->start();
}

void Press(const char* button)
{
    fw::ControlNamed<fw::PushButton>(Window1::Instance(), button)->push();
}

// 50 m of stone strikes the ground: the blast sounds, then the outcome message comes up.
void StartFlight()
{
    fw::Ref<Window1> window = Window1::Instance();
    fw::ControlNamed<fw::PopupMenu>(window, "PopupMenuOrigin")->choose("Near Earth Asteroid, 20 kms");
    fw::ControlNamed<fw::PopupMenu>(window, "PopupMenuType")->choose("Stone");
    fw::ControlNamed<fw::TextField>(window, "EditFieldDia")->type("50");
    Press("PushButtonStart");
}

// Runs the action once, between two of the flight's steps, when it has taken its first ones.
void MidFlight(void (*action)())
{
    StartFlight();
    Every(1, [action, done = false]() mutable {
        if (done || Variables::t <= 0)
            return;
        done = true;
        if (fw::IsMessageBoxShowing())
            std::exit(kFlightEndedTooSoon);
        action();
    });
}

// Runs the action once the flight's thread waits in its outcome message.
void AtTheMessage(void (*action)())
{
    StartFlight();
    Every(1, [action, done = false]() mutable {
        if (!done && fw::IsMessageBoxShowing()) {
            done = true;
            action();
        }
    });
}

void LibraryExit()
{
    std::exit(kLibraryExitStatus);
}

// A thread that leaves the process from its own stack.
class ExitingThread : public fw::Thread {
public:
    void Event_Run() override
    {
        fw::RuntimeBackgroundTask();
        LibraryExit();
    }
};

const std::map<std::string, std::function<void()>>& Ways()
{
    static const std::map<std::string, std::function<void()>> ways {
        { "quit", [] { Press("PushButton3"); } },
        { "quit-mid-flight", [] { MidFlight([] { Press("PushButton3"); }); } },
        { "last-window-closed",
            [] {
                // The diagram refers to the main window as it closes, so it goes first.
                for (const char* name : { "Dialog1.Dialog1", "Window1.Window1" })
                    fw::GetImplicitWindow(name)->Close();
            } },
        { "unhandled-exception",
            [] {
                Every(5, [] { fw::DismissMessageBox(); });
                fw::CallHandler([] { throw fw::RuntimeException("raised by the exit probe"); });
            } },
        // Not of the framework's family, nor a std::exception at all.
        { "unhandled-foreign-exception",
            [] {
                Every(5, [] { fw::DismissMessageBox(); });
                fw::CallHandler([] { throw 42; });
            } },
        { "exit-with-sound",
            [] {
                fw::NotNil(Explosion(), "the explosion sound")->Play();
                QTimer::singleShot(300, &LibraryExit);
            } },
        // The box is modal, so only code quits while it is up.
        { "quit-with-message-in-flight", [] { AtTheMessage([] { fw::Quit(0); }); } },
        { "exit-with-message-in-flight", [] { AtTheMessage(&LibraryExit); } },
        { "exit-mid-flight", [] { MidFlight(&LibraryExit); } },
        { "exit-on-thread", [] { fw::Ref<ExitingThread>(new ExitingThread)->Run(); } },
    };
    return ways;
}

}

int main(int argc, char** argv)
{
    auto way = argc == 2 ? Ways().find(argv[1]) : Ways().end();
    if (way == Ways().end()) {
        std::fprintf(stderr, "usage: %s WAY (quit, exit-mid-flight, ...)\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    fw::RuntimeInit();
    initialize();
    fw::VirtualClock::enable();
    // Once the event loop runs.
    QTimer::singleShot(0, [way] { fw::CallHandler(way->second); });
    Main();
    finalize();
    return fw::RuntimeExit();
}
