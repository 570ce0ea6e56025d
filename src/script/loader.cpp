#include "script/loader.h"

#include "platform/files.h"
#include "platform/message_box.h"
#include "script/messages.h"
#include "script/parser.h"
#include "script/states.h"
#include "script/stream.h"
#include "script/tokenizer.h"

namespace {

// The statement being gathered, line by line.
uint8_t StatementBuffer[StatementBufferSize];

}  // namespace

int ReadScriptLine(std::FILE* f, char (&line)[MotionLineSize]) {
    int length = 0;
    bool tooLong = false;
    int c;
    while ((c = std::fgetc(f)) != EOF && c != 0 && c != '\n') {
        if (c == '\r') continue;
        if (length < MotionLineSize - 1)
            line[length++] = static_cast<char>(c);
        else
            tooLong = true;
    }
    line[length] = 0;
    if (c == 0) std::ungetc(c, f);                 // the NUL stays the end for the next call
    if (c != '\n' && length == 0) return LineEnd;  // else a last line without its line feed
    return tooLong ? LineTooLong : LineRead;
}

int LoadScriptFile(const char* fileName) {
    // The boxes of the compile name the file and the line on which the statement begins.
    platform::BoxPlace place(fileName, platform::BoxPlace::Anew);
    StreamFile = fileName;
    std::FILE* f = platform::OpenTextFile(fileName);
    if (!f) {
        platform::MessageBox(MsgScriptFileOpenError, CaptionError);
        return 0;
    }
    StepRowCount = 0;
    StepLineCount = 0;

    int first = std::fgetc(f);
    if (first == 0) {
        std::fclose(f);
        platform::MessageBox(MsgFileReadingError, CaptionError);
        return 0;
    }
    if (first != EOF) std::ungetc(first, f);

    char line[MotionLineSize];
    size_t fill = 0;
    int result = 1;
    int lineNumber = 0;
    bool dropping = false;  // passing over the rest of a statement refused for a token
    for (int read; (read = ReadScriptLine(f, line)) != LineEnd;) {
        ++lineNumber;
        if (dropping) {  // passed over up to the statement's end, without a box of their own
            dropping = PassOverTokens(line) == ScanGoesOn;
            continue;
        }
        if (fill == 0) CompileLine = lineNumber;  // a statement begins on this line
        place.SetLine(lineNumber);
        if (read == LineTooLong) {  // the line and the statement it belongs to are refused
            platform::MessageBox(MsgExceedLineSize, CaptionError);
            fill = 0;
            continue;
        }
        if (line[0] == 0) continue;
        RunMode = RunModeCompile;
        ParenDropFlag = 0;
        int r = ScanTokens(line, StatementBuffer + fill, sizeof StatementBuffer - fill);
        if (r == ScanComplete) {
            place.SetLine(CompileLine);
            ParseStatement(StatementBuffer, sizeof StatementBuffer);
            fill = 0;
        } else if (r == ScanComment) {
            fill = 0;
        } else if (r == ScanTooLong || r == ScanOutOfRange) {
            // The whole statement is dropped, its remaining lines too, and the file read on.
            platform::MessageBox(r == ScanTooLong ? MsgExceedTokenSize : MsgNumberOutOfRange,
                                 CaptionError);
            fill = 0;
            dropping = PassOverTokens(line) == ScanGoesOn;
        } else if (r == ScanFull) {
            place.SetLine(CompileLine);
            platform::MessageBox(MsgExceedBufferSize, CaptionError);
            result = 0;
            break;
        } else {
            fill += static_cast<size_t>(r);
        }
    }
    std::fclose(f);
    if (OpenStateIndex >= 1) EndState();  // the file's last state
    return result;
}
