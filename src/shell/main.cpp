#include <fw/Runtime.h>
#include "shell/Startup.h"

int main()
{
    fw::RuntimeInit();
    initialize();
    Main();
    finalize();
    return fw::RuntimeExit();
}
