#pragma once

#include <fw/Control.h>
#include <fw/Window.h>

// The "V/h Diagram" window: the flight's speed, on a logarithmic axis, against its height.
class Dialog1 : public fw::Window {
public:
    static const fw::ClassInfo& StaticClass();
    const fw::ClassInfo& classInfo() const override { return StaticClass(); }

    // The open diagram window, built first when there is none.
    static fw::Ref<Dialog1> Instance();

    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();
    virtual void PushButtonClear_Action(fw::Control& control);
    virtual void CheckBoxGrid_Action(fw::Control& control);
    void Event_Close() override;
    // Plots the current speed and height, one pixel in the fireball's colour.
    virtual void DiaDraw();
    // Draws the grid: ten lines of constant speed, five of constant height.
    virtual void Asteikko();

    // Where a speed (km/s) and a height (km) lie on the diagram's canvas.
    static double DiaX(double speed);
    static double DiaY(double height);
};
