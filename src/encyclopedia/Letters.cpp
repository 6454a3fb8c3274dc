#include "encyclopedia/Letters.h"

#include <array>
#include <utility>

namespace krel {
namespace {

struct LetterTable {
    std::array<bool, 256> Letter{};
    std::array<char, 256> Capital{};
};

constexpr unsigned char kSmallAccented = 0xE0;
constexpr unsigned char kCapitalAccented = 0xC0;
constexpr unsigned char kDivisionSign = 0xF7;
constexpr unsigned char kMultiplicationSign = 0xD7;

// The letters outside A-Z and the accented block, with the capital of each small one.
constexpr std::array<std::pair<unsigned char, unsigned char>, 11> kOtherLetters = {{
    {0x83, 0x83}, // ƒ
    {0x8A, 0x8A}, // Š
    {0x8C, 0x8C}, // Œ
    {0x8E, 0x8E}, // Ž
    {0x9A, 0x8A}, // š
    {0x9C, 0x8C}, // œ
    {0x9E, 0x8E}, // ž
    {0x9F, 0x9F}, // Ÿ
    {0xAA, 0xAA}, // ª
    {0xB5, 0xB5}, // µ
    {0xBA, 0xBA}, // º
}};

LetterTable makeTable() {
    LetterTable table;
    for (int byte = 0; byte < 256; ++byte)
        table.Capital[byte] = static_cast<char>(byte);
    auto letter = [&](int byte, int capital) {
        table.Letter[byte] = true;
        table.Capital[byte] = static_cast<char>(capital);
    };
    for (int byte = 'A'; byte <= 'Z'; ++byte) {
        letter(byte, byte);
        letter(byte - 'A' + 'a', byte);
    }
    for (int byte = kCapitalAccented; byte < 256; ++byte)
        if (byte != kMultiplicationSign && byte != kDivisionSign)
            letter(byte, byte >= kSmallAccented ? byte - 0x20 : byte);
    letter(0xFF, 0x9F); // ÿ, whose capital Ÿ lies outside the block (ß has none at all)
    for (auto [small, capital] : kOtherLetters)
        letter(small, capital);
    return table;
}

const LetterTable& table() {
    static const LetterTable letters = makeTable();
    return letters;
}

} // namespace

bool IsCp1252Letter(char c) {
    return table().Letter[static_cast<unsigned char>(c)];
}

char FoldCp1252Case(char c) {
    return table().Capital[static_cast<unsigned char>(c)];
}

std::string FoldCp1252Case(std::string_view text) {
    const std::array<char, 256>& capitals = Cp1252Capitals();
    std::string folded(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        folded[i] = capitals[static_cast<unsigned char>(text[i])];
    return folded;
}

const std::array<char, 256>& Cp1252Capitals() {
    return table().Capital;
}

} // namespace krel
