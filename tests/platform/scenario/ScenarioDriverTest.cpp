#include "scenario/ScenarioDriver.h"

#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <sstream>
#include <string>
#include <vector>

using namespace fw;

namespace {

std::vector<std::string> Values(const std::string& output)
{
    std::vector<std::string> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("value: ", 0) == 0)
            values.push_back(line.substr(7));
    }
    return values;
}

// A window that was closed is gone once the driver has handled the events of its command, as it
// is in the program's event loop: open-and-close cycles leave no widgets behind.
TEST(ScenarioDriver, ClosedWindowsLeaveNoWidgetsBehind)
{
    initialize();
    std::ostringstream output;
    // "print widgets" counts the widgets alive, to watch them from the scenario.
    ScenarioDriver driver(output, [](const std::string& name) -> std::optional<std::string> {
        if (name != "widgets")
            return std::nullopt;
        return std::to_string(QApplication::allWidgets().size());
    });
    driver.start(&Startup);

    const std::string cycle = "menu AboutMenu\npress AboutWindow 10 10\n";
    std::string scenario = cycle + "print widgets\n";
    for (int i = 0; i < 20; ++i)
        scenario += cycle;
    scenario += "print widgets\n";
    std::istringstream input(scenario);
    driver.run(input);

    EXPECT_EQ(driver.failures(), 0) << output.str();
    std::vector<std::string> counts = Values(output.str());
    ASSERT_EQ(counts.size(), 2u) << output.str();
    EXPECT_EQ(counts[1], counts[0]) << "widgets alive after one About cycle, then after twenty more";
}

}
