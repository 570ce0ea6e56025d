#include <cmath>

#include "anim/key_frames.h"
#include "anim/messages.h"
#include "anim/motion_files.h"
#include "anim_fixture.h"

namespace {

class MotionTable_ : public AnimTest {
protected:
    // A motion row for a character of two parts: a top link and one child link, each with a part
    // of its own. The row's index.
    int MakeCharacterRow() {
        const int row = MotionCount++;
        CurrentMotion = row;
        MotionTable[row] = MotionTableEntry{};
        MotionTable[row].firstLink = static_cast<int16_t>(NextMotionLink);
        MotionTable[row].animObj = -1;
        MotionTable[row].extraOrientation[0] = 1.0f;
        MotionLevel = 1;
        CurrentPartIndex = MakePart();
        top = AddMotionLink("body");
        MotionLevel = 2;
        CurrentPartIndex = MakePart();
        child = AddMotionLink("arm");
        if (MotionLinkNode* first = MotionLink[0].firstChild) first->nextSibling = nullptr;
        return row;
    }

    static platform::RmMatrix4 PartTransform(int link) {
        platform::RmMatrix4 m;
        Part[MotionLink[link].part].frame->GetTransform(m);
        return m;
    }

    int top = -1;
    int child = -1;
};

// A turn of `degrees` about the vertical axis, as (s, x, y, z).
Quat TurnY(double degrees) {
    const double half = degrees * M_PI / 360.0;
    return {float(std::cos(half)), 0.0f, float(std::sin(half)), 0.0f};
}

std::vector<float> Keys(std::initializer_list<std::pair<float, Quat>> keys) {
    std::vector<float> out;
    for (const auto& [time, q] : keys) out.insert(out.end(), {time, q.s, q.x, q.y, q.z});
    return out;
}

void ExpectQuat(const float* got, Quat want, float tolerance = 1e-6f) {
    EXPECT_NEAR(got[0], want.s, tolerance);
    EXPECT_NEAR(got[1], want.x, tolerance);
    EXPECT_NEAR(got[2], want.y, tolerance);
    EXPECT_NEAR(got[3], want.z, tolerance);
}

}  // namespace

TEST_F(MotionTable_, KeyBlocksAreStoredLittleEndianAndReadBack) {
    const int row = MakeCharacterRow();
    KeyWriteOffset = 7;  // blocks are unaligned
    std::vector<float> numbers = Keys({{3.9f, TurnY(0)}, {-2.0f, TurnY(90)}});
    numbers.insert(numbers.end(), {12.0f, 1.0f});  // a remainder of two numbers is ignored
    StoreMotionKeys(child, numbers.data(), static_cast<int>(numbers.size()));

    EXPECT_EQ(MotionLink[child].keyOffset, 7);
    EXPECT_EQ(MotionLink[child].keyCount, 2);
    EXPECT_EQ(KeyWriteOffset, 7 + MotionKeyBlockSize(2));
    EXPECT_EQ(KeyFrameBuffer[7], 2);
    EXPECT_EQ(KeyFrameBuffer[8], 0);
    EXPECT_EQ(KeyFrameBuffer[11], 0xFE);  // -2 as a little-endian 16-bit time
    EXPECT_EQ(KeyFrameBuffer[12], 0xFF);
    int16_t times[MaxKeysPerBlock];
    ASSERT_EQ(ReadKeyTimes(7, times, MaxKeysPerBlock), 2);
    EXPECT_EQ(times[0], 3);  // truncated towards zero
    EXPECT_EQ(times[1], -2);
    EXPECT_FLOAT_EQ(KeyFloat(7 + 6 + 16 + 8), TurnY(90).y);
    EXPECT_EQ(MotionTable[row].frameCount, 3);  // the largest key time

    // A later block for the same link replaces the first; no numbers leave it without keys.
    const std::vector<float> later = Keys({{40.0f, TurnY(10)}});
    StoreMotionKeys(child, later.data(), 5);
    EXPECT_EQ(MotionLink[child].keyOffset, 7 + MotionKeyBlockSize(2));
    EXPECT_EQ(MotionTable[row].frameCount, 40);
    StoreMotionKeys(child, later.data(), 0);
    EXPECT_EQ(MotionLink[child].keyCount, 0);
    // A refused link (-1) takes nothing.
    StoreMotionKeys(-1, later.data(), 5);
    EXPECT_EQ(KeyWriteOffset, 7 + MotionKeyBlockSize(2) + MotionKeyBlockSize(1));
}

TEST_F(MotionTable_, PosesAreExactAtKeysSlerpedBetweenHeldBeforeAndLeftAfter) {
    MakeCharacterRow();
    const std::vector<float> keys = Keys({{5, TurnY(0)}, {10, TurnY(40)}, {20, TurnY(120)}});
    StoreMotionKeys(child, keys.data(), 15);
    int16_t times[MaxKeysPerBlock];
    float q[4];
    int applied = 0;

    InterpolateMotionKey(child, 10, times, q, applied);
    EXPECT_EQ(applied, 1);
    ExpectQuat(q, TurnY(40));
    InterpolateMotionKey(child, 15, times, q, applied);  // halfway between 40 and 120 degrees
    ExpectQuat(q, TurnY(80), 1e-5f);
    InterpolateMotionKey(child, 7, times, q, applied);
    ExpectQuat(q, TurnY(16), 1e-5f);
    InterpolateMotionKey(child, 2, times, q, applied);  // before the first key
    EXPECT_EQ(applied, 1);
    ExpectQuat(q, TurnY(0));
    InterpolateMotionKey(child, 21, times, q, applied);  // past the last key: nothing to apply
    EXPECT_EQ(applied, 0);
    InterpolateMotionKey(top, 5, times, q, applied);  // a link without keys
    EXPECT_EQ(applied, 0);

    // Two opposite quaternions take the quarter-turn branch: s from the first one's z.
    const float a[4] = {0.0f, 0.0f, 0.6f, 0.8f}, b[4] = {0.0f, 0.0f, -0.6f, -0.8f};
    QuaternionSlerp(a, b, 0.25f, q);
    const float wa = std::sin(0.75f * 1.5707964f), wb = std::sin(0.25f * 1.5707964f);
    ExpectQuat(q, {0.8f, 0.0f, 0.6f * (wa - wb), 0.8f * (wa - wb)}, 1e-6f);
}

TEST_F(MotionTable_, PlayingAFrameTurnsEachLinkAndKeepsTheTopPartInPlace) {
    const int row = MakeCharacterRow();
    const std::vector<float> keys = Keys({{0, TurnY(0)}, {4, TurnY(90)}});
    StoreMotionKeys(child, keys.data(), 10);
    StoreMotionKeys(top, keys.data(), 10);
    SetPartPosition(MotionLink[top].part, 1.0f, 2.0f, 3.0f);
    SetPartPosition(MotionLink[child].part, 0.0f, 5.0f, 0.0f);
    MotionTable[row].frame = 2;
    PlayMotionFrame(row);

    EXPECT_EQ(MotionTable[row].frame, 3);
    ExpectQuat(MotionLink[child].current, TurnY(45), 1e-6f);
    const platform::RmMatrix4 arm = PartTransform(child);
    EXPECT_NEAR(arm.m[0][0], std::cos(M_PI / 4), 1e-6);  // turned 45 degrees
    EXPECT_FLOAT_EQ(arm.m[3][1], 5.0f);                  // translation kept
    // The extra orientation, (1, 0, 0, 0) by default, replaces the top part's turn.
    const platform::RmMatrix4 body = PartTransform(top);
    EXPECT_FLOAT_EQ(body.m[0][0], 1.0f);
    EXPECT_FLOAT_EQ(body.m[3][0], 1.0f);
    EXPECT_FLOAT_EQ(body.m[3][2], 3.0f);
    // Combined before the part's own transform (the jump's mode), the turn adds to it.
    MotionTable[row].applyMode = 1;
    const Quat turn = TurnY(90);
    std::copy(&turn.s, &turn.s + 4, MotionTable[row].extraOrientation);
    PlayMotionFrame(row);
    EXPECT_NEAR(PartTransform(top).m[0][0], std::cos(M_PI / 2 * 0.75 + M_PI / 2), 1e-5);
    EXPECT_FLOAT_EQ(PartTransform(top).m[3][0], 1.0f);
    EXPECT_EQ(MotionTable[row].frame, 0);  // frame 4 reached the frame count: a new pass
}

TEST_F(MotionTable_, EveryLimitIsReportedWhereItIsReached) {
    // Links: nodes 1 to 510; the refusal leaves no current link for keys to land on.
    for (int i = 1; i <= 510; ++i) ASSERT_EQ(AddMotionLink("l"), i);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_EQ(AddMotionLink("l"), -1);
    EXPECT_EQ(AddMotionLink("l"), -1);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed Maximum Motion Link | Error",
                                                    "Exceed Maximum Motion Link | Error"}));
    EXPECT_EQ(CurrentMotionLink, -1);
    EXPECT_EQ(NextMotionLink, MaxMotionLinks);
    EXPECT_EQ(FindMotionLink("l"), MotionFirstLink);
    TruncateMotionTable(0);
    platform::ClearRecordedBoxes();

    // Motion rows: a file's motion needs a loaded object; rows 0 to 30 can be had.
    EXPECT_EQ(AddMotionTableEntry("body"), -1);
    const int row = MakeCharacterRow();
    MotionLevel = 1;
    for (int r = 1; r <= 30; ++r) ASSERT_EQ(AddMotionTableEntry("body"), r);
    EXPECT_EQ(AddMotionTableEntry("body"), -1);
    EXPECT_EQ(AddMotionTableEntry("body"), -1);
    EXPECT_EQ(MotionCount, 31);  // the refused row is never counted in
    EXPECT_EQ(CurrentMotion, 30);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Motion object does not existed | Error",
                                                    "Exceed Maximum Motion Table | Error",
                                                    "Exceed Maximum Motion Table | Error"}));
    // A further motion drives the object's parts in order and takes its character's entry.
    EXPECT_EQ(MotionLink[MotionTable[1].firstLink].part,
              MotionLink[MotionTable[row].firstLink].part);
    // An animated object may take the table's last row.
    platform::ClearRecordedBoxes();
    Write("empty.x", "");
    EXPECT_EQ(LoadAnimObj("empty.x", nullptr, 0), 1);
    EXPECT_EQ(MotionCount, 32);
    EXPECT_EQ(LoadAnimObj("empty.x", nullptr, 0), 0);
    EXPECT_EQ(MotionCount, 32);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed Maximum Motion Table | Error"}));
    TruncateMotionTable(0);
    platform::ClearRecordedBoxes();

    // The key buffer: a block that would end at 64000 or beyond is refused and not stored.
    MakeCharacterRow();
    std::vector<float> keys(5 * 10, 0.0f);
    KeyWriteOffset = KeyFrameBufferSize - MotionKeyBlockSize(10) - 1;
    StoreMotionKeys(child, keys.data(), 50);
    EXPECT_EQ(MotionLink[child].keyCount, 10);
    StoreMotionKeys(top, keys.data(), 5);
    EXPECT_EQ(MotionLink[top].keyCount, 0);
    EXPECT_EQ(KeyWriteOffset, KeyFrameBufferSize - 1);
    StorePathKeys(0, keys.data(), 4, PathPositionKeys);
    EXPECT_EQ(Path[0].posCount, 0);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed Max Motion Key Frame Buffer | Error",
                                                    "Exceed Max Path Key Frame Buffer | Error"}));
}

TEST_F(MotionTable_, PathKeyBlocksPutPositionsAfterRotations) {
    const std::vector<float> rotations = Keys({{0, TurnY(0)}, {20, TurnY(90)}});
    const std::vector<float> positions = {0, 1, 2, 3, 10, 4, 5, 6, 30, 7, 8, 9, 99};
    StorePathKeys(0, rotations.data(), 10, PathRotationKeys);
    StorePathKeys(0, positions.data(), 13, PathPositionKeys);
    EXPECT_EQ(Path[0].keyOffset, 0);
    EXPECT_EQ(Path[0].rotCount, 2);
    EXPECT_EQ(Path[0].posCount, 3);
    EXPECT_EQ(PathMaxTime, 30);
    const int positionBlock = 4 + 18 * 2;
    EXPECT_EQ(KeyInt16(positionBlock), 3);
    EXPECT_EQ(KeyInt16(positionBlock + 2), PathPositionKeys);
    EXPECT_EQ(KeyInt16(positionBlock + 4 + 2), 10);
    EXPECT_FLOAT_EQ(KeyFloat(positionBlock + 4 + 6 + 12 + 8), 6.0f);
    EXPECT_EQ(KeyWriteOffset, positionBlock + PathKeyBlockSize(3, PathPositionKeys));
    // A path of positions only starts at its position block.
    StorePathKeys(1, positions.data(), 4, PathPositionKeys);
    EXPECT_EQ(Path[1].keyOffset, positionBlock + PathKeyBlockSize(3, PathPositionKeys));
}

TEST_F(MotionTable_, TheLevelResetEmptiesTheTablesAndReleasesTheParts) {
    const int row = MakeCharacterRow();
    Part[MotionLink[child].part].meshBuilder = new platform::RmMeshBuilder();
    platform::RmFrame* arm = Part[MotionLink[child].part].frame;
    arm->AddVisual(Part[MotionLink[child].part].meshBuilder);
    const std::vector<float> keys = Keys({{0, TurnY(0)}});
    StoreMotionKeys(child, keys.data(), 5);
    ASSERT_EQ(AddAnimObject(row, 1, AnimCharacterMotion, 0), 1);
    ++PathCount;

    EXPECT_EQ(TruncateMotionTable(MotionCount + 1), 0);
    arm->AddRef();
    EXPECT_EQ(TruncateMotionTable(0), 1);
    EXPECT_EQ(ResetAnimObjects(0), 1);
    EXPECT_TRUE(arm->Visuals().empty());
    arm->Release();
    EXPECT_EQ(MotionCount, 0);
    EXPECT_EQ(NextMotionLink, 1);
    EXPECT_EQ(KeyWriteOffset, 0);
    EXPECT_EQ(NextPart, 0);
    EXPECT_EQ(AnimObjCount, 0);
    EXPECT_EQ(PathCount, 0);
    EXPECT_EQ(Part[1].frame, nullptr);
    // The links are handed out again from 1 and hang under the root without old ties.
    const int again = MakeCharacterRow();
    EXPECT_EQ(again, 0);
    EXPECT_EQ(MotionLink[0].firstChild, &MotionLink[1]);
    EXPECT_EQ(MotionLink[1].nextSibling, nullptr);
    EXPECT_EQ(MotionLink[1].firstChild, &MotionLink[2]);
    EXPECT_EQ(MotionLink[2].keyCount, 0);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}
