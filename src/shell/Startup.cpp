#include "shell/Startup.h"

#include "about/AboutWindow.h"
#include "diagram/Dialog1.h"
#include "main_window/Window1.h"
#include "shell/Quendal.h"
#include "shell/Resources.h"
#include "simulation/BackGroundDrawing.h"
#include <fw/Runtime.h>

using namespace fw;

void initialize()
{
    RuntimeRegisterFrameworkClasses();
    RegisterClass(Window1::StaticClass());
    RegisterClass(BackGroundDrawing::StaticClass());
    RegisterClass(AboutWindow::StaticClass());
    RegisterClass(Dialog1::StaticClass());
    RegisterClass(Quendal::StaticClass());
}

void Main()
{
    try {
        RunFrameworkInitialization(&Startup);
        RuntimeRun();
    } catch (const std::exception& exception) {
        UnhandledException(exception);
    } catch (...) {
        // Whatever it is, the user is told and the process shuts down as after a quit.
        UnhandledException(RuntimeException("an exception of a type that the program does not know"));
    }
}

void Startup()
{
    RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

void InitFileTypes()
{
    // The program opens no documents: it declares no file types.
}

void NewAppInstance()
{
    RuntimeRegisterAppObject(RuntimeCheckCast<Application>(RuntimeNewObject(Quendal::StaticClass())));
}

void ApplicationAddMenuHandlers()
{
    Ref<Quendal> receiver = NotNil(App(), "the application object");
    Ref<Quendal> handler = NotNil(App(), "the application object");
    Quendal* target = handler.get();
    receiver->AddMenuHandler("AboutMenu", [target] { return target->AboutMenu_Action(); });
}

void MakeDefaultView()
{
    Window1::Instance();
}

void finalize()
{
    ReleaseExplosionSound();
    ReleaseFrameworkStatics();
}
