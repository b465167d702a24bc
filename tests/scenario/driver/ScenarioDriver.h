#pragma once

#include "core/FrameworkObserver.h"

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// Runs a program on the virtual clock from a scenario, one command a line, and prints one line
// for every thing a user would see or hear. docs/scenarios.md lists the commands.
class ScenarioDriver : public FrameworkObserver {
public:
    // Gives the text of a program value for "print NAME", or nothing when there is no such value.
    using ValuePrinter = std::function<std::optional<std::string>(const std::string& name)>;
    // A command's arguments, without its name.
    using Arguments = std::vector<std::string>;

    // How a command's arguments are read from its line.
    enum class ArgumentForm {
        // Exactly `arity` words, separated by blanks.
        Words,
        // A window, a control, and the rest of the line after the one blank that follows the
        // control, as it stands: blanks included, possibly empty.
        WindowControlText,
    };

    // A message box that is up takes the input of every window, so it refuses the commands that
    // give a window input.
    enum class WhileBoxIsUp {
        Refused,
        Allowed,
    };

    struct Command {
        std::string_view name;
        // The number of arguments after the name, as its row in docs/scenarios.md shows them.
        int arity;
        ArgumentForm form;
        WhileBoxIsUp whileBoxIsUp;
        void (ScenarioDriver::*carryOut)(const Arguments&);
    };

    // Every command of the scenario language, as docs/scenarios.md lists them.
    static std::span<const Command> commandTable();

    ScenarioDriver(std::ostream& output, ValuePrinter printValue);
    ~ScenarioDriver() override;

    // Runs start-up as the process entry does; an exception that escapes it ends the program.
    void start(void (*startup)());
    // Carries out every command of the input; then the program quits as Quit would.
    void run(std::istream& input);
    // The number of commands that could not be carried out.
    int failures() const { return m_failures; }
    // The number of commands read.
    int commands() const { return m_commands; }

    void windowOpened(Window& window) override;
    void windowClosed(Window& window) override;
    void messageShown(const std::string& text) override;
    void soundPlayed(const std::string& name) override;
    void exceptionReported(const std::string& className, const std::string& message) override;

    // Formats as the driver prints, in every locale: 17 significant digits, nan, inf and -inf.
    static std::string formatDouble(double value);
    // Reads a finite number as strtod reads it in the C locale, whatever the process's locale.
    static std::optional<double> parseNumber(const std::string& text);

private:
    void execute(const std::string& line);
    void pump();
    // Runs the event loop for so many virtual milliseconds, or until the condition holds.
    bool runFor(double milliseconds, const std::function<bool()>& until);
    void shutDownAfterException(std::exception_ptr exception);
    void print(const std::string& line);
    void fail(const std::string& why);

    void setText(const Arguments&);
    void selectRow(const Arguments&);
    void slide(const Arguments&);
    void click(const Arguments&);
    void chooseMenuItem(const Arguments&);
    void closeWindow(const Arguments&);
    void pressMouse(const Arguments&);
    void pressKey(const Arguments&);
    void runMilliseconds(const Arguments&);
    void runUntil(const Arguments&);
    void dismissMessageBox(const Arguments&);
    void printValue(const Arguments&);
    void getProperty(const Arguments&);
    void snapshotCanvas(const Arguments&);

    std::ostream& m_output;
    ValuePrinter m_valuePrinter;
    int m_commands { 0 };
    int m_failures { 0 };
    bool m_ended { false };
};

}
