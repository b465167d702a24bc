#pragma once

#include "core/FrameworkObserver.h"
#include <fw/Canvas.h>
#include <fw/Thread.h>
#include <fw/Window.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class QImage;

namespace testing_support {

// A thread whose run is a function.
class FunctionThread : public fw::Thread {
public:
    explicit FunctionThread(std::function<void()> body)
        : m_body(std::move(body))
    {
    }
    void Event_Run() override { m_body(); }

private:
    std::function<void()> m_body;
};

fw::Ref<FunctionThread> StartThread(std::function<void()> body);

// Runs scheduler rounds, handling Qt events between them, until the condition holds or the
// rounds run out; true when it held.
bool RunRoundsUntil(const std::function<bool()>& condition, int maxRounds = 100000);
void RunRounds(int rounds);
void ProcessEvents();
// Closes every window of the program that is open: the diagram first, since closing it reaches
// the main window, and again while closing one brought another.
void CloseProgramWindows();
// Runs rounds, pressing OK on any message box that comes up, until no thread is alive; true when
// none was left. For runs whose Stopp was set.
bool RunUntilEveryThreadEnded();

// The image as a picture, decoded from its PNG bytes as a file's would be.
fw::Ref<fw::Picture> PictureOf(const QImage& image);
// What the exception says.
std::string ExceptionMessage(const std::exception_ptr& exception);

// Records what the framework reports, line by line.
class RecordingObserver : public fw::FrameworkObserver {
public:
    RecordingObserver();
    ~RecordingObserver() override;
    void windowOpened(fw::Window& window) override;
    void windowClosed(fw::Window& window) override;
    void messageShown(const std::string& text) override;
    void soundPlayed(const std::string& name) override;
    void exceptionReported(const std::string& className, const std::string& message) override;

    std::vector<std::string> lines;
};

// A window with one canvas filling it, for drawing tests.
class CanvasWindow : public fw::Window {
public:
    static const fw::ClassInfo& StaticClass();
    const fw::ClassInfo& classInfo() const override { return StaticClass(); }
    void Layout() override;
    void CreateControls() override;

    fw::Ref<fw::Canvas> canvas() const;
    static constexpr int kWidth = 40;
    static constexpr int kHeight = 30;
};

fw::Ref<CanvasWindow> OpenCanvasWindow();

// Registers the window class W, as the program registers its own, and builds a window of it.
template<typename W>
fw::Ref<W> OpenWindowOf()
{
    fw::RegisterClass(W::StaticClass());
    auto window = fw::RuntimeCheckCast<W>(fw::RuntimeNewObject(W::StaticClass()));
    window->Constructor();
    return window;
}

}
