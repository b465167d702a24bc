// One step of the flight: the model atmosphere, Mach-dependent drag, gravity and ablation.
// Every formula is evaluated in the order written; the constants are the model's own.
#include "simulation/BackGroundDrawing.h"

#include "diagram/Dialog1.h"
#include "main_window/Window1.h"
#include "simulation/Variables.h"
#include <fw/RuntimeFunctions.h>

using namespace fw;

void BackGroundDrawing::TrackComp()
{
    using namespace Variables;

    Wait();
    h = r - r1;
    j = 1.7 * Pow(h / 130, 8) / (Pow(h / 140, 10) + 0.2) + 1;
    roo = (1 / j) / (Pow(1.153, h) - ((h + 3) / 7) * Sin(h / 15)) + 4000 / (Pow(10, 7) + Pow(h, 5.7));
    v = Sqrt(Pow(vr, 2) + Pow(vk, 2));
    mach = v / 0.33;
    cdm = 1.7 * Pow(mach, 10) / (Pow(mach, 12) + 0.2) + 1;
    p = po / Pow(r, 2) - Pow(vk, 2) / r;
    q = (vr * vk) / r;
    fireball = Sqrt((g * Dia) / 100);
    fire = Pow(Log(v + 1), 3) * Pow(roo, 0.3) * 200;
    MainCanvasGraphics()->setForeColor(
        RGB(RuntimeCvtReal64ToSInt32(fire * 10), RuntimeCvtReal64ToSInt32(fire * 4), RuntimeCvtReal64ToSInt32(fire * 4)));
    col = RGB(RuntimeCvtReal64ToSInt32(fire * 10), RuntimeCvtReal64ToSInt32(fire * 4), RuntimeCvtReal64ToSInt32(fire * 4));
    cd = cdd * cdm;
    D = roo * cd * pii * Dia * Dia / 8 * v * v * 1000000;
    ar = (0.001 / m) * ((-D * v) * vr) - p;
    ak = (0.001 / m) * ((-D * v) * vk) - q;
    g = Round(1000 * Sqrt(Pow(ar + p, 2) + Pow(ak + q, 2))) / 10;
    vr = vr + ar * dt;
    vk = vk + ak * dt;
    k = k - (vk * dt) / r;
    r = r + vr * dt;
    s = (-r) * (k - k1);
    x = r * Sin(k);
    y = r * Cos(k);
    t = t + dt;
    Burn2();
    ss = RuntimeCvtReal64ToSInt32(s);
    if (h > 120)
        ss = 0;
    NotNil(Dialog1::Instance(), "the diagram window")->DiaDraw();
}

void BackGroundDrawing::Burn2()
{
    using namespace Variables;

    abl = ((Htrans / 2) / cdd) / Habl;
    dm = (Dia * Dia * v * roo * g) / density * 200;
    m = m - dm * dt;
    Dia = Pow(6 * m / pii / density / 1000, 0.3333);
}

void BackGroundDrawing::Burn1()
{
    using namespace Variables;

    Dia = Dia - (0.01 * m * roo * v * dt) / density;
    m = (((1.3333333333333333 * pii) * Pow(Dia / 2, 3)) * density) * 1000;
}
