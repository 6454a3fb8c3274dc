#pragma once
// Reset's file work: the game's own encyclopedia, taken from its string archive, becomes the
// work copies.

#include "archive/ZipMaster.h"
#include "exchange/FileWork.h"

#include <filesystem>

namespace krel {

// Points zip at the string archive and extracts both members into memory, logging
// "-> Extracting wStrings\wsEncyclopedia.txt", "-> Extracting wStrings\wsEncyclopediaTitles.txt"
// and, once both work copies are replaced, "Extraction completed.". A member that yields no
// stream (the component has reported why) throws std::runtime_error before any work copy is
// touched, so the editor keeps its list and its files.
void ExtractGameEncyclopedia(TZipMaster& zip, const std::filesystem::path& stringArchive,
                             const std::filesystem::path& workFolder, const LogFn& log);

// The same two members read into memory only, for a comparison with the game's own copy.
BytesPair ReadGameEncyclopedia(TZipMaster& zip, const std::filesystem::path& stringArchive,
                               const LogFn& log);

} // namespace krel
