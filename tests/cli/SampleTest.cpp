#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <regex>

namespace krel::testing {
namespace {

using nlohmann::json;

const std::string kSample = KREL_SAMPLE_DIR;

// The bundled sample is the first thing a new user sees, and other tools pack it and draw a
// picture for each picture name it holds.
class SampleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ToolRun run = RunTool({"dump", kSample});
        ASSERT_EQ(run.Status, 0) << run.Err;
        for (const json& record : run.Json()) {
            if (record["kind"] == "header")
                headers.push_back(record);
            else if (record["kind"] == "entry")
                entries.push_back(record);
        }
    }

    std::vector<json> headers;
    std::vector<json> entries;
};

TEST_F(SampleTest, EveryEntryHasPlainFieldsAndAPictureName) {
    const std::regex picture("[A-Za-z0-9_]+");
    for (const json& entry : entries) {
        SCOPED_TRACE(entry.dump());
        EXPECT_EQ(entry["tag"].get<std::string>().size(), 4u);
        EXPECT_TRUE(std::regex_match(entry["image"].get<std::string>(), picture));
        EXPECT_FALSE(entry["keywords"].get<std::string>().empty());
        EXPECT_NE(entry["content"].get<std::string>().find("/p"), std::string::npos);
    }
}

// One link is left dangling on purpose: the Glass Rift points at the uncharted Shard Worlds.
TEST_F(SampleTest, CheckReportsOnlyTheDeliberatelyDanglingLink) {
    ToolRun run = RunTool({"check", kSample});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Out, "dangling-related \"XRIF\": the entry links to \"WSHA\", which names no "
                       "record\n");
}

TEST_F(SampleTest, IsStoredExactlyAsASortedSaveWritesIt) {
    TempFolder temp;
    ASSERT_EQ(RunTool({"save", kSample, temp / "out", "--sorted"}).Status, 0);
    for (const char* name : {"wsEncyclopediaTitles.txt", "wsEncyclopedia.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadWholeFile(temp.Path() / "out" / name), ReadWholeFile(kSample + "/" + name));
    }
}

} // namespace
} // namespace krel::testing
