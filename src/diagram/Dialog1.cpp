#include "diagram/Dialog1.h"

#include "diagram/Dialog1PropertyLists.h"
#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "simulation/Variables.h"
#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/Graphics.h>
#include <fw/InstanceEventHandler.h>
#include <fw/PropertyList.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>

using namespace fw;

namespace {

Ref<Graphics> DiagramGraphics()
{
    Ref<Canvas> canvas = ControlNamed<Canvas>(NotNil(Dialog1::Instance(), "the diagram window"), "Canvas1");
    return NotNil(canvas->Graphics(), "the diagram's drawing context");
}

bool GridTicked()
{
    return ControlNamed<CheckBox>(NotNil(Dialog1::Instance(), "the diagram window"), "CheckBoxGrid")->Value();
}

bool DiagramSwitchTicked()
{
    return ControlNamed<CheckBox>(NotNil(Window1::Instance(), "the main window"), "CheckBoxvh")->Value();
}

}

const ClassInfo& Dialog1::StaticClass()
{
    static const ClassInfo info("Dialog1.Dialog1", &Window::StaticClass(), FactoryOf<Dialog1>());
    return info;
}

Ref<Dialog1> Dialog1::Instance()
{
    return ImplicitInstance<Dialog1>();
}

double Dialog1::DiaX(double speed)
{
    return 95.0 + 33.0 * Log(speed);
}

double Dialog1::DiaY(double height)
{
    return 230.0 - 1.05 * height;
}

void Dialog1::Layout()
{
    SetProperties(*this, Dialog1Lists::kWindow);
}

void Dialog1::CreateControls()
{
    CreateControls0();
}

void Dialog1::CreateControls0()
{
    Ref<Window> self(this);

    NewControl(Canvas::StaticClass(), "Canvas1");
    ControlNamed<Canvas>(self, "Canvas1")->setBackdrop(space2());
    SetProperties(*ControlNamed<Canvas>(self, "Canvas1"), Dialog1Lists::kCanvas1);

    NewControl(PushButton::StaticClass(), "PushButtonClear");
    ControlNamed<PushButton>(self, "PushButtonClear")->setTextSize(10);
    ControlNamed<PushButton>(self, "PushButtonClear")->setTextUnit(0);
    SetProperties(*ControlNamed<PushButton>(self, "PushButtonClear"), Dialog1Lists::kPushButtonClear);
    InstallInstanceEventHandler(ControlNamed<Control>(self, "PushButtonClear"), "Action", this, &Dialog1::PushButtonClear_Action);

    NewControl(CheckBox::StaticClass(), "CheckBoxGrid");
    ControlNamed<CheckBox>(self, "CheckBoxGrid")->setTextSize(10);
    ControlNamed<CheckBox>(self, "CheckBoxGrid")->setTextUnit(0);
    SetProperties(*ControlNamed<CheckBox>(self, "CheckBoxGrid"), Dialog1Lists::kCheckBoxGrid);
    InstallInstanceEventHandler(ControlNamed<Control>(self, "CheckBoxGrid"), "Action", this, &Dialog1::CheckBoxGrid_Action);
}

void Dialog1::PushButtonClear_Action(Control&)
{
    NotNil(Instance(), "the diagram window")->Refresh(true);
    if (GridTicked())
        Asteikko();
}

void Dialog1::CheckBoxGrid_Action(Control& control)
{
    if (GridTicked())
        Asteikko();
    if (DiagramSwitchTicked()) {
        auto& grid = dynamic_cast<CheckBox&>(control);
        if (!grid.Value())
            ControlNamed<Canvas>(NotNil(Instance(), "the diagram window"), "Canvas1")->Refresh(true);
    }
}

void Dialog1::Event_Close()
{
    ControlNamed<CheckBox>(NotNil(Window1::Instance(), "the main window"), "CheckBoxvh")->setValue(false);
}

void Dialog1::DiaDraw()
{
    double x = DiaX(Variables::v);
    double y = DiaY(Variables::h);
    if (!DiagramSwitchTicked())
        return;
    if (!(Variables::t > 10))
        return;
    if (!(17 < x && x < 260 && 18 < y && y < 230))
        return;
    DiagramGraphics()->Pixel(RuntimeCvtReal64ToSInt32(x), RuntimeCvtReal64ToSInt32(y), Variables::col);
}

void Dialog1::Asteikko()
{
    if (!GridTicked())
        return;
    DiagramGraphics()->setForeColor(RGB(150, 80, 80));
    const char* speeds = ".1,.2,.5,1,2,5,10,20,50,100";
    for (std::int32_t i = 1; i <= 10; ++i) {
        double v = Val(NthField(speeds, ",", i));
        DiagramGraphics()->DrawLine(RuntimeCvtReal64ToSInt32(DiaX(v)), RuntimeCvtReal64ToSInt32(DiaY(0)),
            RuntimeCvtReal64ToSInt32(DiaX(v)), RuntimeCvtReal64ToSInt32(DiaY(200)));
        RuntimeBackgroundTask();
    }
    for (std::int32_t j = 0; j <= 200; j += 50) {
        DiagramGraphics()->DrawLine(RuntimeCvtReal64ToSInt32(DiaX(0.1)), RuntimeCvtReal64ToSInt32(DiaY(j)),
            RuntimeCvtReal64ToSInt32(DiaX(100)), RuntimeCvtReal64ToSInt32(DiaY(j)));
        RuntimeBackgroundTask();
    }
}
