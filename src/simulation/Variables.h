#pragma once

#include <fw/Color.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <variant>

// The flight state: process-wide values, all zero at program start, read and written by name.
// Lengths in km (diameters in m), speeds in km/s, time in s, mass in kg, angles in radians.
namespace Variables {

inline std::int32_t scalex = 0;
inline double x = 0;
inline double factor = 0;
inline std::int32_t Scaley = 0;
inline double y = 0;
inline double xx = 0;
inline double yy = 0;
inline double fireball = 0;
inline double s = 0;
inline double h = 0;
inline double r = 0;
inline double r1 = 0;
inline double j = 0;
inline double roo = 0;
inline double vr = 0;
inline double vk = 0;
inline double v = 0;
inline double mach = 0;
inline double cdm = 0;
inline double po = 0;
inline double p = 0;
inline double q = 0;
inline double g = 0;
inline double Dia = 0;
inline double fire = 0;
inline fw::Color col;
inline double cdd = 0;
inline double cd = 0;
inline double pii = 0;
inline double D = 0;
inline double m = 0;
inline double ar = 0;
inline double ak = 0;
inline double dt = 0;
inline double k = 0;
inline double k1 = 0;
inline double t = 0;
inline std::int32_t ss = 0;
inline bool boomstop = false;
inline double Dia1 = 0;
inline double angle = 0;
inline double b = 0;
inline double density = 0;
inline double Htrans = 0;
inline double Habl = 0;
inline double mm = 0;
inline double dm = 0;
inline double abl = 0;

// A value found by its name, for tools that look at the state from outside.
using Reference = std::variant<std::monostate, double*, std::int32_t*, bool*, fw::Color*>;
Reference Find(std::string_view name);
// Every value with its name.
std::span<const std::pair<std::string_view, Reference>> All();

}
