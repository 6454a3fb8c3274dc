// Archives written by Add are read back by readers that share no code with the writer: unzip,
// Python's zipfile and zlib, at sizes around the block size where deflate streams are joined.

#include "ArchiveFixture.h"
#include "archive/Deflate.h"
#include "archive/ZipWriter.h"

#include <cstdlib>
#include <random>
#include <zlib.h>

namespace krel::test {
namespace {

using ::testing::ElementsAre;

constexpr size_t kSmallBlock = 40000;

// Text of words from a small vocabulary: compressible, with the statistics shifting now and
// then so libdeflate ends blocks of its own inside each of ours.
std::string wordsText(size_t size, unsigned seed) {
    static const char* const words[] = {"nebula ", "Kestrel ", "drive ", "\r\n",  "of the ",
                                        "Ardesh ", "1066 ",    "yard ",  "ring ", "\xE9toile "};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size)
        text += words[random() % (text.size() % 50000 < 25000 ? 10 : 4)];
    text.resize(size);
    return text;
}

std::string noise(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random());
    return bytes;
}

std::string inflateRaw(const std::string& stream, size_t size) {
    std::string out(size + 1, '\0');
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int status = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    bool wholeStream = status == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    return wholeStream ? out : "<damaged>";
}

class ZipExportTest : public ArchiveTest {
protected:
    // Python's zipfile checks every member's CRC and returns each one's bytes and method.
    std::string PythonReading(const fs::path& archive) {
        fs::path script = WriteFile("read.py", R"(import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None
    for info in z.infolist():
        print(info.filename, info.compress_type, len(z.read(info)))
)");
        fs::path out = dir / "python.txt";
        int status = std::system(("python3 '" + script.string() + "' '" + archive.string() +
                                  "' > '" + out.string() + "' 2>&1")
                                     .c_str());
        return (status == 0 ? "" : "failed: ") + ReadWholeFile(out);
    }

    int UnzipTest(const fs::path& archive) {
        return std::system(("unzip -tq '" + archive.string() + "' > /dev/null 2>&1").c_str());
    }
};

TEST_F(ZipExportTest, ArchivesReadBackWholeAroundTheBlockSize) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty.txt", ""},
        {"one.txt", "x"},
        {"below.txt", wordsText(kSmallBlock - 1, 1)},
        {"exact.txt", wordsText(kSmallBlock, 2)},
        {"above.txt", wordsText(kSmallBlock + 1, 3)},
        {"many.txt", wordsText(kSmallBlock * 7 + 123, 4)},
        {"noise.bin", noise(kSmallBlock * 2 + 5, 5)},
        {"picture.png", noise(3000, 6)},
    };
    std::vector<fs::path> paths;
    std::string expected;
    for (const auto& [name, bytes] : files) {
        paths.push_back(WriteFile("in/" + name, bytes));
        expected += name + " " + (name == "picture.png" ? "0 " : "8 ") +
                    std::to_string(bytes.size()) + "\n";
    }
    fs::path archive = dir / "out.zip";
    ZipBatch batch(nullptr);
    AddFiles(archive, paths, batch, {8, kSmallBlock, 3});

    EXPECT_EQ(UnzipTest(archive), 0);
    EXPECT_EQ(PythonReading(archive), expected);
    zip.SetZipFileName(archive);
    for (const auto& [name, bytes] : files)
        EXPECT_TRUE(Extracted(name) == bytes) << name;
}

TEST_F(ZipExportTest, BlocksJoinIntoTheSameStreamWhateverTheThreads) {
    const std::vector<std::string> inputs = {wordsText(kSmallBlock * 5 + 7, 7), "",
                                             noise(kSmallBlock + 1, 8),
                                             wordsText(kSmallBlock - 1, 9)};
    std::vector<std::string_view> views(inputs.begin(), inputs.end());
    for (int level : {1, 6, 8, 12}) {
        std::vector<DeflatedData> alone = DeflateAll(views, {level, kSmallBlock, 1});
        std::vector<DeflatedData> shared = DeflateAll(views, {level, kSmallBlock, 4});
        for (size_t i = 0; i < inputs.size(); ++i) {
            SCOPED_TRACE("level " + std::to_string(level) + ", input " + std::to_string(i));
            EXPECT_TRUE(alone[i].Stream == shared[i].Stream);
            EXPECT_TRUE(inflateRaw(shared[i].Stream, inputs[i].size()) == inputs[i]);
            EXPECT_EQ(shared[i].Crc, crc32(0, reinterpret_cast<const Bytef*>(inputs[i].data()),
                                           static_cast<uInt>(inputs[i].size())));
        }
    }
}

// The component's own settings, with members just below and above its block size.
TEST_F(ZipExportTest, TheComponentsAddJoinsFullSizeBlocks) {
    const size_t block = DeflateSettingsFor(AddCompLevel).BlockSize;
    zip.SetZipFileName(dir / "Encyclopedia.zip");
    zip.FSpecArgs() = {WriteFile("wsEncyclopedia.txt", wordsText(block + 1, 10)),
                       WriteFile("wsEncyclopediaTitles.txt", wordsText(block - 1, 11))};
    ASSERT_TRUE(zip.Add());
    EXPECT_EQ(UnzipTest(dir / "Encyclopedia.zip"), 0);
    EXPECT_EQ(PythonReading(dir / "Encyclopedia.zip"),
              "wsEncyclopedia.txt 8 " + std::to_string(block + 1) +
                  "\nwsEncyclopediaTitles.txt 8 " + std::to_string(block - 1) + "\n");
    EXPECT_TRUE(Extracted("wsEncyclopedia.txt") == wordsText(block + 1, 10));
    EXPECT_TRUE(reports.empty());
}

} // namespace
} // namespace krel::test
