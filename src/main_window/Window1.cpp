#include "main_window/Window1.h"

#include "about/AboutWindow.h"
#include "diagram/Dialog1.h"
#include "main_window/Window1PropertyLists.h"
#include "shell/Resources.h"
#include "simulation/Variables.h"
#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/InstanceEventHandler.h>
#include <fw/PopupMenu.h>
#include <fw/PropertyList.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>
#include <fw/Slider.h>
#include <fw/StaticText.h>
#include <fw/TextField.h>

using namespace fw;

const ClassInfo& Window1::StaticClass()
{
    static const ClassInfo info("Window1.Window1", &Window::StaticClass(), FactoryOf<Window1>());
    return info;
}

Ref<Window1> Window1::Instance()
{
    return ImplicitInstance<Window1>();
}

Window1::~Window1()
{
    DrawOrbits = nullptr;
    AboutMenu = nullptr;
}

Ref<Canvas> MainCanvas()
{
    return ControlNamed<Canvas>(NotNil(Window1::Instance(), "the main window"), "Canvas1");
}

Ref<Graphics> MainCanvasGraphics()
{
    return NotNil(MainCanvas()->Graphics(), "the main canvas's drawing context");
}

void Window1::Layout()
{
    SetProperties(*this, Window1Lists::kWindow);
}

void Window1::CreateControls()
{
    CreateControls0();
}

void Window1::CreateControls0()
{
    // Each control is complete before the next: made and registered, its setters, its list.
    auto textControl = [this](const ClassInfo& cls, const char* name, float textSize, const PropertyList& list) {
        NewControl(cls, name);
        control<TextControl>(name)->setTextSize(textSize);
        control<TextControl>(name)->setTextUnit(0);
        SetProperties(*control<TextControl>(name), list);
    };

    NewControl(Canvas::StaticClass(), "Canvas1");
    control<Canvas>("Canvas1")->setBackdrop(Globeafrica());
    SetProperties(*control<Canvas>("Canvas1"), Window1Lists::kCanvas1);

    textControl(PushButton::StaticClass(), "PushButtonStart", 12, Window1Lists::kPushButtonStart);
    InstallInstanceEventHandler(control<Control>("PushButtonStart"), "Action", this, &Window1::PushButtonStart_Action);
    textControl(PushButton::StaticClass(), "PushButtonStopp", 12, Window1Lists::kPushButtonStopp);
    InstallInstanceEventHandler(control<Control>("PushButtonStopp"), "Action", this, &Window1::PushButtonStopp_Action);
    textControl(PushButton::StaticClass(), "PushButton3", 12, Window1Lists::kPushButton3);
    InstallInstanceEventHandler(control<Control>("PushButton3"), "Action", this, &Window1::PushButton3_Action);
    textControl(StaticText::StaticClass(), "StaticText1", 36, Window1Lists::kStaticText1);
    textControl(StaticText::StaticClass(), "StaticText4", 12, Window1Lists::kStaticText4);
    textControl(CheckBox::StaticClass(), "CheckBoxvh", 12, Window1Lists::kCheckBoxvh);
    InstallInstanceEventHandler(control<Control>("CheckBoxvh"), "Action", this, &Window1::CheckBoxvh_Action);
    textControl(StaticText::StaticClass(), "StaticText3", 12, Window1Lists::kStaticText3);
    textControl(StaticText::StaticClass(), "StaticText5", 12, Window1Lists::kStaticText5);
    textControl(StaticText::StaticClass(), "StaticText7", 12, Window1Lists::kStaticText7);
    textControl(StaticText::StaticClass(), "StaticText8", 12, Window1Lists::kStaticText8);
    textControl(TextField::StaticClass(), "EditFieldDia", 12, Window1Lists::kEditFieldDia);
    textControl(StaticText::StaticClass(), "StaticText9", 10, Window1Lists::kStaticText9);
    textControl(StaticText::StaticClass(), "StaticText10", 12, Window1Lists::kStaticText10);
    textControl(StaticText::StaticClass(), "StaticText11", 12, Window1Lists::kStaticText11);

    NewControl(Slider::StaticClass(), "SliderAngle");
    SetProperties(*control<Slider>("SliderAngle"), Window1Lists::kSliderAngle);
    InstallInstanceEventHandler(control<Control>("SliderAngle"), "ValueChanged", this, &Window1::SliderAngle_ValueChanged);

    textControl(StaticText::StaticClass(), "StaticTextAngle", 12, Window1Lists::kStaticTextAngle);
    textControl(PopupMenu::StaticClass(), "PopupMenuType", 12, Window1Lists::kPopupMenuType);
    textControl(PopupMenu::StaticClass(), "PopupMenuOrigin", 12, Window1Lists::kPopupMenuOrigin);
    textControl(StaticText::StaticClass(), "StaticText2", 12, Window1Lists::kStaticText2);
    textControl(StaticText::StaticClass(), "StaticTextS", 12, Window1Lists::kStaticTextS);
}

void Window1::setInputsVisible(bool visible)
{
    Ref<Window> main = NotNil(Instance(), "the main window");
    for (const char* name : { "CheckBoxvh", "PopupMenuType", "PopupMenuOrigin", "SliderAngle", "EditFieldDia", "StaticText2",
             "StaticText3", "StaticText4", "StaticText5", "StaticText9", "StaticTextAngle" })
        ControlNamed<RectControl>(main, name)->setVisible(visible);
}

void Window1::PushButtonStart_Action(Control& button)
{
    DrawOrbits = RuntimeCheckCast<BackGroundDrawing>(RuntimeNewObject(BackGroundDrawing::StaticClass()));
    NotNil(DrawOrbits, "the simulation thread")->Run();
    control<PushButton>("PushButtonStopp")->setEnabled(true);
    dynamic_cast<RectControl&>(button).setEnabled(false);
    control<Slider>("SliderAngle")->setEnabled(false);
    setInputsVisible(false);
}

void Window1::PushButtonStopp_Action(Control& button)
{
    NotNil(DrawOrbits, "the simulation thread")->Stopp = true;
    dynamic_cast<RectControl&>(button).setEnabled(false);
    control<PushButton>("PushButtonStart")->setEnabled(true);
    MainCanvas()->setBackdrop(Globeafrica());
    control<Slider>("SliderAngle")->setEnabled(true);
    setInputsVisible(true);
}

void Window1::PushButton3_Action(Control&)
{
    Quit(0);
}

void Window1::CheckBoxvh_Action(Control&)
{
    NotNil(Dialog1::Instance(), "the diagram window")->Show();
}

void Window1::SliderAngle_ValueChanged(Control& control)
{
    auto& slider = dynamic_cast<Slider&>(control);
    const double p = m_indicatorAngle;
    MainCanvasGraphics()->setForeColor(RGB(0, 0, 0));
    for (std::int32_t y : { 239, 240, 241 })
        MainCanvasGraphics()->DrawLine(0, y, RuntimeCvtReal64ToSInt32(120 + 2.2 * p), RuntimeCvtReal64ToSInt32(y - 4.1 * p));
    MainCanvas()->Refresh(true);
    MainCanvasGraphics()->setForeColor(RGB(255, 255, 255));
    std::int32_t x2 = RuntimeCvtReal64ToSInt32(120 + (2.2 * double(slider.Value())) / 4);
    std::int32_t y2 = RuntimeCvtReal64ToSInt32(240 - (4.1 * double(slider.Value())) / 4);
    MainCanvasGraphics()->DrawLine(0, 240, x2, y2);
    this->control<StaticText>("StaticTextAngle")->setText(Str(double(slider.Value()) / 4));
    m_indicatorAngle = double(slider.Value()) / 4;
}

void Window1::AddMenuHandlers()
{
    Window1* window = this;
    AddMenuHandler("AboutMenu", [window] { return window->AboutMenu_Action(); });
}

void Window1::Event_Close()
{
    if (control<PushButton>("PushButtonStopp")->enabled())
        NotNil(DrawOrbits, "the simulation thread")->Stopp = true;
}

void Window1::Event_Open()
{
    control<PushButton>("PushButtonStopp")->setEnabled(false);
    MainCanvas()->setBackdrop(Globeafrica());
    if (control<CheckBox>("CheckBoxvh")->Value())
        NotNil(Dialog1::Instance(), "the diagram window")->Show();
}

void Window1::Event_EnableMenuItems()
{
}

bool Window1::AboutMenu_Action()
{
    NotNil(AboutWindow::Instance(), "the About window")->Show();
    return false;
}

void Window1::Draw1()
{
    using namespace Variables;
    double X = scalex + x * factor;
    double Y = Scaley - y * factor;
    if (!(X > 3 && X < 635 && Y > 3 && Y < 498))
        return;
    MainCanvasGraphics()->setForeColor(RGB(0, 0, 150));
    MainCanvasGraphics()->FillOval(RuntimeCvtReal64ToSInt32(scalex + xx * factor), RuntimeCvtReal64ToSInt32(Scaley - yy * factor), 3, 3);
    MainCanvasGraphics()->setForeColor(RGB(255, 255, 255));
    MainCanvasGraphics()->FillOval(RuntimeCvtReal64ToSInt32(X), RuntimeCvtReal64ToSInt32(Y), 3, 3);
    xx = x;
    yy = y;
}

void Window1::Draw2()
{
    using namespace Variables;
    double X = (scalex - fireball / 2) + s;
    double Y = (Scaley - fireball / 2) - h * factor;
    if (!(X > 3 && X < 635 && Y > 1 && Y < 500))
        return;
    std::int32_t size = RuntimeCvtReal64ToSInt32(fireball + 2);
    MainCanvasGraphics()->FillOval(RuntimeCvtReal64ToSInt32(X), RuntimeCvtReal64ToSInt32(Y), size, size);
}
