#pragma once

#include <string>

namespace fw {

class Window;

// What the framework tells an onlooker, such as the scenario driver, of the things a user sees
// and hears. Every call comes on the main thread, at the moment the thing happens.
class FrameworkObserver {
public:
    virtual ~FrameworkObserver() = default;
    virtual void windowOpened(Window&) { }
    virtual void windowClosed(Window&) { }
    virtual void messageShown(const std::string&) { }
    virtual void soundPlayed(const std::string&) { }
    virtual void exceptionReported(const std::string& /* className */, const std::string& /* message */) { }
};

// The runtime's onlooker: set between RuntimeInit and RuntimeExit, and gone with the runtime.
// Null lets it go.
void SetFrameworkObserver(FrameworkObserver* observer);
FrameworkObserver* CurrentFrameworkObserver();

}
