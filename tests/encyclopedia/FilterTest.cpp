#include "encyclopedia/Filter.h"

#include "Records.h"
#include "encyclopedia/Letters.h"

#include <gtest/gtest.h>

namespace krel::test {
namespace {

TEST(Letters, FoldEveryLetterOfTheCodePageToItsCapital) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"ardesh Prime", "ARDESH PRIME"},
        {"caf\xE9 \xE0\xFE", "CAF\xC9 \xC0\xDE"}, // é à þ
        {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"}, // š œ ž ÿ
        {"\xDF\xB5\x83", "\xDF\xB5\x83"},         // ß µ ƒ have no capital
        {"\xF7\xD7[{", "\xF7\xD7[{"},             // nor signs beside the letters
        {"", ""},
    };
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(FoldCp1252Case(text), folded) << text;
    EXPECT_TRUE(IsCp1252Letter('\xFF'));
    EXPECT_FALSE(IsCp1252Letter('\xF7'));
}

// Header 0002 lists header 0001 as a member: that row shows the header "Worlds" again.
class FilterViews : public ::testing::Test {
protected:
    void SetUp() override {
        book.Replace({Header("0001", "Worlds:ARDE,BELI"), Header("0002", "Ships:SHIP,0001,GONE"),
                      Entry("ARDE", "Ard\xE9sh"), Entry("BELI", "Belisar"),
                      Entry("SHIP", "Harrow Frigate"), Entry("LOST", "Belarus"), Letter('A'),
                      Letter('B'), Letter('H')});
    }

    // The rows as "title" for selectable and "[title]" for not selectable rows.
    std::vector<std::string> rows(ViewMode mode, const char* filter) {
        FilterableView view;
        view.Build(book, mode);
        RecordingSink sink(book);
        sink.rows = {{99, true}};
        view.Narrow(filter, sink);
        std::vector<std::string> shown;
        for (auto [index, selectable] : sink.rows) {
            const T_EncEntry& record = *book.At(index);
            std::string text = record.Kind == ekHeader
                                   ? record.Content.substr(0, record.Content.find(':'))
                                   : record.Title;
            shown.push_back(selectable ? text : "[" + text + "]");
        }
        return shown;
    }

    Encyclopedia book;
};

using Rows = std::vector<std::string>;

TEST_F(FilterViews, TableOfContentsKeepsTheHeaderAboveEachMatch) {
    EXPECT_EQ(rows(ViewMode::TableOfContents, ""),
              (Rows{"Worlds", "Ard\xE9sh", "Belisar", "Ships", "Harrow Frigate", "Worlds"}));
    EXPECT_EQ(rows(ViewMode::TableOfContents, "BEL"), (Rows{"Worlds", "Belisar"}));
    EXPECT_EQ(rows(ViewMode::TableOfContents, "\xC9SH"), (Rows{"Worlds", "Ard\xE9sh"}));
    EXPECT_EQ(rows(ViewMode::TableOfContents, "frig"), (Rows{"Ships", "Harrow Frigate"}));
    // A header's own title keeps its whole group; as a member it is a row like any other.
    EXPECT_EQ(rows(ViewMode::TableOfContents, "worlds"),
              (Rows{"Worlds", "Ard\xE9sh", "Belisar", "Ships", "Worlds"}));
    EXPECT_EQ(rows(ViewMode::TableOfContents, "ship"), (Rows{"Ships", "Harrow Frigate", "Worlds"}));
    EXPECT_EQ(rows(ViewMode::TableOfContents, "zz"), Rows{});
}

TEST_F(FilterViews, SubjectIndexKeepsTheLetterAboveEachMatch) {
    EXPECT_EQ(rows(ViewMode::SubjectIndex, ""),
              (Rows{"[A]", "Ard\xE9sh", "[B]", "Belisar", "Belarus", "[H]", "Harrow Frigate"}));
    EXPECT_EQ(rows(ViewMode::SubjectIndex, "ARU"), (Rows{"[B]", "Belarus"}));
    EXPECT_EQ(rows(ViewMode::SubjectIndex, "h"),
              (Rows{"[A]", "Ard\xE9sh", "[H]", "Harrow Frigate"}));
    EXPECT_EQ(rows(ViewMode::SubjectIndex, "zz"), Rows{});
}

} // namespace
} // namespace krel::test
