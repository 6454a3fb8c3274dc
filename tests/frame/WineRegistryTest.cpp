#include "settings/WineRegistry.h"

#include "settings/SteamLibraries.h"

#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;
using krel::WineRegistry;
using krel::WineValue;

const std::string kHeader = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";

WineRegistry parse(const std::string& body) {
    auto registry = WineRegistry::Parse(kHeader + body);
    EXPECT_TRUE(registry);
    return registry.value_or(*WineRegistry::Parse(kHeader));
}

TEST(WineRegistry, TextValuesLoseTheirEscapes) {
    struct Case {
        const char* data;     // as Wine writes it after "name"=
        const char* expected; // in the program's code page
    };
    for (const Case& c : std::vector<Case>{
             {R"("C:\\Games\\Vastreach 3\\")", "C:\\Games\\Vastreach 3\\"},
             {R"("Caf\xe9")", "Caf\xE9"},
             {R"("\x00e9a")", "\xE9"
                              "a"},
             {R"("\x4e2d\x6587")", "??"},
             {R"("\101\102C")", "ABC"},
             {R"("say \"hi\"\tnow")", "say \"hi\"\tnow"},
             {R"(str(2):"%ProgramFiles%\\Corvane")", "%ProgramFiles%\\Corvane"},
             {"hex(2):43,00,3a,00,5c,00,\\\n  56,00,33,00,00,00", "C:\\V3"},
             {"\"\xC3\x9C"
              "ber\"",
              "\xDC"
              "ber"},
         }) {
        WineRegistry registry = parse(
            "[Software\\\\Test] 1700000000\n#time=1d9\n\"Value\"=" + std::string(c.data) + "\n");
        EXPECT_EQ(registry.findText("Software\\Test", "Value"), c.expected) << c.data;
    }
}

TEST(WineRegistry, KeysAndValuesAreFoundIgnoringCaseAndOddLinesArePassedOver) {
    WineRegistry registry = parse("#arch=win64\n"
                                  "[Software\\\\Odd \\[x\\]] 1700000000\n"
                                  "@=\"default\"\n"
                                  "\"Broken\"=\"never closed\n"
                                  "\"Count\"=dword:0000002a\n"
                                  "\"List\"=str(7):\"a\\0b\\0\"\n"
                                  "garbage line\n"
                                  "\"After\"=\"read\"\n"
                                  "\n"
                                  "[Software\\\\Second]\n"
                                  "\"After\"=\"second\"\n");
    EXPECT_EQ(registry.root(), "\\Machine");
    EXPECT_EQ(registry.findText("\\SOFTWARE\\odd [X]", ""), "default");
    EXPECT_EQ(registry.findText("Software\\Odd [x]", "AFTER"), "read");
    EXPECT_EQ(registry.findText("Software\\Second", "After"), "second");
    EXPECT_FALSE(registry.find("Software\\Odd [x]", "Broken"));
    ASSERT_TRUE(registry.find("Software\\Odd [x]", "Count"));
    EXPECT_EQ(registry.find("Software\\Odd [x]", "Count")->type, WineValue::Type::Other);
    EXPECT_FALSE(registry.findText("Software\\Odd [x]", "Count"));
    EXPECT_FALSE(registry.findText("Software\\Odd [x]", "List"));
    EXPECT_FALSE(registry.findText("Software\\Odd", "After"));

    EXPECT_FALSE(WineRegistry::Parse("Windows Registry Editor Version 5.00\n"));
    EXPECT_EQ(WineRegistry::Parse("WINE REGISTRY Version 2\r\n;; All keys relative to "
                                  "\\\\User\\\\S-1-5-21\r\n")
                  ->root(),
              "\\User\\S-1-5-21");
}

TEST(SteamLibraries, BothFileLayoutsListTheirFolders) {
    const std::string current = R"("libraryfolders"
{
	"0"
	{
		"path"		"/home/ann/.local/share/Steam"
		"label"		""
		"apps"
		{
			"228980"		"123456"
		}
	}
	// a second disk
	"1"
	{
		"path"		"/mnt/games/Steam \"Library\""
	}
})";
    EXPECT_EQ(
        krel::SteamLibraryFolders(current),
        (std::vector<fs::path>{"/home/ann/.local/share/Steam", "/mnt/games/Steam \"Library\""}));
    const std::string older = "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\"1690000000\"\n"
                              "\t\"ContentStatsID\"\t\"-42\"\n\t\"1\"\t\"/mnt/old\"\n}\n";
    EXPECT_EQ(krel::SteamLibraryFolders(older), (std::vector<fs::path>{"/mnt/old"}));
    EXPECT_TRUE(krel::SteamLibraryFolders("\"path\" \"relative/one\"").empty());
}

} // namespace
