#include "scenario/driver/ScenarioDriver.h"

#include "gui/ApplicationMenus.h"
#include "gui/MessageBoxes.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/EventLoop.h"
#include "loop/Scheduler.h"
#include "runtime/RuntimeEvents.h"
#include "support/UserActions.h"
#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/Clock.h>
#include <fw/PopupMenu.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/Slider.h>
#include <fw/StaticText.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <QApplication>
#include <QKeySequence>
#include <QTimer>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <locale>
#include <sstream>
#include <vector>

#include <locale.h>
#include <stdlib.h>

namespace fw {

namespace {

using Arguments = ScenarioDriver::Arguments;

struct CommandError {
    std::string why;
};

std::string OneLine(const std::string& text)
{
    std::string line;
    for (char c : text) {
        if (c == '\r')
            line += "\\r";
        else if (c == '\n')
            line += "\\n";
        else
            line += c;
    }
    return line;
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream stream(line);
    // Blanks as the C locale has them, whatever the global C++ locale is.
    stream.imbue(std::locale::classic());
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// Splits "command window control rest", where rest is everything after the one space that
// follows control, taken as it stands.
std::optional<Arguments> SplitWithText(const std::string& line)
{
    std::size_t first = line.find(' ');
    if (first == std::string::npos)
        return std::nullopt;
    std::size_t second = line.find(' ', first + 1);
    if (second == std::string::npos)
        return std::nullopt;
    std::string window = line.substr(first + 1, second - first - 1);
    std::size_t third = line.find(' ', second + 1);
    std::string control = line.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
    std::string rest = third == std::string::npos ? std::string() : line.substr(third + 1);
    if (window.empty() || control.empty())
        return std::nullopt;
    return Arguments { window, control, rest };
}

// A command's arguments, read from its line as its form says; a line of another form is an error.
Arguments TakeArguments(const ScenarioDriver::Command& command, const std::string& line, const std::vector<std::string>& words)
{
    const std::string name(command.name);
    if (command.form == ScenarioDriver::ArgumentForm::WindowControlText) {
        if (std::optional<Arguments> arguments = SplitWithText(line))
            return *arguments;
        throw CommandError { "\"" + name + "\" takes a window, a control and a text" };
    }
    if (words.size() != std::size_t(command.arity) + 1)
        throw CommandError { "\"" + name + "\" takes " + std::to_string(command.arity) + " arguments" };
    return Arguments(words.begin() + 1, words.end());
}

const char* Boolean(bool value) { return value ? "True" : "False"; }

Ref<Window> FindWindow(const std::string& name)
{
    if (Ref<Window> window = user_actions::OpenWindowNamed(name))
        return window;
    throw CommandError { name + " is not open" };
}

Ref<Control> FindControl(const std::string& windowName, const std::string& controlName)
{
    Ref<Window> window = FindWindow(windowName);
    Ref<Control> control = window->controlByName(controlName);
    if (!control)
        throw CommandError { windowName + " has no control " + controlName };
    return control;
}

// The control as the kind a command needs, which kindName names to the user.
template<typename T>
Ref<T> FindControlOf(const std::string& windowName, const std::string& controlName, const char* kindName)
{
    auto control = RuntimeCheckCast<T>(FindControl(windowName, controlName));
    if (!control)
        throw CommandError { controlName + " is no " + kindName };
    return control;
}

// While a box is up it takes the input of every other window.
void RequireNoBox()
{
    if (ShowingMessageBox())
        throw CommandError { "a message box is up" };
}

void RequireUsable(const RectControl& control, const std::string& name)
{
    if (std::optional<std::string> why = user_actions::WhyUnreachable(control))
        throw CommandError { name + " is " + *why };
}

}

ScenarioDriver::ScenarioDriver(std::ostream& output, ValuePrinter printValue)
    : m_output(output)
    , m_valuePrinter(std::move(printValue))
{
    SetFrameworkObserver(this);
    // Every round is the driver's, so that "run" lasts exactly its virtual milliseconds.
    Scheduler::instance().setDrivenFromOutside(true);
}

ScenarioDriver::~ScenarioDriver()
{
    SetFrameworkObserver(nullptr);
}

std::string ScenarioDriver::formatDouble(double value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    // As printf's %.17g writes in the C locale; snprintf would take the decimal comma of a
    // locale such as de_DE, which Qt sets for the C library from the environment.
    char buffer[32];
    std::to_chars_result written = std::to_chars(buffer, std::end(buffer), value, std::chars_format::general, 17);
    return std::string(buffer, written.ptr);
}

std::optional<double> ScenarioDriver::parseNumber(const std::string& text)
{
    // strtod in the C locale, whatever locale Qt has set for the C library: the same numbers as
    // ever, with a point and not a comma.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    char* end = nullptr;
    double number = strtod_l(text.c_str(), &end, cLocale);
    if (text.empty() || *end != '\0' || !std::isfinite(number))
        return std::nullopt;
    return number;
}

void ScenarioDriver::print(const std::string& line)
{
    m_output << line << '\n';
    m_output.flush();
}

void ScenarioDriver::fail(const std::string& why)
{
    ++m_failures;
    print("error: " + OneLine(why));
}

void ScenarioDriver::windowOpened(Window& window) { print("opened: " + user_actions::ShortName(window)); }
void ScenarioDriver::windowClosed(Window& window) { print("closed: " + user_actions::ShortName(window)); }
void ScenarioDriver::messageShown(const std::string& text) { print("message: " + OneLine(text)); }
void ScenarioDriver::soundPlayed(const std::string& name) { print("sound: " + name); }
void ScenarioDriver::exceptionReported(const std::string& className, const std::string& message)
{
    print("exception: " + className + ": " + OneLine(message));
}

void ScenarioDriver::start(void (*startup)())
{
    try {
        RunFrameworkInitialization(startup);
    } catch (const std::exception&) {
        shutDownAfterException(std::current_exception());
        return;
    }
    pump();
}

void ScenarioDriver::shutDownAfterException(std::exception_ptr exception)
{
    // The process entry's handling: report, show, and shut down. The driver is the user who
    // dismisses the box.
    QTimer::singleShot(0, [] { DismissMessageBox(); });
    try {
        std::rethrow_exception(exception);
    } catch (const std::exception& error) {
        UnhandledException(error);
    }
    m_ended = true;
    print("quit: " + std::to_string(QuitCode()));
}

void ScenarioDriver::pump()
{
    QCoreApplication::processEvents();
    // The event loop deletes what was given to deleteLater once control is back with it;
    // processEvents from outside any loop leaves those events pending.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (m_ended)
        return;
    if (std::exception_ptr exception = EventLoop::instance().takeException()) {
        shutDownAfterException(exception);
        return;
    }
    // The program's event loop ends once the last window has closed and no thread is alive.
    if (!IsQuitting() && NothingIsLeft())
        Quit(0);
    if (IsQuitting()) {
        m_ended = true;
        print("quit: " + std::to_string(QuitCode()));
    }
}

bool ScenarioDriver::runFor(double milliseconds, const std::function<bool()>& until)
{
    const double end = Microseconds() + milliseconds * 1000.0;
    while (!m_ended) {
        if (until && until())
            return true;
        if (Microseconds() >= end)
            break;
        Scheduler::instance().runRound();
        pump();
    }
    return until && !m_ended && until();
}

void ScenarioDriver::run(std::istream& input)
{
    for (std::string line; std::getline(input, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (Words(line).empty() || line.front() == '#')
            continue;
        ++m_commands;
        if (m_ended) {
            fail("the program has ended");
            continue;
        }
        try {
            execute(line);
        } catch (const CommandError& error) {
            fail(error.why);
        }
        pump();
    }
    if (!m_ended) {
        Quit(0);
        m_ended = true;
    }
    print("summary: " + std::to_string(m_commands) + " commands, " + std::to_string(m_failures) + " failed");
}

std::span<const ScenarioDriver::Command> ScenarioDriver::commandTable()
{
    using enum ArgumentForm;
    using enum WhileBoxIsUp;
    static constexpr Command table[] = {
        { "set", 3, WindowControlText, Refused, &ScenarioDriver::setText },
        { "select", 3, WindowControlText, Refused, &ScenarioDriver::selectRow },
        { "slide", 3, Words, Refused, &ScenarioDriver::slide },
        { "click", 2, Words, Refused, &ScenarioDriver::click },
        { "menu", 1, Words, Refused, &ScenarioDriver::chooseMenuItem },
        { "close", 1, Words, Refused, &ScenarioDriver::closeWindow },
        { "press", 3, Words, Refused, &ScenarioDriver::pressMouse },
        { "key", 2, Words, Allowed, &ScenarioDriver::pressKey },
        { "run", 1, Words, Allowed, &ScenarioDriver::runMilliseconds },
        { "run-until", 2, Words, Allowed, &ScenarioDriver::runUntil },
        { "dismiss", 0, Words, Allowed, &ScenarioDriver::dismissMessageBox },
        { "print", 1, Words, Allowed, &ScenarioDriver::printValue },
        { "get", 3, Words, Allowed, &ScenarioDriver::getProperty },
        { "snapshot", 3, Words, Allowed, &ScenarioDriver::snapshotCanvas },
    };
    return table;
}

void ScenarioDriver::execute(const std::string& line)
{
    const std::vector<std::string> words = Words(line);
    std::span<const Command> commands = commandTable();
    auto command = std::ranges::find(commands, std::string_view(words.front()), &Command::name);
    if (command == commands.end())
        throw CommandError { "there is no command \"" + words.front() + "\"" };
    const Arguments arguments = TakeArguments(*command, line, words);
    if (command->whileBoxIsUp == WhileBoxIsUp::Refused)
        RequireNoBox();
    (this->*command->carryOut)(arguments);
}

void ScenarioDriver::setText(const Arguments& arguments)
{
    const std::string& controlName = arguments[1];
    auto field = FindControlOf<TextField>(arguments[0], controlName, "text field");
    RequireUsable(*field, controlName);
    user_actions::TypeInto(*field, arguments[2]);
}

void ScenarioDriver::selectRow(const Arguments& arguments)
{
    const std::string& controlName = arguments[1];
    const std::string& row = arguments[2];
    auto menu = FindControlOf<PopupMenu>(arguments[0], controlName, "pop-up menu");
    RequireUsable(*menu, controlName);
    if (!user_actions::ChooseRow(*menu, row))
        throw CommandError { controlName + " has no row \"" + row + "\"" };
}

void ScenarioDriver::slide(const Arguments& arguments)
{
    const std::string& controlName = arguments[1];
    auto slider = FindControlOf<Slider>(arguments[0], controlName, "slider");
    std::optional<double> value = parseNumber(arguments[2]);
    if (!value || *value != std::floor(*value))
        throw CommandError { "\"" + arguments[2] + "\" is no whole number" };
    RequireUsable(*slider, controlName);
    user_actions::SlideTo(*slider, std::int32_t(std::clamp(*value, double(slider->minimum()), double(slider->maximum()))));
}

void ScenarioDriver::click(const Arguments& arguments)
{
    const std::string& controlName = arguments[1];
    Ref<Control> control = FindControl(arguments[0], controlName);
    if (auto button = RuntimeCheckCast<PushButton>(control)) {
        RequireUsable(*button, controlName);
        button->push();
    } else if (auto box = RuntimeCheckCast<CheckBox>(control)) {
        RequireUsable(*box, controlName);
        box->click();
    } else {
        throw CommandError { controlName + " is no button or check box" };
    }
}

void ScenarioDriver::chooseMenuItem(const Arguments& arguments)
{
    const std::string& item = arguments[0];
    Ref<Window> owner;
    for (const Ref<Window>& window : OpenWindows()) {
        if (window->hasMenuHandlers())
            owner = window;
    }
    if (!owner)
        throw CommandError { "no window with a menu bar is open" };
    if (item != kQuitMenuItem && item != kAboutMenuItem)
        throw CommandError { "there is no menu item " + item };
    if (!user_actions::ChooseMenuItemAsUser(*owner, item))
        throw CommandError { "there is no menu item " + item };
}

void ScenarioDriver::closeWindow(const Arguments& arguments)
{
    Ref<Window> window = FindWindow(arguments[0]);
    if (!window->closeButton())
        throw CommandError { arguments[0] + " has no close button" };
    WidgetOf(*window)->close();
}

void ScenarioDriver::pressMouse(const Arguments& arguments)
{
    const std::string& windowName = arguments[0];
    Ref<Window> window = FindWindow(windowName);
    std::optional<double> x = parseNumber(arguments[1]);
    std::optional<double> y = parseNumber(arguments[2]);
    if (!x || !y)
        throw CommandError { "a press takes whole-number coordinates" };
    QWidget* content = WidgetOf(*window)->content();
    // The fraction is cut off; the bounds are checked before the point becomes whole numbers,
    // which a coordinate far beyond int's range could not.
    const double column = std::trunc(*x);
    const double row = std::trunc(*y);
    if (column < 0 || row < 0 || column >= content->width() || row >= content->height())
        throw CommandError { "the point lies outside " + windowName };
    user_actions::PressAt(*window, QPoint(int(column), int(row)));
}

void ScenarioDriver::pressKey(const Arguments& arguments)
{
    Ref<Window> window = FindWindow(arguments[0]);
    std::string name = arguments[1];
    if (auto at = name.find("Period"); at != std::string::npos)
        name.replace(at, 6, ".");
    QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(name));
    if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown)
        throw CommandError { "there is no key " + arguments[1] };
    user_actions::TypeKey(*window, sequence[0]);
}

void ScenarioDriver::runMilliseconds(const Arguments& arguments)
{
    std::optional<double> milliseconds = parseNumber(arguments[0]);
    if (!milliseconds || *milliseconds < 0)
        throw CommandError { "\"run\" takes a number of milliseconds" };
    runFor(*milliseconds, {});
}

void ScenarioDriver::runUntil(const Arguments& arguments)
{
    std::optional<double> milliseconds = parseNumber(arguments[1]);
    if (!milliseconds || *milliseconds < 0)
        throw CommandError { "\"run-until\" takes a number of milliseconds" };
    std::function<bool()> until;
    if (arguments[0] == "message")
        until = [] { return ShowingMessageBox() != nullptr; };
    else if (arguments[0] == "idle")
        until = [] { return Scheduler::instance().liveThreadCount() == 0; };
    else
        throw CommandError { "run-until waits for \"message\" or \"idle\"" };
    if (!runFor(*milliseconds, until) && !m_ended)
        print("timeout");
}

void ScenarioDriver::dismissMessageBox(const Arguments&)
{
    if (!user_actions::ClickOkOnMessageBox())
        throw CommandError { "no message box is up" };
}

void ScenarioDriver::printValue(const Arguments& arguments)
{
    const std::string& name = arguments[0];
    std::optional<std::string> value = m_valuePrinter ? m_valuePrinter(name) : std::nullopt;
    if (!value)
        throw CommandError { "there is no value " + name };
    print("value: " + *value);
}

void ScenarioDriver::getProperty(const Arguments& arguments)
{
    const std::string& controlName = arguments[1];
    const std::string& property = arguments[2];
    Ref<Control> control = FindControl(arguments[0], controlName);
    auto rect = RuntimeCheckCast<RectControl>(control);
    std::optional<std::string> value;
    if (property == "Enabled" && rect)
        value = Boolean(rect->enabled());
    else if (property == "Visible" && rect)
        value = Boolean(rect->visible());
    else if (property == "Text") {
        if (auto field = RuntimeCheckCast<TextField>(control))
            value = field->Text();
        else if (auto label = RuntimeCheckCast<StaticText>(control))
            value = label->Text();
        else if (auto menu = RuntimeCheckCast<PopupMenu>(control))
            value = menu->Text();
    } else if (property == "Value") {
        if (auto box = RuntimeCheckCast<CheckBox>(control))
            value = Boolean(box->Value());
        else if (auto slider = RuntimeCheckCast<Slider>(control))
            value = std::to_string(slider->Value());
    } else if (property == "ListIndex") {
        if (auto menu = RuntimeCheckCast<PopupMenu>(control))
            value = std::to_string(menu->ListIndex());
    } else if (property == "Caption") {
        if (auto button = RuntimeCheckCast<PushButton>(control))
            value = button->caption();
        else if (auto box = RuntimeCheckCast<CheckBox>(control))
            value = box->caption();
    }
    if (!value)
        throw CommandError { controlName + " has no property " + property + " to get" };
    print("value: " + OneLine(*value));
}

void ScenarioDriver::snapshotCanvas(const Arguments& arguments)
{
    const std::string& controlName = arguments[1];
    const std::string& file = arguments[2];
    auto canvas = FindControlOf<Canvas>(arguments[0], controlName, "canvas");
    if (!canvas->savePicture(file))
        throw CommandError { "could not write " + file };
}

}
