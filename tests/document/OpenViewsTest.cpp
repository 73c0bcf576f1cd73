#include "document/OpenViews.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kiv;

namespace {

struct FakeWDB : WDBViewPort {
    void RefreshSatellites() override {}
    void CentreOn(double, double) override {}
    QRectF Extent() const override { return {}; }
    void ShowWholeWorld(const QSize&) override {}
    void ShowRegion(const QRectF&, const QSize&) override {}
    void ReloadBackground() override {}
};

struct FakeMap : MapViewPort {
    void RedrawMap() override {}
    void SetWDBZoomBox(const QRectF&) override {}
    void LayoutLabels() override {}
    void ReloadBackground() override {}
};

} // namespace

TEST(OpenViewsTest, WDBSlotsStayPackedAndTheLastToLeaveIsReported)
{
    std::vector<ViewKind> closed;
    OpenViews views([&](ViewKind kind) { closed.push_back(kind); });
    std::vector<FakeWDB> wdb(OpenViews::kMaxWDBViews + 1);
    for (int i = 0; i < OpenViews::kMaxWDBViews; ++i)
        EXPECT_EQ(views.add(&wdb[i]), i + 1);
    EXPECT_EQ(views.add(&wdb.back()), 0) << "a tenth WDB view gets no slot";
    EXPECT_EQ(views.wdbCount(), OpenViews::kMaxWDBViews);

    views.remove(&wdb[3]); // slot 4: the views behind it move up
    EXPECT_EQ(views.wdbCount(), 8);
    EXPECT_EQ(views.wdb(4), &wdb[4]);
    EXPECT_EQ(views.wdb(8), &wdb[8]);
    EXPECT_EQ(views.wdb(9), nullptr);
    EXPECT_EQ(views.wdb(0), nullptr);
    views.remove(&wdb[3]); // twice, or a view never registered: nothing happens
    views.remove(&wdb.back());
    EXPECT_EQ(views.wdbCount(), 8);
    EXPECT_TRUE(closed.empty());

    while (views.isOpen(ViewKind::WDB))
        views.remove(views.wdb(1));
    EXPECT_EQ(closed, std::vector<ViewKind>{ViewKind::WDB});
}

TEST(OpenViewsTest, OneViewOfASingleKindAtATime)
{
    std::vector<ViewKind> closed;
    OpenViews views([&](ViewKind kind) { closed.push_back(kind); });
    FakeMap first, second;
    EXPECT_TRUE(views.add(&first));
    EXPECT_FALSE(views.add(&second));
    EXPECT_EQ(views.map(), &first);
    EXPECT_EQ(views.key(ViewKind::Map), static_cast<const void*>(static_cast<MapViewPort*>(&first)));
    views.remove(&second);
    EXPECT_TRUE(views.isOpen(ViewKind::Map));
    views.remove(&first);
    EXPECT_FALSE(views.isOpen(ViewKind::Map));
    EXPECT_FALSE(views.isOpen(ViewKind::World));
    EXPECT_EQ(closed, std::vector<ViewKind>{ViewKind::Map});
}
