// The command dispatcher: a statement whose first word is no keyword is a command, run with the
// statement's words and numbers. A number the statement does not give reads 0 (the sound-frame
// arrays read -1 for theirs).
#pragma once

struct ParsedStatement;

// Where the script engine hands every statement whose first word is no keyword (through the
// handler table of base/handlers.h): 1 when the first word named a command.
int ExecCommand(const ParsedStatement& statement);

// The index of the command a word names in the running build, or -1.
int FindCommand(const char* word);

// Copies numbers k .. k + n - 1 of the statement into out; those it does not give read `missing`.
void NumbersFrom(const ParsedStatement& statement, int k, float* out, int n, float missing = 0.0f);
// The same as integers truncated towards zero.
void IntsFrom(const ParsedStatement& statement, int k, int* out, int n, int missing = 0);

// SpecialAnim's items: count N1 (kept within 0..16) and the numbers after it, the places past
// the count 0. Returns the count.
int SpecialAnimItems(const ParsedStatement& statement, int* items);

// Makes the file the display palette's and applies the display mode again. Always 1.
int LoadPalette(const char* fileName);
