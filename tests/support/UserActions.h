#pragma once

// What a user does to the program's windows, through the widgets as a user reaches them: the
// scenario driver's commands and the tests' fixtures both act through these.

#include <fw/Ref.h>
#include <fw/Window.h>

#include <QKeyCombination>
#include <QPoint>

#include <cstdint>
#include <optional>
#include <string>

namespace fw {
class PopupMenu;
class RectControl;
class Slider;
class TextField;
}

namespace user_actions {

// The name a user knows a window by: its class name up to the first dot ("Window1.Window1" is
// Window1).
std::string ShortName(const fw::Window& window);
// The open window of that name, or nothing.
fw::Ref<fw::Window> OpenWindowNamed(const std::string& name);
// A press and release of the left button at a point of the window's content, on whatever lies
// there.
void PressAt(const fw::Window& window, QPoint point);
// A key as a user types it: to the message box that is up, which takes the keys of every window,
// or else to the window's control with the focus, or to the window itself.
void TypeKey(const fw::Window& window, QKeyCombination key);
// Chooses an item of the window's menu bar as a user does; false when there is no such item.
bool ChooseMenuItemAsUser(const fw::Window& owner, const std::string& itemName);
// Clicks OK on the message box that is up; false when none is.
bool ClickOkOnMessageBox();
// Why a user cannot reach the control ("hidden", "disabled"), or nothing when they can.
std::optional<std::string> WhyUnreachable(const fw::RectControl& control);
// Types the text into the field, replacing its whole text.
void TypeInto(fw::TextField& field, const std::string& text);
// Chooses the row with exactly that text in the pop-up menu; false when it has none.
bool ChooseRow(fw::PopupMenu& menu, const std::string& row);
// Drags the slider to the value and lets go there; beyond its range it stops at its end.
void SlideTo(fw::Slider& slider, std::int32_t value);

}
