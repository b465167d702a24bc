#pragma once

#include <fw/TextStyle.h>

class QFont;

namespace fw {

// The Qt font that shows text in the style.
QFont TextFont(const TextStyle& style);

}
