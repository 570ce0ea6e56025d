#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "script/tokenizer.h"
#include "shell/bmp_surface.h"
#include "support/script_fixture.h"

using ::testing::ElementsAre;

namespace {

using Compiling = ScriptTest;

std::string Record(int offset, int n) {
    return std::string(reinterpret_cast<const char*>(ScriptStream + offset), size_t(n));
}

// The file and line each box names.
std::vector<std::string> Places() {
    std::vector<std::string> places;
    for (const platform::RecordedBox& box : platform::RecordedBoxes()) places.push_back(box.place);
    return places;
}

}  // namespace

TEST_F(Compiling, StatementsBecomeRecordsOfStates) {
    ASSERT_EQ(Compile("Intro 1;\r\n"
                      "int a;\n"
                      "\n"
                      "state Start;\n"
                      "a = 5;\n"
                      "exit;\n"
                      "stepState Steps;\n"
                      "PlaySound 1 2;\n"
                      "setValue x;\n"
                      "PlaySound 3 4;\n"
                      "state Last;\n"
                      "exit;\n"),
              1);
    // Every statement is one 64-byte record beginning with '@'; int, state, stepState and
    // setValue are not stored. Record 0 of the state table is the placeholder.
    EXPECT_EQ(StreamLength, 6 * 64);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ScriptStream[i * 64], '@');
    EXPECT_EQ(Record(0, 12), std::string("@YIntro\0I\1\0\0\0", 13).substr(0, 12));
    EXPECT_EQ(Record(64, 11), std::string("@Ua\0=I\5\0\0\0;", 11));
    EXPECT_EQ(ScriptStream[64 + 11], '\\');
    EXPECT_EQ(ScriptStream[64 + 12], 0);  // the rest of a record is zeros
    ASSERT_EQ(StateCount, 4);
    EXPECT_STREQ(StateTable[0].name, ".");
    EXPECT_EQ(FindState("."), 0);
    EXPECT_EQ(FindState("Nowhere"), -1);
    const ScriptState& start = StateTable[FindState("Start")];
    EXPECT_EQ(start.start, 64);
    EXPECT_EQ(start.end, 192);
    const ScriptState& steps = StateTable[FindState("Steps")];
    EXPECT_EQ(steps.isStepState, 1);
    EXPECT_EQ(StepTable[steps.stepRow].lineCount, 2);
    EXPECT_EQ(StepTable[steps.stepRow].pairs[1][0], 256);
    EXPECT_EQ(StepTable[steps.stepRow].pairs[1][1], 320);
    // The last state is closed at the end of the file.
    EXPECT_EQ(StateTable[FindState("Last")].end, 384);
    EXPECT_EQ(OpenStateIndex, FindState("Last"));
    EXPECT_TRUE(platform::RecordedBoxes().empty());
}

TEST_F(Compiling, WhatTheLoaderPassesOver) {
    // A last line without its line feed is read all the same; an unfinished statement is
    // dropped; a NUL byte ends the file, the line before it read.
    EXPECT_EQ(Compile("A 1;\nB 2"), 1);
    EXPECT_EQ(StreamLength, 64);
    InitScriptEngine();
    EXPECT_EQ(Compile("A 1;\r\nB 2;"), 1);
    EXPECT_EQ(StreamLength, 128);
    EXPECT_EQ(Record(64, 3), "@YB");
    InitScriptEngine();
    EXPECT_EQ(Compile("Only;"), 1);
    EXPECT_EQ(StreamLength, 64);
    InitScriptEngine();
    EXPECT_EQ(Compile(std::string("A;\nB;\0C;\n", 10)), 1);
    EXPECT_EQ(StreamLength, 128);
    // A comment line drops itself and the statement begun before it.
    InitScriptEngine();
    EXPECT_EQ(Compile("A 1,\n2; // no\nB\n// note\nC;\nD;\n"), 1);
    EXPECT_EQ(StreamLength, 128);
    EXPECT_EQ(Record(0, 3), "@YC");
    // An empty file compiles nothing and succeeds; a NUL first byte and a missing file fail.
    InitScriptEngine();
    EXPECT_EQ(Compile(""), 1);
    EXPECT_EQ(Compile(std::string("\0A;\n", 4)), 0);
    EXPECT_EQ(LoadScriptFile((dir_ / "missing.scp").string().c_str()), 0);
    EXPECT_THAT(BoxTexts(),
                ElementsAre("File Reading Error | Error", "Script File Open Error | Error"));
    EXPECT_EQ(StreamLength, 0);
    // A UTF-8 byte-order mark put first is read as nothing: boxes name the lines as without it.
    platform::ClearRecordedBoxes();
    EXPECT_EQ(Compile("\xEF\xBB\xBF) First;\nKept;\n"), 1);
    EXPECT_EQ(Compile("\xEF\xBB\xBF\n) Second;\n"), 1);
    EXPECT_THAT(Places(), ElementsAre("t.scp, line 1", "t.scp, line 2"));
}

TEST_F(Compiling, ParsedWordsAndNumbers) {
    DeclareVariable("door");
    const char* text = "LoadIcon(\"cursor.bmp\", 10, 20, 1.5, -4) ; Extra 7;";
    uint8_t buf[256];
    ParenDropFlag = 0;
    ASSERT_EQ(ScanTokens(text, buf, sizeof buf), ScanComplete);
    RunMode = RunModeRun;
    EXPECT_EQ(ParseStatement(buf, sizeof buf), ParseResult::Command);
    // A second statement on the line adds its words and numbers to the first.
    EXPECT_EQ(Parsed.WordCount, 3);
    EXPECT_STREQ(Parsed.StatementTokens[0], "LoadIcon");
    EXPECT_STREQ(Parsed.StatementTokens[1], "cursor.bmp");
    EXPECT_STREQ(Parsed.StatementTokens[2], "Extra");
    ASSERT_EQ(Parsed.NumberCount, 5);
    EXPECT_EQ(IntArg(Parsed, 2), 1);
    EXPECT_EQ(FloatArg(Parsed, 2), 1.5f);
    EXPECT_EQ(IntArg(Parsed, 3), -4);
    EXPECT_EQ(IntArg(Parsed, 9), 0);  // a missing number reads 0
    // A statement naming a declared variable is the keyword var, the name and the rest.
    ParenDropFlag = 0;
    ASSERT_EQ(ScanTokens("door = 3; ignored", buf, sizeof buf), ScanComplete);
    EXPECT_EQ(ParseStatement(buf, sizeof buf), ParseResult::Keyword);
    ASSERT_EQ(Parsed.WordCount, 4);
    EXPECT_STREQ(Parsed.StatementTokens[0], "var");
    EXPECT_STREQ(Parsed.StatementTokens[1], "door");
    EXPECT_EQ(std::string(Parsed.StatementTokens[2], size_t(Parsed.WordLength[2])),
              std::string("=I\3\0\0\0;", 7));
    EXPECT_EQ(Var("door"), 3);
    // A statement without words keeps the words of the one before.
    ASSERT_EQ(ScanTokens("1 2;", buf, sizeof buf), ScanComplete);
    EXPECT_EQ(ParseStatement(buf, sizeof buf), ParseResult::Empty);
    EXPECT_STREQ(Parsed.StatementTokens[0], "var");
    EXPECT_EQ(Parsed.NumberCount, 2);
}

TEST_F(Compiling, LongWordsAndStatementsStayWhole) {
    // The 16- and 17-letter keywords are recognised, and a statement longer than one record is
    // stored in several blocks and runs in full: its last word still reaches the command.
    std::string nums;
    for (int i = 1; i <= 30; ++i) nums += " " + std::to_string(i);
    ASSERT_EQ(Compile("int c;\n"
                      "int d;\n"
                      "state Start;\n"
                      "c = checkUpdateState;\n"
                      "CheckActiveCursor;\n"
                      "LoadPalette" +
                      nums +
                      " \"a_rather_long_palette_name.bmp\";\n"
                      "d = CheckActiveObj;\n"),
              1);
    EXPECT_EQ(StreamLength, 64 * 3 + 256);
    EXPECT_EQ(ScriptStream[128], 'C');  // four blocks
    EXPECT_EQ(ScriptStream[128 + 256], '@');
    ReturnValue = 7;
    RunScript(1);
    EXPECT_EQ(Var("c"), 0);  // no move has ended
    EXPECT_STREQ(PaletteFileName, "a_rather_long_p");
    EXPECT_EQ(Var("d"), 99);  // nothing clicked
}

TEST_F(Compiling, TheStreamHoldsAThousandStatements) {
    std::string text = "state S;\n";
    for (int i = 0; i < 1001; ++i) text += "Cmd " + std::to_string(i) + ";\n";
    EXPECT_EQ(Compile(text), 1);
    EXPECT_EQ(StreamLength, 64000);
    EXPECT_EQ(StatementsStored, 1000);
    EXPECT_THAT(BoxTexts(), ElementsAre("Exceed maximum script | Error"));
    // The 1000th was kept, the 1001st not.
    EXPECT_EQ(ScriptStream[999 * 64 + 6], 'I');
    EXPECT_EQ(ScriptStream[999 * 64 + 7], 999 & 0xFF);
}

TEST_F(Compiling, RefusedStatementsAndTheirMessages) {
    std::string many(641 * 2, ' ');
    for (size_t i = 0; i < many.size(); i += 2) many[i] = '1';
    std::string words;
    for (int i = 0; i < 129; ++i) words += " w";
    std::string group = "if (" + std::string(130, '(') + "1" + std::string(130, ')') + ") {\n";
    ASSERT_EQ(Compile("state S;\n"
                      "Numbers " +
                      many +
                      ";\n"
                      "Words" +
                      words + ";\n" + group +
                      "Keep 1;\n"
                      ") Stray;\n"
                      "Odd : 2;\n"
                      "if (a < 3 {\n"),
              1);
    // Each names the file and the line on which its statement begins.
    EXPECT_THAT(
        BoxTexts(),
        ElementsAre("Exceed maximum parser token | Error", "Exceed maximum parser token | Error",
                    "Exceed maximum parser token | Error", "Unmatched RPAREN found! | debug",
                    "Unrecognized Token | Warning", "No matching right paren! | paren check"));
    EXPECT_THAT(Places(), ElementsAre("t.scp, line 2", "t.scp, line 3", "t.scp, line 4",
                                      "t.scp, line 6", "t.scp, line 7", "t.scp, line 8"));
    // Only the statements that parsed were stored.
    EXPECT_EQ(StreamLength, 4 * 64);
    EXPECT_EQ(Record(0, 6), std::string("@YKeep", 6));
}

TEST_F(Compiling, OverlongInputIsRefusedAndLoadingGoesOn) {
    std::string longLine = "Long " + std::string(5000, 'x') + ";\n";
    std::string longName = "Name" + std::string(130, 'n') + ";\n";
    std::string huge;  // a statement gathered over many lines past the statement buffer
    for (int i = 0; i < 3000; ++i) huge += "1 2\n";
    const std::string longText = "\"" + std::string(70, 's') + "\"";
    // A number beyond the float range is refused as a token too long is, with its own text; the
    // printed forms of the largest float are no such number. A statement refused for a token is
    // dropped whole, the lines after the refused one included, up to the line that ends it (or
    // a comment): one box, naming the line of the token. It opens and closes no block.
    ASSERT_EQ(Compile("state S;\n" + longLine + longName +
                      "Huge 1e39;\n"
                      "Largest 3.4028235e38 -3.40282347e38;\n"
                      "Over 3.4028236e38;\n"
                      "Under -3.4028236e38;\n"
                      "SetCamera(2, 1e39, 50,\n"
                      "  50, 90, 0);\n"
                      "LoadIcon(\n" +
                      longText +
                      ", 1,\n"
                      "\n"
                      "  2) ;\n"
                      "if (a < 1e39 && b) {\n"
                      "Kept;\n"
                      "} Close 1e39;\n"
                      "Odd 1e39,\n"
                      "  ) // stray\n"
                      "Kept;\n"),
              1);
    EXPECT_THAT(
        BoxTexts(),
        ElementsAre("Exceed Maximum Line size | Error", "Exceed Maximum Token size | Error",
                    "Number beyond float range | Error", "Number beyond float range | Error",
                    "Number beyond float range | Error", "Number beyond float range | Error",
                    "Exceed Maximum Token size | Error", "Number beyond float range | Error",
                    "Number beyond float range | Error", "Number beyond float range | Error"));
    EXPECT_THAT(Places(),
                ElementsAre("t.scp, line 2", "t.scp, line 3", "t.scp, line 4", "t.scp, line 6",
                            "t.scp, line 7", "t.scp, line 8", "t.scp, line 11", "t.scp, line 14",
                            "t.scp, line 16", "t.scp, line 17"));
    EXPECT_EQ(StreamLength, 3 * 64);
    EXPECT_EQ(Record(0, 9), std::string("@YLargest", 9));
    EXPECT_EQ(Record(64, 6), std::string("@YKept", 6));
    EXPECT_EQ(Record(128, 6), std::string("@YKept", 6));
    EXPECT_EQ(BraceDepth, 0);
    EXPECT_EQ(BlockLevel, 0);
    platform::ClearRecordedBoxes();
    InitScriptEngine();
    EXPECT_EQ(Compile("state S;\nFirst;\n" + huge + ";\nLost;\n"), 0);
    EXPECT_THAT(BoxTexts(), ElementsAre("Exceed Maximum Buffer size | Error"));
    EXPECT_EQ(StreamLength, 64);
    EXPECT_EQ(StateTable[1].end, 64);  // what compiled before stays, its state closed
}

TEST_F(Compiling, TablesRefuseAtTheirLimits) {
    std::string text;
    for (int i = 0; i < MaxVariables + 1; ++i) text += "int v" + std::to_string(i) + ";\n";
    text += "stepState Long;\n";
    for (int i = 0; i < MaxStepLines + 1; ++i) text += "Step " + std::to_string(i) + ";\n";
    for (int i = 0; i < MaxStates; ++i) text += "state S" + std::to_string(i) + ";\nCmd;\n";
    ASSERT_EQ(Compile(text), 1);
    // The placeholder and the step state hold two records: the last two states are refused.
    EXPECT_THAT(BoxTexts(), ElementsAre("Exceed maximum variables | var debug",
                                        "Max step state lines exceeded! | Script Debug",
                                        "Exceed maximum states | Script Debug",
                                        "Exceed maximum states | Script Debug"));
    EXPECT_EQ(VariableCount, MaxVariables);
    EXPECT_EQ(StateCount, MaxStates);
    // The 101st statement of a step state is stored but is no step.
    const ScriptState& steps = StateTable[FindState("Long")];
    EXPECT_EQ(StepTable[steps.stepRow].lineCount, MaxStepLines);
    EXPECT_EQ(steps.end - steps.start, (MaxStepLines + 1) * 64);
    // Statements after a refused state belong to no state; the last state kept its own end.
    const ScriptState& last = StateTable[MaxStates - 1];
    EXPECT_EQ(last.end - last.start, 64);
}

TEST_F(Compiling, NamesThatAreVariablesStayNames) {
    // Once declared, a name is tokenized as a variable; int, state and gotoState still take it
    // as the name it is.
    ASSERT_EQ(Load("int x;\n"
                   "int x;\n"
                   "int x;\n"
                   "int y;\n"
                   "state Start;\n"
                   "gotoState x;\n"
                   "y = 1;\n"
                   "state x;\n"
                   "x = 7;\n"
                   "exit;\n"),
              1);
    EXPECT_THAT(BoxTexts(), ElementsAre("Variable Redeclaration! | var debug",
                                        "Variable Redeclaration! | var debug"));
    EXPECT_EQ(VariableCount, 2);
    EXPECT_EQ(FindVariable("var"), MaxVariables);
    EXPECT_EQ(FindState("var"), -1);
    EXPECT_EQ(FindState("x"), 2);
    EXPECT_EQ(Var("x"), 7);
    EXPECT_EQ(Var("y"), 0);
}
