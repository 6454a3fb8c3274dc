#pragma once
// Where the encyclopedia's two files live on each side of an exchange, and the file work every
// exchange shares: files read whole into memory first, targets replaced together.

#include "common/DebugOutput.h"
#include "common/EncyclopediaFiles.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace krel {

// The work copies the parser reads after a load, reset or import.
FilePair WorkCopiesIn(const std::filesystem::path& workFolder);
// The ".merge" files the parser reads for a merge.
FilePair MergeCopiesIn(const std::filesystem::path& workFolder);

} // namespace krel

namespace krel::exchange {

// The child of folder called name: the exact name when it exists, else the first entry whose
// name differs only in ASCII letter case (the game was made for a file system that ignores
// case), else folder / name.
std::filesystem::path ChildIgnoringCase(const std::filesystem::path& folder, std::string_view name);

// A folder as program text with a trailing separator.
std::string FolderText(const std::filesystem::path& folder);

// Reads a whole file, refusing anything that is not a plain file (a folder chosen by mistake).
std::string ReadRegularFile(const std::filesystem::path& path);

// Replaces both files with the given bytes as one step: both or neither.
void ReplacePair(const FilePair& targets, const BytesPair& bytes);

} // namespace krel::exchange
