// The two views of a flight. Each pass of either view is one integration step and its drawing;
// each view enters the other by calling it, so every crossing nests one level deeper.
#include "simulation/BackGroundDrawing.h"

#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "simulation/OutcomeMessages.h"
#include "simulation/Variables.h"
#include <fw/MessageBox.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>

using namespace fw;

namespace {

Ref<Window1> MainWindow()
{
    return NotNil(Window1::Instance(), "the main window");
}

// The heights that count as ground contact: twice the current diameter plus 100 m.
bool InGroundBand()
{
    return Variables::h < Variables::Dia / 1000 * 2 + 0.1;
}

}

void BackGroundDrawing::Track1Globe()
{
    using namespace Variables;

    boomstop = false;
    MainCanvas()->setBackdrop(Globeafrica());
    factor = 4.0 / 121.0;
    scalex = 348;
    Scaley = 249;
    k1 = k;

    while (true) {
        TrackComp();
        if (Stopp)
            return;
        x = r * Sin(-k);
        y = r * Cos(-k);
        MainWindow()->Draw1();
        if (t > 0.5 && h < 120)
            Track3Stratos();
        RuntimeBackgroundTask();
        if (UserCancelled())
            return;
    }
}

void BackGroundDrawing::Track3Stratos()
{
    using namespace Variables;

    MainCanvas()->setBackdrop(Braking());
    MainCanvas()->Refresh(true);
    Delay();
    scalex = 0;
    Scaley = 350;
    factor = 2.0;
    dt = 0.03;
    k1 = k;

    while (true) {
        if (!Stopp && (m < 5e-9 || Dia < 0.0002 || v < 0.1)) {
            m = 5e-9;
            Dia = 0.0002;
            MsgBox(BurnUpMessage());
            Stopp = true;
        }
        if (Stopp)
            return;
        TrackComp();
        if (mach < 1 && !boomstop)
            boomstop = true;
        MainWindow()->Draw2();
        bool exploded = false;
        if (InGroundBand() && v > 0.2 && (m * v) * v > 10000) {
            Explodex();
            exploded = true;
        }
        // Every ground contact ends the flight: one that did not explode leaves a chunk, so no
        // body sinks below the ground into values that are no numbers.
        if (InGroundBand() && !exploded) {
            MsgBox(ChunkMessage());
            Stopp = true;
        }
        if (s > 640) {
            k1 = k;
            MainCanvas()->setBackdrop(Braking());
        }
        if (h > 121)
            Track1Globe();
        RuntimeBackgroundTask();
        if (UserCancelled())
            return;
    }
}
