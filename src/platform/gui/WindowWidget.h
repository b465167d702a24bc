#pragma once

#include <QWidget>

class QMenuBar;

namespace fw {

class Window;

// The Qt top-level of a Window: an optional menu bar above a content area of the window's size.
class WindowWidget : public QWidget {
    Q_OBJECT
public:
    explicit WindowWidget(Window& window);

    QWidget* content() const { return m_content; }
    void setContentSize(int width, int height, bool fixed);
    void addMenuBar(QMenuBar* menuBar);
    void detach() { m_window = nullptr; }
    Window* window() const { return m_window; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Window* m_window;
    QWidget* m_content;
    bool m_watchingExposure { false };
    bool m_exposed { false };
};

// The content area: presses that no control takes reach the window's MouseDown.
class WindowContent : public QWidget {
    Q_OBJECT
public:
    explicit WindowContent(WindowWidget& owner);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    WindowWidget& m_owner;
};

}
