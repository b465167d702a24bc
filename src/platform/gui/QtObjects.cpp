#include "gui/QtObjects.h"

#include <fw/Control.h>
#include <fw/Picture.h>
#include <fw/Window.h>

namespace fw {

WindowWidget* QtObjects::widgetOf(const Window& window)
{
    return window.widget();
}

QWidget* QtObjects::widgetOf(const RectControl& control)
{
    return control.widget();
}

const QImage& QtObjects::imageOf(const Picture& picture)
{
    return picture.drawable();
}

}
