#include <cmath>

#include "anim/key_frames.h"
#include "anim/motion_files.h"
#include "anim_fixture.h"
#include "script/tokenizer.h"
#include "world/char3d_object.h"

namespace {

// A two-part object: a red box body with an arm below it, the arm textured; the object's own
// motion turns the arm over 8 frames.
const char* const RobotFile =
    "material Red 1.0 0.0 0.0 1.0;\n"
    "specular 0.5 8.0;\n"
    "material Skin;\n"
    "texture \"skin.ppm\";\n"
    "object body {\n"
    "  matrix 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1;\n"
    "  material Red;\n"
    "  vertices 0 0 0  1 0 0  1 1 0  0 1 0;\n"
    "  normals 0 0 -1;\n"
    "  faces 4 0 0 1 0 2 0 3 0  3 0 0 2 0 1 0;\n"
    "  object arm {\n"
    "    matrix 1 0 0 0  0 1 0 0  0 0 1 0  0 -2 0 1;\n"
    "    material Skin;\n"
    "    vertices 0 0 0  1 0 0  1 1 0;\n"
    "    normals 0 0 -1;\n"
    "    faces 3 0 0 1 0 2 0;\n"
    "    texture_coordinates 0 0  1 0  1 1  9;\n"
    "  }\n"
    "}\n"
    "animation_set swing {\n"
    "  animation arm {\n"
    "    object_name 0 1 0 0 0  8 0 0 1 0;\n"
    "    scale_keys;\n"
    "  }\n"
    "}\n";

// A further motion of that object: its body stays, its arm (the next part, whatever the name)
// turns over 12 frames. A line of braces alone runs the statement before it again, so the
// braces follow statements that do nothing here.
const char* const WaveFile =
    "object body {\n"
    "  object limb {\n"
    "    mesh;\n"
    "  }\n"
    "}\n"
    "animation limb {\n"
    "  object_name 0 1 0 0 0  12 0 1 0 0;\n"
    "  scale_keys;\n"
    "}\n";

const char* const TrackFile =
    "object track;\n"
    "object_name 0 1 0 0 0  20 0 0 1 0;\n"
    "position_keys 0 0 0 0  10 5 0 0  20 5 0 5;\n";

// A 2 x 2 picture file of the kind the scene graph loads.
const char* const Ppm = "P3\n2 2\n255\n255 0 0  0 255 0\n0 0 255  255 255 255\n";

class MotionFiles : public AnimTest {
protected:
    void SetUp() override {
        AnimTest::SetUp();
        Write("robot.x", RobotFile);
        Write("wave.x", WaveFile);
        Write("track.x", TrackFile);
        Write("skin.ppm", Ppm);
    }
};

}  // namespace

TEST_F(MotionFiles, AnAnimatedObjectBringsItsPartsMaterialsKeysAndCharacter) {
    const float numbers[5] = {10.0f, 1.0f, 20.0f, 2.0f, 3.0f};
    ASSERT_EQ(LoadAnimObj("robot.x", numbers, 5), 1);
    EXPECT_TRUE(platform::RecordedBoxes().empty());

    // Parts: the file's root (placed and scaled), the body under it, the arm under the body.
    EXPECT_EQ(NextPart, 4);  // the last part's mesh moved the counter on
    ASSERT_NE(Part[0].frame, nullptr);
    EXPECT_EQ(Part[0].frame->GetParent(), WorldFrame);
    EXPECT_EQ(Part[1].frame->GetParent(), Part[0].frame);
    EXPECT_EQ(Part[2].frame->GetParent(), Part[1].frame);
    platform::RmVector at;
    Part[2].frame->GetPosition(WorldFrame, &at);
    EXPECT_FLOAT_EQ(at.x, 10.0f);
    EXPECT_FLOAT_EQ(at.y, 1.0f + 3.0f - 2.0f * 2.0f);  // height added, then the scaled arm offset
    EXPECT_FLOAT_EQ(at.z, 20.0f);

    // Meshes: the body coloured by its material, the arm textured with its coordinates.
    ASSERT_NE(Part[1].meshBuilder, nullptr);
    EXPECT_EQ(Part[1].meshBuilder->GetFaceCount(), 2u);
    const auto& body = Part[1].meshBuilder->Geometry();
    EXPECT_EQ(body.faces[0]->Color(), platform::RmCreateColorRGB(1, 0, 0));
    EXPECT_NE(body.faces[1]->Material(), nullptr);
    const auto& arm = Part[2].meshBuilder->Geometry();
    ASSERT_EQ(arm.faces.size(), 1u);
    EXPECT_NE(arm.faces[0]->Texture(), nullptr);
    EXPECT_EQ(arm.faces[0]->Texture(), Material[FindMaterial("Skin")].texture);
    EXPECT_FLOAT_EQ(arm.texCoords[2].u, 1.0f);
    EXPECT_FLOAT_EQ(arm.texCoords[2].v, 1.0f);
    EXPECT_EQ(Part[1].frame->Visuals().size(), 1u);

    // The motion row, its links in the object's hierarchy, the arm's keys, the character.
    ASSERT_EQ(MotionCount, 1);
    const MotionTableEntry& row = MotionTable[0];
    EXPECT_EQ(row.frameCount, 8);
    EXPECT_EQ(row.active, 1);
    const MotionLinkNode& top = MotionLink[row.firstLink];
    EXPECT_STREQ(top.name, "body");
    EXPECT_EQ(top.part, 1);
    ASSERT_NE(top.firstChild, nullptr);
    EXPECT_STREQ(top.firstChild->name, "arm");
    EXPECT_EQ(top.firstChild->part, 2);
    EXPECT_EQ(top.firstChild->keyCount, 2);  // "scale_keys" after it runs nothing
    EXPECT_EQ(top.nextSibling, nullptr);
    ASSERT_EQ(AnimObjCount, 1);
    EXPECT_EQ(row.animObj, 0);
    EXPECT_FLOAT_EQ(AnimObj[0].heightOffset, 3.0f);
    ASSERT_NE(AnimObj[0].character, nullptr);
    EXPECT_EQ(AnimObj[0].character->frame, Part[1].frame);

    // Materials: entry 0 is none; Red has colour and highlight, Skin its texture.
    EXPECT_EQ(MaterialCount, 3);
    EXPECT_EQ(Material[1].kind, MaterialColour);
    EXPECT_FLOAT_EQ(Material[1].material->GetPower(), 8.0f);
    EXPECT_EQ(Material[2].kind, MaterialTexture);
    EXPECT_EQ(Material[2].texture->Width(), 2);
}

TEST_F(MotionFiles, AMotionFileDrivesTheObjectsPartsInOrder) {
    ASSERT_EQ(LoadAnimObj("robot.x", nullptr, 0), 1);
    ASSERT_EQ(LoadMotion("wave.x"), 1);
    ASSERT_EQ(MotionCount, 2);
    const MotionTableEntry& wave = MotionTable[1];
    EXPECT_EQ(wave.frameCount, 12);
    EXPECT_EQ(wave.active, 0);
    EXPECT_EQ(wave.animObj, MotionTable[0].animObj);
    const MotionLinkNode& top = MotionLink[wave.firstLink];
    EXPECT_EQ(top.part, 1);
    ASSERT_NE(top.firstChild, nullptr);
    EXPECT_STREQ(top.firstChild->name, "limb");
    EXPECT_EQ(top.firstChild->part, 2);
    EXPECT_EQ(top.firstChild->keyCount, 2);
    EXPECT_EQ(MotionLink[0].firstChild->nextSibling, nullptr);  // each top link walks alone

    // Playing it turns the arm's part.
    SetAnim(0, 1, 0);
    for (int i = 0; i < 7; ++i) UpdateAnimObjects();
    platform::RmMatrix4 m;
    Part[2].frame->GetTransform(m);
    EXPECT_NEAR(m.m[1][1], 0.0f, 1e-5);  // frame 6: halfway to a half turn about x
    EXPECT_NEAR(std::fabs(m.m[1][2]), 1.0f, 1e-5);
    EXPECT_FLOAT_EQ(m.m[3][1], -2.0f);

    // A motion for an object never loaded stores no row and none of its keys.
    Write("stray.x", "object ghost {\n  object_name 0 1 0 0 0;\n}\n");
    const int keysBefore = KeyWriteOffset;
    EXPECT_EQ(LoadMotion("stray.x"), 1);
    EXPECT_EQ(MotionCount, 2);
    EXPECT_EQ(KeyWriteOffset, keysBefore);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Motion object does not existed | Error"}));
}

TEST_F(MotionFiles, APathFileStoresItsKeysUnderItsName) {
    ASSERT_EQ(LoadPath("track.x"), 1);
    EXPECT_EQ(PathCount, 1);
    EXPECT_EQ(CurrentPath, 1);
    EXPECT_STREQ(Path[0].name, "track");
    EXPECT_EQ(Path[0].rotCount, 2);
    EXPECT_EQ(Path[0].posCount, 3);
    EXPECT_EQ(Path[0].frameCount, 20);
    EXPECT_FLOAT_EQ(KeyFloat(Path[0].keyOffset + 4 + 18 * 2 + 4 + 6 + 24 + 8), 5.0f);
    // Without an "object" of its own a path keeps the last name; the ninth path is refused. Its
    // one line, without a line feed, is read.
    Write("bare.x", "position_keys 0 1 1 1;");
    for (int i = 1; i < MaxPaths; ++i) ASSERT_EQ(LoadPath("bare.x"), 1);
    EXPECT_STREQ(Path[7].name, "track");
    EXPECT_EQ(Path[7].rotCount, 0);
    EXPECT_EQ(Path[7].posCount, 1);
    EXPECT_EQ(LoadPath("bare.x"), 0);
    EXPECT_EQ(PathCount, MaxPaths);
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed Maximum Path Size | Error"}));
}

TEST_F(MotionFiles, ReadingFailuresAreReportedAndKeepWhatWasRead) {
    EXPECT_EQ(LoadAnimObjFile("missing.x"), 0);
    Write("nul.x", std::string("\0object a;\n", 11));
    EXPECT_EQ(LoadMotion("nul.x"), 0);
    Write("long.x", "object a;\nobject " + std::string(200, 'b') + ";\nobject c;\n");
    EXPECT_EQ(LoadAnimObjFile("long.x"), 0);
    EXPECT_EQ(NextMotionLink, 2);  // "a" stays; nothing after the bad line is read
    Write("wide.x", "vertices" + std::string(5000, ' ') + "1;\n");
    EXPECT_EQ(LoadAnimObjFile("wide.x"), 0);
    std::string big = "vertices";
    for (int i = 0; i < 2200; ++i) big += " 1\n";
    Write("big.x", big + ";\n");
    EXPECT_EQ(LoadAnimObjFile("big.x"), 0);
    // A statement left open at the end is only a notice, captioned with the file's name; a last
    // line without its line feed is read.
    Write("open.x", "object d;\nobject e\nobject f");
    EXPECT_EQ(LoadAnimObjFile("open.x"), 1);
    EXPECT_STREQ(MotionLink[NextMotionLink - 1].name, "d");
    Write("last.x", "object g;\nobject h;");
    EXPECT_EQ(LoadAnimObjFile("last.x"), 1);
    EXPECT_STREQ(MotionLink[NextMotionLink - 1].name, "h");
    // A UTF-8 byte-order mark is read as nothing: a file of the mark alone reads as an empty one,
    // and after a first line of the mark alone the statement left open begins on line 2.
    Write("empty.x", "");
    EXPECT_EQ(LoadMotion("empty.x"), 1);
    Write("mark.x", "\xEF\xBB\xBF");
    EXPECT_EQ(LoadMotion("mark.x"), 1);
    Write("marked.x", "\xEF\xBB\xBF\nobject i\n");
    EXPECT_EQ(LoadAnimObjFile("marked.x"), 1);
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{
                  "Script File Open Error | Error", "File Reading Error | Error",
                  "Illegal Syntax | Error", "Exceed Maximum Buffer size | Error",
                  "Exceed Maximum Buffer size | Error", "Motion File Terminated Illegally | open.x",
                  "Motion File Terminated Illegally | marked.x"}));
    // Each names the file under its text, with the line of the fault's statement where there is
    // one: the overlong name, the overlong line, the start of the statement too long to gather,
    // and the start of the statement left open.
    std::vector<std::string> places;
    for (const platform::RecordedBox& box : platform::RecordedBoxes()) places.push_back(box.place);
    EXPECT_EQ(places,
              (std::vector<std::string>{"missing.x", "nul.x", "long.x, line 2", "wide.x, line 1",
                                        "big.x, line 1", "open.x, line 2", "marked.x, line 2"}));
}

TEST_F(MotionFiles, StatementsWithoutKeywordsAndUnbalancedBraces) {
    // Words without a keyword name the faces' materials; a statement without words runs the
    // previous one again, here storing a second key block for the same link.
    Write("faces.x",
          "material Skin;\n"
          "texture \"skin.PPM\";\n"
          "material Plain 0 1 0 1;\n"
          "object o {\n"
          "  matrix 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1;\n"
          "  vertices 0 0 0  1 0 0  1 1 0  0 1 0;\n"
          "  normals 0 0 -1;\n"
          "  faces 3 0 0 1 0 2 0  3 0 0 2 0 3 0;\n"
          "  Skin Plain;\n"
          "  object_name 0 1 0 0 0;\n"
          "  1 0 1 0 0  2 0 1 0 0;\n"
          "  scale_keys;\n"
          "}}}}\n"
          "object p {{{{{{{{{{{{{{{{{{{{\n"
          "  matrix 1 0 0 0  0 1 0 0  0 0 1 0  0 0 0 1;\n");
    ASSERT_EQ(LoadAnimObjFile("faces.x"), 1);
    const auto& faces = Part[1].meshBuilder->Geometry().faces;
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0]->Texture(), Material[1].texture);
    EXPECT_EQ(faces[1]->Texture(), nullptr);
    const MotionLinkNode& o = MotionLink[1];
    EXPECT_EQ(o.keyCount, 2);
    EXPECT_EQ(KeyInt16(o.keyOffset + 2 + 2), 2);
    // Braces below zero and past the deepest level keep the level inside the stack.
    EXPECT_EQ(MotionLink[2].parent, &MotionLink[0]);
    EXPECT_EQ(Part[2].frame->GetParent(), Part[0].frame);
    // Shown once for each line: below zero, and past the deepest level.
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Exceed Maximum Motion Levels | Error",
                                                    "Exceed Maximum Motion Levels | Error"}));
}

TEST_F(MotionFiles, AfterTheLevelResetNewLinksHangUnderLinksOfTheirOwnFile) {
    // An object file whose nested objects sit deeper than the one before them, read again after
    // the reset: its links must not take the parents the earlier reading left on the level
    // stack (one became its own child, and the next reset walked it forever).
    const std::string path = DUSK_FUZZ_CORPUS "/motion/crash-link-own-child";
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        LoadAnimObj(path.c_str(), nullptr, 0);
        LoadMotion(path.c_str());
        for (int i = 1; i < NextMotionLink; ++i) {
            int steps = 0;
            for (const MotionLinkNode* up = MotionLink[i].parent; up; up = up->parent) {
                ASSERT_NE(up, &MotionLink[i]) << "link " << i;
                ASSERT_LT(++steps, MaxMotionLinks) << "link " << i;
            }
        }
        ResetAnimObjects(0);
        TruncateMotionTable(0);
        ResetMaterials();
    }
}
