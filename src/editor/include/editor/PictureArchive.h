#pragma once
// The entries' pictures, read out of the game's picture archive into memory. The archive's
// directory is listed once and kept, with each picture name's first member, so showing an
// entry costs one extraction; it is listed again only when the archive file has changed.

#include "archive/ZipMaster.h"

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace krel {

class PictureArchive {
public:
    PictureArchive();

    // The first member, in archive order, whose name after its last "\" or ":" is
    // image + ".PNG", letter case ignored; nothing when the archive has none.
    std::optional<std::string> FindMember(const std::filesystem::path& archive,
                                          std::string_view image);

    // Extracts the member into memory and decodes it. Raises std::runtime_error with the
    // reason when the member cannot be extracted or is no readable PNG picture.
    QImage Load(const std::string& member);

    // How many times the directory has been read (the listing is meant to be kept).
    int Listings() const { return listings_; }

private:
    void refresh(const std::filesystem::path& archive);

    struct Stamp {
        std::filesystem::file_time_type Written{};
        std::uintmax_t Size = 0;
        bool operator==(const Stamp&) const = default;
    };
    static std::optional<Stamp> stampOf(const std::filesystem::path& archive);

    TZipMaster zip_;
    std::filesystem::path archive_;
    std::optional<Stamp> stamp_;
    std::unordered_map<std::string, std::string> firstByName_; // folded name part -> member
    std::string lastReport_;
    int listings_ = 0;
};

// The name part of a member: the text after its last "\" or ":".
std::string_view MemberNamePart(std::string_view member);

} // namespace krel
