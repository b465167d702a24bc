#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "support/TestSupport.h"
#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/Line.h>
#include <fw/Picture.h>
#include <fw/PopupMenu.h>
#include <fw/PropertyList.h>
#include <fw/PushButton.h>
#include <fw/Slider.h>
#include <fw/StaticText.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;

// A control's state reaches its widget whatever the order: one given its properties before its
// widget exists shows what one given them afterwards shows.

namespace {

class ApplyWindow : public Window {
public:
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info("ApplyWindow.ApplyWindow", &Window::StaticClass(), FactoryOf<ApplyWindow>());
        return info;
    }
    const ClassInfo& classInfo() const override { return StaticClass(); }

    void Layout() override
    {
        setWidth(400);
        setHeight(300);
        setResizeable(false);
    }
};

// Between them, the lists give the properties values other than their defaults, so that a
// property that never reaches the widget shows.
constexpr PropertyEntry kHolderEntries[] = {
    plist::Int32("Left", 10),
    plist::Int32("Top", 20),
    plist::Int32("Width", 320),
    plist::Int32("Height", 240),
    plist::Bool("Enabled", false),
    plist::Bool("Visible", true),
    plist::String("InitialParent", ""),
};
constexpr auto kHolderBytes = EncodePropertyList<kHolderEntries>();
constexpr PropertyList kHolder { "Apply.Holder", kHolderBytes };

constexpr PropertyEntry kButtonEntries[] = {
    plist::Int32("Left", 30),
    plist::Int32("Top", 40),
    plist::Int32("Width", 90),
    plist::Int32("Height", 26),
    plist::String("Caption", "Go"),
    plist::Bool("Default", true),
    plist::Bool("Enabled", false),
    plist::Bool("Visible", true),
    plist::String("TextFont", "Arial"),
    plist::Bool("Bold", true),
    plist::Bool("Italic", true),
    plist::Bool("Underline", true),
    plist::String("InitialParent", "Holder"),
};
constexpr auto kButtonBytes = EncodePropertyList<kButtonEntries>();
constexpr PropertyList kButton { "Apply.Button", kButtonBytes };

constexpr PropertyEntry kCheckBoxEntries[] = {
    plist::Int32("Left", 30),
    plist::Int32("Top", 70),
    plist::Int32("Width", 120),
    plist::Int32("Height", 22),
    plist::String("Caption", "Grid"),
    plist::Bool("Value", true),
    plist::Int32("State", CheckBox::Indeterminate),
    plist::Bool("Enabled", true),
    plist::Bool("Visible", false),
    plist::String("TextFont", "Geneva"),
    plist::Bool("Bold", true),
    plist::Bool("Italic", false),
    plist::Bool("Underline", true),
    plist::String("InitialParent", "Holder"),
};
constexpr auto kCheckBoxBytes = EncodePropertyList<kCheckBoxEntries>();
constexpr PropertyList kCheckBox { "Apply.CheckBox", kCheckBoxBytes };

constexpr PropertyEntry kTextFieldEntries[] = {
    plist::Int32("Left", 30),
    plist::Int32("Top", 100),
    plist::Int32("Width", 80),
    plist::Int32("Height", 24),
    plist::String("Text", "42"),
    plist::Rgb("BackColor", 0x102030),
    plist::Rgb("TextColor", 0xF0E0D0),
    plist::Bool("Border", false),
    plist::Bool("Password", true),
    plist::String("CueText", "metres"),
    plist::Bool("ReadOnly", true),
    plist::Int32("LimitText", 5),
    plist::Int32("Alignment", 3),
    plist::Bool("Enabled", false),
    plist::Bool("Visible", true),
    plist::String("TextFont", "Arial"),
    plist::Bool("Bold", false),
    plist::Bool("Italic", true),
    plist::Bool("Underline", false),
    plist::String("InitialParent", "Holder"),
};
constexpr auto kTextFieldBytes = EncodePropertyList<kTextFieldEntries>();
constexpr PropertyList kTextField { "Apply.TextField", kTextFieldBytes };

constexpr PropertyEntry kStaticTextEntries[] = {
    plist::Int32("Left", 130),
    plist::Int32("Top", 40),
    plist::Int32("Width", 100),
    plist::Int32("Height", 40),
    plist::String("Text", "Two\rlines"),
    plist::Int32("TextAlign", 2),
    plist::Rgb("TextColor", 0x00FF00),
    plist::Bool("MultiLine", true),
    plist::Bool("Enabled", false),
    plist::Bool("Visible", true),
    plist::String("TextFont", "Geneva"),
    plist::Bool("Bold", true),
    plist::Bool("Italic", false),
    plist::Bool("Underline", false),
    plist::String("InitialParent", "Holder"),
};
constexpr auto kStaticTextBytes = EncodePropertyList<kStaticTextEntries>();
constexpr PropertyList kStaticText { "Apply.StaticText", kStaticTextBytes };

constexpr PropertyEntry kPopupMenuEntries[] = {
    plist::Int32("Left", 130),
    plist::Int32("Top", 90),
    plist::Int32("Width", 120),
    plist::Int32("Height", 40),
    plist::String("InitialValue", "Alpha\rBeta\rGamma"),
    plist::Int32("ListIndex", 2),
    plist::Bool("Enabled", false),
    plist::Bool("Visible", true),
    plist::String("TextFont", "Arial"),
    plist::Bool("Bold", true),
    plist::Bool("Italic", true),
    plist::Bool("Underline", false),
    plist::String("InitialParent", "Holder"),
};
constexpr auto kPopupMenuBytes = EncodePropertyList<kPopupMenuEntries>();
constexpr PropertyList kPopupMenu { "Apply.PopupMenu", kPopupMenuBytes };

constexpr PropertyEntry kSliderEntries[] = {
    plist::Int32("Left", 30),
    plist::Int32("Top", 140),
    plist::Int32("Width", 150),
    plist::Int32("Height", 30),
    plist::Int32("Minimum", 10),
    plist::Int32("Value", 15),
    plist::Int32("Maximum", 20),
    plist::Int32("LineStep", 2),
    plist::Int32("PageStep", 5),
    plist::Bool("LiveScroll", true),
    plist::Int32("TickStyle", 3),
    plist::Bool("Enabled", false),
    plist::Bool("Visible", true),
    plist::String("InitialParent", "Holder"),
};
constexpr auto kSliderBytes = EncodePropertyList<kSliderEntries>();
constexpr PropertyList kSlider { "Apply.Slider", kSliderBytes };

constexpr PropertyEntry kLineEntries[] = {
    plist::Int32("X1", 60),
    plist::Int32("Y1", 200),
    plist::Int32("X2", 160),
    plist::Int32("Y2", 230),
    plist::Int32("BorderWidth", 3),
    plist::Rgb("LineColor", 0xFF0000),
    plist::Int32("Left", 60),
    plist::Int32("Top", 200),
    plist::Int32("Width", 100),
    plist::Int32("Height", 30),
    plist::Bool("Enabled", false),
    plist::Bool("Visible", true),
    plist::String("InitialParent", "Holder"),
};
constexpr auto kLineBytes = EncodePropertyList<kLineEntries>();
constexpr PropertyList kLine { "Apply.Line", kLineBytes };

// What a control's widget shows, in words, so that a difference reads as the property it is.
std::string Describe(const RectControl& control)
{
    QWidget* widget = WidgetOf(control);
    if (!widget)
        return "no widget";
    const Window& window = *control.window();
    std::ostringstream out;
    QWidget* content = WidgetOf(window)->content();
    QWidget* parent = widget->parentWidget();
    Ref<RectControl> holder = RuntimeCheckCast<RectControl>(window.controlByName("Holder"));
    out << "parent: " << (parent == content ? "content" : (holder && parent == WidgetOf(*holder) ? "Holder" : "other")) << "\n";
    QPoint place = widget->mapTo(content, QPoint(0, 0));
    out << "place in window: " << place.x() << "," << place.y() << " size " << widget->width() << "x" << widget->height() << "\n";
    out << "enabled: " << widget->isEnabled() << ", hidden: " << widget->isHidden() << "\n";
    const QFont font = widget->font();
    out << "font: " << font.family().toStdString() << " " << font.pixelSize() << "px" << (font.bold() ? " bold" : "") << (font.italic() ? " italic" : "")
        << (font.underline() ? " underline" : "") << "\n";
    auto colour = [](const QColor& color) { return color.name().toStdString(); };
    if (auto* button = qobject_cast<QPushButton*>(widget))
        out << "caption: " << button->text().toStdString() << "\n";
    if (auto* box = qobject_cast<QCheckBox*>(widget))
        out << "caption: " << box->text().toStdString() << ", state: " << box->checkState() << ", tristate: " << box->isTristate() << "\n";
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        out << "text: " << field->text().toStdString() << ", cue: " << field->placeholderText().toStdString() << "\n";
        out << "colours: " << colour(field->palette().color(QPalette::Base)) << " " << colour(field->palette().color(QPalette::Text)) << "\n";
        out << "border: " << field->hasFrame() << ", password: " << (field->echoMode() == QLineEdit::Password) << ", read-only: " << field->isReadOnly()
            << ", limit: " << field->maxLength() << ", alignment: " << field->alignment() << "\n";
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        out << "text: " << label->text().toStdString() << ", alignment: " << label->alignment() << ", wraps: " << label->wordWrap() << "\n";
        out << "colour: " << colour(label->palette().color(QPalette::WindowText)) << "\n";
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        out << "rows:";
        for (int row = 0; row < combo->count(); ++row)
            out << " " << combo->itemText(row).toStdString();
        out << ", selected: " << combo->currentIndex() << "\n";
    }
    if (auto* slider = qobject_cast<QSlider*>(widget)) {
        out << "range: " << slider->minimum() << ".." << slider->maximum() << ", value: " << slider->value() << ", steps: " << slider->singleStep()
            << " " << slider->pageStep() << ", tracking: " << slider->hasTracking() << ", ticks: " << slider->tickPosition() << "\n";
    }
    return out.str();
}

QImage Look(const RectControl& control)
{
    return WidgetOf(control) ? WidgetOf(control)->grab().toImage() : QImage();
}

Ref<Picture> SolidPicture(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return PictureOf(image);
}

// Gives a control its settings: the size of its text where it shows text, then its list.
void Configure(RectControl& control, const PropertyList& list)
{
    if (auto* text = dynamic_cast<TextControl*>(&control)) {
        text->setTextSize(14);
        text->setTextUnit(0);
    }
    SetProperties(control, list);
}

class ControlApply : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = OpenWindowOf<ApplyWindow>();
        window->NewControl(Canvas::StaticClass(), "Holder");
        SetProperties(*window->controlByName("Holder"), kHolder);
    }
    void TearDown() override { window->Close(); }

    // The program's order: the widget is made, then the control is given its properties.
    Ref<RectControl> setAfter(const ClassInfo& controlClass, const std::string& name, const PropertyList& list)
    {
        window->NewControl(controlClass, name);
        Ref<RectControl> control = RuntimeCheckCast<RectControl>(window->controlByName(name));
        Configure(*control, list);
        return control;
    }

    // The other order: the control has its properties before its widget is made.
    Ref<RectControl> setBefore(const ClassInfo& controlClass, const std::string& name, const PropertyList& list)
    {
        Ref<RectControl> control = RuntimeCheckCast<RectControl>(window->New(controlClass));
        Configure(*control, list);
        EXPECT_EQ(WidgetOf(*control), nullptr);
        control->Constructor();
        window->AddControl(name, control);
        return control;
    }

    // Both orders show the same, and that is what the list says.
    void expectSameEitherWay(const ClassInfo& controlClass, const PropertyList& list, const std::vector<std::string>& shown)
    {
        Ref<RectControl> after = setAfter(controlClass, "After", list);
        Ref<RectControl> before = setBefore(controlClass, "Before", list);
        ProcessEvents();
        const std::string described = Describe(*after);
        EXPECT_EQ(Describe(*before), described) << controlClass.name();
        EXPECT_TRUE(Look(*before) == Look(*after)) << controlClass.name() << " looks different when set before its widget was made";
        for (const std::string& line : shown)
            EXPECT_NE(described.find(line + "\n"), std::string::npos) << controlClass.name() << " does not show \"" << line << "\" in\n"
                                                                      << described;
    }

    Ref<ApplyWindow> window;
};

TEST_F(ControlApply, APushButtonShowsItsPropertiesWhateverTheOrder)
{
    expectSameEitherWay(PushButton::StaticClass(), kButton,
        { "parent: Holder", "place in window: 30,40 size 90x26", "enabled: 0, hidden: 0", "font: Arial 14px bold italic underline", "caption: Go" });
}

TEST_F(ControlApply, ACheckBoxShowsItsPropertiesWhateverTheOrder)
{
    expectSameEitherWay(CheckBox::StaticClass(), kCheckBox,
        { "parent: Holder", "place in window: 30,70 size 120x22", "enabled: 1, hidden: 1", "font: Geneva 14px bold underline",
            "caption: Grid, state: 1, tristate: 1" });
}

TEST_F(ControlApply, ATextFieldShowsItsPropertiesWhateverTheOrder)
{
    expectSameEitherWay(TextField::StaticClass(), kTextField,
        { "parent: Holder", "place in window: 30,100 size 80x24", "enabled: 0, hidden: 0", "font: Arial 14px italic", "text: 42, cue: metres",
            "colours: #102030 #f0e0d0", "border: 0, password: 1, read-only: 1, limit: 5, alignment: 130" });
}

TEST_F(ControlApply, AStaticTextShowsItsPropertiesWhateverTheOrder)
{
    expectSameEitherWay(StaticText::StaticClass(), kStaticText,
        { "parent: Holder", "place in window: 130,40 size 100x40", "enabled: 0, hidden: 0", "font: Geneva 14px bold", "text: Two\nlines, alignment: 36, wraps: 1",
            "colour: #00ff00" });
}

TEST_F(ControlApply, APopupMenuShowsItsPropertiesWhateverTheOrder)
{
    expectSameEitherWay(PopupMenu::StaticClass(), kPopupMenu,
        { "parent: Holder", "place in window: 130,90 size 120x40", "enabled: 0, hidden: 0", "font: Arial 14px bold italic", "rows: Alpha Beta Gamma, selected: 2" });
}

TEST_F(ControlApply, ASliderShowsItsPropertiesWhateverTheOrder)
{
    expectSameEitherWay(Slider::StaticClass(), kSlider,
        { "parent: Holder", "place in window: 30,140 size 150x30", "enabled: 0, hidden: 0",
            "range: 10..20, value: 15, steps: 2 5, tracking: 1, ticks: " + std::to_string(QSlider::TicksBothSides) });
}

TEST_F(ControlApply, ALineShowsItsPropertiesWhateverTheOrder)
{
    // The widget spans the line with room for its thickness: 3 + 1 on every side.
    expectSameEitherWay(Line::StaticClass(), kLine, { "parent: Holder", "place in window: 56,196 size 108x38", "enabled: 0, hidden: 0" });
}

TEST_F(ControlApply, ACanvasShowsItsBackdropAndPlaceWhateverTheOrder)
{
    Ref<Picture> backdrop = SolidPicture(50, 40, qRgb(200, 100, 50));
    Ref<Canvas> after = RuntimeCheckCast<Canvas>(setAfter(Canvas::StaticClass(), "After", kHolder));
    after->setBackdrop(backdrop);
    Ref<Canvas> before = RuntimeCheckCast<Canvas>(window->New(Canvas::StaticClass()));
    before->setBackdrop(backdrop);
    SetProperties(*before, kHolder);
    before->Constructor();
    window->AddControl("Before", before);
    ProcessEvents();
    EXPECT_EQ(Describe(*before), Describe(*after));
    EXPECT_EQ(before->pixel(10, 10), (Color { 200, 100, 50 }));
    EXPECT_EQ(before->pixel(100, 100), after->pixel(100, 100));
    EXPECT_TRUE(Look(*before) == Look(*after));
}

// The lists above name every property that has an effect, so that a property added to a control
// is checked here too.
TEST(ControlApplyLists, NameEveryPropertyThatReachesTheWidget)
{
    struct Case {
        const ClassInfo& controlClass;
        std::span<const PropertyEntry> entries;
    };
    const Case cases[] = {
        { PushButton::StaticClass(), kButtonEntries },
        { CheckBox::StaticClass(), kCheckBoxEntries },
        { TextField::StaticClass(), kTextFieldEntries },
        { StaticText::StaticClass(), kStaticTextEntries },
        { PopupMenu::StaticClass(), kPopupMenuEntries },
        { Slider::StaticClass(), kSliderEntries },
        { Line::StaticClass(), kLineEntries },
        { Canvas::StaticClass(), kHolderEntries },
    };
    // The name and index only tell the control apart; nothing shows them.
    const std::set<std::string, std::less<>> unseen { "Name", "Index" };
    for (const Case& c : cases) {
        std::set<std::string, std::less<>> listed;
        for (const PropertyEntry& entry : c.entries)
            listed.emplace(entry.name);
        for (const ClassInfo* cls = &c.controlClass; cls; cls = cls->base()) {
            for (const PropertyInfo& property : cls->ownProperties()) {
                if (property.set && !unseen.contains(property.name)) {
                    EXPECT_TRUE(listed.contains(property.name)) << c.controlClass.name() << " list lacks " << property.name;
                }
            }
        }
    }
}

}
