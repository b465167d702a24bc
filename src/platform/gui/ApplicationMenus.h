#pragma once

namespace fw {

class WindowWidget;

// The application's menus: File > Quit (Ctrl+Q) and Help > About, the item named "AboutMenu".
// A window that registers menu handlers gets them as its menu bar; the window hears the items
// chosen through its widget.
inline constexpr const char* kQuitMenuItem = "FileQuit";
inline constexpr const char* kAboutMenuItem = "AboutMenu";
void AttachApplicationMenus(WindowWidget& window);
// A window without the menus still quits at Ctrl+Q.
void AttachQuitKey(WindowWidget& window);

}
