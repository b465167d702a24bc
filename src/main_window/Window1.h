#pragma once

#include "simulation/BackGroundDrawing.h"
#include <fw/Application.h>
#include <fw/Canvas.h>
#include <fw/Control.h>
#include <fw/Graphics.h>
#include <fw/Window.h>

// The main window: the four inputs of a flight, Start, Stop and Quit, and the canvas on which
// the globe and every drawing of the flight appear.
class Window1 : public fw::Window {
public:
    static const fw::ClassInfo& StaticClass();
    const fw::ClassInfo& classInfo() const override { return StaticClass(); }

    // The open main window, built first when there is none.
    static fw::Ref<Window1> Instance();

    ~Window1() override;

    // The simulation thread of the latest run.
    fw::Ref<BackGroundDrawing> DrawOrbits;
    std::int32_t k { 0 };
    fw::Ref<fw::MenuItem> AboutMenu;

    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();
    virtual void PushButtonStart_Action(fw::Control& control);
    virtual void PushButtonStopp_Action(fw::Control& control);
    virtual void PushButton3_Action(fw::Control& control);
    virtual void CheckBoxvh_Action(fw::Control& control);
    virtual void SliderAngle_ValueChanged(fw::Control& control);
    void AddMenuHandlers() override;
    void Event_Close() override;
    void Event_Open() override;
    void Event_EnableMenuItems() override;
    virtual bool AboutMenu_Action();
    // The globe view's track point: a white head over a dark-blue trail.
    virtual void Draw1();
    // The close-up view's fireball dot, in the pen colour of the step.
    virtual void Draw2();

private:
    void setInputsVisible(bool visible);

    // The angle in degrees for which the slider last drew its indicator line.
    double m_indicatorAngle { 0 };

    template<typename C>
    fw::Ref<C> control(std::string_view name) { return fw::ControlNamed<C>(fw::Ref<fw::Window>(this), name); }
};

// Canvas1 of the main window, reached through its accessor; raises NilObjectException when missing.
fw::Ref<fw::Canvas> MainCanvas();
// A fresh drawing context of the main window's canvas.
fw::Ref<fw::Graphics> MainCanvasGraphics();
