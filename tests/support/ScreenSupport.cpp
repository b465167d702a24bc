#include "support/ScreenSupport.h"

#include "gui/CanvasWidget.h"
#include "gui/QtObjects.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <cstdio>

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
    int differing = 0;
    std::string first;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (!uncovered.contains(QPoint(x, y)))
                continue;
            ++compared;
            QPoint at = offset + QPoint(x, y);
            QRgb want = picture.pixel(x, y) & 0xFFFFFF;
            QRgb got = shown.valid(at) ? shown.pixel(at) & 0xFFFFFF : ~want & 0xFFFFFF;
            if (got == want)
                continue;
            if (differing++ == 0)
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") shows " + (shown.valid(at) ? Hex(got) : "nothing") + ", the picture " + Hex(want);
        }
    }
    if (compared == 0)
        return std::string(view) + ": no pixel of the canvas is uncovered on screen";
    if (differing == 0)
        return {};
    return std::string(view) + ": " + std::to_string(differing) + " pixels differ, first " + first;
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
