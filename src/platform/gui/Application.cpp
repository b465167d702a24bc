#include <fw/Application.h>

namespace fw {

const ClassInfo& MenuItem::StaticClass()
{
    static const ClassInfo info("MenuItem", &Object::StaticClass(), FactoryOf<MenuItem>());
    return info;
}

const ClassInfo& Application::StaticClass()
{
    static const ClassInfo info("Application", &Object::StaticClass(), FactoryOf<Application>());
    return info;
}

void Application::AddMenuHandler(const std::string& itemName, std::function<bool()> handler)
{
    m_menuHandlers.add(itemName, std::move(handler));
}

bool Application::invokeMenuHandler(const std::string& itemName)
{
    return m_menuHandlers.invoke(itemName);
}

}
