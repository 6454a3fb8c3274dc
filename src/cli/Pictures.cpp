#include "cli/Pictures.h"

#include "archive/PngHeader.h"
#include "archive/ZipNames.h"
#include "cli/Archive.h"
#include "cli/Commands.h"
#include "common/TextCodec.h"

namespace krel::cli {
namespace {

bool isPngName(std::string_view name) {
    const std::string_view suffix = ".png";
    return name.size() >= suffix.size() &&
           FoldNameCase(name.substr(name.size() - suffix.size())) == FoldNameCase(suffix);
}

std::optional<PngSize> dimensionsOf(const ZipArchive& archive, const MemberInfo& member) {
    try {
        std::optional<PngHeader> header =
            CheckedPngHead(archive.ReadHead(member, PngHeadSize), member.Size);
        if (!header)
            return std::nullopt;
        return PngSize{header->Width, header->Height};
    } catch (const ZipFailure&) {
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

std::vector<PictureMember> ListPictures(const ZipArchive& archive) {
    std::vector<PictureMember> pictures;
    for (const MemberInfo& member : archive.Members())
        if (isPngName(member.ListedName))
            pictures.push_back({member.ListedName, member.Size, dimensionsOf(archive, member)});
    return pictures;
}

Json PicturesToJson(const std::vector<PictureMember>& pictures) {
    Json array = Json::array();
    for (const PictureMember& picture : pictures)
        array.push_back(pictureToJson(picture));
    return array;
}

int RunPictures(const Arguments& args, std::ostream& out) {
    PrintJson(out, PicturesToJson(ListPictures(OpenToolArchive(args.Operands[0]))));
    return 0;
}

} // namespace krel::cli
