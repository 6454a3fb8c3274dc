#include "editor/PictureArchive.h"

#include "archive/PngImage.h"
#include "archive/ZipNames.h"

#include <cstring>
#include <stdexcept>

namespace krel {
namespace fs = std::filesystem;

std::string_view MemberNamePart(std::string_view member) {
    size_t cut = member.find_last_of("\\:");
    return cut == std::string_view::npos ? member : member.substr(cut + 1);
}

PictureArchive::PictureArchive() {
    zip_.OnMessage = [this](const std::string& text) {
        lastReport_ = text;
    };
}

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
    zip_.SetZipFileName(archive);
    ++listings_;
    for (const ZipDirEntry& entry : zip_.ZipContents())
        firstByName_.try_emplace(FoldNameCase(MemberNamePart(entry.FileName)), entry.FileName);
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
    lastReport_.clear();
    TZipStream* stream = zip_.ExtractFileToStream(member);
    if (!stream)
        throw std::runtime_error(lastReport_.empty() ? "the member could not be extracted"
                                                     : lastReport_);
    stream->Rewind();
    PngImage png = DecodePng(stream->Bytes());
    QImage image(static_cast<int>(png.Width), static_cast<int>(png.Height),
                 QImage::Format_RGBA8888);
    for (uint32_t y = 0; y < png.Height; ++y)
        std::memcpy(image.scanLine(static_cast<int>(y)), png.Pixel(0, y), size_t{png.Width} * 4);
    return image;
}

} // namespace krel
