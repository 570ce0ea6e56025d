#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/bmp_surface.h"
#include "support/script_fixture.h"
#include "world/map_object.h"

using ::testing::ElementsAre;

namespace {

using Running = ScriptTest;

}  // namespace

TEST_F(Running, StatesExitAndJumps) {
    ASSERT_EQ(Load("int pre;\nint a;\nint b;\nint c;\n"
                   "pre = 1;\n"
                   "state First;\n"
                   "a = 1;\n"
                   "exit;\n"
                   "state Second;\n"
                   "b = 1;\n"
                   "state Third;\n"
                   "c = 1;\n"
                   "exit;\n"
                   "state Jumper;\n"
                   "gotoState Second;\n"
                   "a = 9;\n"),
              1);
    // From the stream's start: the statements before the first state, then the first state.
    EXPECT_EQ(Var("pre"), 1);
    EXPECT_EQ(Var("a"), 1);
    EXPECT_EQ(Var("b"), 0);
    // Run by id, a state stops at its own end; a jump runs on through the following states.
    ExecState(FindState("Second"));
    EXPECT_EQ(Var("b"), 1);
    EXPECT_EQ(Var("c"), 0);
    StopFlag = 0;
    ExecState(FindState("Jumper"));
    EXPECT_EQ(Var("c"), 1);
    EXPECT_EQ(Var("a"), 1);  // the statement after gotoState never ran
    // With StopFlag left at 1, RunScript runs the first statement only.
    VariableTable[FindVariable("a")].value = 0;
    VariableTable[FindVariable("pre")].value = 0;
    StopFlag = 1;
    EXPECT_EQ(RunScript(1), 1);
    EXPECT_EQ(Var("pre"), 1);
    EXPECT_EQ(Var("a"), 0);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(Running, AssignmentsAndArithmetic) {
    ASSERT_EQ(Load("int a;\nint b;\nint c;\nint d;\nint e;\nint f;\nint g;\n"
                   "state S;\n"
                   "a = 300;\n"
                   "b = -200;\n"
                   "c = a;\n"
                   "d = ((a + b) * 3);\n"
                   "e = (a / 0);\n"
                   "f = ((a > b) && (3 == 3));\n"
                   "g = checkTimer;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(Var("a"), 300);
    EXPECT_EQ(Var("b"), -200);
    EXPECT_EQ(Var("c"), 300);
    EXPECT_EQ(Var("d"), 300);
    EXPECT_EQ(Var("e"), 0);  // a divisor of 0 gives 0
    EXPECT_EQ(Var("g"), 0);
    EXPECT_TRUE(platform::RecordedBoxes().empty());
    EXPECT_EQ(ApplyOperator('*', 65536, 65536), 0);  // the low 32 bits
    EXPECT_EQ(ApplyOperator('/', -2147483647 - 1, -1), -2147483647 - 1);
    EXPECT_EQ(ApplyOperator('o', 0, 5), 1);
}

TEST_F(Running, FaultyAssignmentsAndConditions) {
    ASSERT_EQ(Compile("int a;\nint b;\n"
                      "state S;\n"
                      "a = 4;\n"
                      "a 5;\n"
                      "a = 1.5;\n"
                      "b = (a % 2);\n"
                      "exit;\n"),
              1);
    // An operand that names no variable (the table emptied after compiling) reads 0.
    ASSERT_EQ(RunScript(1), 1);
    EXPECT_EQ(Var("a"), 4);
    EXPECT_EQ(Var("b"), 0);
    EXPECT_THAT(BoxTexts(), ElementsAre("illegal variable operation | Var debug",
                                        "Unrecognized token! | Var debug",
                                        "Unrecognized Operator Token! | debug"));
    platform::ClearRecordedBoxes();
    uint8_t cond[] = {'(', 'U', 'z', 0, '<', 'I', 1, 0, 0, 0, ')'};
    EXPECT_EQ(EvalCondition(cond, sizeof cond), 1);
    uint8_t literalLeft[] = {'(', 'I', 2, 0, 0, 0, '>', 'I', 1, 0, 0, 0, ')'};
    EXPECT_EQ(EvalCondition(literalLeft, sizeof literalLeft), 1);
    EXPECT_THAT(BoxTexts(), ElementsAre("undecalred variable! | if statement"));
}

TEST_F(Running, IfElseAndNesting) {
    ASSERT_EQ(Load("int x;\nint r;\nint s;\nint t;\n"
                   "state S;\n"
                   "x = 2;\n"
                   "if (x == 1) {\n"
                   "  r = 1;\n"
                   "  if (x == 2) {\n"
                   "    r = 2;\n"
                   "  }\n"
                   "  endif;\n"
                   "  s = 1;\n"
                   "}\n"
                   "else;\n"
                   "  r = 3;\n"
                   "endif;\n"
                   "if (x >= 2) t = 7; endif;\n"
                   "exit;\n"),
              1);
    // The nested if inside the skipped branch does not end the skipping early.
    EXPECT_EQ(Var("r"), 3);
    EXPECT_EQ(Var("s"), 0);
    // if, an assignment and endif on one line are one statement, an if: the rest never runs.
    EXPECT_EQ(Var("t"), 0);
    EXPECT_EQ(SkipFlag, 0);
}

TEST_F(Running, WhileLoopsRunIteratively) {
    ASSERT_EQ(Load("int i;\nint n;\nint after;\nint big;\n"
                   "state S;\n"
                   "while (i < 3) {\n"
                   "  n = (n + 2);\n"
                   "  i = (i + 1);\n"
                   "}\n"
                   "endwhile;\n"
                   "after = 1;\n"
                   "while (big < 50000);\n"
                   "big = (big + 1);\n"
                   "endwhile;\n"
                   "while (after > 5);\n"
                   "  after = 99;\n"
                   "endwhile;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(Var("i"), 3);
    EXPECT_EQ(Var("n"), 6);
    EXPECT_EQ(Var("after"), 1);
    EXPECT_EQ(Var("big"), 50000);  // far deeper than runs may nest
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(Running, StepStatesAndSubroutines) {
    ASSERT_EQ(Load("int n;\n"
                   "int back;\n"
                   "state Start;\n"
                   "refState Sub;\n"
                   "back = n;\n"
                   "gotoState Steps;\n"
                   "back = 99;\n"
                   "stepState Steps;\n"
                   "n = 10;\n"
                   "n = 20;\n"
                   "state Sub;\n"
                   "n = 5;\n"
                   "state Caller;\n"
                   "refState Steps;\n"
                   "refState Missing;\n"
                   "gotoState Missing;\n"
                   "exit;\n"),
              1);
    // refState runs the state and comes back; gotoState into a step state runs its first step
    // and stops the calling run.
    EXPECT_EQ(Var("back"), 5);
    EXPECT_EQ(Var("n"), 10);
    int steps = FindState("Steps");
    StepState(steps);
    EXPECT_EQ(Var("n"), 20);
    StepState(steps);  // past the last step: nothing runs
    EXPECT_EQ(Var("n"), 20);
    StopFlag = 0;
    ExecState(FindState("Caller"));
    // Record 0, the placeholder, and ids without a state are refused.
    ExecState(0);
    StepState(FindState("Sub"));
    EXPECT_EQ(RunScript(0), 0);
    EXPECT_EQ(RunScript(42), 0);
    // A statement's box names the script and the statement's line; the others the script. Each
    // text once for each place: the missing state on its two lines, the refused run once.
    EXPECT_THAT(BoxTexts(),
                ElementsAre("No more steps in step state! | Step State Exec Debug",
                            "ref state called on step state | ref debug",
                            "State not defined! | state debug", "State not defined! | state debug",
                            "State not Defined! | State Exec Debug",
                            "State not Defined! | Step State Exec Debug",
                            "No Script Loaded! State Tree not built! | Run Script debug"));
    std::vector<std::string> places;
    for (const platform::RecordedBox& box : platform::RecordedBoxes()) places.push_back(box.place);
    EXPECT_THAT(places, ElementsAre("t.scp", "t.scp, line 14", "t.scp, line 15", "t.scp, line 16",
                                    "t.scp", "t.scp", "t.scp"));
}

TEST_F(Running, RunsNestOnlySoDeep) {
    ASSERT_EQ(Load("int depth;\n"
                   "state Start;\n"
                   "exit;\n"
                   "state Deep;\n"
                   "depth = (depth + 1);\n"
                   "refState Deep;\n"
                   "depth = 0;\n"),
              1);
    StopFlag = 0;
    ExecState(FindState("Deep"));
    // The 257th nested run is refused and the whole run is abandoned.
    EXPECT_EQ(Var("depth"), MaxRunDepth);
    EXPECT_THAT(BoxTexts(), ElementsAre("Exceed maximum script nesting | Script Debug"));
    EXPECT_EQ(RunDepth, 0);
}

TEST_F(Running, ARunThatNeverEndsIsStoppedAndTheGameGoesOn) {
    ASSERT_EQ(Load("int n;\n"
                   "int m;\n"
                   "state Start;\n"
                   "n = (n + 1);\n"
                   "gotoState Start;\n"
                   "state Forever;\n"
                   "while (m >= 0);\n"
                   "m = (m + 1);\n"
                   "endwhile;\n"),
              1);
    EXPECT_EQ(Var("n"), MaxRunStatements / 2);
    // The next run from outside has a budget of its own.
    StopFlag = 0;
    ExecState(FindState("Forever"));
    EXPECT_EQ(Var("m"), MaxRunStatements / 2);
    // Shown once for each line the runs were stopped at.
    EXPECT_THAT(BoxTexts(), ElementsAre("Exceed maximum statements in one run | Script Debug",
                                        "Exceed maximum statements in one run | Script Debug"));
    EXPECT_EQ(RunDepth, 0);
}

TEST_F(Running, KeywordsAndCommandsReachTheirBackEnds) {
    struct Probe : MapObject {
        void Update(int op) override { ops.push_back(op); }
        std::vector<int> ops;
    } probe;
    MapObjectTable[4] = &probe;
    ASSERT_EQ(Load("int x;\n"
                   "state Start;\n"
                   "SpriteAnim 4 7;\n"
                   "LoadPalette(\"pal.bmp\");\n"
                   "Unknown;\n"
                   "loadMesh m;\n"
                   "if (x == 1) {\n"
                   "  SpriteAnim 4 8;\n"
                   "  LoadPalette(\"other.bmp\");\n"
                   "}\n"
                   "endif;\n"
                   "exit;\n"),
              1);
    MapObjectTable[4] = nullptr;
    // Skipped statements reach nothing; loadMesh and an unknown word do nothing.
    EXPECT_THAT(probe.ops, ElementsAre(7));
    EXPECT_STREQ(PaletteFileName, "pal.bmp");
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}
