#pragma once

#include <string>

class QMessageBox;

namespace fw {

// Shows an application-modal box titled with the application's name, with the text and one OK
// button, and returns when the user has dismissed it. In a thread it yields meanwhile.
void MsgBox(const std::string& text);

// Whether a message box is on screen and not yet dismissed; the newest one, which takes the
// user's input; its text, empty when none is up.
bool IsMessageBoxShowing();
QMessageBox* ShowingMessageBox();
std::string ShowingMessageText();
// Presses OK on the newest message box; false when none is up.
bool DismissMessageBox();

}
