// What a picture was drawn from, and whether the present state would move it: half a pixel of a
// place, any change of an exact value or a text, and a list that grew or shrank.
#include "document/DrawnPositions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

using namespace kiv;

namespace {

struct Items {
    double x = 10.0, y = 20.0;
    double scaled = 1.0, scale = 4.0;
    double count = 3.0;
    std::string label = "Lat : 12.50";
    int extraPoints = 0;
};

void list(DrawnPositions& d, const Items& items)
{
    d.point(items.x, items.y);
    const double values[] = {items.scaled};
    d.values(values, items.scale);
    d.exact(items.count);
    d.text(items.label);
    for (int i = 0; i < items.extraPoints; ++i)
        d.point(0.0, 0.0);
}

} // namespace

TEST(DrawnPositionsTest, MovesFromHalfAPixelOrAnyChangeOfAnExactItem)
{
    const struct {
        const char* what;
        std::function<void(Items&)> change;
        bool moved;
    } cases[] = {
        {"nothing changed", [](Items&) {}, false},
        {"a place by less than half a pixel", [](Items& i) { i.x += 0.49; }, false},
        {"a place by half a pixel", [](Items& i) { i.y -= 0.5; }, true},
        {"a place diagonally by half a pixel", [](Items& i) { i.x += 0.36, i.y += 0.48; }, true},
        {"a scaled value below half a pixel", [](Items& i) { i.scaled += 0.12; }, false},
        {"a scaled value from half a pixel", [](Items& i) { i.scaled += 0.125; }, true},
        {"a scale changed alone", [](Items& i) { i.scale = 1e9; }, false},
        {"an infinite scale without change", [](Items& i) { i.scale = std::numeric_limits<double>::infinity(); }, false},
        {"an exact value by a little", [](Items& i) { i.count += 1e-9; }, true},
        {"a place that became NaN", [](Items& i) { i.x = std::numeric_limits<double>::quiet_NaN(); }, true},
        {"a text", [](Items& i) { i.label = "Lat : 12.51"; }, true},
        {"a text that grew", [](Items& i) { i.label += "0"; }, true},
        {"a text that shrank", [](Items& i) { i.label.pop_back(); }, true},
        {"an item more", [](Items& i) { i.extraPoints = 1; }, true},
    };
    for (const auto& c : cases) {
        DrawnPositions drawn;
        Items items;
        EXPECT_TRUE(drawn.moved([&](DrawnPositions& d) { list(d, items); })) << "nothing recorded yet";
        drawn.record([&](DrawnPositions& d) { list(d, items); });
        c.change(items);
        EXPECT_EQ(drawn.moved([&](DrawnPositions& d) { list(d, items); }), c.moved) << c.what;
        drawn.forget();
        EXPECT_TRUE(drawn.moved([&](DrawnPositions& d) { list(d, items); })) << c.what << ", forgotten";
    }
}

TEST(DrawnPositionsTest, SmallMovesAddUpAgainstThePictureDrawnNotTheLastQuestion)
{
    DrawnPositions drawn;
    double x = 0.0;
    const auto items = [&x](DrawnPositions& d) { d.point(x, 0.0); };
    drawn.record(items);
    for (int step = 1; step <= 4; ++step) {
        x += 0.15;
        EXPECT_EQ(drawn.moved(items), step == 4) << step;
    }
    // An item less, and a NaN that stays NaN.
    drawn.record([](DrawnPositions& d) { d.point(std::nan(""), 1.0), d.exact(2.0); });
    EXPECT_FALSE(drawn.moved([](DrawnPositions& d) { d.point(std::nan(""), 1.0), d.exact(2.0); }));
    EXPECT_TRUE(drawn.moved([](DrawnPositions& d) { d.point(std::nan(""), 1.0); }));
}
