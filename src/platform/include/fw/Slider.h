#pragma once

#include <fw/Control.h>

namespace fw {

// A horizontal slider. ValueChanged comes whenever its value changes; with LiveScroll off, a drag
// changes the value only where it ends.
class Slider : public RectControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    std::int32_t Value() const { return m_value; }
    void setValue(std::int32_t value);
    void setMinimum(std::int32_t minimum);
    void setMaximum(std::int32_t maximum);
    void setLineStep(std::int32_t step);
    void setPageStep(std::int32_t step);
    void setLiveScroll(bool live);
    void setTickStyle(std::int32_t style);
    std::int32_t minimum() const { return m_minimum; }
    std::int32_t maximum() const { return m_maximum; }
    std::int32_t lineStep() const { return m_lineStep; }
    std::int32_t pageStep() const { return m_pageStep; }

    // A user's drag that ends at the value.
    void slideTo(std::int32_t value);

protected:
    void createWidget() override;
    void applyToWidget() override;

private:
    void applyToSlider();
    void applyValue();
    void settle(bool raise);

    std::int32_t m_minimum { 0 };
    std::int32_t m_maximum { 100 };
    // The value asked for; the slider shows it clamped to its range.
    std::int32_t m_requested { 0 };
    std::int32_t m_value { 0 };
    std::int32_t m_lineStep { 1 };
    std::int32_t m_pageStep { 20 };
    bool m_liveScroll { false };
    std::int32_t m_tickStyle { 0 };
};

}
