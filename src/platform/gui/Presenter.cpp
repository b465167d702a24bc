#include "gui/Presenter.h"

#include "gui/CanvasWidget.h"
#include <fw/Clock.h>

#include <QTimer>

namespace fw {

Presenter::Presenter()
    : m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_timing.leavesFrameToRounds(ClockMicroseconds())) {
            if (!m_changed.isEmpty())
                m_timer->start(int(m_timing.interval() / 1000));
            return;
        }
        present(false);
    });
}

Presenter::~Presenter()
{
    // The canvases that go with the windows after it have nothing left to tell.
    beginTeardown();
}

void Presenter::markChanged(CanvasWidget* widget)
{
    if (!m_changed.contains(widget))
        m_changed.append(widget);
    if (!m_timer->isActive())
        m_timer->start(int(m_timing.delayUntilDue(ClockMicroseconds()) / 1000));
}

void Presenter::forget(CanvasWidget* widget)
{
    m_changed.removeAll(widget);
}

void Presenter::presentNow()
{
    present(true);
}

void Presenter::present(bool immediately)
{
    if (m_changed.isEmpty())
        return;
    double start = ClockMicroseconds();
    QList<CanvasWidget*> changed;
    changed.swap(m_changed);
    for (CanvasWidget* widget : changed) {
        QRect area = widget->takeChangedArea();
        if (immediately)
            widget->repaint(area);
        else
            widget->update(area);
    }
    // A frame painted later by the event loop has no cost to measure here.
    double end = ClockMicroseconds();
    m_timing.framePresented(end, immediately ? std::optional<double>(end - start) : std::nullopt);
}

}
