// A yard for the robot tests: a temporary working folder with a planner configuration and an
// open map, and a scene that stands in for the robots' characters and the turning mover. The
// scene moves a character as the mover does: frame k of a move of n = distance / speed frames
// (n truncated) is placed at start + k * step, frames 0 .. n, and the move ends on the step after.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/build_variant.h"
#include "planner/plan_config.h"
#include "planner/robot_bodies.h"
#include "planner/robot_control.h"
#include "planner/robot_scene.h"
#include "planner/robot_table.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/random.h"
#include "support/scratch_folder.h"
#include "world/player.h"

class FakeRobotScene : public RobotScene {
public:
    struct Leg {
        int robot;
        int actor;
        float speed;
        float toX, toZ;
        float endHeading;
        int notify;
        int frames;
    };
    struct Character {
        float x = 0.0f, z = 0.0f;
        bool hasFrame = true;
        bool moving = false;
        float startX = 0.0f, startZ = 0.0f, stepX = 0.0f, stepZ = 0.0f;
        int frame = 0, frames = 0;
    };

    Character robots[2];
    float poseX[2] = {0.0f, 0.0f}, poseZ[2] = {0.0f, 0.0f};  // the base frames
    std::vector<Leg> legs;
    int stops[2] = {0, 0};
    bool refuseMoves = false;

    // The motion rows of the robots' characters: 0 and 2 (their positions), 1 and 3 (the
    // demo's walks), 4 and 5 (the debug keys' actors).
    static int RobotOfRow(int row) {
        if (row == 0 || row == 1 || row == 4) return 0;
        if (row == 2 || row == 3 || row == 5) return 1;
        return -1;
    }

    bool PartTranslation(int row, int partOffset, float out[3]) override {
        int robot = RobotOfRow(row);
        if (robot < 0 || !robots[robot].hasFrame) return false;
        if (partOffset == -1) {
            out[0] = poseX[robot], out[1] = 0.0f, out[2] = poseZ[robot];
        } else {  // the character's own frame stands relative to its base frame
            out[0] = robots[robot].x - poseX[robot], out[1] = 0.0f,
            out[2] = robots[robot].z - poseZ[robot];
        }
        return true;
    }

    int StartTurnMove(int actor, const float from[3], const float to[3], float speed, float,
                      float endHeading, int, int notify) override {
        int robot = RobotOfRow(actor);
        float dx = to[0] - from[0], dz = to[2] - from[2];
        float d = std::sqrt(dx * dx + dz * dz);
        if (robot < 0 || refuseMoves || d <= 0.0f || speed <= 0.0f) return -1;
        Character& c = robots[robot];
        float n = d / speed;
        c.moving = true;
        c.frame = 0;
        c.frames = static_cast<int>(n);
        c.startX = from[0], c.startZ = from[2];
        c.stepX = dx / n, c.stepZ = dz / n;
        legs.push_back({robot, actor, speed, to[0], to[2], endHeading, notify, c.frames});
        return c.frames;
    }

    void StopMove(int robot) override {
        robots[robot].moving = false;
        ++stops[robot];
    }

    // The animation objects' step of this pass, before the planner's cycle.
    void Step() {
        for (Character& c : robots) {
            if (!c.moving) continue;
            if (c.frame > c.frames) {
                c.moving = false;
                continue;
            }
            c.x = c.startX + c.frame * c.stepX;
            c.z = c.startZ + c.frame * c.stepZ;
            ++c.frame;
        }
    }
};

class RobotYard : public testing::Test {
protected:
    // Cells of 10 world units; the origin is cell (0, 0).
    static constexpr float CellSize = 10.0f;

    void SetUp() override {
        scratch_.emplace("robot_yard");
        platform::SetHeadless(true);
        platform::SetBoxEcho(false);
        platform::ClearRecordedBoxes();
        platform::UseFakeClock(true, 1000);
        SecondBuild = false;
        PlayerX = PlayerZ = -1000 * 65536;  // far off the yard
        gameScene_ = CurrentRobotScene();
        SetRobotScene(&scene_);
        IdleRobots();
        ResetPlanSettings();
        for (RobotRecord& r : RobotTable) r.heading = 0.0f;
    }
    void TearDown() override {
        SetRobotScene(gameScene_);
        IdleRobots();
        SecondBuild = false;
        platform::UseFakeClock(false);
        scratch_.reset();
        platform::SetBoxEcho(true);
    }

    static void Write(const std::string& name, const std::string& text) {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string Read(const std::string& name) {
        std::ifstream in(name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // A square map of free cells, with the given cells blocked.
    static std::string OpenMap(int size, const std::vector<std::pair<int, int>>& blocked = {}) {
        std::string text = std::to_string(size) + " " + std::to_string(size) + "\n0 0\n10.0\n";
        for (int r = 0; r < size; ++r) {
            for (int c = 0; c < size; ++c) {
                bool wall = false;
                for (auto [br, bc] : blocked) wall = wall || (br == r && bc == c);
                text += wall ? "-1 " : "0 ";
            }
            text += "\n";
        }
        return text;
    }

    // Writes the configuration (the map file named "yard.map") and loads it, then seeds the
    // random generator so that the waits repeat.
    void Load(const std::string& map, const std::string& extra = "", float radius = 3.0f) {
        Write("yard.map", map);
        Write("yard.cfg",
              "int milliseconds_per_cycle = 5;\n"
              "int max_turn_segments = 4;\n"
              "int improved_paths = 2;\n"
              "int DEBUG_KEYS = 1;\n"
              "float all_robots_look_ahead = 10.0;\n"
              "float default_robot_speed = 2.0;\n"
              "float speed_divisor = 1.0;\n"
              "float default_robot_radius = " +
                  std::to_string(radius) +
                  ";\n"
                  "double meters_per_cell = 1.0;\n"
                  "char map_file_name[20] = \"yard.map\";\n" +
                  extra);
        ASSERT_EQ(LoadPlanningMap("yard.cfg"), 1);
        platform::SRand(7);
    }

    void Place(int robot, float x, float z) {
        scene_.robots[robot].x = x;
        scene_.robots[robot].z = z;
    }
    void PlacePlayer(float x, float z) {
        PlayerX = static_cast<int32_t>(x * 65536);
        PlayerZ = static_cast<int32_t>(z * 65536);
    }

    static float Distance(BodyPosition a, BodyPosition b) {
        return std::hypot(a.x - b.x, a.z - b.z);
    }

    // Runs passes of the main loop (the scene's step, then the planner's cycle) until both
    // robots stand at their goals or the passes run out; the closest the two robots came, and
    // the closest robot 0 came to the player.
    struct Run {
        int passes = 0;
        float closestRobots = 1e9f;
        float closestToPlayer = 1e9f;
    };
    Run RunUntilArrived(int maxPasses) {
        Run run;
        while (run.passes < maxPasses && !(RobotTable[0].arrived && RobotTable[1].arrived)) {
            scene_.Step();
            RobotPlannerTick();
            ++run.passes;
            BodyPosition a = GetBodyPosition(0), b = GetBodyPosition(1),
                         p = GetBodyPosition(PLAYER_BODY);
            run.closestRobots = std::min(run.closestRobots, Distance(a, b));
            run.closestToPlayer = std::min(run.closestToPlayer, Distance(a, p));
        }
        return run;
    }

    FakeRobotScene scene_;
    RobotScene* gameScene_ = nullptr;
    std::optional<support::ScratchFolder> scratch_;
};
