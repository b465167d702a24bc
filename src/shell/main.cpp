#include "Runtime.h"

int main()
{
    fw::RuntimeInit();
    fw::RuntimeRegisterFrameworkClasses();
    fw::ReleaseFrameworkStatics();
    return fw::RuntimeExit();
}
