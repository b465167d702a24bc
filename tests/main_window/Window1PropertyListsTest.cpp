#include "main_window/Window1PropertyLists.h"

#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/PopupMenu.h>
#include <fw/PushButton.h>
#include <fw/Slider.h>
#include <fw/StaticText.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

using namespace Window1Lists;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Of(const fw::PropertyList& list)
{
    auto bytes = list.bytes();
    return Bytes(bytes.begin(), bytes.end());
}

// Where the bytes occur in the list, or -1.
long Find(const fw::PropertyList& list, const Bytes& needle)
{
    auto bytes = list.bytes();
    auto at = std::search(bytes.begin(), bytes.end(), needle.begin(), needle.end());
    return at == bytes.end() ? -1 : long(at - bytes.begin());
}

Bytes Ascii(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Each class's entry order, with the names spelled as the lists write them.
using Order = std::vector<std::string_view>;
Order ControlOrder(std::initializer_list<std::string_view> tail)
{
    Order order = { "Name", "Index", "Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight",
        "LockBottom", "TabPanelIndex", "TabIndex" };
    order.insert(order.end(), tail);
    return order;
}
const Order kWindowOrder = {
    "Placement", "Width", "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight", "Frame", "Composite",
    "HasBackColor", "BackColor", "Title", "Visible", "FullScreen", "MenuBarVisible", "CloseButton",
    "Resizeable", "LiveResize", "MaximizeButton", "MinimizeButton", "MacProcID"
};
// clang-format off
const Order kCanvasOrder = ControlOrder({
    "TabStop", "Visible", "HelpTag", "AutoDeactivate", "Enabled", "UseFocusRing", "AcceptFocus",
    "AcceptTabs", "DoubleBuffer", "EraseBackground", "InitialParent"
});
const Order kPushButtonOrder = ControlOrder({
    "TabStop", "Caption", "Default", "Cancel", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "TextFont",
    "Bold", "Italic", "Underline", "InitialParent"
});
const Order kStaticTextOrder = ControlOrder({
    "Text", "TextAlign", "TextColor", "Multiline", "Enabled", "Visible", "HelpTag", "AutoDeactivate",
    "TextFont", "Bold", "Italic", "Underline", "DataSource", "DataField", "InitialParent"
});
const Order kCheckBoxOrder = ControlOrder({
    "TabStop", "Caption", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic",
    "Underline", "State", "Value", "DataSource", "DataField", "InitialParent"
});
const Order kTextFieldOrder = ControlOrder({
    "TabStop", "Border", "Password", "UseFocusRing", "TextColor", "BackColor", "Enabled", "Format",
    "Visible", "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic", "Underline", "CueText", "Text",
    "Mask", "ReadOnly", "LimitText", "AcceptTabs", "Alignment", "DataSource", "DataField", "InitialParent"
});
const Order kSliderOrder = ControlOrder({
    "TabStop", "Enabled", "Visible", "HelpTag", "AutoDeactivate", "Minimum", "Value", "Maximum", "LineStep",
    "PageStep", "LiveScroll", "TickStyle", "InitialParent"
});
const Order kPopupMenuOrder = ControlOrder({
    "TabStop", "Enabled", "InitialValue", "ListIndex", "Visible", "HelpTag", "AutoDeactivate", "TextFont",
    "Bold", "Italic", "Underline", "DataSource", "DataField", "InitialParent"
});
// clang-format on

struct ListCase {
    const fw::PropertyList& list;
    std::span<const fw::PropertyEntry> entries;
    const fw::ClassInfo& targetClass;
    const Order& order;
    std::size_t entryCount;
    std::size_t bytes;
};

// In creation order, after the window's own list.
const ListCase kCases[] = {
    { kWindow, kWindowEntries, fw::Window::StaticClass(), kWindowOrder, 21, 273 },
    { kCanvas1, kCanvas1Entries, fw::Canvas::StaticClass(), kCanvasOrder, 23, 280 },
    { kPushButtonStart, kPushButtonStartEntries, fw::PushButton::StaticClass(), kPushButtonOrder, 25, 303 },
    { kPushButtonStopp, kPushButtonStoppEntries, fw::PushButton::StaticClass(), kPushButtonOrder, 25, 302 },
    { kPushButton3, kPushButton3Entries, fw::PushButton::StaticClass(), kPushButtonOrder, 25, 298 },
    { kStaticText1, kStaticText1Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 344 },
    { kStaticText4, kStaticText4Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 344 },
    { kCheckBoxvh, kCheckBoxvhEntries, fw::CheckBox::StaticClass(), kCheckBoxOrder, 27, 322 },
    { kStaticText3, kStaticText3Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 345 },
    { kStaticText5, kStaticText5Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 342 },
    { kStaticText7, kStaticText7Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 333 },
    { kStaticText8, kStaticText8Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 333 },
    { kEditFieldDia, kEditFieldDiaEntries, fw::TextField::StaticClass(), kTextFieldOrder, 37, 445 },
    { kStaticText9, kStaticText9Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 350 },
    { kStaticText10, kStaticText10Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 336 },
    { kStaticText11, kStaticText11Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 336 },
    { kSliderAngle, kSliderAngleEntries, fw::Slider::StaticClass(), kSliderOrder, 25, 307 },
    { kStaticTextAngle, kStaticTextAngleEntries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 338 },
    { kPopupMenuType, kPopupMenuTypeEntries, fw::PopupMenu::StaticClass(), kPopupMenuOrder, 26, 369 },
    { kPopupMenuOrigin, kPopupMenuOriginEntries, fw::PopupMenu::StaticClass(), kPopupMenuOrder, 26, 456 },
    { kStaticText2, kStaticText2Entries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 343 },
    { kStaticTextS, kStaticTextSEntries, fw::StaticText::StaticClass(), kStaticTextOrder, 27, 333 },
};

TEST(Window1PropertyLists, EachReadsCompletelyAgainstItsClass)
{
    for (const ListCase& c : kCases) {
        SCOPED_TRACE(std::string(c.list.name()));
        EXPECT_EQ(c.list.size(), c.bytes);
        EXPECT_EQ(fw::CountPropertyEntries(c.targetClass, c.list), c.entryCount);
    }
}

TEST(Window1PropertyLists, EachNamesItsClassEntriesInOrder)
{
    for (const ListCase& c : kCases) {
        SCOPED_TRACE(std::string(c.list.name()));
        Order names;
        for (const fw::PropertyEntry& entry : c.entries)
            names.push_back(entry.name);
        EXPECT_EQ(names, c.order);
    }
}

TEST(Window1PropertyLists, WindowListHoldsTheWorkedBytes)
{
    const Bytes placement = { 0x50, 0x6C, 0x61, 0x63, 0x65, 0x6D, 0x65, 0x6E, 0x74, 0x20, 0x00, 0x00, 0x00, 0x00 };
    const Bytes window = Of(kWindow);
    EXPECT_EQ(Bytes(window.begin(), window.begin() + 14), placement);

    const Bytes worked[] = {
        { 0x57, 0x69, 0x64, 0x74, 0x68, 0x20, 0x00, 0x00, 0x02, 0x7F },
        { 0x48, 0x61, 0x73, 0x42, 0x61, 0x63, 0x6B, 0x43, 0x6F, 0x6C, 0x6F, 0x72, 0x20, 0x01 },
        { 0x42, 0x61, 0x63, 0x6B, 0x43, 0x6F, 0x6C, 0x6F, 0x72, 0x20, 0xE6, 0xED, 0xD3 },
        { 0x54, 0x69, 0x74, 0x6C, 0x65, 0x20, 0x00, 0x00, 0x00, 0x06, 0x56, 0x75, 0x72, 0x65, 0x64, 0x6F },
    };
    for (const Bytes& entry : worked)
        EXPECT_GE(Find(kWindow, entry), 0) << std::string(entry.begin(), entry.end());
    EXPECT_GE(Find(kWindow, Ascii("MacProcID ")), 0);
}

TEST(Window1PropertyLists, EveryControlListHoldsTheLeastIndexAndAnEmptyHelpTag)
{
    const Bytes index = { 0x49, 0x6E, 0x64, 0x65, 0x78, 0x20, 0x80, 0x00, 0x00, 0x00 };
    const Bytes helpTag = { 0x48, 0x65, 0x6C, 0x70, 0x54, 0x61, 0x67, 0x20, 0x00, 0x00, 0x00, 0x00 };
    for (const ListCase& c : kCases) {
        if (&c.list == &kWindow)
            continue;
        SCOPED_TRACE(std::string(c.list.name()));
        EXPECT_GE(Find(c.list, index), 0);
        EXPECT_GE(Find(c.list, helpTag), 0);
    }
}

TEST(Window1PropertyLists, ValueWidthFollowsTheClass)
{
    // A Boolean on the check box, so DataSource follows the one byte.
    EXPECT_GE(Find(kCheckBoxvh, Concat(Ascii("Value "), Concat({ 0x01 }, Ascii("DataSource ")))), 0);
    // An Int32 on the slider.
    EXPECT_GE(Find(kSliderAngle, Concat(Ascii("Value "), Concat({ 0x00, 0x00, 0x00, 0x8C }, Ascii("Maximum ")))), 0);
}

TEST(Window1PropertyLists, LabelsWriteMultilineAndKeepTheLineBreak)
{
    EXPECT_GE(Find(kStaticText9, Ascii("Multiline \x01")), 0);
    EXPECT_GE(Find(kStaticText9, Concat(Ascii("Text "), Concat({ 0, 0, 0, 18 }, Ascii("Diameter\rmax 100 m")))), 0);
}

TEST(Window1PropertyLists, SliderAndPopupsEndInTheirListedState)
{
    fw::Ref<fw::Slider> slider(new fw::Slider);
    fw::SetProperties(*slider, kSliderAngle);
    EXPECT_EQ(slider->minimum(), 140);
    EXPECT_EQ(slider->Value(), 140);
    EXPECT_EQ(slider->maximum(), 150);

    struct PopupCase {
        const fw::PropertyList& list;
        std::size_t rows;
        const char* first;
        const char* last;
    };
    const PopupCase popups[] = {
        { kPopupMenuType, 4, "Dirty Snow Ball", "Iron" },
        { kPopupMenuOrigin, 6, "Oorts Cloud, 70 kms", "Ballistic, 5 kms" },
    };
    for (const PopupCase& c : popups) {
        SCOPED_TRACE(std::string(c.list.name()));
        fw::Ref<fw::PopupMenu> popup(new fw::PopupMenu);
        fw::SetProperties(*popup, c.list);
        ASSERT_EQ(popup->rows().size(), c.rows);
        EXPECT_EQ(popup->Text(), c.first);
        EXPECT_EQ(popup->rows().back(), c.last);
    }
}

}
