#include "editor/PictureArchive.h"

#include "archive/PngImage.h"
#include "archive/ZipNames.h"
#include "dialogs/PictureBox.h"

#include <stdexcept>

namespace krel {
namespace fs = std::filesystem;

std::optional<PictureArchive::Stamp> PictureArchive::stampOf(const fs::path& archive) {
    std::error_code error;
    Stamp stamp{fs::last_write_time(archive, error), 0};
    if (error)
        return std::nullopt;
    stamp.Size = fs::file_size(archive, error);
    if (error)
        return std::nullopt;
    return stamp;
}

void PictureArchive::refresh(const fs::path& archive) {
    std::optional<Stamp> stamp = stampOf(archive);
    if (archive == archive_ && stamp && stamp == stamp_)
        return;
    archive_ = archive;
    stamp_ = stamp;
    firstByName_.clear();
    opened_.reset();
    try {
        opened_.emplace(archive);
    } catch (const ZipFailure&) {
        return; // no picture can be found in it: each entry reports its own
    }
    for (const MemberInfo& member : opened_->Members())
        firstByName_.try_emplace(FoldNameCase(MemberNamePart(member.ListedName)),
                                 member.ListedName);
}

std::optional<std::string> PictureArchive::FindMember(const fs::path& archive,
                                                      std::string_view image) {
    refresh(archive);
    auto found = firstByName_.find(FoldNameCase(std::string(image) + ".PNG"));
    if (found == firstByName_.end())
        return std::nullopt;
    return found->second;
}

QImage PictureArchive::Load(const std::string& member) {
    if (!opened_)
        throw std::runtime_error("the picture archive could not be read");
    return ImageFromPng(DecodePng(opened_->Read(opened_->Locate(member))));
}

} // namespace krel
