#include "Slider.h"

#include "HandlerCall.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace fw {

const ClassInfo& Slider::StaticClass()
{
    static const ClassInfo info("Slider", &RectControl::StaticClass(), FactoryOf<Slider>(),
        {
            DeclareProperty("Minimum", &Slider::setMinimum),
            DeclareProperty("Value", &Slider::setValue),
            DeclareProperty("Maximum", &Slider::setMaximum),
            DeclareProperty("LineStep", &Slider::setLineStep),
            DeclareProperty("PageStep", &Slider::setPageStep),
            DeclareProperty("LiveScroll", &Slider::setLiveScroll),
            DeclareProperty("TickStyle", &Slider::setTickStyle),
        });
    return info;
}

QWidget* Slider::createWidget(QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(m_minimum, m_maximum);
    slider->setValue(m_value);
    slider->setSingleStep(m_lineStep);
    slider->setPageStep(m_pageStep);
    slider->setTracking(m_liveScroll);
    QObject::connect(slider, &QSlider::valueChanged, [this](int value) {
        m_requested = value;
        settle(true);
    });
    return slider;
}

void Slider::settle(bool raise)
{
    std::int32_t value = std::clamp(m_requested, m_minimum, m_maximum);
    bool changed = value != m_value;
    m_value = value;
    if (auto* slider = static_cast<QSlider*>(widget())) {
        QSignalBlocker quiet(slider);
        slider->setRange(m_minimum, m_maximum);
        slider->setValue(m_value);
    }
    if (changed && raise)
        CallHandler([this] { raiseEvent("ValueChanged"); });
}

void Slider::setValue(std::int32_t value)
{
    m_requested = value;
    settle(true);
}

void Slider::setMinimum(std::int32_t minimum)
{
    m_minimum = minimum;
    m_maximum = std::max(m_maximum, minimum);
    settle(true);
}

void Slider::setMaximum(std::int32_t maximum)
{
    m_maximum = maximum;
    m_minimum = std::min(m_minimum, maximum);
    settle(true);
}

void Slider::setLineStep(std::int32_t step)
{
    m_lineStep = step;
    if (auto* slider = static_cast<QSlider*>(widget()))
        slider->setSingleStep(step);
}

void Slider::setPageStep(std::int32_t step)
{
    m_pageStep = step;
    if (auto* slider = static_cast<QSlider*>(widget()))
        slider->setPageStep(step);
}

void Slider::setLiveScroll(bool live)
{
    m_liveScroll = live;
    if (auto* slider = static_cast<QSlider*>(widget()))
        slider->setTracking(live);
}

void Slider::setTickStyle(std::int32_t style)
{
    m_tickStyle = style;
    if (auto* slider = static_cast<QSlider*>(widget()))
        slider->setTickPosition(style == 0 ? QSlider::NoTicks : style == 1 ? QSlider::TicksBelow : style == 2 ? QSlider::TicksAbove : QSlider::TicksBothSides);
}

void Slider::slideTo(std::int32_t value)
{
    auto* slider = static_cast<QSlider*>(widget());
    if (!slider || !slider->isEnabled() || !slider->isVisibleTo(slider->window()))
        return;
    m_requested = value;
    settle(true);
}

}
