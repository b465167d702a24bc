#pragma once

#include <QPointer>
#include <QWidget>

#include <utility>

namespace fw {

class RectControl;

// A control's widget on the screen. The control makes it in its createWidget; the control owns
// it until the window's widget tree takes it down with the window.
class RectControlPrivate {
public:
    explicit RectControlPrivate(RectControl& control)
        : m_control(control)
    {
    }
    ~RectControlPrivate() { delete m_widget; }

    RectControlPrivate(const RectControlPrivate&) = delete;
    RectControlPrivate& operator=(const RectControlPrivate&) = delete;

    // Null before the control's Constructor and once its window is gone.
    QWidget* widget() const { return m_widget; }
    // The widget as the Qt class that createWidget made.
    template<typename W>
    W* widgetAs() const { return static_cast<W*>(m_widget.data()); }

    // Makes the widget as W(args..., parent), in the widget that holds it.
    template<typename W, typename... Args>
    W* make(Args&&... args)
    {
        auto* widget = new W(std::forward<Args>(args)..., parentWidget());
        m_widget = widget;
        return widget;
    }

    // The widget of the control named by InitialParent when it has one, else the window's content.
    QWidget* parentWidget() const;
    // The control named by InitialParent, when it has a widget to hold this one's.
    RectControl* holder() const;
    // The window's widget tree deletes the widget.
    void release() { m_widget = nullptr; }

private:
    RectControl& m_control;
    QPointer<QWidget> m_widget;
};

// The control's widget; null while it has none.
QWidget* WidgetOf(const RectControl& control);

}
