#pragma once

class QImage;
class QWidget;

namespace fw {

class Picture;
class RectControl;
class Window;
class WindowWidget;

// The Qt objects behind the framework's own, for the framework and for onlookers that act as
// the user or look at the screen. A widget is null before it is built and after it is gone.
WindowWidget* WidgetOf(const Window& window);
QWidget* WidgetOf(const RectControl& control);
// The picture's pixels as they are drawn, see-through ones with zero alpha.
const QImage& ImageOf(const Picture& picture);

}
