#include "bindings/commands.h"

#include <cstring>
#include <string>

#include "anim/anim_objects.h"
#include "anim/hot_spots.h"
#include "anim/motion_files.h"
#include "anim/path_motion.h"
#include "anim/paths.h"
#include "anim/scene_lights.h"
#include "anim/special_anims.h"
#include "base/build_variant.h"
#include "bindings/camera_commands.h"
#include "planner/robot_control.h"
#include "script/limits.h"
#include "script/parser.h"
#include "shell/bmp_surface.h"
#include "shell/direct_x.h"
#include "shell/display_modes.h"
#include "shell/keyboard.h"
#include "shell/overlays.h"
#include "shell/sound.h"
#include "world/level_reader.h"

int FindCommand(const char* word) {
    for (int i = 0; i < CommandCount; ++i) {
        const char* name = CommandTable[i];
        if (i == CommandDelPathMotion && SecondBuild) name = SecondBuildCommand10;
        if (std::strcmp(word, name) == 0) return i;
    }
    return -1;
}

void NumbersFrom(const ParsedStatement& statement, int k, float* out, int n, float missing) {
    for (int i = 0; i < n; ++i)
        out[i] = k + i < statement.NumberCount ? FloatArg(statement, k + i) : missing;
}

void IntsFrom(const ParsedStatement& statement, int k, int* out, int n, int missing) {
    for (int i = 0; i < n; ++i)
        out[i] = k + i < statement.NumberCount ? IntArg(statement, k + i) : missing;
}

int LoadPalette(const char* fileName) {
    std::strncpy(PaletteFileName, fileName, sizeof PaletteFileName - 1);
    PaletteFileName[sizeof PaletteFileName - 1] = '\0';
    ApplyDisplayMode();
    return 1;
}

namespace {

// Word 1, copied: a back-end that reads a file of statements overwrites the parsed statement.
std::string NameArg(const ParsedStatement& s) {
    Parsed.TokenCount = 1;
    return WordArg(s, 1);
}

void LoadAnimObjCommand(const ParsedStatement& s) {
    float numbers[5];
    NumbersFrom(s, 0, numbers, 5);
    int count = s.NumberCount;
    std::string name = NameArg(s);
    LoadAnimObj(name.c_str(), numbers, count);
}

void PlayPathAnim(int path) {
    int frames = PathFrameCount(path);
    if (frames >= 0) AddAnimObject(path, frames, 5, 0);
}

}  // namespace

int SpecialAnimItems(const ParsedStatement& s, int* items) {
    int count = IntArg(s, 1);
    if (count < 0) count = 0;
    if (count > SpecialAnimMaxItems) count = SpecialAnimMaxItems;
    IntsFrom(s, 2, items, count);
    for (int i = count; i < SpecialAnimMaxItems; ++i) items[i] = 0;
    return count;
}

int ExecCommand(const ParsedStatement& s) {
    int command = FindCommand(WordArg(s, 0));
    switch (command) {
        case CommandLoadAnimObj: LoadAnimObjCommand(s); break;
        case CommandLoadMap: LoadLevel(NameArg(s).c_str()); break;
        case CommandLoadSound: LoadSound(NameArg(s)); break;
        case CommandLoadIcon: {
            std::string name = NameArg(s);
            AddOverlay(name.c_str(), IntArg(s, 0), IntArg(s, 1), IntArg(s, 2), IntArg(s, 3));
            break;
        }
        case CommandLoadPath: LoadPath(NameArg(s).c_str()); break;
        case CommandLoadMotion: LoadMotion(NameArg(s).c_str()); break;
        case CommandLoadPalette: LoadPalette(NameArg(s).c_str()); break;
        case CommandLHS: {
            float numbers[HotSpotNumbers];
            NumbersFrom(s, 0, numbers, HotSpotNumbers);
            AddHotSpot(numbers, s.NumberCount);
            break;
        }
        case CommandPlaySound: PlaySound(IntArg(s, 0), IntArg(s, 1)); break;
        case CommandAddPathMotion: AddPathMotion(IntArg(s, 0), IntArg(s, 1)); break;
        case CommandDelPathMotion:
            if (SecondBuild)
                StopSound(IntArg(s, 0));
            else
                DelPathMotion(IntArg(s, 0), IntArg(s, 1));
            break;
        case CommandPlayPathAnim: PlayPathAnim(IntArg(s, 0)); break;
        case CommandMHS:
            MoveToHotSpot(IntArg(s, 0), IntArg(s, 1), IntArg(s, 2), FloatArg(s, 3), IntArg(s, 4));
            break;
        case CommandSetCameraPath:
            SetCameraPath(IntArg(s, 0), IntArg(s, 1), FloatArg(s, 2), IntArg(s, 3));
            break;
        case CommandTurnToObj:
            TurnToObj(IntArg(s, 0), IntArg(s, 1), IntArg(s, 2), IntArg(s, 3));
            break;
        case CommandAddPane:
            AddPane(IntArg(s, 0), IntArg(s, 1), IntArg(s, 2), IntArg(s, 3), IntArg(s, 4));
            break;
        case CommandSetAnim: SetAnim(IntArg(s, 0), IntArg(s, 1), IntArg(s, 2)); break;
        case CommandSpecialAnim: {
            int items[SpecialAnimMaxItems];
            int count = SpecialAnimItems(s, items);
            SpecialAnim(IntArg(s, 0), count, items);
            break;
        }
        case CommandSetCamera:
            SetCamera(IntArg(s, 0), FloatArg(s, 1), FloatArg(s, 2), FloatArg(s, 3), FloatArg(s, 4),
                      FloatArg(s, 5));
            break;
        case CommandSetKeyState: {
            int key = IntArg(s, 0);
            SetKeyState(key, NameArg(s).c_str());
            break;
        }
        case CommandSetSoundFrame:
        case CommandSetSoundHandle: {
            int values[SoundFramePairs];
            IntsFrom(s, 0, values, SoundFramePairs, -1);
            if (command == CommandSetSoundFrame)
                SetSoundFrame(values);
            else
                SetSoundHandle(values);
            break;
        }
        case CommandLoadPlanningMap: LoadPlanningMap(NameArg(s).c_str()); break;
        case CommandAnimLight: {
            float target[LightVector];
            NumbersFrom(s, 2, target, LightVector);
            AnimLight(IntArg(s, 0), IntArg(s, 1), target);
            break;
        }
        case CommandMoveLight: {
            float up[LightVector], direction[LightVector];
            NumbersFrom(s, 1, up, LightVector);
            NumbersFrom(s, 4, direction, LightVector);
            MoveLight(IntArg(s, 0), up, direction);
            break;
        }
        default: return 0;
    }
    return 1;
}
