#include "gui/FloatingWindow.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

namespace fw {

namespace {

// Qt writes WM_TRANSIENT_FOR only when it maps a window; one that is mapped already is told here.
void TellWindowManager(QWidget& floating, QWidget* anchor)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    auto window = xcb_window_t(floating.winId());
    if (anchor) {
        auto parent = xcb_window_t(anchor->winId());
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &parent);
    } else {
        xcb_delete_property(connection, window, XCB_ATOM_WM_TRANSIENT_FOR);
    }
    xcb_flush(connection);
}

}

void KeepAbove(QWidget& floating, QWidget* anchor)
{
    if (anchor == &floating)
        anchor = nullptr;
    // Both need their native windows: the hint names them.
    floating.winId();
    QWindow* handle = floating.windowHandle();
    QWindow* anchorHandle = nullptr;
    if (anchor) {
        anchor->winId();
        anchorHandle = anchor->windowHandle();
    }
    if (!handle || handle->transientParent() == anchorHandle)
        return;
    handle->setTransientParent(anchorHandle);
    if (floating.isVisible())
        TellWindowManager(floating, anchorHandle ? anchor : nullptr);
}

}
