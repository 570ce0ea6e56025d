#include "anim/motion_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "anim/key_frames.h"
#include "anim/messages.h"
#include "anim/parts.h"
#include "anim/paths.h"
#include "platform/message_box.h"
#include "platform/rm_math.h"

MotionLinkNode MotionLink[MaxMotionLinks];
int NextMotionLink = 1;
int CurrentMotionLink = 0;
int MotionLevel = 1;
int MotionLevelStack[MaxMotionLevels];

MotionTableEntry MotionTable[MaxMotionRows];
int MotionCount = 0;
int CurrentMotion = 0;
int MotionFirstLink = 1;
int CurrentMotionFrame = 0;
int PreviousMotion = -1;

uint8_t KeyFrameBuffer[KeyFrameBufferSize];
int KeyWriteOffset = 0;

namespace {

void Report(const char* text) { platform::MessageBox(text, AnimCaptionError); }

void CopyName(char (&to)[AnimNameSize], const char* from) {
    std::strncpy(to, from, AnimNameSize - 1);
    to[AnimNameSize - 1] = 0;
}

// Key blocks are written byte by byte, little-endian.
class KeyWriter {
public:
    explicit KeyWriter(int offset) : at_(offset) {}
    void U16(uint16_t v) {
        KeyFrameBuffer[at_++] = static_cast<uint8_t>(v);
        KeyFrameBuffer[at_++] = static_cast<uint8_t>(v >> 8);
    }
    void Float(float f) {
        uint32_t u;
        std::memcpy(&u, &f, 4);
        for (int i = 0; i < 4; ++i) KeyFrameBuffer[at_++] = static_cast<uint8_t>(u >> (8 * i));
    }
    int End() const { return at_; }

private:
    int at_;
};

// A key time: truncated towards zero, the low 16 bits kept.
int16_t KeyTime(float f) {
    if (std::isnan(f)) return 0;
    const double d = std::clamp(static_cast<double>(f), -2147483648.0, 2147483647.0);
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(d) & 0xFFFF));
}

}  // namespace

int MotionLevelFromBraces(int braceDepth) {
    const int level = braceDepth / 2;
    if (level > DeepestMotionLevel) Report(MsgExceedMotionLevels);
    return std::clamp(level, 1, DeepestMotionLevel);
}

bool MotionLinkUsable(int link) {
    return link >= 1 && link < MaxMotionLinks - 1 && link < NextMotionLink;
}

void SetMotionYaw(int row, float radians) {
    const platform::RmVector up{0.0f, 1.0f, 0.0f};
    platform::RmQuaternion q;
    platform::RmQuaternionFromRotation(&q, &up, radians);
    float* o = MotionTable[row].extraOrientation;
    o[0] = q.s;
    o[1] = q.v.x;
    o[2] = q.v.y;
    o[3] = q.v.z;
}

bool MotionRowUsable(int row) {
    return row >= 0 && row < MotionCount && row < MaxMotionRows &&
           MotionLinkUsable(MotionTable[row].firstLink);
}

void MotionLinkTreeOp(int op, MotionLinkNode* node, MotionLinkNode* other) {
    if (op == LinkClear) {
        if (!other) node->parent = node->nextSibling = node->firstChild = nullptr;
    } else if (op == LinkAttach) {
        node->parent = other;
        node->nextSibling = nullptr;
        MotionLinkNode** slot = &other->firstChild;
        while (*slot) slot = &(*slot)->nextSibling;
        *slot = node;
    }
}

void ResetMotionLinks() {
    for (int i = 0; i < MaxMotionLinks; ++i) {
        MotionLinkTreeOp(LinkClear, &MotionLink[i], nullptr);
        MotionLink[i].keyCount = 0;
        MotionLink[i].index = static_cast<int16_t>(i);
    }
    CopyName(MotionLink[0].name, ".");
    std::fill(std::begin(MotionLevelStack), std::end(MotionLevelStack), 0);
    MotionCount = 0;
    CurrentMotion = 0;
    NextMotionLink = 1;
    CurrentMotionLink = 0;
    MotionLevel = 1;
}

int AddMotionLink(const char* name) {
    const int i = NextMotionLink;
    if (i + 1 >= MaxMotionLinks) {
        // The counter stays raised, so every later link is refused too; key statements meant
        // for this link store nothing rather than landing on another one.
        NextMotionLink = MaxMotionLinks;
        CurrentMotionLink = -1;
        Report(MsgExceedMotionLink);
        return -1;
    }
    NextMotionLink = i + 1;
    MotionLinkNode& node = MotionLink[i];
    MotionLinkTreeOp(LinkClear, &node, nullptr);
    node.index = static_cast<int16_t>(i);
    node.part = static_cast<int16_t>(CurrentPartIndex);
    node.keyCount = 0;
    node.keyOffset = 0;
    node.current[0] = 1.0f;
    node.current[1] = node.current[2] = node.current[3] = 0.0f;
    const int level = std::clamp(MotionLevel, 1, DeepestMotionLevel);
    MotionLinkTreeOp(LinkAttach, &node, &MotionLink[MotionLevelStack[level - 1]]);
    CopyName(node.name, name);
    MotionLevelStack[level] = i;
    CurrentMotionLink = i;
    return i;
}

int AddMotionTableEntry(const char* name) {
    int found = -1;
    for (int r = 0; r < MotionCount && found < 0; ++r) {
        if (MotionRowUsable(r) && std::strcmp(MotionLink[MotionTable[r].firstLink].name, name) == 0)
            found = r;
    }
    if (found < 0) {
        Report(MsgMotionObjectMissing);
        return -1;
    }
    // Tested before anything is written: the last row of the table is never handed out here.
    if (MotionCount + 1 >= MaxMotionRows) {
        Report(MsgExceedMotionTable);
        return -1;
    }
    const int row = MotionCount++;
    CurrentMotion = row;
    MotionTableEntry& entry = MotionTable[row];
    entry = MotionTableEntry{};
    entry.firstLink = static_cast<int16_t>(NextMotionLink);
    entry.animObj = MotionTable[found].animObj;
    entry.extraOrientation[0] = 1.0f;
    MotionFirstLink = NextMotionLink;
    CurrentPartIndex = MotionLink[MotionTable[found].firstLink].part;
    AddMotionLink(name);
    ++CurrentPartIndex;
    if (MotionLinkNode* first = MotionLink[0].firstChild) first->nextSibling = nullptr;
    return row;
}

int FindMotionLink(const char* name) {
    const int end = std::min(NextMotionLink, MaxMotionLinks - 1);
    for (int i = std::max(MotionFirstLink, 1); i < end; ++i) {
        if (std::strcmp(MotionLink[i].name, name) == 0) return i;
    }
    return -1;
}

void StoreMotionKeys(int link, const float* numbers, int n) {
    if (!MotionLinkUsable(link)) return;
    MotionLinkNode& node = MotionLink[link];
    if (n <= 0) {
        node.keyCount = 0;
        return;
    }
    const int k = n / 5;
    if (KeyWriteOffset + MotionKeyBlockSize(k) >= KeyFrameBufferSize) {
        node.keyCount = 0;
        Report(MsgExceedMotionKeys);
        return;
    }
    node.keyOffset = KeyWriteOffset;
    node.keyCount = static_cast<int16_t>(k);
    const bool rowInHand = CurrentMotion >= 0 && CurrentMotion < MotionCount;
    KeyWriter out(KeyWriteOffset);
    out.U16(static_cast<uint16_t>(k));
    for (int i = 0; i < k; ++i) {
        const int16_t time = KeyTime(numbers[5 * i]);
        out.U16(static_cast<uint16_t>(time));
        if (rowInHand && time > MotionTable[CurrentMotion].frameCount)
            MotionTable[CurrentMotion].frameCount = time;
    }
    for (int i = 0; i < k; ++i) {
        for (int c = 1; c <= 4; ++c) out.Float(numbers[5 * i + c]);
    }
    KeyWriteOffset = out.End();
}

void StorePathKeys(int path, const float* numbers, int n, int type) {
    if (path < 0 || path >= MaxPaths || n <= 0) return;
    if (type != PathRotationKeys && type != PathPositionKeys) return;
    const int per = type == PathRotationKeys ? 5 : 4;
    const int k = n / per;
    if (KeyWriteOffset + PathKeyBlockSize(k, type) >= KeyFrameBufferSize) {
        Report(MsgExceedPathKeys);
        return;
    }
    PathRecord& record = Path[path];
    if (type == PathRotationKeys) {
        record.rotCount = static_cast<int16_t>(k);
        record.keyOffset = KeyWriteOffset;
    } else {
        record.posCount = static_cast<int16_t>(k);
        if (record.rotCount == 0) record.keyOffset = KeyWriteOffset;
    }
    KeyWriter out(KeyWriteOffset);
    out.U16(static_cast<uint16_t>(k));
    out.U16(static_cast<uint16_t>(type));
    for (int i = 0; i < k; ++i) {
        const int16_t time = KeyTime(numbers[per * i]);
        out.U16(static_cast<uint16_t>(time));
        PathMaxTime = std::max<int>(PathMaxTime, time);
    }
    for (int i = 0; i < k; ++i) {
        for (int c = 1; c < per; ++c) out.Float(numbers[per * i + c]);
    }
    KeyWriteOffset = out.End();
}

int TruncateMotionTable(int from) {
    if (from < 0 || from > MotionCount) return 0;
    for (int row = from; row < MotionCount; ++row) {
        if (MotionRowUsable(row)) WalkFromTop(&MotionLink[MotionTable[row].firstLink], WalkRelease);
    }
    MotionCount = from;
    CurrentMotion = from;
    for (int i = 1; i < MaxMotionLinks; ++i) {
        MotionLinkTreeOp(LinkClear, &MotionLink[i], nullptr);
        MotionLink[i].keyCount = 0;
    }
    MotionLink[0].firstChild = nullptr;
    // Every link is given out again from 1: no level may keep naming one as its parent.
    std::fill(std::begin(MotionLevelStack), std::end(MotionLevelStack), 0);
    NextMotionLink = 1;
    CurrentMotionLink = 0;
    MotionLevel = 1;
    ResetParts();
    KeyWriteOffset = 0;
    CurrentMotionFrame = 0;
    return 1;
}
