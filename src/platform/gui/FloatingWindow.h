#pragma once

class QWidget;

namespace fw {

// Keeps a floating window (a tool window, a message box) above the anchor, as a window manager
// keeps a window above the one it is transient for, and not above other programs' windows. A null
// anchor lets it stack as any window. A window already on the screen is told at once.
void KeepAbove(QWidget& floating, QWidget* anchor);

// Shows a floating window without taking the keyboard from keyboardWindow. The window has
// Qt::WA_ShowWithoutActivating from before its native window was made, so Qt maps it with a user
// time of 0, which tells an EWMH window manager not to give it the keyboard; one that gives it
// all the same (not every one heeds that) has it handed back, once, as soon as the window is on
// the screen.
void ShowWithoutKeyboard(QWidget& floating, QWidget* keyboardWindow);
// Raises a floating window in sight, the keyboard staying in the application's window that has it.
void RaiseWithoutKeyboard(QWidget& floating);

}
