#include "support/RuntimePerCase.h"

#include "Clock.h"
#include "FolderItem.h"
#include "FrameworkObserver.h"
#include "Runtime.h"
#include "shell/Resources.h"
#include "shell/Startup.h"
#include "simulation/Variables.h"

namespace testing_support {

namespace {

// The flight state as the program starts with it.
void ZeroFlightState()
{
    using namespace Variables;
    scalex = 0;
    x = 0;
    factor = 0;
    Scaley = 0;
    y = 0;
    xx = 0;
    yy = 0;
    fireball = 0;
    s = 0;
    h = 0;
    r = 0;
    r1 = 0;
    j = 0;
    roo = 0;
    vr = 0;
    vk = 0;
    v = 0;
    mach = 0;
    cdm = 0;
    po = 0;
    p = 0;
    q = 0;
    g = 0;
    Dia = 0;
    fire = 0;
    col = fw::Color {};
    cdd = 0;
    cd = 0;
    pii = 0;
    D = 0;
    m = 0;
    ar = 0;
    ak = 0;
    dt = 0;
    k = 0;
    k1 = 0;
    t = 0;
    ss = 0;
    boomstop = false;
    Dia1 = 0;
    angle = 0;
    b = 0;
    density = 0;
    Htrans = 0;
    Habl = 0;
    mm = 0;
    dm = 0;
    abl = 0;
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
