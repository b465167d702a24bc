#include "about/AboutWindowPropertyLists.h"
#include "main_window/Window1PropertyLists.h"

#include <fw/Canvas.h>
#include <fw/Line.h>
#include <fw/StaticText.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace AboutWindowLists;

namespace {

using Entries = std::span<const fw::PropertyEntry>;
using Names = std::vector<std::string_view>;

Names NamesOf(Entries entries)
{
    Names names;
    for (const fw::PropertyEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

long Find(const fw::PropertyList& list, std::string_view needle)
{
    auto bytes = list.bytes();
    auto at = std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end());
    return at == bytes.end() ? -1 : long(at - bytes.begin());
}

std::string EncodedString(std::string_view name, std::string_view text)
{
    std::string bytes(name);
    bytes += ' ';
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += char((text.size() >> shift) & 0xFF);
    bytes += text;
    return bytes;
}

struct ListCase {
    const fw::PropertyList& list;
    const fw::ClassInfo& targetClass;
    std::size_t entries;
};

TEST(AboutWindowPropertyLists, EachReadsCompletelyAgainstItsClass)
{
    const ListCase cases[] = {
        { kWindow, fw::Window::StaticClass(), 21 },
        { kCanvas1, fw::Canvas::StaticClass(), 23 },
        { kStaticText2, fw::StaticText::StaticClass(), 27 },
        { kStaticText3, fw::StaticText::StaticClass(), 27 },
        { kLine1, fw::Line::StaticClass(), 15 },
        { kLine2, fw::Line::StaticClass(), 15 },
        { kLine3, fw::Line::StaticClass(), 15 },
        { kLine4, fw::Line::StaticClass(), 15 },
        { kLine5, fw::Line::StaticClass(), 15 },
        { kStaticText1, fw::StaticText::StaticClass(), 27 },
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(std::string(c.list.name()));
        EXPECT_EQ(fw::CountPropertyEntries(c.targetClass, c.list), c.entries);
        EXPECT_GE(c.list.size(), 169u);
        EXPECT_LE(c.list.size(), 456u);
    }
}

// Lists of one class name the same properties in the same order in every window.
TEST(AboutWindowPropertyLists, EachNamesItsClassEntriesAsTheMainWindowDoes)
{
    EXPECT_EQ(NamesOf(kWindowEntries), NamesOf(Window1Lists::kWindowEntries));
    EXPECT_EQ(NamesOf(kCanvas1Entries), NamesOf(Window1Lists::kCanvas1Entries));
    for (Entries label : { Entries(kStaticText2Entries), Entries(kStaticText3Entries), Entries(kStaticText1Entries) })
        EXPECT_EQ(NamesOf(label), NamesOf(Window1Lists::kStaticText1Entries));
}

TEST(AboutWindowPropertyLists, LinesGiveTopBeforeLeftAndHangInTheLineBefore)
{
    const Names lineOrder = { "Name", "Index", "Top", "Left", "Width", "Height", "X1", "X2", "Y1", "Y2",
        "TabPanelIndex", "Visible", "BorderWidth", "LineColor", "InitialParent" };
    struct LineCase {
        const fw::PropertyList& list;
        Entries entries;
        std::string_view parent;
    };
    const LineCase lines[] = {
        { kLine1, kLine1Entries, "Canvas1" },
        { kLine2, kLine2Entries, "Line1" },
        { kLine3, kLine3Entries, "Line2" },
        { kLine4, kLine4Entries, "Line3" },
        { kLine5, kLine5Entries, "Line4" },
    };
    for (const LineCase& c : lines) {
        SCOPED_TRACE(std::string(c.list.name()));
        EXPECT_EQ(NamesOf(c.entries), lineOrder);
        std::string parent = EncodedString("InitialParent", c.parent);
        long at = Find(c.list, parent);
        ASSERT_GE(at, 0);
        EXPECT_EQ(std::size_t(at) + parent.size(), c.list.size());
    }
}

TEST(AboutWindowPropertyLists, CreditLineIsTwoLinesOfMultilineText)
{
    EXPECT_GE(Find(kStaticText2, EncodedString("Text", "A meteoroid's flight\rthrough the atmosphere")), 0);
    EXPECT_GE(Find(kStaticText2, std::string_view("Multiline \x01", 11)), 0);
    EXPECT_GE(Find(kStaticText1, std::string_view("Multiline \x00", 11)), 0);
}

}
