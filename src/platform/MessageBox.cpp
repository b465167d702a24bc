#include "MessageBox.h"

#include "FloatingWindow.h"
#include "FrameworkObserver.h"
#include "RuntimeState.h"
#include "Scheduler.h"
#include "Window.h"
#include "WindowWidget.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>

#include <memory>
#include <vector>

namespace fw {

namespace {

std::vector<QPointer<QMessageBox>>& ShowingBoxes()
{
    return RuntimeState::instance().showingBoxes;
}

void ForgetBox(const QMessageBox* box)
{
    RuntimeState* state = RuntimeState::find();
    if (!state)
        return;
    std::erase_if(state->showingBoxes, [&](const QPointer<QMessageBox>& entry) { return entry.isNull() || entry.data() == box; });
}

// The box stays above the window the user works in, or else the main one, so that no click on
// another of the application's windows can bring that over it.
QWidget* BoxAnchor()
{
    if (auto* active = qobject_cast<WindowWidget*>(QApplication::activeWindow()); active && active->window())
        return active;
    return StackingAnchor();
}

struct BoxOnScreen {
    std::unique_ptr<QMessageBox> box;
    ~BoxOnScreen() { ForgetBox(box.get()); }
};

}

void MsgBox(const std::string& text)
{
    BoxOnScreen screen;
    screen.box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, QCoreApplication::applicationName(), QString::fromStdString(text), QMessageBox::Ok);
    QMessageBox& box = *screen.box;
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    bool dismissed = false;

    Scheduler& scheduler = Scheduler::instance();
    Thread* waiting = scheduler.current();
    QEventLoop mainLoop;
    QObject::connect(&box, &QMessageBox::finished, [&] {
        // A dismissed box is gone for the user at once, whenever its thread runs on.
        ForgetBox(&box);
        dismissed = true;
        if (waiting)
            scheduler.unblock(*waiting);
        else
            mainLoop.quit();
    });

    ShowingBoxes().emplace_back(&box);
    KeepAbove(box, BoxAnchor());
    box.show();
    CurrentFrameworkObserver()->messageShown(text);
    if (waiting) {
        while (!dismissed)
            scheduler.blockCurrent();
    } else if (!dismissed) {
        mainLoop.exec();
    }
}

bool IsMessageBoxShowing()
{
    auto& boxes = ShowingBoxes();
    std::erase_if(boxes, [](const QPointer<QMessageBox>& entry) { return entry.isNull(); });
    return !boxes.empty();
}

QMessageBox* ShowingMessageBox()
{
    return IsMessageBoxShowing() ? ShowingBoxes().back().data() : nullptr;
}

std::string ShowingMessageText()
{
    QMessageBox* box = ShowingMessageBox();
    return box ? box->text().toStdString() : std::string();
}

bool DismissMessageBox()
{
    QMessageBox* box = ShowingMessageBox();
    if (!box)
        return false;
    box->done(QMessageBox::Ok);
    return true;
}

}
