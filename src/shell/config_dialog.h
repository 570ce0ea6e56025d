// The configuration dialog shown at every start: the puzzle to play, chosen from the ".scp"
// files of the working folder, and full screen or a window. The display modes and 3D drivers
// are listed for information only.
#pragma once
#include <cstdint>
#include <string>

#include "platform/dialog_window.h"
#include "platform/window.h"
#include "shell/limits.h"

// Control ids.
constexpr int PuzzleListId = 1003;
constexpr int DisplayModeListId = 1005;
constexpr int DriverListId = 1007;
constexpr int FullScreenButtonId = 1011;
constexpr int WindowsButtonId = 1012;

// The script chosen with OK; empty until then.
extern char ScriptFileName[ScriptFileNameSize];
// The script files found, in the order found; puzzle-list row i shows record i, name whole.
extern std::string ScriptFileList[MaxScriptFiles];
extern int ScriptFileCount;
// 1 full screen, 2 window; 2 when the dialog opens.
extern int32_t DisplayChoice;

// The dialog: title, controls and layout in dialog units.
const platform::DialogTemplate& ConfigurationDialogTemplate();

// The dialog procedure. OK sets FullScreen and WasFullScreen to opposite values for the chosen
// display (so that the next display-mode change makes it) and takes the selected script;
// CANCEL ends the program.
intptr_t ConfigurationDialogProc(platform::Hwnd dialog, uint32_t message, platform::WParam wParam,
                                 platform::LParam lParam);
