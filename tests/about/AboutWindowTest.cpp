// The About window as the main window's About command opens it: its texts, the trail of dots
// that each paint draws one tick at a time, its two pictures, and the press that closes it.
#include "about/AboutWindow.h"

#include "diagram/Dialog1.h"

#include "gui/ApplicationMenus.h"
#include "gui/CanvasWidget.h"
#include "gui/PicturePrivate.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include "loop/EventLoop.h"
#include "loop/HandlerCall.h"
#include "shell/Resources.h"
#include "support/FlightFixture.h"
#include "support/PixelComparison.h"
#include "support/UserActions.h"
#include <fw/Application.h>
#include <fw/CheckBox.h>
#include <fw/Clock.h>
#include <fw/Graphics.h>
#include <fw/Picture.h>
#include <fw/PushButton.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>
#include <fw/StaticText.h>

#include <QCoreApplication>
#include <QImage>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QRect>
#include <QTest>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

using namespace fw;
using namespace testing_support;

namespace {

constexpr const char* kAboutClass = "AboutWindow.AboutWindow";

class AboutWindowTest : public flight_testing::FlightWindowTest {
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        seen.lines.clear();
    }

    void TearDown() override
    {
        EXPECT_FALSE(EventLoop::instance().takeException());
        if (Ref<Window> about = GetImplicitWindow(kAboutClass))
            about->Close();
        FlightWindowTest::TearDown();
    }

    static Ref<AboutWindow> chooseAbout()
    {
        ChooseMenuItem(Window1::Instance().get(), kAboutMenuItem);
        return RuntimeCheckCast<AboutWindow>(GetImplicitWindow(kAboutClass));
    }

    RecordingObserver seen;
};

QRgb Rgb(Color color) { return qRgb(color.red, color.green, color.blue); }

TEST_F(AboutWindowTest, TheCommandShowsOneAboutWindowWithItsTitleSizeAndTexts)
{
    Ref<AboutWindow> about = chooseAbout();
    ASSERT_TRUE(about);
    EXPECT_TRUE(WidgetOf(*about)->isVisible());
    EXPECT_EQ(about->title(), "About Quendal");
    EXPECT_EQ(WidgetOf(*about)->windowTitle().toStdString(), "About Quendal");
    EXPECT_EQ(WidgetOf(*about)->content()->size(), QSize(337, 290));

    struct LabelCase {
        const char* name;
        const char* text;
    };
    const LabelCase labels[] = {
        { "StaticText1", "Quendal" },
        { "StaticText2", "A meteoroid's flight\rthrough the atmosphere" },
        { "StaticText3", "See the README file" },
    };
    for (const LabelCase& c : labels) {
        SCOPED_TRACE(c.name);
        Ref<StaticText> label = ControlNamed<StaticText>(about, c.name);
        EXPECT_EQ(label->Text(), c.text);
        EXPECT_TRUE(WidgetOf(*label)->isVisibleTo(WidgetOf(*about)));
    }

    // Again while it is open, hidden or minimised: the same window, shown again where it was, by
    // the main window's handler.
    const QRect place = WidgetOf(*about)->geometry();
    for (bool minimised : { false, true }) {
        SCOPED_TRACE(minimised ? "minimised" : "hidden");
        if (minimised)
            WidgetOf(*about)->showMinimized();
        else
            about->setVisible(false);
        EXPECT_FALSE(window->AboutMenu_Action()) << "the application object's handler runs after it";
        EXPECT_EQ(GetImplicitWindow(kAboutClass), about);
        EXPECT_TRUE(WidgetOf(*about)->isVisible());
        EXPECT_FALSE(WidgetOf(*about)->isMinimized());
        EXPECT_EQ(WidgetOf(*about)->geometry(), place);
    }
    EXPECT_EQ(seen.lines, std::vector<std::string> { "opened: AboutWindow.AboutWindow" });

    // Once it is closed, the command builds a new one.
    WidgetOf(*about)->close();
    Ref<AboutWindow> again = chooseAbout();
    ASSERT_TRUE(again);
    EXPECT_NE(again, about);
    EXPECT_TRUE(WidgetOf(*again)->isVisible());
}

// What one round of the scheduler found newly drawn on the canvas.
struct Change {
    std::int32_t ticks;
    QRect box;
    bool allWhite;
};

TEST_F(AboutWindowTest, APaintDrawsEightyFourGrowingDotsOnePerTickAndThenBothPictures)
{
    Ref<AboutWindow> about = chooseAbout();
    ASSERT_TRUE(about);
    Ref<Canvas> canvas = ControlNamed<Canvas>(about, "Canvas1");
    // The first showing paints once the window is on the screen: the trail over the sky.
    const std::int32_t shown = Ticks();
    EXPECT_TRUE(RunRoundsUntil([&] { return canvas->pixel(10, 125) == Color { 255, 255, 255 }; }, 10));
    EXPECT_GE(Ticks() - shown, 84);
    // A plain background, so that every dot stands out; setting it paints once.
    canvas->setBackdrop(nullptr);
    const QRgb background = Rgb(about->effectiveBackColor());
    const QRgb white = qRgb(255, 255, 255);
    ASSERT_NE(background, white);
    const QImage& picture = static_cast<CanvasWidget*>(WidgetOf(*canvas))->picture();

    // The paint yields between its dots; a thread looks at the canvas at every round.
    QImage previous = picture.copy();
    previous.fill(background);
    std::vector<Change> changes;
    bool watching = true;
    Ref<FunctionThread> watcher = StartThread([&] {
        while (watching) {
            if (picture != previous) {
                Change change { Ticks(), {}, true };
                for (const DifferingPixel& pixel : DifferingPixels(previous, picture)) {
                    change.box |= QRect(pixel.at, QSize(1, 1));
                    change.allWhite = change.allWhite && pixel.shown == white;
                }
                changes.push_back(change);
                previous = picture.copy();
            }
            RuntimeBackgroundTask();
        }
    });

    const std::int32_t before = Ticks();
    canvas->Refresh(true);
    const std::int32_t after = Ticks();
    watching = false;
    ASSERT_TRUE(RunRoundsUntil([&] { return !watcher->isRunning(); }, 10));

    EXPECT_GE(after - before, 84) << "at most one dot per tick";
    ASSERT_EQ(changes.size(), 84u);
    for (std::size_t n = 0; n < changes.size(); ++n) {
        // Truncated: the row of an odd i drops its half, and the size is 1 up to i = 59.
        const int i = 10 + 3 * int(n);
        const int y = 120 + i / 2;
        const int size = i > 30 ? i / 30 : 1;
        const QRect dot(i, y, size, size);
        const Change& change = changes[n];
        SCOPED_TRACE("the dot at i = " + std::to_string(i));
        EXPECT_TRUE(change.allWhite);
        // A dot overlaps the one before, so only its lower right part is new.
        EXPECT_TRUE(dot.contains(change.box)) << change.box.x() << "," << change.box.y() << " " << change.box.width() << "x"
                                              << change.box.height();
        EXPECT_EQ(change.box.right(), dot.right());
        EXPECT_EQ(change.box.bottom(), dot.bottom());
        if (size == 1) {
            EXPECT_EQ(change.box, dot);
        }
        if (n > 0) {
            EXPECT_GT(change.ticks, changes[n - 1].ticks);
        }
    }
    EXPECT_EQ(changes.front().box, QRect(10, 125, 1, 1));
    EXPECT_EQ(changes.back().box.right(), 259 + 8 - 1) << "the last dot is at i = 259, 8 wide";

    // The pictures at their places, over the plain background, each opaque pixel as it is.
    struct PictureCase {
        const char* name;
        Ref<Picture> picture;
        QPoint at;
    };
    const PictureCase pictures[] = { { "avpuku", avpuku(), { 200, 64 } }, { "madewZov", madewZov(), { 10, 230 } } };
    QImage painted = picture.copy();
    for (const PictureCase& c : pictures) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.picture);
        const QImage& image = ImageOf(*c.picture);
        int opaque = 0;
        const auto unlike = DifferingPixels(image, painted, c.at, [&](QPoint, QRgb want) {
            opaque += qAlpha(want) == 255 ? 1 : 0;
            return qAlpha(want) == 255;
        });
        EXPECT_GT(opaque, 0);
        EXPECT_EQ(unlike.size(), 0u);
        QPainter(&painted).fillRect(QRect(c.at, image.size()), QColor::fromRgb(background));
    }
    // Apart from the pictures, nothing but the background and the white trail.
    int stray = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            stray += painted.pixel(x, y) == background || painted.pixel(x, y) == white ? 0 : 1;
    EXPECT_EQ(stray, 0);
}

TEST_F(AboutWindowTest, APressAnywhereClosesItAndRepaintsTheMainWindow)
{
    struct PressCase {
        const char* where;
        QPoint point;
    };
    const PressCase presses[] = {
        { "the bare backdrop", { 300, 270 } },
        { "the product name", { 40, 30 } },
        { "the credit line", { 40, 70 } },
        { "the contact line", { 40, 110 } },
        { "the white lines", { 137, 189 } },
    };
    const QPoint mark(302, 302);
    const Color red { 255, 0, 0 };
    ASSERT_TRUE(Globeafrica()) << "the pictures load from build/Resources";
    ASSERT_FALSE(ImageOf(*Globeafrica()).pixel(mark) == Rgb(red));
    for (const PressCase& c : presses) {
        SCOPED_TRACE(c.where);
        Ref<AboutWindow> about = chooseAbout();
        ASSERT_TRUE(about);
        // Something drawn on the main canvas, which the repaint takes away.
        MainCanvasGraphics()->setForeColor(red);
        MainCanvasGraphics()->FillOval(mark.x() - 2, mark.y() - 2, 5, 5);
        ASSERT_EQ(MainCanvas()->pixel(mark.x(), mark.y()), red);
        seen.lines.clear();

        user_actions::PressAt(*about, c.point);
        EXPECT_FALSE(GetImplicitWindow(kAboutClass));
        EXPECT_FALSE(WidgetOf(*about)->isVisible());
        EXPECT_EQ(seen.lines, std::vector<std::string> { "closed: AboutWindow.AboutWindow" });
        EXPECT_EQ(Rgb(MainCanvas()->pixel(mark.x(), mark.y())), ImageOf(*Globeafrica()).pixel(mark));
        EXPECT_EQ(Window1::Instance(), window);
    }
}

TEST_F(AboutWindowTest, APressWhileThePaintDrawsClosesItThereAndNothingMoreIsDrawn)
{
    Ref<AboutWindow> about = chooseAbout();
    ASSERT_TRUE(about);
    Ref<Canvas> canvas = ControlNamed<Canvas>(about, "Canvas1");
    ASSERT_TRUE(RunRoundsUntil([&] { return canvas->pixel(10, 125) == Color { 255, 255, 255 }; }, 10)) << "the first showing's paint";

    // What the canvas holds when the window closes, to compare with what it holds at the end.
    struct Closing : RecordingObserver {
        std::function<void()> onClose;
        void windowClosed(Window& closed) override
        {
            RecordingObserver::windowClosed(closed);
            onClose();
        }
    } closing;
    QImage atClose;
    const QImage& picture = static_cast<CanvasWidget*>(WidgetOf(*canvas))->picture();
    closing.onClose = [&] { atClose = picture.copy(); };

    // Ten ticks into the paint the user presses the window, while the paint waits for a tick.
    Ref<FunctionThread> user = StartThread([&] {
        const std::int32_t start = Ticks();
        while (Ticks() - start < 10)
            RuntimeBackgroundTask();
        QWidget* content = WidgetOf(*about)->content();
        const QPoint point(300, 270);
        QWidget* target = content->childAt(point);
        const QPoint local = target->mapFrom(content, point);
        for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease })
            QCoreApplication::postEvent(target, new QMouseEvent(type, local, target->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    });
    const std::int32_t before = Ticks();
    canvas->Refresh(true);
    const std::int32_t after = Ticks();

    EXPECT_LT(after - before, 20) << "the paint ends at the press, not after its 84 ticks";
    EXPECT_FALSE(GetImplicitWindow(kAboutClass));
    EXPECT_EQ(closing.lines, std::vector<std::string> { "closed: AboutWindow.AboutWindow" });
    EXPECT_FALSE(atClose.isNull());
    EXPECT_TRUE(picture == atClose) << "drawn into a closed window";
    EXPECT_TRUE(RunRoundsUntil([&] { return !user->isRunning(); }, 10));
}

TEST_F(AboutWindowTest, AWindowClosedBeforeItsFirstShowingPaintedIsNotPaintedAfterwards)
{
    Ref<AboutWindow> about = chooseAbout();
    ASSERT_TRUE(about);
    user_actions::PressAt(*about, { 300, 270 });
    ASSERT_FALSE(GetImplicitWindow(kAboutClass));

    // A paint of the closed window would hold the main thread for its 84 ticks.
    const std::int32_t closed = Ticks();
    for (int pass = 0; pass < 3; ++pass)
        ProcessEvents();
    EXPECT_LT(Ticks() - closed, 84);
}

TEST_F(AboutWindowTest, APressAfterTheMainWindowClosedBringsANewIdleMainWindow)
{
    Ref<AboutWindow> about = chooseAbout();
    ASSERT_TRUE(about);
    WidgetOf(*window)->close();
    ASSERT_FALSE(GetImplicitWindow("Window1.Window1"));
    seen.lines.clear();

    user_actions::PressAt(*about, { 150, 150 });
    EXPECT_EQ(seen.lines, (std::vector<std::string> { "closed: AboutWindow.AboutWindow", "opened: Window1.Window1" }));
    Ref<Window1> reopened = RuntimeCheckCast<Window1>(GetImplicitWindow("Window1.Window1"));
    ASSERT_TRUE(reopened);
    EXPECT_NE(reopened, window);
    EXPECT_FALSE(reopened->DrawOrbits);
    EXPECT_TRUE(ControlNamed<PushButton>(reopened, "PushButtonStart")->enabled());
    EXPECT_FALSE(ControlNamed<PushButton>(reopened, "PushButtonStopp")->enabled());
    EXPECT_TRUE(WidgetOf(*reopened)->isVisible());
}

// Input that the diagram's grid gets while the About window's paint waits for a tick: the grid
// draws whole, and what comes meanwhile is handled once it has, at the paint's own wait.
struct GridDuringPaint {
    const char* name;
    // Which control of the diagram draws the grid: Clear with Grid ticked, or Grid itself.
    const char* control;
    enum {
        PressInAbout,
        Quit,
        RepaintAbout
    } then;
};

void PrintTo(const GridDuringPaint& c, std::ostream* out)
{
    *out << c.name;
}

class AboutPaintAndGrid : public AboutWindowTest, public ::testing::WithParamInterface<GridDuringPaint> { };

TEST_P(AboutPaintAndGrid, TheGridDrawsWholeAndWhatCameMeanwhileEndsOnlyThePaint)
{
    const GridDuringPaint& c = GetParam();
    Ref<Dialog1> diagram = Dialog1::Instance();
    ASSERT_TRUE(diagram);
    if (std::string(c.control) == "PushButtonClear")
        ControlNamed<CheckBox>(diagram, "CheckBoxGrid")->setValue(true);
    Ref<AboutWindow> about = chooseAbout();
    ASSERT_TRUE(about);
    Ref<Canvas> canvas = ControlNamed<Canvas>(about, "Canvas1");
    ASSERT_TRUE(RunRoundsUntil([&] { return canvas->pixel(10, 125) == Color { 255, 255, 255 }; }, 10)) << "the first showing's paint";

    std::int32_t repaintedAt = 0;
    auto meanwhile = [&] {
        switch (c.then) {
        case GridDuringPaint::PressInAbout:
            QMetaObject::invokeMethod(
                qApp, [&] { user_actions::PressAt(*about, { 300, 270 }); }, Qt::QueuedConnection);
            break;
        case GridDuringPaint::Quit:
            QMetaObject::invokeMethod(
                qApp, [] { CallHandler([] { ChooseMenuItem(nullptr, kQuitMenuItem); }); }, Qt::QueuedConnection);
            break;
        case GridDuringPaint::RepaintAbout:
            QMetaObject::invokeMethod(
                qApp, [&] {
                    repaintedAt = Ticks();
                    canvas->Refresh(true);
                },
                Qt::QueuedConnection);
            break;
        }
    };
    // At the paint's first wait the user clicks the control; the next input is already queued.
    QMetaObject::invokeMethod(
        qApp, [&] {
            meanwhile();
            QTest::mouseClick(WidgetOf(*ControlNamed<RectControl>(diagram, c.control)), Qt::LeftButton);
        },
        Qt::QueuedConnection);
    const std::int32_t before = Ticks();
    canvas->Refresh(true);
    const std::int32_t after = Ticks();

    EXPECT_FALSE(EventLoop::instance().takeException()) << "nothing left a handler";
    const Color grid { 150, 80, 80 };
    const std::int32_t firstLine = RuntimeCvtReal64ToSInt32(Dialog1::DiaX(0.1));
    const std::int32_t lastLine = RuntimeCvtReal64ToSInt32(Dialog1::DiaY(200));
    EXPECT_EQ(flight_testing::DiagramCanvas()->pixel(firstLine, 100), grid) << "the grid's first line";
    EXPECT_EQ(flight_testing::DiagramCanvas()->pixel(RuntimeCvtReal64ToSInt32(Dialog1::DiaX(10)), lastLine), grid) << "the grid's last line";
    switch (c.then) {
    case GridDuringPaint::PressInAbout:
        EXPECT_FALSE(GetImplicitWindow(kAboutClass)) << "the press closed the About window";
        EXPECT_LT(after - before, 20) << "and its paint ended there";
        EXPECT_FALSE(IsQuitting()) << "the program runs on";
        EXPECT_TRUE(Window1::Instance()->isOpen());
        break;
    case GridDuringPaint::Quit:
        EXPECT_TRUE(IsQuitting());
        EXPECT_EQ(QuitCode(), 0);
        EXPECT_LT(after - before, 20) << "the paint ended at the quit";
        break;
    case GridDuringPaint::RepaintAbout:
        EXPECT_TRUE(about->isOpen());
        EXPECT_GT(repaintedAt, 0) << "the repaint came";
        EXPECT_GE(after - repaintedAt, 84) << "the paint started over and ran to its end";
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Inputs, AboutPaintAndGrid,
    ::testing::Values(GridDuringPaint { "ClearThenPress", "PushButtonClear", GridDuringPaint::PressInAbout },
        GridDuringPaint { "ClearThenQuit", "PushButtonClear", GridDuringPaint::Quit },
        GridDuringPaint { "ClearThenRepaint", "PushButtonClear", GridDuringPaint::RepaintAbout },
        GridDuringPaint { "GridThenPress", "CheckBoxGrid", GridDuringPaint::PressInAbout },
        GridDuringPaint { "GridThenQuit", "CheckBoxGrid", GridDuringPaint::Quit },
        GridDuringPaint { "GridThenRepaint", "CheckBoxGrid", GridDuringPaint::RepaintAbout }),
    [](const ::testing::TestParamInfo<GridDuringPaint>& tested) { return std::string(tested.param.name); });

}
