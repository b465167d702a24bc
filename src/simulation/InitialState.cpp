// The initial state of a flight, read from the main window's inputs.
#include "simulation/BackGroundDrawing.h"

#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "simulation/Variables.h"
#include <fw/PopupMenu.h>
#include <fw/RuntimeFunctions.h>
#include <fw/Slider.h>
#include <fw/TextField.h>

using namespace fw;

namespace {

// Every input is looked up afresh at every use.
template<typename C>
Ref<C> Input(const char* name)
{
    return ControlNamed<C>(NotNil(Window1::Instance(), "the main window"), name);
}

struct Material {
    const char* row;
    double density;
    double Htrans;
    double Habl;
};

constexpr Material kMaterials[] = {
    { "Dirty Snow Ball", 1, 0.6, 200000 },
    { "Carbon Condrite", 2, 0.2, 500000 },
    { "Stone", 3, 0.1, 700000 },
    { "Iron", 7, 0.05, 1000000 },
};

// An r of 0 leaves the start height and the slider's angle as they are.
struct Origin {
    const char* row;
    double v;
    double dt;
    double r;
    double angle;
};

constexpr Origin kOrigins[] = {
    { "Oorts Cloud, 70 kms", 70, 0.03, 0, 0 },
    { "Kuiper Belt, 60 kms", 60, 0.03, 0, 0 },
    { "Asteroid Belt, 40 kms", 40, 0.03, 0, 0 },
    { "Near Earth Asteroid, 20 kms", 20, 0.1, 0, 0 },
    { "Earth Orbit, 7.6 kms", 7.6, 0.1, 6550, 1.5706806282722514 },
    // Flown at 6 km/s, whatever the row says.
    { "Ballistic, 5 kms", 6, 0.2, 6500, 2.094240837696335 },
};

bool Selected(const char* menu, const char* row)
{
    return RuntimeStringCompare(Input<PopupMenu>(menu)->Text(), row) == 0;
}

}

void BackGroundDrawing::Lahtoarvot()
{
    using namespace Variables;

    for (auto frame : { Pum1, Pum2, Pum3, Pum4, Pum5 })
        NotNil(frame(), "an explosion frame")->setTransparent(1);

    pii = 3.1412;
    t = 0;
    Dia = Val(Input<TextField>("EditFieldDia")->Text());
    if (Dia > 100) {
        Dia = 100;
        Input<TextField>("EditFieldDia")->setText("100");
    }
    Dia1 = Dia;
    cdd = 1;
    r1 = 6350;
    r = 11000;
    k = 0.5 * pii;
    x = r * Sin(k);
    y = r * Cos(k);
    angle = double(Input<Slider>("SliderAngle")->Value()) / 57.3 / 4;
    po = 395600;
    b = 0;

    // Each row is tested on its own, against the menu's selected text fetched afresh.
    for (const Material& material : kMaterials) {
        if (Selected("PopupMenuType", material.row)) {
            density = material.density;
            Htrans = material.Htrans;
            Habl = material.Habl;
        }
    }
    for (const Origin& origin : kOrigins) {
        if (Selected("PopupMenuOrigin", origin.row)) {
            v = origin.v;
            dt = origin.dt;
            // Two origins also set the starting height and direction, in place of the slider's.
            if (origin.r != 0) {
                r = origin.r;
                angle = origin.angle;
            }
        }
    }

    m = (((1.3333333333333333 * pii) * Pow(Dia / 2, 3)) * density) * 1000;
    mm = m;
    dm = 0;
    h = r - r1;
    vk = v * Sin(angle);
    vr = (-v) * Cos(angle);
}
