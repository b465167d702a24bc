// The initial properties of the About window and of its nine controls, as property lists.
#pragma once

#include <fw/PropertyList.h>

namespace AboutWindowLists {

inline constexpr std::int32_t kNoIndex = -2147483647 - 1;

inline constexpr fw::PropertyEntry kWindowEntries[] = {
    fw::plist::Int32("Placement", 0),
    fw::plist::Int32("Width", 337),
    fw::plist::Int32("Height", 290),
    fw::plist::Int32("MinWidth", 64),
    fw::plist::Int32("MinHeight", 64),
    fw::plist::Int32("MaxWidth", 32000),
    fw::plist::Int32("MaxHeight", 32000),
    fw::plist::Int32("Frame", 0),
    fw::plist::Bool("Composite", false),
    fw::plist::Bool("HasBackColor", false),
    fw::plist::Rgb("BackColor", 0xA8CE94),
    fw::plist::String("Title", "About Quendal"),
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
inline constexpr fw::PropertyList kWindow { "AboutWindow", kWindowBytes };

// Overhangs the window on every side, so the backdrop covers all of it.
inline constexpr fw::PropertyEntry kCanvas1Entries[] = {
    fw::plist::String("Name", "Canvas1"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Left", -1),
    fw::plist::Int32("Top", -3),
    fw::plist::Int32("Width", 338),
    fw::plist::Int32("Height", 294),
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
    fw::plist::Bool("Enabled", false),
    fw::plist::Bool("UseFocusRing", true),
    fw::plist::Bool("AcceptFocus", false),
    fw::plist::Bool("AcceptTabs", false),
    fw::plist::Bool("DoubleBuffer", false),
    fw::plist::Bool("EraseBackground", true),
    fw::plist::String("InitialParent", ""),
};
inline constexpr auto kCanvas1Bytes = fw::EncodePropertyList<kCanvas1Entries>();
inline constexpr fw::PropertyList kCanvas1 { "AboutWindow.Canvas1", kCanvas1Bytes };

// The credit line.
inline constexpr fw::PropertyEntry kStaticText2Entries[] = {
    fw::plist::String("Name", "StaticText2"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Left", 20),
    fw::plist::Int32("Top", 56),
    fw::plist::Int32("Width", 214),
    fw::plist::Int32("Height", 39),
    fw::plist::Bool("LockLeft", true),
    fw::plist::Bool("LockTop", true),
    fw::plist::Bool("LockRight", false),
    fw::plist::Bool("LockBottom", false),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Int32("TabIndex", 0),
    fw::plist::String("Text", "A meteoroid's flight\rthrough the atmosphere"),
    fw::plist::Int32("TextAlign", 0),
    fw::plist::Rgb("TextColor", 0x98BDE2),
    fw::plist::Bool("Multiline", true),
    fw::plist::Bool("Enabled", true),
    fw::plist::Bool("Visible", true),
    fw::plist::String("HelpTag", ""),
    fw::plist::Bool("AutoDeactivate", true),
    fw::plist::String("TextFont", "Arial"),
    fw::plist::Bool("Bold", true),
    fw::plist::Bool("Italic", true),
    fw::plist::Bool("Underline", false),
    fw::plist::String("DataSource", ""),
    fw::plist::String("DataField", ""),
    fw::plist::String("InitialParent", "Canvas1"),
};
inline constexpr auto kStaticText2Bytes = fw::EncodePropertyList<kStaticText2Entries>();
inline constexpr fw::PropertyList kStaticText2 { "AboutWindow.StaticText2", kStaticText2Bytes };

// The contact line.
inline constexpr fw::PropertyEntry kStaticText3Entries[] = {
    fw::plist::String("Name", "StaticText3"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Left", 20),
    fw::plist::Int32("Top", 102),
    fw::plist::Int32("Width", 131),
    fw::plist::Int32("Height", 17),
    fw::plist::Bool("LockLeft", true),
    fw::plist::Bool("LockTop", true),
    fw::plist::Bool("LockRight", false),
    fw::plist::Bool("LockBottom", false),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Int32("TabIndex", 1),
    fw::plist::String("Text", "See the README file"),
    fw::plist::Int32("TextAlign", 0),
    fw::plist::Rgb("TextColor", 0xB5DEF2),
    fw::plist::Bool("Multiline", true),
    fw::plist::Bool("Enabled", true),
    fw::plist::Bool("Visible", true),
    fw::plist::String("HelpTag", ""),
    fw::plist::Bool("AutoDeactivate", true),
    fw::plist::String("TextFont", "Arial"),
    fw::plist::Bool("Bold", false),
    fw::plist::Bool("Italic", false),
    fw::plist::Bool("Underline", false),
    fw::plist::String("DataSource", ""),
    fw::plist::String("DataField", ""),
    fw::plist::String("InitialParent", "Canvas1"),
};
inline constexpr auto kStaticText3Bytes = fw::EncodePropertyList<kStaticText3Entries>();
inline constexpr fw::PropertyList kStaticText3 { "AboutWindow.StaticText3", kStaticText3Bytes };

// Each line sits in the one before it, one pixel thicker; its box is exactly (X1, Y1)..(X2, Y2).
inline constexpr fw::PropertyEntry kLine1Entries[] = {
    fw::plist::String("Name", "Line1"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Top", 135),
    fw::plist::Int32("Left", 20),
    fw::plist::Int32("Width", 242),
    fw::plist::Int32("Height", 111),
    fw::plist::Int32("X1", 20),
    fw::plist::Int32("X2", 262),
    fw::plist::Int32("Y1", 135),
    fw::plist::Int32("Y2", 246),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Bool("Visible", true),
    fw::plist::Int32("BorderWidth", 1),
    fw::plist::Rgb("LineColor", 0xFFFFFF),
    fw::plist::String("InitialParent", "Canvas1"),
};
inline constexpr auto kLine1Bytes = fw::EncodePropertyList<kLine1Entries>();
inline constexpr fw::PropertyList kLine1 { "AboutWindow.Line1", kLine1Bytes };

inline constexpr fw::PropertyEntry kLine2Entries[] = {
    fw::plist::String("Name", "Line2"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Top", 155),
    fw::plist::Int32("Left", 62),
    fw::plist::Int32("Width", 144),
    fw::plist::Int32("Height", 66),
    fw::plist::Int32("X1", 62),
    fw::plist::Int32("X2", 206),
    fw::plist::Int32("Y1", 155),
    fw::plist::Int32("Y2", 221),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Bool("Visible", true),
    fw::plist::Int32("BorderWidth", 2),
    fw::plist::Rgb("LineColor", 0xFFFFFF),
    fw::plist::String("InitialParent", "Line1"),
};
inline constexpr auto kLine2Bytes = fw::EncodePropertyList<kLine2Entries>();
inline constexpr fw::PropertyList kLine2 { "AboutWindow.Line2", kLine2Bytes };

inline constexpr fw::PropertyEntry kLine3Entries[] = {
    fw::plist::String("Name", "Line3"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Top", 166),
    fw::plist::Int32("Left", 86),
    fw::plist::Int32("Width", 103),
    fw::plist::Int32("Height", 47),
    fw::plist::Int32("X1", 86),
    fw::plist::Int32("X2", 189),
    fw::plist::Int32("Y1", 166),
    fw::plist::Int32("Y2", 213),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Bool("Visible", true),
    fw::plist::Int32("BorderWidth", 3),
    fw::plist::Rgb("LineColor", 0xFFFFFF),
    fw::plist::String("InitialParent", "Line2"),
};
inline constexpr auto kLine3Bytes = fw::EncodePropertyList<kLine3Entries>();
inline constexpr fw::PropertyList kLine3 { "AboutWindow.Line3", kLine3Bytes };

inline constexpr fw::PropertyEntry kLine4Entries[] = {
    fw::plist::String("Name", "Line4"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Top", 177),
    fw::plist::Int32("Left", 109),
    fw::plist::Int32("Width", 55),
    fw::plist::Int32("Height", 25),
    fw::plist::Int32("X1", 109),
    fw::plist::Int32("X2", 164),
    fw::plist::Int32("Y1", 177),
    fw::plist::Int32("Y2", 202),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Bool("Visible", true),
    fw::plist::Int32("BorderWidth", 4),
    fw::plist::Rgb("LineColor", 0xFFFFFF),
    fw::plist::String("InitialParent", "Line3"),
};
inline constexpr auto kLine4Bytes = fw::EncodePropertyList<kLine4Entries>();
inline constexpr fw::PropertyList kLine4 { "AboutWindow.Line4", kLine4Bytes };

inline constexpr fw::PropertyEntry kLine5Entries[] = {
    fw::plist::String("Name", "Line5"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Top", 181),
    fw::plist::Int32("Left", 120),
    fw::plist::Int32("Width", 35),
    fw::plist::Int32("Height", 17),
    fw::plist::Int32("X1", 120),
    fw::plist::Int32("X2", 155),
    fw::plist::Int32("Y1", 181),
    fw::plist::Int32("Y2", 198),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Bool("Visible", true),
    fw::plist::Int32("BorderWidth", 5),
    fw::plist::Rgb("LineColor", 0xFFFFFF),
    fw::plist::String("InitialParent", "Line4"),
};
inline constexpr auto kLine5Bytes = fw::EncodePropertyList<kLine5Entries>();
inline constexpr fw::PropertyList kLine5 { "AboutWindow.Line5", kLine5Bytes };

// The product's name.
inline constexpr fw::PropertyEntry kStaticText1Entries[] = {
    fw::plist::String("Name", "StaticText1"),
    fw::plist::Int32("Index", kNoIndex),
    fw::plist::Int32("Left", 20),
    fw::plist::Int32("Top", 13),
    fw::plist::Int32("Width", 275),
    fw::plist::Int32("Height", 38),
    fw::plist::Bool("LockLeft", true),
    fw::plist::Bool("LockTop", true),
    fw::plist::Bool("LockRight", false),
    fw::plist::Bool("LockBottom", false),
    fw::plist::Int32("TabPanelIndex", 0),
    fw::plist::Int32("TabIndex", 2),
    fw::plist::String("Text", "Quendal"),
    fw::plist::Int32("TextAlign", 0),
    fw::plist::Rgb("TextColor", 0xD60A22),
    fw::plist::Bool("Multiline", false),
    fw::plist::Bool("Enabled", true),
    fw::plist::Bool("Visible", true),
    fw::plist::String("HelpTag", ""),
    fw::plist::Bool("AutoDeactivate", true),
    fw::plist::String("TextFont", "Arial"),
    fw::plist::Bool("Bold", true),
    fw::plist::Bool("Italic", false),
    fw::plist::Bool("Underline", false),
    fw::plist::String("DataSource", ""),
    fw::plist::String("DataField", ""),
    fw::plist::String("InitialParent", "Canvas1"),
};
inline constexpr auto kStaticText1Bytes = fw::EncodePropertyList<kStaticText1Entries>();
inline constexpr fw::PropertyList kStaticText1 { "AboutWindow.StaticText1", kStaticText1Bytes };

}
