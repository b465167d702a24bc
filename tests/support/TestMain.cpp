#include "Clock.h"
#include "Runtime.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    fw::RuntimeInit();
    fw::RuntimeRegisterFrameworkClasses();
    fw::VirtualClock::enable();
    int result = RUN_ALL_TESTS();
    fw::ReleaseFrameworkStatics();
    fw::RuntimeExit();
    return result;
}
