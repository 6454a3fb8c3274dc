#pragma once
// Writes the encyclopedia as the game's two text files.

#include "encyclopedia/Encyclopedia.h"

#include <filesystem>
#include <string>

namespace krel {

// The bytes of each file for the records in list order (letter rows are never written).
std::string EncodeTitlesFile(const Encyclopedia::EntryList& records);
std::string EncodeContentsFile(const Encyclopedia::EntryList& records);

// Writes "wsEncyclopediaTitles.txt" and "wsEncyclopedia.txt" into folder. Both files are built
// completely and replaced together, so a failure leaves the previous pair as it was. Errors are
// raised as EEncEditorError "SaveCurrentEncyclopedia()\r...".
void SaveCurrentEncyclopedia(const Encyclopedia& encyclopedia, const std::filesystem::path& folder);

} // namespace krel
