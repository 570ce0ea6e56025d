#include "anim/key_frames.h"
#include "anim/messages.h"
#include "anim/special_anims.h"
#include "anim_fixture.h"
#include "script/states.h"
#include "world/door_object.h"
#include "world/map_object.h"

using testworld::Fx;

namespace {

class AnimObjects : public AnimTest {
protected:
    void SetUp() override {
        AnimTest::SetUp();
        Write("t.scp",
              "int motions;\n"
              "int n;\n"
              "state Start;\n"
              "exit;\n"
              "state Motion;\n"
              "motions = (motions + 1);\n"
              "exit;\n"
              "stepState Walk;\n"
              "n = 1;\n"
              "n = 2;\n");
        ASSERT_EQ(LoadScript("t.scp"), 1);
    }

    // A character of one part whose motion row has keys at 0 and `frames`; its animation entry
    // is made. The row.
    int MakeCharacter(int frames = 3) {
        const int row = MotionCount++;
        CurrentMotion = row;
        MotionTable[row] = MotionTableEntry{};
        MotionTable[row].firstLink = static_cast<int16_t>(NextMotionLink);
        MotionTable[row].active = 1;
        MotionTable[row].animObj = -1;
        MotionTable[row].extraOrientation[0] = 1.0f;
        CurrentPartIndex = MakePart();
        MotionLevel = 1;
        AddMotionLink("hero");
        if (MotionLinkNode* first = MotionLink[0].firstChild) first->nextSibling = nullptr;
        const float keys[10] = {0, 1, 0, 0, 0, float(frames), 1, 0, 0, 0};
        StoreMotionKeys(MotionTable[row].firstLink, keys, 10);
        EXPECT_EQ(AddAnimObject(row, MotionTable[row].frameCount, AnimCharacterMotion, 0), 1);
        return row;
    }

    // A further motion of the same character (its own row and link over the same part).
    int MakeMotion(int character, int frames) {
        MotionLevel = 1;
        const int row = AddMotionTableEntry("hero");
        const float keys[5] = {float(frames), 1, 0, 0, 0};
        StoreMotionKeys(MotionTable[row].firstLink, keys, 5);
        EXPECT_EQ(MotionTable[row].animObj, MotionTable[character].animObj);
        return row;
    }

    // A sliding door rising straight up, listed under `id`.
    DoorObject* AddDoor(int id) {
        auto* door = new DoorObject;
        door->type = DoorType;
        door->id = id;
        door->state = DoorUp;
        door->leaf = new Cube;
        const uint16_t v = testworld::AddVertex(0, 0, 0);
        for (int k = 0; k < 4; ++k) door->leaf->bottom[k] = door->leaf->top[k] = v;
        door->cube = Cubes[0];
        MapObjectTable[id] = door;
        AppendObject(*Cubes[0], door);
        return door;
    }

    static void Frames(int n) {
        for (int i = 0; i < n; ++i) UpdateAnimObjects();
    }
};

}  // namespace

TEST_F(AnimObjects, CountedMotionsRaiseMotionOnceAfterTheirPassesAndStop) {
    const int row = MakeCharacter(3);
    const int entry = MotionTable[row].animObj;
    ASSERT_EQ(entry, 0);
    EXPECT_NE(AnimObj[entry].character, nullptr);
    EXPECT_EQ(AnimObj[entry].frameCount, 3);

    SetAnim(entry, row, 0);  // loops for ever
    Frames(30);
    EXPECT_EQ(Var("motions"), 0);
    EXPECT_EQ(MotionTable[row].active, 1);

    SetAnim(entry, row, 3);  // four passes of three frames, then "Motion"
    EXPECT_EQ(MotionTable[row].frame, 0);
    Frames(11);
    EXPECT_EQ(Var("motions"), 0);
    Frames(1);
    EXPECT_EQ(Var("motions"), 1);
    EXPECT_EQ(GetMotionEventArg(0), entry);
    EXPECT_EQ(GetMotionEventArg(1), row);
    EXPECT_EQ(MotionTable[row].active, 0);
    EXPECT_EQ(MotionTable[row].frame, 0);
    Frames(10);  // an ended motion is not stepped
    EXPECT_EQ(Var("motions"), 1);

    // Loops 1 after an ended count: one more pass, then "Motion" again.
    SetAnim(entry, row, 1);
    Frames(3);
    EXPECT_EQ(Var("motions"), 2);
}

TEST_F(AnimObjects, AMotionStateThatCountsAgainHasThePassJustEndedCounted) {
    Write("again.scp",
          "int motions;\n"
          "state Start;\n"
          "exit;\n"
          "state Motion;\n"
          "motions = (motions + 1);\n"
          "SetAnim 0 0 3;\n"
          "exit;\n");
    ASSERT_EQ(LoadScript("again.scp"), 1);
    const int row = MakeCharacter(3);
    SetAnim(0, row, 3);
    Frames(12);  // four passes of three frames
    EXPECT_EQ(Var("motions"), 1);
    EXPECT_EQ(MotionTable[row].frame, 0);
    EXPECT_EQ(MotionTable[row].active, 1);
    Frames(8);  // started again from the "Motion" state: three passes more
    EXPECT_EQ(Var("motions"), 1);
    Frames(1);
    EXPECT_EQ(Var("motions"), 2);
}

TEST_F(AnimObjects, ARowOfFrameCountZeroEndsNoPassWhereverItIsPlayed) {
    // Keys at frame 0 only, counted passes spent: a mover or a path plays the row every frame
    // and "Motion" never comes.
    const int row = MakeCharacter(0);
    ASSERT_EQ(MotionTable[row].frameCount, 0);
    SetAnim(0, row, 2);
    MotionTable[row].loopCounter = 5;
    for (int i = 0; i < 10; ++i) PlayMotionFrame(row);
    EXPECT_EQ(Var("motions"), 0);
    EXPECT_EQ(MotionTable[row].frame, 0);
    EXPECT_EQ(MotionTable[row].loopCounter, 5);
    EXPECT_EQ(MotionTable[row].active, 1);
}

TEST_F(AnimObjects, SetAnimSwitchesMotionsAndRefusesWhatDoesNotExist) {
    const int row = MakeCharacter(4);
    const int entry = MotionTable[row].animObj;
    const int walk = MakeMotion(row, 6);
    SetAnim(entry, row, 0);
    Frames(2);
    EXPECT_EQ(MotionTable[row].frame, 2);

    // The same row again: deactivated and reactivated, its frame kept.
    SetAnim(entry, row, 0);
    EXPECT_EQ(MotionTable[row].frame, 2);
    EXPECT_EQ(MotionTable[row].active, 1);

    SetAnim(entry, walk, 0);
    EXPECT_EQ(PreviousMotion, row);
    EXPECT_EQ(MotionTable[row].active, 0);
    EXPECT_EQ(MotionTable[walk].active, 1);
    EXPECT_EQ(AnimObj[entry].row, walk);
    EXPECT_EQ(AnimObj[entry].frameCount, 6);
    EXPECT_EQ(AnimObj[entry].followUp, OpenStateIndex);  // the script's last state
    Frames(1);
    EXPECT_EQ(MotionTable[walk].frame, 1);
    EXPECT_EQ(MotionTable[row].frame, 2);

    // Entries or rows that do not exist are refused.
    const AnimObject before = AnimObj[entry];
    EXPECT_EQ(SetAnim(entry + 1, row, 0), 0);
    EXPECT_EQ(SetAnim(-1, row, 0), 0);
    EXPECT_EQ(SetAnim(entry, MotionCount, 0), 0);
    EXPECT_EQ(SetAnim(entry, -1, 0), 0);
    EXPECT_EQ(AnimObj[entry].row, before.row);
    EXPECT_EQ(MotionTable[walk].active, 1);
    EXPECT_EQ(MotionTable[row].active, 0);
    // Another character's row is played too.
    const int other = MakeCharacter(2);
    EXPECT_EQ(SetAnim(entry, other, 0), 1);
    EXPECT_EQ(AnimObj[entry].row, other);
    EXPECT_EQ(AnimObj[entry].frameCount, 2);
    EXPECT_EQ(MotionTable[walk].active, 0);
    EXPECT_EQ(SetAnim(entry, walk, 0), 1);
    // A light ramp's entry is taken over too; the light it named is no motion row to stop.
    ASSERT_EQ(AddAnimObject(row, 4, AnimLightRamp, 0), 1);
    const int ramp = CurrentAnimObj;
    ASSERT_EQ(AnimObj[ramp].row, row);
    SetAnim(entry, row, 0);
    EXPECT_EQ(SetAnim(ramp, walk, 0), 1);
    EXPECT_EQ(AnimObj[ramp].type, AnimCharacterMotion);
    EXPECT_EQ(MotionTable[row].active, 1);
    EXPECT_EQ(SetAnim(entry, walk, 0), 1);

    // The follow-up state: when it is a step state, a finished move takes its next step.
    EXPECT_EQ(OpenStateIndex, FindState("Walk"));
    TriggerState(entry, walk, AnimObj[entry].followUp);
    EXPECT_EQ(Var("n"), 1);
    TriggerState(entry, walk, AnimObj[entry].followUp);
    EXPECT_EQ(Var("n"), 2);
}

TEST_F(AnimObjects, TheTableHoldsThirtyTwoEntriesAndReusesFreeOnes) {
    // A special of another mode is finished at once (row -1), so the next one takes it again.
    for (int i = 0; i < MaxAnimObjects + 1; ++i) ASSERT_EQ(SpecialAnim(3, 0, nullptr), 0);
    EXPECT_EQ(AnimObjCount, 1);
    ResetAnimObjects(0);
    Path[0].frameCount = 10;
    PathCount = 1;
    for (int i = 0; i < MaxAnimObjects; ++i) ASSERT_EQ(AddAnimObject(0, 10, AnimCameraPath, 0), 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    AnimObj[31].type = AnimStraightMove;  // a running mover's entry is not taken by a special
    AnimObj[31].row = -1;
    EXPECT_EQ(AddAnimObject(0, 10, AnimCameraPath, 0), 0);
    EXPECT_EQ(SpecialAnim(3, 0, nullptr), -1);
    EXPECT_EQ(AnimObjCount, MaxAnimObjects);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed Maximum Animation Object | Error",
                                                    "Exceed Maximum Animation Object | Error"}));
    // A light ramp reuses the current entry when it is free, even with the table full.
    AnimObj[5].type = AnimFree;
    CurrentAnimObj = 5;
    EXPECT_EQ(AddAnimObject(2, 4, AnimLightRamp, 0), 1);
    EXPECT_EQ(CurrentAnimObj, 5);
    EXPECT_EQ(AnimObj[5].row, 2);
    // Unknown types and entries outside the table are refused without a message.
    EXPECT_EQ(AddAnimObject(0, 1, 9, 0), 0);
    EXPECT_EQ(AddAnimObject(MaxAnimObjects, 1, AnimSpecial, 0), 0);
    EXPECT_EQ(AddAnimObject(1, 1, AnimCharacterMotion, 0), 0);  // no such motion row
    EXPECT_EQ(platform::RecordedBoxes().size(), 2u);
    // Type 10 on an entry in use: the value becomes its argument.
    EXPECT_EQ(AddAnimObject(3, 7, AnimSpecial, 44), 1);
    EXPECT_EQ(AnimObj[3].type, AnimSpecial);
    EXPECT_EQ(AnimObj[3].arg, 44);
    EXPECT_EQ(AnimObj[3].frameCount, 7);
}

TEST_F(AnimObjects, SpecialDoorsFollowTheirTablesThenStayFinished) {
    DoorObject* a = AddDoor(4);
    DoorObject* b = AddDoor(5);
    const int items[3] = {4, 5, 20};
    const int e = SpecialAnim(SpecialDoors, 3, items);
    ASSERT_EQ(e, 0);
    Fixed16 expectA = a->centre.y, expectB = b->centre.y;
    for (int f = 0; f < 20; ++f) {
        UpdateAnimObjects();
        const double dA = f == 0 ? 2.52937 - SpecialDoorPathA[0]
                                 : double{SpecialDoorPathA[f]} - SpecialDoorPathA[f - 1];
        const double dB = f == 0 ? 2.51611 - SpecialDoorPathB[0]
                                 : double{SpecialDoorPathB[f]} - SpecialDoorPathB[f - 1];
        if (float(dA) != 0.0f) expectA += WorldToFixed(float(dA));
        if (float(dB) != 0.0f) expectB += WorldToFixed(float(dB));
        ASSERT_EQ(a->centre.y, expectA) << f;
        ASSERT_EQ(b->centre.y, expectB) << f;
    }
    // Where the tables stand at the last frame stepped, up to the fixed-point steps.
    EXPECT_NEAR(FixedToFloat(a->centre.y), SpecialDoorPathA[19] - 2.52937, 0.001);
    EXPECT_NEAR(FixedToFloat(b->centre.y), SpecialDoorPathB[19] - 2.51611, 0.001);
    EXPECT_EQ(AnimObj[e].row, -1);
    UpdateAnimObjects();
    EXPECT_EQ(a->centre.y, expectA);

    // The next special takes the finished entry; a run longer than the tables stops at their end.
    const int longer[3] = {4, 5, 500};
    EXPECT_EQ(SpecialAnim(SpecialDoors, 3, longer), e);
    EXPECT_EQ(AnimObj[e].frameCount, SpecialDoorFrames);
    EXPECT_EQ(SpecialAnim(SpecialDoors, 2, longer), -1);  // a door special needs three items
    EXPECT_EQ(AnimObjCount, 1);
}

TEST_F(AnimObjects, SoundFramesCountToTheirLargestFrame) {
    int frames[SoundFrameCount] = {10, 20, -1, -1, -1, -1, -1, -1};
    int slots[SoundFrameCount] = {0, 1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(SetSoundFrame(frames), 1);
    EXPECT_EQ(SetSoundHandle(slots), 1);
    EXPECT_EQ(AnimObj[0].type, AnimSpecial);
    EXPECT_EQ(AnimObj[0].followUp, SpecialSoundFrames);
    EXPECT_EQ(AnimObj[0].frameCount, 20);
    EXPECT_EQ(SoundFrameTable[1].slot, 1);
    Frames(19);
    EXPECT_EQ(AnimObj[0].row, 1);
    Frames(1);
    EXPECT_EQ(AnimObj[0].row, -1);  // the pair at frame 20 never plays
    // A new list takes the finished entry and counts from frame 0 again: with 3 and 6 it lasts
    // six frames, steps 0 to 5.
    int again[SoundFrameCount] = {3, 6, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(SetSoundFrame(again), 1);
    EXPECT_EQ(AnimObjCount, 1);
    EXPECT_EQ(AnimObj[0].frame, 0);
    Frames(5);
    EXPECT_EQ(AnimObj[0].row, 1);
    EXPECT_EQ(AnimObj[0].frame, 5);
    Frames(1);
    EXPECT_EQ(AnimObj[0].row, -1);
    // No positive frame: nothing to count.
    int none[SoundFrameCount] = {-1, -1, -1, -1, -1, -1, -1, -1};
    EXPECT_EQ(SetSoundFrame(none), 1);
    EXPECT_EQ(AnimObjCount, 1);
    EXPECT_EQ(AnimObj[0].frameCount, 0);
}
