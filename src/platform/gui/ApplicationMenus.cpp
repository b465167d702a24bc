#include "gui/ApplicationMenus.h"

#include "gui/WindowWidget.h"

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
QAction* NewQuitAction(WindowWidget& window, QObject* owner)
{
    auto* quit = new QAction(QObject::tr("&Quit"), owner);
    quit->setObjectName(kQuitMenuItem);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(quit, &QAction::triggered, &window, [&window] { window.chooseMenuItem(kQuitMenuItem); });
    return quit;
}

}

void AttachQuitKey(WindowWidget& window)
{
    window.addAction(NewQuitAction(window, &window));
}

void AttachApplicationMenus(WindowWidget& window)
{
    auto* menuBar = new QMenuBar(&window);
    auto prepare = [&window] { window.prepareMenus(); };

    QMenu* fileMenu = menuBar->addMenu(QObject::tr("&File"));
    QObject::connect(fileMenu, &QMenu::aboutToShow, &window, prepare);
    fileMenu->addAction(NewQuitAction(window, fileMenu));

    QMenu* helpMenu = menuBar->addMenu(QObject::tr("&Help"));
    QObject::connect(helpMenu, &QMenu::aboutToShow, &window, prepare);
    QAction* about = helpMenu->addAction(QObject::tr("&About %1").arg(QCoreApplication::applicationName()));
    about->setObjectName(kAboutMenuItem);
    QObject::connect(about, &QAction::triggered, &window, [&window] { window.chooseMenuItem(kAboutMenuItem); });

    window.addMenuBar(menuBar);
}

}
