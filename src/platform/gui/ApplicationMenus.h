#pragma once

#include <string>

namespace fw {

class Window;

// The application's menus: File > Quit (Ctrl+Q) and Help > About, the item named "AboutMenu".
// A window that registers menu handlers gets them as its menu bar.
inline constexpr const char* kQuitMenuItem = "FileQuit";
inline constexpr const char* kAboutMenuItem = "AboutMenu";
void AttachApplicationMenus(Window& window);
// A window without the menus still quits at Ctrl+Q.
void AttachQuitKey(Window& window);
// The window's handler for the item runs; when it returns false, the application object's does.
void ChooseMenuItem(Window* window, const std::string& itemName);

}
