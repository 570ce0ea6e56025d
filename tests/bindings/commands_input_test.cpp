// The keywords and commands that reach the cursor, the function-key bindings and the overlays.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/input.h"
#include "shell/keyboard.h"
#include "shell/overlays.h"
#include "support/script_fixture.h"

namespace {

class InputCommands : public ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        InitInputState();
    }
    void TearDown() override {
        InitInputState();
        ClickedId = -1;
        ScriptTest::TearDown();
    }
};

TEST_F(InputCommands, CursorsAndKeyBindingsFromTheScript) {
    ASSERT_EQ(Load("int cursor;\n"
                   "int clicked;\n"
                   "state Start;\n"
                   "SetCursor 2;\n"
                   "cursor = CheckActiveCursor;\n"
                   "SetKeyState 115 \"Go\";\n"    // F4
                   "SetKeyState 116 \"None\";\n"  // no such state: unbound
                   "SetKeyState 300 \"Go\";\n"    // outside the table
                   "SetKeyState -1 \"Go\";\n"
                   "exit;\n"
                   "state Go;\n"
                   "clicked = CheckActiveObj;\n"
                   "exit;\n"),
              1);
    EXPECT_EQ(CursorNumber, 2);
    EXPECT_EQ(CursorItem, CursorBase + 2);
    EXPECT_EQ(Var("cursor"), 2);
    EXPECT_EQ(KeyBindingTable[115], FindState("Go"));
    EXPECT_EQ(KeyBindingTable[116], -1);
    ClickedId = 11;
    StopFlag = 0;
    ExecState(KeyBindingTable[115]);
    EXPECT_EQ(Var("clicked"), 11);
}

TEST_F(InputCommands, PanesTakeTheirOwnNumbersOnly) {
    ASSERT_EQ(Load("state Start;\n"
                   "AddPane 9 40 30 100 200;\n"
                   "AddPane 9 40;\n"
                   "LoadIcon \"missing.bmp\" 32 32 5 5;\n"  // no picture: no item
                   "exit;\n"),
              1);
    ASSERT_EQ(OverlayItemCount, 3);
    const OverlayItem& first = OverlayItems[1];
    EXPECT_EQ(first.kind, OverlayPane);
    EXPECT_EQ(first.left, 100);
    EXPECT_EQ(first.top, 200);
    EXPECT_EQ(first.right, 140);
    EXPECT_EQ(first.bottom, 230);
    const OverlayItem& second = OverlayItems[2];
    EXPECT_EQ(second.left, 0);
    EXPECT_EQ(second.top, 0);
    EXPECT_EQ(second.right, 40);
    EXPECT_EQ(second.bottom, 0);
    EXPECT_EQ(CursorItem, 2);
}

}  // namespace
