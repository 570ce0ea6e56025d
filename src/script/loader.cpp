#include "script/loader.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/message_box.h"
#include "script/limits.h"
#include "script/messages.h"
#include "script/parser.h"
#include "script/states.h"
#include "script/tokenizer.h"

namespace {

// The statement being gathered, line by line.
uint8_t StatementBuffer[kStatementBufferSize];

}  // namespace

int LoadScriptFile(const char* fileName) {
    std::FILE* f = platform::OpenFile(fileName, "r");
    if (!f) {
        platform::MessageBox(MsgScriptFileOpenError, CaptionError);
        return 0;
    }
    StepRowCount = 0;
    StepLineCount = 0;

    int c = std::fgetc(f);
    if (c == 0) {
        std::fclose(f);
        platform::MessageBox(MsgFileReadingError, CaptionError);
        return 0;
    }

    char line[kLineBufferSize];
    int lineLength = 0;
    bool lineTooLong = false;
    size_t fill = 0;
    for (; c != EOF && c != 0; c = std::fgetc(f)) {
        if (c == '\r') continue;
        if (c != '\n') {
            if (lineLength < kLineBufferSize - 1) line[lineLength++] = static_cast<char>(c);
            else lineTooLong = true;
            continue;
        }
        if (lineTooLong) {  // the line and the statement it belongs to are refused
            platform::MessageBox(MsgExceedLineSize, CaptionError);
            lineTooLong = false;
            lineLength = 0;
            fill = 0;
            continue;
        }
        if (lineLength == 0) continue;
        line[lineLength] = 0;
        lineLength = 0;
        RunMode = RunModeCompile;
        ParenDropFlag = 0;
        int r = ScanTokens(line, StatementBuffer + fill, sizeof StatementBuffer - fill);
        if (r == kScanComplete) {
            ParseStatement(StatementBuffer, sizeof StatementBuffer);
            fill = 0;
        } else if (r == kScanComment) {
            fill = 0;
        } else if (r == kScanTooLong) {
            platform::MessageBox(MsgExceedTokenSize, CaptionError);
            fill = 0;
        } else if (r == kScanFull) {
            platform::MessageBox(MsgExceedBufferSize, CaptionError);
            std::fclose(f);
            if (OpenStateIndex >= 1) EndState();
            return 0;
        } else {
            fill += static_cast<size_t>(r);
        }
    }
    std::fclose(f);
    if (OpenStateIndex >= 1) EndState();
    return 1;
}
