#include <fw/Slider.h>

#include "gui/RectControlPrivate.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace fw {

namespace {

QSlider* QtSliderOf(const Slider& control)
{
    return control.d().widgetAs<QSlider>();
}

QSlider::TickPosition TicksFor(std::int32_t style)
{
    switch (style) {
    case 0:
        return QSlider::NoTicks;
    case 1:
        return QSlider::TicksBelow;
    case 2:
        return QSlider::TicksAbove;
    default:
        return QSlider::TicksBothSides;
    }
}

}

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

void Slider::createWidget()
{
    auto* slider = d().make<QSlider>(Qt::Horizontal);
    QObject::connect(slider, &QSlider::valueChanged, [this](int value) {
        m_requested = value;
        settle(true);
    });
}

void Slider::applyToWidget()
{
    applyToSlider();
    RectControl::applyToWidget();
}

void Slider::applyToSlider()
{
    QSlider* slider = QtSliderOf(*this);
    if (!slider)
        return;
    applyValue();
    slider->setSingleStep(m_lineStep);
    slider->setPageStep(m_pageStep);
    slider->setTracking(m_liveScroll);
    slider->setTickPosition(TicksFor(m_tickStyle));
}

// The value is settled already: the widget only shows it, and says nothing.
void Slider::applyValue()
{
    if (QSlider* slider = QtSliderOf(*this)) {
        QSignalBlocker quiet(slider);
        slider->setRange(m_minimum, m_maximum);
        slider->setValue(m_value);
    }
}

void Slider::settle(bool raise)
{
    std::int32_t value = std::clamp(m_requested, m_minimum, m_maximum);
    bool changed = value != m_value;
    m_value = value;
    applyValue();
    if (changed && raise)
        raiseEvent("ValueChanged");
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
    applyToSlider();
}

void Slider::setPageStep(std::int32_t step)
{
    m_pageStep = step;
    applyToSlider();
}

void Slider::setLiveScroll(bool live)
{
    m_liveScroll = live;
    applyToSlider();
}

void Slider::setTickStyle(std::int32_t style)
{
    m_tickStyle = style;
    applyToSlider();
}

void Slider::slideTo(std::int32_t value)
{
    QSlider* slider = QtSliderOf(*this);
    if (!slider || !slider->isEnabled() || !slider->isVisibleTo(slider->window()))
        return;
    m_requested = value;
    settle(true);
}

}
