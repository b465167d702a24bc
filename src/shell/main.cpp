#include "shell/Startup.h"
#include <fw/Runtime.h>

int main()
{
    fw::RuntimeInit();
    initialize();
    Main();
    finalize();
    return fw::RuntimeExit();
}
