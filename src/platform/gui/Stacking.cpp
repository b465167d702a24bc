#include "gui/Stacking.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

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

// Whether the floating window has the keyboard now. On X the server is asked: the round trip
// also lets what the window manager did as it mapped the window reach the server first.
bool HasKeyboard(QWidget& floating)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return QApplication::activeWindow() == &floating;
    xcb_connection_t* connection = x11->connection();
    xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    const bool focused = reply && reply->focus == xcb_window_t(floating.winId());
    std::free(reply);
    return focused;
}

// Gives window the keyboard back. On X the window manager is asked as a pager asks it, for the
// user: some (jwm) move the focus at an application's own request but go on naming the other
// window active.
void GiveKeyboardTo(QWidget& window, QWidget& from)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) {
        window.activateWindow();
        return;
    }
    xcb_connection_t* connection = x11->connection();
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, 18, "_NET_ACTIVE_WINDOW"), nullptr);
    if (!atom) {
        window.activateWindow();
        return;
    }
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window.winId());
    message.type = atom->atom;
    message.data.data32[0] = 2;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = xcb_window_t(from.winId());
    std::free(atom);
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

// Looks, once the floating window is first on the screen, whether the window manager gave it the
// keyboard as it mapped it, and if so gives the keyboard back. Later activations are the user's.
class KeyboardReturn : public QObject {
public:
    KeyboardReturn(QWidget& floating, QWidget* keyboardWindow)
        : QObject(&floating)
        , m_floating(&floating)
        , m_keyboardWindow(keyboardWindow)
    {
        floating.windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && m_floating->windowHandle()->isExposed() && !m_looked) {
            m_looked = true;
            QMetaObject::invokeMethod(
                this, [this] { giveBack(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void giveBack()
    {
        if (m_keyboardWindow && m_keyboardWindow->isVisible() && HasKeyboard(*m_floating))
            GiveKeyboardTo(*m_keyboardWindow, *m_floating);
        deleteLater();
    }

    QWidget* m_floating;
    QPointer<QWidget> m_keyboardWindow;
    bool m_looked { false };
};

}

void Stacking::windowOpened(QWidget& window, bool floating)
{
    m_windows.push_back({ &window, floating, false });
}

void Stacking::windowShown(QWidget& window)
{
    auto entry = std::find_if(m_windows.begin(), m_windows.end(), [&](const Entry& known) { return known.window == &window; });
    if (entry == m_windows.end())
        return;
    entry->shown = true;
    if (entry->floating)
        KeepAbove(window, anchor());
}

void Stacking::windowClosed(QWidget& window)
{
    std::erase_if(m_windows, [&](const Entry& entry) { return !entry.window || entry.window == &window; });
}

QWidget* Stacking::anchor() const
{
    for (const Entry& entry : m_windows) {
        if (!entry.floating && entry.shown && entry.window)
            return entry.window;
    }
    return nullptr;
}

QWidget* Stacking::messageBoxAnchor() const
{
    QWidget* active = QApplication::activeWindow();
    const bool ours = active && std::any_of(m_windows.begin(), m_windows.end(), [&](const Entry& entry) { return entry.window == active; });
    return ours ? active : anchor();
}

void Stacking::keepFloatingWindowsAbove()
{
    QWidget* stayAbove = anchor();
    for (const Entry& entry : std::vector<Entry>(m_windows)) {
        if (entry.floating && entry.shown && entry.window)
            KeepAbove(*entry.window, stayAbove);
    }
}

void Stacking::showWithoutKeyboard(QWidget& floating)
{
    QWidget* keyboardWindow = QApplication::activeWindow();
    if (!keyboardWindow || keyboardWindow == &floating)
        keyboardWindow = anchor();
    ShowWithoutKeyboard(floating, keyboardWindow);
}

void ShowWithoutKeyboard(QWidget& floating, QWidget* keyboardWindow)
{
    floating.winId();
    if (keyboardWindow && keyboardWindow != &floating && !floating.isVisible())
        new KeyboardReturn(floating, keyboardWindow);
    floating.show();
}

void RaiseWithoutKeyboard(QWidget& floating)
{
    QWidget* keyboardWindow = QApplication::activeWindow();
    floating.raise();
    // Some window managers (xfwm4) give a window that its application raises the keyboard too.
    // Asked next, in order, they give it back.
    if (keyboardWindow && keyboardWindow != &floating)
        GiveKeyboardTo(*keyboardWindow, floating);
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
