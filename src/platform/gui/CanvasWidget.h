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

}
