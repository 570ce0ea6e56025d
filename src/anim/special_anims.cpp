#include "anim/special_anims.h"

#include <algorithm>

#include "anim/anim_objects.h"
#include "base/handlers.h"
#include "world/map_object.h"

SoundFrame SoundFrameTable[SoundFrameCount];

// The positions, in world units, of the two doors of the special door animation, frame by frame.
const float SpecialDoorPathA[SpecialDoorFrames] = {
    2.52937f, 2.52937f, 2.52937f, 2.52937f, 2.52937f, 2.52937f, 2.52937f, 2.52937f, 2.52937f,
    2.52937f, 2.52937f, 4.10041f, 5.67146f, 7.2425f,  8.81355f, 8.82329f, 8.83304f, 8.84278f,
    8.85253f, 8.86227f, 8.87202f, 8.88176f, 8.8915f,  8.90125f, 8.91099f, 8.92074f, 8.93048f,
    8.94023f, 8.94997f, 8.95972f, 8.96946f, 8.9792f,  8.98895f, 8.99869f, 9.00844f, 9.01818f,
    9.02793f, 9.03767f, 9.04741f, 9.05716f, 9.0669f,  9.07665f, 9.08639f, 9.09614f, 9.10588f,
    9.11562f, 9.12537f, 9.13511f, 9.14486f, 9.1546f,  9.16435f, 9.17409f, 9.18383f, 9.19358f,
    9.20332f, 9.21307f, 9.22281f, 9.23256f, 9.2423f,  9.25205f, 9.26179f, 9.27153f, 9.28128f,
    9.29102f, 9.30077f, 9.31051f, 9.32026f, 9.33f,    9.9819f,  9.9819f,  9.9819f,  10.6338f,
    10.6338f, 10.6338f, 11.2857f, 11.2857f, 11.2857f, 11.9376f, 11.9376f, 11.9376f, 12.5895f,
    12.5895f, 12.5895f, 13.2414f, 13.2414f, 13.2414f, 13.8933f, 13.8933f, 13.8933f, 14.5452f,
    14.5452f, 14.5452f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f,
    15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f,
    15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f,
    15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f,
    15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f,
    15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f,
    15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 15.1971f, 0.0f,     0.0f,
    0.0f,     0.0f,     0.0f,     0.0f,     0.0f,     0.0f,     0.0f,
};
const float SpecialDoorPathB[SpecialDoorFrames] = {
    2.51611f, 2.51611f, 2.51611f, 2.51611f, 2.51611f, 2.51611f, 2.51611f, 2.51611f, 2.51611f,
    2.51611f, 2.51611f, 4.66153f, 6.80696f, 8.95238f, 11.0978f, 11.0978f, 11.0978f, 11.0978f,
    11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f,
    11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f,
    11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f,
    11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f,
    11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f,
    11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.0978f, 11.4711f, 11.8444f, 12.2177f, 12.591f,
    12.9643f, 13.3376f, 13.711f,  14.0843f, 14.4576f, 14.8309f, 15.2042f, 15.5775f, 15.9508f,
    16.3241f, 16.6974f, 17.0707f, 17.444f,  17.8173f, 18.1906f, 18.5639f, 18.9373f, 19.3106f,
    19.6839f, 20.0572f, 20.4305f, 20.8038f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f,
    21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f,
    21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f,
    21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f,
    21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f,
    21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f,
    21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 21.1771f, 0.0f,     0.0f,
    0.0f,     0.0f,     0.0f,     0.0f,     0.0f,     0.0f,     0.0f,
};

namespace {

// Where the doors stand before the first frame.
constexpr double DoorAStart = 2.52937;
constexpr double DoorBStart = 2.51611;

int16_t ToInt16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

// The entry a special takes: the last entry when it is free or a finished special, else a new
// one; -1 when the table is full (reported).
int TakeSpecialEntry() {
    if (AnimObjCount > 0) {
        const AnimObject& last = AnimObj[AnimObjCount - 1];
        if (last.type == AnimFree || (last.type == AnimSpecial && last.row < 0))
            return AnimObjCount - 1;
    }
    return NewAnimEntry();
}

}  // namespace

int SpecialAnim(int mode, int count, const int* items) {
    if (mode == SpecialDoors && (count < 3 || !items)) return -1;
    const int e = TakeSpecialEntry();
    if (e < 0) return -1;
    AnimObject& entry = AnimObj[e];
    entry.type = AnimSpecial;
    entry.followUp = ToInt16(mode);
    if (mode == SpecialDoors) {
        entry.row = ToInt16(items[0]);
        entry.arg = ToInt16(items[1]);
        entry.frameCount = ToInt16(std::min(items[2], SpecialDoorFrames));
        entry.frame = 0;
    }
    CurrentAnimObj = e;
    return e;
}

int SetSoundFrame(const int* frames) {
    const int e = TakeSpecialEntry();
    if (e < 0) return 0;
    int last = 0;
    for (int i = 0; i < SoundFrameCount; ++i) {
        SoundFrameTable[i] = {frames[i], -1};
        last = std::max(last, frames[i]);
    }
    AnimObject& entry = AnimObj[e];
    entry.type = AnimSpecial;
    entry.row = 1;
    entry.frameCount = ToInt16(last);
    entry.frame = 0;
    entry.followUp = SpecialSoundFrames;
    CurrentAnimObj = e;
    return 1;
}

int SetSoundHandle(const int* slots) {
    for (int i = 0; i < SoundFrameCount; ++i) SoundFrameTable[i].slot = slots[i];
    return 1;
}

void StepSpecialDoors(int doorA, int doorB, int frame) {
    frame = std::clamp(frame, 0, SpecialDoorFrames - 1);
    const double a = frame == 0 ? DoorAStart - SpecialDoorPathA[0]
                                : double{SpecialDoorPathA[frame]} - SpecialDoorPathA[frame - 1];
    const double b = frame == 0 ? DoorBStart - SpecialDoorPathB[0]
                                : double{SpecialDoorPathB[frame]} - SpecialDoorPathB[frame - 1];
    const float stepA = static_cast<float>(a);
    const float stepB = static_cast<float>(b);
    if (stepA != 0.0f) MoveDoorBy(doorA, 1, stepA);
    if (stepB != 0.0f) MoveDoorBy(doorB, 1, stepB);
}

void PlaySoundFrames(int frame) {
    for (const SoundFrame& pair : SoundFrameTable) {
        if (pair.frame == frame && pair.slot >= 0) {
            if (Handlers.playSound) Handlers.playSound(pair.slot);
            return;
        }
    }
}
