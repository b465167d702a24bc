#pragma once

class QWidget;

namespace fw {

// Keeps a floating window (a tool window, a message box) above the anchor, as a window manager
// keeps a window above the one it is transient for, and not above other programs' windows. A null
// anchor lets it stack as any window. A window already on the screen is told at once.
void KeepAbove(QWidget& floating, QWidget* anchor);

}
