#pragma once
// How the graphic browser names, orders and filters the members of the picture archive. Member
// names use "\" between folders; ":" also ends a folder part, as in a drive prefix.

#include "archive/ZipTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace krel {

// The folder before the last "\" or ":", without that separator (empty when there is none).
std::string_view DirPart(std::string_view fileName);
// The picture name an entry stores for a member's file name: the name without its final ".png"
// (letter case ignored), so that looking the name up again finds this very member
// ("Nebula.v2.png" -> "Nebula.v2"); other names stay whole.
std::string_view PictureNameOf(std::string_view fileName);

// Orders for sorting the listing ascending; each answers whether a comes before b.
bool CompareByName(const ZipDirEntry& a, const ZipDirEntry& b); // file part, case ignored
bool CompareBySize(const ZipDirEntry& a, const ZipDirEntry& b); // uncompressed size
bool CompareByDir(const ZipDirEntry& a, const ZipDirEntry& b);  // folder part, case ignored

using ZipOrder = bool (*)(const ZipDirEntry&, const ZipDirEntry&);
// Sorts in place; members with equal keys keep their relative order.
void SortListing(std::vector<ZipDirEntry>& listing, ZipOrder order);

// The members that the fitting list admits, in listing order: each line names one archive path
// (letter case ignored) and admits at most one member, the first in the listing's order.
std::vector<const ZipDirEntry*> FittingMembers(const std::vector<ZipDirEntry>& listing,
                                               const std::vector<std::string>& lines);
// Every member, in listing order.
std::vector<const ZipDirEntry*> AllMembers(const std::vector<ZipDirEntry>& listing);

// The lines of "view.txt", the list of pictures that fit the entry picture frame. Throws
// std::runtime_error "File not in Resource (view.txt)" when the program has no such file.
std::vector<std::string> ReadFittingList();

} // namespace krel
