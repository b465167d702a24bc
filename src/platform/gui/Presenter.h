#pragma once

#include "core/RuntimeOwned.h"
#include "loop/FrameSource.h"
#include "loop/FrameTiming.h"

#include <QList>
#include <QObject>

class QTimer;

namespace fw {

class CanvasWidget;

// Puts changed canvases on screen, never once per drawing call, and only what changed, when its
// frame timing lets it; it measures what each frame costs. While threads run, the scheduler's
// rounds choose the moment.
class Presenter : public QObject, public FrameSource, public RuntimeOwned<Presenter> {
    Q_OBJECT
public:
    Presenter();
    ~Presenter() override;

    void markChanged(CanvasWidget* widget);
    void forget(CanvasWidget* widget);
    FrameTiming& frameTiming() override { return m_timing; }
    bool hasChanges() const override { return !m_changed.isEmpty(); }
    void presentNow() override;

private:
    void present(bool immediately);

    QList<CanvasWidget*> m_changed;
    QTimer* m_timer;
    FrameTiming m_timing;
};

}
