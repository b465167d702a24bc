#include "simulation/Variables.h"

#include <array>
#include <utility>

namespace Variables {

std::span<const std::pair<std::string_view, Reference>> All()
{
    // clang-format off
    static const std::array<std::pair<std::string_view, Reference>, 48> values { {
        { "scalex", &scalex }, { "x", &x }, { "factor", &factor }, { "Scaley", &Scaley }, { "y", &y }, { "xx", &xx },
        { "yy", &yy }, { "fireball", &fireball }, { "s", &s }, { "h", &h }, { "r", &r }, { "r1", &r1 }, { "j", &j },
        { "roo", &roo }, { "vr", &vr }, { "vk", &vk }, { "v", &v }, { "mach", &mach }, { "cdm", &cdm }, { "po", &po },
        { "p", &p }, { "q", &q }, { "g", &g }, { "Dia", &Dia }, { "fire", &fire }, { "col", &col }, { "cdd", &cdd },
        { "cd", &cd }, { "pii", &pii }, { "D", &D }, { "m", &m }, { "ar", &ar }, { "ak", &ak }, { "dt", &dt },
        { "k", &k }, { "k1", &k1 }, { "t", &t }, { "ss", &ss }, { "boomstop", &boomstop }, { "Dia1", &Dia1 },
        { "angle", &angle }, { "b", &b }, { "density", &density }, { "Htrans", &Htrans }, { "Habl", &Habl },
        { "mm", &mm }, { "dm", &dm }, { "abl", &abl },
    } };
    // clang-format on
    return values;
}

Reference Find(std::string_view name)
{
    for (const auto& [key, reference] : All()) {
        if (key == name)
            return reference;
    }
    return std::monostate {};
}

}
