#include <fw/Runtime.h>

#include "core/FrameworkObserver.h"
#include "gui/FrameTransport.h"
#include "gui/PaintRuns.h"
#include "gui/WindowSystem.h"
#include "loop/EventLoop.h"
#include "loop/Scheduler.h"
#include "runtime/RuntimeState.h"
#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/FolderItem.h>
#include <fw/Graphics.h>
#include <fw/Line.h>
#include <fw/MessageBox.h>
#include <fw/Picture.h>
#include <fw/PopupMenu.h>
#include <fw/PushButton.h>
#include <fw/Slider.h>
#include <fw/Sound.h>
#include <fw/StaticText.h>
#include <fw/TextField.h>
#include <fw/Thread.h>
#include <fw/Window.h>

#include <QCoreApplication>

#include <cstdio>

namespace fw {

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
    WindowSystem::instance().setApplicationObject(application);
    if (application)
        QCoreApplication::setApplicationName(QString::fromStdString(application->classInfo().name()));
}

Ref<Application> GetAppObject()
{
    return WindowSystem::instance().applicationObject();
}

void RuntimeRun()
{
    EventLoop& loop = EventLoop::instance();
    loop.run();
    if (std::exception_ptr exception = loop.takeException())
        std::rethrow_exception(exception);
    if (Ref<Application> application = GetAppObject())
        application->Event_Close();
}

void Quit(std::int32_t exitCode)
{
    EventLoop::instance().quit(exitCode);
}

bool IsQuitting()
{
    return EventLoop::instance().isQuitting();
}

std::int32_t QuitCode()
{
    return EventLoop::instance().exitCode();
}

void UnhandledException(const std::exception& exception)
{
    auto* runtime = dynamic_cast<const RuntimeException*>(&exception);
    std::string className = runtime ? runtime->className() : "RuntimeException";
    std::fprintf(stderr, "quendal: unhandled %s: %s\n", className.c_str(), exception.what());
    CurrentFrameworkObserver()->exceptionReported(className, exception.what());
    EventLoop::instance().beginQuitting(1);
    MsgBox("The program must close after an error it could not handle.\n\n" + className + ": " + exception.what());
}

void ReleaseFrameworkStatics()
{
    RuntimeState::instance().releaseLists();
}

std::int32_t RuntimeExit()
{
    std::int32_t exitCode = EventLoop::instance().exitCode();
    RuntimeState::destroy();
    return exitCode;
}

void RuntimeBackgroundTask()
{
    Scheduler& scheduler = Scheduler::instance();
    if (scheduler.inThread())
        scheduler.yield();
    else
        PaintRuns::instance().mainThreadYield();
}

void RuntimeExpectWake(double microseconds)
{
    Scheduler& scheduler = Scheduler::instance();
    if (scheduler.inThread())
        scheduler.expectWake(microseconds);
    else
        PaintRuns::instance().expectMainThreadWake(microseconds);
}

bool UserCancelled()
{
    return RuntimeState::instance().events().takeCancelPress();
}

}
