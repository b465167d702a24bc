#pragma once

#include "core/RuntimeOwned.h"
#include <fw/Application.h>
#include <fw/Ref.h>
#include <fw/Window.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fw {

class WindowEvents;

// The application's object and windows: the implicit instance of each window class and the open
// windows, oldest first; and who hears of a change of the windows or a cancel press.
class WindowSystem : public RuntimeOwned<WindowSystem> {
public:
    void setEvents(WindowEvents* events) { m_events = events; }
    void windowListChanged();
    void cancelPressed();

    const Ref<Application>& applicationObject() const { return m_applicationObject; }
    void setApplicationObject(const Ref<Application>& application) { m_applicationObject = application; }

    Ref<Window> implicitInstance(std::string_view className) const;
    // The window becomes its class's implicit instance in place of any other.
    void setImplicitInstance(const std::string& className, const Ref<Window>& window);
    void addOpenWindow(const Ref<Window>& window) { m_openWindows.push_back(window); }
    // The window is neither an implicit instance nor open any more.
    void remove(const Window& window);
    const std::vector<Ref<Window>>& openWindows() const { return m_openWindows; }
    // Takes every window off the screen and forgets it, raising no events.
    void forgetAll();

private:
    WindowEvents* m_events { nullptr };
    Ref<Application> m_applicationObject;
    std::vector<std::pair<std::string, Ref<Window>>> m_implicitInstances;
    std::vector<Ref<Window>> m_openWindows;
};

}
