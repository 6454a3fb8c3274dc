#include "GameFolder.h"

#include "ArchiveBuilder.h"
#include "Art.h"
#include "archive/ZipNames.h"
#include "common/AtomicFile.h"
#include "common/TextCodec.h"
#include "encyclopedia/Parser.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace krel::sample {
namespace fs = std::filesystem;
namespace {

const char* const dataFolder = "GameDataSets/Classic_01/GameData/English";
const char* const assetFolder = "GameDataSets/Classic_01/GameAssets/Common";

std::string folderFor(Subject subject) {
    switch (subject) {
    case Subject::Planet:
    case Subject::Moon:
        return "Planets/";
    case Subject::Ship:
        return "Ships/";
    case Subject::Species:
        return "Species/";
    case Subject::Star:
    case Subject::Nebula:
    case Subject::Hazard:
        return "Space/";
    default:
        return "";
    }
}

// A game string file: the byte-order mark, UTF-16 text, a heading line first.
std::string stringFile(const std::string& heading, const std::vector<std::string>& lines) {
    std::string bytes = "\xFF\xFE";
    AppendCp1252AsUtf16Le("\\\\" + heading + "\r\n", bytes);
    for (const auto& line : lines)
        AppendCp1252AsUtf16Le(line + "\r\n", bytes);
    return bytes;
}

void writeStrings(const fs::path& sampleFolder, const fs::path& archive) {
    ArchiveBuilder builder(archive);
    builder.AddFolder("wStrings/");
    builder.AddFile(
        "wStrings/wsInterface.txt",
        stringFile("Interface Strings", {"|INT_0001|\"Launch\"", "|INT_0002|\"Options\"",
                                         "|INT_0003|\"Galactic Encyclopedia\""}),
        true);
    for (const char* name : {"wsEncyclopedia.txt", "wsEncyclopediaTitles.txt"})
        builder.AddFile(std::string("wStrings/") + name, ReadWholeFile(sampleFolder / name), true);
    builder.AddFile("wStrings/wsPlanets.txt",
                    stringFile("Planet Names", {"|PLN_0001|\"Ardesh\"", "|PLN_0002|\"Belisar\"",
                                                "|PLN_0003|\"Mirad\xE9l Reach\""}),
                    true);
    builder.AddFile("wStrings/wsShips.txt",
                    stringFile("Ship Classes",
                               {"|SHP_0001|\"Lantern-class Scout\"",
                                "|SHP_0002|\"Wasp Interceptor\"", "|SHP_0003|\"Bulwark Carrier\""}),
                    true);
    builder.Close();
}

void writePictures(const fs::path& archive, const std::vector<Picture>& pictures) {
    ArchiveBuilder builder(archive);
    std::set<std::string> folders;
    for (const auto& picture : pictures) {
        std::string folder = picture.Member.substr(0, picture.Member.rfind('/') + 1);
        if (!folder.empty() && folders.insert(folder).second)
            builder.AddFolder(folder);
        PngImage image = PaintPicture(picture.Name, picture.Width, picture.Height, picture.Variant);
        builder.AddFile(picture.Member, EncodePng(image), false);
    }
    builder.AddFolder("Damaged/");
    builder.AddFile("Damaged/StarChart.png", "This star chart was never finished.\r\n", false);
    builder.Close();
}

void writeMarkers(const fs::path& game) {
    const std::string note = "Placeholder of the Krel Editor's sample game; not a program.\n";
    WriteFileAtomic(game / "krel.exe", note);
    WriteFileAtomic(game / "binkw32.dll", note);
}

// Pictures in the archive that no entry names: a backdrop larger than any frame, and a second
// version of a ship whose name has two dots.
void addExtras(std::vector<Picture>& pictures) {
    pictures.push_back({"Galaxy_Backdrop", "Interface/Backdrop_Orrin.png", 640, 400, 0});
    pictures.push_back({"SHIP_Wasp.v2", "Ships/SHIP_Wasp.v2.png", 130, 82, 0});
}

} // namespace

std::vector<std::string> PictureNamesOf(const fs::path& sampleFolder) {
    ParseResult parsed = ParseEncyclopedia(ReadWholeFile(sampleFolder / "wsEncyclopediaTitles.txt"),
                                           ReadWholeFile(sampleFolder / "wsEncyclopedia.txt"));
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (const auto& record : parsed.Records)
        if (record.Kind == ekEntry && !record.Image.empty() &&
            seen.insert(FoldNameCase(record.Image)).second)
            names.push_back(record.Image);
    return names;
}

std::vector<Picture> PlanPictures(const std::vector<std::string>& names) {
    std::vector<Picture> pictures;
    std::map<Subject, int> seen;
    for (const auto& name : names) {
        Subject subject = SubjectOf(name);
        std::string file = name; // "planet_Miradel" is packed as "Planet_Miradel.png"
        file[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(file[0])));
        Picture picture{name, folderFor(subject) + file + ".png", 130, 82, seen[subject]++};
        if (subject == Subject::Nebula)
            picture.Width = 260, picture.Height = 164;
        if (subject == Subject::History)
            picture.Width = 200, picture.Height = 126;
        pictures.push_back(picture);
    }
    addExtras(pictures);
    std::stable_sort(pictures.begin(), pictures.end(), [](const Picture& a, const Picture& b) {
        return folderFor(SubjectOf(a.Name)) < folderFor(SubjectOf(b.Name));
    });
    return pictures;
}

void WriteGameFolder(const fs::path& sampleFolder, const fs::path& game,
                     const std::vector<Picture>& pictures) {
    fs::create_directories(game / dataFolder);
    fs::create_directories(game / assetFolder);
    writeMarkers(game);
    writeStrings(sampleFolder, game / dataFolder / "wStrings.mob");
    writePictures(game / assetFolder / "graphics.mob", pictures);
}

void WriteFittingList(const fs::path& file, const std::vector<Picture>& pictures) {
    std::string text;
    for (const auto& picture : pictures)
        if (picture.Width == 130 && picture.Height == 82)
            text += ListedName(picture.Member) + "\n";
    fs::create_directories(file.parent_path());
    WriteFileAtomic(file, text);
}

} // namespace krel::sample
