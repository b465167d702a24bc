#pragma once

#include <string>

namespace fw {

// Shows an application-modal box titled with the application's name, with the text and one OK
// button, and returns when the user has dismissed it. In a thread it yields meanwhile.
void MsgBox(const std::string& text);

}
