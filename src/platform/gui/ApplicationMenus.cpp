#include "gui/ApplicationMenus.h"

#include "gui/QtObjects.h"
#include "gui/WindowSystem.h"
#include "gui/WindowWidget.h"
#include "loop/EventLoop.h"
#include "loop/HandlerCall.h"
#include <fw/Application.h>
#include <fw/Window.h>

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace fw {

namespace {

// Ctrl+Q in the window that has the keyboard: not every key scheme gives Quit a key of its own.
// Each window holds a Quit of its own, so the key works in every window, also when the one with
// the menu bar has closed; one for the whole application would hang on a window that may be
// gone. A window's own context keeps two of them from ever matching one key press.
QAction* NewQuitAction(QObject* owner)
{
    auto* quit = new QAction(QObject::tr("&Quit"), owner);
    quit->setObjectName(kQuitMenuItem);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(quit, &QAction::triggered, [] { CallHandler([] { ChooseMenuItem(nullptr, kQuitMenuItem); }); });
    return quit;
}

}

void ChooseMenuItem(Window* window, const std::string& itemName)
{
    Ref<Window> keep(window);
    if (itemName == kQuitMenuItem) {
        EventLoop::instance().quit(0);
        return;
    }
    if (window && window->invokeMenuHandler(itemName))
        return;
    if (Ref<Application> application = WindowSystem::instance().applicationObject())
        application->invokeMenuHandler(itemName);
}

void AttachQuitKey(Window& window)
{
    if (WindowWidget* widget = WidgetOf(window))
        widget->addAction(NewQuitAction(widget));
}

void AttachApplicationMenus(Window& window)
{
    WindowWidget* widget = WidgetOf(window);
    if (!widget)
        return;
    auto* menuBar = new QMenuBar(widget);
    Window* owner = &window;
    auto raiseEnableMenuItems = [owner] {
        CallHandler([owner] {
            Ref<Window> keep(owner);
            owner->Event_EnableMenuItems();
            if (Ref<Application> application = WindowSystem::instance().applicationObject())
                application->Event_EnableMenuItems();
        });
    };

    QMenu* fileMenu = menuBar->addMenu(QObject::tr("&File"));
    QObject::connect(fileMenu, &QMenu::aboutToShow, raiseEnableMenuItems);
    fileMenu->addAction(NewQuitAction(fileMenu));

    QMenu* helpMenu = menuBar->addMenu(QObject::tr("&Help"));
    QObject::connect(helpMenu, &QMenu::aboutToShow, raiseEnableMenuItems);
    QAction* about = helpMenu->addAction(QObject::tr("&About %1").arg(QCoreApplication::applicationName()));
    about->setObjectName(kAboutMenuItem);
    QObject::connect(about, &QAction::triggered, [owner] { CallHandler([owner] { ChooseMenuItem(owner, kAboutMenuItem); }); });

    widget->addMenuBar(menuBar);
}

}
