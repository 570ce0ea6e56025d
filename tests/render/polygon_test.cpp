#include "render/polygon.h"

#include <gtest/gtest.h>

#include <vector>

#include "render/lighting.h"
#include "render/view.h"
#include "support/fixed_units.h"

namespace {

using support::Fx;

class Pipeline : public ::testing::Test {
protected:
    void SetUp() override {
        pixels_.assign(640 * 480, 0);
        InitRenderViewport(pixels_.data(), 640, {0, 0, 479, 359});
        SetRenderCamera(0, 0, 0, 0, 0, 256);
        SetClipRect(nullptr);
        ResetEdgeRange();
        VertexLightingOn = 1;
        Brightness = 128;
        ViewPlaneNormal = {0, 0, -Fx(1)};
    }

    // Scans a projected polygon given as (x, y, light) and leaves the tables filled.
    static void ScanWall(std::initializer_list<PolygonVertex> vertices) {
        std::vector<PolygonVertex> p(vertices);
        ScanWallEdges(p.data(), static_cast<int>(p.size()));
    }

    std::vector<uint8_t> pixels_;
};

}  // namespace

TEST_F(Pipeline, PolygonOutsideOneSideIsRejectedUnlit) {
    PolygonVertex in[4] = {{-Fx(20), 0, Fx(10), -7},
                           {-Fx(30), 0, Fx(10), -7},
                           {-Fx(30), Fx(40), Fx(10), -7},
                           {-Fx(20), Fx(40), 0, -7}};
    PolygonVertex out[PolygonCapacity];
    int count = 4;
    EXPECT_FALSE(ClipPolygonToFrustum(in, out, count));
    EXPECT_EQ(RenderStatus, StatusNear | StatusLeft | StatusBottom);
    for (const PolygonVertex& v : in) {
        EXPECT_EQ(v.light, -7);
    }
}

TEST_F(Pipeline, NearPlaneCutsAtExactlyOneAndInterpolatesLight) {
    VertexLightingOn = 0;
    PolygonVertex in[4] = {{-Fx(1), -Fx(1), Fx(1) / 2, Fx(10)},
                           {Fx(1), -Fx(1), Fx(1) / 2, Fx(10)},
                           {Fx(1), Fx(3) / 2, Fx(3), Fx(20)},
                           {-Fx(1), Fx(3) / 2, Fx(3), Fx(20)}};
    PolygonVertex out[PolygonCapacity];
    int count = 4;
    ASSERT_TRUE(ClipPolygonToFrustum(in, out, count));
    EXPECT_EQ(RenderStatus & StatusDrawn, StatusDrawn);
    EXPECT_EQ(RenderStatus & StatusNear, StatusNear);
    ASSERT_EQ(count, 4);
    int cut = 0;
    for (int i = 0; i < count; ++i) {
        if (out[i].z == Fx(3)) {
            continue;
        }
        ++cut;
        EXPECT_EQ(out[i].z, Fx(1));
        EXPECT_EQ(out[i].light, Fx(12));  // 10 + 10 * 0.5 / 2.5
        EXPECT_EQ(out[i].y, -Fx(1) / 2);  // exact whichever way the edge runs
    }
    EXPECT_EQ(cut, 2);

    // With lighting on, the vertices are lit before they are cut.
    VertexLightingOn = 1;
    count = 4;
    ASSERT_TRUE(ClipPolygonToFrustum(in, out, count));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(out[i].light, Fx(20));
    }
    EXPECT_EQ(in[0].light, Fx(20));
}

TEST_F(Pipeline, SidePlanesAndTheClipRectangleCutExactlyOnTheBound) {
    VertexLightingOn = 0;
    // A triangle reaching past x = z on the right.
    PolygonVertex in[3] = {{0, 0, Fx(10), 0}, {Fx(30), 0, Fx(10), Fx(30)}, {0, Fx(5), Fx(10), 0}};
    PolygonVertex out[PolygonCapacity];
    int count = 3;
    ASSERT_TRUE(ClipPolygonToFrustum(in, out, count));
    EXPECT_EQ(RenderStatus, StatusRight | StatusDrawn);
    ASSERT_EQ(count, 4);
    bool onPlane = false;
    for (int i = 0; i < count; ++i) {
        EXPECT_LE(out[i].x, out[i].z);
        onPlane = onPlane || (out[i].x == out[i].z && out[i].x != 0);
    }
    EXPECT_TRUE(onPlane);

    // Projection: x/z and y/z times the scale, in Fixed16 pixels.
    PolygonVertex p[1] = {{Fx(1), Fx(1) / 2, Fx(2), 0}};
    ProjectPolygon(p, 1);
    EXPECT_EQ(p[0].x, Fx(240));
    EXPECT_EQ(p[0].y, Fx(120));

    // Past the clip rectangle's right bound the new vertices lie on it, lights interpolated.
    const RenderRect rect = {200, 100, 300, 300};  // right bound 60 right of the centre
    SetClipRect(&rect);
    PolygonVertex flat[4] = {{0, 0, 0, Fx(0)},
                             {Fx(100), 0, 0, Fx(10)},
                             {Fx(100), Fx(20), 0, Fx(10)},
                             {0, Fx(20), 0, Fx(0)}};
    count = 4;
    ASSERT_TRUE(ClipPolygonToRect(flat, out, count));
    EXPECT_EQ(RenderStatus, StatusRight | StatusDrawn);
    ASSERT_EQ(count, 4);
    for (int i = 0; i < count; ++i) {
        if (out[i].x != 0) {
            EXPECT_EQ(out[i].x, Fx(60));
            EXPECT_EQ(out[i].light, Fx(6));
        }
    }

    // Wholly beyond the bottom bound: rejected.
    PolygonVertex low[3] = {{0, Fx(200), 0, 0}, {Fx(5), Fx(200), 0, 0}, {0, Fx(210), 0, 0}};
    count = 3;
    EXPECT_FALSE(ClipPolygonToRect(low, out, count));
    EXPECT_EQ(RenderStatus, StatusBottom);
}

TEST_F(Pipeline, WallEdgesRoundHalfUpIntoColumns) {
    ScanWall({{Fx(10) + Fx(1) / 2, -Fx(5), 0, 0}, {1342832, -Fx(5), 0, 0}});  // 10.5 to 20.49
    EXPECT_EQ(EdgeRangeMin, 2 * (ViewCentreX + 11));
    EXPECT_EQ(EdgeRangeMax, 2 * (ViewCentreX + 20));
    for (int c = ViewCentreX + 11; c <= ViewCentreX + 20; ++c) {
        EXPECT_EQ(EdgeMin[c], -5);
        EXPECT_EQ(EdgeMax[c], -5);
    }
}

TEST_F(Pipeline, EdgeWalkUsesTheMidpointRuleWhicheverWayTheEdgeRuns) {
    const int c = ViewCentreX;
    // Columns lead: 4 across, 1 down. Step 2 is an exact half and stays on the start row.
    for (bool reversed : {false, true}) {
        ResetEdgeRange();
        PolygonVertex a = {0, 0, 0, Fx(0)};
        PolygonVertex b = {Fx(4), Fx(1), 0, Fx(8)};
        if (reversed) {
            std::swap(a, b);
        }
        ScanWall({a, b});
        const int rows[5] = {0, 0, 0, 1, 1};
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(EdgeMin[c + k], rows[k]) << k << reversed;
            EXPECT_EQ(EdgeMax[c + k], rows[k]) << k << reversed;
            EXPECT_EQ(EdgeMinLight[c + k], Fx(2 * k)) << k << reversed;
        }
    }
    // Rows lead: 1 across, 4 down; each column keeps its extreme rows with their lights.
    for (bool reversed : {false, true}) {
        ResetEdgeRange();
        PolygonVertex a = {0, 0, 0, Fx(0)};
        PolygonVertex b = {Fx(1), Fx(4), 0, Fx(8)};
        if (reversed) {
            std::swap(a, b);
        }
        ScanWall({a, b});
        EXPECT_EQ(EdgeMin[c], 0);
        EXPECT_EQ(EdgeMax[c], 2);
        EXPECT_EQ(EdgeMinLight[c], Fx(0));
        EXPECT_EQ(EdgeMaxLight[c], Fx(4));
        EXPECT_EQ(EdgeMin[c + 1], 3);
        EXPECT_EQ(EdgeMax[c + 1], 4);
        EXPECT_EQ(EdgeMinLight[c + 1], Fx(6));
        EXPECT_EQ(EdgeMaxLight[c + 1], Fx(8));
    }
    // A vertical edge keeps each end's own light, not a stepped one.
    ResetEdgeRange();
    ScanWall({{0, -Fx(3), 0, Fx(1)}, {0, Fx(4), 0, Fx(2)}});
    EXPECT_EQ(EdgeMin[c], -3);
    EXPECT_EQ(EdgeMax[c], 4);
    EXPECT_EQ(EdgeMinLight[c], Fx(1));
    EXPECT_EQ(EdgeMaxLight[c], Fx(2));
}

TEST_F(Pipeline, EdgesMeetingInOneColumnKeepTheLaterLight) {
    const int c = ViewCentreX;
    // A triangle whose two right edges meet at column 10, row 0.
    ScanWall({{0, -Fx(5), 0, Fx(1)}, {Fx(10), 0, 0, Fx(2)}, {0, Fx(5), 0, Fx(3)}});
    EXPECT_EQ(EdgeRangeMin, 2 * c);
    EXPECT_EQ(EdgeRangeMax, 2 * (c + 10));
    EXPECT_EQ(EdgeMin[c + 10], 0);
    EXPECT_EQ(EdgeMax[c + 10], 0);
    // Each edge is walked from its lower column: the first reaches column 10 with
    // 1.0 + 10 steps of 0.1 (truncated to 6553), the second with 3.0 - 10 steps; the later wins.
    EXPECT_EQ(EdgeMinLight[c + 10], Fx(3) - 10 * 6553);
    EXPECT_EQ(EdgeMaxLight[c + 10], Fx(3) - 10 * 6553);
    EXPECT_EQ(EdgeMin[c], -5);
    EXPECT_EQ(EdgeMax[c], 5);
}

TEST_F(Pipeline, EdgeIndicesBeyondTheTablesAreDropped) {
    ScanWall({{-Fx(5000), 0, 0, 0}, {Fx(5000), Fx(10), 0, 0}});
    EXPECT_EQ(EdgeRangeMin, 0);
    EXPECT_EQ(EdgeRangeMax, 2 * (EdgeTableSize - 1));
    ResetEdgeRange();
    ScanFloorEdges(std::vector<PolygonVertex>{{0, Fx(9000), 0, 0}, {Fx(3), Fx(9001), 0, 0}}.data(),
                   2);
    EXPECT_GT(EdgeRangeMin, EdgeRangeMax);  // nothing in the tables
}

TEST_F(Pipeline, ScreenRectOfExits) {
    // An exit 10 ahead, 4 wide and 2 high, seen whole.
    const FixedVector ahead[4] = {{-Fx(2), Fx(1), Fx(10)},
                                  {Fx(2), Fx(1), Fx(10)},
                                  {Fx(2), -Fx(1), Fx(10)},
                                  {-Fx(2), -Fx(1), Fx(10)}};
    ScreenRect rect = {};
    ASSERT_TRUE(GetScreenRect(ahead, rect));
    EXPECT_EQ(rect.x, 240 - 96);
    EXPECT_EQ(rect.y, 180 - 48);
    EXPECT_EQ(rect.width, 193);
    EXPECT_EQ(rect.height, 97);
    EXPECT_EQ(VertexLightingOn, 1);
    EXPECT_GT(EdgeRangeMin, EdgeRangeMax);

    // The eye stands in an exit: its first two corners 0.5 ahead, left and right of the eye.
    const FixedVector around[4] = {{-Fx(3), Fx(2), Fx(1) / 2},
                                   {Fx(3), Fx(2), Fx(1) / 2},
                                   {Fx(3), -Fx(2), Fx(1) / 2},
                                   {-Fx(3), -Fx(2), Fx(1) / 2}};
    ASSERT_TRUE(GetScreenRect(around, rect));
    EXPECT_EQ(rect.x, 0);
    EXPECT_EQ(rect.y, 0);
    EXPECT_EQ(rect.width, 480);
    EXPECT_EQ(rect.height, 360);

    // The same with the far corners beyond the near plane: clipped, but still the whole view.
    const FixedVector slanted[4] = {{-Fx(3), Fx(2), Fx(1) / 2},
                                    {Fx(3), Fx(2), Fx(1) / 2},
                                    {Fx(3), -Fx(2), Fx(4)},
                                    {-Fx(3), -Fx(2), Fx(4)}};
    ASSERT_TRUE(GetScreenRect(slanted, rect));
    EXPECT_EQ(rect.width, 480);

    // An exit wholly behind the eye.
    const FixedVector behind[4] = {{-Fx(2), Fx(1), -Fx(10)},
                                   {Fx(2), Fx(1), -Fx(10)},
                                   {Fx(2), -Fx(1), -Fx(10)},
                                   {-Fx(2), -Fx(1), 0}};
    EXPECT_FALSE(GetScreenRect(behind, rect));
    EXPECT_EQ(VertexLightingOn, 1);

    // An exit off to the left of the view, both first corners on the same side.
    const FixedVector left[4] = {{-Fx(40), Fx(1), Fx(10)},
                                 {-Fx(30), Fx(1), Fx(10)},
                                 {-Fx(30), -Fx(1), Fx(10)},
                                 {-Fx(40), -Fx(1), Fx(10)}};
    EXPECT_FALSE(GetScreenRect(left, rect));
}

TEST(PipelineBounds, NothingIsWrittenOutsideTheViewOrTheClip) {
    // A 480 x 360 view at (16, 8) in a buffer with a 700-byte pitch and guard rows around it.
    constexpr int pitch = 700, rows = 400, guard = 0xEE;
    std::vector<uint8_t> buffer(pitch * rows, guard);
    const RenderRect view = {16, 8, 16 + 479, 8 + 359};
    const RenderRect clip = {100, 50, 300, 200};
    long drawn = 0;
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(2 * range + 1)) - range;
    };
    for (int frame = 0; frame < 40; ++frame) {
        InitRenderViewport(buffer.data(), pitch, view);
        const int horizon = next(300);
        SetRenderCamera(Fx(next(50)), Fx(next(50)), Fx(next(50)),
                        static_cast<Angle16>(next(32767) + 32768), horizon, 256);
        const bool clipped = frame % 2 == 1;
        SetClipRect(clipped ? &clip : nullptr);
        for (int polygon = 0; polygon < 50; ++polygon) {
            const int scale = polygon % 3 == 0 ? 30000 : 200;
            FixedVector corners[4];
            for (FixedVector& c : corners) {
                c = {Fx(next(scale)) / 4, Fx(next(scale)) / 4, Fx(next(scale)) / 4};
            }
            for (bool wall : {false, true}) {
                LoadPolygonVertices(corners, 4);
                TransformPolygon();
                int count = PolygonCount;
                if (ClipPolygonToFrustum(ViewPolygon, WorkingPolygon, count)) {
                    ProjectPolygon(WorkingPolygon, count);
                    if (ClipPolygonToRect(WorkingPolygon, ViewPolygon, count)) {
                        if (wall) {
                            ScanWallEdges(ViewPolygon, count);
                        } else {
                            ScanFloorEdges(ViewPolygon, count);
                        }
                    }
                }
                if (!wall) {
                    FillSpans(static_cast<uint8_t>(1 + polygon));
                    continue;
                }
                // Every scanned column lies in the clip, and so do its rows.
                for (int i = EdgeRangeMin / 2;
                     i <= EdgeRangeMax / 2 && EdgeRangeMin <= EdgeRangeMax; ++i) {
                    ASSERT_GE(i - ViewCentreX, ClipLeft >> 16);
                    ASSERT_LE(i - ViewCentreX, ClipRight >> 16);
                    ASSERT_GE(EdgeMin[i], ClipTop >> 16);
                    ASSERT_LE(EdgeMax[i], ClipBottom >> 16);
                }
                ResetEdgeRange();
            }
        }
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < pitch; ++x) {
                const bool inView =
                    x >= view.left && x <= view.right && y >= view.top && y <= view.bottom;
                const bool inClip =
                    x >= clip.left && x <= clip.right && y >= clip.top && y <= clip.bottom;
                drawn += buffer[y * pitch + x] != guard;
                if (!inView || (clipped && !inClip)) {
                    ASSERT_EQ(buffer[y * pitch + x], guard) << x << "," << y << " frame " << frame;
                }
            }
        }
        std::fill(buffer.begin(), buffer.end(), guard);
    }
    EXPECT_GT(drawn, 40 * 1000);  // the polygons did reach the view
}
