#pragma once
// Steam's list of its library folders, steamapps/libraryfolders.vdf: Valve's key-value text.
//
//   file  := pair
//   pair  := string ( string | "{" { pair } "}" )
//   string := '"' { char | "\" char } '"' | bare word       ("//" starts a comment)
//
// Current files name each library in a "path" pair inside a numbered block; older ones gave
// the folder itself as the value of a numbered pair.

#include <filesystem>
#include <string_view>
#include <vector>

namespace krel {

// The absolute folders the file lists, in file order.
std::vector<std::filesystem::path> SteamLibraryFolders(std::string_view vdf);

} // namespace krel
