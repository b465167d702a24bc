#include "support/TestSupport.h"

#include "gui/MessageBoxes.h"
#include "loop/Scheduler.h"
#include <fw/Picture.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>

using namespace fw;

namespace testing_support {

Ref<FunctionThread> StartThread(std::function<void()> body)
{
    Ref<FunctionThread> thread(new FunctionThread(std::move(body)));
    thread->Run();
    return thread;
}

void ProcessEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CloseProgramWindows()
{
    for (int pass = 0; pass < 4 && !OpenWindows().empty(); ++pass) {
        for (const char* name : { "Dialog1.Dialog1", "AboutWindow.AboutWindow", "Window1.Window1" }) {
            if (Ref<Window> window = GetImplicitWindow(name))
                window->Close();
        }
    }
}

bool RunUntilEveryThreadEnded()
{
    return RunRoundsUntil([] {
        DismissMessageBox();
        return Scheduler::instance().liveThreadCount() == 0;
    });
}

bool RunRoundsUntil(const std::function<bool()>& condition, int maxRounds)
{
    for (int round = 0; round < maxRounds; ++round) {
        if (condition())
            return true;
        Scheduler::instance().runRound();
        QCoreApplication::processEvents();
    }
    return condition();
}

void RunRounds(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        Scheduler::instance().runRound();
        QCoreApplication::processEvents();
    }
}

RecordingObserver::RecordingObserver() { SetFrameworkObserver(this); }
RecordingObserver::~RecordingObserver() { SetFrameworkObserver(nullptr); }
void RecordingObserver::windowOpened(Window& window) { lines.push_back("opened: " + window.classInfo().name()); }
void RecordingObserver::windowClosed(Window& window) { lines.push_back("closed: " + window.classInfo().name()); }
void RecordingObserver::messageShown(const std::string& text) { lines.push_back("message: " + text); }
void RecordingObserver::soundPlayed(const std::string& name) { lines.push_back("sound: " + name); }
void RecordingObserver::exceptionReported(const std::string& className, const std::string& message)
{
    lines.push_back("exception: " + className + ": " + message);
}

const ClassInfo& CanvasWindow::StaticClass()
{
    static const ClassInfo info("CanvasWindow", &Window::StaticClass(), FactoryOf<CanvasWindow>());
    return info;
}

void CanvasWindow::Layout()
{
    setWidth(kWidth);
    setHeight(kHeight);
    // Fixed, as the program's windows are; the content then sets the window's size on screen.
    setResizeable(false);
    setTitle("Canvas");
}

void CanvasWindow::CreateControls()
{
    Ref<Control> control = New(Canvas::StaticClass());
    RuntimeCheckCast<RectControl>(control)->Constructor();
    AddControl("Canvas1", control);
    auto canvas = RuntimeCheckCast<Canvas>(control);
    canvas->setWidth(kWidth);
    canvas->setHeight(kHeight);
}

Ref<Canvas> CanvasWindow::canvas() const
{
    return RuntimeCheckCast<Canvas>(controlByName("Canvas1"));
}

Ref<Picture> PictureOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return Picture::decode(bytes.toStdString());
}

std::string ExceptionMessage(const std::exception_ptr& exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "something that is no std::exception";
    }
}

Ref<CanvasWindow> OpenCanvasWindow()
{
    if (auto existing = RuntimeCheckCast<CanvasWindow>(GetImplicitWindow("CanvasWindow")))
        return existing;
    return OpenWindowOf<CanvasWindow>();
}

}
