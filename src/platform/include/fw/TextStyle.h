#pragma once

#include <cstdint>
#include <string>

namespace fw {

// The font of a control that shows text: its face, size and style. "System" is the platform's UI
// face; other names go through fontconfig to an installed face. Unit 0 counts the size in pixels,
// points at 72 per inch; size 0 keeps the platform's size.
struct TextStyle {
    std::string font { "System" };
    double size { 0 };
    std::int32_t unit { 0 };
    bool bold { false };
    bool italic { false };
    bool underline { false };
};

}
