#include "loop/EventLoop.h"
#include "support/TestSupport.h"
#include <fw/CheckBox.h>
#include <fw/Exceptions.h>
#include <fw/PopupMenu.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/Slider.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

using namespace fw;
using namespace testing_support;

// An exception that leaves a control's event handler never crosses Qt's frames: on the main
// thread it is kept for the process entry, inside a thread it comes again at the thread's next
// yield.

namespace {

class EventWindow : public Window {
public:
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info("EventWindow.EventWindow", &Window::StaticClass(), FactoryOf<EventWindow>());
        return info;
    }
    const ClassInfo& classInfo() const override { return StaticClass(); }

    void Layout() override
    {
        setWidth(300);
        setHeight(200);
        setResizeable(false);
    }
};

class ControlEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = OpenWindowOf<EventWindow>();
        ProcessEvents();
    }
    void TearDown() override { window->Close(); }

    // A control of the class whose handler of the event throws.
    template<typename C>
    Ref<C> throwingControl(const std::string& eventName)
    {
        window->NewControl(C::StaticClass(), eventName);
        Ref<C> control = RuntimeCheckCast<C>(window->controlByName(eventName));
        control->setLeft(10);
        control->setTop(10);
        control->setWidth(120);
        control->setHeight(30);
        control->installEventHandler(eventName, [eventName](Control&) { throw RuntimeException("raised by " + eventName); });
        return control;
    }

    // The message of the exception kept for the process entry, or "" when none was kept.
    static std::string keptException()
    {
        std::exception_ptr kept = EventLoop::instance().takeException();
        return kept ? ExceptionMessage(kept) : "";
    }

    Ref<EventWindow> window;
};

TEST_F(ControlEvents, AButtonsActionIsKeptForTheProcessEntry)
{
    Ref<PushButton> button = throwingControl<PushButton>("Action");
    EXPECT_NO_THROW(button->push());
    EXPECT_EQ(keptException(), "raised by Action");
}

TEST_F(ControlEvents, ACheckBoxsActionIsKeptForTheProcessEntry)
{
    Ref<CheckBox> box = throwingControl<CheckBox>("Action");
    EXPECT_NO_THROW(box->click());
    EXPECT_EQ(keptException(), "raised by Action");
    EXPECT_TRUE(box->Value()) << "the click took effect";
}

TEST_F(ControlEvents, ATextFieldsTextChangeIsKeptForTheProcessEntry)
{
    Ref<TextField> field = throwingControl<TextField>("TextChange");
    EXPECT_NO_THROW(field->type("7"));
    EXPECT_EQ(keptException(), "raised by TextChange");
    EXPECT_EQ(field->Text(), "7");
}

TEST_F(ControlEvents, ASlidersValueChangedIsKeptForTheProcessEntry)
{
    Ref<Slider> slider = throwingControl<Slider>("ValueChanged");
    EXPECT_NO_THROW(slider->slideTo(30));
    EXPECT_EQ(keptException(), "raised by ValueChanged");
    EXPECT_EQ(slider->Value(), 30);
}

TEST_F(ControlEvents, APopupMenusChangeIsKeptForTheProcessEntry)
{
    Ref<PopupMenu> popup = throwingControl<PopupMenu>("Change");
    popup->setInitialValue("Alpha\rBeta");
    EXPECT_NO_THROW(popup->choose("Beta"));
    EXPECT_EQ(keptException(), "raised by Change");
    EXPECT_EQ(popup->ListIndex(), 1);
}

TEST_F(ControlEvents, AnEventRaisedInAThreadComesAgainAtItsNextYield)
{
    Ref<Slider> slider = throwingControl<Slider>("ValueChanged");
    std::vector<std::string> seen;
    StartThread([&] {
        slider->setValue(40);
        seen.push_back("value set");
        try {
            RuntimeBackgroundTask();
        } catch (const RuntimeException& exception) {
            seen.push_back(std::string("at the yield: ") + exception.what());
        }
    });
    ASSERT_TRUE(RunRoundsUntil([&] { return seen.size() == 2; }));
    EXPECT_EQ(seen, (std::vector<std::string> { "value set", "at the yield: raised by ValueChanged" }));
    EXPECT_EQ(keptException(), "") << "the thread's exception stays in the thread";
}

}
