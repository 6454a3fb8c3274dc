#include "Records.h"
#include "common/AtomicFile.h"
#include "encyclopedia/Errors.h"
#include "encyclopedia/FileText.h"
#include "encyclopedia/Parser.h"
#include "encyclopedia/TextFormat.h"
#include "encyclopedia/Writer.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace krel::test {
namespace fs = std::filesystem;
using namespace std::string_literals;
namespace {

TEST(Parse, ReportsEachWholePercentageOnce) {
    std::string lines = "head\r\n";
    for (int i = 0; i < 1000; ++i)
        lines += "|EGT_" + std::to_string(1000 + i) + "|\"t\"\r\n";
    using Call = std::pair<std::string, int>;
    std::vector<Call> calls;
    ParseEncyclopedia(lines, "head only", [&](const std::string& message, int percent) {
        calls.emplace_back(message, percent);
    });
    ASSERT_EQ(calls.size(), 1u + 100 + 1 + 1);
    EXPECT_EQ(calls[0], Call("Parsing Encyclopedia Titles.", 0));
    for (size_t i = 1; i <= 100; ++i)
        EXPECT_EQ(calls[i].second, int(i));
    EXPECT_EQ(calls[101], Call("Parsing Encyclopedia Contents.", 0));
    EXPECT_EQ(calls[102], Call("Processing Completed.", 100));
}

class WorkFolder : public ::testing::Test {
protected:
    TempFolder temp;
    fs::path folder = temp.Path();
};

TEST_F(WorkFolder, ExecuteFailsBeforeCompletionOnMissingOrEmptyFiles) {
    std::vector<std::string> steps;
    ProgressFn progress = [&](const std::string& message, int) {
        steps.push_back(message);
    };
    bool completed = false;
    auto failure = [&](bool mergeFiles, const ProgressFn& report) {
        try {
            Execute(folder, mergeFiles, report, [&](const ParseResult&) { completed = true; });
        } catch (const EEncThreadError& error) {
            return std::string(error.what());
        }
        return std::string("no failure");
    };
    EXPECT_EQ(failure(false, progress).rfind("Execute()\rCannot open file", 0), 0u);
    WriteFileAtomic(TitlesFileIn(folder, true), "head\r\n|EGT_A001|\"A\"");
    WriteFileAtomic(ContentsFileIn(folder, true), "");
    EXPECT_EQ(failure(true, progress), "Execute()\rList index out of bounds (0)");
    EXPECT_EQ(steps.back(), "Loading Encyclopedia Content.");

    WriteFileAtomic(ContentsFileIn(folder, true), "head");
    auto refuse = [](const std::string&, int percent) {
        if (percent == 100)
            throw std::runtime_error("stopped");
    };
    EXPECT_EQ(failure(true, refuse), "Execute()\rSetProgress()\rstopped");
    EXPECT_FALSE(completed);
    EXPECT_EQ(failure(true, progress), "no failure");
    EXPECT_TRUE(completed);
}

// Large files are read through one small buffer; surrogate pairs every three units and a NUL
// far into an 8-bit file meet its refills wherever they fall.
TEST_F(WorkFolder, ReadsLargeFilesAsTheyDecodeWhole) {
    std::string utf16 = "\xFF\xFE";
    for (int i = 0; i < 60000; ++i)
        utf16 += i % 1000 ? "a\0\x3D\xD8\x00\xDE"s : "\xE9\0\xAC\x20\x3D\xD8"s;
    std::string eightBit(150000, 'b');
    eightBit[140000] = '\0';
    for (const std::string& bytes : {utf16, utf16 + "z", eightBit}) {
        WriteFileAtomic(folder / "file", bytes);
        EXPECT_EQ(ReadEncyclopediaFile(folder / "file").View(), DecodeEncyclopediaText(bytes));
    }
    auto failure = [](const fs::path& path) {
        try {
            ReadEncyclopediaFile(path);
        } catch (const std::runtime_error& error) {
            return std::string(error.what());
        }
        return std::string("no failure");
    };
    EXPECT_EQ(failure(folder), "Cannot open file '" + folder.string() + "': it is a folder");
    EXPECT_EQ(failure(folder / "none").rfind("Cannot open file '", 0), 0u);
}

TEST_F(WorkFolder, SavingWritesBothFilesAndReplacesThemTogether) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace({Header("0001", "Stars:A001"), Entry("A001", "Alpha", "k", "Body")});
    SaveCurrentEncyclopedia(encyclopedia, folder.string() + "/");
    std::string titles = ReadWholeFile(folder / "wsEncyclopediaTitles.txt");
    EXPECT_EQ(titles, EncodeTitlesFile(encyclopedia.GetEntryList()));
    EXPECT_EQ(ReadWholeFile(folder / "wsEncyclopedia.txt"),
              EncodeContentsFile(encyclopedia.GetEntryList()));

    // A contents target that cannot be replaced leaves the titles file as it was.
    fs::remove(folder / "wsEncyclopedia.txt");
    fs::create_directories(folder / "wsEncyclopedia.txt" / "blocker");
    encyclopedia.Append(Entry("B002", "Beta"));
    EXPECT_THROW(SaveCurrentEncyclopedia(encyclopedia, folder), EEncEditorError);
    EXPECT_EQ(ReadWholeFile(folder / "wsEncyclopediaTitles.txt"), titles);

    try {
        SaveCurrentEncyclopedia(encyclopedia, folder / "missing");
        FAIL();
    } catch (const EEncEditorError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("SaveCurrentEncyclopedia()\rCannot create", 0),
                  0u);
    }
}

} // namespace
} // namespace krel::test
