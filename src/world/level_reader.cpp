// The level file: the world scale, the player's start and the cube files of the level.
#include "world/level_reader.h"

#include <cfloat>
#include <climits>
#include <sstream>
#include <string>
#include <vector>

#include "base/report_error.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "world/camera_height.h"
#include "world/cube.h"
#include "world/cube_reader.h"
#include "world/messages.h"
#include "world/player.h"
#include "world/read_words.h"
#include "world/room.h"
#include "world/room_nodes.h"

namespace {

int Fail(const char* message) {
    ReportError("%s", message);
    QuitAppAfterFault();
    return 0;
}

int16_t FloorClass(const Cube& cube) {
    bool allLow = true, allMiddle = true;
    for (int k = 0; k < 4; ++k) {
        const FixedVector& c = cube.Bottom(k);
        if (c.y == DeepFloorY) {
            return 2;
        }
        allLow = allLow && c.y == LowFloorY && c.z >= LowFloorMinZ;
        allMiddle = allMiddle && c.y == MiddleFloorY;
    }
    return allLow ? 2 : allMiddle ? 1 : 0;
}

// Turns the vertical connections read from the files into links, then finds side neighbours,
// exits and the rooms behind them. False when a room has too many exits (reported, naming the
// room's cube file).
bool LinkLevel(const std::vector<std::string>& roomFiles) {
    for (int i = 0; i < CubeCount; ++i) {
        for (int j = 0; j < 2; ++j) {
            const int target = PendingVerticalLinks[i][j];
            Cubes[i]->link[CeilingSlot + j] =
                target >= 0 && target < CubeCount ? Cubes[target] : nullptr;
        }
    }
    for (int i = 0; i < CubeCount; ++i) {
        Cubes[i]->LinkNeighbours();
    }
    for (int i = 0; i < RoomCount; ++i) {
        const platform::BoxPlace place(i < static_cast<int>(roomFiles.size()) ? roomFiles[i] : "",
                                       platform::BoxPlace::GoOn);
        if (!Rooms[i]->FindExits()) {
            return false;
        }
    }
    for (int i = 0; i < RoomCount; ++i) {
        Rooms[i]->LinkRooms();
    }
    return true;
}

}  // namespace

int LoadLevel(const char* path) {
    // Boxes name the level file, and the line being read.
    platform::BoxPlace place(path, platform::BoxPlace::Anew);
    std::string text;
    if (!platform::ReadTextFile(path, text)) {
        return Fail(OpenLevelFailedText);
    }
    std::istringstream in(text);
    bool startRead = false;
    int startLine = 0;
    std::vector<std::string> roomFiles;
    std::string line;
    for (int lineNumber = 1; ReadLine(in, line); ++lineNumber) {
        place.SetLine(lineNumber);
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first.empty() || first[0] == '/') {
            continue;
        }
        if (startRead) {
            roomFiles.push_back(first);
            if (!LoadCubeFile(first.c_str())) {
                return 0;
            }
            continue;
        }
        std::string x, eye, z, heading;
        words >> x >> eye >> z >> heading;
        // A scale that is not a positive float, and a position or height that is not finite or
        // lies outside Fixed16, would make a world of no size or of undefined numbers.
        const double scale = WordToNumber(first);
        const double startX = WordToNumber(x), eyeHeight = WordToNumber(eye),
                     startZ = WordToNumber(z);
        if (heading.empty() || !(scale > 0.0 && scale <= FLT_MAX) || !FileNumberFits(startX) ||
            !FileNumberFits(eyeHeight) || !FileNumberFits(startZ)) {
            return Fail(SyntaxErrorText);
        }
        WorldScale = static_cast<float>(scale);
        PlayerX = FileNumberToFixed(startX);
        EyeHeight = FileNumberToFixed(eyeHeight);
        PlayerZ = FileNumberToFixed(startZ);
        PlayerY = INT32_MIN;  // the lowest height: the eye is put on the floor below
        PlayerHeading = static_cast<Angle16>(WordToInt(heading));
        startRead = true;
        startLine = lineNumber;
    }
    place.SetLine(0);
    // An empty file, or one with only its start line, has nowhere to put the player.
    if (CubeCount == 0) {
        ReportError(LevelWithoutCubesText, path);
        QuitAppAfterFault();
        return 0;
    }
    if (!LinkLevel(roomFiles)) {
        return 0;
    }
    CurrentCube = FindCubeAt(PlayerX, PlayerZ);
    if (!CurrentCube) {
        place.SetLine(startLine);
        return Fail(PlayerOutsideText);
    }
    for (int i = 0; i < CubeCount; ++i) {
        Cubes[i]->floorClass = FloorClass(*Cubes[i]);
    }
    UpdateCameraHeight(CurrentCube);
    BuildRoomNodes(RoomCount);
    return 1;
}
