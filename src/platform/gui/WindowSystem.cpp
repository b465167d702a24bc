#include "gui/WindowSystem.h"

#include "gui/WindowEvents.h"
#include "gui/WindowPrivate.h"
#include <fw/Window.h>

#include <algorithm>

namespace fw {

void WindowSystem::windowListChanged()
{
    if (m_events)
        m_events->windowListChanged();
}

void WindowSystem::cancelPressed()
{
    if (m_events)
        m_events->cancelPressed();
}

Ref<Window> WindowSystem::implicitInstance(std::string_view className) const
{
    for (const auto& [name, window] : m_implicitInstances) {
        if (name == className)
            return window;
    }
    return nullptr;
}

void WindowSystem::setImplicitInstance(const std::string& className, const Ref<Window>& window)
{
    auto existing = std::find_if(m_implicitInstances.begin(), m_implicitInstances.end(), [&](const auto& entry) { return entry.first == className; });
    if (existing != m_implicitInstances.end())
        existing->second = window;
    else
        m_implicitInstances.emplace_back(className, window);
}

void WindowSystem::remove(const Window& window)
{
    std::erase_if(m_implicitInstances, [&](const auto& entry) { return entry.second.get() == &window; });
    std::erase_if(m_openWindows, [&](const Ref<Window>& open) { return open.get() == &window; });
}

void WindowSystem::forgetAll()
{
    std::vector<Ref<Window>> windows = m_openWindows;
    for (const Ref<Window>& window : windows)
        window->d().destroyWithoutEvents();
    m_implicitInstances.clear();
    m_openWindows.clear();
}

}
