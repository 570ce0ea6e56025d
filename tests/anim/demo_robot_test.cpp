// The demo's robot, loaded by the demo script at start-up, seen in headless frames of the game.
#include <cmath>

#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/motion_table.h"
#include "anim/parts.h"
#include "platform/presenter.h"
#include "shell/shell_fixture.h"
#include "world/char3d_object.h"
#include "world/map_object.h"
#include "world/player.h"

namespace {

int PixelsThatDiffer(const platform::PresentedImage& a, const platform::PresentedImage& b) {
    int n = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
    return n;
}

platform::PresentedImage Frame() {
    RenderFrame();
    return platform::PresentedFrame();
}

class DemoRobot : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_EQ(InitApp(nullptr, platform::SW_SHOWNORMAL), 1);
        ASSERT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
    }
};

}  // namespace

TEST_F(DemoRobot, TheScriptsRobotStandsInTheHallAndMovesAsItsMotionPlays) {
    // The robot's own motion and its two motion files; its parts and textures.
    ASSERT_EQ(MotionCount, 3);
    ASSERT_EQ(AnimObjCount, 1);
    Char3DObject* robot = AnimObj[0].character;
    ASSERT_NE(robot, nullptr);
    ASSERT_NE(robot->cube, nullptr);
    EXPECT_EQ(NextPart, 6);  // the file's root, body, head, two arms; the counter one beyond
    EXPECT_NE(Material[FindMaterial("Panel")].texture, nullptr);
    EXPECT_NE(Material[FindMaterial("Face")].texture, nullptr);
    EXPECT_EQ(AnimObj[0].row, 2);  // nodding, three passes counted
    EXPECT_EQ(MotionTable[2].loopTarget, 2);

    // Drawn: the frame differs from the same frame without the robot.
    const platform::PresentedImage shown = Frame();
    Cube* cube = robot->cube;
    RemoveObject(*cube, robot);
    const platform::PresentedImage empty = Frame();
    AppendObject(*cube, robot);
    EXPECT_GT(PixelsThatDiffer(shown, empty), 500);
    EXPECT_EQ(PixelsThatDiffer(shown, Frame()), 0);

    // Moving: a few frames of the nod later its head stands otherwise.
    for (int i = 0; i < 4; ++i) UpdateAnimObjects();
    const platform::PresentedImage nodded = Frame();
    EXPECT_GT(PixelsThatDiffer(shown, nodded), 20);

    // Three passes of the nod raise "Motion", whose state sets the robot waving for ever.
    for (int i = 0; i < 3 * 24; ++i) UpdateAnimObjects();
    EXPECT_EQ(AnimObj[0].row, 1);
    EXPECT_EQ(MotionTable[1].active, 1);
    EXPECT_EQ(MotionTable[2].active, 0);

    // The level reset (F11, Escape) empties the tables and takes the meshes off the robot.
    platform::RmFrame* head = Part[MotionLink[MotionTable[0].firstLink].firstChild->part].frame;
    head->AddRef();
    ResetLevel();
    EXPECT_EQ(MotionCount, 0);
    EXPECT_EQ(NextMotionLink, 1);
    EXPECT_EQ(KeyWriteOffset, 0);
    EXPECT_EQ(NextPart, 0);
    EXPECT_EQ(AnimObjCount, 0);
    EXPECT_TRUE(head->Visuals().empty());
    head->Release();
}
