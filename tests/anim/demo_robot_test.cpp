// The demo's robot, loaded by the demo script at start-up, seen in headless frames of the game.
#include <algorithm>
#include <cmath>
#include <vector>

#include "anim/anim_objects.h"
#include "anim/materials.h"
#include "anim/motion_files.h"
#include "anim/motion_table.h"
#include "anim/parts.h"
#include "platform/input_injection.h"
#include "platform/presenter.h"
#include "script/runner.h"
#include "script/states.h"
#include "shell/frame.h"
#include "shell/input.h"
#include "shell/shutdown.h"
#include "support/shell_fixture.h"
#include "world/char3d_object.h"
#include "world/map_object.h"
#include "world/player.h"

namespace {

int PixelsThatDiffer(const platform::PresentedImage& a, const platform::PresentedImage& b) {
    int n = 0;
    for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
        n += a.pixels[i] != b.pixels[i];
    return n;
}

// The centres of the faces of a head that carry the picture.
std::vector<platform::RmVector> FacesWith(const platform::RmMeshBuilder* head,
                                          const platform::RmTexture* picture) {
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

// The way a character looks, on the floor and in the scene's coordinates: the outward direction
// of the face of its head that carries the picture.
platform::RmVector FaceHeading(int row, const platform::RmTexture* picture) {
    const int head = MotionLink[MotionTable[row].firstLink].firstChild->part;
    const auto faces = FacesWith(Part[head].meshBuilder, picture);
    if (faces.size() != 1) return {};
    const platform::RmVector out{faces[0].x, 0.0f, faces[0].z};  // from the head's upright axis
    platform::RmVector d = platform::RmTransformDirection(out, Part[head].frame->WorldTransform());
    d.y = 0.0f;
    return *platform::RmVectorNormalize(&d);
}

// Where a character stands, in the scene's coordinates.
platform::RmVector Place(int row) {
    const platform::RmMatrix4 m =
        Part[MotionLink[MotionTable[row].firstLink].part].frame->WorldTransform();
    return {m.m[3][0], 0.0f, m.m[3][2]};
}

// The angle in degrees between a character's face and a direction on the floor.
float DegreesOff(const platform::RmVector& face, platform::RmVector way) {
    platform::RmVectorNormalize(&way);
    return std::acos(std::clamp(platform::RmVectorDotProduct(&face, &way), -1.0f, 1.0f)) *
           57.29578f;
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
        platform::InjectMouseMove(320, 240);  // no edge zone: the player stands still
    }
    void TearDown() override {
        ResetLevel();
        RoomScriptToggle = 0;
        ShellTest::TearDown();
    }

    // n passes of the main loop, each with 33 ms of game time.
    void Passes(int n) {
        platform::Msg msg;
        for (int i = 0; i < n; ++i) {
            platform::AdvanceFakeClock(33);
            ASSERT_TRUE(MainLoopPass(msg));
        }
    }
    void Press(SDL_Scancode key) {
        platform::InjectKey(key, true);
        Passes(1);
        platform::InjectKey(key, false);
        Passes(1);
    }

    // A walking character, watched pass by pass: the largest angle between its face and the way
    // it goes, over the passes that go on the way of the passes before (a turn has then ended).
    struct Walk {
        int row;
        const platform::RmTexture* picture;
        platform::RmVector lastWay{};
        int steadyPasses = 0;
        int samples = 0;
        float worst = 0.0f;
        float low[2] = {1e9f, 1e9f}, high[2] = {-1e9f, -1e9f};  // the ground covered, x and z
    };
    void Watch(std::vector<Walk>& walks, int passes, int turnPasses) {
        for (int i = 0; i < passes; ++i) {
            std::vector<platform::RmVector> faces, places;
            for (const Walk& w : walks) {
                faces.push_back(FaceHeading(w.row, w.picture));
                places.push_back(Place(w.row));
            }
            Passes(1);
            for (size_t k = 0; k < walks.size(); ++k) {
                Walk& w = walks[k];
                const platform::RmVector now = Place(w.row);
                w.low[0] = std::min(w.low[0], now.x), w.high[0] = std::max(w.high[0], now.x);
                w.low[1] = std::min(w.low[1], now.z), w.high[1] = std::max(w.high[1], now.z);
                platform::RmVector way{now.x - places[k].x, 0.0f, now.z - places[k].z};
                if (platform::RmVectorModulus(&way) < 0.25f) {
                    w.steadyPasses = 0;
                    continue;
                }
                platform::RmVectorNormalize(&way);
                w.steadyPasses = platform::RmVectorDotProduct(&way, &w.lastWay) > 0.9998f
                                     ? w.steadyPasses + 1
                                     : 0;
                w.lastWay = way;
                if (w.steadyPasses < turnPasses) continue;
                ++w.samples;
                w.worst = std::max(w.worst, DegreesOff(faces[k], way));
            }
        }
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

    // Both face -z; the rover is read from its file after the robot.
    const auto robot =
        FacesWith(Part[MotionLink[MotionTable[0].firstLink].firstChild->part].meshBuilder, face);
    ASSERT_EQ(robot.size(), 1u);
    EXPECT_EQ(robot[0].z, -4.0f);
    const int roverRoot = NextPart;
    ASSERT_EQ(LoadAnimObjFile("rover.ani"), 1);
    const auto rover =
        FacesWith(Part[roverRoot + 2].meshBuilder, Material[FindMaterial("RoverFace")].texture);
    ASSERT_EQ(rover.size(), 1u);
    EXPECT_EQ(rover[0].z, -4.0f);
}

TEST_F(DemoRobot, TheFirstLevelsRobotTurnsItsFaceToThePlayerForEachMotion) {
    const platform::RmTexture* face = Material[FindMaterial("Face")].texture;
    auto offThePlayer = [&] {
        platform::RmVector camera, robot = Place(0);
        CameraFrame->GetPosition(nullptr, &camera);
        return DegreesOff(FaceHeading(0, face), {camera.x - robot.x, 0.0f, camera.z - robot.z});
    };
    Passes(1);
    EXPECT_LT(offThePlayer(), 1.0f);  // nodding
    Passes(80);
    ASSERT_EQ(AnimObj[0].row, 1);  // waving
    EXPECT_LT(offThePlayer(), 1.0f);
}

TEST_F(DemoRobot, TheHallsRobotsWalkFaceFirst) {
    Press(SDL_SCANCODE_F11);
    Press(SDL_SCANCODE_F11);
    ASSERT_NE(FindState("Cross"), -1);
    Press(SDL_SCANCODE_F4);
    // A leg's turn takes at most six passes. The corners are 120 units apart, 80 passes' walk.
    std::vector<Walk> walks{{0, Material[FindMaterial("Face")].texture},
                            {2, Material[FindMaterial("RoverFace")].texture}};
    Watch(walks, 400, 7);
    for (const Walk& w : walks) {
        EXPECT_GT(w.samples, 50) << w.row;
        EXPECT_LT(w.worst, 1.0f) << w.row;
    }
}

TEST_F(DemoRobot, TheSpringCourtsRobotWalksItsRoundAndTheRoverToThePlatformFaceFirst) {
    Press(SDL_SCANCODE_F11);
    ASSERT_NE(FindState("SendRover"), -1);
    // Three rounds of the square of 60 units, each on the same ground.
    std::vector<Walk> round{{0, Material[FindMaterial("Face")].texture}};
    Watch(round, 490, 0);
    EXPECT_GT(round[0].samples, 440);
    EXPECT_LT(round[0].worst, 1.0f);
    EXPECT_NEAR(round[0].high[0] - round[0].low[0], 60.0f, 0.01f);
    EXPECT_NEAR(round[0].high[1] - round[0].low[1], 60.0f, 0.01f);

    // F6: the rover walks from the loft onto the platform, and there turns to the player and
    // looks about, its head turning up to 35 degrees either way.
    Press(SDL_SCANCODE_F6);
    std::vector<Walk> rover{{3, Material[FindMaterial("RoverFace")].texture}};
    Watch(rover, 100, 0);
    EXPECT_GT(rover[0].samples, 60);
    EXPECT_LT(rover[0].worst, 1.0f);
    EXPECT_EQ(AnimObj[1].row, 3);
    platform::RmVector camera, at = Place(3);
    CameraFrame->GetPosition(nullptr, &camera);
    EXPECT_LT(DegreesOff(FaceHeading(3, Material[FindMaterial("RoverFace")].texture),
                         {camera.x - at.x, 0.0f, camera.z - at.z}),
              36.0f);
    EXPECT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
}

TEST_F(DemoRobot, TheSpringCourtsRobotNodsWhenClickedAndKeepsToItsRound) {
    Press(SDL_SCANCODE_F11);
    Passes(20);     // half along the round's first side
    ClickedId = 0;  // a click on the robot
    StopFlag = 0;
    ExecState(FindState("Event"));
    std::vector<Walk> round{{0, Material[FindMaterial("Face")].texture}};
    bool nodded = false;
    for (int i = 0; i < 400 && !nodded; ++i) {
        Watch(round, 1, 0);
        nodded = AnimObj[0].row == 2;
    }
    ASSERT_TRUE(nodded);
    // Two rounds more after the nod, on the same ground as before it.
    Watch(round, 400, 0);
    EXPECT_EQ(AnimObj[0].type, AnimPathMotion);
    EXPECT_LT(round[0].worst, 1.0f);
    EXPECT_NEAR(round[0].high[0] - round[0].low[0], 60.0f, 0.01f);
    EXPECT_NEAR(round[0].high[1] - round[0].low[1], 60.0f, 0.01f);
    EXPECT_TRUE(platform::RecordedBoxes().empty()) << BoxTexts()[0];
}
