#pragma once

// A test with the main window open, as the program opens it: the diagram window comes with it.
// The flight runs on a simulation thread object whose operations the test calls one by one on
// the main thread; the inputs are set as a user sets them.

#include "diagram/Dialog1.h"
#include "main_window/Window1.h"
#include "simulation/BackGroundDrawing.h"
#include "simulation/Variables.h"
#include "support/PixelSnapshot.h"
#include "support/TestSupport.h"
#include "support/UserActions.h"
#include <fw/Canvas.h>
#include <fw/Color.h>
#include <fw/PopupMenu.h>
#include <fw/Slider.h>
#include <fw/TextField.h>
#include <fw/Window.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

// Failures name a colour by its parts; gtest finds this next to the type.
namespace fw {
inline void PrintTo(const Color& color, std::ostream* out)
{
    *out << "RGB(" << int(color.red) << ", " << int(color.green) << ", " << int(color.blue) << ")";
}
}

namespace flight_testing {

inline fw::Ref<fw::Canvas> DiagramCanvas()
{
    return fw::ControlNamed<fw::Canvas>(Dialog1::Instance(), "Canvas1");
}

using testing_support::PixelSnapshot;

class FlightWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = Window1::Instance();
        ASSERT_TRUE(window);
        ASSERT_TRUE(fw::GetImplicitWindow("Dialog1.Dialog1")) << "the main window opens the diagram with it";
    }

    void TearDown() override
    {
        // The diagram first: closing it reaches the main window's check box.
        if (auto diagram = fw::GetImplicitWindow("Dialog1.Dialog1"))
            diagram->Close();
        if (auto main = fw::GetImplicitWindow("Window1.Window1"))
            main->Close();
        testing_support::ProcessEvents();
    }

    template<typename C>
    fw::Ref<C> input(const char* name)
    {
        return fw::ControlNamed<C>(Window1::Instance(), name);
    }

    // As the scenario driver's set, select and slide: only on an input that a user can reach.
    template<typename C>
    fw::Ref<C> reachableInput(const char* name)
    {
        fw::Ref<C> control = input<C>(name);
        std::optional<std::string> why = user_actions::WhyUnreachable(*control);
        EXPECT_FALSE(why) << name << " is " << why.value_or("");
        return why ? fw::Ref<C>() : control;
    }

    void typeDiameter(const std::string& text)
    {
        if (auto field = reachableInput<fw::TextField>("EditFieldDia"))
            user_actions::TypeInto(*field, text);
    }
    void chooseMaterial(const std::string& row) { chooseRow("PopupMenuType", row); }
    void chooseOrigin(const std::string& row) { chooseRow("PopupMenuOrigin", row); }
    void chooseRow(const char* name, const std::string& row)
    {
        if (auto menu = reachableInput<fw::PopupMenu>(name)) {
            EXPECT_TRUE(user_actions::ChooseRow(*menu, row)) << name << " has no row " << row;
        }
    }
    void slideAngle(std::int32_t value)
    {
        if (auto slider = reachableInput<fw::Slider>("SliderAngle"))
            user_actions::SlideTo(*slider, value);
    }

    // Canvases without their pictures, so that whatever is drawn stands out on a plain colour.
    void plainCanvases()
    {
        MainCanvas()->setBackdrop(nullptr);
        DiagramCanvas()->setBackdrop(nullptr);
    }

    // The globe view's scale, as its loop sets it at entry.
    static void globeScale()
    {
        Variables::scalex = 348;
        Variables::Scaley = 249;
        Variables::factor = 4.0 / 121.0;
    }

    // The close-up view's scale.
    static void closeUpScale()
    {
        Variables::scalex = 0;
        Variables::Scaley = 350;
        Variables::factor = 2;
    }

    fw::Ref<Window1> window;
    fw::Ref<BackGroundDrawing> flight { new BackGroundDrawing };
};

}
