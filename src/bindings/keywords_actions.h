// The actions of the statement keywords that reach the rest of the game, and the small back-ends
// that belong to the script engine itself. Each keyword takes its numbers from the statement that
// runs; a number the statement does not give reads 0.
#pragma once

struct ParsedStatement;

// Where the script engine hands the keywords that act on other parts of the game (doors,
// cursors, timers, palettes, camera, hot spots...), through the handler table of
// base/handlers.h; value-returning keywords set ReturnValue.
void ExecKeyword(int keyword, const ParsedStatement& statement);

// rand() modulo n: 0 to n - 1 for a positive n, 0 for a range of 0.
int RandomNum(int n);
// The id of the last left click; nothing clicked (-1) is given as 99.
int GetClickedId();
// Sets palette entries first .. first + count - 1 on the back buffer, then on the screen, one
// after the other, so that the last stays in force. Entries outside the table or never loaded
// are passed over.
void AnimatePalette(int first, int count);
// The motion-table row of the character the current mover channel moved, when a move has ended
// since the last call (which clears the flag); -1 when none has, or for the camera.
int CheckUpdateState();
// Turns the character of animation object `entry` by yawDegrees about the vertical axis
// (kind 6 only, an entry that plays a motion of its own); 1, else 0. a and b are not used.
int RotateAnimObj(int kind, int entry, int a, float yawDegrees, int b);
