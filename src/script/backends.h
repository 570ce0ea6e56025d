// Where the script engine hands statements to the rest of the game. The keywords that act on
// other parts of the game (doors, cursors, timers, palettes, camera, hot spots...) reach
// ExecKeyword; every statement whose first word is no keyword reaches ExecCommand. Both take
// their arguments from the parsed statement; value-returning keywords set ReturnValue. The
// bindings (src/bindings) define them, and the engine reaches them through the handler table
// (base/handlers.h).
#pragma once

struct ParsedStatement;

void ExecKeyword(int keyword, const ParsedStatement& statement);
int ExecCommand(const ParsedStatement& statement);  // 1 when the first word named a command
