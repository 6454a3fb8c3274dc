#pragma once
// The pictures of a picture archive: what the archive offers, and whether every entry finds its
// own picture in it the way the editor looks for one.

#include "archive/PngImage.h"
#include "archive/ZipArchive.h"
#include "cli/Check.h"
#include "cli/Json.h"
#include "encyclopedia/Encyclopedia.h"

#include <optional>
#include <string>
#include <vector>

namespace krel::cli {

struct PictureMember {
    std::string Name;  // as listed, "\" between folders (8-bit)
    uint64_t Size = 0; // uncompressed, as the directory declares it
    std::optional<PngSize> Dimensions;
};

// The members whose name ends in ".png" (letter case ignored), in archive order, each read by
// its own place in the archive. Dimensions come from the first bytes of each member alone (up
// to the end of the picture's header chunk, whatever size the member declares); they are
// missing when those bytes are no whole, intact PNG header or the member is too small to hold
// the picture the header declares: pictures the editor would fail to show.
std::vector<PictureMember> ListPictures(const ZipArchive& archive);

// [{"name", "size", "width", "height"}], width and height null where the header was unreadable.
Json PicturesToJson(const std::vector<PictureMember>& pictures);

// A "missing-picture" problem for every entry with a picture name that no member carries as
// its file-name part with ".PNG" appended (letter case ignored, in any folder), in list order.
std::vector<Problem> CheckPictures(const Encyclopedia& book,
                                   const std::vector<MemberInfo>& members);

} // namespace krel::cli
