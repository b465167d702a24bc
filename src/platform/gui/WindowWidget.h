#pragma once

#include <fw/Color.h>

#include <QWidget>

#include <cstdint>
#include <string>

class QMenuBar;

namespace fw {

// What a window's widget tells the window: the user's doings on it.
class WindowWidgetEvents {
public:
    virtual ~WindowWidgetEvents() = default;
    // Whether the title bar's close box closes the window.
    virtual bool closeButton() const = 0;
    virtual void userClosed() = 0;
    virtual void restoredFromMinimised() = 0;
    virtual void firstExposed() = 0;
    // Escape or Ctrl+Period.
    virtual void cancelPressed() = 0;
    virtual void returnPressed() = 0;
    // A press on the content that no control took, in content coordinates.
    virtual void mousePressed(std::int32_t x, std::int32_t y) = 0;
    virtual void menuItemChosen(const std::string& itemName) = 0;
    virtual void menusAboutToShow() = 0;
    // The colour behind everything.
    virtual Color backColor() const = 0;
};

// The Qt top-level of a Window: an optional menu bar above a content area of the window's size.
class WindowWidget : public QWidget {
    Q_OBJECT
public:
    explicit WindowWidget(WindowWidgetEvents& events);

    QWidget* content() const { return m_content; }
    void setContentSize(int width, int height, bool fixed);
    void addMenuBar(QMenuBar* menuBar);
    // The window has gone: the widget tells nobody any more.
    void detach() { m_events = nullptr; }

    // A menu item of the window was chosen, or its menus are about to show: the window hears it
    // as a handler call.
    void chooseMenuItem(const std::string& itemName);
    void prepareMenus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class WindowContent;
    // Runs what on the window's events as a handler call, while the window is there.
    template<typename What>
    void tell(What what);

    WindowWidgetEvents* m_events;
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
