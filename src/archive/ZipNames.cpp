#include "archive/ZipNames.h"

#include "common/PathText.h"

#include <algorithm>

namespace krel {
namespace {

char foldChar(char c) {
    auto byte = static_cast<unsigned char>(c);
    bool asciiCapital = byte >= 'A' && byte <= 'Z';
    bool latinCapital = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;
    if (asciiCapital || latinCapital)
        return static_cast<char>(byte + 0x20);
    switch (byte) {
    case 0x8A: // S caron
    case 0x8C: // OE
    case 0x8E: // Z caron
        return static_cast<char>(byte + 0x10);
    case 0x9F: // Y diaeresis
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

std::string replaced(std::string_view text, char from, char to) {
    std::string result(text);
    std::replace(result.begin(), result.end(), from, to);
    return result;
}

} // namespace

std::string ListedName(std::string_view storedName) {
    return replaced(storedName, '/', '\\');
}

std::string StoredName(std::string_view listedName) {
    return replaced(listedName, '\\', '/');
}

bool IsFolderName(std::string_view storedName) {
    return !storedName.empty() && (storedName.back() == '/' || storedName.back() == '\\');
}

std::string FoldNameCase(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), foldChar);
    return folded;
}

size_t FindInNameIgnoringCase(std::string_view text, std::string_view needle) {
    return FoldNameCase(text).find(FoldNameCase(needle));
}

std::string_view MemberNamePart(std::string_view member) {
    size_t cut = member.find_last_of("\\:");
    return cut == std::string_view::npos ? member : member.substr(cut + 1);
}

std::string BareName(const std::filesystem::path& path) {
    return PathText(path.filename());
}

bool HasStoreSuffix(std::string_view name) {
    size_t dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return false;
    std::string suffix = FoldNameCase(name.substr(dot + 1));
    return std::find(AddStoreSuffixes.begin(), AddStoreSuffixes.end(), suffix) !=
           AddStoreSuffixes.end();
}

} // namespace krel
