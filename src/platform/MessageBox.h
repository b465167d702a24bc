#pragma once

#include <string>

namespace fw {

// Shows an application-modal box titled with the application's name, with the text and one OK
// button, and returns when the user has dismissed it. In a thread it yields meanwhile.
void MsgBox(const std::string& text);

// The text of the newest message box on screen; empty when none is.
bool IsMessageBoxShowing();
std::string ShowingMessageText();
// Presses OK on the newest message box; false when none is up.
bool DismissMessageBox();

}
