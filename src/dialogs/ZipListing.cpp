#include "dialogs/ZipListing.h"

#include "archive/ZipNames.h"
#include "common/AtomicFile.h"
#include "encyclopedia/TextFormat.h"
#include "settings/Paths.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace krel {
namespace {

constexpr std::string_view kFittingFile = "view.txt";

size_t lastSeparator(std::string_view fileName) {
    return fileName.find_last_of("\\:");
}

char upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Compares by the upper-case bytes, so "_" sorts after the letters as the game's tools do.
bool lessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(upper(x)) < static_cast<unsigned char>(upper(y));
    });
}

} // namespace

std::string_view DirPart(std::string_view fileName) {
    size_t cut = lastSeparator(fileName);
    return cut == std::string_view::npos ? std::string_view() : fileName.substr(0, cut);
}

std::string_view PictureNameOf(std::string_view fileName) {
    constexpr std::string_view extension = ".png";
    if (fileName.size() < extension.size())
        return fileName;
    const std::string_view tail = fileName.substr(fileName.size() - extension.size());
    const bool isPng = std::equal(tail.begin(), tail.end(), extension.begin(),
                                  [](char a, char b) { return upper(a) == upper(b); });
    return isPng ? fileName.substr(0, fileName.size() - extension.size()) : fileName;
}

bool CompareByName(const ZipDirEntry& a, const ZipDirEntry& b) {
    return lessIgnoringCase(MemberNamePart(a.FileName), MemberNamePart(b.FileName));
}

bool CompareBySize(const ZipDirEntry& a, const ZipDirEntry& b) {
    return a.UncompressedSize < b.UncompressedSize;
}

bool CompareByDir(const ZipDirEntry& a, const ZipDirEntry& b) {
    return lessIgnoringCase(DirPart(a.FileName), DirPart(b.FileName));
}

void SortListing(std::vector<ZipDirEntry>& listing, ZipOrder order) {
    std::stable_sort(listing.begin(), listing.end(), order);
}

std::vector<const ZipDirEntry*> FittingMembers(const std::vector<ZipDirEntry>& listing,
                                               const std::vector<std::string>& lines) {
    // Lines naming the same path in any letter case are interchangeable, so counting them
    // admits exactly the members that walking the remaining lines one by one would.
    std::unordered_map<std::string, size_t> unused;
    for (const std::string& line : lines)
        ++unused[FoldNameCase(line)];
    std::vector<const ZipDirEntry*> admitted;
    for (const ZipDirEntry& entry : listing) {
        auto line = unused.find(FoldNameCase(entry.FileName));
        if (line == unused.end() || line->second == 0)
            continue;
        --line->second;
        admitted.push_back(&entry);
    }
    return admitted;
}

std::vector<const ZipDirEntry*> AllMembers(const std::vector<ZipDirEntry>& listing) {
    std::vector<const ZipDirEntry*> all;
    all.reserve(listing.size());
    for (const ZipDirEntry& entry : listing)
        all.push_back(&entry);
    return all;
}

std::vector<std::string> ReadFittingList() {
    std::optional<std::filesystem::path> file = FindDataFile(kFittingFile);
    if (!file)
        throw std::runtime_error("File not in Resource (" + std::string(kFittingFile) + ")");
    std::string text = ReadWholeFile(*file);
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    return lines;
}

} // namespace krel
