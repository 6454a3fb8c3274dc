#pragma once
// The invented game folder the editor is developed and tested against: the two marker files,
// the string archive holding the sample encyclopedia, the picture archive holding a picture for
// every picture name the encyclopedia uses, and the fitting list of the entry-sized pictures.

#include <filesystem>
#include <string>
#include <vector>

namespace krel::sample {

struct Picture {
    std::string Name;   // the picture name as entries give it, and the seed of its painting
    std::string Member; // archive path with "/" between folders
    int Width = 130, Height = 82;
    int Variant = 0; // how many pictures of the same subject come before it
};

// The picture names the encyclopedia's entries use, each once, in the order of the entries.
std::vector<std::string> PictureNamesOf(const std::filesystem::path& sampleFolder);

// Where each named picture goes in the picture archive, and at which size.
std::vector<Picture> PlanPictures(const std::vector<std::string>& names);

void WriteGameFolder(const std::filesystem::path& sampleFolder, const std::filesystem::path& game,
                     const std::vector<Picture>& pictures);

// One listed archive path a line ("Planets\Planet_Ardesh.png"), for the pictures of 130 by 82.
void WriteFittingList(const std::filesystem::path& file, const std::vector<Picture>& pictures);

} // namespace krel::sample
