// The demo's robot, loaded by the demo script at start-up, seen in headless frames of the game.
#include <algorithm>
#include <cmath>
#include <vector>

#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/motion_files.h"
#include "anim/motion_table.h"
#include "anim/parts.h"
#include "platform/presenter.h"
#include "support/shell_fixture.h"
#include "world/char3d_object.h"
#include "world/map_object.h"
#include "world/player.h"

namespace {

int PixelsThatDiffer(const platform::PresentedImage& a, const platform::PresentedImage& b) {
    int n = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i) n += a.pixels[i] != b.pixels[i];
    return n;
}

// The centres of the faces of a head that carry the picture.
std::vector<platform::RmVector> FacesWith(const platform::RmMeshBuilder* head, const platform::RmTexture* picture) {
    std::vector<platform::RmVector> centres;
    if (!head) return centres;
    const platform::RmGeometry& g = head->Geometry();
    for (const auto& face : g.faces) {
        if (face->Texture() != picture) continue;
        platform::RmVector c{};
        for (const auto& corner : face->Corners()) {
            c.x += g.positions[corner.vertex].x / face->Corners().size();
            c.y += g.positions[corner.vertex].y / face->Corners().size();
            c.z += g.positions[corner.vertex].z / face->Corners().size();
        }
        centres.push_back(c);
    }
    return centres;
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

TEST_F(DemoRobot, BothRobotsHaveSolidFacesOnTheFrontOfTheirHeadsOnly) {
    // Every texel of the face picture is drawn: none has the colour a GIF texture leaves out.
    const platform::RmTexture* face = Material[FindMaterial("Face")].texture;
    ASSERT_NE(face, nullptr);
    const uint32_t* texels = face->Texels();
    EXPECT_EQ(std::count_if(texels, texels + face->Width() * face->Height(),
                            [](uint32_t t) { return (t >> 24) == 0; }),
              0);

    // The robot faces -x; the rover, read from its file after the robot, faces -z.
    const auto robot = FacesWith(Part[MotionLink[MotionTable[0].firstLink].firstChild->part].meshBuilder, face);
    ASSERT_EQ(robot.size(), 1u);
    EXPECT_EQ(robot[0].x, -4.0f);
    const int roverRoot = NextPart;
    ASSERT_EQ(LoadAnimObjFile("rover.ani"), 1);
    const auto rover = FacesWith(Part[roverRoot + 2].meshBuilder, Material[FindMaterial("RoverFace")].texture);
    ASSERT_EQ(rover.size(), 1u);
    EXPECT_EQ(rover[0].z, -4.0f);
}
