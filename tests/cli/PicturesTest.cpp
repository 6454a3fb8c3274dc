#include "ToolRunner.h"
#include "common/AtomicFile.h"
#include "support/TestZip.h"

#include <gtest/gtest.h>
#include <set>

namespace krel::testing {
namespace {

using nlohmann::json;

class PicturesTest : public ::testing::Test {
protected:
    std::string Packed(const std::vector<test::ZipMember>& members) {
        test::WriteTestZip(temp.Path() / "graphics.mob", members);
        return temp / "graphics.mob";
    }

    TempFolder temp;
};

// Sizes come from the header alone; a member named like a picture whose header cannot be read
// is listed without them, and members not named like pictures are left out.
TEST_F(PicturesTest, ListsPngMembersInArchiveOrderWithTheirHeadersSize) {
    std::string wide = test::PngBytes(200, 126);
    std::string small = test::PngBytes(130, 82);
    std::string archive = Packed({
        {"Ships/", ""},
        {"Ships/Deep/Kestrel.PNG", wide},
        {"readme.txt", "not a picture"},
        {"Planet_Ardesh.png", small},
        {"Damaged/notes.png", "plain text under a picture's name"},
        {"Damaged/cut.png", test::PngBytes(10, 10).substr(0, 24)},
        {"Ships/Kestrel.png.bak", wide},
    });
    ToolRun run = RunTool({"pictures", archive});
    ASSERT_EQ(run.Status, 0) << run.Err;
    auto row = [](const std::string& name, size_t size, json width, json height) {
        return json{{"name", name}, {"size", size}, {"width", width}, {"height", height}};
    };
    EXPECT_EQ(run.Json(), json::array({row("Ships\\Deep\\Kestrel.PNG", wide.size(), 200, 126),
                                       row("Planet_Ardesh.png", small.size(), 130, 82),
                                       row("Damaged\\notes.png", 33, nullptr, nullptr),
                                       row("Damaged\\cut.png", 24, nullptr, nullptr)}));
}

// A picture whose header says width x height, its data cut to fit in size bytes.
std::string pictureDeclaring(uint32_t width, uint32_t height, size_t size) {
    return test::WithPngHeader(test::PngBytes(4, 4).substr(0, size), width, height);
}

// Every member is read at its own place in the archive, so members whose names differ only in
// letter case, or repeat, each get their own sizes; only an intact header that could hold its
// picture gives sizes at all.
TEST_F(PicturesTest, EveryMemberIsJudgedByItsOwnHeader) {
    std::string brokenCrc = test::PngBytes(10, 10);
    brokenCrc[30] ^= 0x55;
    std::string archive = Packed({
        {"Ships/Kestrel.png", test::PngBytes(20, 10)},
        {"ships/KESTREL.png", test::PngBytes(30, 15)},
        {"Twin-1.png", test::PngBytes(5, 6)},
        {"Twin-2.png", test::PngBytes(7, 8)},
        {"Bomb.png", pictureDeclaring(20000, 20000, 74)},
        {"Fits.png", pictureDeclaring(40, 30, 74)},
        {"BrokenCrc.png", brokenCrc},
    });
    // libzip writes no name twice, so the second twin is renamed in the archive's own bytes.
    std::string bytes = ReadWholeFile(archive);
    for (size_t at = bytes.find("Twin-2.png"); at != std::string::npos;
         at = bytes.find("Twin-2.png", at))
        bytes.replace(at, 10, "Twin-1.png");
    WriteFileAtomic(archive, bytes);

    ToolRun run = RunTool({"pictures", archive});
    ASSERT_EQ(run.Status, 0) << run.Err;
    std::vector<std::string> found;
    for (const json& row : run.Json())
        found.push_back(row["name"].get<std::string>() + " " + row["width"].dump() + "x" +
                        row["height"].dump() + " " + row["size"].dump());
    EXPECT_EQ(found,
              (std::vector<std::string>{
                  "Ships\\Kestrel.png 20x10 " + std::to_string(test::PngBytes(20, 10).size()),
                  "ships\\KESTREL.png 30x15 " + std::to_string(test::PngBytes(30, 15).size()),
                  "Twin-1.png 5x6 " + std::to_string(test::PngBytes(5, 6).size()),
                  "Twin-1.png 7x8 " + std::to_string(test::PngBytes(7, 8).size()),
                  "Bomb.png nullxnull 74",
                  "Fits.png 40x30 74",
                  "BrokenCrc.png nullxnull " + std::to_string(brokenCrc.size()),
              }));
}

// The editor shows the first member whose file-name part is the picture name + ".PNG" in any
// letter case and folder; nothing else counts as the picture.
TEST_F(PicturesTest, CheckReportsEveryEntryWhosePictureTheEditorWouldNotFind) {
    WriteEncyclopedia(temp.Path() / "src",
                      {"|EGH_0001|\"Worlds:WARD,SKES,SVOL,WVEL,WFAR\"", "|EGT_EROR|\"Start\"",
                       "|EGT_WARD|\"Ardesh\"", "|EGI_WARD|\"Planet_Ardesh\"",
                       "|EGT_SKES|\"Kestrel\"", "|EGI_SKES|\"Kestrel\"", "|EGT_SVOL|\"Volant\"",
                       "|EGI_SVOL|\"Volant\"", "|EGT_WVEL|\"Vell\"", "|EGI_WVEL|\"Vell.png\"",
                       "|EGT_WFAR|\"Far\""},
                      {});
    std::string archive = Packed({
        {"Planets/Deep/PLANET_ARDESH.png", test::PngBytes(4, 4)},
        {"Ships/Kestrel.png.bak", test::PngBytes(4, 4)},
        {"Volant/", ""},
        {"Vell.png", test::PngBytes(4, 4)},
    });
    ToolRun run = RunTool({"check", temp / "src", "--json", "--pictures", archive});
    EXPECT_EQ(run.Status, 1) << run.Err;
    std::set<std::pair<std::string, std::string>> found; // (tag, image)
    for (const json& problem : run.Json()) {
        EXPECT_EQ(problem["problem"], "missing-picture");
        found.insert({problem["tag"].get<std::string>(), problem["image"].get<std::string>()});
    }
    EXPECT_EQ(found,
              (decltype(found){{"SKES", "Kestrel"}, {"SVOL", "Volant"}, {"WVEL", "Vell.png"}}));

    ToolRun lines = RunTool({"check", temp / "src", "--pictures", archive});
    EXPECT_NE(lines.Out.find("missing-picture \"SKES\": no member of the picture archive is "
                             "called \"Kestrel.PNG\""),
              std::string::npos)
        << lines.Out;

    ToolRun damaged =
        RunTool({"check", temp / "src", "--pictures", temp / "src/wsEncyclopedia.txt"});
    EXPECT_EQ(damaged.Status, 2);
    EXPECT_NE(damaged.Err.find("wsEncyclopedia.txt': Error: "), std::string::npos) << damaged.Err;
}

} // namespace
} // namespace krel::testing
