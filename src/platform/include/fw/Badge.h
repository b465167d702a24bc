#pragma once

namespace fw {

// A parameter that only T can make: a member that takes one is public, yet only T may call it.
template<typename T>
class Badge {
    friend T;
    Badge() = default;
};

}
