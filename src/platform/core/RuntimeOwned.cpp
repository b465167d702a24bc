#include "core/RuntimeOwned.h"

#include <cstdio>
#include <cstdlib>

namespace fw {

void AbortOutsideRuntime()
{
    std::fputs("quendal: the framework was used outside RuntimeInit and RuntimeExit\n", stderr);
    std::abort();
}

void AbortSecondRuntime()
{
    std::fputs("quendal: a second runtime was made while one runs\n", stderr);
    std::abort();
}

}
