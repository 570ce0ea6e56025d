// The tokenizer of the script language: turns one line of text into encoded tokens and gathers
// lines into statements. The motion-file readers use it too, line by line, with BraceDepth.
//
// An encoded statement is a run of tokens, each a one-byte tag and its payload:
//   '@' first byte, and between the tokens of two lines of one statement
//   'S' string literal, 'Y' identifier, 'U' declared variable: the characters and a NUL
//   'C' one character; 'I' int32, 'J' int32 written with an l/L suffix, 'F' float32 (little-endian)
//   two-character operators as one code: n != , a && , p ++ , L << , l <= , q == , R >> , g >= , o
//   || one-character operators and punctuation as themselves; '\' ends a complete statement.
#pragma once
#include <cstddef>
#include <cstdint>

namespace tag {
constexpr uint8_t Start = '@';
constexpr uint8_t String = 'S';
constexpr uint8_t Char = 'C';
constexpr uint8_t Int = 'I';
constexpr uint8_t Long = 'J';
constexpr uint8_t Float = 'F';
constexpr uint8_t Variable = 'U';
constexpr uint8_t Name = 'Y';
constexpr uint8_t End = '\\';
}  // namespace tag

// Results of ScanTokens besides the count of bytes a line added.
constexpr int ScanComplete = 0;     // the line completed the statement ('\' and '@' written)
constexpr int ScanComment = -1;     // the line holds a "//" comment: drop the statement
constexpr int ScanTooLong = -2;     // an identifier or literal is longer than the tokenizer holds
constexpr int ScanFull = -3;        // the statement does not fit in the room given
constexpr int ScanOutOfRange = -4;  // a number lies beyond the float range
constexpr int ScanGoesOn = 1;       // PassOverTokens: the statement goes on over the next line

// "{" adds 1 and "}" subtracts 1, in the tokenizer and again in the parser.
extern int BraceDepth;
// While 1, "(" and ")" are not written (a command's argument list).
extern int ParenDropFlag;

// Tokenizes one NUL-closed line into `out`, which has `room` bytes. Writes nothing past them.
// A line refused (ScanTooLong, ScanOutOfRange, ScanFull) leaves BraceDepth as it found it.
int ScanTokens(const char* line, uint8_t* out, size_t room);

// Reads a line of a statement that is being dropped, as ScanTokens would, without writing or
// counting anything: ScanComplete when the line ends the statement, ScanComment when it holds a
// "//" comment, ScanGoesOn when the statement goes on.
int PassOverTokens(const char* line);

// What scanning a literal came to: written, or refused, and why.
enum class Literal { Written, TooLong, OutOfRange, NoRoom };

// Scan one literal at the cursor, writing its tag and payload; both pointers advance when it is
// written. Refused when the literal's text is too long, its value lies beyond the float range, or
// the output has no room.
Literal ScanIntLiteral(const char*& cursor, uint8_t*& write, const uint8_t* writeEnd);
Literal ScanFloatLiteral(const char*& cursor, uint8_t*& write, const uint8_t* writeEnd);

int IsCharInSet(char c, const char* set);

// The byte after the token starting at `p` (its tag and payload), never beyond `end`.
const uint8_t* SkipToken(const uint8_t* p, const uint8_t* end);
