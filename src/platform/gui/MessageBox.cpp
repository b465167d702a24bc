#include <fw/MessageBox.h>

#include "core/FrameworkObserver.h"
#include "gui/MessageBoxes.h"
#include "gui/Stacking.h"
#include "loop/Scheduler.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>

#include <memory>
#include <vector>

namespace fw {

namespace {

void ForgetBox(const QMessageBox& box)
{
    if (MessageBoxes* boxes = MessageBoxes::find())
        boxes->forget(box);
}

struct BoxOnScreen {
    std::unique_ptr<QMessageBox> box;
    ~BoxOnScreen()
    {
        if (box)
            ForgetBox(*box);
    }
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
        ForgetBox(box);
        dismissed = true;
        if (waiting)
            scheduler.unblock(*waiting);
        else
            mainLoop.quit();
    });

    MessageBoxes::instance().add(box);
    KeepAbove(box, Stacking::instance().messageBoxAnchor());
    box.show();
    CurrentFrameworkObserver()->messageShown(text);
    if (waiting) {
        while (!dismissed)
            scheduler.blockCurrent();
    } else if (!dismissed) {
        mainLoop.exec();
    }
}

void MessageBoxes::add(QMessageBox& box)
{
    m_showing.emplace_back(&box);
}

void MessageBoxes::forget(const QMessageBox& box)
{
    std::erase_if(m_showing, [&](const QPointer<QMessageBox>& entry) { return entry.isNull() || entry.data() == &box; });
}

QMessageBox* MessageBoxes::newest()
{
    std::erase_if(m_showing, [](const QPointer<QMessageBox>& entry) { return entry.isNull(); });
    return m_showing.empty() ? nullptr : m_showing.back().data();
}

bool IsMessageBoxShowing()
{
    return ShowingMessageBox() != nullptr;
}

QMessageBox* ShowingMessageBox()
{
    return MessageBoxes::instance().newest();
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
