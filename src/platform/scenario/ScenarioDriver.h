#pragma once

#include "FrameworkObserver.h"

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

namespace fw {

// Runs a program on the virtual clock from a scenario, one command a line, and prints one line
// for every thing a user would see or hear. docs/scenarios.md lists the commands.
class ScenarioDriver : public FrameworkObserver {
public:
    // Gives the text of a program value for "print NAME", or nothing when there is no such value.
    using ValuePrinter = std::function<std::optional<std::string>(const std::string& name)>;

    ScenarioDriver(std::ostream& output, ValuePrinter printValue);
    ~ScenarioDriver() override;

    // Runs start-up as the process entry does; an exception that escapes it ends the program.
    void start(void (*startup)());
    // Carries out every command of the input; then the program quits as Quit would.
    void run(std::istream& input);
    // The number of commands that could not be carried out.
    int failures() const { return m_failures; }
    int commands() const { return m_commands; }

    void windowOpened(Window& window) override;
    void windowClosed(Window& window) override;
    void messageShown(const std::string& text) override;
    void soundPlayed(const std::string& name) override;
    void exceptionReported(const std::string& className, const std::string& message) override;

    // Formats as the driver prints: 17 significant digits, nan, inf and -inf.
    static std::string formatDouble(double value);

private:
    void execute(const std::string& line);
    void pump();
    // Runs the event loop for so many virtual milliseconds, or until the condition holds.
    bool runFor(double milliseconds, const std::function<bool()>& until);
    void shutDownAfterException(std::exception_ptr exception);
    void print(const std::string& line);
    void fail(const std::string& why);

    std::ostream& m_output;
    ValuePrinter m_printValue;
    int m_commands { 0 };
    int m_failures { 0 };
    bool m_ended { false };
};

}
