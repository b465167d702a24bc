// The initial properties of the diagram window and of its three controls, as property lists.
#pragma once

#include <fw/PropertyList.h>

namespace Dialog1Lists {

inline constexpr std::int32_t kNoIndex = -2147483647 - 1;

inline constexpr fw::PropertyEntry kWindowEntries[] = {
    fw::plist::Int32("Placement", 2),
    fw::plist::Int32("Width", 262),
    fw::plist::Int32("Height", 296),
    fw::plist::Int32("MinWidth", 64),
    fw::plist::Int32("MinHeight", 64),
    fw::plist::Int32("MaxWidth", 32000),
    fw::plist::Int32("MaxHeight", 32000),
    fw::plist::Int32("Frame", 7),
    fw::plist::Bool("Composite", false),
    fw::plist::Bool("HasBackColor", false),
    fw::plist::Rgb("BackColor", 0xFFFFFF),
    fw::plist::String("Title", "V/h Diagram"),
    fw::plist::Bool("Visible", true),
    fw::plist::Bool("FullScreen", false),
    fw::plist::Bool("MenuBarVisible", true),
    fw::plist::Bool("CloseButton", true),
    fw::plist::Bool("Resizeable", false),
    fw::plist::Bool("LiveResize", false),
    fw::plist::Bool("MaximizeButton", false),
    fw::plist::Bool("MinimizeButton", true),
    fw::plist::Int32("MacProcID", 0),
};
inline constexpr auto kWindowBytes = fw::EncodePropertyList<kWindowEntries>();
inline constexpr fw::PropertyList kWindow { "Dialog1", kWindowBytes };

// Right and bottom edges meet the window's 262 by 296: the canvas fills it below the button row.
inline constexpr fw::PropertyEntry kCanvas1Entries[] = {
    fw::plist::String("Name", "Canvas1"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Left", 1),
    fw::plist::Int32("Top", 33),
    fw::plist::Int32("Width", 261),
    fw::plist::Int32("Height", 263),
    fw::plist::Bool("LockLeft", true),
    fw::plist::Bool("LockTop", true),
    fw::plist::Bool("LockRight", false),
    fw::plist::Bool("LockBottom", false),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Int32("TabIndex", 0),
    fw::plist::Bool("TabStop", true),
    fw::plist::Bool("Visible", true),
    fw::plist::String("HelpTag", ""),
    fw::plist::Bool("AutoDeactivate", true),
    fw::plist::Bool("Enabled", true),
    fw::plist::Bool("UseFocusRing", true),
    fw::plist::Bool("AcceptFocus", false),
    fw::plist::Bool("AcceptTabs", false),
    fw::plist::Bool("DoubleBuffer", false),
    fw::plist::Bool("EraseBackground", true),
    fw::plist::String("InitialParent", ""),
};
inline constexpr auto kCanvas1Bytes = fw::EncodePropertyList<kCanvas1Entries>();
inline constexpr fw::PropertyList kCanvas1 { "Dialog1.Canvas1", kCanvas1Bytes };

inline constexpr fw::PropertyEntry kPushButtonClearEntries[] = {
    fw::plist::String("Name", "PushButtonClear"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Left", 71),
    fw::plist::Int32("Top", 5),
    fw::plist::Int32("Width", 42),
    fw::plist::Int32("Height", 18),
    fw::plist::Bool("LockLeft", true),
    fw::plist::Bool("LockTop", true),
    fw::plist::Bool("LockRight", false),
    fw::plist::Bool("LockBottom", false),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Int32("TabIndex", 1),
    fw::plist::Bool("TabStop", true),
    fw::plist::String("Caption", "Clear"),
    fw::plist::Bool("Default", false),
    fw::plist::Bool("Cancel", false),
    fw::plist::Bool("Enabled", true),
    fw::plist::Bool("Visible", true),
    fw::plist::String("HelpTag", ""),
    fw::plist::Bool("AutoDeactivate", true),
    fw::plist::String("TextFont", "System"),
    fw::plist::Bool("Bold", true),
    fw::plist::Bool("Italic", false),
    fw::plist::Bool("Underline", false),
    fw::plist::String("InitialParent", ""),
};
inline constexpr auto kPushButtonClearBytes = fw::EncodePropertyList<kPushButtonClearEntries>();
inline constexpr fw::PropertyList kPushButtonClear { "Dialog1.PushButtonClear", kPushButtonClearBytes };

// A new diagram window starts without its grid.
inline constexpr fw::PropertyEntry kCheckBoxGridEntries[] = {
    fw::plist::String("Name", "CheckBoxGrid"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Left", 151),
    fw::plist::Int32("Top", 8),
    fw::plist::Int32("Width", 80),
    fw::plist::Int32("Height", 13),
    fw::plist::Bool("LockLeft", true),
    fw::plist::Bool("LockTop", true),
    fw::plist::Bool("LockRight", false),
    fw::plist::Bool("LockBottom", false),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Int32("TabIndex", 2),
    fw::plist::Bool("TabStop", true),
    fw::plist::String("Caption", "Grid"),
    fw::plist::Bool("Enabled", true),
    fw::plist::Bool("Visible", true),
    fw::plist::String("HelpTag", ""),
    fw::plist::Bool("AutoDeactivate", true),
    fw::plist::String("TextFont", "System"),
    fw::plist::Bool("Bold", true),
    fw::plist::Bool("Italic", false),
    fw::plist::Bool("Underline", false),
    fw::plist::Int32("State", 0),
    fw::plist::Bool("Value", false),
    fw::plist::String("DataSource", ""),
    fw::plist::String("DataField", ""),
    fw::plist::String("InitialParent", ""),
};
inline constexpr auto kCheckBoxGridBytes = fw::EncodePropertyList<kCheckBoxGridEntries>();
inline constexpr fw::PropertyList kCheckBoxGrid { "Dialog1.CheckBoxGrid", kCheckBoxGridBytes };

}
