#pragma once

#include <QWidget>

#include <memory>

namespace fw {

class CanvasPicture;

// Shows a canvas's retained picture. Drawing on the picture marks the widget for the presenter,
// which puts on screen only what changed.
class CanvasWidget : public QWidget {
    Q_OBJECT
public:
    CanvasWidget(std::shared_ptr<CanvasPicture> picture, QWidget* parent);
    ~CanvasWidget() override;

    // The picture as the widget shows it.
    const QImage& picture() const;
    QRect takeChangedArea();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<CanvasPicture> m_picture;
};

}
