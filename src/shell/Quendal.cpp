#include "shell/Quendal.h"

#include <fw/Runtime.h>

using namespace fw;

const ClassInfo& Quendal::StaticClass()
{
    static const ClassInfo info("Quendal", &Application::StaticClass(), FactoryOf<Quendal>());
    return info;
}

Quendal::~Quendal()
{
    AboutMenu = nullptr;
}

void Quendal::Event_EnableMenuItems()
{
}

bool Quendal::AboutMenu_Action()
{
    // The main window shows the About window; the application has nothing to add.
    return false;
}

Ref<Quendal> App()
{
    return RuntimeCheckCast<Quendal>(GetAppObject());
}
