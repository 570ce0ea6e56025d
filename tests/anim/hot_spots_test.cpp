#include "scene_fixture.h"

namespace {

class HotSpotsTest : public SceneTest {};

TEST_F(HotSpotsTest, TableFillsFromZeroRefusesWrongCountsAndTakesMarkersDownOnReset) {
    const float numbers[MaxHotSpotNumbers] = {2, 10, 55, 1, 30, 0, 5, 0, 0, 0};
    EXPECT_EQ(AddHotSpot(numbers, 0), -1);
    EXPECT_EQ(AddHotSpot(numbers, 11), -1);
    ASSERT_EQ(AddHotSpot(numbers, 10), 0);
    const HotSpotEntry& spot = HotSpots[0];
    EXPECT_EQ(spot.type, 2);
    EXPECT_FLOAT_EQ(spot.radius, 10.0f);
    EXPECT_FLOAT_EQ(spot.platformHeight, 5.0f);
    EXPECT_EQ(spot.object, -1);

    // The marker: a cone of one eight-sided base and eight sides on a frame at the point.
    ASSERT_NE(spot.frame, nullptr);
    platform::RmFrame* frame = spot.frame;
    EXPECT_EQ(frame->GetParent(), WorldFrame);
    platform::RmVector p;
    frame->GetPosition(WorldFrame, &p);
    EXPECT_FLOAT_EQ(p.x, 55.0f);
    EXPECT_FLOAT_EQ(p.y, 1.0f);
    ASSERT_EQ(frame->Visuals().size(), 1u);
    const platform::RmGeometry& cone = frame->Visuals()[0]->Geometry();
    ASSERT_EQ(cone.faces.size(), 9u);
    EXPECT_EQ(cone.faces[0]->Corners().size(), 8u);
    EXPECT_EQ(cone.faces[8]->Corners().back().vertex, 8u);  // the apex
    EXPECT_FLOAT_EQ(cone.positions[0].y, -0.5f);
    EXPECT_FLOAT_EQ(cone.positions[8].y, 0.0f);

    for (int i = 1; i < MaxHotSpots; ++i) ASSERT_EQ(AddHotSpot(numbers, 1), i);
    EXPECT_EQ(AddHotSpot(numbers, 1), -1);

    // The level reset counts them out and takes their markers down; the next room starts at 0.
    const size_t frames = WorldFrame->Children().size();
    ASSERT_EQ(SetHotSpotCount(0), 1);
    EXPECT_EQ(WorldFrame->Children().size(), frames - MaxHotSpots);
    EXPECT_EQ(AddHotSpot(numbers, 3), 0);
}

TEST_F(HotSpotsTest, CameraInsideRaisesHotSpotEveryRoundInTableOrder) {
    // Camera at (50, 40, 30): inside hot spots 1 and 3, on the circle of hot spot 0, and hot
    // spot 2 is a target only. The check runs each round before the world update.
    ASSERT_EQ(Run("int hits;\n"
                  "int spot;\n"
                  "int asked;\n"
                  "state Start;\n"
                  "LHS 2 5 55 0 30;\n"
                  "LHS 2 10 55 0 30;\n"
                  "LHS 1 50 50 0 30;\n"
                  "LHS 4 20 40 0 40;\n"
                  "exit;\n"
                  "state HotSpot;\n"
                  "hits = (hits + 1);\n"
                  "spot = ReturnHotSpot 1;\n"
                  "asked = CheckHotSpot 1 2;\n"
                  "exit;\n"),
              1);
    int out = 0;
    for (int round = 1; round <= 3; ++round) {
        ASSERT_EQ(CheckHotSpots(0, 2, &out), 1);
        EXPECT_EQ(out, 3);
        EXPECT_EQ(Var("hits"), 2 * round);
        EXPECT_EQ(Var("spot"), 3);
    }
    EXPECT_EQ(Var("asked"), -1);  // nothing has arrived at hot spot 2

    // Outside every hot spot nothing runs.
    SetCameraPosition(150.0f, 40.0f, 80.0f, -1.0f, 0);
    ASSERT_EQ(CheckHotSpots(0, 2, &out), 1);
    EXPECT_EQ(out, -1);
    EXPECT_EQ(Var("hits"), 6);

    // The other modes: what arrived at a hot spot, nothing, or no such mode or hot spot.
    HotSpots[2].object = 4;
    EXPECT_EQ(CheckHotSpots(2, 1, &out), 1);
    EXPECT_EQ(out, 4);
    EXPECT_EQ(CheckHotSpots(2, 3, &out), 1);
    EXPECT_EQ(out, -1);
    EXPECT_EQ(CheckHotSpots(2, 7, &out), 0);
    EXPECT_EQ(CheckHotSpots(4, 1, &out), 0);
    EXPECT_EQ(out, -1);
    EXPECT_EQ(CheckHotSpots(-1, 1, &out), 0);
}

TEST_F(HotSpotsTest, PlatformsHoldADiamondOfTheirRadius) {
    const float platform[MaxHotSpotNumbers] = {4, 20, 100, 0, 50, 0, 5, 0, 0, 0};
    const float target[MaxHotSpotNumbers] = {1, 20, 100, 0, 50, 0, 9, 0, 0, 0};
    ASSERT_EQ(AddHotSpot(target, 10), 0);
    ASSERT_EQ(AddHotSpot(platform, 10), 1);
    int found = -1;
    EXPECT_EQ(FindPlatformHotSpot(110, 60, &found), 1);  // |dx| + |dz| = 20
    EXPECT_EQ(found, 1);
    EXPECT_EQ(FindPlatformHotSpot(115, 60, &found), 0);  // 25: inside the circle, not the diamond
    float floor = 0.0f;
    EXPECT_FLOAT_EQ(KeepOnFloor(100, 50, floor), 5.0f);
    EXPECT_FLOAT_EQ(KeepOnFloor(130, 50, floor), 0.0f);
}

}  // namespace
