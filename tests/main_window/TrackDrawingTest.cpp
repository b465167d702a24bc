#include "support/FlightFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using namespace flight_testing;

namespace {

constexpr fw::Color kWhite { 255, 255, 255 };
constexpr fw::Color kDarkBlue { 0, 0, 150 };

// Each case starts from the plain back colour of the canvas.
class TrackDrawing : public FlightWindowTest {
protected:
    void SetUp() override
    {
        FlightWindowTest::SetUp();
        plainCanvases();
    }

    static void clean() { MainCanvas()->Refresh(true); }
};

struct Box {
    std::int32_t left, top, width, height;
    bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box)
{
    return out << box.width << "x" << box.height << " at (" << box.left << ", " << box.top << ")";
}

Box BoundsOf(const std::vector<PixelSnapshot::Pixel>& pixels)
{
    if (pixels.empty())
        return {};
    auto [minX, maxX] = std::minmax_element(pixels.begin(), pixels.end(), [](auto& a, auto& b) { return a.x < b.x; });
    auto [minY, maxY] = std::minmax_element(pixels.begin(), pixels.end(), [](auto& a, auto& b) { return a.y < b.y; });
    return { minX->x, minY->y, maxX->x - minX->x + 1, maxY->y - minY->y + 1 };
}

std::vector<PixelSnapshot::Pixel> InBox(const std::vector<PixelSnapshot::Pixel>& pixels, const Box& box)
{
    std::vector<PixelSnapshot::Pixel> inside;
    for (const auto& p : pixels)
        if (p.x >= box.left && p.x < box.left + box.width && p.y >= box.top && p.y < box.top + box.height)
            inside.push_back(p);
    return inside;
}

bool AllOf(const std::vector<PixelSnapshot::Pixel>& pixels, fw::Color colour)
{
    return std::all_of(pixels.begin(), pixels.end(), [&](auto& p) { return p.color == colour; });
}

struct EdgeCase {
    double X;
    double Y;
    bool draws;
};

// A unit scale puts the point exactly on each edge of the box.
TEST_F(TrackDrawing, Draw1KeepsToItsBoxAndMovesThePreviousPointOnlyWhenItDraws)
{
    const EdgeCase cases[] = {
        { 3, 200, false },
        { 3.5, 200, true },
        { 635, 200, false },
        { 634.5, 200, true },
        { 300, 3, false },
        { 300, 3.5, true },
        { 300, 498, false },
        { 300, 497.5, true },
    };
    Variables::scalex = 348;
    Variables::Scaley = 249;
    Variables::factor = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "X " << c.X << ", Y " << c.Y);
        clean();
        PixelSnapshot before(MainCanvas());
        Variables::xx = 10;
        Variables::yy = 10;
        Variables::x = c.X - 348;
        Variables::y = 249 - c.Y;
        window->Draw1();
        auto drawn = before.changed();
        if (c.draws) {
            EXPECT_EQ(InBox(drawn, { std::int32_t(c.X), std::int32_t(c.Y), 3, 3 }).size(), 9u);
            EXPECT_EQ(Variables::xx, Variables::x);
            EXPECT_EQ(Variables::yy, Variables::y);
        } else {
            EXPECT_TRUE(drawn.empty());
            EXPECT_EQ(Variables::xx, 10);
            EXPECT_EQ(Variables::yy, 10);
        }
    }
}

TEST_F(TrackDrawing, Draw2KeepsToItsBox)
{
    const EdgeCase cases[] = {
        { 3, 250, false },
        { 3.5, 250, true },
        { 635, 250, false },
        { 634.5, 250, true },
        { 300, 1, false },
        { 300, 1.5, true },
        { 300, 500, false },
        { 300, 499.5, true },
    };
    closeUpScale();
    Variables::fireball = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "X " << c.X << ", Y " << c.Y);
        clean();
        PixelSnapshot before(MainCanvas());
        Variables::s = c.X;
        Variables::h = (350 - c.Y) / 2;
        window->Draw2();
        EXPECT_EQ(before.changed().empty(), !c.draws);
    }
}

// The first point of the program's first run: the previous point is the Earth's centre.
TEST_F(TrackDrawing, Draw1PaintsAWhiteHeadAndTurnsThePreviousOneDarkBlue)
{
    globeScale();
    Variables::xx = 0;
    Variables::yy = 0;
    Variables::x = 3000; // pixel 447.17
    Variables::y = 2000; // pixel 182.88
    clean();
    PixelSnapshot before(MainCanvas());
    window->Draw1();

    auto drawn = before.changed();
    const Box centre { 348, 249, 3, 3 };
    const Box head { 447, 182, 3, 3 };
    EXPECT_EQ(drawn.size(), 18u);
    EXPECT_EQ(BoundsOf(InBox(drawn, centre)), centre);
    EXPECT_TRUE(AllOf(InBox(drawn, centre), kDarkBlue));
    EXPECT_EQ(BoundsOf(InBox(drawn, head)), head);
    EXPECT_TRUE(AllOf(InBox(drawn, head), kWhite));
    EXPECT_EQ(Variables::xx, 3000);
    EXPECT_EQ(Variables::yy, 2000);
    EXPECT_EQ(MainCanvas()->foreColor(), kWhite);

    Variables::x = 3300; // pixel 457.09
    Variables::y = 1800; // pixel 189.50
    window->Draw1();
    auto trail = before.changed();
    EXPECT_TRUE(AllOf(InBox(trail, head), kDarkBlue));
    EXPECT_EQ(InBox(trail, head).size(), 9u);
    EXPECT_TRUE(AllOf(InBox(trail, { 457, 189, 3, 3 }), kWhite));
    EXPECT_EQ(InBox(trail, { 457, 189, 3, 3 }).size(), 9u);
}

struct DotCase {
    double fireball;
    double s;
    double h;
    Box box;
    std::size_t pixels;
};

TEST_F(TrackDrawing, Draw2DotGrowsWithTheFireballInThePenColour)
{
    // Corner, size and pixel count of the dot, by truncation and the oval rule.
    const DotCase cases[] = {
        { 0, 100, 50, { 100, 250, 2, 2 }, 4 },
        { 0.9, 100.3, 50, { 99, 249, 2, 2 }, 4 },
        { 1, 100, 50, { 99, 249, 3, 3 }, 9 },
        { 3, 100, 50, { 98, 248, 5, 5 }, 21 },
        { 4, 100, 50, { 98, 248, 6, 6 }, 32 },
        { 4, 200.7, 20.2, { 198, 307, 6, 6 }, 32 },
    };
    closeUpScale();
    const fw::Color pen { 200, 80, 80 };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "fireball " << c.fireball << " at s " << c.s << ", h " << c.h);
        clean();
        MainCanvas()->setForeColor(pen);
        PixelSnapshot before(MainCanvas());
        Variables::fireball = c.fireball;
        Variables::s = c.s;
        Variables::h = c.h;
        window->Draw2();
        auto dot = before.changed();
        EXPECT_EQ(dot.size(), c.pixels);
        EXPECT_EQ(BoundsOf(dot), c.box);
        EXPECT_TRUE(AllOf(dot, pen));
        EXPECT_EQ(MainCanvas()->foreColor(), pen) << "Draw2 sets no colour";
    }
}

}
