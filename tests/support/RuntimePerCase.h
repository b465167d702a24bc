#pragma once

#include <gtest/gtest.h>

namespace testing_support {

// Gives every test case a runtime of its own, as a process of its own would: before the case,
// RuntimeInit, the virtual clock switched on at zero, and the framework's and the program's
// classes, with no resource loaded and the flight state zero; after it, once its fixture is
// gone, RuntimeExit. The onlooker and the application file go with the runtime.
// A case that quits, leaves windows open or threads running leaves nothing to the next.
class RuntimePerCase : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo& test) override;
    void OnTestEnd(const ::testing::TestInfo& test) override;
};

}
