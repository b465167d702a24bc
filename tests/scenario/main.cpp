// The scenario driver: the real program on the offscreen platform and the virtual clock, driven
// by commands on standard input. docs/scenarios.md describes the commands and the output.
#include "scenario/driver/ScenarioDriver.h"
#include "shell/Startup.h"
#include "simulation/Variables.h"
#include <fw/Clock.h>
#include <fw/Runtime.h>

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <iostream>

namespace {

std::optional<std::string> PrintVariable(const std::string& name)
{
    struct Printer {
        std::optional<std::string> operator()(std::monostate) const { return std::nullopt; }
        std::optional<std::string> operator()(const double* value) const { return fw::ScenarioDriver::formatDouble(*value); }
        std::optional<std::string> operator()(const std::int32_t* value) const { return std::to_string(*value); }
        std::optional<std::string> operator()(const bool* value) const { return std::string(*value ? "True" : "False"); }
        std::optional<std::string> operator()(const fw::Color* value) const
        {
            char text[8];
            std::snprintf(text, sizeof text, "#%06X", unsigned(value->rgb()));
            return std::string(text);
        }
    };
    return std::visit(Printer {}, Variables::Find(name));
}

}

int main()
{
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    fw::RuntimeInit();
    initialize();
    fw::VirtualClock::enable();
    fw::ScenarioDriver driver(std::cout, PrintVariable);
    driver.start(&Startup);
    driver.run(std::cin);
    finalize();
    fw::RuntimeExit();
    return driver.failures() == 0 ? 0 : 1;
}
