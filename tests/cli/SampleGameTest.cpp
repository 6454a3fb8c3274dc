#include "ToolRunner.h"

#include <gtest/gtest.h>

namespace krel::testing {
namespace {

// The build writes an invented game folder; the tool must read it as the editor does.
class SampleGameTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef KREL_SAMPLE_GAME_DIR
        GTEST_SKIP() << "this build has no sample-game target, so there is no game to read";
#else
        const std::string data = KREL_SAMPLE_GAME_DIR "/GameDataSets/Classic_01/";
        strings = data + "GameData/English/wStrings.mob";
        graphics = data + "GameAssets/Common/graphics.mob";
#endif
    }

    std::string strings;
    std::string graphics;
};

TEST_F(SampleGameTest, StringArchiveHoldsTheBundledSample) {
    ToolRun run = RunTool({"dump", strings});
    ASSERT_EQ(run.Status, 0) << run.Err;
    EXPECT_EQ(run.Out, RunTool({"dump", KREL_SAMPLE_DIR}).Out);
}

// Only the sample's deliberately dangling link remains: every entry finds its picture.
TEST_F(SampleGameTest, PictureArchiveHoldsEveryEntrysPicture) {
    ToolRun run = RunTool({"check", strings, "--pictures", graphics});
    EXPECT_EQ(run.Status, 1) << run.Err;
    EXPECT_EQ(run.Out, "dangling-related \"XRIF\": the entry links to \"WSHA\", which names no "
                       "record\n");
}

} // namespace
} // namespace krel::testing
