#include "support/RuntimePerCase.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    ::testing::UnitTest::GetInstance()->listeners().Append(new testing_support::RuntimePerCase);
    return RUN_ALL_TESTS();
}
