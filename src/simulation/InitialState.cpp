// The initial state of a flight, read from the main window's inputs.
#include "simulation/BackGroundDrawing.h"

#include "PopupMenu.h"
#include "RuntimeFunctions.h"
#include "Slider.h"
#include "TextField.h"
#include "main_window/Window1.h"
#include "shell/Resources.h"
#include "simulation/Variables.h"

using namespace fw;

namespace {

// Every input is looked up afresh at every use.
template<typename C>
Ref<C> Input(const char* name)
{
    return ControlNamed<C>(NotNil(Window1::Instance(), "the main window"), name);
}

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

    if (Selected("PopupMenuType", "Dirty Snow Ball")) {
        density = 1;
        Htrans = 0.6;
        Habl = 200000;
    }
    if (Selected("PopupMenuType", "Carbon Condrite")) {
        density = 2;
        Htrans = 0.2;
        Habl = 500000;
    }
    if (Selected("PopupMenuType", "Stone")) {
        density = 3;
        Htrans = 0.1;
        Habl = 700000;
    }
    if (Selected("PopupMenuType", "Iron")) {
        density = 7;
        Htrans = 0.05;
        Habl = 1000000;
    }

    if (Selected("PopupMenuOrigin", "Oorts Cloud, 70 kms")) {
        v = 70;
        dt = 0.03;
    }
    if (Selected("PopupMenuOrigin", "Kuiper Belt, 60 kms")) {
        v = 60;
        dt = 0.03;
    }
    if (Selected("PopupMenuOrigin", "Asteroid Belt, 40 kms")) {
        v = 40;
        dt = 0.03;
    }
    if (Selected("PopupMenuOrigin", "Near Earth Asteroid, 20 kms")) {
        v = 20;
        dt = 0.1;
    }
    if (Selected("PopupMenuOrigin", "Earth Orbit, 7.6 kms")) {
        v = 7.6;
        dt = 0.1;
        r = 6550;
        angle = 1.5706806282722514;
    }
    if (Selected("PopupMenuOrigin", "Ballistic, 5 kms")) {
        v = 6;
        dt = 0.2;
        r = 6500;
        angle = 2.094240837696335;
    }

    m = (((1.3333333333333333 * pii) * Pow(Dia / 2, 3)) * density) * 1000;
    mm = m;
    dm = 0;
    h = r - r1;
    vk = v * Sin(angle);
    vr = (-v) * Cos(angle);
}
