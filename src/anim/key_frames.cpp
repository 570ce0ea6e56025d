#include "anim/key_frames.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "anim/anim_objects.h"
#include "anim/messages.h"
#include "anim/parts.h"
#include "platform/message_box.h"
#include "platform/rm_math.h"
#include "script/events.h"

namespace {

bool Readable(int offset, int size) {
    return offset >= 0 && size >= 0 && offset + size <= KeyWriteOffset;
}

}  // namespace

int16_t KeyInt16(int offset) {
    if (!Readable(offset, 2)) return 0;
    return static_cast<int16_t>(KeyFrameBuffer[offset] | (KeyFrameBuffer[offset + 1] << 8));
}

float KeyFloat(int offset) {
    if (!Readable(offset, 4)) return 0.0f;
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(KeyFrameBuffer[offset + i]) << (8 * i);
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

int ReadKeyTimes(int offset, int16_t* times, int maxTimes) {
    if (!Readable(offset, 2)) return 0;
    const int k = static_cast<uint16_t>(KeyInt16(offset));
    if (k > maxTimes || !Readable(offset, MotionKeyBlockSize(k))) return 0;
    for (int i = 0; i < k; ++i) times[i] = KeyInt16(offset + 2 + 2 * i);
    return k;
}

void QuaternionSlerp(const float q1[4], const float q2[4], float t, float out[4]) {
    const double c = static_cast<double>(q1[0]) * q2[0] + static_cast<double>(q1[1]) * q2[1] +
                     static_cast<double>(q1[2]) * q2[2] + static_cast<double>(q1[3]) * q2[3];
    const double td = t;
    if (1.0 + c > 0.00001) {
        double a, b;
        if (1.0 - c > 0.00001) {
            const double omega = std::acos(c);
            const double sinOmega = std::sin(omega);
            a = std::sin((1.0 - td) * omega) / sinOmega;
            b = std::sin(td * omega) / sinOmega;
        } else {
            a = 1.0 - td;
            b = td;
        }
        for (int i = 0; i < 4; ++i) out[i] = static_cast<float>(a * q1[i] + b * q2[i]);
        return;
    }
    // Nearly opposite: a quarter turn away from the first, through the first's z.
    const double halfPi = 1.570796326794895;
    const double a = std::sin((1.0 - td) * halfPi);
    const double b = std::sin(td * halfPi);
    const float s = q1[3];
    for (int i = 1; i < 4; ++i) out[i] = static_cast<float>(b * q2[i] + a * q1[i]);
    out[0] = s;
}

void InterpolateMotionKey(int link, int frame, int16_t* times, float out[4], int& applied) {
    applied = 0;
    out[0] = 1.0f;
    out[1] = out[2] = out[3] = 0.0f;
    if (!MotionLinkUsable(link) || MotionLink[link].keyCount <= 0) return;
    const int offset = MotionLink[link].keyOffset;
    const int k = ReadKeyTimes(offset, times, MaxKeysPerBlock);
    if (k == 0) return;
    const int quats = offset + 2 + 2 * k;
    auto key = [&](int i, float q[4]) {
        for (int c = 0; c < 4; ++c) q[c] = KeyFloat(quats + 16 * i + 4 * c);
    };
    int previous = -1, next = -1;
    for (int i = 0; i < k; ++i) {
        if (times[i] < frame) {
            previous = i;
        } else if (times[i] == frame) {
            key(i, out);
            applied = 1;
            return;
        } else {
            next = i;
            break;
        }
    }
    // Past the last key there is nothing to apply: the link keeps its pose.
    if (next < 0) return;
    // Before the first key, that key holds.
    if (previous < 0) {
        key(next, out);
        applied = 1;
        return;
    }
    float q1[4], q2[4];
    key(previous, q1);
    key(previous + 1, q2);
    const float t = static_cast<float>(frame - times[previous]) /
                    static_cast<float>(times[previous + 1] - times[previous]);
    QuaternionSlerp(q1, q2, t, out);
    applied = 1;
}

void ApplyLinkRotation(int link, int frame) {
    int16_t times[MaxKeysPerBlock];
    float q[4];
    int applied = 0;
    InterpolateMotionKey(link, frame, times, q, applied);
    if (!applied) return;
    SetPartRotation(MotionLink[link].part, q);
    std::memcpy(MotionLink[link].current, q, sizeof q);
}

void WalkMotionTree(MotionLinkNode* node, int op) {
    if (!node) return;
    if (MotionLevel >= 0 && MotionLevel <= DeepestMotionLevel)
        MotionLevelStack[MotionLevel] = node->index;
    if (op == WalkApplyKeys) ApplyLinkRotation(node->index, CurrentMotionFrame);
    if (node->firstChild) {
        if (++MotionLevel > DeepestMotionLevel) {
            platform::MessageBox(MsgExceedMotionLevels, AnimCaptionError);
        }
        WalkMotionTree(node->firstChild, op);
        --MotionLevel;
    }
    WalkMotionTree(node->nextSibling, op);
    if (op == WalkRelease) {
        ReleasePart(node->part);
        node->firstChild = nullptr;
        node->nextSibling = nullptr;
    }
}

void WalkFromTop(MotionLinkNode* node, int op) {
    const int level = MotionLevel;
    MotionLevel = 1;
    WalkMotionTree(node, op);
    MotionLevel = level;
}

namespace {

void ApplyExtraOrientation(const MotionTableEntry& entry) {
    platform::RmFrame* frame = PartFrame(MotionLink[entry.firstLink].part);
    if (!frame || entry.extraOrientation[0] == 0.0f) return;
    platform::RmQuaternion q;
    q.s = entry.extraOrientation[0];
    q.v = {entry.extraOrientation[1], entry.extraOrientation[2], entry.extraOrientation[3]};
    platform::RmMatrix4 m;
    platform::RmMatrixFromQuaternion(m, &q);
    platform::RmMatrix4 t;
    frame->GetTransform(t);
    if (entry.applyMode == 0) {
        for (int c = 0; c < 3; ++c) m.m[3][c] = t.m[3][c];
        frame->AddTransform(platform::D3DRMCOMBINE_REPLACE, m);
        return;
    }
    frame->AddTransform(platform::D3DRMCOMBINE_BEFORE, m);
    platform::RmMatrix4 combined;
    frame->GetTransform(combined);
    for (int c = 0; c < 3; ++c) combined.m[3][c] = t.m[3][c];
    frame->AddTransform(platform::D3DRMCOMBINE_REPLACE, combined);
}

}  // namespace

void PlayMotionFrame(int row) {
    if (!MotionRowUsable(row)) return;
    MotionTableEntry& entry = MotionTable[row];
    CurrentMotion = row;
    CurrentMotionFrame = entry.frame;
    CurrentMotionLink = entry.firstLink;
    WalkFromTop(&MotionLink[entry.firstLink], WalkApplyKeys);
    ApplyExtraOrientation(entry);

    // A row of frame count 0 (no keys past frame 0) has no passes: it holds frame 0.
    if (entry.frameCount <= 0 || ++entry.frame < entry.frameCount) return;
    // A pass has ended: a counted motion whose passes are spent stops and tells the script; only
    // then is the pass counted, so it counts as the first pass of a count that the "Motion"
    // state starts again.
    if (entry.loopMode > 0) {
        if (entry.loopCounter >= entry.loopTarget) {
            entry.active = 0;
            RaiseMotionEvent(entry.animObj, row);
        }
        ++entry.loopCounter;
    }
    entry.frame = 0;
}
