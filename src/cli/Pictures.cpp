#include "cli/Pictures.h"

#include "archive/ZipNames.h"
#include "cli/Commands.h"
#include "common/TextCodec.h"

namespace krel::cli {
namespace {

bool isPngName(std::string_view name) {
    const std::string_view suffix = ".png";
    return name.size() >= suffix.size() &&
           FoldNameCase(name.substr(name.size() - suffix.size())) == FoldNameCase(suffix);
}

std::optional<PngSize> dimensionsOf(const std::optional<std::string>& bytes) {
    if (!bytes)
        return std::nullopt;
    try {
        return ReadPngSize(*bytes);
    } catch (const EPngError&) {
        return std::nullopt;
    }
}

Json pictureToJson(const PictureMember& picture) {
    Json json;
    json["name"] = Cp1252ToUtf8(picture.Name);
    json["size"] = picture.Size;
    json["width"] = picture.Dimensions ? Json(picture.Dimensions->Width) : Json(nullptr);
    json["height"] = picture.Dimensions ? Json(picture.Dimensions->Height) : Json(nullptr);
    return json;
}

} // namespace

std::vector<PictureMember> ListPictures(ArchiveReader& archive) {
    std::vector<PictureMember> pictures;
    for (const ZipDirEntry& member : archive.Members())
        if (isPngName(member.FileName))
            pictures.push_back({member.FileName, member.UncompressedSize,
                                dimensionsOf(archive.Extract(member.FileName))});
    return pictures;
}

Json PicturesToJson(const std::vector<PictureMember>& pictures) {
    Json array = Json::array();
    for (const PictureMember& picture : pictures)
        array.push_back(pictureToJson(picture));
    return array;
}

int RunPictures(const Arguments& args, std::ostream& out) {
    ArchiveReader archive(args.Operands[0]);
    PrintJson(out, PicturesToJson(ListPictures(archive)));
    return 0;
}

} // namespace krel::cli
