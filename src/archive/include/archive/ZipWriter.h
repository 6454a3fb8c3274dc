#pragma once
// Changing an archive. libzip writes the new archive to a temporary beside the old one and
// renames it over the old one only when everything was written, so a failure at any point
// leaves the archive as it was.

#include "archive/Deflate.h"
#include "archive/ZipBatch.h"
#include "archive/ZipTypes.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace krel {

// Compression level of deflated members (see DeflateSettingsFor for what it stands for).
inline constexpr int AddCompLevel = 9;

// Adds the files under their bare names, replacing members of the same name, deflated unless
// their suffix is one of AddStoreSuffixes; creates the archive when absent. Announces
// TotalFiles2Process and TotalSize2Process, then NewFile and ProgressUpdate as each file is
// read. All files are read into memory and deflated, in parallel, before the archive is
// written; libzip then copies the deflated data as it is.
void AddFiles(const std::filesystem::path& archive, const std::vector<std::filesystem::path>& files,
              ZipBatch& batch, const DeflateSettings& settings = DeflateSettingsFor(AddCompLevel));

// Renames members: in each member's listed name, the first record whose Source occurs in it
// (letter case ignored) has that first occurrence replaced by its Dest; a member is renamed at
// most once. Names are stored with "/". A nonzero date-time (the record's, else dateTime) is
// given to the renamed member. Announces the renamed count and the bytes rewritten, NewFile for
// each renamed member and ProgressUpdate while the archive is rewritten. Returns the number of
// members renamed; with none, the archive is not rewritten.
size_t RenameMembers(const std::filesystem::path& archive, const std::vector<ZipRenameRec>& renames,
                     uint32_t dateTime, ZipBatch& batch);

} // namespace krel
