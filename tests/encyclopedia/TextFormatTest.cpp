#include "encyclopedia/TextFormat.h"

#include "Records.h"
#include "common/TextCodec.h"
#include "encyclopedia/FileText.h"
#include "encyclopedia/Parser.h"
#include "encyclopedia/Writer.h"

#include <gtest/gtest.h>
#include <random>

namespace krel::test {
namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;

std::string utf16(std::string_view text) {
    return EncodeEncyclopediaText(text);
}

TEST(TextFormat, DecodesEitherEncodingUpToTheFirstNul) {
    struct Case {
        std::string bytes, text;
    } cases[] = {
        {"plain\x80", "plain\x80"},
        {"cut\0here"s, "cut"},
        {"\xEF\xBB\xBFx", "\xEF\xBB\xBFx"}, // a UTF-8 mark is just text
        {"\xFF\xFE"
         "a\0b\0"s,
         "ab"},
        {"\xFF\xFE"
         "a\0b"s,
         "a"},              // odd last byte ignored
        {"\xFFxa\0"s, "a"}, // only the first byte decides
        {"\xFF\xFE"
         "a\0\0\0b\0"s,
         "a"},                                  // NUL unit ends the text
        {"\xFF\xFE\xAC\x20\x00\x01"s, "\x80?"}, // euro sign; no 8-bit form
        {"\xFF", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeEncyclopediaText(c.bytes), c.text) << c.bytes;
}

// The file conversions pass plain ASCII through in blocks; whatever the mix, they must agree
// with the code page converting one character at a time.
TEST(TextFormat, BlockConversionsAgreeWithTheCodePage) {
    std::mt19937 random(7);
    const std::u16string rare = u"\r\n\x7F\x80\x9F\xA0\xFF\x20AC\x0100\xD83D\xDE00\x0001";
    auto pick = [&](int n) {
        return int(random() % unsigned(n));
    };
    for (int round = 0; round < 3000; ++round) {
        std::u16string units;
        for (int n = pick(40); n > 0; --n)
            units += pick(8)    ? char16_t('a' + pick(26))
                     : pick(20) ? rare[pick(int(rare.size()))]
                                : u'\0';
        std::string bytes = "\xFF\xFE";
        for (char16_t unit : units)
            bytes += {char(unit & 0xFF), char(unit >> 8)};
        std::string odd = pick(2) ? "x" : "";
        EXPECT_EQ(DecodeEncyclopediaText(bytes + odd),
                  Utf16ToCp1252(units.substr(0, units.find(u'\0'))));

        std::string text;
        for (int n = pick(40); n > 0; --n)
            text += char(pick(6) ? 'A' + pick(26) : pick(256));
        std::string expected = "\xFF\xFE";
        for (char16_t unit : Cp1252ToUtf16(text))
            expected += {char(unit & 0xFF), char(unit >> 8)};
        EXPECT_EQ(EncodeEncyclopediaText(text), expected + '\0');
    }
}

// Files are decoded while they are read, a piece at a time; wherever the pieces end (inside a
// unit, between the two units of a surrogate pair, inside the mark), the text must be the one
// the whole file decodes to.
std::string decodeInPieces(const std::string& bytes, std::mt19937& random) {
    EncyclopediaTextDecoder decoder(bytes.size());
    std::string held;
    size_t next = 0;
    while (!decoder.Ended()) {
        size_t size = std::min<size_t>(bytes.size() - next, random() % 9);
        held += bytes.substr(next, size);
        next += size;
        held.erase(0, decoder.Feed(held, next == bytes.size()));
    }
    return std::string(decoder.Finish().View());
}

TEST(TextFormat, DecodingPieceByPieceAgreesWithDecodingWhole) {
    std::mt19937 random(11);
    const std::u16string units = u"ab\x80\xE9\x20AC\xD83D\xDE00\xDBFF\0";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = random() % 3 ? "\xFF\xFE" : "";
        for (int n = random() % 30; n > 0; --n) {
            char16_t unit = units[random() % units.size()];
            bytes += bytes.starts_with('\xFF') ? std::string{char(unit & 0xFF), char(unit >> 8)}
                                               : std::string(1, char(unit));
        }
        bytes += random() % 2 ? "x" : "";
        EXPECT_EQ(decodeInPieces(bytes, random), DecodeEncyclopediaText(bytes)) << round;
        EXPECT_EQ(DecodeEncyclopediaFile(bytes).View(), DecodeEncyclopediaText(bytes)) << round;
    }
}

TEST(TextFormat, SplitsAtEveryLineBreakAndDropsTheFirstLine) {
    auto split = [](std::string_view text) {
        auto views = SplitLines(text);
        return Strings(views.begin(), views.end());
    };
    EXPECT_EQ(split("a\r\nb\rc\nd"), (Strings{"a", "b", "c", "d"}));
    EXPECT_EQ(split("a\n\rb\r\n"), (Strings{"a", "", "b"}));
    EXPECT_EQ(split("\r\n\r\n"), (Strings{"", ""}));
    EXPECT_EQ(split(""), Strings{});
    EXPECT_EQ(ReadEncyclopediaLines(utf16("head\r\n\r\nx\r\n")), (Strings{"", "x"}));
    EXPECT_THROW(ReadEncyclopediaLines(utf16("")), std::runtime_error);
}

TEST(TextFormat, CutsTagAndValueByColumn) {
    struct Case {
        std::string line;
        KindCode code;
        std::string tag, value;
    } cases[] = {
        {"|EGT_AB12|\"Title\"", KindCode::EGT, "AB12", "Title"},
        {"|EGT_AB12|\"say \"hi\"\"", KindCode::EGT, "AB12", "say hi\"\""},
        {"|EGT_ABC|\"Title\"", KindCode::EGT, "ABC|", "itle"}, // short tag shifts the value
        {"|EGI_AB12|pic\"", KindCode::EGI, "AB12", "ic"},      // no opening quote
        {"|EGK_AB", KindCode::EGK, "AB", ""},
        {"\\*EGC_AB12 \t body /p text \r", KindCode::EGC, "AB12", "body /p text"},
        {"\\xEGR_AB12 \"q\" ", KindCode::EGR, "AB12", "\"q\""},
        {"|EGX_AB12|\"v\"", KindCode::None, "AB12", "v"},
        {"|egt_AB12|\"v\"", KindCode::None, "AB12", "v"},
    };
    for (const auto& c : cases) {
        auto cut = CutRecordLine(c.line);
        ASSERT_TRUE(cut) << c.line;
        EXPECT_EQ(cut->Code, c.code) << c.line;
        EXPECT_EQ(cut->Tag, c.tag) << c.line;
        EXPECT_EQ(cut->Value, c.value) << c.line;
    }
    EXPECT_FALSE(CutRecordLine("x|EGT_AB12|\"v\""));
    EXPECT_FALSE(CutRecordLine(""));
}

TEST(TextFormat, JoinsContinuationLinesUpToTheLastLine) {
    Strings lines = {"stray", "|EGT_A001|\"x", "more\"", "", "\\*EGC_A001 y", "", "tail"};
    RecordGatherer gatherer(lines);
    Strings candidates;
    std::vector<size_t> ends;
    while (!gatherer.AtEnd()) {
        candidates.push_back(gatherer.NextCandidate());
        ends.push_back(gatherer.CandidateEnd());
    }
    EXPECT_EQ(candidates, (Strings{"stray", "|EGT_A001|\"xmore\"", "\\*EGC_A001 ytail"}));
    EXPECT_EQ(ends, (std::vector<size_t>{1, 2, 5}));
}

TEST(TextFormat, CommaListsFollowTheStringListConvention) {
    struct Case {
        std::string text;
        Strings items;
    } cases[] = {
        {"a b,c", {"a", "b", "c"}},
        {"\"a b\",c", {"a b", "c"}},
        {"  a  ,  b  ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"open", {"open"}},
        {"\"a\"\"b\",c,\"d\"\"e\" f", {"a\"b", "c", "d\"e", "f"}},
        {"\"\"", {""}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommaList(c.text), c.items) << c.text;

    EXPECT_EQ(BuildCommaList({"a b", "c,d", "q\"x", "\xE9t\xE9"}),
              "\"a b\",\"c,d\",\"q\"\"x\",\xE9t\xE9");
    for (const Strings& items : {Strings{}, Strings{""}, Strings{"", ""}, Strings{"", "a", ""},
                                 Strings{" x", "\t", "\"", "a,b"}})
        EXPECT_EQ(SplitCommaList(BuildCommaList(items)), items) << BuildCommaList(items);
}

std::vector<T_EncEntry> sample() {
    T_EncEntry full = Entry("A001", "Alpha", "k1,\"k 2\"", "Body/pmore");
    full.Image = "alpha_pic";
    full.Related = "B002";
    return {Header("0001", "Stars:A001,B002"), full, Entry("B002", "Beta"), Letter('A')};
}

TEST(Writer, WritesTheGameLayoutByteForByte) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace(sample());
    EXPECT_EQ(EncodeTitlesFile(encyclopedia.GetEntryList()),
              utf16("\\\\Galactic Encyclopedia Topic Information\r\n\r\n"
                    "|EGH_0001|\"Stars:A001,B002\"\r\n\r\n"
                    "|EGT_A001|\"Alpha\"\r\n|EGI_A001|\"alpha_pic\"\r\n"
                    "|EGK_A001|\"k1,\"k 2\"\"\r\n|EGR_A001|\"B002\"\r\n\r\n"
                    "|EGT_B002|\"Beta\"\r\n"));
    EXPECT_EQ(EncodeContentsFile(encyclopedia.GetEntryList()),
              utf16("\\\\Galactic Encyclopedia Contents\r\n\r\n\r\n"
                    "\\*EGC_A001 Body/pmore\r\n\r\n"));
    std::string empty = EncodeTitlesFile({});
    EXPECT_EQ(empty.size(), 2 + 2 * 45 + 1u);
    EXPECT_EQ(empty.substr(0, 4), "\xFF\xFE\\\0"s);
    EXPECT_EQ(empty.substr(empty.size() - 5), "\r\0\n\0\0"s);
}

TEST(Writer, SavedFilesReadBackAsTheyWereWithTheFormatsKnownLosses) {
    Encyclopedia encyclopedia;
    encyclopedia.Replace(sample());
    encyclopedia.Append(Header("10000", "Big"));
    encyclopedia.Append(Entry("ABC", "Short tag"));
    encyclopedia.Append(Entry("Q001", "say \"hi\""));
    ParseResult back = ParseEncyclopedia(EncodeTitlesFile(encyclopedia.GetEntryList()),
                                         EncodeContentsFile(encyclopedia.GetEntryList()));
    std::vector<T_EncEntry> expected = encyclopedia.Snapshot();
    expected.erase(expected.begin() + 3);  // the letter row
    expected[1].Keywords = "k1,k 2\"\"";   // a double quote in a value does not survive
    expected[3] = Header("1000", "Big\""); // a fifth digit shifts the value
    expected[4] = Entry("ABC|", "hort tag");
    expected[5].Title = "say hi\"\"";
    EXPECT_EQ(back.Records, expected);
    EXPECT_TRUE(back.Orphans.empty());
}

} // namespace
} // namespace krel::test
