#include "ArchiveFixture.h"
#include "archive/PngImage.h"
#include "archive/ZipNames.h"
#include "common/AtomicFile.h"
#include "encyclopedia/Parser.h"

#include <set>
#include <sstream>

namespace krel::test {
namespace {

using ::testing::Contains;

const fs::path game = KREL_SAMPLE_GAME_DIR;
const fs::path sample = KREL_SAMPLE_DATA_DIR;
const fs::path pictures = game / "GameDataSets/Classic_01/GameAssets/Common/graphics.mob";
const fs::path strings = game / "GameDataSets/Classic_01/GameData/English/wStrings.mob";

std::string namePart(const std::string& listed) {
    return listed.substr(listed.find_last_of("\\:") + 1);
}

class SampleGameTest : public ArchiveTest {
protected:
    PngImage Picture(const std::string& member) {
        TZipStream* stream = zip.ExtractFileToStream(member);
        EXPECT_NE(stream, nullptr) << member;
        return stream ? DecodePng(stream->Bytes()) : PngImage{};
    }
};

TEST_F(SampleGameTest, StringArchiveHoldsTheSampleEncyclopediaAsItIs) {
    EXPECT_TRUE(fs::exists(game / "krel.exe"));
    EXPECT_TRUE(fs::exists(game / "binkw32.dll"));
    zip.SetZipFileName(strings);
    EXPECT_THAT(ListedNames(), Contains("wStrings\\wsShips.txt"));
    for (const char* name : {"wsEncyclopedia.txt", "wsEncyclopediaTitles.txt"}) {
        std::string extracted = Extracted(std::string("wStrings\\") + name);
        EXPECT_TRUE(extracted == ReadWholeFile(sample / name)) << name;
    }
    EXPECT_TRUE(reports.empty());
}

TEST_F(SampleGameTest, EveryPictureTheEntriesNameIsAPngInThePictureArchive) {
    ParseResult parsed = ParseEncyclopedia(ReadWholeFile(sample / "wsEncyclopediaTitles.txt"),
                                           ReadWholeFile(sample / "wsEncyclopedia.txt"));
    zip.SetZipFileName(pictures);
    int named = 0;
    for (const auto& record : parsed.Records) {
        if (record.Kind != ekEntry || record.Image.empty())
            continue;
        ++named;
        auto found = std::find_if(zip.ZipContents().begin(), zip.ZipContents().end(),
                                  [&](const ZipDirEntry& entry) {
                                      return FoldNameCase(namePart(entry.FileName)) ==
                                             FoldNameCase(record.Image + ".PNG");
                                  });
        ASSERT_NE(found, zip.ZipContents().end()) << record.Image;
        EXPECT_GT(Picture(found->FileName).Width, 0u) << record.Image;
    }
    EXPECT_GT(named, 20);
    EXPECT_TRUE(reports.empty());
}

TEST_F(SampleGameTest, FittingListNamesExactlyTheEntrySizedPictures) {
    zip.SetZipFileName(pictures);
    std::istringstream list(ReadWholeFile(KREL_FITTING_LIST));
    std::set<std::string> listed;
    for (std::string line; std::getline(list, line);)
        listed.insert(line);
    std::set<std::string> fitting, folders;
    for (const auto& entry : zip.ZipContents()) {
        folders.insert(entry.FileName.substr(0, entry.FileName.find_last_of('\\') + 1));
        try {
            PngImage image = Picture(entry.FileName);
            if (image.Width == 130 && image.Height == 82)
                fitting.insert(entry.FileName);
        } catch (const EPngError&) {
            EXPECT_EQ(entry.FileName, "Damaged\\StarChart.png");
        }
    }
    EXPECT_EQ(listed, fitting);
    EXPECT_LT(fitting.size(), static_cast<size_t>(zip.Count()) - 1); // some are larger
    EXPECT_GT(folders.size(), 3u);                                   // some lie in folders
}

} // namespace
} // namespace krel::test
