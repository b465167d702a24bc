#include "core/FrameworkObserver.h"

#include "core/OnlookerSlot.h"

namespace fw {

void SetFrameworkObserver(FrameworkObserver* observer)
{
    // An onlooker that goes after the runtime has nothing left to leave.
    if (!observer && !OnlookerSlot::find())
        return;
    OnlookerSlot::instance().setObserver(observer);
}

FrameworkObserver* CurrentFrameworkObserver()
{
    // Nobody looks on: a silent onlooker hears it all.
    static FrameworkObserver silent;
    OnlookerSlot* slot = OnlookerSlot::find();
    return slot && slot->observer() ? slot->observer() : &silent;
}

}
