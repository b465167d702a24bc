#pragma once

#include <fw/Canvas.h>
#include <fw/Control.h>
#include <fw/Exceptions.h>
#include <fw/Graphics.h>

#include <string>

namespace fw {

// Binds a control's event to a method of its window: each time the control raises the event, the
// method runs on that window with the control at hand.
template<typename W>
void InstallInstanceEventHandler(const Ref<Control>& control, const std::string& eventName, W* window, void (W::*method)(Control&))
{
    NotNil(control, "the control to bind");
    control->installEventHandler(eventName, [window, method](Control& raiser) { (window->*method)(raiser); });
}

// Binds a canvas's Paint event: the method gets the canvas's drawing context.
template<typename W>
void InstallInstanceEventHandler(const Ref<Control>& control, const std::string& eventName, W* window, void (W::*method)(Graphics&))
{
    auto canvas = RuntimeCheckCast<Canvas>(NotNil(control, "the control to bind"));
    if (!canvas || eventName != "Paint")
        throw RuntimeException("only a canvas raises Paint with a drawing context");
    canvas->setPaintHandler([window, method](Graphics& g) { (window->*method)(g); });
}

}
