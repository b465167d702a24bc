#pragma once

#include <QImage>
#include <QWidget>

namespace fw {

// Shows a canvas's retained picture. Drawing marks it changed; the presenter puts it on screen.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    explicit CanvasWidget(QWidget* parent);
    ~CanvasWidget() override;

    QImage& picture() { return m_picture; }
    const QImage& picture() const { return m_picture; }
    // Marks a part of the picture changed; the presenter repaints only what changed.
    void changed(const QRect& area);
    void changed() { changed(m_picture.rect()); }
    QRect takeChangedArea();
    // Keeps what fits of the old picture; new area is black until the next repaint.
    void setPictureSize(const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QRect m_changedArea;
};

// Puts changed canvases on screen about sixty times a second at most, never once per drawing call,
// and only what changed. While threads run, the scheduler's rounds choose when; a display that
// is slow to take a frame gets fewer of them, so that it costs the threads little of their time.
class Presenter : public QObject {
    Q_OBJECT
public:
    static Presenter& instance();

    void markChanged(CanvasWidget* widget);
    void forget(CanvasWidget* widget);
    // Whether a canvas changed and the next frame's time has come, now or at a moment of the
    // presenter's clock.
    bool frameDue() const;
    bool frameDueAt(double now) const;
    // How long after the last frame the next may come.
    double frameInterval() const;
    // How long a frame takes to paint, of late.
    double expectedCostMicroseconds() const { return m_costMicroseconds; }
    // Paints changed canvases now when a frame is due; for code that keeps the event loop waiting.
    void presentIfDue();
    // Paints every changed canvas now.
    void presentNow();

    static constexpr double kFrameMicroseconds = 16000;
    // Frames take at most about this share of the time.
    static constexpr double kMostShare = 0.05;

private:
    friend class RuntimeState;
    Presenter();
    void present(bool immediately);

    QList<CanvasWidget*> m_changed;
    QTimer* m_timer;
    double m_lastPresent { -kFrameMicroseconds };
    double m_costMicroseconds { 0 };
};

}
