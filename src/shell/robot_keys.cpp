// The robots' debug keys, working while the planner's settings switch them on: O or F chooses
// robot 0 or 1, then either two numbers (x, then z, each ended by Space) send it to that point,
// or H, a hot-spot number and Space send it to the hot spot.
#include "shell/robot_keys.h"

#include <cstdlib>

#include "anim/hot_spots.h"
#include "planner/robot_control.h"
#include "platform/win_constants.h"

int32_t DebugEntryState = 0;
int32_t DebugRobot = 0;
int32_t DebugTextLength = 0;
char DebugTextX[DebugTextSize];
char DebugTextZ[DebugTextSize];

namespace {

// Adds a character to the text being typed; characters past its buffer are dropped.
void Append(char* text, char c) {
    if (DebugTextLength < DebugTextSize - 1) {
        text[DebugTextLength++] = c;
        text[DebugTextLength] = '\0';
    }
}

void EndText(char* text) {
    text[DebugTextLength] = '\0';
    DebugTextLength = 0;
}

void Reset() {
    DebugTextLength = 0;
    DebugEntryState = DebugIdle;
}

// The number keys of the point entry: digits, '.' and '-'; false for any other key.
bool TypeNumberKey(char* text, int key) {
    if (key >= '0' && key <= '9') {
        Append(text, static_cast<char>(key));
    } else if (key == platform::VK_OEM_PERIOD) {
        Append(text, '.');
    } else if (key == platform::VK_OEM_MINUS) {
        Append(text, '-');
    } else {
        return false;
    }
    return true;
}

}  // namespace

int RobotDebugSendTo(int robot, float x, float z) { return SendRobotTo(robot, x, z); }

int RobotDebugSendToHotSpot(int robot, int n) {
    return MoveToHotSpot(HotSpotPlannerMode, robot + DebugActorBase, n, DebugHotSpotSpeed, robot);
}

int HandleRobotDebugKey(int key) {
    if (!RobotDebugKeysOn()) {
        return 0;
    }
    switch (DebugEntryState) {
        case DebugIdle:
            if (key != 'F' && key != 'O') {
                return 0;
            }
            DebugRobot = key == 'F' ? 1 : 0;
            DebugTextLength = 0;
            DebugEntryState = DebugFirstNumber;
            return 1;
        case DebugFirstNumber:
            if (key == 'H') {
                DebugEntryState = DebugHotSpotNumber;
                return 1;
            }
            if (key == platform::VK_SPACE) {
                EndText(DebugTextX);
                DebugEntryState = DebugSecondNumber;
                return 1;
            }
            if (TypeNumberKey(DebugTextX, key)) {
                return 1;
            }
            Reset();
            return 0;
        case DebugSecondNumber:
            if (key == platform::VK_SPACE) {
                EndText(DebugTextZ);
                DebugEntryState = DebugIdle;
                RobotDebugSendTo(DebugRobot, static_cast<float>(std::atof(DebugTextX)),
                                 static_cast<float>(std::atof(DebugTextZ)));
                return 1;
            }
            if (TypeNumberKey(DebugTextZ, key)) {
                return 1;
            }
            Reset();
            return 0;
        case DebugHotSpotNumber:
            if (key == platform::VK_SPACE) {
                EndText(DebugTextX);
                DebugEntryState = DebugIdle;
                RobotDebugSendToHotSpot(DebugRobot, std::atoi(DebugTextX));
                return 1;
            }
            if (key >= '0' && key <= '9') {
                Append(DebugTextX, static_cast<char>(key));
                return 1;
            }
            Reset();
            return 0;
        default: Reset(); return 0;
    }
}
