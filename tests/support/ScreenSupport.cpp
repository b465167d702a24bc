#include "support/ScreenSupport.h"

#include "gui/CanvasWidget.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "support/PixelComparison.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <cstdio>
#include <vector>

using namespace fw;

namespace testing_support {

namespace {

const CanvasWidget& SurfaceOf(const Canvas& canvas)
{
    return *static_cast<const CanvasWidget*>(WidgetOf(canvas));
}

std::string Hex(QRgb rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", unsigned(rgb & 0xFFFFFF));
    return text;
}

// Whether `widget` is painted after `surface`, over it where they overlap: a child of the surface
// is, and so is a widget whose branch comes later among the children of the nearest ancestor
// that the two share.
bool PaintedOver(const QWidget& widget, const QWidget& surface)
{
    if (surface.isAncestorOf(&widget))
        return true;
    const QWidget* branch = &widget;
    while (branch->parentWidget() && !branch->parentWidget()->isAncestorOf(&surface))
        branch = branch->parentWidget();
    const QWidget* shared = branch->parentWidget();
    if (!shared)
        return false;
    const QWidget* surfaceBranch = &surface;
    while (surfaceBranch->parentWidget() != shared)
        surfaceBranch = surfaceBranch->parentWidget();
    const QObjectList& order = shared->children();
    return order.indexOf(branch) > order.indexOf(surfaceBranch);
}

// The part of the canvas widget that its window shows, in the widget's coordinates: clipped by
// its ancestors, without what other widgets cover. Labels let presses through, so the widget
// under a point says nothing of what is painted there; their geometry does.
QRegion UncoveredRegion(const QWidget& surface)
{
    const QWidget* top = surface.window();
    auto area = [top](const QWidget& widget) { return QRect(widget.mapTo(top, QPoint(0, 0)), widget.size()); };
    QRegion region = area(surface);
    for (const QWidget* ancestor = surface.parentWidget(); ancestor; ancestor = ancestor->parentWidget())
        region &= area(*ancestor);
    for (const QWidget* widget : top->findChildren<QWidget*>()) {
        if (widget != &surface && !widget->isWindow() && widget->isVisible() && !widget->isAncestorOf(&surface) && PaintedOver(*widget, surface))
            region -= area(*widget);
    }
    return region.translated(-surface.mapTo(top, QPoint(0, 0)));
}

// Compares the part of `shown` that lies at `offset` with the picture, where the canvas is on top.
std::string Difference(const char* view, const Canvas& canvas, const QImage& shown, QPoint offset)
{
    const CanvasWidget& surface = SurfaceOf(canvas);
    const QImage& picture = surface.picture();
    const QRegion uncovered = UncoveredRegion(surface);
    if (picture.isNull())
        return std::string(view) + ": the canvas has no picture";
    int compared = 0;
    const std::vector<DifferingPixel> differing = DifferingPixels(picture, shown, offset, [&](QPoint at, QRgb) {
        const bool counts = uncovered.contains(at);
        compared += counts ? 1 : 0;
        return counts;
    });
    if (compared == 0)
        return std::string(view) + ": no pixel of the canvas is uncovered on screen";
    if (differing.empty())
        return {};
    const DifferingPixel& first = differing.front();
    return std::string(view) + ": " + std::to_string(differing.size()) + " pixels differ, first (" + std::to_string(first.at.x()) + ", "
        + std::to_string(first.at.y()) + ") shows " + (first.shown ? Hex(*first.shown) : "nothing") + ", the picture " + Hex(first.wanted);
}

// What the screen holds of the canvas's window: the offscreen platform's backing store.
QImage Screen(const QWidget& top)
{
    QWindow* handle = top.windowHandle();
    if (!handle || !handle->screen())
        return {};
    return handle->screen()->grabWindow(handle->winId()).toImage();
}

}

std::string ScreenDifferences(const Canvas& canvas)
{
    const CanvasWidget& surface = SurfaceOf(canvas);
    QWidget* top = surface.window();
    std::string differences;
    for (const std::string& difference : {
             Difference("the canvas's grab", canvas, const_cast<CanvasWidget&>(surface).grab().toImage(), QPoint(0, 0)),
             Difference("the window's grab", canvas, top->grab().toImage(), surface.mapTo(top, QPoint(0, 0))),
             ScreenDifference(canvas),
         }) {
        if (!difference.empty())
            differences += (differences.empty() ? "" : "; ") + difference;
    }
    return differences;
}

std::string ScreenDifference(const Canvas& canvas)
{
    const CanvasWidget& surface = SurfaceOf(canvas);
    QWidget* top = surface.window();
    return Difference("the screen", canvas, Screen(*top), surface.mapTo(top, QPoint(0, 0)));
}

bool WaitUntilScreenShowsPicture(const Canvas& canvas, int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    do {
        QCoreApplication::processEvents();
        if (ScreenDifference(canvas).empty())
            return true;
        QThread::msleep(1);
    } while (clock.elapsed() < milliseconds);
    return false;
}

}
