#include <cmath>

#include "anim/path_motion.h"
#include "anim/paths.h"
#include "scene_fixture.h"

namespace {

// Rotation keys at 0 and 20 (a half turn about the vertical axis), position keys at 0, 10, 20.
const char* const Track =
    "object track;\n"
    "object_name 0 1 0 0 0  20 0 0 1 0;\n"
    "position_keys 0 0 0 0  10 5 0 0  20 5 0 5;\n";
// Positions only, from frame 4 to 8.
const char* const Slide =
    "object slide;\n"
    "position_keys 4 1 2 3  8 5 2 3;\n";

// The walker at (50, 0, 40) on the track; its follow-up state, the file's last, counts laps.
const char* const PathScript =
    "state Start;\n"
    "LoadAnimObj \"walker.x\" 50 0 40 1 0;\n"
    "LoadPath \"track.x\";\n"
    "LoadPath \"slide.x\";\n"
    "AddPathMotion 0 0;\n"
    "SetAnim 0 0 0;\n"
    "PlayPathAnim 0;\n"
    "exit;\n"
    "stepState Lap;\n"
    "laps = 1;\n"
    "laps = 2;\n"
    "laps = 3;\n";

class PathsTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        Write("track.x", Track);
        Write("slide.x", Slide);
        ASSERT_EQ(Run(std::string("int laps;\n") + PathScript), 1);
        ASSERT_EQ(PathCount, 2);
    }
    // The rotation the walker's top part was given, as the row of its transform that its z axis
    // turns into.
    static platform::RmVector Facing() {
        platform::RmMatrix4 m;
        AnimObj[0].character->frame->GetTransform(m);
        return {m.m[2][0], m.m[2][1], m.m[2][2]};
    }
};

TEST_F(PathsTest, PathCarriesItsCharacterEachPassAndTriggersItsState) {
    ASSERT_EQ(AnimObj[0].type, AnimPathMotion);
    ASSERT_EQ(AnimObj[0].arg, 0);
    Frames(1);
    EXPECT_FLOAT_EQ(At(0).x, 50.0f);
    EXPECT_FLOAT_EQ(At(0).z, 40.0f);
    Frames(10);  // frame 10: the middle position key, the rotation halfway (a quarter turn)
    EXPECT_FLOAT_EQ(At(0).x, 55.0f);
    EXPECT_FLOAT_EQ(At(0).z, 40.0f);
    EXPECT_NEAR(std::fabs(Facing().x), 1.0f, 1e-5);
    EXPECT_NEAR(Facing().z, 0.0f, 1e-5);
    Frames(5);  // frame 15: halfway between the last two position keys
    EXPECT_FLOAT_EQ(At(0).z, 42.5f);
    Frames(5);  // frame 20, the last
    EXPECT_FLOAT_EQ(At(0).x, 55.0f);
    EXPECT_FLOAT_EQ(At(0).z, 45.0f);
    EXPECT_EQ(Var("laps"), 1);  // frames 0 to 20 played, then the follow-up state's first step
    Frames(1);
    EXPECT_FLOAT_EQ(At(0).x, 50.0f);  // the next pass starts over from where the walker stood
    EXPECT_FLOAT_EQ(At(0).z, 40.0f);
    Frames(20);
    EXPECT_EQ(Var("laps"), 2);
    EXPECT_EQ(AnimObj[0].type, AnimPathMotion);
}

TEST_F(PathsTest, CameraFollowsAPathAsItStandsAndLetsGoAfterItsLastFrame) {
    // The slide path has positions only, from frame 4 to its last frame, 8.
    ASSERT_EQ(Run("state Start;\n"
                  "SetCameraPath 1 1 0 0;\n"
                  "exit;\n"),
              1);
    const int entry = AnimObjCount - 1;
    ASSERT_EQ(AnimObj[entry].type, AnimCameraPath);
    Frames(7);                       // frame 6
    EXPECT_FLOAT_EQ(Eye().x, 3.0f);  // the path's own positions, not moved to the camera
    EXPECT_FLOAT_EQ(Eye().y, 2.0f);
    EXPECT_EQ(PlayerX, 50 * 65536);
    EXPECT_EQ(AnimObj[entry].type, AnimCameraPath);
    Frames(2);  // frames 7 and 8, the last
    EXPECT_FLOAT_EQ(Eye().x, 5.0f);
    EXPECT_EQ(AnimObj[entry].type, AnimFree);
}

TEST_F(PathsTest, KeysHoldOutsideTheirRangeAndAPathWithoutRotationsKeepsIt) {
    float rotation[4] = {7, 7, 7, 7}, position[3] = {};
    ASSERT_EQ(InterpolatePathKeys(1, 0, rotation, position), 1);
    EXPECT_FLOAT_EQ(position[0], 1.0f);  // before the first key: the first
    EXPECT_FLOAT_EQ(rotation[0], 7.0f);  // no rotation keys: left as it was
    InterpolatePathKeys(1, 6, rotation, position);
    EXPECT_FLOAT_EQ(position[0], 3.0f);
    EXPECT_FLOAT_EQ(position[1], 2.0f);
    InterpolatePathKeys(1, 30, rotation, position);
    EXPECT_FLOAT_EQ(position[0], 5.0f);  // after the last key: the last
    EXPECT_EQ(InterpolatePathKeys(2, 0, rotation, position), 0);
    EXPECT_EQ(InterpolatePathKeys(-1, 0, rotation, position), 0);
}

TEST_F(PathsTest, AttachedMotionsAreCheckedCountedAndRemovedOnePlaceAtATime) {
    EXPECT_EQ(AddPathMotion(2, 0), 0);  // no such path
    EXPECT_EQ(AddPathMotion(1, 3), 0);  // no such row
    EXPECT_EQ(DelPathMotion(0, 1), 0);  // nothing attached
    for (int i = 0; i < MaxPathMotions; ++i) ASSERT_EQ(AddPathMotion(1, 0), 1);
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(AddPathMotion(1, 0), 0);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Exceed Maximum Path Motion | Error"});
    EXPECT_EQ(Path[1].motionCount, MaxPathMotions);
    // The first motion attached set where the path starts: where the walker stood.
    EXPECT_FLOAT_EQ(Path[1].base[0], 50.0f);
    EXPECT_EQ(Path[1].baseSet, 1.0f);

    EXPECT_EQ(DelPathMotion(0, 1), 1);
    EXPECT_EQ(Path[1].motionCount, MaxPathMotions - 1);
    EXPECT_LT(Path[1].currentMotion, Path[1].motionCount);
    EXPECT_EQ(DelPathMotion(2, 1), 0);
    EXPECT_EQ(DelPathMotion(0, 9), 0);
}

}  // namespace
