#include "support/RuntimePerCase.h"

#include "shell/Resources.h"
#include "shell/Startup.h"
#include "simulation/Variables.h"
#include <fw/Clock.h>
#include <fw/Runtime.h>

#include <type_traits>
#include <variant>

namespace testing_support {

namespace {

// The flight state as the program starts with it.
void ZeroFlightState()
{
    for (const auto& [name, value] : Variables::All()) {
        std::visit(
            [](auto target) {
                if constexpr (std::is_pointer_v<decltype(target)>)
                    *target = {};
            },
            value);
    }
}

}

void RuntimePerCase::OnTestStart(const ::testing::TestInfo&)
{
    ZeroFlightState();
    fw::RuntimeInit();
    fw::VirtualClock::enable();
    initialize();
}

void RuntimePerCase::OnTestEnd(const ::testing::TestInfo&)
{
    // Pictures and the sound go while the runtime that made them still stands.
    ForgetLoadedResources();
    fw::RuntimeExit();
    // The flight state outlives the runtime, as the program's own variables do.
    ZeroFlightState();
}

}
