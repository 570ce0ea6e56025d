// The game started on copies of the demo folder with one file damaged at a time: every damaged
// file is named in a box, and a fault the game cannot go on from ends it in order.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <functional>

#include "allocation_limit.h"
#include "base/handlers.h"
#include "damaged_demo.h"
#include "game_process.h"
#include "planner/plan_config.h"
#include "planner/robot_table.h"
#include "platform/quit_signals.h"

namespace {

// The text files that the first level, the spring court and the robot hall read.
const std::vector<std::string> TextFilesByRoom[] = {
    {"demo.scp", "demo.lvl", "room1.cub", "room2.cub", "room3.cub", "room4.cub", "robot.ani",
     "wave.mot", "nod.mot"},
    {"springrm.scp", "spring.lvl", "spring1.cub", "spring.pth", "spring_2.pth", "spring_3.pth",
     "spring_4.pth", "rover.ani", "rover_walk.mot"},
    {"ferrowrm.scp", "yard_planner.cfg", "yard.map"},
};

TEST_F(DamagedDemoTest, AGifThatIsTextIsNamedAndEndsTheGameInOrder) {
    Write("robot_face.gif", "this is no picture\n");
    const Run run = RunGame();
    ASSERT_EQ(run.started, 1);
    ExpectOneBox("not a GIF file", "Error", "robot_face.gif");
    ExpectEndedInOrder(run, 1);
}

// The display palette, and the texture sheet the first level's cubes are cut from: a height
// larger than the file holds, a file cut inside its headers or halfway through its rows, and a
// picture that is not 8-bit, named with its depth. Each is named in the loader's box, and the
// game ends with status 1. A sheet's box names under its text the cube file's line that names the
// sheet.
TEST_F(DamagedDemoTest, ADamagedPaletteOrTextureSheetIsNamedAndTheGameEnds) {
    const std::string palette = Read("Palette.bmp");
    const std::string sheet = Read("demo.bmp");
    auto tall = [](std::string bmp) {
        bmp[22] = static_cast<char>(bmp[22] + 1);  // one row more than the file holds
        return bmp;
    };
    auto deep = [](std::string bmp) {
        bmp[28] = 24;
        return bmp;
    };
    struct Damage {
        const char* file;
        std::string bytes;
        const char* place;
        bool deep = false;
    };
    const Damage damages[] = {
        {"Palette.bmp", tall(palette), ""},
        {"Palette.bmp", palette.substr(0, 40), ""},
        {"Palette.bmp", palette.substr(0, palette.size() / 2), ""},
        {"Palette.bmp", deep(palette), "", true},
        {"demo.bmp", tall(sheet), "room1.cub, line 39"},
        {"demo.bmp", sheet.substr(0, 40), "room1.cub, line 39"},
        {"demo.bmp", sheet.substr(0, sheet.size() / 2), "room1.cub, line 39"},
        {"demo.bmp", deep(sheet), "room1.cub, line 39", true},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(std::string(damage.file) + " of " + std::to_string(damage.bytes.size()) +
                     " bytes");
        StartOver();
        Write(damage.file, damage.bytes);
        const Run run = RunGame();
        const std::string file = damage.file;
        ExpectOneBox(damage.deep ? "Picture " + file +
                                       " has 24 bits per pixel; only 8-bit pictures are read."
                                 : "Open " + file + " failed.",
                     "ERROR", damage.place);
        // A palette that fails ends the start-up; a sheet ends the game from the start script.
        ExpectEndedInOrder(run, 1);
    }
}

// A missing motion, animated-object or path file is named under the reader's text; the game
// goes on without it.
TEST_F(DamagedDemoTest, AMissingMotionObjectOrPathFileIsNamedAndTheGameGoesOn) {
    for (const char* file : {"nod.mot", "robot.ani", "spring.pth"}) {
        SCOPED_TRACE(file);
        StartOver();
        Remove(file);
        Run run = RunGame(5);
        // The path is read by the spring court's script, the first one F11 goes on to.
        if (std::string(file) == "spring.pth") Press(run, SDL_SCANCODE_F11);
        Go(run, 10);
        ASSERT_EQ(run.started, 1);
        EXPECT_FALSE(run.ended);
        EXPECT_EQ(QuitDone, 0);
        ASSERT_FALSE(platform::RecordedBoxes().empty());
        EXPECT_EQ(platform::RecordedBoxes()[0].text, "Script File Open Error") << Joined();
        EXPECT_EQ(platform::RecordedBoxes()[0].caption, "Error");
        EXPECT_EQ(platform::RecordedBoxes()[0].place, file);
    }
}

// The robot hall's planner configuration, missing or a folder where the file should be: one box
// names the configuration, and no map is looked for.
TEST_F(DamagedDemoTest, AnUnreadablePlannerConfigurationIsNamedOnce) {
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder" : "missing");
        StartOver();
        Remove("yard_planner.cfg");
        if (folder) std::filesystem::create_directory(Path("yard_planner.cfg"));
        Run run = RunGame(5);
        // F11 twice: the spring court, then the robot hall.
        Press(run, SDL_SCANCODE_F11);
        Press(run, SDL_SCANCODE_F11);
        Go(run, 10);
        ExpectOneBox("Planning configuration yard_planner.cfg cannot be read.", "Error",
                     "ferrowrm.scp, line 49");
        EXPECT_FALSE(run.ended);
        EXPECT_FALSE(std::filesystem::exists(Path("Blank Map")));
    }
}

// A statement of the configuration that fails to parse ends the parse quietly: no box, what
// stands before it is kept (the map it names is read when it comes first), nothing after it.
TEST_F(DamagedDemoTest, AFailingPlannerStatementEndsTheParseWithoutABox) {
    const std::string config = Read("yard_planner.cfg");
    const std::string bad = "@@@ no statement;\n";
    for (bool before : {true, false}) {
        SCOPED_TRACE(before ? "failing first" : "failing last");
        StartOver();
        Write("yard_planner.cfg", before ? bad + config : config + bad);
        Run run = RunGame(5);
        Press(run, SDL_SCANCODE_F11);
        Press(run, SDL_SCANCODE_F11);
        Go(run, 10);
        EXPECT_TRUE(platform::RecordedBoxes().empty()) << Joined();
        EXPECT_FALSE(run.ended);
        EXPECT_EQ(std::filesystem::exists(Path("Blank Map")), !before);
    }
}

// A level that is empty, or holds only its start line, is named as holding no cube, and the
// game ends as after any fault of the level, with status 1.
TEST_F(DamagedDemoTest, ALevelWithoutCubesIsNamedAndTheGameEnds) {
    for (const std::string& level : {std::string(), std::string("1.0 50.0 50.0 50.0 16384\n")}) {
        SCOPED_TRACE(level);
        StartOver();
        Write("demo.lvl", level);
        const Run run = RunGame();
        ASSERT_EQ(run.started, 1);
        ExpectOneBox("D3D: Level file demo.lvl holds no cube!\r\n", "Msg", "demo.scp, line 8");
        ExpectEndedInOrder(run, 1);
    }
}

// A 29-byte GIF that declares a 4096 x 4095 screen, loaded under a memory limit: the block for
// its pixels cannot be had, and the game ends in order, naming the file it was loading.
TEST_F(DamagedDemoTest, MemoryRunningOutEndsTheGameInOrderNamingTheFileBeingLoaded) {
    const std::string gif = std::string("GIF89a\x00\x10\xff\x0f\0\0\0", 13) +
                            std::string(",\0\0\0\0\x01\0\x01\0\0", 10) +
                            std::string("\x02\x02\x44\x01\0;", 6);
    ASSERT_EQ(gif.size(), 29u);
    Write("robot_face.gif", gif);
    Run run;
    {
        shelltest::AllocationCeiling ceiling(8u << 20);
        run = RunGame();
    }
    ASSERT_EQ(run.started, 1);
    ExpectOneBox("Out of memory while loading robot_face.gif.", "Error", "");
    ExpectEndedInOrder(run, 1);

    // The same in a pass of the loop: F11 goes on to the spring court, whose robot has the face.
    StartOver();
    run = RunGame(3);
    Write("robot_face.gif", gif);
    {
        shelltest::AllocationCeiling ceiling(8u << 20);
        Press(run, SDL_SCANCODE_F11);
        Go(run, 5);
    }
    ExpectOneBox("Out of memory while loading robot_face.gif.", "Error", "");
    ExpectEndedInOrder(run, 1);
}

// A fault whose text names no file: the text stays the box's first line as it stands, and the
// file (with the line, where the reader counts lines) follows on a second line. A cube file's
// unknown keyword and misspelt block, a script's stray parenthesis and number beyond the float
// range (each statement is passed over, the second's over both its lines) and a script without
// states, and a sound that is no WAVE file (F11 goes on to the spring court, which loads it).
TEST_F(DamagedDemoTest, AFaultWhoseTextNamesNoFileNamesItOnASecondLine) {
    struct Damage {
        const char* file;
        std::function<void()> damage;
        int roomKeys;
        std::vector<std::string> boxes;
        std::vector<std::string> places;
        bool fatal;
    };
    const Damage damages[] = {
        {"room1.cub",
         [this] { Write("room1.cub", "SPHERE {\n" + Read("room1.cub")); },
         0,
         {"D3D: Syntex error!\r\n"},
         {"room1.cub, line 1"},
         true},
        {"room1.cub",
         [this] {
             std::string cube = Read("room1.cub");
             Write("room1.cub", cube.replace(cube.find("CONNECTION"), 10, "CONECTION"));
         },
         0,
         {"D3D: Syntex error in cubes!\r\n"},
         {"room1.cub, line 62"},
         true},
        {"demo.scp",
         [this] { Write("demo.scp", Read("demo.scp") + ") Stray;\n"); },
         0,
         {"Unmatched RPAREN found!"},
         {"demo.scp, line 48"},
         false},
        {"demo.scp",
         [this] {
             Write("demo.scp", Read("demo.scp") + "SetCamera(2, 1e39, 50,\n  50, 90, 0);\n");
         },
         0,
         {"Number beyond float range"},
         {"demo.scp, line 48"},
         false},
        {"demo.scp",
         [this] { Write("demo.scp", "int clicked;\nLoadMap(\"demo.lvl\");\n"); },
         0,
         {"No Script Loaded! State Tree not built!"},
         {"demo.scp"},
         false},
        {"hum.wav",
         [this] { Write("hum.wav", "RIFF----WAVE but no chunks"); },
         1,
         {"Cant load sound file"},
         {"hum.wav"},
         false},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.boxes[0]);
        StartOver();
        damage.damage();
        const Run run = RunToRoom(damage.roomKeys);
        EXPECT_EQ(BoxTexts(), damage.boxes);
        EXPECT_EQ(Places(), damage.places);
        ExpectEndedOnlyIfFatal(run, damage.fatal);
    }
    // As the player sees it: the place on a line of its own, also after a report's line end.
    ASSERT_FALSE(platform::RecordedBoxes().empty());
    EXPECT_EQ(platform::ShownText(platform::RecordedBoxes()[0]), "Cant load sound file\nhum.wav");
    EXPECT_EQ(platform::ShownText({"Msg", "D3D: Syntex error!\r\n", 0, false, "room1.cub, line 1"}),
              "D3D: Syntex error!\r\nroom1.cub, line 1\r\n");
}

// Every text file the rooms read, saved by an editor that puts a UTF-8 byte-order mark first:
// the mark is read as nothing, and the game plays as without it (F11 goes on to the spring court,
// twice to the robot hall, whose planner reads its configuration and then its map).
TEST_F(DamagedDemoTest, ATextFileThatBeginsWithAByteOrderMarkIsReadAsWithout) {
    for (int roomKeys = 0; roomKeys < 3; ++roomKeys) {
        for (const std::string& file : TextFilesByRoom[roomKeys]) {
            SCOPED_TRACE(file);
            StartOver();
            Write(file, "\xEF\xBB\xBF" + Read(file));
            const Run run = RunToRoom(roomKeys);
            EXPECT_TRUE(platform::RecordedBoxes().empty()) << Joined();
            EXPECT_FALSE(run.ended);
            EXPECT_EQ(std::filesystem::exists(Path("Blank Map")), roomKeys == 2);
        }
    }
}

// Numbers that are not finite or lie far out of range: the reader's own syntax-error text with
// the file and line under it, and nothing of the number used. The level's start line (a scale
// that is not a number, 0 or beyond the float range, a position beyond Fixed16), a cube file's
// vertex and normal (of two normals that cannot be used, the first is named); a
// motion, an object and a path file (F11 goes on to the spring court, which reads the path),
// whose readers stop; and the planner's settings (F11 twice: the robot hall), which are all named
// in one box, read as missing, and the game goes on.
TEST_F(DamagedDemoTest, ANumberThatIsNotFiniteIsTheReadersSyntaxError) {
    struct Damage {
        const char* file;
        const char* good;
        const char* bad;
        int roomKeys;
        std::string box;
        std::string place;
        bool fatal;
    };
    const Damage damages[] = {
        {"demo.lvl", "1.0 50.0", "nan 50.0", 0, "D3D: Syntex error!\r\n", "demo.lvl, line 2", true},
        {"demo.lvl", "1.0 50.0", "0 50.0", 0, "D3D: Syntex error!\r\n", "demo.lvl, line 2", true},
        {"demo.lvl", "1.0 50.0", "1e39 50.0", 0, "D3D: Syntex error!\r\n", "demo.lvl, line 2",
         true},
        {"demo.lvl", "1.0 50.0", "1.0 1e300", 0, "D3D: Syntex error!\r\n", "demo.lvl, line 2",
         true},
        {"demo.lvl", "50.0 50.0 50.0", "50.0 -40000 50.0", 0, "D3D: Syntex error!\r\n",
         "demo.lvl, line 2", true},
        {"room1.cub", "  0 0 100\n", "  0 NAN 100\n", 0, "D3D: Syntex error!\r\n",
         "room1.cub, line 5", true},
        {"room1.cub", "  0 0 100\n", "  0 40000 100\n", 0, "D3D: Syntex error!\r\n",
         "room1.cub, line 5", true},
        {"room1.cub", "    0 0 1\n", "    0 inf 1\n", 0, "D3D: Syntex error in cubes!\r\n",
         "room1.cub, line 48", true},
        {"room1.cub", "    0 0 1\n    -1 0 0\n    0 0 -1\n",
         "    0 inf 1\n    -1 0 0\n    0 0 nan\n", 0, "D3D: Syntex error in cubes!\r\n",
         "room1.cub, line 48", true},
        {"nod.mot", "6 0.976296", "6 1e300", 0, "Illegal Syntax", "nod.mot, line 15", false},
        {"robot.ani", "vertices 6 16 -4", "vertices 6 nan -4", 0, "Illegal Syntax",
         "robot.ani, line 13", false},
        {"spring.pth", "40 60 0 0;", "40 -1e39 0 0;", 1, "Illegal Syntax", "spring.pth, line 6",
         false},
        {"spring.pth", "40 60 0 0;", "40 inf 0 0;", 1, "Illegal Syntax", "spring.pth, line 6",
         false},
        {"nod.mot", "6 0.976296", "6 infinity", 0, "Illegal Syntax", "nod.mot, line 15", false},
        {"robot.ani", "vertices 6 16 -4", "vertices 6 -infinity -4", 0, "Illegal Syntax",
         "robot.ani, line 13", false},
        {"spring.pth", "40 60 0 0;", "40 INFINITY 0 0;", 1, "Illegal Syntax", "spring.pth, line 6",
         false},
        {"spring1.cub", "DOOR { 5 ", "DOOR { 100 ", 1, "D3D: Syntex error in DOOR!\r\n",
         "spring1.cub, line 302", true},
        {"yard_planner.cfg", "speed_divisor = 23.333333", "speed_divisor = 0", 2,
         "Planning configuration yard_planner.cfg: the value of speed_divisor is out of range.",
         "ferrowrm.scp, line 49", false},
        {"yard_planner.cfg",
         "speed = 35.0;\nfloat speed_divisor = 23.333333;\nfloat default_robot_radius = 8.0",
         "speed = 1.0 / 0.0;\nfloat speed_divisor = 0.0;\nfloat default_robot_radius = 10.0 ^ 40",
         2,
         "Planning configuration yard_planner.cfg: the values of default_robot_speed, "
         "speed_divisor, default_robot_radius are out of range.",
         "ferrowrm.scp, line 49", false},
        {"yard_planner.cfg", "radius = 8.0", "radius = 0 - 10.0 ^ 40", 2,
         "Planning configuration yard_planner.cfg: the value of default_robot_radius is out of "
         "range.",
         "ferrowrm.scp, line 49", false},
        {"yard_planner.cfg", "cell = 10.0", "cell = -1.0 / 0.0", 2,
         "Planning configuration yard_planner.cfg: the value of meters_per_cell is out of range.",
         "ferrowrm.scp, line 49", false},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.bad);
        StartOver();
        std::string text = Read(damage.file);
        const std::string good = damage.good;
        ASSERT_NE(text.find(good), std::string::npos);
        Write(damage.file, text.replace(text.find(good), good.size(), damage.bad));
        const Run run = RunToRoom(damage.roomKeys);
        ExpectOneBox(damage.box, damage.box.rfind("D3D: ", 0) == 0 ? "Msg" : "Error", damage.place);
        ExpectEndedOnlyIfFatal(run, damage.fatal);
        if (damage.roomKeys < 2) continue;
        // Nothing that cannot be used reaches the robots.
        EXPECT_NE(PlanSettings.speedDivisor, 0.0);
        for (const RobotRecord& body : RobotTable) {
            EXPECT_TRUE(std::isfinite(body.speed) && std::isfinite(body.radius)) << body.radius;
        }
    }
}

// A level whose first cube file holds filler cubes away from the rooms, so that the hall's first
// cube, where the walk starts with the hall's outer wall behind, is the 229th or the 230th cube
// loaded. Stepping back into a wall of the 230th ends the game without a box, with status 1; a
// wall of any other cube is slid along.
TEST_F(DamagedDemoTest, AStepIntoAWallOfThe230thCubeEndsTheGameSilently) {
    std::string cube =
        "CUBE {\n VERTICES { 0 1 2 3 4 5 6 7 }\n NORMALS { 1 0 0 0 0 1 -1 0 0 0 0 -1 "
        "0 -1 0 0 1 0 }\n TEXTURES {\n";
    for (int face = 0; face < 6; ++face) cube += "  0 0 (0 100 0) (0 100 100) (0 0 0)\n";
    cube += " }\n CONNECTION { -1 -1 -1 -1 -1 -1 }\n}\n";
    for (int fillers : {229, 228}) {
        SCOPED_TRACE(fillers);
        StartOver();
        std::string filler = "VERTICES {\n";
        for (const char* corner :
             {"1000 0 1000", "1000 0 1100", "1100 0 1100", "1100 0 1000", "1000 100 1000",
              "1000 100 1100", "1100 100 1100", "1100 100 1000"}) {
            filler += std::string(corner) + "\n";
        }
        filler += "}\nTEXTURES {\n  demo.bmp 0 0 256 256 1\n}\n";
        for (int i = 0; i < fillers; ++i) filler += cube;
        Write("filler.cub", filler);
        Write("demo.lvl", "1.0 50.0 50.0 50.0 16384\nfiller.cub\nroom1.cub\nroom2.cub\n");
        Run run = RunGame(3);
        ASSERT_EQ(run.started, 1);
        platform::InjectKey(SDL_SCANCODE_DOWN, true);
        Go(run, 30);
        platform::InjectKey(SDL_SCANCODE_DOWN, false);
        EXPECT_TRUE(platform::RecordedBoxes().empty()) << Joined();
        ExpectEndedOnlyIfFatal(run, fillers == 229);
    }
}

// Scripts that overflow the engine's tables, each fault at thousands of statements: 8,000 states
// more than a script may have, if and while blocks nested 4,000 deep (the stream holds 1,000
// statements), and a loop that meets two missing states on two lines at each turn until the run
// is stopped. Each line shows its fault once, the script a dozen boxes and no more, and the game
// goes on. Twenty missing cursor pictures, each its own text: a dozen boxes too.
TEST_F(DamagedDemoTest, AScriptFloodShowsEachLinesFaultOnce) {
    auto nested = [this](const std::string& open, const std::string& close) {
        std::string script = Read("demo.scp");
        std::string blocks;
        for (int i = 0; i < 4000; ++i) blocks += open + " (clicked == 0) {\n";
        for (int i = 0; i < 4000; ++i) blocks += close + ";\n";
        return script.replace(script.find("SetCursor(3);"), 0, blocks);
    };
    std::string states = Read("demo.scp");
    for (int i = 0; i < 8000; ++i) states += "state S" + std::to_string(i) + ";\nexit;\n";
    std::string loop = Read("demo.scp");
    loop.replace(loop.find("SetCursor(3);"), 0,
                 "while (clicked == 0);\nrefState Missing;\nrefState Gone;\nendwhile;\n");
    std::string icons = Read("demo.scp");
    std::vector<std::string> iconBoxes, iconPlaces;
    for (int i = 0; i < 20; ++i) {
        const std::string name = "gone" + std::to_string(i) + ".bmp";
        icons.replace(icons.find("SetCursor(3);"), 0,
                      "LoadIcon(\"" + name + "\", 16, 16, 0, 0);\n");
        if (i < 12) {
            iconBoxes.push_back("Open " + name + " failed.");
            iconPlaces.push_back("demo.scp, line " + std::to_string(32 + i));
        }
    }
    struct Damage {
        std::string script;
        std::vector<std::string> boxes;
        std::vector<std::string> places;
    };
    // A fault met at every line from `first` on, every `step` lines.
    auto dozen = [](const std::string& text, int first, int step) {
        std::pair<std::vector<std::string>, std::vector<std::string>> boxes;
        for (int i = 0; i < 12; ++i) {
            boxes.first.push_back(text);
            boxes.second.push_back("demo.scp, line " + std::to_string(first + i * step));
        }
        return boxes;
    };
    const auto tooManyStates = dozen("Exceed maximum states", 168, 2);
    const auto tooManyStatements = dozen("Exceed maximum script", 1010, 1);
    const Damage damages[] = {
        {states, tooManyStates.first, tooManyStates.second},
        {nested("if", "endif"), tooManyStatements.first, tooManyStatements.second},
        {nested("while", "endwhile"), tooManyStatements.first, tooManyStatements.second},
        {loop,
         {"State not defined!", "State not defined!", "Exceed maximum statements in one run"},
         {"demo.scp, line 33", "demo.scp, line 34", "demo.scp, line 35"}},
        {icons, iconBoxes, iconPlaces},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.boxes.back());
        StartOver();
        Write("demo.scp", damage.script);
        Run run = RunGame(3);
        EXPECT_EQ(BoxTexts(), damage.boxes);
        EXPECT_EQ(Places(), damage.places);
        EXPECT_FALSE(run.ended);
    }
}

// The fault that ends the game shows its own box even where its script has shown its dozen
// boxes, and no other: twenty missing cursor pictures, then a camera set outside the map; or
// then the level, whose texture sheet fails without a box of its own (as a loader might): the
// pictures left out stay left out.
TEST_F(DamagedDemoTest, TheFaultThatEndsTheGameShowsItsOwnBoxAndNoOther) {
    std::string icons;
    for (int i = 0; i < 20; ++i)
        icons += "LoadIcon(\"gone" + std::to_string(i) + ".bmp\", 16, 16, 0, 0);\n";
    struct Ending {
        const char* before;  // the statement the lines go in front of
        std::string lines;
        std::vector<std::string> last;  // the last box shown, and its place
        size_t boxes;
    };
    const Ending endings[] = {
        {"SetCursor(3);",
         icons + "SetCamera(2, 5000, 50, 5000, 90, 0);\n",
         {"D3D: Camera position set inscript is outside the map!\r\n", "demo.scp, line 52"},
         13},
        {"LoadMap(", icons, {"Open gone11.bmp failed.", "demo.scp, line 19"}, 12},
    };
    const HandlerTable full = Handlers;
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.before);
        StartOver();
        std::string script = Read("demo.scp");
        Write("demo.scp", script.replace(script.find(ending.before), 0, ending.lines));
        if (ending.boxes == 12) Handlers.loadTextureSheet = [](const char*) { return 0; };
        const Run run = RunGame(3);
        Handlers = full;
        ASSERT_EQ(BoxTexts().size(), ending.boxes) << Joined();
        EXPECT_EQ(BoxTexts().back(), ending.last[0]);
        EXPECT_EQ(Places().back(), ending.last[1]);
        ExpectEndedInOrder(run, 1);
    }
}

// A command whose file-name word is missing: the reader's own text (with the empty name where it
// names the file), and the script and the statement's line on a second line. Icons, motions and
// sounds are left out and the game goes on; a level or display palette ends it.
TEST_F(DamagedDemoTest, ACommandWithoutItsFileNameNamesTheScriptAndLine) {
    struct Damage {
        const char* statement;
        const char* replaced;
        std::vector<std::string> boxes;
        const char* place;
        bool fatal;
    };
    const Damage damages[] = {
        {"LoadIcon();", "SetCursor(3);", {"Open  failed."}, "demo.scp, line 32", false},
        {"LoadMotion();", "SetCursor(3);", {"Script File Open Error"}, "demo.scp, line 32", false},
        {"LoadAnimObj();", "SetCursor(3);", {"Script File Open Error"}, "demo.scp, line 32", false},
        {"LoadSound();",
         "SetCursor(3);",
         {"Wave File Open Error", "Cant load sound file"},
         "demo.scp, line 32",
         false},
        {"LoadMap();",
         "LoadMap(\"demo.lvl\");",
         {"D3D: Open level file failed!\r\n"},
         "demo.scp, line 8",
         true},
        {"LoadPalette();",
         "LoadPalette(\"Palette.bmp\");",
         {"Open  failed."},
         "demo.scp, line 7",
         true},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.statement);
        StartOver();
        std::string script = Read("demo.scp");
        const std::string replaced = damage.replaced;
        script.replace(script.find(replaced), replaced.size(), damage.statement);
        Write("demo.scp", script);
        const Run run = RunGame(5);
        EXPECT_EQ(BoxTexts(), damage.boxes);
        for (const std::string& place : Places()) EXPECT_EQ(place, damage.place);
        ExpectEndedOnlyIfFatal(run, damage.fatal);
    }
}

// A data file that is no regular file: a FIFO (which would keep a reader waiting for a writer),
// a folder or a device. Each is refused at once with its reader's open failure, and the game
// goes on or ends as after a missing file. F11 goes on to the spring court, and again to the
// robot hall.
TEST_F(DamagedDemoTest, AFileThatIsNoRegularFileIsRefusedAtOnce) {
    enum Kind { Fifo, Folder, Device };
    struct Damage {
        const char* file;
        Kind kind;
        int roomKeys;
        std::vector<std::string> boxes;
        std::vector<std::string> places;
        bool fatal;
    };
    const Damage damages[] = {
        {"demo.lvl", Fifo, 0, {"D3D: Open level file failed!\r\n"}, {"demo.lvl"}, true},
        {"room1.cub",
         Folder,
         0,
         {"D3D: Open file room1.cub failed!\r\n"},
         {"demo.lvl, line 5"},
         true},
        {"Palette.bmp", Device, 0, {"Open Palette.bmp failed."}, {""}, true},
        {"demo.bmp", Fifo, 0, {"Open demo.bmp failed."}, {"room1.cub, line 39"}, true},
        {"arrow1.bmp", Fifo, 0, {"Open arrow1.bmp failed."}, {"demo.scp, line 18"}, false},
        {"demo.scp",
         Fifo,
         0,
         {"Script File Open Error", "No Script Loaded! State Tree not built!"},
         {"demo.scp", "demo.scp"},
         false},
        {"nod.mot", Fifo, 0, {"Script File Open Error"}, {"nod.mot"}, false},
        {"robot_face.gif", Fifo, 0, {}, {}, false},
        {"robot_body.ppm", Device, 0, {}, {}, false},
        {"hum.wav",
         Fifo,
         1,
         {"Wave File Open Error", "Cant load sound file"},
         {"hum.wav", "hum.wav"},
         false},
        {"yard_planner.cfg",
         Fifo,
         2,
         {"Planning configuration yard_planner.cfg cannot be read."},
         {"ferrowrm.scp, line 49"},
         false},
        {"yard.map",
         Fifo,
         2,
         {"Open planning map yard.map failed."},
         {"ferrowrm.scp, line 49"},
         false},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.file);
        StartOver();
        Remove(damage.file);
        if (damage.kind == Fifo) {
            ASSERT_EQ(::mkfifo(Path(damage.file).c_str(), 0644), 0);
        } else if (damage.kind == Folder) {
            std::filesystem::create_directory(Path(damage.file));
        } else {
            std::filesystem::create_symlink("/dev/zero", Path(damage.file));
        }
        FifoWatch watch(Path(damage.file));
        const Run run = RunToRoom(damage.roomKeys);
        EXPECT_FALSE(watch.Waited());
        EXPECT_EQ(BoxTexts(), damage.boxes);
        EXPECT_EQ(Places(), damage.places);
        ExpectEndedOnlyIfFatal(run, damage.fatal);
    }
}

// Picture headers that declare more pixels than a picture may have (4096 x 4096): refused
// before anything is made for them, with a box that names the file. A ".ppm" texture is left
// out and the game goes on; a GIF's fault ends the game; a cursor picture and the texture sheet
// (here with all the bytes their headers ask for) are named with their size; the cursor is not
// loaded, and the sheet ends the game.
TEST_F(DamagedDemoTest, APictureThatDeclaresAHugeSizeIsRefusedBeforeItIsRead) {
    auto le32 = [](uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    auto huge = [&](std::string bmp) { return bmp.replace(18, 8, le32(5000) + le32(4000)); };
    const std::string bmp = huge(Read("arrow1.bmp")), sheet = huge(Read("demo.bmp"));
    auto offset = [](const std::string& b) {
        return static_cast<uint8_t>(b[10]) | static_cast<uint8_t>(b[11]) << 8;
    };
    struct Damage {
        const char* file;
        std::string bytes;
        std::uintmax_t size;
        std::string box;
        std::string place;
        bool fatal;
    };
    // A picture whose text names it is placed where it is named: the object file's line, the
    // script's line.
    const Damage damages[] = {
        {"robot_body.ppm", "P6\n# made by hand\n5000 4000\n255\n\x10\x20\x30", 0,
         "Texture robot_body.ppm is too large.", "robot.ani, line 6", false},
        {"robot_body.ppm", "P3 90000 80000 255 0 0 0", 0, "Texture robot_body.ppm is too large.",
         "robot.ani, line 6", false},
        {"robot_face.gif", std::string("GIF89a\x60\xea\x60\xea\0\0\0;", 14), 0,
         "image too large: 60000 by 60000", "robot_face.gif", true},
        {"arrow1.bmp", bmp, offset(bmp) + 5000u * 4000u,
         "Picture arrow1.bmp is too large: 5000 by 4000 pixels.", "demo.scp, line 18", false},
        {"demo.bmp", sheet, offset(sheet) + 5000u * 4000u,
         "Picture demo.bmp is too large: 5000 by 4000 pixels.", "room1.cub, line 39", true},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.bytes.substr(0, 12));
        StartOver();
        Write(damage.file, damage.bytes);
        if (damage.size) Cut(damage.file, damage.size);  // a hole of the declared size
        const Run run = RunGame(5);
        const bool bmpFile = std::string(damage.file).ends_with(".bmp");
        ExpectOneBox(damage.box, bmpFile ? "ERROR" : "Error", damage.place);
        ExpectEndedOnlyIfFatal(run, damage.fatal);
    }
}

// A handler table with an entry left empty: the start-up refuses to run, with one box and status
// 1. Emptied once the game runs, the texture-sheet entries make the next level's load fail in
// order (F11 goes on to the spring court); the other entries do nothing.
TEST_F(DamagedDemoTest, AnEmptyHandlerEntryNeverCrashes) {
    const HandlerTable full = Handlers;
    const std::function<void()> empty[] = {
        [] { Handlers.execKeyword = nullptr; },   [] { Handlers.execCommand = nullptr; },
        [] { Handlers.stopScriptRun = nullptr; }, [] { Handlers.loadTextureSheet = nullptr; },
        [] { Handlers.textureSheet = nullptr; },  [] { Handlers.playSound = nullptr; },
    };
    for (std::size_t i = 0; i < std::size(empty); ++i) {
        SCOPED_TRACE(i);
        StartOver();
        empty[i]();
        const Run run = RunGame();
        Handlers = full;
        EXPECT_EQ(run.started, 0);
        ExpectOneBox("Handler table incomplete!", "Error", "");
        ExpectEndedInOrder(run, 1);

        StartOver();
        Run running = RunGame(3);
        ASSERT_EQ(running.started, 1);
        empty[i]();
        Press(running, SDL_SCANCODE_F11);
        Go(running, 10);
        Handlers = full;
        if (i == 3 || i == 4) {
            ExpectOneBox("D3D: Handler table incomplete!\r\n", "Msg", "spring1.cub, line 75");
            ExpectEndedInOrder(running, 1);
        } else {
            EXPECT_FALSE(running.ended);
        }
    }
}

// The built game, run on a damaged copy, names the file in the box it echoes. After a fatal
// fault it ends by itself with status 1: a missing cube file, a display palette cut short (the
// start-up ends) and a level that is a FIFO. The yard's planner settings out of range (the yard's
// script put in the start script's place) leave it running until it is told to quit. A cube
// file's side connections that name no cube are no fault: no box, and it plays on.
TEST_F(DamagedDemoTest, TheBuiltGameNamesTheFaultAndEndsByItselfOnlyAfterAFatalOne) {
    struct Damage {
        const char* file;
        std::function<void()> damage;
        const char* box;  // none: no box at all
        bool fatal = true;
    };
    const Damage damages[] = {
        {"room1.cub", [this] { Remove("room1.cub"); }, "Open file room1.cub failed!"},
        {"Palette.bmp", [this] { Cut("Palette.bmp", 40); }, "Open Palette.bmp failed."},
        {"demo.lvl",
         [this] {
             Remove("demo.lvl");
             ::mkfifo(Path("demo.lvl").c_str(), 0644);
         },
         "Open level file failed!"},
        {"yard_planner.cfg",
         [this] {
             Write("demo.scp", Read("yard.scp"));
             std::string config = Read("yard_planner.cfg");
             config.replace(config.find("23.333333"), 9, "0.0");
             config.replace(config.find("radius = 8.0"), 12, "radius = 10.0 ^ 40");
             Write("yard_planner.cfg", config);
         },
         "Planning configuration yard_planner.cfg: the values of speed_divisor, "
         "default_robot_radius are out of range.\ndemo.scp, line 26",
         false},
        {"room1.cub",
         [this] {
             std::string cube = Read("room1.cub");
             const std::string links = "CONNECTION { -1 -1 -1 -1 -1 -1 }";
             Write("room1.cub", cube.replace(cube.find(links), links.size(),
                                             "CONNECTION { 999 -2 -1 70000 -1 -1 }"));
         },
         nullptr, false},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.file);
        StartOver();
        d.damage();
        const int output = ::open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(output, 0);
        const pid_t game = shelltest::StartGame("dummy", output);
        close(output);
        ASSERT_GT(game, 0);
        if (!d.fatal) {
            const auto end = std::chrono::steady_clock::now() +
                             (d.box ? std::chrono::seconds(20) : std::chrono::seconds(2));
            while ((!d.box || Read("output.txt").find(d.box) == std::string::npos) &&
                   std::chrono::steady_clock::now() < end) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            EXPECT_EQ(kill(game, SIGTERM), 0);
        }
        const int status = shelltest::WaitForEnd(game, std::chrono::seconds(20));
        ASSERT_TRUE(shelltest::ExitedWith(status, d.fatal ? 1 : 0));
        if (d.box) {
            EXPECT_NE(Read("output.txt").find(d.box), std::string::npos) << Read("output.txt");
        } else {
            EXPECT_EQ(Read("output.txt"), "");
        }
    }
}

// The built game on a demo whose text files all begin with a byte-order mark shows no box, and
// ends with status 0 at SIGTERM sent again and again while it ends, as a supervisor sends it to
// the game and then to its process group.
TEST_F(DamagedDemoTest, TheBuiltGameReadsMarkedFilesAndATermRepeatedWhileItEndsLeavesStatusZero) {
    for (const std::vector<std::string>& files : TextFilesByRoom) {
        for (const std::string& file : files) Write(file, "\xEF\xBB\xBF" + Read(file));
    }
    const int output = ::open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(output, 0);
    const pid_t game = shelltest::StartGame("dummy", output);
    close(output);
    ASSERT_GT(game, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    for (int sent = 0; sent < 100; ++sent) {
        ASSERT_EQ(kill(game, SIGTERM), 0);
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    ASSERT_TRUE(shelltest::ExitedWith(shelltest::WaitForEnd(game), 0));
    EXPECT_EQ(Read("output.txt"), "");
}

// A pipe of the least size, full: a write to it waits for a reader.
void FillPipe(int ends[2]) {
    ASSERT_EQ(pipe(ends), 0);
    fcntl(ends[1], F_SETPIPE_SZ, 4096);
    const int flags = fcntl(ends[1], F_GETFL);
    fcntl(ends[1], F_SETFL, flags | O_NONBLOCK);
    const std::string block(4096, '-');
    while (::write(ends[1], block.data(), block.size()) > 0) {
    }
    fcntl(ends[1], F_SETFL, flags);
}

// Boxes echoed on a standard error whose reader has gone: the writes fail and the game goes on,
// in the process and in the built game; SIGHUP (the terminal closing) then ends it in order. On
// one that is full and never read, SIGTERM or SIGHUP breaks off the echo, in the built game,
// which ends at once, and in the process when another thread takes the signal.
TEST_F(DamagedDemoTest, AClosedOrFullStandardErrorIsHarmlessAndQuitSignalsEndTheGameInOrder) {
    Remove("nod.mot");
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    close(ends[0]);
    const int standardError = dup(STDERR_FILENO);
    dup2(ends[1], STDERR_FILENO);
    platform::SetBoxEcho(true);
    platform::CatchQuitSignals();
    Run run = RunGame(5);
    ASSERT_EQ(raise(SIGHUP), 0);
    Go(run, 5);
    dup2(standardError, STDERR_FILENO);
    platform::SetBoxEcho(false);
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u) << Joined();
    ExpectEndedInOrder(run, 0);

    const pid_t game = shelltest::StartGame("dummy", ends[1]);
    close(ends[1]);
    ASSERT_GT(game, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ASSERT_EQ(kill(game, SIGHUP), 0);
    const int status = shelltest::WaitForEnd(game);
    ASSERT_TRUE(shelltest::ExitedWith(status, 0));

    int full[2];
    ASSERT_NO_FATAL_FAILURE(FillPipe(full));
    // A picture's fault line waits as a box does; the fault then ends the game with status 1.
    const struct {
        int signal;
        bool pictureDamaged;
        int status;
    } quits[] = {{SIGTERM, false, 0}, {SIGHUP, false, 0}, {SIGTERM, true, 1}};
    for (const auto& quit : quits) {
        SCOPED_TRACE(quit.signal);
        if (quit.pictureDamaged) Write("robot_face.gif", "this is no picture\n");
        const pid_t game = shelltest::StartGame("dummy", full[1]);
        ASSERT_GT(game, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        ASSERT_EQ(kill(game, quit.signal), 0);
        const int status = shelltest::WaitForEnd(game, std::chrono::seconds(1));
        ASSERT_TRUE(shelltest::ExitedWith(status, quit.status));
    }

    dup2(full[1], STDERR_FILENO);
    platform::SetBoxEcho(true);
    platform::CatchQuitSignals();
    std::atomic<bool> echoed = false;
    std::thread other([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        raise(SIGTERM);
        // Should the echo still wait, a read lets it go on, and the test fails.
        for (int waits = 0; waits < 250 && !echoed; ++waits) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (!echoed) {
            ADD_FAILURE() << "the echo waited";
            char block[4096];
            EXPECT_GT(::read(full[0], block, sizeof block), 0);
        }
    });
    platform::MessageBox("text", "caption");
    echoed = true;
    other.join();
    dup2(standardError, STDERR_FILENO);
    close(standardError);
    platform::SetBoxEcho(false);
    EXPECT_TRUE(platform::TakeQuitSignal());
    close(full[0]);
    close(full[1]);
}

// The planner's two pictures of the robot hall: F11 twice loads its map ("Blank Map"), F4
// sends the robots off ("Planned Path" after their searches).
class PlannerDumps : public DamagedDemoTest {
protected:
    void LoadTheHallAndSendTheRobots(Run& run) {
        Press(run, SDL_SCANCODE_F11);
        Press(run, SDL_SCANCODE_F11);
        Go(run, 5);
        Press(run, SDL_SCANCODE_F4);
        Go(run, 40);
    }
    // No new picture is left half made beside the old one.
    void ExpectNoLeftovers() const {
        for (const auto& entry : std::filesystem::directory_iterator(Path(""))) {
            const std::string name = entry.path().filename().string();
            EXPECT_NE(name.rfind(".Blank Map", 0), 0u) << name;
            EXPECT_NE(name.rfind(".Planned Path", 0), 0u) << name;
        }
    }
};

TEST_F(PlannerDumps, ALinkInThePlaceOfADumpIsReplacedNeverFollowed) {
    const std::filesystem::path outside =
        Path("").parent_path().parent_path() / ("dusk_outside_" + std::to_string(::getpid()));
    std::ofstream(outside) << "not the planner's\n";
    std::filesystem::create_symlink(outside, Path("Blank Map"));
    std::filesystem::create_symlink(outside, Path("Planned Path"));
    Run run = RunGame(3);
    LoadTheHallAndSendTheRobots(run);
    EXPECT_TRUE(platform::RecordedBoxes().empty()) << Joined();
    std::ifstream in(outside);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not the planner's\n");
    std::filesystem::remove(outside);
    for (const char* dump : {"Blank Map", "Planned Path"}) {
        SCOPED_TRACE(dump);
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(Path(dump))));
        const std::string text = Read(dump);
        EXPECT_EQ(text.size(), 20u * 21u);  // the hall's 20 x 20 cells, a line each row
    }
    EXPECT_NE(Read("Planned Path").find('P'), std::string::npos);
    ExpectNoLeftovers();
}

// Writes that fail, as on a full disk, leave the old pictures whole and are reported once each
// however often the planner writes.
TEST_F(PlannerDumps, WritesThatFailAreReportedOnceAndLeaveTheOldFiles) {
    Write("Blank Map", "old map\n");
    Write("Planned Path", "old path\n");
    Run run = RunGame(3);
    struct rlimit before {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    struct rlimit small = before;
    small.rlim_cur = 100;  // bytes: less than either picture needs
    const sighandler_t oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    LoadTheHallAndSendTheRobots(run);
    Press(run, SDL_SCANCODE_F4);  // more searches, more writes
    Go(run, 40);
    ::setrlimit(RLIMIT_FSIZE, &before);
    ::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Writing Blank Map failed.",
                                                    "Writing Planned Path failed."}));
    EXPECT_EQ(Read("Blank Map"), "old map\n");
    EXPECT_EQ(Read("Planned Path"), "old path\n");
    EXPECT_FALSE(run.ended);
    ExpectNoLeftovers();
}

}  // namespace
