// The demo played headless from start-up: a walk through the first level, a click on its robot,
// F11 into the spring court (the gate opened by key and by click, up the ramp, off the ledge onto
// the platform, the rover sent down, the wait and the timers), F11 again into the robot hall
// (the robots sent across). The fake clock and a fixed random seed make every run the same.
// A few frames are compared with stored pictures in tests/data/golden (every other pixel of the
// presented frame); DUSK_UPDATE_GOLDEN=1 writes them anew.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/scene_lights.h"
#include "bindings/camera_commands.h"
#include "planner/robot_table.h"
#include "platform/input_injection.h"
#include "platform/presenter.h"
#include "platform/random.h"
#include "platform/rm_viewport.h"
#include "platform/surface.h"
#include "script/events.h"
#include "script/states.h"
#include "shell/input.h"
#include "shell/shutdown.h"
#include "shell/sound.h"
#include "support/shell_fixture.h"
#include "support/undrawn_view.h"
#include "world/char3d_object.h"
#include "world/deco_object.h"
#include "world/door_object.h"
#include "world/map_object.h"
#include "world/player.h"
#include "world/room.h"
#include "world/sprite2d_object.h"
#include "world/visible_rooms.h"

using namespace platform;

namespace {

constexpr int PassMilliseconds = 33;
constexpr Fixed16 Unit = 65536;

float Units(Fixed16 v) { return v / 65536.0f; }

int RoomOfPlayer() {
    for (int i = 0; i < RoomCount; ++i)
        if (CurrentCube && CurrentCube->room == Rooms[i]) return i;
    return -1;
}

// The lowest corner of a door's leaf above the floor, in world units.
float DoorLift(int id) {
    auto* door = static_cast<DoorObject*>(MapObjectTable[id]);
    return door ? Units(door->leaf->Bottom(0).y) : -1.0f;
}

// Every other pixel of every other row of the presented frame, as 0xRRGGBB.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    bool operator==(const Picture&) const = default;
};

Picture Shrunk(const PresentedImage& image) {
    Picture p{static_cast<int>(image.width / 2), static_cast<int>(image.height / 2), {}};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.pixels.push_back(image.Pixel(2 * x, 2 * y) & 0xFFFFFF);
    return p;
}

bool SavePicture(const std::filesystem::path& path, const Picture& p) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, p.width, p.height, 24, SDL_PIXELFORMAT_RGB24);
    if (!s) return false;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            uint8_t* d = static_cast<uint8_t*>(s->pixels) + y * s->pitch + 3 * x;
            const uint32_t c = p.pixels[y * p.width + x];
            d[0] = c >> 16, d[1] = (c >> 8) & 0xFF, d[2] = c & 0xFF;
        }
    std::filesystem::create_directories(path.parent_path());
    const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
    SDL_FreeSurface(s);
    return ok;
}

bool LoadPicture(const std::filesystem::path& path, Picture& p) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return false;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(loaded);
    if (!s) return false;
    p = {s->w, s->h, {}};
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            const uint8_t* d = static_cast<const uint8_t*>(s->pixels) + y * s->pitch + 3 * x;
            p.pixels.push_back(uint32_t{d[0]} << 16 | uint32_t{d[1]} << 8 | d[2]);
        }
    SDL_FreeSurface(s);
    return true;
}

void ExpectGolden(const std::string& name, const Picture& actual) {
    const std::filesystem::path stored =
        std::filesystem::path(DUSK_TEST_DATA) / "golden" / (name + ".png");
    const char* update = std::getenv("DUSK_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        ASSERT_TRUE(SavePicture(stored, actual)) << stored;
        return;
    }
    Picture expected;
    if (LoadPicture(stored, expected) && expected == actual) return;
    const std::filesystem::path out = std::filesystem::path(DUSK_GEN_DATA).parent_path() /
                                      "golden-failures" / (name + "-actual.png");
    SavePicture(out, actual);
    ADD_FAILURE() << "frame " << name << " differs from " << stored.string() << "; it is in "
                  << out.string();
}

// The view of the back buffer: its top-left three quarters.
struct View {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
    uint8_t At(int x, int y) const { return pixels[y * width + x]; }
};

View ViewOfBackBuffer() {
    const int width = static_cast<int>(BackBuffer->Width());
    const int height = static_cast<int>(BackBuffer->Height());
    View view{width - width / 4, height - height / 4, {}};
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x)
            view.pixels.push_back(BackBuffer->Pixels()[y * BackBuffer->Pitch() + x]);
    return view;
}

// The view as the frame draws it: the scene viewport cleared, then the world with its characters.
View DrawnView() {
    RMViewport->Clear();
    DrawWorld();
    return ViewOfBackBuffer();
}

// A character drawn alone from the eye over two fillings of the back buffer: its pixels are
// those that kept neither filling (-1 elsewhere).
std::vector<int> CharacterAlone(const Char3DObject& character) {
    std::vector<int> alone;
    for (uint8_t filling : {uint8_t{0xEE}, uint8_t{0x11}}) {
        RMViewport->Clear();
        for (uint32_t y = 0; y < BackBuffer->Height(); ++y)
            std::fill_n(BackBuffer->Pixels() + y * BackBuffer->Pitch(), BackBuffer->Width(),
                        filling);
        RMViewport->Render(character.frame);
        const View view = ViewOfBackBuffer();
        alone.resize(view.pixels.size(), -1);
        for (size_t p = 0; p < view.pixels.size(); ++p)
            if (view.pixels[p] != filling) alone[p] = view.pixels[p];
    }
    return alone;
}

// Checks that the character with this id shows whole in the view: drawn, not cut by the view's
// edges (its lowest row `bottomClearance` rows above the bottom edge), and covered by nothing.
void ExpectWholeInView(int id, const View& view, int bottomClearance) {
    const auto* character = dynamic_cast<const Char3DObject*>(MapObjectTable[id]);
    ASSERT_NE(character, nullptr) << id;
    const std::vector<int> alone = CharacterAlone(*character);
    int left = view.width, right = -1, top = view.height, bottom = -1, covered = 0, count = 0;
    for (int y = 0; y < view.height; ++y)
        for (int x = 0; x < view.width; ++x) {
            const int pixel = alone[y * view.width + x];
            if (pixel < 0) continue;
            ++count;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
            covered += view.At(x, y) != pixel;
        }
    ASSERT_GT(count, 0) << "character " << id << " is out of view";
    EXPECT_GT(left, 0) << id;
    EXPECT_LT(right, view.width - 1) << id;
    EXPECT_GT(top, 0) << id;
    EXPECT_LT(bottom, view.height - 1 - bottomClearance) << id;
    EXPECT_EQ(covered, 0) << "of character " << id << "'s " << count << " pixels";
}

}  // namespace

class DemoScenario : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        SRand(7);
        RoomScriptToggle = 0;  // the first F11 loads the spring court
        ASSERT_EQ(InitApp(nullptr, SW_SHOWNORMAL), 1);
        ASSERT_TRUE(RecordedBoxes().empty()) << BoxTexts()[0];
        InjectMouseMove(320, 240);
        Passes(1);
    }
    // The level reset first: the start-up of the next play takes over no animation objects.
    void TearDown() override {
        ResetLevel();
        RoomScriptToggle = 0;
        ShellTest::TearDown();
    }

    // n passes of the main loop, each with 33 ms of game time.
    void Passes(int n) {
        Msg msg;
        for (int i = 0; i < n; ++i) {
            AdvanceFakeClock(PassMilliseconds);
            ASSERT_TRUE(MainLoopPass(msg));
        }
    }
    // A key held for n passes.
    void Hold(SDL_Scancode key, int n) {
        InjectKey(key, true);
        Passes(n);
        InjectKey(key, false);
        Passes(1);
    }
    void Press(SDL_Scancode key) { Hold(key, 1); }
    void Click(int x, int y) {
        InjectMouseMove(x, y);
        InjectMouseButton(SDL_BUTTON_LEFT, true, x, y);
        InjectMouseButton(SDL_BUTTON_LEFT, false, x, y);
        Passes(3);
    }
    void Snap(std::vector<Picture>* frames) { frames->push_back(Shrunk(PresentedFrame())); }

    // The whole scenario; the frames it looks at go into `frames`.
    void Play(std::vector<Picture>* frames);
};

void DemoScenario::Play(std::vector<Picture>* frames) {
    // The first level: the hall with its robot, seen from the start.
    ASSERT_EQ(RoomCount, 4);
    Passes(10);
    Snap(frames);
    // A click on the robot in the middle of the view picks its map object.
    Click(320, 330);
    EXPECT_EQ(ClickedId, 0);
    InjectMouseMove(320, 240);
    // The walk: along the hall into the corridor, the second room.
    const Fixed16 startX = PlayerX;
    Hold(SDL_SCANCODE_UP, 20);
    EXPECT_GT(PlayerX, startX + 150 * Unit);
    EXPECT_EQ(RoomOfPlayer(), 1);

    // F11: the spring court, one room.
    Press(SDL_SCANCODE_F11);
    ASSERT_EQ(RoomCount, 1);
    ASSERT_NE(FindState("OpenGate"), -1);
    EXPECT_EQ(DoorLift(5), 0.0f);
    // F4 opens the gate, F5 closes it again, a click on it opens it.
    Press(SDL_SCANCODE_F4);
    Passes(40);
    EXPECT_EQ(DoorLift(5), 90.0f);
    Snap(frames);
    Press(SDL_SCANCODE_F5);
    Passes(40);
    EXPECT_EQ(DoorLift(5), 0.0f);
    Click(500, 240);
    EXPECT_EQ(ClickedId, 5);
    Passes(40);
    EXPECT_EQ(DoorLift(5), 90.0f);
    InjectMouseMove(320, 240);
    // F7 swaps the wheel's frames for the flame's and the ball's for the lantern's.
    Press(SDL_SCANCODE_F7);
    EXPECT_EQ(static_cast<DecoObject*>(MapObjectTable[2])->animation.count, 16);
    EXPECT_EQ(static_cast<Sprite2DObject*>(MapObjectTable[6])->animation.count, 36);

    // Up the ramp, facing +x: the eye rises to the loft's floor.
    EXPECT_EQ(PlayerHeading, 16384);
    Hold(SDL_SCANCODE_UP, 14);
    EXPECT_GT(PlayerX, 200 * Unit);
    EXPECT_EQ(PlayerY, 90 * Unit);
    // Off the ledge, facing +z: the eye falls to the platform's floor below.
    Hold(SDL_SCANCODE_LEFT, 16);
    Hold(SDL_SCANCODE_UP, 6);
    Passes(20);
    EXPECT_EQ(Falling, 0);
    EXPECT_EQ(PlayerY, 50 * Unit);
    EXPECT_GT(PlayerZ, 100 * Unit);
    // By now the wait is over and the sun has come out.
    EXPECT_FLOAT_EQ(SceneLight[0].colour[0], 1.0f);

    // F6 sends the rover from the loft onto the platform; the player turns round to watch.
    Press(SDL_SCANCODE_F6);
    Hold(SDL_SCANCODE_RIGHT, 32);
    Passes(60);
    Snap(frames);
    Passes(60);
    EXPECT_EQ(HotSpots[0].object, 4);
    // Standing on the platform rang the chime.
    if (SoundDevice) {
        EXPECT_EQ(LastPlayedSound, 2);
    }

    // F11 again: the robot hall; F4 sends the two robots to each other's corner.
    Press(SDL_SCANCODE_F11);
    ASSERT_EQ(RoomCount, 4);
    Press(SDL_SCANCODE_F4);
    Passes(70);
    Snap(frames);
    Passes(330);
    EXPECT_TRUE(RobotTable[0].arrived && RobotTable[1].arrived);
    EXPECT_TRUE(RecordedBoxes().empty()) << BoxTexts()[0];
}

TEST_F(DemoScenario, APlayThroughReachesEveryRoomScriptsPuzzle) {
    std::vector<Picture> frames;
    Play(&frames);
    ASSERT_EQ(frames.size(), 4u);
    const char* names[] = {"demo_first_hall", "demo_spring_gate", "demo_spring_platform",
                           "demo_robot_hall"};
    for (size_t i = 0; i < frames.size(); ++i) ExpectGolden(names[i], frames[i]);
}

TEST_F(DemoScenario, TheSamePlayGivesTheSameFrames) {
    std::vector<Picture> first, second;
    Play(&first);
    TearDown();
    SetUp();
    Play(&second);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) EXPECT_TRUE(first[i] == second[i]) << "frame " << i;
}

// F9 in the spring court brings dusk to the whole court, not only to the lights of its 3D
// characters: from the start, facing the gate with no character in view, the picture darkens.
TEST_F(DemoScenario, DuskDarkensTheWholeCourt) {
    auto brightness = [] {
        const PresentedImage& image = PresentedFrame();
        double sum = 0;
        for (uint32_t c : image.pixels) sum += (c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF);
        return sum / image.pixels.size();
    };
    Press(SDL_SCANCODE_F11);
    ASSERT_EQ(RoomCount, 1);
    Passes(10);
    const double day = brightness();
    Press(SDL_SCANCODE_F9);
    Passes(40);
    EXPECT_LT(brightness(), day * 0.7);
    EXPECT_TRUE(RecordedBoxes().empty()) << BoxTexts()[0];
}

// In the spring court a click on the torch beside the gate gives the lantern the ball's frames;
// another gives it its own again.
TEST_F(DemoScenario, TheTorchSwapsTheLanternsFramesAndBack) {
    Press(SDL_SCANCODE_F11);
    ASSERT_EQ(RoomCount, 1);
    // An eighth of a turn to the right brings the torch to the middle row, right of the centre.
    Hold(SDL_SCANCODE_RIGHT, 8);
    const auto& lantern = static_cast<Sprite2DObject*>(MapObjectTable[4])->animation;
    const int lanternFirst = lantern.textures[0];
    Click(420, 240);
    EXPECT_EQ(ClickedId, 11);
    EXPECT_EQ(lantern.textures[0], SpriteSwapSets[1].first);
    EXPECT_EQ(lantern.count, SpriteSwapSets[1].frames);
    Click(420, 240);
    EXPECT_EQ(lantern.textures[0], lanternFirst);
}

// In the robot hall both robots show whole from the start view, standing in their corners and
// after F6 has sent one to the middle and one to a near corner; F7 walks the camera to the
// hall's near left corner, where it ends looking at them.
TEST_F(DemoScenario, TheRobotHallShowsBothRobotsWholeFromTheStartAndAfterTheCameraWalk) {
    Press(SDL_SCANCODE_F11);
    Press(SDL_SCANCODE_F11);
    ASSERT_NE(FindState("Walk"), -1);
    View view = DrawnView();
    ExpectWholeInView(0, view, 8);
    ExpectWholeInView(1, view, 8);
    Press(SDL_SCANCODE_F6);
    Passes(200);
    ASSERT_TRUE(RobotTable[0].arrived && RobotTable[1].arrived);
    view = DrawnView();
    ExpectWholeInView(0, view, 8);
    ExpectWholeInView(1, view, 8);
    Press(SDL_SCANCODE_F7);
    Passes(60);
    EXPECT_NEAR(Units(PlayerX), 15.0f, 0.01f);
    EXPECT_NEAR(Units(PlayerZ), 15.0f, 0.01f);
    view = DrawnView();
    ExpectWholeInView(0, view, 8);
    ExpectWholeInView(1, view, 8);
    EXPECT_TRUE(RecordedBoxes().empty()) << BoxTexts()[0];
}

// The tour whose pictures open the README (scripts/screenshots sets DUSK_SCREENSHOTS to the
// folder they go to): the first level's hall with its robot, the green chamber, the spring court
// with the gate open and the rover on the platform, the robot hall while the robots cross. Every
// picture is of a whole view, and no two are alike.
TEST_F(DemoScenario, TheReadmesTourShowsFourWholeDifferentViews) {
    const char* folder = std::getenv("DUSK_SCREENSHOTS");
    std::vector<PresentedImage> pictures;
    auto stop = [&](const std::string& name) {
        EXPECT_EQ(UndrawnViewPixels(), 0) << name;
        Passes(1);
        pictures.push_back(PresentedFrame());
        if (folder) {
            EXPECT_TRUE(SavePresentedFrame(std::string(folder) + "/" + name + ".png")) << name;
        }
    };
    // The first level from the start: the robot in the hall, the corridor behind it.
    Passes(10);
    stop("hall");
    // The green chamber's emblem, seen across the chamber.
    SetCameraPosition(410, 50, 160, 140, 0);
    Passes(5);
    stop("green-chamber");
    // The spring court: the gate opened, the rover sent down and arrived on the platform, which
    // is seen from the court's far side with the loft's ledge above it.
    Press(SDL_SCANCODE_F11);
    Press(SDL_SCANCODE_F4);
    Press(SDL_SCANCODE_F6);
    Passes(150);
    EXPECT_EQ(DoorLift(5), 90.0f);
    EXPECT_EQ(HotSpots[0].object, 4);
    SetCameraPosition(110, 50, 190, 100, 0);
    Passes(2);
    stop("spring-court");
    // The robot hall from its start view while the two robots cross it, one stepping aside for
    // the other: both show whole, on their feet above the view's bottom edge, neither hiding the
    // other. The pointer rests on the floor below them.
    Press(SDL_SCANCODE_F11);
    Press(SDL_SCANCODE_F4);
    InjectMouseMove(320, 400);
    Passes(50);
    stop("robot-hall");
    EXPECT_FALSE(RobotTable[0].arrived || RobotTable[1].arrived);
    const View hall = DrawnView();
    ExpectWholeInView(0, hall, 8);
    ExpectWholeInView(1, hall, 8);
    ASSERT_EQ(pictures.size(), 4u);
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j) {
            size_t differing = 0;
            for (size_t p = 0; p < pictures[i].pixels.size(); ++p)
                differing += pictures[i].pixels[p] != pictures[j].pixels[p];
            EXPECT_GT(differing, pictures[i].pixels.size() / 4) << "pictures " << i << " and " << j;
        }
    EXPECT_TRUE(RecordedBoxes().empty()) << BoxTexts()[0];
}
