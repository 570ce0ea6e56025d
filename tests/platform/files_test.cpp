#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/random.h"

namespace fs = std::filesystem;

namespace {

struct TempDir {
    fs::path path;
    TempDir() {
        path = fs::temp_directory_path() / ("dusk_files_" + std::to_string(::getpid()));
        fs::create_directories(path / "Sub" / "Deeper");
        std::ofstream(path / "Sub" / "Deeper" / "Level.TXT") << "hello";
        std::ofstream(path / "a.scp") << "x";
        std::ofstream(path / "B.SCP") << "y";
        std::ofstream(path / "c.txt") << "z";
    }
    ~TempDir() { fs::remove_all(path); }
};

}  // namespace

TEST(Files, WindowsStyleNamesResolveCaseInsensitivelyPerComponent) {
    TempDir t;
    std::string name = t.path.string() + "\\sub\\DEEPER\\level.txt";
    FILE* f = platform::OpenFile(name, "rb");
    ASSERT_NE(f, nullptr);
    char buf[8] = {};
    EXPECT_EQ(std::fread(buf, 1, 5, f), 5u);
    std::fclose(f);
    EXPECT_STREQ(buf, "hello");
    EXPECT_EQ(platform::OpenFile(t.path.string() + "/sub/missing.txt", "rb"), nullptr);
}

TEST(Files, FindFilesMatchesSuffixIgnoringCase) {
    TempDir t;
    auto names = platform::FindFiles(t.path.string(), ".scp");
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], "B.SCP");
    EXPECT_EQ(names[1], "a.scp");
}

TEST(MessageBoxes, HeadlessBoxesAreRecordedAndAnswered) {
    platform::ClearRecordedBoxes();
    platform::SetBoxEcho(false);
    EXPECT_EQ(platform::MessageBox("State not Defined!", "State Exec Debug"), platform::IDOK);
    platform::SetRecordedBoxAnswer(platform::IDCANCEL);
    EXPECT_EQ(platform::MessageBox("t", "c", platform::MB_OKCANCEL), platform::IDCANCEL);
    platform::SetRecordedBoxAnswer(platform::IDOK);
    ASSERT_EQ(platform::RecordedBoxes().size(), 2u);
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "State Exec Debug");
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "State not Defined!");
    EXPECT_EQ(platform::RecordedBoxes()[1].style, platform::MB_OKCANCEL);
    platform::ClearRecordedBoxes();
    platform::SetBoxEcho(true);
}

// A box names the innermost file its text does not name; a name inside a word of the text does
// not count. A file's count starts anew with each reading and goes on while its script runs. A
// box left out is shown at a fault's end only while the line it was asked at stands.
TEST(MessageBoxes, BoxesNameTheirFileAndAreCountedPerFile) {
    platform::ClearRecordedBoxes();
    platform::SetBoxEcho(false);
    auto last = [] { return platform::RecordedBoxes().back().place; };
    {
        platform::BoxPlace script("ate", platform::BoxPlace::Anew, 7);
        platform::BoxPlace unnamed("", platform::BoxPlace::Anew);
        platform::MessageBox("State not defined!", "state debug");
        EXPECT_EQ(last(), "ate, line 7");
        {
            platform::BoxPlace picture("a.bmp", platform::BoxPlace::Anew);
            platform::MessageBox("Open a.bmp failed.", "ERROR");
            EXPECT_EQ(last(), "ate, line 7");
            platform::MessageBox("Create a BMP surface failed!", "ERROR");
            EXPECT_EQ(last(), "a.bmp");
        }
        platform::MessageBox("Level file ate holds no cube!", "Msg");
        EXPECT_EQ(last(), "");
        // The same text from another line is another box; from the same line again, none.
        script.SetLine(9);
        platform::MessageBox("State not defined!", "state debug");
        platform::MessageBox("State not defined!", "state debug");
        EXPECT_EQ(platform::RecordedBoxes().size(), 5u);
        EXPECT_EQ(last(), "ate, line 9");
        for (int i = 0; platform::RecordedBoxes().size() < 20 && i < 20; ++i) {
            platform::MessageBox("Box " + std::to_string(i), "debug");
        }
        // The box of the picture counted against the script, as it named it.
        EXPECT_EQ(platform::RecordedBoxes().size(), 13u);
        script.SetLine(10);
        EXPECT_EQ(platform::ShowBoxLeftOut(), 0);
        {
            platform::BoxPlace picture("b.bmp", platform::BoxPlace::Anew);
            platform::MessageBox("Open b.bmp failed.", "ERROR");
        }
        EXPECT_EQ(platform::ShowBoxLeftOut(), platform::IDOK);
        EXPECT_EQ(last(), "ate, line 10");
    }
    {
        platform::BoxPlace run("ate", platform::BoxPlace::GoOn, 3);
        platform::MessageBox("Another text", "debug");
        EXPECT_EQ(platform::RecordedBoxes().size(), 14u);
        platform::MessageBox("Another text", "debug");  // left out
    }
    // The run has ended: a fault's end without a box of its own shows none.
    EXPECT_EQ(platform::ShowBoxLeftOut(), 0);
    EXPECT_EQ(platform::RecordedBoxes().size(), 14u);
    {
        platform::BoxPlace reading("ate", platform::BoxPlace::Anew);
        platform::MessageBox("State not defined!", "state debug");
        EXPECT_EQ(platform::RecordedBoxes().size(), 15u);
    }
    platform::MessageBox("State not defined!", "state debug");  // no place: not counted
    EXPECT_EQ(last(), "");
    EXPECT_EQ(platform::RecordedBoxes().size(), 16u);
    platform::ClearRecordedBoxes();
    platform::SetBoxEcho(true);
}

// A text names the file only by its whole name: a name that holds the file's name with more
// before or after it is another file's, and the box keeps the file's place.
TEST(MessageBoxes, ATextNamesTheFileOnlyByItsWholeName) {
    platform::ClearRecordedBoxes();
    platform::SetBoxEcho(false);
    const std::pair<std::string, std::string> boxes[] = {
        {"Open room1.cub.bak failed.", "room1.cub, line 39"},
        {"Open xroom1.cub failed.", "room1.cub, line 39"},
        {"Open room1.cub2 failed.", "room1.cub, line 39"},
        {"Open old/room1.cub failed.", "room1.cub, line 39"},
        {"Open old\\room1.cub failed.", "room1.cub, line 39"},
        {"Open room1.cub failed.", "demo.lvl, line 5"},
        {"D3D: Open file room1.cub failed!\r\n", "demo.lvl, line 5"},
    };
    {
        platform::BoxPlace level("demo.lvl", platform::BoxPlace::Anew, 5);
        platform::BoxPlace cube("room1.cub", platform::BoxPlace::Anew, 39);
        for (const auto& [text, place] : boxes) {
            platform::MessageBox(text, "ERROR");
            EXPECT_EQ(platform::RecordedBoxes().back().place, place) << text;
        }
    }
    EXPECT_EQ(platform::RecordedBoxes().size(), std::size(boxes));
    platform::ClearRecordedBoxes();
    platform::SetBoxEcho(true);
}

TEST(Random, FifteenBitSequenceIsRepeatableAndInRange) {
    platform::SRand(1);
    int first[4];
    for (int& v : first) v = platform::Rand();
    EXPECT_EQ(first[0], 41);  // the first draw of seed 1
    platform::SRand(1);
    for (int v : first) EXPECT_EQ(platform::Rand(), v);
    platform::SRand(12345);
    for (int i = 0; i < 10000; ++i) {
        int v = platform::Rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, platform::RAND_MAX15);
    }
}
