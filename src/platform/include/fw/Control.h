#pragma once

#include <fw/Badge.h>
#include <fw/Object.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Window;
class WindowPrivate;
class RectControlPrivate;

// A control of a window: looked up by its name, and raising named events to handlers.
class Control : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    Window* window() const { return m_window; }
    const std::string& name() const { return m_name; }
    void setName(const std::string& name) { m_name = name; }
    std::int32_t index() const { return m_index; }
    void setIndex(std::int32_t index) { m_index = index; }

    using EventHandler = std::function<void(Control&)>;
    void installEventHandler(const std::string& eventName, EventHandler handler);
    // Runs the handler bound to that event, if any, through CallHandler: the events come from the
    // widgets' signals, and what the handler throws must not cross the toolkit's frames.
    void raiseEvent(std::string_view eventName);

    // What the window that owns the control tells it; only the window's own side can.
    void attachToWindow(Badge<WindowPrivate>, Window* window) { m_window = window; }
    virtual void detachFromWindow(Badge<WindowPrivate>) { m_window = nullptr; }
    // The window was repainted whole: a control that keeps a picture paints it again.
    virtual void windowRepainted(Badge<WindowPrivate>) { }
    // The window came back from minimised: what was drawn is still there, so nothing is erased.
    virtual void windowRestored(Badge<WindowPrivate>) { }
    // Return was pressed in the window: the default button pushes itself, and says so.
    virtual bool pressAsDefault(Badge<WindowPrivate>) { return false; }

private:
    Window* m_window { nullptr };
    std::string m_name;
    std::int32_t m_index { 0 };
    std::vector<std::pair<std::string, EventHandler>> m_handlers;
};

// A control with a place on the window and a widget on the screen.
class RectControl : public Control {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    RectControl();
    ~RectControl() override;

    // Creates the control's widget on its window; the control must belong to a window.
    void Constructor();

    void setLeft(std::int32_t left);
    void setTop(std::int32_t top);
    void setWidth(std::int32_t width);
    void setHeight(std::int32_t height);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    // The Name of the control that holds this one, or "" for the window itself.
    void setInitialParent(const std::string& parentName);

    std::int32_t left() const { return m_left; }
    std::int32_t top() const { return m_top; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    bool visible() const { return m_visible; }
    bool enabled() const { return m_enabled; }
    const std::string& initialParent() const { return m_initialParent; }

    // Repaints the control at once.
    virtual void Refresh(bool eraseBackground = true);

    // The framework's side: the control's widget (gui/RectControlPrivate.h).
    RectControlPrivate& d() const { return *m_d; }

protected:
    void detachFromWindow(Badge<WindowPrivate>) override;
    // Where the widget's top-left corner lies in window coordinates.
    virtual std::int32_t widgetLeft() const { return m_left; }
    virtual std::int32_t widgetTop() const { return m_top; }
    virtual std::int32_t widgetWidth() const { return m_width; }
    virtual std::int32_t widgetHeight() const { return std::max(m_height, leastHeight()); }

    // Makes the widget, through d().make, with what never changes (its kind, its signals); its
    // state comes after, from applyToWidget.
    virtual void createWidget() = 0;
    // Pushes all of the control's state to its widget, once the widget is made; each setter
    // pushes its own part through the same functions, so properties may come before or after
    // Constructor. An override pushes its own state, then calls its base's: the place comes last,
    // since a least height follows the font.
    virtual void applyToWidget();

    virtual void applyGeometry();
    virtual void applyEnabled();
    // A control that is disabled or hidden while it has the keyboard focus leaves it with its window.
    void releaseFocus();
    // Least height at which the widget is usable; a listed height below it gives way.
    virtual std::int32_t leastHeight() const { return 0; }

private:
    void applyParent();
    void applyVisible();

    std::unique_ptr<RectControlPrivate> m_d;
    std::int32_t m_left { 0 };
    std::int32_t m_top { 0 };
    std::int32_t m_width { 0 };
    std::int32_t m_height { 0 };
    bool m_visible { true };
    bool m_enabled { true };
    std::string m_initialParent;
};

}
