#pragma once

#include "gui/WindowWidget.h"
#include <fw/Badge.h>

#include <string>

namespace fw {

class Control;
class Window;

// A window's life on the screen: its widget, whether it is open and has been shown, and what
// the user does to it. Its window owns it.
class WindowPrivate final : public WindowWidgetEvents {
public:
    explicit WindowPrivate(Window& window)
        : m_window(window)
    {
    }
    ~WindowPrivate() override;

    WindowPrivate(const WindowPrivate&) = delete;
    WindowPrivate& operator=(const WindowPrivate&) = delete;

    // Null before the window's Constructor.
    WindowWidget* widget() const { return m_widget; }
    bool isOpen() const { return m_open; }
    bool hasBeenShown() const { return m_shownOnce; }

    // The window's Constructor: the widget, the controls, the menus, and on the screen.
    void construct();
    void show();
    // The window goes from the screen and from the open windows; announce raises no events when false.
    void forget(bool announce);
    // The window is torn down without events, as when the application quits.
    void destroyWithoutEvents();
    void ensureShown();
    void repaintControls();
    // The control becomes the window's.
    void adopt(Control& control);

    // What the widget tells.
    bool closeButton() const override;
    void userClosed() override;
    void restoredFromMinimised() override;
    void firstExposed() override;
    void cancelPressed() override;
    // Return presses the first-created enabled button whose Default is set.
    void returnPressed() override;
    void mousePressed(std::int32_t x, std::int32_t y) override;
    void menuItemChosen(const std::string& itemName) override;
    void menusAboutToShow() override;
    Color backColor() const override;

private:
    void tellControls(void (Control::*what)(Badge<WindowPrivate>));

    Window& m_window;
    WindowWidget* m_widget { nullptr };
    bool m_open { false };
    bool m_shownOnce { false };
};

// The window's widget; null before its Constructor.
WindowWidget* WidgetOf(const Window& window);

// The window's handler for the item runs; when it returns false, the application object's does.
// Quit ends the event loop, from any window or from none.
void ChooseMenuItem(Window* window, const std::string& itemName);

}
