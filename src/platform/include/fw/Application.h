#pragma once

#include <fw/MenuHandlers.h>
#include <fw/Object.h>

#include <functional>
#include <string>

namespace fw {

// A menu item object; the program may keep a reference to one.
class MenuItem : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }
};

// The application object: one per process, registered with the runtime at start-up.
class Application : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    bool invokeMenuHandler(const std::string& itemName);

    // Application events; a class fills the hooks it handles.
    virtual void Event_Open() { }
    virtual void Event_Close() { }
    virtual void Event_EnableMenuItems() { }

private:
    MenuHandlers m_menuHandlers;
};

}
