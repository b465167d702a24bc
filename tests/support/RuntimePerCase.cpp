#include "support/RuntimePerCase.h"

#include "core/FrameworkObserver.h"
#include "shell/Resources.h"
#include "shell/Startup.h"
#include "simulation/Variables.h"
#include <fw/Clock.h>
#include <fw/FolderItem.h>
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

// What outlives a runtime in the process: put back as a program finds it at start.
void ResetProcessState()
{
    fw::VirtualClock::enable();
    fw::SetFrameworkObserver(nullptr);
    fw::SetApplicationFileForTesting({});
    ZeroFlightState();
}

}

void RuntimePerCase::OnTestStart(const ::testing::TestInfo&)
{
    ResetProcessState();
    fw::RuntimeInit();
    initialize();
}

void RuntimePerCase::OnTestEnd(const ::testing::TestInfo&)
{
    // Pictures and the sound go while the runtime that made them still stands.
    ForgetLoadedResources();
    fw::RuntimeExit();
    ResetProcessState();
}

}
