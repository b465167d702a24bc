#include "diagram/Dialog1PropertyLists.h"
#include "main_window/Window1PropertyLists.h"

#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/PushButton.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <span>
#include <string_view>
#include <vector>

using namespace Dialog1Lists;

namespace {

struct ListCase {
    const fw::PropertyList& list;
    const fw::ClassInfo& targetClass;
    std::size_t entries;
};

TEST(Dialog1PropertyLists, EachReadsCompletelyAgainstItsClass)
{
    const ListCase cases[] = {
        { kWindow, fw::Window::StaticClass(), 21 },
        { kCanvas1, fw::Canvas::StaticClass(), 23 },
        { kPushButtonClear, fw::PushButton::StaticClass(), 25 },
        { kCheckBoxGrid, fw::CheckBox::StaticClass(), 27 }
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(std::string(c.list.name()));
        EXPECT_EQ(fw::CountPropertyEntries(c.targetClass, c.list), c.entries);
        EXPECT_GE(c.list.size(), 169u);
        EXPECT_LE(c.list.size(), 456u);
    }
    EXPECT_EQ(kWindow.size(), 278u);
}

std::vector<std::string_view> Names(std::span<const fw::PropertyEntry> entries)
{
    std::vector<std::string_view> names;
    for (const fw::PropertyEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

// Lists of one class name the same properties in the same order in every window.
TEST(Dialog1PropertyLists, EachNamesItsClassEntriesAsTheMainWindowDoes)
{
    EXPECT_EQ(Names(kWindowEntries), Names(Window1Lists::kWindowEntries));
    EXPECT_EQ(Names(kCanvas1Entries), Names(Window1Lists::kCanvas1Entries));
    EXPECT_EQ(Names(kPushButtonClearEntries), Names(Window1Lists::kPushButtonStartEntries));
    EXPECT_EQ(Names(kCheckBoxGridEntries), Names(Window1Lists::kCheckBoxvhEntries));
}

TEST(Dialog1PropertyLists, WindowListHoldsPlacementFrameAndTitle)
{
    const unsigned char expected[] = {
        'P', 'l', 'a', 'c', 'e', 'm', 'e', 'n', 't', ' ', 0, 0, 0, 2,
        'W', 'i', 'd', 't', 'h', ' ', 0, 0, 0x01, 0x06
    };
    auto bytes = kWindow.bytes();
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), bytes.begin()));

    auto contains = [&](std::string_view needle) {
        return std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end()) != bytes.end();
    };
    EXPECT_TRUE(contains(std::string_view("Frame \0\0\0\x07", 10)));
    EXPECT_TRUE(contains(std::string_view("Title \0\0\0\x0BV/h Diagram", 21)));
    EXPECT_TRUE(contains("MacProcID "));
}

}
