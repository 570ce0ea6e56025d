#include "script/stream.h"

#include <cstring>

#include "platform/message_box.h"
#include "script/messages.h"
#include "script/states.h"
#include "script/tokenizer.h"

uint8_t ScriptStream[ScriptStreamSize];
int StreamLength = 0;
int StatementStart = 0;
int StatementsStored = 0;
int RunPosition = 0;
std::string StreamFile;
int CompileLine = 0;

namespace {

// The line on which each record begins, by the record's first block.
int RecordLines[ScriptStreamSize / RecordBlock];

}  // namespace

int AllocScriptStream() {
    std::memset(ScriptStream, 0, sizeof ScriptStream);
    StreamLength = 0;
    StatementStart = 0;
    StatementsStored = 0;
    StreamFile.clear();
    CompileLine = 0;
    return 1;
}

int RecordLine(int offset) {
    return offset >= 0 && offset < StreamLength ? RecordLines[offset / RecordBlock] : 0;
}

size_t MeasureStatement(const uint8_t* encoded, size_t size) {
    const uint8_t* end = encoded + size;
    const uint8_t* p = encoded + 1;
    while (p < end && *p != tag::End) p = SkipToken(p, end);
    return p < end ? static_cast<size_t>(p - encoded) + 1 : 0;
}

int RecordLength(int offset) {
    if (offset < 0 || offset >= StreamLength) return 0;
    int lead = ScriptStream[offset];
    int blocks = lead - (tag::Start - 1);
    if (blocks < 1 || blocks > MaxRecordBlocks) return 0;
    int length = blocks * RecordBlock;
    return offset + length <= StreamLength ? length : 0;
}

void AppendStatement(const uint8_t* encoded, size_t size) {
    StatementStart = StreamLength;
    size_t n = MeasureStatement(encoded, size);
    int blocks = static_cast<int>((n + RecordBlock - 1) / RecordBlock);
    bool fits = n > 0 && blocks <= MaxRecordBlocks && StatementsStored < MaxStatements &&
                StreamLength + blocks * RecordBlock <= ScriptStreamSize;
    if (!fits) {
        platform::MessageBox(MsgExceedScript, CaptionError);
        return;
    }
    uint8_t* record = ScriptStream + StreamLength;
    std::memcpy(record, encoded, n);
    std::memset(record + n, 0, static_cast<size_t>(blocks) * RecordBlock - n);
    record[0] = static_cast<uint8_t>(tag::Start - 1 + blocks);
    RecordLines[StreamLength / RecordBlock] = CompileLine;
    StreamLength += blocks * RecordBlock;
    ++StatementsStored;
    CountStatement(StatementStart, StreamLength);
}
