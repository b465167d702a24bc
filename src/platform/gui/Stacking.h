#pragma once

#include "core/RuntimeOwned.h"

#include <QPointer>

#include <vector>

class QWidget;

namespace fw {

// How the application's windows stack: floating windows (tool windows, message boxes) stay above
// an anchor, the main window of the moment, as a window manager keeps a window above the one it
// is transient for, and not above other programs' windows; and they come up without taking the
// keyboard from the window the user works in. The windows tell it as they open, first come on
// the screen and close.
class Stacking : public RuntimeOwned<Stacking> {
public:
    Stacking() = default;

    void windowOpened(QWidget& window, bool floating);
    // The window comes on the screen for the first time; a floating one stays above the anchor
    // from now on.
    void windowShown(QWidget& window);
    void windowClosed(QWidget& window);

    // The document window that floating windows and message boxes stay above: the oldest open
    // one that has been shown; null when there is none.
    QWidget* anchor() const;
    // A message box's anchor: the application's window that the user works in, or else the main
    // one, so that no click on another of the application's windows can bring that over the box.
    QWidget* messageBoxAnchor() const;
    // Each floating window stays above the anchor of the moment; called whenever a window comes
    // on the screen or goes, since the anchor may then change.
    void keepFloatingWindowsAbove();
    // Shows a floating window without taking the keyboard from the application's window that has
    // it, or else from the anchor.
    void showWithoutKeyboard(QWidget& floating);

private:
    struct Entry {
        QPointer<QWidget> window;
        bool floating;
        bool shown;
    };
    std::vector<Entry> m_windows;
};

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
