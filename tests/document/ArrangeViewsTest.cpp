// ArrangeViews as geometry: every row of the placement table.
#include "document/ViewArrangement.h"

#include <gtest/gtest.h>

#include <map>

using namespace kiv;

namespace {

ArrangeInput input(bool world, bool map, bool wdb, bool obs)
{
    ArrangeInput in;
    in.desktopWidth = 1600;
    in.autoExtendX = 50;
    in.frameExtras = QSize(8, 30);
    in.show3D = world;
    in.show2D = map;
    in.showWDB = wdb;
    in.showObs = obs;
    return in;
}

std::map<ViewKind, QRect> placed(const Arrangement& a)
{
    std::map<ViewKind, QRect> out;
    for (const ViewPlacement& p : a.frames)
        out[p.kind] = p.rect;
    return out;
}

const QSize kSquare(408, 430);
const QSize kWide(808, 430);

} // namespace

TEST(ArrangeViews, AllFourViews)
{
    const Arrangement a = arrangeViews(input(true, true, true, true));
    EXPECT_EQ(a.cell, 400);
    auto r = placed(a);
    EXPECT_EQ(r[ViewKind::Map], QRect(0, 0, 808, 430));
    EXPECT_EQ(r[ViewKind::WDB], QRect(0, 430, 808, 430));
    EXPECT_EQ(r[ViewKind::World], QRect(808, 0, 408, 430));
    EXPECT_EQ(r[ViewKind::Obs], QRect(808, 430, 408, 430));
    EXPECT_EQ(a.total, QSize(1216, 860));
    EXPECT_EQ(a.mainWindowPos, QPoint(200, 10));
    EXPECT_FALSE(a.keepCorners);
}

TEST(ArrangeViews, GlobeObserverAndAWideViewPutTheWideOneAtXFour)
{
    for (bool wdb : {false, true}) {
        const Arrangement a = arrangeViews(input(true, !wdb, wdb, true));
        auto r = placed(a);
        EXPECT_EQ(r[ViewKind::World], QRect(QPoint(0, 0), kSquare));
        EXPECT_EQ(r[ViewKind::Obs], QRect(QPoint(408, 0), kSquare));
        EXPECT_EQ(r[wdb ? ViewKind::WDB : ViewKind::Map], QRect(QPoint(4, 430), kWide));
        EXPECT_EQ(a.total, QSize(816, 860));
    }
}

TEST(ArrangeViews, TwoWideViewsAndASquareOne)
{
    for (bool obs : {false, true}) {
        const Arrangement a = arrangeViews(input(!obs, true, true, obs));
        auto r = placed(a);
        EXPECT_EQ(r[ViewKind::Map], QRect(QPoint(0, 0), kWide));
        EXPECT_EQ(r[ViewKind::WDB], QRect(QPoint(0, 430), kWide));
        EXPECT_EQ(r[obs ? ViewKind::Obs : ViewKind::World], QRect(QPoint(808, 0), kSquare));
        EXPECT_EQ(a.total, QSize(1216, 860));
    }
}

TEST(ArrangeViews, EveryPairHitsOneRow)
{
    struct Pair {
        bool world, map, wdb, obs;
        std::map<ViewKind, QRect> expected;
        QSize total;
    };
    const Pair pairs[] = {
        {true, true, false, false, {{ViewKind::Map, {QPoint(0, 0), kWide}}, {ViewKind::World, {QPoint(808, 0), kSquare}}}, {1216, 430}},
        {false, true, false, true, {{ViewKind::Map, {QPoint(0, 0), kWide}}, {ViewKind::Obs, {QPoint(808, 0), kSquare}}}, {1216, 430}},
        {true, false, true, false, {{ViewKind::WDB, {QPoint(0, 0), kWide}}, {ViewKind::World, {QPoint(808, 0), kSquare}}}, {1216, 430}},
        {false, false, true, true, {{ViewKind::WDB, {QPoint(0, 0), kWide}}, {ViewKind::Obs, {QPoint(808, 0), kSquare}}}, {1216, 430}},
        {true, false, false, true, {{ViewKind::World, {QPoint(0, 0), kSquare}}, {ViewKind::Obs, {QPoint(408, 0), kSquare}}}, {816, 430}},
        {false, true, true, false, {{ViewKind::Map, {QPoint(0, 0), kWide}}, {ViewKind::WDB, {QPoint(0, 430), kWide}}}, {808, 860}},
    };
    for (const Pair& p : pairs) {
        const Arrangement a = arrangeViews(input(p.world, p.map, p.wdb, p.obs));
        EXPECT_EQ(placed(a), p.expected);
        EXPECT_EQ(a.total, p.total);
    }
}

TEST(ArrangeViews, OneViewOrAutoArrangeOffKeepsCornersAndTheWindowSize)
{
    const Arrangement one = arrangeViews(input(false, true, false, false));
    EXPECT_TRUE(one.keepCorners);
    EXPECT_EQ(placed(one)[ViewKind::Map].size(), kWide);
    EXPECT_FALSE(one.total.has_value()); // the main window moves but never shrinks

    ArrangeInput off = input(true, true, true, true);
    off.autoArrange = false;
    const Arrangement a = arrangeViews(off);
    EXPECT_TRUE(a.keepCorners);
    auto r = placed(a);
    EXPECT_EQ(r[ViewKind::World].size(), kSquare);
    EXPECT_EQ(r[ViewKind::Obs].size(), kSquare);
    EXPECT_EQ(r[ViewKind::Map].size(), kWide);
    EXPECT_EQ(r[ViewKind::WDB].size(), kWide);
    EXPECT_FALSE(a.total.has_value());
    EXPECT_EQ(a.mainWindowPos, QPoint(200, 10));
}

TEST(ArrangeViews, CellPercentageIsClampedWhereItIsUsed)
{
    ArrangeInput in = input(true, false, false, false);
    in.autoExtendX = 0;
    EXPECT_EQ(arrangeViews(in).cell, 40); // 5 % of 1600 / 2
    in.autoExtendX = -30;
    EXPECT_EQ(arrangeViews(in).cell, 40);
    in.autoExtendX = 250;
    EXPECT_EQ(arrangeViews(in).cell, 800);
}
