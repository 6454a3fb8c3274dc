#pragma once
// The pictures of a picture archive: what the archive offers, and whether every entry finds its
// own picture in it the way the editor looks for one.

#include "archive/PngImage.h"
#include "archive/ZipTypes.h"
#include "cli/Archive.h"
#include "cli/Check.h"
#include "cli/Json.h"
#include "encyclopedia/Encyclopedia.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace krel::cli {

struct PictureMember {
    std::string Name;  // as listed, "\" between folders (8-bit)
    uint32_t Size = 0; // uncompressed
    std::optional<PngSize> Dimensions;
};

// The members whose name ends in ".png" (letter case ignored), in archive order. Dimensions
// come from each picture's header, without decoding it; they are missing when the member
// cannot be extracted or does not start with a whole PNG header, which is exactly the picture
// the editor would fail to show.
std::vector<PictureMember> ListPictures(ArchiveReader& archive);

// [{"name", "size", "width", "height"}], width and height null where the header was unreadable.
Json PicturesToJson(const std::vector<PictureMember>& pictures);

// The file-name part of a member: the text after its last "\" or ":".
std::string_view MemberNamePart(std::string_view member);

// A "missing-picture" problem for every entry with a picture name that no member carries as
// its file-name part with ".PNG" appended (letter case ignored, in any folder), in list order.
std::vector<Problem> CheckPictures(const Encyclopedia& book,
                                   const std::vector<ZipDirEntry>& members);

} // namespace krel::cli
