#include "main_window/Window1.h"

#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "support/TestSupport.h"
#include <fw/Canvas.h>
#include <fw/CheckBox.h>
#include <fw/PopupMenu.h>
#include <fw/PushButton.h>
#include <fw/Slider.h>
#include <fw/StaticText.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWidget>

#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

class MainWindow : public ::testing::Test {
protected:
    void TearDown() override
    {
        CloseProgramWindows();
        EXPECT_TRUE(OpenWindows().empty());
    }
};

struct ControlCase {
    const char* name;
    const ClassInfo& cls;
    int left, top, width, height;
    bool visible, enabled;
};

// The 21 controls in creation order, as a new main window has them once it is open.
std::vector<ControlCase> ControlTable()
{
    const ClassInfo& canvas = Canvas::StaticClass();
    const ClassInfo& button = PushButton::StaticClass();
    const ClassInfo& label = StaticText::StaticClass();
    const ClassInfo& box = CheckBox::StaticClass();
    const ClassInfo& field = TextField::StaticClass();
    const ClassInfo& slider = Slider::StaticClass();
    const ClassInfo& popup = PopupMenu::StaticClass();
    return {
        { "Canvas1", canvas, 0, 0, 639, 501, true, true },
        { "PushButtonStart", button, 566, 14, 60, 20, true, true },
        { "PushButtonStopp", button, 566, 43, 60, 20, true, false },
        { "PushButton3", button, 566, 74, 60, 20, true, true },
        { "StaticText1", label, 13, 6, 279, 41, true, true },
        { "StaticText4", label, 4, 453, 120, 16, true, true },
        { "CheckBoxvh", box, 13, 54, 17, 18, true, true },
        { "StaticText3", label, 156, 453, 115, 16, true, true },
        { "StaticText5", label, 362, 477, 83, 16, true, true },
        { "StaticText7", label, 4, 129, 115, 16, false, true },
        { "StaticText8", label, 4, 149, 115, 16, false, true },
        { "EditFieldDia", field, 553, 435, 60, 22, true, true },
        { "StaticText9", label, 553, 400, 86, 29, true, true },
        { "StaticText10", label, 4, 110, 107, 16, false, true },
        { "StaticText11", label, 4, 91, 115, 16, false, true },
        { "SliderAngle", slider, 498, 475, 115, 20, true, true },
        { "StaticTextAngle", label, 451, 477, 42, 16, true, true },
        { "PopupMenuType", popup, 0, 473, 143, 12, true, true },
        { "PopupMenuOrigin", popup, 156, 473, 191, 15, true, true },
        { "StaticText2", label, 41, 53, 100, 20, true, true },
        { "StaticTextS", label, 4, 257, 100, 20, false, true },
    };
}

const char* const kHiddenLabels[] = { "StaticText7", "StaticText8", "StaticText10", "StaticText11", "StaticTextS" };

TEST_F(MainWindow, EachControlHasItsClassPlaceAndStateAfterOpen)
{
    Ref<Window1> window = Window1::Instance();
    ProcessEvents();
    QWidget* content = WidgetOf(*window)->content();

    std::vector<std::string> expectedOrder, createdOrder;
    for (const ControlCase& c : ControlTable())
        expectedOrder.push_back(c.name);
    for (const Ref<Control>& control : window->controls())
        createdOrder.push_back(control->name());
    EXPECT_EQ(createdOrder, expectedOrder);

    for (const ControlCase& c : ControlTable()) {
        SCOPED_TRACE(c.name);
        Ref<RectControl> control = ControlNamed<RectControl>(window, c.name);
        EXPECT_EQ(&control->classInfo(), &c.cls) << control->classInfo().name();
        EXPECT_EQ(control->left(), c.left);
        EXPECT_EQ(control->top(), c.top);
        EXPECT_EQ(control->width(), c.width);
        EXPECT_EQ(control->height(), c.height);
        EXPECT_EQ(control->visible(), c.visible);
        EXPECT_EQ(control->enabled(), c.enabled);

        // On screen, in the window's coordinates, whatever control holds it.
        QWidget* widget = WidgetOf(*control);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->mapTo(content, QPoint(0, 0)), QPoint(c.left, c.top));
        EXPECT_EQ(widget->width(), c.width);
        if (&c.cls == &PopupMenu::StaticClass())
            EXPECT_GE(widget->height(), c.height) << "a pop-up takes at least its natural height";
        else
            EXPECT_EQ(widget->height(), c.height);
        EXPECT_EQ(widget->isVisibleTo(WidgetOf(*window)), c.visible);
        EXPECT_EQ(widget->isEnabled(), c.enabled);
    }
}

TEST_F(MainWindow, TheInputsHoldTheirFirstValues)
{
    Ref<Window1> window = Window1::Instance();

    EXPECT_EQ(ControlNamed<TextField>(window, "EditFieldDia")->Text(), "1");

    Ref<Slider> slider = ControlNamed<Slider>(window, "SliderAngle");
    EXPECT_EQ(slider->minimum(), 140);
    EXPECT_EQ(slider->maximum(), 150);
    EXPECT_EQ(slider->Value(), 140) << "its list sets Value before Maximum";
    EXPECT_EQ(slider->lineStep(), 1);
    EXPECT_EQ(slider->pageStep(), 10);
    EXPECT_EQ(ControlNamed<StaticText>(window, "StaticTextAngle")->Text(), "35");

    struct PopupCase {
        const char* name;
        std::vector<std::string> rows;
    };
    const PopupCase popups[] = {
        { "PopupMenuType", { "Dirty Snow Ball", "Carbon Condrite", "Stone", "Iron" } },
        { "PopupMenuOrigin",
            { "Oorts Cloud, 70 kms", "Kuiper Belt, 60 kms", "Asteroid Belt, 40 kms", "Near Earth Asteroid, 20 kms",
                "Earth Orbit, 7.6 kms", "Ballistic, 5 kms" } },
    };
    for (const PopupCase& c : popups) {
        SCOPED_TRACE(c.name);
        Ref<PopupMenu> menu = ControlNamed<PopupMenu>(window, c.name);
        EXPECT_EQ(menu->rows(), c.rows);
        EXPECT_EQ(menu->ListIndex(), 0);
        EXPECT_EQ(menu->Text(), c.rows.front());
    }

    Ref<CheckBox> diagramSwitch = ControlNamed<CheckBox>(window, "CheckBoxvh");
    EXPECT_TRUE(diagramSwitch->Value());
    EXPECT_EQ(diagramSwitch->caption(), "") << "its words are the label StaticText2";
    EXPECT_EQ(ControlNamed<StaticText>(window, "StaticText2")->Text(), "V/h Diagram");
    EXPECT_EQ(ControlNamed<StaticText>(window, "StaticText9")->Text(), "Diameter\rmax 100 m");
}

TEST_F(MainWindow, TheHiddenLabelsStayHiddenThroughARunAndItsStop)
{
    Ref<Window1> window = Window1::Instance();
    const std::vector<std::string> hiddenTexts = { "m", "g", "roo", "Dia", "s" };
    std::vector<std::string> texts;
    for (const char* name : kHiddenLabels)
        texts.push_back(ControlNamed<StaticText>(window, name)->Text());
    EXPECT_EQ(texts, hiddenTexts);

    ControlNamed<PushButton>(window, "PushButtonStart")->push();
    ASSERT_TRUE(window->DrawOrbits);
    EXPECT_FALSE(ControlNamed<RectControl>(window, "EditFieldDia")->visible()) << "the run hides the inputs";
    ControlNamed<PushButton>(window, "PushButtonStopp")->push();
    // The flight itself is not under test: its thread never gets to run.
    window->DrawOrbits->Kill();
    EXPECT_TRUE(ControlNamed<RectControl>(window, "EditFieldDia")->visible()) << "the stop shows them again";

    for (const char* name : kHiddenLabels) {
        SCOPED_TRACE(name);
        Ref<RectControl> label = ControlNamed<RectControl>(window, name);
        EXPECT_FALSE(label->visible());
        EXPECT_FALSE(WidgetOf(*label)->isVisibleTo(WidgetOf(*window)));
    }
}

TEST_F(MainWindow, TheWindowIsAFixedVuredoOf639By500)
{
    Ref<Window1> window = Window1::Instance();
    ProcessEvents();
    EXPECT_EQ(Window1::Instance(), window) << "a second reference finds the same window";
    EXPECT_EQ(window->title(), "Vuredo");
    EXPECT_EQ(WidgetOf(*window)->windowTitle().toStdString(), "Vuredo");
    EXPECT_EQ(WidgetOf(*window)->content()->size(), QSize(639, 500));
    EXPECT_FALSE(window->resizeable());
    EXPECT_EQ(WidgetOf(*window)->minimumSize(), WidgetOf(*window)->maximumSize()) << "the user cannot resize it";
    EXPECT_TRUE(WidgetOf(*window)->isVisible());
}

// Looks at the accessor from inside the Open handler of the real window class.
class OpeningMainWindow : public Window1 {
public:
    void Event_Open() override
    {
        seenDuringOpen = Window1::Instance().get();
        Window1::Event_Open();
    }
    Window1* seenDuringOpen { nullptr };
};

TEST_F(MainWindow, AReferenceDuringOpenFindsTheWindowBeingOpened)
{
    RecordingObserver observer;
    Ref<OpeningMainWindow> window(new OpeningMainWindow);
    window->Constructor();
    EXPECT_EQ(window->seenDuringOpen, window.get());
    EXPECT_EQ(Window1::Instance().get(), window.get());
    // The real Open refers to the main window for its canvas; a second one would show up here.
    EXPECT_EQ(observer.lines, (std::vector<std::string> { "opened: Window1.Window1", "opened: Dialog1.Dialog1" }));
    int mainWindows = 0;
    for (const Ref<Window>& open : OpenWindows())
        mainWindows += RuntimeCheckCast<Window1>(open) ? 1 : 0;
    EXPECT_EQ(mainWindows, 1);
    EXPECT_FALSE(ControlNamed<PushButton>(window, "PushButtonStopp")->enabled());
}

// Every row of both pop-ups shows whole at their listed widths: the text fits the room that the
// style leaves beside the arrow and the frame.
TEST_F(MainWindow, PopupRowsFitTheirMenusWhole)
{
    Ref<Window1> window = Window1::Instance();
    for (const char* name : { "PopupMenuType", "PopupMenuOrigin" }) {
        Ref<PopupMenu> popup = ControlNamed<PopupMenu>(window, name);
        auto* combo = qobject_cast<QComboBox*>(WidgetOf(*popup));
        ASSERT_TRUE(combo) << name;
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = false;
        option.frame = combo->hasFrame();
        option.subControls = QStyle::SC_All;
        const QRect textRoom = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        ASSERT_FALSE(popup->rows().empty()) << name;
        for (const std::string& row : popup->rows()) {
            // The label is drawn one pixel in from either side of that room.
            EXPECT_LE(combo->fontMetrics().horizontalAdvance(QString::fromStdString(row)), textRoom.width() - 2)
                << name << ": \"" << row << "\" in " << textRoom.width() << " px of " << combo->width();
        }
    }
}

}
