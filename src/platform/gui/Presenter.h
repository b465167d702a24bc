#pragma once

#include "core/RuntimeOwned.h"
#include "loop/FrameSource.h"

#include <QList>
#include <QObject>

class QTimer;

namespace fw {

class CanvasWidget;

// Puts changed canvases on screen about sixty times a second at most, never once per drawing call,
// and only what changed. While threads run, the scheduler's rounds choose when; a display that
// is slow to take a frame gets fewer of them, so that it costs the threads little of their time.
class Presenter : public QObject, public FrameSource, public RuntimeOwned<Presenter> {
    Q_OBJECT
public:
    Presenter();
    ~Presenter() override;

    void markChanged(CanvasWidget* widget);
    void forget(CanvasWidget* widget);
    // Whether a canvas changed and the next frame's time has come, now or at a moment of the
    // presenter's clock.
    bool frameDue() const;
    bool frameDueAt(double now) const override;
    // How long after the last frame the next may come.
    double frameInterval() const;
    // How long a frame takes to paint, of late.
    double expectedCostMicroseconds() const override { return m_costMicroseconds; }
    // Paints changed canvases now when a frame is due; for code that keeps the event loop waiting.
    void presentIfDue() override;
    // Paints every changed canvas now.
    void presentNow() override;

    static constexpr double kFrameMicroseconds = 16000;
    // Frames take at most about this share of the time.
    static constexpr double kMostShare = 0.05;

private:
    void present(bool immediately);

    QList<CanvasWidget*> m_changed;
    QTimer* m_timer;
    double m_lastPresent { -kFrameMicroseconds };
    double m_costMicroseconds { 0 };
};

}
