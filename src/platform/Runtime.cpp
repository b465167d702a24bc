#include "Runtime.h"

#include "Canvas.h"
#include "CanvasWidget.h"
#include "CheckBox.h"
#include "Control.h"
#include "FolderItem.h"
#include "FrameworkObserver.h"
#include "Graphics.h"
#include "Line.h"
#include "MessageBox.h"
#include "Picture.h"
#include "PopupMenu.h"
#include "PushButton.h"
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

QApplication* g_application = nullptr;
Ref<Application> g_appObject;
std::int32_t g_exitCode = 0;
bool g_quitting = false;
bool g_loopRunning = false;
std::exception_ptr g_mainThreadException;
int g_cancelPresses = 0;

void QuitWhenNothingIsLeft()
{
    if (g_loopRunning && !g_quitting && OpenWindows().empty() && Scheduler::instance().liveThreadCount() == 0)
        Quit(0);
}

}

void RuntimeInit()
{
    if (g_application)
        return;
    static int argc = 1;
    static char name[] = "quendal";
    static char* argv[] = { name, nullptr };
    // On X, a frame's few changed pixels travel faster in the request itself than through
    // shared memory, whose every frame waits for the server's answer before the next paint.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    g_application = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    g_exitCode = 0;
    g_quitting = false;
    g_cancelPresses = 0;
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
    if (g_appObject)
        g_appObject->Event_Open();
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
    g_appObject = application;
    if (application)
        QCoreApplication::setApplicationName(QString::fromStdString(application->classInfo().name()));
}

Ref<Application> GetAppObject()
{
    return g_appObject;
}

void RuntimeRun()
{
    if (!g_quitting) {
        g_loopRunning = true;
        QApplication::exec();
        g_loopRunning = false;
    }
    Scheduler::instance().stop();
    if (std::exception_ptr exception = TakeMainThreadException())
        std::rethrow_exception(exception);
    if (g_appObject)
        g_appObject->Event_Close();
}

void Quit(std::int32_t exitCode)
{
    g_exitCode = exitCode;
    g_quitting = true;
    Scheduler::instance().stop();
    QCoreApplication::exit(exitCode);
}

bool IsQuitting()
{
    return g_quitting;
}

std::int32_t QuitCode()
{
    return g_exitCode;
}

void UnhandledException(const std::exception& exception)
{
    auto* runtime = dynamic_cast<const RuntimeException*>(&exception);
    std::string className = runtime ? runtime->className() : "RuntimeException";
    std::fprintf(stderr, "quendal: unhandled %s: %s\n", className.c_str(), exception.what());
    CurrentFrameworkObserver()->exceptionReported(className, exception.what());
    g_exitCode = 1;
    g_quitting = true;
    Scheduler::instance().stop();
    MsgBox("The program must close after an error it could not handle.\n\n" + className + ": " + exception.what());
}

void ReleaseFrameworkStatics()
{
    Scheduler::instance().abandonAll();
    ForgetAllWindows();
    // Audio output cannot outlive the runtime, whoever still holds a sound.
    Sound::releaseAllOutputs();
    ClearClassRegistry();
}

std::int32_t RuntimeExit()
{
    g_appObject = nullptr;
    // Lets windows that were closed finish going away.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return g_exitCode;
}

void RuntimeBackgroundTask()
{
    Scheduler::instance().yield();
}

void RuntimeExpectWake(double microseconds)
{
    Scheduler::instance().expectWake(microseconds);
}

bool UserCancelled()
{
    if (g_cancelPresses == 0)
        return false;
    --g_cancelPresses;
    return true;
}

void NoteUserCancel()
{
    ++g_cancelPresses;
}

void ReportThreadException(const std::string& className, const std::string& message)
{
    std::fprintf(stderr, "quendal: a simulation thread ended with %s: %s\n", className.c_str(), message.c_str());
    CurrentFrameworkObserver()->exceptionReported(className, message);
    MsgBox("The simulation stopped after an error.\n\n" + className + ": " + message);
}

void DeferMainThreadException(std::exception_ptr exception)
{
    if (!g_mainThreadException)
        g_mainThreadException = exception;
    g_quitting = true;
    Scheduler::instance().stop();
    QCoreApplication::exit(1);
}

std::exception_ptr TakeMainThreadException()
{
    return std::exchange(g_mainThreadException, nullptr);
}

void ThreadEnded()
{
    QuitWhenNothingIsLeft();
}

void WindowListChanged()
{
    QuitWhenNothingIsLeft();
}

}
