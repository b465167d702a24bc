#include "scenario/ScenarioDriver.h"

#include "Canvas.h"
#include "CheckBox.h"
#include "Clock.h"
#include "MessageBox.h"
#include "PopupMenu.h"
#include "PushButton.h"
#include "Runtime.h"
#include "Scheduler.h"
#include "Slider.h"
#include "StaticText.h"
#include "TextField.h"
#include "Window.h"
#include "WindowWidget.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>

namespace fw {

namespace {

// A window's name in a scenario: its class name up to the first dot ("Window1.Window1" is Window1).
std::string ShortName(const Window& window)
{
    const std::string& name = window.classInfo().name();
    return name.substr(0, name.find('.'));
}

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
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

// Splits "command window control rest", where rest is everything after the one space that
// follows control, taken as it stands.
bool SplitWithText(const std::string& line, std::string& window, std::string& control, std::string& rest)
{
    std::size_t first = line.find(' ');
    if (first == std::string::npos)
        return false;
    std::size_t second = line.find(' ', first + 1);
    if (second == std::string::npos)
        return false;
    window = line.substr(first + 1, second - first - 1);
    std::size_t third = line.find(' ', second + 1);
    control = line.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
    rest = third == std::string::npos ? std::string() : line.substr(third + 1);
    return !window.empty() && !control.empty();
}

bool ParseNumber(const std::string& text, double& number)
{
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0' && std::isfinite(number);
}

const char* Boolean(bool value) { return value ? "True" : "False"; }

struct CommandError {
    std::string why;
};

Ref<Window> FindWindow(const std::string& name)
{
    for (const Ref<Window>& window : OpenWindows()) {
        if (ShortName(*window) == name)
            return window;
    }
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

// While a box is up it takes the input of every other window.
void RequireNoBox()
{
    if (ShowingMessageBox())
        throw CommandError { "a message box is up" };
}

void RequireUsable(const RectControl& control, const std::string& name)
{
    if (!control.visible())
        throw CommandError { name + " is hidden" };
    if (!control.enabled())
        throw CommandError { name + " is disabled" };
}

void ChooseMenuItemAsUser(Window& owner, const std::string& itemName)
{
    // As a user does: the item's menu opens, which raises EnableMenuItems, and Return chooses
    // the item, so that its handler runs behind the same boundary as a real choice.
    auto* action = owner.widget()->findChild<QAction*>(QString::fromStdString(itemName));
    auto* menu = action ? qobject_cast<QMenu*>(action->parent()) : nullptr;
    if (!menu)
        throw CommandError { "there is no menu item " + itemName };
    menu->popup(owner.widget()->mapToGlobal(QPoint(0, 0)));
    menu->setActiveAction(action);
    QTest::keyClick(menu, Qt::Key_Return);
}

}

ScenarioDriver::ScenarioDriver(std::ostream& output, ValuePrinter printValue)
    : m_output(output)
    , m_printValue(std::move(printValue))
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
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
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

void ScenarioDriver::windowOpened(Window& window) { print("opened: " + ShortName(window)); }
void ScenarioDriver::windowClosed(Window& window) { print("closed: " + ShortName(window)); }
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
    if (std::exception_ptr exception = TakeMainThreadException()) {
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

void ScenarioDriver::execute(const std::string& line)
{
    std::vector<std::string> words = Words(line);
    const std::string& command = words[0];
    auto needWords = [&](std::size_t count) {
        if (words.size() != count)
            throw CommandError { "\"" + command + "\" takes " + std::to_string(count - 1) + " arguments" };
    };

    if (command == "set" || command == "select") {
        std::string windowName, controlName, text;
        if (!SplitWithText(line, windowName, controlName, text))
            throw CommandError { "\"" + command + "\" takes a window, a control and a text" };
        RequireNoBox();
        Ref<Control> control = FindControl(windowName, controlName);
        if (command == "set") {
            auto field = RuntimeCheckCast<TextField>(control);
            if (!field)
                throw CommandError { controlName + " is no text field" };
            RequireUsable(*field, controlName);
            field->type(text);
        } else {
            auto menu = RuntimeCheckCast<PopupMenu>(control);
            if (!menu)
                throw CommandError { controlName + " is no pop-up menu" };
            RequireUsable(*menu, controlName);
            if (!menu->choose(text))
                throw CommandError { controlName + " has no row \"" + text + "\"" };
        }
        return;
    }

    if (command == "slide") {
        needWords(4);
        RequireNoBox();
        auto slider = RuntimeCheckCast<Slider>(FindControl(words[1], words[2]));
        double value = 0;
        if (!slider)
            throw CommandError { words[2] + " is no slider" };
        if (!ParseNumber(words[3], value) || value != std::floor(value))
            throw CommandError { "\"" + words[3] + "\" is no whole number" };
        RequireUsable(*slider, words[2]);
        slider->slideTo(std::int32_t(std::clamp(value, double(slider->minimum()), double(slider->maximum()))));
        return;
    }

    if (command == "click") {
        needWords(3);
        RequireNoBox();
        Ref<Control> control = FindControl(words[1], words[2]);
        if (auto button = RuntimeCheckCast<PushButton>(control)) {
            RequireUsable(*button, words[2]);
            button->push();
        } else if (auto box = RuntimeCheckCast<CheckBox>(control)) {
            RequireUsable(*box, words[2]);
            box->click();
        } else {
            throw CommandError { words[2] + " is no button or check box" };
        }
        return;
    }

    if (command == "menu") {
        needWords(2);
        RequireNoBox();
        Ref<Window> owner;
        for (const Ref<Window>& window : OpenWindows()) {
            if (window->hasMenuHandlers())
                owner = window;
        }
        if (!owner)
            throw CommandError { "no window with a menu bar is open" };
        if (words[1] != kQuitMenuItem && words[1] != kAboutMenuItem)
            throw CommandError { "there is no menu item " + words[1] };
        ChooseMenuItemAsUser(*owner, words[1]);
        return;
    }

    if (command == "close") {
        needWords(2);
        RequireNoBox();
        Ref<Window> window = FindWindow(words[1]);
        if (!window->closeButton())
            throw CommandError { words[1] + " has no close button" };
        window->widget()->close();
        return;
    }

    if (command == "press") {
        needWords(4);
        RequireNoBox();
        Ref<Window> window = FindWindow(words[1]);
        double x = 0, y = 0;
        if (!ParseNumber(words[2], x) || !ParseNumber(words[3], y))
            throw CommandError { "a press takes whole-number coordinates" };
        QWidget* content = window->widget()->content();
        QPoint point { int(x), int(y) };
        if (!content->rect().contains(point))
            throw CommandError { "the point lies outside " + words[1] };
        QWidget* target = content->childAt(point);
        if (!target)
            target = content;
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(content, point));
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(content, point));
        return;
    }

    if (command == "key") {
        needWords(3);
        Ref<Window> window = FindWindow(words[1]);
        std::string name = words[2];
        if (auto at = name.find("Period"); at != std::string::npos)
            name.replace(at, 6, ".");
        QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(name));
        if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown)
            throw CommandError { "there is no key " + words[2] };
        // The box that is up takes the keys of every window.
        QWidget* receiver = ShowingMessageBox();
        if (!receiver)
            receiver = window->widget();
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != receiver)
            target = receiver;
        QTest::keyClick(target, sequence[0].key(), sequence[0].keyboardModifiers());
        return;
    }

    if (command == "run") {
        needWords(2);
        double milliseconds = 0;
        if (!ParseNumber(words[1], milliseconds) || milliseconds < 0)
            throw CommandError { "\"run\" takes a number of milliseconds" };
        runFor(milliseconds, {});
        return;
    }

    if (command == "run-until") {
        needWords(3);
        double milliseconds = 0;
        if (!ParseNumber(words[2], milliseconds) || milliseconds < 0)
            throw CommandError { "\"run-until\" takes a number of milliseconds" };
        std::function<bool()> until;
        if (words[1] == "message")
            until = [] { return ShowingMessageBox() != nullptr; };
        else if (words[1] == "idle")
            until = [] { return Scheduler::instance().liveThreadCount() == 0; };
        else
            throw CommandError { "run-until waits for \"message\" or \"idle\"" };
        if (!runFor(milliseconds, until) && !m_ended)
            print("timeout");
        return;
    }

    if (command == "dismiss") {
        needWords(1);
        QMessageBox* box = ShowingMessageBox();
        if (!box)
            throw CommandError { "no message box is up" };
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        return;
    }

    if (command == "print") {
        needWords(2);
        std::optional<std::string> value = m_printValue ? m_printValue(words[1]) : std::nullopt;
        if (!value)
            throw CommandError { "there is no value " + words[1] };
        print("value: " + *value);
        return;
    }

    if (command == "get") {
        needWords(4);
        Ref<Control> control = FindControl(words[1], words[2]);
        const std::string& property = words[3];
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
            throw CommandError { words[2] + " has no property " + property + " to get" };
        print("value: " + OneLine(*value));
        return;
    }

    if (command == "snapshot") {
        needWords(4);
        auto canvas = RuntimeCheckCast<Canvas>(FindControl(words[1], words[2]));
        if (!canvas)
            throw CommandError { words[2] + " is no canvas" };
        if (!canvas->savePicture(words[3]))
            throw CommandError { "could not write " + words[3] };
        return;
    }

    throw CommandError { "there is no command \"" + command + "\"" };
}

}
