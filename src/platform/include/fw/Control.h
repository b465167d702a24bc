#pragma once

#include <fw/Object.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace fw {

class Window;
class Graphics;

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
    // Runs the handler bound to that event, if any, through CallHandler: the events come from Qt's
    // signals, and what the handler throws must not cross Qt's frames.
    void raiseEvent(std::string_view eventName);

protected:
    // The window owns its controls.
    friend class Window;
    void attachToWindow(Window* window) { m_window = window; }
    virtual void detachFromWindow();
    // The window was repainted whole: a control that keeps a picture paints it again.
    virtual void windowRepainted() { }
    // The window came back from minimised: what was drawn is still there, so nothing is erased.
    virtual void windowRestored() { }
    // Return was pressed in the window: the default button pushes itself, and says so.
    virtual bool pressAsDefault() { return false; }

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

    // Repaints the control at once.
    virtual void Refresh(bool eraseBackground = true);

protected:
    QWidget* widget() const { return m_widget; }
    void detachFromWindow() override;
    // Where the widget's top-left corner lies in window coordinates.
    virtual std::int32_t widgetLeft() const { return m_left; }
    virtual std::int32_t widgetTop() const { return m_top; }
    virtual std::int32_t widgetWidth() const { return m_width; }
    virtual std::int32_t widgetHeight() const { return std::max(m_height, leastHeight()); }

    // Makes the widget with what never changes (its kind, its signals); its state comes after,
    // from applyToWidget.
    virtual QWidget* createWidget(QWidget* parent) = 0;
    // Pushes all of the control's state to its widget, once the widget is made; each setter
    // pushes its own part through the same functions, so properties may come before or after
    // Constructor. An override pushes its own state, then calls its base's: the place comes last,
    // since a least height follows the font.
    virtual void applyToWidget();
    // The widget as the Qt class that createWidget made; null before Constructor.
    template<typename W>
    W* widgetAs() const { return static_cast<W*>(m_widget); }

    virtual void applyGeometry();
    virtual void applyEnabled();
    // A control that is disabled or hidden while it has the keyboard focus leaves it with its window.
    void releaseFocus();
    // Least height at which the widget is usable; a listed height below it gives way.
    virtual std::int32_t leastHeight() const { return 0; }

private:
    friend class QtObjects;

    // The control named by InitialParent, when it has a widget to hold this one's.
    RectControl* holder() const;
    QWidget* parentWidget() const;
    void applyParent();
    void applyVisible();

    QWidget* m_widget { nullptr };
    std::int32_t m_left { 0 };
    std::int32_t m_top { 0 };
    std::int32_t m_width { 0 };
    std::int32_t m_height { 0 };
    bool m_visible { true };
    bool m_enabled { true };
    std::string m_initialParent;
};

}
