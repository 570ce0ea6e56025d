// Sizes and tables of the script engine.
#pragma once
#include <cstddef>

// Reading script files.
constexpr int kLineBufferSize = 4096;        // a line holds at most 4095 characters
constexpr int kStatementBufferSize = 10240;  // encoded bytes of one statement being gathered
constexpr int kMaxIdentifierLength = 127;    // letters, digits, '_' and '-'
constexpr int kMaxLiteralLength = 63;        // string literals and the text of a number

// Parsed statements. A word has room for a whole identifier and for a condition group.
constexpr int kMaxWords = 128;
constexpr int kWordSize = 256;  // 255 bytes and a closing NUL
constexpr int kMaxNumbers = 640;

// The compiled stream: records of 64-byte blocks, 1000 ordinary statements at most.
constexpr int kScriptStreamSize = 64000;
constexpr int kRecordBlock = 64;
constexpr int kMaxStatements = 1000;
constexpr int kMaxRecordBlocks = 64;  // a record spans at most 64 blocks (4096 bytes)

// States, step states and variables.
constexpr int kMaxStates = 64;  // record 0 is the placeholder "."
constexpr int kStateNameSize = kMaxIdentifierLength + 1;
constexpr int kMaxStepStates = 100;
constexpr int kMaxStepLines = 100;
constexpr int kMaxVariables = 640;
constexpr int kVariableNameSize = kMaxIdentifierLength + 1;

// Script runs nest (refState, events, a jump into a step state, a new script); beyond this depth
// the run is abandoned.
constexpr int kMaxRunDepth = 256;
// A run from outside (a new script, an event, a key, a resumed wait) that executes this many
// statements without a Wait or an exit is stopped: a loop that never ends must not hang the game.
constexpr int kMaxRunStatements = 1000000;

// The ten script timers; timer 0 also serves Wait.
constexpr int kScriptTimerCount = 10;

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
constexpr int kObjectHotSpot = -99;

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
constexpr int kHotSpotNumbers = 10;       // LHS: at most ten numbers describe a hot spot
constexpr int kSoundFramePairs = 8;       // SetSoundFrame, SetSoundHandle: eight values, -1 unused
constexpr int kSpecialAnimMaxItems = 16;  // SpecialAnim: the item array holds sixteen
constexpr int kLightVector = 3;           // AnimLight, MoveLight: colours and directions

// What TurnToObj turns a character towards.
constexpr int kTurnToCharacter = 6;  // the character of a motion-table row
constexpr int kTurnToCamera = 7;
constexpr int kTurnToHotSpot = 11;
