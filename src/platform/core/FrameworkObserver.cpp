#include "core/FrameworkObserver.h"

namespace fw {

namespace {
FrameworkObserver g_silentObserver;
FrameworkObserver* g_observer = &g_silentObserver;
}

void SetFrameworkObserver(FrameworkObserver* observer)
{
    g_observer = observer ? observer : &g_silentObserver;
}

FrameworkObserver* CurrentFrameworkObserver() { return g_observer; }

}
