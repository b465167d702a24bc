#include "about/AboutWindow.h"

#include "about/AboutWindowPropertyLists.h"
#include "main_window/Window1.h"
#include "shell/Resources.h"
#include <fw/Canvas.h>
#include <fw/Clock.h>
#include <fw/InstanceEventHandler.h>
#include <fw/Line.h>
#include <fw/PropertyList.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>
#include <fw/StaticText.h>

using namespace fw;

const ClassInfo& AboutWindow::StaticClass()
{
    static const ClassInfo info("AboutWindow.AboutWindow", &Window::StaticClass(), FactoryOf<AboutWindow>());
    return info;
}

Ref<AboutWindow> AboutWindow::Instance()
{
    return ImplicitInstance<AboutWindow>();
}

void AboutWindow::Layout()
{
    SetProperties(*this, AboutWindowLists::kWindow);
}

void AboutWindow::CreateControls()
{
    CreateControls0();
}

void AboutWindow::CreateControls0()
{
    Ref<Window> self(this);
    auto label = [&](const char* name, float textSize, const PropertyList& list) {
        NewControl(StaticText::StaticClass(), name);
        ControlNamed<StaticText>(self, name)->setTextSize(textSize);
        ControlNamed<StaticText>(self, name)->setTextUnit(0);
        SetProperties(*ControlNamed<StaticText>(self, name), list);
    };
    auto line = [&](const char* name, const PropertyList& list) {
        NewControl(Line::StaticClass(), name);
        SetProperties(*ControlNamed<Line>(self, name), list);
    };

    NewControl(Canvas::StaticClass(), "Canvas1");
    ControlNamed<Canvas>(self, "Canvas1")->setBackdrop(Braking());
    SetProperties(*ControlNamed<Canvas>(self, "Canvas1"), AboutWindowLists::kCanvas1);
    InstallInstanceEventHandler(ControlNamed<Control>(self, "Canvas1"), "Paint", this, &AboutWindow::Canvas1_Paint);

    label("StaticText2", 14, AboutWindowLists::kStaticText2);
    label("StaticText3", 12, AboutWindowLists::kStaticText3);
    line("Line1", AboutWindowLists::kLine1);
    line("Line2", AboutWindowLists::kLine2);
    line("Line3", AboutWindowLists::kLine3);
    line("Line4", AboutWindowLists::kLine4);
    line("Line5", AboutWindowLists::kLine5);
    label("StaticText1", 42, AboutWindowLists::kStaticText1);
}

void AboutWindow::Canvas1_Paint(Graphics& g)
{
    std::int32_t mark = Ticks();
    g.setForeColor(RGB(255, 255, 255));
    for (std::int32_t i = 10; i <= 260; i += 3) {
        std::int32_t y = RuntimeCvtReal64ToSInt32(double(i) / 2.0 + 120.0);
        if (i > 30) {
            std::int32_t size = RuntimeCvtReal64ToSInt32(double(i) / 30.0);
            g.FillOval(i, y, size, size);
        } else {
            g.FillOval(i, y, 1, 1);
        }
        // At most one dot per tick.
        RuntimeExpectWake(TickMicroseconds(mark, 1));
        while (double(std::int32_t(std::uint32_t(Ticks()) - std::uint32_t(mark))) <= 0.1)
            RuntimeBackgroundTask();
        mark = Ticks();
        RuntimeBackgroundTask();
    }
    g.DrawPicture(avpuku(), 200, 64, -10000, -10000, 0, 0, -10000, -10000);
    g.DrawPicture(madewZov(), 10, 230, -10000, -10000, 0, 0, -10000, -10000);
}

bool AboutWindow::Event_MouseDown(std::int32_t, std::int32_t)
{
    NotNil(Instance(), "the About window")->Close();
    NotNil(Window1::Instance(), "the main window")->Refresh(true);
    return false;
}
