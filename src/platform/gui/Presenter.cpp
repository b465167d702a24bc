#include "gui/Presenter.h"

#include "gui/CanvasWidget.h"
#include "loop/Scheduler.h"
#include <fw/Clock.h>

#include <QTimer>

#include <algorithm>

namespace fw {

Presenter::Presenter()
    : m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        // While the scheduler's rounds run, they choose the moment; this only stands by for
        // when they have let a whole frame go by.
        if (Scheduler::instance().presentsFrames() && ClockMicroseconds() - m_lastPresent < 2 * frameInterval()) {
            if (!m_changed.isEmpty())
                m_timer->start(int(frameInterval() / 1000));
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
    if (!m_timer->isActive()) {
        double wait = frameInterval() - (ClockMicroseconds() - m_lastPresent);
        m_timer->start(int(std::clamp(wait, 0.0, frameInterval()) / 1000));
    }
}

void Presenter::forget(CanvasWidget* widget)
{
    m_changed.removeAll(widget);
}

double Presenter::frameInterval() const
{
    return std::max(kFrameMicroseconds, m_costMicroseconds / kMostShare);
}

bool Presenter::frameDue() const
{
    return frameDueAt(ClockMicroseconds());
}

bool Presenter::frameDueAt(double now) const
{
    return !m_changed.isEmpty() && now - m_lastPresent >= frameInterval();
}

void Presenter::presentIfDue()
{
    if (frameDue())
        present(true);
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
    m_lastPresent = ClockMicroseconds();
    // A frame painted later by the event loop has no cost to measure here. An average, in which
    // one slow frame counts for at most a few usual ones, so that it does not hold back the next
    // ones for long; a display that stays slow still raises it within a few frames.
    if (immediately) {
        double usual = std::max(m_costMicroseconds, kFrameMicroseconds * kMostShare);
        m_costMicroseconds += (std::min(m_lastPresent - start, 4 * usual) - m_costMicroseconds) / 4;
    }
}

}
