#include "common/TextCodec.h"

#include <gtest/gtest.h>

using namespace krel;

TEST(TextCodec, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(all)), all);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(TextCodec, HighBytesUseTheWindowsTable) {
    EXPECT_EQ(Cp1252ToUtf16("\x80\x93\x9F"), u"\u20AC\u201C\u0178");
    // The five unassigned bytes stand for the control characters of the same value.
    EXPECT_EQ(Cp1252ToUtf16("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(Utf16ToCp1252(u"\u0081\u009D"), "\x81\x9D");
}

TEST(TextCodec, CharactersWithoutAnEightBitFormBecomeQuestionMarks) {
    EXPECT_EQ(Utf16ToCp1252(u"a\u0100b\u0085c"), "a?b?c");
    // A pair of surrogates is one character, so one "?"; a lone surrogate is one "?" too.
    EXPECT_EQ(Utf16ToCp1252(u"x\U0001F600y"), "x?y");
    std::u16string lone = u"x";
    lone.push_back(static_cast<char16_t>(0xD800));
    EXPECT_EQ(Utf16ToCp1252(lone), "x?");
}

TEST(TextCodec, LittleEndianBytesConvertBothWays) {
    std::string bytes;
    AppendCp1252AsUtf16Le("A\x80", bytes);
    EXPECT_EQ(bytes, std::string("A\0\xAC\x20", 4));
    std::string text;
    AppendUtf16LeAsCp1252(reinterpret_cast<const unsigned char*>(bytes.data()), 2, text);
    EXPECT_EQ(text, "A\x80");
}

TEST(TextCodec, Utf8ConversionHandlesMalformedInput) {
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}
