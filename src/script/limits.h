// Sizes and tables of the script engine.
#pragma once
#include <cstddef>

// Reading script files.
constexpr int MotionLineSize = 4096;        // a line holds at most 4095 characters
constexpr int StatementBufferSize = 10240;  // encoded bytes of one statement being gathered
constexpr int MaxIdentifierLength = 127;    // letters, digits, '_' and '-'
constexpr int MaxLiteralLength = 63;        // string literals and the text of a number

// Parsed statements. A word has room for a whole identifier and for a condition group.
constexpr int MaxWords = 128;
constexpr int WordSize = 256;  // 255 bytes and a closing NUL
constexpr int MaxNumbers = 640;

// The compiled stream: records of 64-byte blocks, 1000 ordinary statements at most.
constexpr int ScriptStreamSize = 64000;
constexpr int RecordBlock = 64;
constexpr int MaxStatements = 1000;
constexpr int MaxRecordBlocks = 64;  // a record spans at most 64 blocks (4096 bytes)

// States, step states and variables.
constexpr int MaxStates = 64;  // record 0 is the placeholder "."
constexpr int StateNameSize = MaxIdentifierLength + 1;
constexpr int MaxStepStates = 100;
constexpr int MaxStepLines = 100;
constexpr int MaxVariables = 640;
constexpr int VariableNameSize = MaxIdentifierLength + 1;

// Script runs nest (refState, events, a jump into a step state, a new script); beyond this depth
// the run is abandoned.
constexpr int MaxRunDepth = 256;
// A run from outside (a new script, an event, a key, a resumed wait) that executes this many
// statements without a Wait or an exit is stopped: a loop that never ends must not hang the game.
constexpr int MaxRunStatements = 1000000;

// The ten script timers; timer 0 also serves Wait.
constexpr int ScriptTimerCount = 10;

// The statement keywords, in the order a statement's first word is compared with them.
enum StatementKeyword : int {
    KeywordState,
    KeywordSetValue,
    KeywordLoadMesh,
    KeywordUnloadMesh,
    KeywordLoadState,
    KeywordGotoState,
    KeywordIf,
    KeywordElse,
    KeywordRefState,
    KeywordSwapTexture,
    KeywordSwapDeco,
    KeywordStepState,
    KeywordInt,
    KeywordWhile,
    KeywordVar,
    KeywordEndif,
    KeywordEndwhile,
    KeywordExit,
    KeywordSetCursor,
    KeywordCheckActiveObj,
    KeywordUpdateDoor,
    KeywordRandomNum,
    KeywordSpriteAnim,
    KeywordCheckActiveCursor,
    KeywordCheckMotionState,
    KeywordUnused,
    KeywordAnimatePalette,
    KeywordCheckTimer,
    KeywordInitTimer,
    KeywordSetTimer,
    KeywordWait,
    KeywordToggleTimer,
    KeywordCheckUpdateState,
    KeywordLoadNewScript,
    KeywordReturnHotSpot,
    KeywordMoveCamera,
    KeywordCheckHotSpot,
    KeywordRotateObj,
    KeywordCount
};

inline constexpr const char* StatementKeywordTable[KeywordCount] = {
    "state",
    "setValue",
    "loadMesh",
    "unloadMesh",
    "loadState",
    "gotoState",
    "if",
    "else",
    "refState",
    "SwapTexture",
    "SwapDeco",
    "stepState",
    "int",
    "while",
    "var",
    "endif",
    "endwhile",
    "exit",
    "SetCursor",
    "CheckActiveObj",
    "UpdateDoor",
    "RandomNum",
    "SpriteAnim",
    "CheckActiveCursor",
    "CheckMotionState",
    "Unused",
    "AnimatePalette",
    "checkTimer",
    "initTimer",
    "setTimer",
    "Wait",
    "toggleTimer",
    "checkUpdateState",
    "LoadNewScript",
    "ReturnHotSpot",
    "MoveCamera",
    "CheckHotSpot",
    "RotateObj",
};

// The names of the states that events run.
inline constexpr const char* EventStateName = "Event";
inline constexpr const char* MotionStateName = "Motion";
inline constexpr const char* HotSpotStateName = "HotSpot";
inline constexpr const char* TimerStateName = "Timer";

// The hot-spot argument with which a finished move raises "HotSpot": its value is the object.
constexpr int ObjectHotSpot = -99;

// The commands, in the order a statement's first word is compared with them. The second build
// names command 10 "StopSound" in place of "DelPathMotion".
enum ScriptCommand : int {
    CommandLoadAnimObj,
    CommandLoadMap,
    CommandLoadSound,
    CommandLoadIcon,
    CommandLoadPath,
    CommandLoadMotion,
    CommandLoadPalette,
    CommandLHS,
    CommandPlaySound,
    CommandAddPathMotion,
    CommandDelPathMotion,
    CommandPlayPathAnim,
    CommandMHS,
    CommandSetCameraPath,
    CommandTurnToObj,
    CommandAddPane,
    CommandSetAnim,
    CommandSpecialAnim,
    CommandSetCamera,
    CommandSetKeyState,
    CommandSetSoundFrame,
    CommandSetSoundHandle,
    CommandLoadPlanningMap,
    CommandAnimLight,
    CommandMoveLight,
    CommandCount
};

inline constexpr const char* CommandTable[CommandCount] = {
    "LoadAnimObj",   "LoadMap",        "LoadSound",       "LoadIcon",
    "LoadPath",      "LoadMotion",     "LoadPalette",     "LHS",
    "PlaySound",     "AddPathMotion",  "DelPathMotion",   "PlayPathAnim",
    "MHS",           "SetCameraPath",  "TurnToObj",       "AddPane",
    "SetAnim",       "SpecialAnim",    "SetCamera",       "SetKeyState",
    "SetSoundFrame", "SetSoundHandle", "LoadPlanningMap", "AnimLight",
    "MoveLight",
};
inline constexpr const char* SecondBuildCommand10 = "StopSound";

// Arguments of the commands that take arrays of numbers.
constexpr int HotSpotNumbers = 10;       // LHS: at most ten numbers describe a hot spot
constexpr int SoundFramePairs = 8;       // SetSoundFrame, SetSoundHandle: eight values, -1 unused
constexpr int SpecialAnimMaxItems = 16;  // SpecialAnim: the item array holds sixteen
constexpr int LightVector = 3;           // AnimLight, MoveLight: colours and directions

// What TurnToObj turns a character towards.
constexpr int TurnToCharacter = 6;  // the character of a motion-table row
constexpr int TurnToCamera = 7;
constexpr int TurnToHotSpot = 11;
