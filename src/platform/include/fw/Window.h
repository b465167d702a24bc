#pragma once

#include <fw/Color.h>
#include <fw/Exceptions.h>
#include <fw/MenuHandlers.h>
#include <fw/Object.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fw {

class Control;
class WindowPrivate;

// A top-level window whose content area is exactly Width x Height. A window class has at most one
// live implicit instance: its accessor finds it with GetImplicitWindow or builds it with Constructor.
class Window : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    Window();
    ~Window() override;

    // Builds the window: it becomes its class's implicit instance at once, then Layout,
    // CreateControls and AddMenuHandlers run, the window shows if it is Visible, and Open runs.
    void Constructor();
    void Show();
    // Raises Close, then forgets the instance and takes the window off the screen.
    void Close();
    // Repaints the whole window at once, so every canvas shows its backdrop again.
    void Refresh(bool eraseBackground = true);

    // Makes a control object of the given class for this window.
    Ref<Control> New(const ClassInfo& controlClass);
    // New, RectControl.Constructor and AddControl: the control exists under its name.
    void NewControl(const ClassInfo& controlClass, const std::string& name);
    void AddControl(const std::string& name, const Ref<Control>& control);
    Ref<Control> controlByName(std::string_view name) const;
    const std::vector<Ref<Control>>& controls() const { return m_controls; }

    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    // Runs this window's handler for the item; false when it has none or the handler returned false.
    bool invokeMenuHandler(const std::string& itemName);
    bool hasMenuHandlers() const { return !m_menuHandlers.empty(); }

    bool isOpen() const;
    // Whether the window has come on the screen since it was built.
    bool hasBeenShown() const;

    // Declared properties.
    void setPlacement(std::int32_t code) { m_placement = code; }
    void setWidth(std::int32_t width);
    void setHeight(std::int32_t height);
    void setMinWidth(std::int32_t value) { m_minWidth = value; }
    void setMinHeight(std::int32_t value) { m_minHeight = value; }
    void setMaxWidth(std::int32_t value) { m_maxWidth = value; }
    void setMaxHeight(std::int32_t value) { m_maxHeight = value; }
    void setFrame(std::int32_t code) { m_frame = code; }
    void setHasBackColor(bool value);
    void setBackColor(Color color);
    void setTitle(const std::string& title);
    void setVisible(bool visible);
    void setCloseButton(bool value) { m_closeButton = value; }
    void setResizeable(bool value) { m_resizeable = value; }
    void setMaximizeButton(bool value) { m_maximizeButton = value; }
    void setMinimizeButton(bool value) { m_minimizeButton = value; }

    std::int32_t placement() const { return m_placement; }
    std::int32_t width() const { return m_width; }
    std::int32_t height() const { return m_height; }
    std::int32_t frame() const { return m_frame; }
    // Frame 7: a floating tool window, which stays above the main window.
    bool isFloating() const { return m_frame == 7; }
    bool hasBackColor() const { return m_hasBackColor; }
    Color backColor() const { return m_backColor; }
    const std::string& title() const { return m_title; }
    bool visible() const { return m_visible; }
    bool closeButton() const { return m_closeButton; }
    bool resizeable() const { return m_resizeable; }
    bool maximizeButton() const { return m_maximizeButton; }
    bool minimizeButton() const { return m_minimizeButton; }
    // The colour behind everything: BackColor when HasBackColor is set, else the platform's.
    Color effectiveBackColor() const;

    // Window events; a class fills the hooks it handles.
    virtual void Layout() { }
    virtual void CreateControls() { }
    virtual void AddMenuHandlers() { }
    virtual void Event_Open() { }
    virtual void Event_Close() { }
    virtual void Event_EnableMenuItems() { }
    virtual bool Event_MouseDown(std::int32_t x, std::int32_t y);

    // The framework's side: the window on the screen (gui/WindowPrivate.h).
    WindowPrivate& d() const { return *m_d; }

private:
    std::vector<Ref<Control>> m_controls;
    MenuHandlers m_menuHandlers;

    std::int32_t m_placement { 0 };
    std::int32_t m_width { 300 };
    std::int32_t m_height { 300 };
    std::int32_t m_minWidth { 64 };
    std::int32_t m_minHeight { 64 };
    std::int32_t m_maxWidth { 32000 };
    std::int32_t m_maxHeight { 32000 };
    std::int32_t m_frame { 0 };
    bool m_hasBackColor { false };
    Color m_backColor { 255, 255, 255 };
    std::string m_title;
    bool m_visible { true };
    bool m_closeButton { true };
    bool m_resizeable { true };
    bool m_maximizeButton { true };
    bool m_minimizeButton { true };
    // Last, so that it goes first: its teardown still reaches the controls.
    std::unique_ptr<WindowPrivate> m_d;
};

// The live implicit instance of the class of that name, or nil.
Ref<Window> GetImplicitWindow(std::string_view className);
// The implicit instance of class T, built with Constructor when none is open.
template<typename T>
Ref<T> ImplicitInstance()
{
    Ref<Window> window = GetImplicitWindow(T::StaticClass().name());
    if (!window) {
        window = RuntimeCheckCast<Window>(RuntimeNewObject(T::StaticClass()));
        window->Constructor();
    }
    return RuntimeCheckCast<T>(window);
}

// Every open window, oldest first.
std::vector<Ref<Window>> OpenWindows();

// The control of that name in the window, or nil; nil for a nil window too.
Ref<Control> RuntimeWindowControlByName(const Ref<Window>& window, std::string_view name);

// The control of that name in the window, as a T; raises NilObjectException when the window or
// the control is missing or the control is no T.
template<typename T>
Ref<T> ControlNamed(const Ref<Window>& window, std::string_view name)
{
    if (!window)
        throw NilObjectException("the window of " + std::string(name));
    Ref<T> control = RuntimeCheckCast<T>(RuntimeWindowControlByName(window, name));
    if (!control)
        throw NilObjectException(std::string(name) + " of " + window->classInfo().name());
    return control;
}

}
