#include "Runtime.h"

#include "Canvas.h"
#include "CanvasWidget.h"
#include "CheckBox.h"
#include "Control.h"
#include "FolderItem.h"
#include "FrameTransport.h"
#include "FrameworkObserver.h"
#include "Graphics.h"
#include "Line.h"
#include "MessageBox.h"
#include "Picture.h"
#include "PopupMenu.h"
#include "PushButton.h"
#include "RuntimeState.h"
#include "Scheduler.h"
#include "Slider.h"
#include "Sound.h"
#include "StaticText.h"
#include "TextControl.h"
#include "TextField.h"
#include "Thread.h"
#include "Window.h"

#include <QApplication>

#include <cstdio>

namespace fw {

namespace {

void QuitWhenNothingIsLeft()
{
    RuntimeState& state = RuntimeState::instance();
    if (state.loopRunning && !state.quitting && NothingIsLeft())
        Quit(0);
}

}

void RuntimeInit()
{
    if (RuntimeState::find())
        return;
    ChooseFrameTransport();
    RuntimeState::create();
}

void RuntimeRegisterFrameworkClasses()
{
    for (const ClassInfo* info : { &Object::StaticClass(), &Application::StaticClass(), &MenuItem::StaticClass(), &Window::StaticClass(), &Control::StaticClass(),
             &RectControl::StaticClass(), &TextControl::StaticClass(), &Canvas::StaticClass(), &PushButton::StaticClass(), &StaticText::StaticClass(),
             &CheckBox::StaticClass(), &TextField::StaticClass(), &Slider::StaticClass(), &PopupMenu::StaticClass(),
             &Line::StaticClass(), &Graphics::StaticClass(), &Picture::StaticClass(), &Sound::StaticClass(),
             &FolderItem::StaticClass(), &Thread::StaticClass() })
        RegisterClass(*info);
}

void RunFrameworkInitialization(void (*startup)())
{
    startup();
    if (Ref<Application> application = GetAppObject())
        application->Event_Open();
}

void RuntimeInitExternalClasses()
{
    // Every class of the framework is built in; nothing comes from outside.
}

void InitPluginEntrypoints()
{
    // The program loads no plug-ins: the table of entry points stays empty.
}

void RuntimeRegisterAppObject(const Ref<Application>& application)
{
    RuntimeState::instance().appObject = application;
    if (application)
        QCoreApplication::setApplicationName(QString::fromStdString(application->classInfo().name()));
}

Ref<Application> GetAppObject()
{
    return RuntimeState::instance().appObject;
}

void RuntimeRun()
{
    RuntimeState& state = RuntimeState::instance();
    if (!state.quitting) {
        state.loopRunning = true;
        QApplication::exec();
        state.loopRunning = false;
    }
    Scheduler::instance().stop();
    if (std::exception_ptr exception = TakeMainThreadException())
        std::rethrow_exception(exception);
    if (Ref<Application> application = GetAppObject())
        application->Event_Close();
}

void Quit(std::int32_t exitCode)
{
    RuntimeState& state = RuntimeState::instance();
    state.exitCode = exitCode;
    state.quitting = true;
    Scheduler::instance().stop();
    QCoreApplication::exit(exitCode);
}

bool IsQuitting()
{
    return RuntimeState::instance().quitting;
}

std::int32_t QuitCode()
{
    return RuntimeState::instance().exitCode;
}

void UnhandledException(const std::exception& exception)
{
    auto* runtime = dynamic_cast<const RuntimeException*>(&exception);
    std::string className = runtime ? runtime->className() : "RuntimeException";
    std::fprintf(stderr, "quendal: unhandled %s: %s\n", className.c_str(), exception.what());
    CurrentFrameworkObserver()->exceptionReported(className, exception.what());
    RuntimeState& state = RuntimeState::instance();
    state.exitCode = 1;
    state.quitting = true;
    Scheduler::instance().stop();
    MsgBox("The program must close after an error it could not handle.\n\n" + className + ": " + exception.what());
}

void ReleaseFrameworkStatics()
{
    RuntimeState::instance().releaseLists();
}

std::int32_t RuntimeExit()
{
    std::int32_t exitCode = RuntimeState::instance().exitCode;
    RuntimeState::destroy();
    return exitCode;
}

void RuntimeBackgroundTask()
{
    Scheduler& scheduler = Scheduler::instance();
    scheduler.yield();
    if (!scheduler.inThread())
        Canvas::MainThreadYielded();
}

void RuntimeExpectWake(double microseconds)
{
    Scheduler::instance().expectWake(microseconds);
}

bool UserCancelled()
{
    return std::exchange(RuntimeState::instance().cancelPending, false);
}

void NoteUserCancel()
{
    // A press is meant for the run in progress: with none, there is nothing to cancel, and a
    // remembered press would end some later run unasked.
    if (Scheduler::instance().liveThreadCount() > 0)
        RuntimeState::instance().cancelPending = true;
}

void ReportThreadException(const std::string& className, const std::string& message)
{
    std::fprintf(stderr, "quendal: a simulation thread ended with %s: %s\n", className.c_str(), message.c_str());
    CurrentFrameworkObserver()->exceptionReported(className, message);
    MsgBox("The simulation stopped after an error.\n\n" + className + ": " + message);
}

void DeferMainThreadException(std::exception_ptr exception)
{
    RuntimeState& state = RuntimeState::instance();
    if (!state.mainThreadException)
        state.mainThreadException = exception;
    state.quitting = true;
    Scheduler::instance().stop();
    QCoreApplication::exit(1);
}

std::exception_ptr TakeMainThreadException()
{
    return std::exchange(RuntimeState::instance().mainThreadException, nullptr);
}

bool NothingIsLeft()
{
    return OpenWindows().empty() && Scheduler::instance().liveThreadCount() == 0;
}

void ThreadEnded()
{
    if (Scheduler::instance().liveThreadCount() == 0)
        RuntimeState::instance().cancelPending = false;
    QuitWhenNothingIsLeft();
}

void WindowListChanged()
{
    QuitWhenNothingIsLeft();
}

}
