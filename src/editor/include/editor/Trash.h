#pragma once
// Old exports go to the desktop's trash rather than being destroyed outright.

#include <filesystem>

namespace krel {

// Moves file into the user's trash; deletes it where no trash can take it. Returns whether the
// file is gone from its place.
bool MoveToTrashOrDelete(const std::filesystem::path& file);

} // namespace krel
