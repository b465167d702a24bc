#pragma once

#include "core/RuntimeOwned.h"

namespace fw {

class FrameworkObserver;

// The onlooker that the runtime tells what the user sees and hears; none unless one is set.
class OnlookerSlot : public RuntimeOwned<OnlookerSlot> {
public:
    FrameworkObserver* observer() const { return m_observer; }
    void setObserver(FrameworkObserver* observer) { m_observer = observer; }

private:
    FrameworkObserver* m_observer { nullptr };
};

}
