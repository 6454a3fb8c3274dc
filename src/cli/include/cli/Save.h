#pragma once
// Saving from the command line into a folder the user names.

#include "common/UnitError.h"
#include "encyclopedia/Encyclopedia.h"

#include <filesystem>

namespace krel::cli {

KREL_UNIT_ERROR(ESaveError);

// Writes the two files into folder, creating the folder when only it is missing. On failure
// nothing stays behind: the files are replaced together or not at all, and a folder created
// here is removed again.
void SaveInto(const Encyclopedia& book, const std::filesystem::path& folder);

} // namespace krel::cli
