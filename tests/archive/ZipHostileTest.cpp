#include "ArchiveFixture.h"
#include "ZipBytes.h"

#include <chrono>
#include <iostream>

namespace krel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ZipHostileTest : public ArchiveTest {};

std::string validArchive() {
    return BuildZip({{"one.txt", std::string(4000, '1'), true}, {"two.txt", "second member"}});
}

struct OpenCase {
    const char* Label;
    std::string Bytes;
};

TEST_F(ZipHostileTest, ArchivesThatCannotBeListedAreReportedAndLeaveAnEmptyList) {
    std::string valid = validArchive();
    std::string badSignature = valid;
    badSignature[valid.size() - 22] = 'X'; // end-of-directory record
    const std::vector<OpenCase> cases = {
        {"text", "plain text that is no archive"},
        {"truncated", valid.substr(0, valid.size() / 2)},
        {"end record cut", valid.substr(0, valid.size() - 5)},
        {"end record damaged", badSignature},
    };
    for (const auto& c : cases) {
        reports.clear();
        zip.SetZipFileName(WriteFile("good.zip", valid));
        ASSERT_EQ(zip.Count(), 2);
        auto before = Snapshot();
        zip.SetZipFileName(WriteFile("bad.zip", c.Bytes));
        EXPECT_EQ(zip.Count(), 0) << c.Label;
        EXPECT_TRUE(zip.ZipFileName().empty()) << c.Label;
        ASSERT_EQ(reports.size(), 1u) << c.Label;
        EXPECT_THAT(reports[0], HasSubstr("Error: ")) << c.Label;
        before[dir / "bad.zip"] = c.Bytes;
        EXPECT_EQ(Snapshot(), before) << c.Label;
    }
}

TEST_F(ZipHostileTest, ArchiveWithoutMembersListsNothingAndAcceptsAdds) {
    fs::path archive = WriteFile("empty.zip", BuildZip({}));
    zip.SetZipFileName(archive);
    EXPECT_EQ(zip.Count(), 0);
    EXPECT_EQ(zip.ZipFileName(), archive);
    zip.Rename({{"a", "b", 0}});
    EXPECT_TRUE(fs::exists(archive)); // libzip deletes archives it closes without members
    zip.FSpecArgs().push_back(WriteFile("first.txt", "first"));
    EXPECT_TRUE(zip.Add());
    EXPECT_THAT(ListedNames(), ElementsAre("first.txt"));
    EXPECT_TRUE(reports.empty());
}

struct ExtractCase {
    const char* Label;
    RawMember Member;
    const char* Expected;
};

TEST_F(ZipHostileTest, MembersThatLieAboutTheirDataAreRefusedAndTheStreamKept) {
    std::string text(50000, 'a');
    for (size_t i = 0; i < text.size(); i += 7)
        text[i] = static_cast<char>('a' + i % 26);
    auto with = [&](bool deflate, auto change) {
        RawMember member("lie.txt", text, deflate);
        change(member);
        return member;
    };
    const std::vector<ExtractCase> cases = {
        {"stored, wrong CRC", with(false, [](RawMember& m) { m.Crc = 1234; }), "damaged"},
        {"deflated, wrong CRC", with(true, [](RawMember& m) { m.Crc = 1234; }), "damaged"},
        {"stored, size too small", with(false, [](RawMember& m) { m.DeclaredSize = 100; }),
         "damaged"},
        {"deflated, size too small", with(true, [](RawMember& m) { m.DeclaredSize = 100; }),
         "damaged"},
        {"deflated, size too big", with(true, [](RawMember& m) { m.DeclaredSize = 60000; }),
         "damaged"},
        {"offset past the end", with(true, [](RawMember& m) { m.CentralOffset = 900000; }),
         "lie.txt"},
        {"offset into the data", with(false, [](RawMember& m) { m.CentralOffset = 20; }),
         "lie.txt"},
        {"over the memory limit", with(false, [](RawMember& m) { m.DeclaredSize = 0x10000001; }),
         "too large"},
    };
    for (const auto& c : cases) {
        reports.clear();
        zip.SetZipFileName(WriteFile("good.zip", validArchive()));
        TZipStream* stream = zip.ExtractFileToStream("two.txt");
        ASSERT_NE(stream, nullptr);
        zip.SetZipFileName(WriteFile("lie.zip", BuildZip({RawMember("ok.txt", "fine"), c.Member})));
        ASSERT_EQ(zip.Count(), 2) << c.Label;
        auto before = Snapshot();
        EXPECT_EQ(zip.ExtractFileToStream("lie.txt"), nullptr) << c.Label;
        EXPECT_TRUE(stream->Bytes() == "second member") << c.Label;
        ASSERT_EQ(reports.size(), 1u) << c.Label;
        EXPECT_THAT(reports[0], HasSubstr(c.Expected)) << c.Label;
        EXPECT_EQ(Snapshot(), before) << c.Label;
        EXPECT_EQ(Extracted("ok.txt"), "fine") << c.Label;
    }
}

TEST_F(ZipHostileTest, DeflateBombIsStoppedAtItsDeclaredSize) {
    RawMember bomb("bomb.bin", std::string(64 << 20, '\0'), true);
    bomb.DeclaredSize = 1 << 20;
    zip.SetZipFileName(WriteFile("bomb.zip", BuildZip({bomb})));
    ASSERT_EQ(zip.Count(), 1);
    EXPECT_EQ(zip.ExtractFileToStream("bomb.bin"), nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_THAT(reports[0], HasSubstr("bomb.bin is damaged"));
    EXPECT_LE(SumOfUpdates(), 1 << 20);
}

TEST_F(ZipHostileTest, DuplicateNamesAreListedButNotExtractedByName) {
    zip.SetZipFileName(WriteFile("dup.zip", BuildZip({{"Pics/Ship.png", "first"},
                                                      {"pics/SHIP.png", "second"},
                                                      {"other.txt", "other"}})));
    EXPECT_THAT(ListedNames(), ElementsAre("Pics\\Ship.png", "pics\\SHIP.png", "other.txt"));
    EXPECT_EQ(zip.ExtractFileToStream("Pics\\Ship.png"), nullptr);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_THAT(reports[0], HasSubstr("2 members are named"));
    EXPECT_EQ(Extracted("other.txt"), "other");
}

TEST_F(ZipHostileTest, PathLikeNamesAreListedAsTheyAreAndNeverWritten) {
    fs::path outside = dir.parent_path() / "krel-escaped.txt";
    fs::remove(outside);
    const std::vector<RawMember> members = {{"../krel-escaped.txt", "dots"},
                                            {"/tmp/krel-escaped.txt", "absolute"},
                                            {"C:/Windows/krel-escaped.txt", "drive"},
                                            {"back\\slash.txt", "backslash"},
                                            {"..\\..\\krel-escaped.txt", "dots"}};
    zip.SetZipFileName(WriteFile("paths.zip", BuildZip(members)));
    auto before = Snapshot();
    EXPECT_THAT(ListedNames(), ElementsAre("..\\krel-escaped.txt", "\\tmp\\krel-escaped.txt",
                                           "C:\\Windows\\krel-escaped.txt", "back\\slash.txt",
                                           "..\\..\\krel-escaped.txt"));
    EXPECT_EQ(Extracted("..\\krel-escaped.txt"), "dots");
    EXPECT_EQ(Extracted("\\tmp\\krel-escaped.txt"), "absolute");
    EXPECT_EQ(Extracted("C:\\Windows\\krel-escaped.txt"), "drive");
    EXPECT_EQ(Extracted("back\\slash.txt"), "backslash");
    EXPECT_EQ(Snapshot(), before);
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists("/tmp/krel-escaped.txt"));
}

TEST_F(ZipHostileTest, TenThousandMembersAreListedQuickly) {
    std::vector<RawMember> members;
    for (int i = 0; i < 10000; ++i)
        members.emplace_back("Folder" + std::to_string(i % 50) + "/picture" + std::to_string(i) +
                                 ".png",
                             std::to_string(i));
    fs::path archive = WriteFile("many.zip", BuildZip(members));
    auto start = std::chrono::steady_clock::now();
    zip.SetZipFileName(archive);
    auto took = std::chrono::steady_clock::now() - start;
    std::cout << "Listing 10,000 members took "
              << std::chrono::duration<double, std::milli>(took).count() << " ms\n";
    ASSERT_EQ(zip.Count(), 10000);
    EXPECT_EQ(zip.DirEntry(9999).FileName, "Folder49\\picture9999.png");
    EXPECT_EQ(Extracted("folder49\\PICTURE9999.png"), "9999");
}

} // namespace
} // namespace krel::test
