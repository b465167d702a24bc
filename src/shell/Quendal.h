#pragma once

#include <fw/Application.h>

// The application object: one per process, reached through App().
class Quendal : public fw::Application {
public:
    static const fw::ClassInfo& StaticClass();
    const fw::ClassInfo& classInfo() const override { return StaticClass(); }

    ~Quendal() override;

    fw::Ref<fw::MenuItem> AboutMenu;

    void Event_EnableMenuItems() override;
    virtual bool AboutMenu_Action();
};

// The registered application object.
fw::Ref<Quendal> App();
