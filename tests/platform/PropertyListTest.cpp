#include <fw/PropertyList.h>

#include "about/AboutWindowPropertyLists.h"
#include "main_window/Window1PropertyLists.h"
#include <fw/CheckBox.h>
#include <fw/Exceptions.h>
#include <fw/Line.h>
#include <fw/PopupMenu.h>
#include <fw/Slider.h>
#include <fw/StaticText.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <regex>
#include <span>
#include <string>
#include <vector>

using namespace fw;

namespace {

using Bytes = std::vector<unsigned char>;

// Written here by hand rather than with EncodePropertyList, so that the reader is checked
// against a second writer.
Bytes Encode(std::initializer_list<PropertyEntry> entries)
{
    Bytes bytes;
    auto put32 = [&](std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<unsigned char>(value >> shift));
    };
    for (const PropertyEntry& entry : entries) {
        bytes.insert(bytes.end(), entry.name.begin(), entry.name.end());
        bytes.push_back(' ');
        switch (entry.type) {
        case PropertyType::Int32:
            put32(static_cast<std::uint32_t>(entry.integer));
            break;
        case PropertyType::Boolean:
            bytes.push_back(entry.boolean ? 1 : 0);
            break;
        case PropertyType::Color:
            bytes.push_back(static_cast<unsigned char>(entry.rgb >> 16));
            bytes.push_back(static_cast<unsigned char>(entry.rgb >> 8));
            bytes.push_back(static_cast<unsigned char>(entry.rgb));
            break;
        case PropertyType::String:
            put32(static_cast<std::uint32_t>(entry.text.size()));
            bytes.insert(bytes.end(), entry.text.begin(), entry.text.end());
            break;
        }
    }
    return bytes;
}

Bytes Concat(Bytes a, std::string_view tail)
{
    a.insert(a.end(), tail.begin(), tail.end());
    return a;
}

TEST(PropertyList, NamesMatchWithoutRegardToCase)
{
    const char* spellings[] = { "MacProcID", "MacProcId", "macprocid", "MACPROCID" };
    std::int32_t value = 1;
    for (const char* spelling : spellings) {
        SCOPED_TRACE(spelling);
        Bytes bytes = Encode({ plist::Int32(spelling, value) });
        Ref<Window> window(new Window);
        SetProperties(*window, PropertyList("Test.Case", bytes));
        EXPECT_EQ(window->keptProperty("MacProcId"), PropertyValue(value));
        ++value;
    }

    Bytes multiline = Encode({ plist::Bool("Multiline", true) });
    EXPECT_EQ(CountPropertyEntries(StaticText::StaticClass(), PropertyList("Test.Label", multiline)), 1u);
    Ref<StaticText> label(new StaticText);
    SetProperties(*label, PropertyList("Test.Label", multiline));
    EXPECT_TRUE(label->multiLine());
}

TEST(PropertyList, AppliesEveryTypeOfValue)
{
    Bytes bytes = Encode({
        plist::Int32("Width", 639),
        plist::Int32("MacProcID", -2),
        plist::Bool("Resizeable", false),
        plist::Rgb("BackColor", 0xE6EDD3),
        plist::String("Title", ""),
        plist::Bool("Composite", true),
    });

    Ref<Window> window(new Window);
    window->setTitle("before");
    SetProperties(*window, PropertyList("Test.Window", bytes));
    EXPECT_EQ(window->width(), 639);
    EXPECT_EQ(window->keptProperty("MacProcId"), PropertyValue(std::int32_t(-2)));
    EXPECT_FALSE(window->resizeable());
    EXPECT_EQ(window->backColor(), (Color { 0xE6, 0xED, 0xD3 }));
    EXPECT_EQ(window->title(), "");
    EXPECT_EQ(window->keptProperty("Composite"), PropertyValue(true));

    // Strings are Mac Roman; a carriage return stays as it is.
    Ref<StaticText> label(new StaticText);
    SetProperties(*label, PropertyList("Test.Label", Encode({ plist::String("Text", "\xA5 a\rb") })));
    EXPECT_EQ(label->Text(), "\xE2\x80\xA2 a\rb");
}

struct MalformedCase {
    const char* what;
    Bytes bytes;
    std::size_t offset;
};

std::size_t OffsetIn(const std::string& message)
{
    std::smatch match;
    if (!std::regex_search(message, match, std::regex("byte ([0-9]+)")))
        return std::size_t(-1);
    return std::stoul(match[1]);
}

TEST(PropertyList, RaisesNamingTheListAndTheOffset)
{
    const Bytes width = Encode({ plist::Int32("Width", 5) }); // 10 bytes
    const MalformedCase cases[] = {
        { "unknown name", Concat(width, std::string_view("Nonsense \0\0\0\1", 13)), 10 },
        { "Int32 cut off", Concat(width, std::string_view("Height \0\0", 9)), 17 },
        // clang-format off
        { "String count past the end", Concat(width, std::string_view("Title \xFF\xFF\xFF\xFF" "abc", 13)), 16 },
        // clang-format on
        { "name at the end", Concat(width, std::string_view("Height")), 16 },
        { "name without a space", Concat(width, std::string_view("Height\0\0\0\0\1", 11)), 16 },
        { "no name", Concat(width, std::string_view(" \0\0\0\1", 5)), 10 },
        { "Boolean 2", Concat(width, std::string_view("Visible \2", 9)), 18 },
        { "Boolean FF", Concat(width, std::string_view("Visible \xFF", 9)), 18 },
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.what);
        Ref<Window> window(new Window);
        try {
            SetProperties(*window, PropertyList("Test.Malformed", c.bytes));
            ADD_FAILURE() << "no exception";
        } catch (const RuntimeException& e) {
            std::string message = e.what();
            EXPECT_NE(message.find("Test.Malformed"), std::string::npos) << message;
            EXPECT_EQ(OffsetIn(message), c.offset) << message;
        }
    }
}

struct RealList {
    const PropertyList& list;
    std::span<const PropertyEntry> entries;
    const ClassInfo& targetClass;
};

const RealList kRealLists[] = {
    { Window1Lists::kWindow, Window1Lists::kWindowEntries, Window::StaticClass() },
    { Window1Lists::kStaticText9, Window1Lists::kStaticText9Entries, StaticText::StaticClass() },
    { Window1Lists::kCheckBoxvh, Window1Lists::kCheckBoxvhEntries, CheckBox::StaticClass() },
    { Window1Lists::kEditFieldDia, Window1Lists::kEditFieldDiaEntries, TextField::StaticClass() },
    { Window1Lists::kSliderAngle, Window1Lists::kSliderAngleEntries, Slider::StaticClass() },
    { Window1Lists::kPopupMenuOrigin, Window1Lists::kPopupMenuOriginEntries, PopupMenu::StaticClass() },
    { AboutWindowLists::kLine2, AboutWindowLists::kLine2Entries, Line::StaticClass() },
};

// Each prefix is copied to a buffer of its own length, so that a read past it is caught.
TEST(PropertyList, EveryPrefixEndsAtAnEntryOrRaises)
{
    for (const RealList& real : kRealLists) {
        SCOPED_TRACE(std::string(real.list.name()));
        std::vector<std::size_t> entryEnds { 0 };
        for (const PropertyEntry& entry : real.entries)
            entryEnds.push_back(entryEnds.back() + entry.encodedSize());
        ASSERT_EQ(entryEnds.back(), real.list.size());

        std::size_t entriesBefore = 0;
        for (std::size_t length = 0; length <= real.list.size(); ++length) {
            Bytes prefix(real.list.bytes().begin(), real.list.bytes().begin() + std::ptrdiff_t(length));
            PropertyList cut("Test.Prefix", prefix);
            if (length == entryEnds[entriesBefore]) {
                EXPECT_EQ(CountPropertyEntries(real.targetClass, cut), entriesBefore) << length;
                ++entriesBefore;
            } else {
                EXPECT_THROW(CountPropertyEntries(real.targetClass, cut), RuntimeException) << length;
            }
        }
    }
}

// A corrupted list is either read to its end and applied, or it raises the framework's exception
// naming the list and an offset within it; nothing is read outside it. Each copy lies in a buffer
// of its own length, so that a read past its end is caught in a sanitizer build.
TEST(PropertyList, CorruptedCopiesReturnOrRaise)
{
    std::mt19937 random(20240611);
    int applied = 0;
    int raised = 0;
    for (int round = 0; round < 4000; ++round) {
        const RealList& real = kRealLists[random() % std::size(kRealLists)];
        auto source = real.list.bytes();
        Bytes bytes(source.begin(), source.end());
        int changes = 1 + int(random() % 4);
        for (int i = 0; i < changes; ++i)
            bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
        if (random() % 4 == 0)
            bytes.resize(random() % bytes.size());
        const Bytes copy(bytes.begin(), bytes.end());
        const PropertyList corrupted("Test.Corrupted", copy);
        SCOPED_TRACE(std::string(real.list.name()) + ", round " + std::to_string(round));

        Ref<Object> target = RuntimeNewObject(real.targetClass);
        ASSERT_TRUE(target);
        try {
            CountPropertyEntries(real.targetClass, corrupted);
        } catch (const RuntimeException& e) {
            std::string message = e.what();
            EXPECT_NE(message.find("Test.Corrupted"), std::string::npos) << message;
            EXPECT_LE(OffsetIn(message), copy.size()) << message;
            try {
                SetProperties(*target, corrupted);
                ADD_FAILURE() << "counted as malformed, yet applied: " << message;
            } catch (const RuntimeException& applying) {
                EXPECT_EQ(std::string(applying.what()), message) << "applying stops where counting does";
            }
            ++raised;
            continue;
        }
        EXPECT_NO_THROW(SetProperties(*target, corrupted));
        ++applied;
    }
    // Both outcomes occur, so both branches were checked.
    EXPECT_GT(applied, 0);
    EXPECT_GT(raised, 0);
}

TEST(PropertyList, MacRomanMapsHighBytesAndKeepsAscii)
{
    struct Case {
        std::string_view macRoman;
        std::string_view utf8;
    };
    const Case cases[] = {
        { "\x80", "Ä" },
        { "\xA5", "•" },
        { "\xDB", "€" },
        { "Az09 /\r", "Az09 /\r" },
        { "a\x80z", "aÄz" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MacRomanToUtf8(c.macRoman), c.utf8) << c.utf8;
}

}
