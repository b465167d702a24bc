#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace fw {

// The menu handlers that a window or the application object registered, by item name; the
// first registered for a name answers it.
class MenuHandlers {
public:
    void add(const std::string& itemName, std::function<bool()> handler) { m_handlers.emplace_back(itemName, std::move(handler)); }
    // Runs the handler for the item; false when there is none or the handler returned false.
    bool invoke(const std::string& itemName) const
    {
        for (const auto& [name, handler] : m_handlers) {
            if (name == itemName)
                return handler();
        }
        return false;
    }
    bool empty() const { return m_handlers.empty(); }

private:
    std::vector<std::pair<std::string, std::function<bool()>>> m_handlers;
};

}
