#include "scenario/driver/ScenarioDriver.h"

#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#ifndef QUENDAL_SCENARIOS_DOC
#error "QUENDAL_SCENARIOS_DOC must name docs/scenarios.md"
#endif

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

// The commands that the table under "## Commands" documents, with their number of arguments,
// and what in its rows does not keep to the documented form.
struct DocumentedCommands {
    std::map<std::string, int> arities;
    std::vector<std::string> problems;
};

std::string Trimmed(const std::string& text)
{
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    auto begin = std::find_if_not(text.begin(), text.end(), blank);
    auto end = std::find_if_not(text.rbegin(), std::string::const_reverse_iterator(begin), blank).base();
    return std::string(begin, end);
}

bool IsPlaceholder(const std::string& word)
{
    return !word.empty() && std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isupper(c); });
}

// Reads the rows of the first table after "## Commands": the first cell of each is the command as
// typed, in backquotes, its name and then one upper-case word for each argument.
DocumentedCommands ReadDocumentedCommands(std::istream& markdown)
{
    DocumentedCommands documented;
    std::string line;
    while (std::getline(markdown, line) && line != "## Commands") { }
    if (!markdown) {
        documented.problems.push_back("no \"## Commands\" heading");
        return documented;
    }
    while (std::getline(markdown, line) && line.rfind('|', 0) != 0) { }
    // The header row is behind; the separator row follows.
    std::getline(markdown, line);
    while (std::getline(markdown, line) && line.rfind('|', 0) == 0) {
        std::string usage = Trimmed(line.substr(1, line.find('|', 1) - 1));
        if (usage.size() < 3 || usage.front() != '`' || usage.back() != '`') {
            documented.problems.push_back("a row without a command in backquotes: " + line);
            continue;
        }
        std::istringstream words(usage.substr(1, usage.size() - 2));
        std::string name;
        words >> name;
        int arity = 0;
        for (std::string argument; words >> argument; ++arity) {
            if (!IsPlaceholder(argument))
                documented.problems.push_back("\"" + name + "\" has an argument that is no upper-case word: " + argument);
        }
        if (!documented.arities.emplace(name, arity).second)
            documented.problems.push_back("\"" + name + "\" has more than one row");
    }
    if (documented.arities.empty())
        documented.problems.push_back("no command rows under \"## Commands\"");
    return documented;
}

// docs/scenarios.md lists exactly the driver's commands, each with as many arguments as the
// driver takes.
TEST(ScenarioDriver, DocumentedCommandsAreTheDriversCommands)
{
    std::ifstream doc(QUENDAL_SCENARIOS_DOC);
    ASSERT_TRUE(doc) << "cannot read " << QUENDAL_SCENARIOS_DOC;
    DocumentedCommands documented = ReadDocumentedCommands(doc);
    for (const std::string& problem : documented.problems)
        ADD_FAILURE() << QUENDAL_SCENARIOS_DOC << ": " << problem;

    std::map<std::string, int> driver;
    for (const ScenarioDriver::Command& command : ScenarioDriver::commandTable())
        driver.emplace(std::string(command.name), command.arity);

    for (const auto& [name, arity] : driver) {
        auto row = documented.arities.find(name);
        if (row == documented.arities.end())
            ADD_FAILURE() << "the driver's command \"" << name << "\" has no row in " << QUENDAL_SCENARIOS_DOC;
        else
            EXPECT_EQ(row->second, arity) << "arguments of \"" << name << "\": documented, then the driver's";
    }
    for (const auto& [name, arity] : documented.arities) {
        if (!driver.contains(name))
            ADD_FAILURE() << QUENDAL_SCENARIOS_DOC << " documents \"" << name << "\", which the driver lacks";
    }
}

// The reader of the doc finds what a row states and notices a row out of form, so that the check
// above cannot pass by reading nothing.
TEST(ScenarioDriver, DocumentedCommandsReaderTakesTheCommandsTableOnly)
{
    std::istringstream markdown(
        "## Input\n\n| a | b |\n|---|---|\n| `early X` | not a command |\n\n"
        "## Commands\n\nProse.\n\n| command | does |\n|---|---|\n"
        "| `dismiss` | no arguments |\n| `set W C TEXT` | three |\n| `run-until message MS` | a literal word |\n"
        "| `dismiss` | twice |\n| plain | no backquotes |\n\n"
        "### `print`\n\n| type | printed as |\n|---|---|\n| `late` | another table |\n");
    DocumentedCommands documented = ReadDocumentedCommands(markdown);
    std::map<std::string, int> expected { { "dismiss", 0 }, { "set", 3 }, { "run-until", 2 } };
    EXPECT_EQ(documented.arities, expected);
    EXPECT_EQ(documented.problems.size(), 3u) << ::testing::PrintToString(documented.problems);
}

// Sets the C library's locale for one test and puts the earlier one back.
class ScopedCLocale {
public:
    ScopedCLocale()
        : m_earlier(std::setlocale(LC_ALL, nullptr))
    {
    }
    ~ScopedCLocale() { std::setlocale(LC_ALL, m_earlier.c_str()); }
    bool set(const char* name) { return std::setlocale(LC_ALL, name) != nullptr; }

private:
    std::string m_earlier;
};

// A German user's locale, as Qt sets it for the C library from the environment, writes 0,5 for
// one half. Qt's offscreen driver runs under it as under any other.
bool SetDecimalCommaLocale(ScopedCLocale& locale)
{
    for (const char* name : { "de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8", "nl_NL.UTF-8", "ru_RU.UTF-8" }) {
        if (locale.set(name) && std::string(std::localeconv()->decimal_point) == ",")
            return true;
    }
    return false;
}

TEST(ScenarioDriver, NumbersHaveADecimalPointInADecimalCommaLocale)
{
    ScopedCLocale locale;
    if (!SetDecimalCommaLocale(locale))
        GTEST_SKIP() << "no locale with a decimal comma is installed (Debian: localedef -i de_DE -f UTF-8 de_DE.UTF-8)";
    char written[32];
    std::snprintf(written, sizeof written, "%.1f", 0.5);
    ASSERT_STREQ(written, "0,5") << "the locale in force writes a decimal comma";

    EXPECT_EQ(ScenarioDriver::formatDouble(99.953958900308763), "99.953958900308763");
    EXPECT_EQ(ScenarioDriver::formatDouble(0.03), "0.029999999999999999");
    EXPECT_EQ(ScenarioDriver::formatDouble(-2.5e-7), "-2.4999999999999999e-07");
    EXPECT_EQ(ScenarioDriver::parseNumber("2.5"), 2.5);
    EXPECT_EQ(ScenarioDriver::parseNumber("145.5"), 145.5);
    EXPECT_EQ(ScenarioDriver::parseNumber("2,5"), std::nullopt);
}

// In the C locale the driver writes what printf's %.17g writes, which the expected outputs hold.
TEST(ScenarioDriver, NumbersAreWrittenAsPrintfWritesThemInTheCLocale)
{
    ScopedCLocale locale;
    ASSERT_TRUE(locale.set("C"));
    for (double value : { 0.0, -0.0, 1.0, 0.1, 0.03, 99.953958900308763, 2.5000000000000009, 36.25, -1e-300, 1e16,
             1e17, 123456789012345678.0, 5e-324, std::numeric_limits<double>::max() }) {
        char written[64];
        std::snprintf(written, sizeof written, "%.17g", value);
        EXPECT_EQ(ScenarioDriver::formatDouble(value), written);
    }
    EXPECT_EQ(ScenarioDriver::formatDouble(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(ScenarioDriver::formatDouble(-std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(ScenarioDriver::formatDouble(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(ScenarioDriver::formatDouble(-std::numeric_limits<double>::infinity()), "-inf");
}

// Numbers in a scenario read as strtod reads them in the C locale; only finite ones count.
TEST(ScenarioDriver, NumbersAreReadAsStrtodReadsThemInTheCLocale)
{
    ScopedCLocale locale;
    ASSERT_TRUE(locale.set("C"));
    EXPECT_EQ(ScenarioDriver::parseNumber("145"), 145.0);
    EXPECT_EQ(ScenarioDriver::parseNumber("-5"), -5.0);
    EXPECT_EQ(ScenarioDriver::parseNumber("+5"), 5.0);
    EXPECT_EQ(ScenarioDriver::parseNumber("1e3"), 1000.0);
    EXPECT_EQ(ScenarioDriver::parseNumber("0x10"), 16.0);
    for (const char* text : { "", "ten", "5ms", "1.5.", "inf", "nan", "1e400" })
        EXPECT_EQ(ScenarioDriver::parseNumber(text), std::nullopt) << text;
}

}
