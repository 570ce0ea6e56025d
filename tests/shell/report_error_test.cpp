#include <gtest/gtest.h>

#include <string>

#include "base/report_error.h"
#include "platform/message_box.h"

TEST(ReportError, ShowsThePrefixedTextStopsRenderingAndCutsLongTexts) {
    platform::SetBoxEcho(false);
    platform::ClearRecordedBoxes();
    RenderingStopped = 0;
    ReportError("Open file %s failed!", "room.cub");
    ASSERT_EQ(platform::RecordedBoxes().size(), 1u);
    EXPECT_EQ(platform::RecordedBoxes()[0].text, "D3D: Open file room.cub failed!\r\n");
    EXPECT_EQ(platform::RecordedBoxes()[0].caption, "Msg");
    EXPECT_EQ(RenderingStopped, 1);
    ReportError("%s", std::string(400, 'x').c_str());
    EXPECT_EQ(platform::RecordedBoxes()[1].text.size(), 255u);
    RenderingStopped = 0;
    QuitRequested = false;
    QuitApp();
    EXPECT_TRUE(QuitRequested);
    QuitRequested = false;
}
