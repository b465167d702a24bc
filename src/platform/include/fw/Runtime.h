#pragma once

#include <fw/Application.h>
#include <fw/Exceptions.h>

#include <cstdint>
#include <exception>
#include <string>

namespace fw {

// Process start: brings up the runtime and the windowing system; comes before everything else.
void RuntimeInit();
// Registers the framework's own classes with the runtime; the program's follow.
void RuntimeRegisterFrameworkClasses();
// Initialises the framework and calls the start-up procedure once, within this call.
void RunFrameworkInitialization(void (*startup)());
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();

void RuntimeRegisterAppObject(const Ref<Application>& application);
Ref<Application> GetAppObject();

// Runs the event loop on the main thread until the application quits. An exception that left an
// event handler ends the loop and is raised again here.
void RuntimeRun();
// Ends the event loop; windows go without their Close events and threads run no more.
void Quit(std::int32_t exitCode = 0);
bool IsQuitting();
// The exit status that RuntimeExit will return.
std::int32_t QuitCode();

// The default handling of an exception that nothing caught: written to stderr and shown.
void UnhandledException(const std::exception& exception);
// Releases the framework's lists: implicit windows, windows, threads, the class registry.
void ReleaseFrameworkStatics();
// Shuts the runtime down; the process's exit status.
std::int32_t RuntimeExit();

// A yield point: in a thread, the others get to run; on the main thread, one round of them.
void RuntimeBackgroundTask();
// In a thread that will yield until Microseconds passes this value: the scheduler keeps its other
// work clear of that moment. The wait itself still tests its clock at every pass.
void RuntimeExpectWake(double microseconds);
// True when Escape or Ctrl+Period was pressed during the run in progress since the last call;
// several presses count once.
bool UserCancelled();

}
