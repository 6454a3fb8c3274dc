#pragma once
// The entries' pictures, read out of the game's picture archive into memory. The archive is
// opened and listed once and kept open, with each picture name's first member, so showing an
// entry costs one member read; it is opened again only when the archive file has changed.

#include "archive/ZipArchive.h"

#include <QImage>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace krel {

class PictureArchive {
public:
    // The first member, in archive order, whose name after its last "\" or ":" is
    // image + ".PNG", letter case ignored; nothing when the archive has none or cannot be read.
    std::optional<std::string> FindMember(const std::filesystem::path& archive,
                                          std::string_view image);

    // Reads the member into memory and decodes it. Raises std::runtime_error with the reason
    // when the member cannot be read or is no readable PNG picture.
    QImage Load(const std::string& member);

private:
    void refresh(const std::filesystem::path& archive);

    struct Stamp {
        std::filesystem::file_time_type Written{};
        std::uintmax_t Size = 0;
        bool operator==(const Stamp&) const = default;
    };
    static std::optional<Stamp> stampOf(const std::filesystem::path& archive);

    std::filesystem::path archive_;
    std::optional<Stamp> stamp_;
    std::optional<ZipArchive> opened_;
    std::unordered_map<std::string, std::string> firstByName_; // folded name part -> member
};

} // namespace krel
