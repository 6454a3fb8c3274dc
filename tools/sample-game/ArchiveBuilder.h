#pragma once
// Writes a new ZIP archive member by member, as a game's tools would pack it. The archive
// replaces any earlier one only when it is complete (libzip writes a temporary and renames it).

#include <deque>
#include <filesystem>
#include <string>
#include <zip.h>

namespace krel::sample {

class ArchiveBuilder {
public:
    explicit ArchiveBuilder(const std::filesystem::path& path);
    ~ArchiveBuilder();
    ArchiveBuilder(const ArchiveBuilder&) = delete;
    ArchiveBuilder& operator=(const ArchiveBuilder&) = delete;

    // A folder-only member ("Planets/").
    void AddFolder(const std::string& name);
    // A member stored with "/" between folders; deflated at level 9 or stored as it is.
    void AddFile(const std::string& name, std::string bytes, bool deflate);
    void Close();

private:
    void check(bool ok, const std::string& what);

    std::filesystem::path path_;
    zip_t* archive_ = nullptr;
    std::deque<std::string> contents_; // kept alive until the archive is written
};

} // namespace krel::sample
