#pragma once

class QImage;
class QWidget;

namespace fw {

class Picture;
class RectControl;
class Window;
class WindowWidget;

// The Qt objects behind the framework's own, for the framework and for onlookers that act as
// the user or look at the screen; the public classes let only this class reach them. A widget
// is null before it is built and after it is gone.
class QtObjects {
public:
    static WindowWidget* widgetOf(const Window& window);
    static QWidget* widgetOf(const RectControl& control);
    // The picture's pixels as they are drawn, see-through ones with zero alpha.
    static const QImage& imageOf(const Picture& picture);
};

inline WindowWidget* WidgetOf(const Window& window) { return QtObjects::widgetOf(window); }
inline QWidget* WidgetOf(const RectControl& control) { return QtObjects::widgetOf(control); }
inline const QImage& ImageOf(const Picture& picture) { return QtObjects::imageOf(picture); }

}
