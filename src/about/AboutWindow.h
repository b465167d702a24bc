#pragma once

#include <fw/Graphics.h>
#include <fw/Window.h>

// The credits: the product's name over the lower atmosphere, with a trail of dots drawn one per
// tick at every paint. A press anywhere closes it.
class AboutWindow : public fw::Window {
public:
    static const fw::ClassInfo& StaticClass();
    const fw::ClassInfo& classInfo() const override { return StaticClass(); }

    // The open About window, built first when there is none.
    static fw::Ref<AboutWindow> Instance();

    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();
    virtual void Canvas1_Paint(fw::Graphics& g);
    bool Event_MouseDown(std::int32_t x, std::int32_t y) override;
};
