#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "support/ScreenSupport.h"
#include "support/TestSupport.h"
#include <fw/Graphics.h>
#include <fw/Runtime.h>
#include <fw/RuntimeFunctions.h>

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QImage>
#include <QWidget>

using namespace fw;
using namespace testing_support;

namespace {

Ref<Picture> SolidPicture(int width, int height, QRgb color, QRgb corner)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    image.setPixel(0, 0, corner);
    return PictureOf(image);
}

class Canvases : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = OpenCanvasWindow();
        canvas = window->canvas();
        canvas->setBackdrop(SolidPicture(20, 10, qRgb(10, 20, 30), qRgb(10, 20, 30)));
    }
    void TearDown() override { window->Close(); }

    int countPixels(Color color) const
    {
        int count = 0;
        for (int y = 0; y < CanvasWindow::kHeight; ++y)
            for (int x = 0; x < CanvasWindow::kWidth; ++x)
                count += canvas->pixel(x, y) == color;
        return count;
    }

    Ref<CanvasWindow> window;
    Ref<Canvas> canvas;
    const Color backdrop { 10, 20, 30 };
};

TEST_F(Canvases, DrawingOutsidePaintIsKept)
{
    Ref<Graphics> g = canvas->Graphics();
    g->setForeColor(RGB(255, 0, 0));
    g->DrawLine(0, 15, 39, 15);
    g->Pixel(5, 25, RGB(0, 255, 0));
    ProcessEvents();
    EXPECT_EQ(canvas->pixel(0, 15), RGB(255, 0, 0));
    EXPECT_EQ(canvas->pixel(39, 15), RGB(255, 0, 0));
    EXPECT_EQ(canvas->pixel(5, 25), RGB(0, 255, 0));
    EXPECT_EQ(canvas->pixel(3, 3), backdrop);
}

TEST_F(Canvases, ThePenColourStaysAcrossFetches)
{
    canvas->Graphics()->setForeColor(RGB(1, 2, 3));
    Ref<Graphics> later = canvas->Graphics();
    EXPECT_EQ(later->ForeColor(), RGB(1, 2, 3));
    later->FillOval(10, 10, 2, 2);
    EXPECT_EQ(countPixels(RGB(1, 2, 3)), 4);
}

TEST_F(Canvases, ARepaintShowsTheBackdropAloneAtOnce)
{
    canvas->Graphics()->FillOval(0, 0, 40, 30);
    canvas->Refresh(true);
    EXPECT_EQ(countPixels(backdrop), 20 * 10);
    Color windowColour = window->effectiveBackColor();
    EXPECT_EQ(canvas->pixel(30, 20), windowColour) << "outside the backdrop: the window's colour";
}

TEST_F(Canvases, ANilBackdropShowsTheWindowColour)
{
    window->setHasBackColor(true);
    window->setBackColor(Color { 0xE6, 0xED, 0xD3 });
    canvas->setBackdrop(nullptr);
    EXPECT_EQ(countPixels(Color { 0xE6, 0xED, 0xD3 }), 40 * 30);
    canvas->Graphics()->DrawPicture(nullptr, 0, 0);
    EXPECT_EQ(countPixels(Color { 0xE6, 0xED, 0xD3 }), 40 * 30);
}

TEST_F(Canvases, OvalsSetWholePixelsInsideTheirBox)
{
    Ref<Graphics> g = canvas->Graphics();
    g->setForeColor(RGB(255, 255, 255));
    struct Case {
        int width, height, expected;
    };
    for (Case c : { Case { 1, 1, 1 }, Case { 2, 2, 4 }, Case { 3, 3, 9 }, Case { 5, 5, 21 }, Case { 0, 4, 0 } }) {
        canvas->Refresh(true);
        g->FillOval(4, 4, c.width, c.height);
        EXPECT_EQ(countPixels(RGB(255, 255, 255)), c.expected) << c.width << "x" << c.height;
    }
    canvas->Refresh(true);
    g->FillOval(-1000000000, -1000000000, 2000000000, 2000000000);
    EXPECT_EQ(countPixels(RGB(255, 255, 255)), 40 * 30) << "a huge oval is clipped, not walked";
}

TEST_F(Canvases, LinesIncludeBothEndsAndClipFarCoordinates)
{
    Ref<Graphics> g = canvas->Graphics();
    g->setForeColor(RGB(0, 0, 0));
    g->DrawLine(2, 2, 7, 4);
    EXPECT_EQ(canvas->pixel(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas->pixel(7, 4), RGB(0, 0, 0));
    EXPECT_EQ(countPixels(RGB(0, 0, 0)), 6);
    canvas->Refresh(true);
    g->DrawLine(0, 240, 197, 96);
    g->DrawLine(-2147483647 - 1, 5, 2147483647, 5);
    EXPECT_EQ(canvas->pixel(20, 5), RGB(0, 0, 0));
}

TEST_F(Canvases, TransparentPicturesSkipTheirWhitePixels)
{
    Ref<Picture> frame = SolidPicture(4, 4, qRgb(255, 255, 255), qRgb(200, 100, 0));
    frame->setTransparent(1);
    canvas->Graphics()->DrawPicture(frame, 1, 1);
    EXPECT_EQ(canvas->pixel(1, 1), RGB(200, 100, 0));
    EXPECT_EQ(canvas->pixel(2, 2), backdrop);
    frame->setTransparent(0);
    canvas->Graphics()->DrawPicture(frame, 1, 1);
    EXPECT_EQ(canvas->pixel(2, 2), RGB(255, 255, 255));
}

TEST_F(Canvases, PicturesAreDecodedByContent)
{
    EXPECT_TRUE(SolidPicture(3, 2, 0, 0));
    Ref<Picture> picture = SolidPicture(3, 2, 0, 0);
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(picture->Height(), 2);
    EXPECT_FALSE(Picture::decode("not a picture"));
    EXPECT_FALSE(Picture::decode(""));
}

// Counts the paints of a widget: each present of a changed canvas paints its widget once.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count { 0 };

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// What the widgets show, against the retained picture.
TEST_F(Canvases, TheScreenShowsLinesAndOvalsDrawnFromAThread)
{
    Ref<FunctionThread> thread = StartThread([this] {
        Ref<Graphics> g = canvas->Graphics();
        for (int i = 0; i < 12; ++i) {
            g->setForeColor(RGB(20 * i, 255 - 20 * i, 60 + 10 * i));
            g->DrawLine(i, 0, 39 - 2 * i, 29);
            RuntimeBackgroundTask();
            g->FillOval(3 * i, (7 * i) % 25, 5, 4);
            RuntimeBackgroundTask();
        }
    });
    ASSERT_TRUE(RunRoundsUntil([&] { return !thread->isRunning(); }));
    ASSERT_LT(countPixels(backdrop), 20 * 10) << "the thread drew over the backdrop";
    EXPECT_TRUE(WaitUntilScreenShowsPicture(*canvas)) << ScreenDifference(*canvas);
    EXPECT_EQ(ScreenDifferences(*canvas), "");
}

TEST_F(Canvases, TheScreenShowsARefreshAndANewBackdrop)
{
    canvas->setPaintHandler([](Graphics& g) {
        g.setForeColor(RGB(200, 0, 0));
        g.FillOval(5, 5, 10, 10);
    });
    canvas->Graphics()->DrawLine(0, 29, 39, 0);
    ASSERT_TRUE(WaitUntilScreenShowsPicture(*canvas)) << ScreenDifference(*canvas);

    canvas->Refresh(true);
    EXPECT_TRUE(WaitUntilScreenShowsPicture(*canvas)) << ScreenDifference(*canvas);
    EXPECT_EQ(ScreenDifferences(*canvas), "");

    canvas->setBackdrop(SolidPicture(40, 30, qRgb(0, 90, 200), qRgb(255, 255, 0)));
    EXPECT_TRUE(WaitUntilScreenShowsPicture(*canvas)) << ScreenDifference(*canvas);
    EXPECT_EQ(ScreenDifferences(*canvas), "");
}

TEST(CanvasScreen, AWindowsFirstShowingPutsItsCanvasOnScreen)
{
    if (!IsClassRegistered(CanvasWindow::StaticClass()))
        RegisterClass(CanvasWindow::StaticClass());
    auto window = RuntimeCheckCast<CanvasWindow>(RuntimeNewObject(CanvasWindow::StaticClass()));
    window->setVisible(false);
    window->Constructor();
    Ref<Canvas> canvas = window->canvas();
    canvas->setBackdrop(SolidPicture(30, 20, qRgb(250, 120, 0), qRgb(0, 0, 255)));
    canvas->Graphics()->FillOval(0, 0, 40, 30);
    window->Show();
    EXPECT_TRUE(WaitUntilScreenShowsPicture(*canvas)) << ScreenDifference(*canvas);
    EXPECT_EQ(ScreenDifferences(*canvas), "");
    window->Close();
}

// Changed canvases go to the screen at most about sixty times a second, however fast the drawing.
TEST_F(Canvases, AStormOfDrawingIsPresentedAtMostSixtyTimesASecond)
{
    ASSERT_TRUE(WaitUntilScreenShowsPicture(*canvas));
    PaintCounter paints(WidgetOf(*canvas));
    bool stop = false;
    int calls = 0;
    Ref<FunctionThread> thread = StartThread([&] {
        Ref<Graphics> g = canvas->Graphics();
        for (int i = 0; !stop; ++i, ++calls) {
            g->setForeColor(RGB(i % 256, 255 - i % 256, 0));
            g->DrawLine(i % 40, 0, 39 - i % 40, 29);
            RuntimeBackgroundTask();
        }
    });
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500)
        RunRounds(1);
    stop = true;
    const qint64 elapsed = clock.elapsed();
    ASSERT_TRUE(RunRoundsUntil([&] { return !thread->isRunning(); }));

    // Sixty a second is one present in 16.7 ms; a timer may fire a little early.
    EXPECT_LE(paints.count, elapsed / 12 + 2) << calls << " drawing calls in " << elapsed << " ms";
    EXPECT_GT(paints.count, 0) << "the drawing reached the screen while it went on";
    EXPECT_TRUE(WaitUntilScreenShowsPicture(*canvas)) << ScreenDifference(*canvas);
}

}
