// The impact: a white fireball that grows one pixel per yield, the sound, and five frames.
#include "simulation/BackGroundDrawing.h"

#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "simulation/OutcomeMessages.h"
#include "simulation/Variables.h"
#include <fw/MessageBox.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>

using namespace fw;

void BackGroundDrawing::Explodex()
{
    using namespace Variables;

    MainCanvasGraphics()->setForeColor(RGB(255, 255, 255));
    if (Dia > 5) {
        for (std::int32_t i = 5; i <= Dia; ++i) {
            MainCanvasGraphics()->FillOval(RuntimeCvtReal64ToSInt32(scalex - i / 2.0 + s),
                RuntimeCvtReal64ToSInt32(Scaley - i / 2.0 - h * factor), i, i);
            RuntimeBackgroundTask();
        }
    }

    NotNil(Explosion(), "the resource \"Explosion\"")->Play();

    auto frames = { Pum1, Pum2, Pum3, Pum4, Pum5 };
    int shown = 0;
    for (auto frame : frames) {
        MainCanvasGraphics()->DrawPicture(frame(), RuntimeCvtReal64ToSInt32((scalex - 30) + s),
            RuntimeCvtReal64ToSInt32((Scaley - 30) - h * factor), -10000, -10000, 0, 0, -10000, -10000);
        if (++shown < 5)
            Delay();
    }

    MsgBox(ImpactMessage());
    Stopp = true;
}
