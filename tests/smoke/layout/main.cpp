// Prints where the program's windows keep their controls, for the desktop tests: the program's
// three windows, opened on the offscreen platform as start-up and Help > About open them, and
// each one's content size and each control's place, one shell assignment a line:
//   Window1_width=639
//   Window1_PushButtonStart=60x20+566+14
//   Window1_PopupMenuType_rows=4
// A place is WIDTHxHEIGHT+LEFT+TOP in the window's content coordinates; LEFT or TOP may be
// negative (+-1). A pop-up menu's rows are counted too, since a click in its list lands by them.
// Only whole numbers, so nothing depends on the locale. Exits 1 when a window does not open or
// two of a window's controls share a name.
#include "about/AboutWindow.h"
#include "shell/Startup.h"
#include "support/UserActions.h"
#include <fw/Clock.h>
#include <fw/Control.h>
#include <fw/PopupMenu.h>
#include <fw/Runtime.h>
#include <fw/Window.h>

#include <QByteArray>
#include <QtGlobal>

#include <iostream>
#include <set>
#include <string>

namespace {

bool PrintWindow(const fw::Window& window)
{
    const std::string name = user_actions::ShortName(window);
    std::cout << name << "_width=" << std::to_string(window.width()) << '\n';
    std::cout << name << "_height=" << std::to_string(window.height()) << '\n';
    std::set<std::string> seen;
    for (const fw::Ref<fw::Control>& control : window.controls()) {
        auto rect = fw::RuntimeCheckCast<fw::RectControl>(control);
        if (!rect)
            continue;
        if (!seen.insert(rect->name()).second) {
            std::cerr << "quendal-layout: " << name << " has two controls named " << rect->name() << '\n';
            return false;
        }
        std::cout << name << '_' << rect->name() << '=' << std::to_string(rect->width()) << 'x' << std::to_string(rect->height())
                  << '+' << std::to_string(rect->left()) << '+' << std::to_string(rect->top()) << '\n';
        if (auto menu = fw::RuntimeCheckCast<fw::PopupMenu>(control))
            std::cout << name << '_' << rect->name() << "_rows=" << std::to_string(menu->rows().size()) << '\n';
    }
    return true;
}

}

int main()
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    fw::RuntimeInit();
    initialize();
    // Nothing runs on its own while the windows are read.
    fw::VirtualClock::enable();
    int status = 0;
    try {
        fw::RunFrameworkInitialization(&Startup);
        AboutWindow::Instance();
        for (const char* expected : { "Window1", "Dialog1", "AboutWindow" }) {
            if (!user_actions::OpenWindowNamed(expected)) {
                std::cerr << "quendal-layout: " << expected << " did not open\n";
                status = 1;
            }
        }
        for (const fw::Ref<fw::Window>& window : fw::OpenWindows()) {
            if (!PrintWindow(*window))
                status = 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "quendal-layout: " << error.what() << '\n';
        status = 1;
    }
    std::cout.flush();
    fw::Quit(0);
    finalize();
    fw::RuntimeExit();
    return status;
}
